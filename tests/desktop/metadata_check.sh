#!/usr/bin/env bash
# Checks the desktop files as shipped: the menu entry and the AppStream metadata, as the build translates
# them, pass their validators, speak every language of po/LINGUAS and agree with each other and with the
# build (application id, icon, program, version), the screenshots are shipped, and the manual page renders
# without a single warning.
# Usage: metadata_check.sh <desktop folder> <folder of the translated files> <po folder> <application id> <version>
set -euo pipefail
dir="$1"
built="$2"
po="$3"
id="$4"
version="$5"
fail() { echo "FAIL: $*" >&2; exit 1; }

entry="$built/$id.desktop"
meta="$built/$id.metainfo.xml"
desktop-file-validate "$entry" || fail "desktop-file-validate refused $entry"
appstreamcli validate --no-net --strict "$meta" || fail "appstreamcli refused $meta"

# One id, one icon, one program, one version everywhere.
grep -qx "Icon=$id" "$entry" || fail "the menu entry's icon is not $id"
grep -qx "Exec=zelmar-chess %f" "$entry" || fail "the menu entry does not start zelmar-chess with the file opened"
# The PGN type in both files, so that a file manager's "Open with" offers the game.
grep -qx "MimeType=application/x-chess-pgn;" "$entry" || fail "the menu entry does not declare the PGN type"
grep -q "<mediatype>application/x-chess-pgn</mediatype>" "$meta" || fail "the metadata does not provide the PGN type"
grep -qx "Categories=Game;BoardGame;" "$entry" || fail "the menu entry's categories"
for key in Name Comment Keywords; do
  grep -q "^$key=." "$entry" || fail "the menu entry has no $key"
done
# Every catalogue's translations in both files.
while read -r lang; do
  for key in Name GenericName Comment Keywords; do
    grep -q "^$key\[$lang\]=." "$entry" || fail "the menu entry has no $key[$lang]"
  done
  grep -q "<summary xml:lang=\"$lang\">" "$meta" || fail "the metadata has no summary in $lang"
done < <(sed -e 's/#.*//' -e 's/[[:space:]]//g' "$po/LINGUAS" | grep -v '^$')
grep -q "<id>$id</id>" "$meta" || fail "the metadata's id is not $id"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$meta" || fail "the metadata launches another entry"
grep -q "<release version=\"$version\"" "$meta" || fail "the metadata has no release $version"

# Every screenshot is shipped in desktop/screenshots/ under the name of its address, at its stated size.
shots=0
while read -r width height name; do
  file="$dir/screenshots/$name"
  [[ -f "$file" ]] || fail "screenshot $name is not in $dir/screenshots"
  [[ "$(identify -format '%m %wx%h' "$file")" == "PNG ${width}x$height" ]] || fail "$name is not a ${width}x$height PNG"
  shots=$((shots + 1))
done < <(sed -n 's|.*<image type="source" width="\([0-9]*\)" height="\([0-9]*\)">https://www.zelmarchess.com/screenshots/\([^<]*\)</image>.*|\1 \2 \3|p' "$meta")
((shots > 0)) || fail "the metadata shows no screenshot"
[[ "$(grep -c '<image' "$meta")" == "$shots" ]] || fail "a screenshot lies elsewhere than the shipped folder"

# The manual page: groff is quiet with every warning on.
page="$dir/zelmar-chess.6"
warnings="$(LC_ALL=C.UTF-8 groff -man -Tutf8 -ww -z "$page" 2>&1)"
[[ -z "$warnings" ]] || fail "the manual page renders with warnings: $warnings"
grep -q "^\.TH ZELMAR-CHESS 6 .*\"Zelmar Chess $version\"" "$page" || fail "the manual page is not of version $version"
for section in NAME SYNOPSIS DESCRIPTION FILES ENVIRONMENT; do
  grep -qx "\.SH $section" "$page" || fail "the manual page has no $section"
done
echo "desktop metadata: all checks passed"
