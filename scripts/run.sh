#!/usr/bin/env bash
# Installs what is missing, builds the program and starts it on the Lotto.mdb beside it
# (build/Lotto.mdb, made empty on the first build and kept from then on).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake --preset dev >/dev/null
cmake --build --preset dev
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "Kein Bildschirm gefunden (weder DISPLAY noch WAYLAND_DISPLAY ist gesetzt): starten Sie das Programm in einer grafischen Sitzung, oder per VNC mit QT_QPA_PLATFORM=vnc:port=5900 scripts/run.sh und einem VNC-Betrachter auf localhost:5900." >&2
  exit 1
fi
exec build/varedadav
