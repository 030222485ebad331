#!/usr/bin/env bash
# The package's maintainer scripts against what versions up to 1.1.0 left in /var/lib/varedadav,
# run in a scratch root (DPKG_ROOT): an upgrade closes the shared folder to writing, keeps the
# rows and makes SQLite's files beside them root's; a purge removes the folder with everything
# other users put in it; no script follows a link, soft or hard, out of it or makes anything on
# a fresh install.
#   maintainer_scripts_test.sh PACKAGING_DIR
# Exits 77 (skipped) unless run as root: the files of another user need it.
set -u
scripts=$1
[ "$(id -u)" -eq 0 ] || { echo "SKIP: needs root"; exit 77; }
root=$(mktemp -d)
trap 'umount -q "$root"/var/lib/varedadav/theirs/deep; rm -rf --one-file-system "$root"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
shared=$root/var/lib/varedadav
outside=$root/etc/passwd
# rm, chmod and chown note the shared folder's mode at the moment they act: a script may delete or change
# nothing in it while other users can still write there (closing the folder itself aside).
shims=$root/shims
mkdir -p "$shims"
for tool in rm chmod chown; do
  cat >"$shims/$tool" <<SHIM
#!/bin/sh
echo "$tool \$* | \$(stat -c %a "$shared" 2>/dev/null)" >>"$root/acts"
exec $(command -v $tool) "\$@"
SHIM
  chmod +x "$shims/$tool"
done
run() { PATH=$shims:$PATH DPKG_ROOT=$root sh "$scripts/$1" "${@:2}" || fail "$1 $* failed"; }
acted_while_open() { grep -v -E "^chmod [0-7]+ $shared \|" "$root/acts" | grep -E '\| 1?[0-7][0-7][2367]$'; }
mode() { stat -c %a "$1"; }

# What 1.1.0 made, and what other users (uid 65534) put beside it: SQLite's files, a pipe, links
# out of the folder, a folder of their own with a link deeper down.
old_state() {
  rm -rf "$root/var" "$root/etc" "$root/pipe"
  mkdir -p "$shared" "$root/etc"
  chmod 1777 "$shared"
  printf 'rows' >"$shared/Lotto.mdb"
  chmod 0666 "$shared/Lotto.mdb"
  printf 'root:x:0:0' >"$outside"
  chmod 0600 "$outside"
  chown 0:42 "$outside"
  mkfifo "$shared/Lotto.mdb-journal"
  ln -s "$root/pipe" "$shared/Lotto.mdb-wal"
  printf 'x' >"$shared/Lotto.mdb-shm"
  chmod 0666 "$shared/Lotto.mdb-shm"
  mkfifo "$shared/pipe" "$root/pipe"
  ln -s "$outside" "$shared/link"
  mkdir -p "$shared/theirs/deep"
  ln -s "$root/etc" "$shared/theirs/deep/up"
  chown -h 65534 "$shared"/Lotto.mdb-* "$root/pipe" "$shared/pipe" "$shared/link"
  chown -R -h 65534 "$shared/theirs"
}
outside_untouched() {
  [ "$(stat -c '%u:%g %a' "$outside")" = '0:42 600' ] && [ "$(cat "$outside")" = 'root:x:0:0' ] ||
    fail "$1: a file outside the folder was changed"
}

# Fresh install: nothing to close, nothing made.
rm -rf "$root/var"
run postinst configure ""
[ ! -e "$shared" ] || fail "fresh install made $shared"

# Upgrade from 1.1.0: folder and file closed to writing, the rows kept.
old_state
run postinst configure 1.1.0
[ "$(mode "$shared")" = 755 ] || fail "upgrade left the folder $(mode "$shared")"
[ "$(mode "$shared/Lotto.mdb")" = 644 ] || fail "upgrade left the file $(mode "$shared/Lotto.mdb")"
[ "$(cat "$shared/Lotto.mdb")" = rows ] || fail "upgrade changed the rows"
# A reader of the old rows must not hang on a pipe planted as SQLite's journal or log.
[ ! -e "$shared/Lotto.mdb-journal" ] && [ ! -L "$shared/Lotto.mdb-wal" ] ||
  fail "upgrade left a pipe or link under SQLite's names"
[ -f "$shared/Lotto.mdb-shm" ] && [ -p "$root/pipe" ] || fail "upgrade removed an ordinary file"
[ "$(stat -c '%u %a' "$shared/Lotto.mdb-shm")" = "0 644" ] ||
  fail "upgrade left another user's file beside the rows: $(stat -c '%u %a' "$shared/Lotto.mdb-shm")"
outside_untouched upgrade

# Links, hard or soft, to a file outside, as the rows or as SQLite's files: the outside file keeps
# its owner and mode, and SQLite's names are taken away.
for link in hard:Lotto.mdb hard:Lotto.mdb-journal soft:Lotto.mdb soft:Lotto.mdb-shm; do
  old_state
  name=${link#*:}
  rm "$shared/$name"
  if [ "${link%:*}" = soft ]; then ln -s "$outside" "$shared/$name"
  else ln "$outside" "$shared/$name"; fi
  run postinst configure 1.1.0
  outside_untouched "upgrade with a $link link"
  [ "$name" = Lotto.mdb ] || { [ ! -e "$shared/$name" ] && [ ! -L "$shared/$name" ]; } ||
    fail "upgrade kept a $link link"
done

# Remove keeps the rows; purge takes the folder and all in it, and nothing outside. A file system
# mounted in the folder is not the package's: purge leaves it and the folders down to it, takes
# all else and still succeeds.
for mounted in '' theirs/deep; do
  old_state
  if [ -n "$mounted" ]; then
    mount -t tmpfs tmpfs "$shared/$mounted" ||
      { echo "SKIP: purge around a mount: cannot mount"; continue; }
    : >"$shared/$mounted/kept"
  fi
  run postrm remove
  [ -f "$shared/Lotto.mdb" ] || fail "remove deleted the rows"
  run postrm purge
  left=$(find "$shared" -printf '%P ' 2>/dev/null)
  [ "$left" = "${mounted:+ theirs $mounted $mounted/kept }" ] || fail "purge left in $shared:$left"
  [ -z "$mounted" ] || umount "$shared/$mounted"
  outside_untouched purge
  [ -d "$root/etc" ] || fail "purge followed a link out of the folder"
done
# A file rm cannot remove is no mount: the purge fails and says so rather than pass over it.
old_state
if chattr +i "$shared/Lotto.mdb" 2>/dev/null; then
  PATH=$shims:$PATH DPKG_ROOT=$root sh "$scripts/postrm" purge 2>/dev/null &&
    fail "purge passed over a file it could not remove"
  chattr -i "$shared/Lotto.mdb"
else
  echo "SKIP: purge with a file it cannot remove: no immutable files here"
fi

# A folder that is not root's own is not the package's doing: purge leaves it.
old_state
chown 65534 "$shared"
run postrm purge
[ -f "$shared/Lotto.mdb" ] || fail "purge removed a folder root did not make"
# Nor is a link in the folder's place, even to a folder of root's: purge leaves that folder be.
chown 0 "$shared" && mv "$shared" "$root/moved" && ln -s "$root/moved" "$shared"
run postrm purge
[ "$(mode "$root/moved")" = 1777 ] && [ -f "$root/moved/Lotto.mdb" ] ||
  fail "purge followed the link $shared"

if acted_while_open; then fail "the lines above acted in the folder while others could write to it"; fi

[ "$failures" -eq 0 ] || exit 1
echo "maintainer script checks passed"
