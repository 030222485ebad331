#!/usr/bin/env bash
# Builds, once, what the Windows build links and keeps it in a cache outside the source tree:
#   scripts/windows/dependencies.sh        SQLite and GoogleTest (a few minutes)
#   scripts/windows/dependencies.sh qt     also Qt, static (about half an hour on two cores)
# Everything comes from Debian: the sources of its sqlite3 and qt6-base packages (apt-get source,
# through an apt configuration of the cache's own, so the machine's sources stay as they are),
# GoogleTest from /usr/src/googletest, and the header-only PCG library from /usr/include. Qt's source
# gets the small patches in scripts/windows/qt-patches before it is built.
# Prints the cache folder last. VAREDADAV_WINDOWS_CACHE names another cache folder.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
cache="${VAREDADAV_WINDOWS_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/varedadav-windows}"
mkdir -p "$cache" && cache="$(cd "$cache" && pwd -P)"  # Qt's build refuses a path through a link
toolchain=(-DCMAKE_TOOLCHAIN_FILE="$here/toolchain.cmake" -DVAREDADAV_WINDOWS_PREFIX="$cache/prefix")
mkdir -p "$cache/src" "$cache/prefix/include"
jobs="$(nproc)"

# Source packages of the machine's own release.
fetch_source() {
  local package="$1"
  . /etc/os-release
  mkdir -p "$cache/apt/lists/partial" "$cache/apt/cache/archives/partial"
  echo "deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] http://deb.debian.org/debian $VERSION_CODENAME main" \
    > "$cache/apt/sources.list"
  local apt=(-o Dir::Etc::SourceList="$cache/apt/sources.list" -o Dir::Etc::SourceParts=/dev/null
             -o Dir::State::Lists="$cache/apt/lists" -o Dir::Cache="$cache/apt/cache"
             -o APT::Sandbox::User="$(id -un)" -qq)  # downloads into the cache, as its owner
  [ -n "$(ls "$cache/apt/lists" | grep -v partial || true)" ] || apt-get "${apt[@]}" update
  (cd "$cache/src" && apt-get "${apt[@]}" source "$package" >/dev/null)
}
source_folder() { find "$cache/src" -mindepth 1 -maxdepth 1 -type d -name "$1-*" | head -1; }

if [ ! -f "$cache/prefix/lib/libsqlite3.a" ]; then
  echo "== SQLite for Windows"
  [ -n "$(source_folder sqlite3)" ] || fetch_source sqlite3
  sqlite="$(source_folder sqlite3)"
  # The amalgamation (one sqlite3.c), made by SQLite's own build; then compiled for Windows.
  (cd "$sqlite" && { [ -f sqlite3.c ] || { ./configure --disable-tcl >/dev/null && make sqlite3.c >/dev/null; }; })
  x86_64-w64-mingw32-gcc-posix -O2 -DSQLITE_THREADSAFE=1 -DSQLITE_DEFAULT_FOREIGN_KEYS=0 \
    -c "$sqlite/sqlite3.c" -o "$cache/sqlite3.o"
  mkdir -p "$cache/prefix/lib"
  x86_64-w64-mingw32-ar rcs "$cache/prefix/lib/libsqlite3.a" "$cache/sqlite3.o"
  cp "$sqlite/sqlite3.h" "$sqlite/sqlite3ext.h" "$cache/prefix/include/"
  rm "$cache/sqlite3.o"
fi

if [ ! -f "$cache/prefix/lib/cmake/GTest/GTestConfig.cmake" ]; then
  echo "== GoogleTest for Windows"
  cmake -S /usr/src/googletest -B "$cache/googletest-build" -G Ninja "${toolchain[@]}" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$cache/prefix" -Dgtest_disable_pthreads=OFF >/dev/null
  cmake --build "$cache/googletest-build" --parallel "$jobs" >/dev/null
  cmake --install "$cache/googletest-build" >/dev/null
fi

# Header-only libraries: only their own headers, never the host's whole /usr/include.
cp /usr/include/pcg_random.hpp /usr/include/pcg_extras.hpp /usr/include/pcg_uint128.hpp \
  "$cache/prefix/include/"
[ -d "$cache/prefix/include/utf8cpp" ] || cp -r /usr/include/utf8cpp "$cache/prefix/include/"
mkdir -p "$cache/prefix/utf8cpp-cmake"
cat >"$cache/prefix/utf8cpp-cmake/utf8cppConfig.cmake" <<CONFIG
add_library(utf8cpp INTERFACE IMPORTED)
set_target_properties(utf8cpp PROPERTIES INTERFACE_INCLUDE_DIRECTORIES "$cache/prefix/include/utf8cpp")
CONFIG

# Qt's source with the program's patches (scripts/windows/qt-patches), each applied once; a cached
# Qt that lacks one is rebuilt, which compiles only what the patch touched.
qt_patches=("$here"/qt-patches/*.patch)
patch_qt_source() {
  local source patch
  source="$(source_folder qt6-base)"
  for patch in "${qt_patches[@]}"; do
    [ -f "$source/.varedadav-$(basename "$patch")" ] && continue
    # A source patched by hand already is left as it is.
    patch -d "$source" -p1 --reverse --dry-run --quiet <"$patch" >/dev/null 2>&1 ||
      patch -d "$source" -p1 --forward --quiet <"$patch"
    touch "$source/.varedadav-$(basename "$patch")"
  done
}
qt_is_current() {
  local patch source
  [ -f "$cache/prefix/lib/cmake/Qt6/Qt6Config.cmake" ] || return 1
  source="$(source_folder qt6-base)"
  for patch in "${qt_patches[@]}"; do
    [ -n "$source" ] && [ -f "$source/.varedadav-$(basename "$patch")" ] || return 1
  done
}

if [ "${1:-}" = qt ] && ! qt_is_current; then
  echo "== Qt for Windows (static; once, about half an hour)"
  # Without tablet input: Debian's source leaves out Wacom's wintab.h for its licence.
  [ -n "$(source_folder qt6-base)" ] || fetch_source qt6-base
  patch_qt_source
  mkdir -p "$cache/qt-build"
  (cd "$cache/qt-build" &&
    { [ -f build.ninja ] ||
      "$(source_folder qt6-base)/configure" -prefix "$cache/prefix" -static -release \
        -xplatform win32-g++ -qt-host-path /usr \
        -no-opengl -no-dbus -no-icu -no-feature-sql -no-feature-network -no-feature-tabletevent \
        -qt-zlib -qt-pcre -qt-libpng -qt-libjpeg -qt-harfbuzz -qt-freetype \
        -nomake examples -nomake tests \
        -- -G Ninja "${toolchain[@]}" -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
        >"$cache/qt-configure.log"; } &&
    cmake --build . --parallel "$jobs" >"$cache/qt-build.log" &&
    cmake --install . >/dev/null)
fi
echo "$cache"
