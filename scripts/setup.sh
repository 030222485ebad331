#!/usr/bin/env bash
# Installs whatever the project needs that this Debian 12 or 13 machine lacks. Safe to run again:
# it only calls apt-get when a package is missing. Every name below exists on both releases.
#   scripts/setup.sh           everything: build, tests, fuzzing, the package checks
#   scripts/setup.sh program   only what building and starting the program need
#   scripts/setup.sh windows   everything, and what the Windows downloads and their test need
set -euo pipefail

program_packages=(
  cmake ninja-build g++ pkg-config         # build
  qt6-base-dev libsqlite3-dev              # libraries the program uses
  libpcg-cpp-dev                           # the random generator (header only)
  libutfcpp-dev                            # UTF-8 decoding of names read from files
  libgtest-dev libbenchmark-dev            # the build folder is configured with the tests
  fonts-liberation                         # the dialog and report fonts
  qt6-translations-l10n                    # Qt's own texts in German
)
test_packages=(
  sqlite3 xvfb xdotool x11-utils           # driving the real program in tests
  desktop-file-utils appstream lintian     # checking the desktop entry, metadata and package
  dpkg-dev file                            # building the package (cpack)
  clang-format                             # the format check
  clang libclang-rt-dev                    # fuzzing with libFuzzer (the release's own clang)
  mingw-w64 wine64                         # the tests cross-built for Windows, run under Wine
  tcl                                      # SQLite's build makes its one-file source with it
)
windows_packages=(
  nsis                                     # the Windows installer
  openbox xclip locales                    # driving the installed program under Wine
  icoutils                                 # reading the icon out of the program file
  debootstrap                              # the Debian 13 root of the Windows screen-reader check
)

case "${1:-all}" in
  program) packages=("${program_packages[@]}") ;;
  all) packages=("${program_packages[@]}" "${test_packages[@]}") ;;
  windows) packages=("${program_packages[@]}" "${test_packages[@]}" "${windows_packages[@]}") ;;
  *) echo "usage: scripts/setup.sh [program|windows]" >&2; exit 2 ;;
esac

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
