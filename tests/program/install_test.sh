#!/usr/bin/env bash
# Installs the build into a fresh prefix and checks what a desktop needs of it:
#   install_test.sh BUILD_DIR
# Exits 77 (skipped) without desktop-file-validate.
set -u
build=$1
command -v desktop-file-validate >/dev/null || { echo "SKIP: desktop-file-validate missing"; exit 77; }
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

cmake --install "$build" --prefix "$prefix" >/dev/null || fail "install failed"
desktop-file-validate "$prefix/share/applications/varedadav.desktop" || fail "desktop entry invalid"
grep -qx "Exec=$prefix/bin/varedadav" "$prefix/share/applications/varedadav.desktop" || fail "Exec"
[ -x "$prefix/bin/varedadav" ] || fail "no program on the path"
[ -f "$prefix/lib/varedadav/Lotto.mdb" ] || fail "no database beside the program"
for size in 32 48 64 128 256; do
  [ -f "$prefix/share/icons/hicolor/${size}x${size}/apps/varedadav.png" ] || fail "icon $size"
done

# A second install keeps the rows stored in the meantime.
printf 'stored' >>"$prefix/lib/varedadav/Lotto.mdb"
before=$(sha256sum <"$prefix/lib/varedadav/Lotto.mdb")
cmake --install "$build" --prefix "$prefix" >/dev/null || fail "second install failed"
[ "$(sha256sum <"$prefix/lib/varedadav/Lotto.mdb")" = "$before" ] || fail "install replaced the database"
echo "install checks passed"
