#!/usr/bin/env bash
# Makes the Debian package with CPack from the build and checks it: exactly the installed files (the
# program in /usr/games, as Debian keeps games), dependencies found from the linked libraries, a stripped
# program, every program built hardened as Debian builds its packages (hardening-check: PIE, stack protector,
# fortified functions, read-only relocations, immediate binding), and no lintian error. Prints the package's
# size, the hardening report and lintian's warnings.
# Usage: package_check.sh <build folder> <expected file list>
set -euo pipefail
build="$1"
expected="$2"
fail() { echo "FAIL: $*" >&2; exit 1; }

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cpack --config "$build/CPackConfig.cmake" -B "$work" >"$work/log" 2>&1 || fail "cpack: $(cat "$work/log")"
debs=("$work"/zelmar-chess_*_amd64.deb)
((${#debs[@]} == 1)) && [[ -f "${debs[0]}" ]] || fail "no single package in $(ls "$work")"
deb="${debs[0]}"

# 1. The files: the install's own, under /usr, with the program in /usr/games.
dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {print $6}' | sed 's|^\./usr/||' | LC_ALL=C sort >"$work/found"
sed 's|^bin/|games/|' "$expected" | LC_ALL=C sort >"$work/wanted"
diff -u "$work/wanted" "$work/found" >&2 || fail "the package's files differ (- missing, + extra)"

# 2. The control fields: dependencies from shlibdeps (and the OpenGL library SDL opens), the games section.
depends="$(dpkg-deb -f "$deb" Depends)"
names=" $(sed -e 's/ *([^)]*)//g' -e 's/,/ /g' <<<"$depends") "
for lib in libc6 libstdc++6 libgtk-3-0 libsdl2-2.0-0 libmpg123-0 libgl1; do
  [[ "$names" == *" $lib "* ]] || fail "Depends lacks $lib: $depends"
done
[[ "$(dpkg-deb -f "$deb" Section)" == games ]] || fail "section $(dpkg-deb -f "$deb" Section)"

# 3. The program is stripped.
dpkg-deb -x "$deb" "$work/root"
file -b "$work/root/usr/games/zelmar-chess" | grep -q ', stripped' || fail "the program is not stripped"

# 4. Every program in the package is hardened; hardening-check's report is printed.
command -v hardening-check >/dev/null || fail "hardening-check is missing (Debian package devscripts)"
mapfile -t programs < <(find "$work/root" -type f -perm -u+x -exec sh -c 'file -b "$1" | grep -q "^ELF"' _ {} \; -print)
((${#programs[@]} > 0)) || fail "no program in the package"
# Control-flow protection is not asked for: Debian 12's C start files carry no CET marks, so no program
# linked there can show it (its own programs do not either), whatever the compiler was told.
for program in "${programs[@]}"; do
  hardening-check --nocfprotection "$program" >"$work/hardening" 2>&1 || fail "not hardened: $(cat "$work/hardening")"
  sed "s|$work/root||" "$work/hardening"
done

# 5. lintian: errors fail the test, warnings are listed.
lintian --fail-on error --no-tag-display-limit "$deb" >"$work/lintian" 2>&1 || fail "lintian: $(cat "$work/lintian")"
echo "package: $(basename "$deb"), $(stat -c %s "$deb") bytes, installed size $(dpkg-deb -f "$deb" Installed-Size) KiB"
echo "package: Depends: $depends"
grep '^W: ' "$work/lintian" || echo "package: lintian reports no warnings"
