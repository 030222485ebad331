#!/usr/bin/env bash
# Installs what is missing, then builds and runs every test twice: once with warnings as
# errors, once under the address and undefined-behaviour sanitizers (leaks checked too). Also
# checks the format and runs every fuzz target briefly.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh

echo "== Format"
# The sources are listed without git: a release tarball or a plain copy has no repository.
find app base bench fuzz rules store tests tools ui -type f \( -name '*.cpp' -o -name '*.h' \) -print0 |
  xargs -0 clang-format --dry-run --Werror

echo "== Build and test (warnings are errors)"
cmake --preset ci >/dev/null
cmake --build --preset ci
ctest --preset ci

echo "== Windows: the layers without Qt and their tests, cross-built, under Wine"
scripts/windows/test.sh

echo "== Fuzzing (libFuzzer, address and undefined-behaviour sanitizers)"
scripts/fuzz.sh 20

echo "== Build and test (address and undefined-behaviour sanitizers)"
cmake --preset dev-asan >/dev/null
cmake --build --preset dev-asan
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp:print_suppressions=0 \
UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --preset dev-asan
