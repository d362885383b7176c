#!/usr/bin/env bash
# Installs the build into a DESTDIR and checks that the tree holds exactly the expected files (no developer
# tool, no test), that the data are the build's own, and that the icons are PNG pictures of their size.
# Usage: install_tree.sh <build folder> <expected file list>
set -euo pipefail
build="$1"
expected="$2"
fail() { echo "FAIL: $*" >&2; exit 1; }

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
prefix=/opt/zelmar
DESTDIR="$work/root" cmake --install "$build" --prefix "$prefix" >"$work/log" || fail "install: $(cat "$work/log")"

tree="$work/root$prefix"
(cd "$tree" && find . -mindepth 1 \( -type f -o -type l \) -printf '%P\n' | LC_ALL=C sort) >"$work/found"
LC_ALL=C sort "$expected" >"$work/wanted"
diff -u "$work/wanted" "$work/found" >&2 || fail "the installed files differ from $expected (- missing, + extra)"
find "$work/root" -mindepth 1 -maxdepth 1 ! -path "$work/root/opt" | grep -q . && fail "files outside the prefix"

[[ -x "$tree/bin/zelmar-chess" ]] || fail "the program is not executable"
for f in zelmar.dat zelmar.def title_theme.mp3 main_theme.mp3; do
  cmp -s "$build/bin/$f" "$tree/share/zelmar-chess/$f" || fail "$f differs from the build's"
done
while read -r icon; do
  size="${icon#share/icons/hicolor/}"
  size="${size%%/*}"
  [[ "$(identify -format '%m %wx%h' "$tree/$icon")" == "PNG $size" ]] || fail "$icon is not a $size PNG"
done < <(grep '^share/icons/' "$expected")
echo "install tree: $(wc -l <"$work/found") files, all as expected"
