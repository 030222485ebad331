#!/usr/bin/env bash
# Runs a Windows program under Wine, quietly, in the Wine prefix of the Windows cache
# (VAREDADAV_WINE_PREFIX names another). The tests use it as CMake's cross-compiling emulator.
set -euo pipefail
cache="${VAREDADAV_WINDOWS_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/varedadav-windows}"
export WINEPREFIX="${VAREDADAV_WINE_PREFIX:-$cache/wine}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"  # no Mono or Gecko to offer
for wine in /usr/lib/wine/wine64 /usr/bin/wine64 /usr/bin/wine; do
  [ -x "$wine" ] && exec "$wine" "$@"
done
echo "wine.sh: Wine is not installed (Debian package wine64)" >&2
exit 1
