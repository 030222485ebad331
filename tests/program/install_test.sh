#!/usr/bin/env bash
# Installs the build into a fresh prefix and checks what a desktop needs of it; then, when the
# build is not instrumented, builds the Debian package and has lintian check it:
#   install_test.sh BUILD_DIR [package]
# Exits 77 (skipped) without desktop-file-validate, appstreamcli or lintian.
set -u
build=$1
for tool in desktop-file-validate appstreamcli; do
  command -v $tool >/dev/null || { echo "SKIP: $tool missing"; exit 77; }
done
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
fail() { echo "FAIL: $*"; exit 1; }
id=de.varedadav.varedadav

cmake --install "$build" --prefix "$prefix" >/dev/null || fail "install failed"
desktop-file-validate "$prefix/share/applications/$id.desktop" || fail "desktop entry invalid"
grep -qx "Exec=$prefix/bin/varedadav" "$prefix/share/applications/$id.desktop" || fail "Exec"
# The project has no public home page, so the metadata names none: AppStream 1.0 (Debian 13)
# warns of that (url-homepage-missing), 0.16 (Debian 12) does not look. Nothing else may be found.
report=$(appstreamcli validate-tree --no-net "$prefix" 2>&1) ||
  { printf '%s\n' "$report" | grep -qE '^ *W: .*: url-homepage-missing$' &&
    ! printf '%s\n' "$report" | grep -E '^ *[EW]: ' | grep -qv ': url-homepage-missing$'; } ||
  { printf '%s\n' "$report"; fail "AppStream metadata invalid"; }
[ -x "$prefix/bin/varedadav" ] || fail "no program on the path"
[ -f "$prefix/lib/varedadav/Lotto.mdb" ] || fail "no database beside the program"
[ ! -e "$prefix/share/varedadav" ] || fail "an install of the user's own ships the empty database"
[ -f "$prefix/share/man/man6/varedadav.6.gz" ] || fail "no manual page"
for size in 32 48 64 128 256; do
  [ -f "$prefix/share/icons/hicolor/${size}x${size}/apps/varedadav.png" ] || fail "icon $size"
done

# A second install keeps the rows stored in the meantime.
printf 'stored' >>"$prefix/lib/varedadav/Lotto.mdb"
before=$(sha256sum <"$prefix/lib/varedadav/Lotto.mdb")
cmake --install "$build" --prefix "$prefix" >/dev/null || fail "second install failed"
[ "$(sha256sum <"$prefix/lib/varedadav/Lotto.mdb")" = "$before" ] || fail "install replaced the database"

# Installed for the whole machine (/usr, as the package): nothing beside the program, the empty
# database for each user's own, nothing any other user may write.
staged=$prefix/staged
DESTDIR=$staged cmake --install "$build" --prefix /usr >/dev/null || fail "install to /usr failed"
[ -x "$staged/usr/lib/varedadav/varedadav" ] || fail "no program in /usr/lib/varedadav"
[ ! -e "$staged/usr/lib/varedadav/Lotto.mdb" ] && [ ! -L "$staged/usr/lib/varedadav/Lotto.mdb" ] ||
  fail "a database beside the program installed for all users"
[ "$(stat -c %a "$staged/usr/share/varedadav/Lotto-empty.mdb")" = 644 ] ||
  fail "no empty database for the users' own, or not 0644"
writable=$(find "$staged" ! -type l -perm /022)
[ -z "$writable" ] || fail "installed writable for others: $writable"

# Over what 1.1.0 installed to /usr by hand, the prefix spelled /usr/./: its link to the rows all
# users shared goes, and a folder that was there keeps its mode.
again=$prefix/again
mkdir -p "$again/usr/lib/varedadav" "$again/usr/games"
chmod 0750 "$again/usr/games"
ln -s /var/lib/varedadav/Lotto.mdb "$again/usr/lib/varedadav/Lotto.mdb"
DESTDIR=$again cmake --install "$build" --prefix /usr/./ >/dev/null || fail "install to /usr/./ failed"
[ ! -L "$again/usr/lib/varedadav/Lotto.mdb" ] || fail "1.1.0's link to the shared rows was kept"
[ -f "$again/usr/share/varedadav/Lotto-empty.mdb" ] || fail "/usr/./ not installed as /usr"
grep -qx "Exec=/usr/games/varedadav" "$again/usr/share/applications/$id.desktop" || fail "Exec for /usr/./"
[ "$(stat -c %a "$again/usr/games")" = 750 ] || fail "install changed a folder it did not make"
# A link there that is not 1.1.0's, however close, is someone's own doing: it stays.
ln -s /var/lib/varedadav/Lotto.mdb.1 "$again/usr/lib/varedadav/Lotto.mdb"
DESTDIR=$again cmake --install "$build" --prefix /usr >/dev/null || fail "install over a link failed"
[ "$(readlink "$again/usr/lib/varedadav/Lotto.mdb")" = /var/lib/varedadav/Lotto.mdb.1 ] ||
  fail "install removed a link that was not 1.1.0's"
echo "install checks passed"

[ "${2:-}" = package ] || exit 0
command -v lintian >/dev/null || { echo "SKIP: lintian missing"; exit 77; }
(cd "$prefix" && cpack --config "$build/CPackConfig.cmake" -B "$prefix/package" >/dev/null) ||
  fail "cpack failed"
deb=$(ls "$prefix"/package/varedadav_*.deb) || fail "no package"
writable=$(dpkg-deb -c "$deb" | awk '$1 !~ /^l/ && (substr($1, 6, 1) == "w" || substr($1, 9, 1) == "w")')
[ -z "$writable" ] || fail "the package installs files others may write: $writable"
dpkg-deb -c "$deb" | grep -q -E '/var/|Lotto\.mdb$' && fail "the package ships a shared database"
dpkg-deb -f "$deb" Depends | grep -q -E '(^|, )fonts-liberation(,|$)' || fail "no dependency on the fonts"
findings=$(lintian --fail-on error,warning "$deb" 2>&1)
status=$?
printf '%s\n' "$findings" | grep -v 'running with root privileges'
[ $status -eq 0 ] || fail "lintian reports errors or warnings"
echo "package checks passed"
