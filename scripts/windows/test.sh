#!/usr/bin/env bash
# Cross-builds the layers that need no Qt (base, rules, store, the window's handlers, tools) and their
# tests for 64-bit Windows, and runs the tests under Wine, so that Windows never breaks unnoticed.
# Warnings are errors. SQLite and GoogleTest for Windows come from the cache (built once).
set -euo pipefail
cd "$(dirname "$0")/../.."
cache="$(scripts/windows/dependencies.sh | tail -1)"
build=build-windows-tests
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$PWD/scripts/windows/toolchain.cmake" \
  -DVAREDADAV_WINDOWS_PREFIX="$cache/prefix" -Dutf8cpp_DIR="$cache/prefix/utf8cpp-cmake" \
  -DCMAKE_CROSSCOMPILING_EMULATOR="$PWD/scripts/windows/wine.sh" \
  -DVAREDADAV_GUI=OFF -DVAREDADAV_WERROR=ON >/dev/null
cmake --build "$build"
scripts/windows/wine.sh wineboot --init >/dev/null 2>&1 || true   # the prefix, made once
ctest --test-dir "$build" --output-on-failure
