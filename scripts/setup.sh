#!/usr/bin/env bash
# Installs whatever the project needs that this Debian 12 machine lacks. Safe to run again:
# it only calls apt-get when a package is missing.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config         # build
  qt6-base-dev libsqlite3-dev              # libraries the program uses
  libpcg-cpp-dev                           # the random generator (header only)
  libutfcpp-dev                            # UTF-8 decoding of names read from files
  fonts-liberation                         # the dialog and report fonts
  qt6-translations-l10n                    # Qt's own texts in German
  libgtest-dev libbenchmark-dev            # tests and benchmarks
  sqlite3 xvfb xdotool x11-utils           # driving the real program in tests
  desktop-file-utils appstream lintian     # checking the desktop entry, metadata and package
  dpkg-dev file                            # building the package (cpack)
  clang-format                             # the format check
  clang libclang-rt-14-dev                 # fuzzing with libFuzzer
)

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done

if [ "${#missing[@]}" -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}" >/dev/null
fi
