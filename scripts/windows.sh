#!/usr/bin/env bash
# The Windows command: builds the program for 64-bit Windows on this Debian machine and makes the
# two downloads,
#   dist/Varedadav-<version>-setup.exe     the installer (German, 64-bit NSIS)
#   dist/Varedadav-<version>-windows.zip   the portable copy: the program and an empty Lotto.mdb
# then tests them under Wine: every test that runs on Windows (the widget tests included), and a
# silent install, a start of the installed program with a typed row and an evaluation, the
# portable copy, and the uninstall (tests/program/windows_install_test.sh).
# Qt, SQLite and GoogleTest for Windows are built once into a cache outside the source tree
# (~/.cache/varedadav-windows; VAREDADAV_WINDOWS_CACHE names another).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh windows
cache="$(scripts/windows/dependencies.sh qt | tail -1)"

echo "== Build for Windows (warnings are errors)"
build=build-windows
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$PWD/scripts/windows/toolchain.cmake" \
  -DVAREDADAV_WINDOWS_PREFIX="$cache/prefix" -Dutf8cpp_DIR="$cache/prefix/utf8cpp-cmake" \
  -DCMAKE_CROSSCOMPILING_EMULATOR="$PWD/scripts/windows/wine.sh" \
  -DVAREDADAV_WERROR=ON >/dev/null
cmake --build "$build"
x86_64-w64-mingw32-strip "$build/varedadav.exe"

echo "== Tests under Wine (the widgets on a display of their own)"
display=":$((50 + RANDOM % 20))"
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null || true' EXIT
sleep 1
scripts/windows/wine.sh wineboot --init >/dev/null 2>&1 || true
DISPLAY="$display" ctest --test-dir "$build" --output-on-failure
kill $xvfb && trap - EXIT

echo "== Downloads"
version="$(sed -n 's/^project(varedadav VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)"
files="$build/dist-files"
portable="$build/Varedadav-$version"
rm -rf "$files" "$portable" && mkdir -p dist "$files" "$portable"
sqlite3 "$files/Lotto-empty.mdb" <tools/schema.sql
sed 's/$/\r/' LICENSE >"$files/LICENSE.txt"
cp "$build/varedadav.exe" "$files/"
cp "$build/varedadav.exe" "$files/LICENSE.txt" "$portable/"
cp "$files/Lotto-empty.mdb" "$portable/Lotto.mdb"
rm -f "dist/Varedadav-$version-windows.zip"
(cd "$build" && cmake -E tar cf "$OLDPWD/dist/Varedadav-$version-windows.zip" --format=zip \
  "Varedadav-$version")
makensis -V2 -DVERSION="$version" -DFILES="$PWD/$files" \
  -DOUTFILE="$PWD/dist/Varedadav-$version-setup.exe" packaging/windows/installer.nsi
ls -l dist/

echo "== Install, start, portable copy and uninstall under Wine"
tests/program/windows_install_test.sh "dist/Varedadav-$version-setup.exe" \
  "dist/Varedadav-$version-windows.zip"
