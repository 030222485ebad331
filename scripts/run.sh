#!/usr/bin/env bash
# Installs what is missing, builds the program and starts it on the Lotto.mdb beside it
# (build/Lotto.mdb, made empty on the first build and kept from then on). Only the program and
# its empty database are built: the tests and benchmarks wait for scripts/test.sh or a full
# cmake --build --preset dev.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh program
cmake --preset dev >/dev/null
cmake --build --preset dev --target varedadav empty_database
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "Kein Bildschirm gefunden (DISPLAY und WAYLAND_DISPLAY sind leer); das Fenster ist per VNC erreichbar: QT_QPA_PLATFORM=vnc:size=536x331:port=5900 scripts/run.sh starten und einen VNC-Betrachter mit localhost:5900 verbinden." >&2
  exit 1
fi
exec build/varedadav
