#!/usr/bin/env bash
# The package on a clean Debian 12: installs the .deb with apt-get into a fresh minbase chroot (its
# dependencies come from Debian's mirror), starts the installed game there against a private X server
# outside (its socket bind-mounted in), presses "Start Game" and waits for the title screen, then quits by
# the menu with status 0. Every other program in the package is an engine and must answer "uci" with
# "uciok". The minbase tree is made once by debootstrap and kept in the cache folder (and the downloaded
# packages beside it); each run works on a fresh copy. Needs root (debootstrap, chroot, mounts) and the
# network the first time.
# Usage: clean_system.sh <build folder> <screenshot folder> [cache folder]
set -euo pipefail
build="$1"
shots="$2"
cache="${3:-/var/cache/zelmar-chess/clean-system}"
mirror="${ZELMAR_DEBIAN_MIRROR:-http://deb.debian.org/debian}"
# shellcheck source=../real_clicks.sh
source "$(dirname "${BASH_SOURCE[0]}")/../real_clicks.sh"
root="$work/root"
mounted=()
# The chroot's mounts go before its folder does; a mount that will not go keeps the folder.
unmount_all() {
  local i
  for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do umount "${mounted[i]}" 2>/dev/null || umount -l "${mounted[i]}" || true; done
  mounted=()
  if findmnt -rn -o TARGET | grep -q "^$root"; then echo "leaving $work: still mounted" >&2; work=""; fi
}
trap 'end_programs; unmount_all; [[ -z "$work" ]] || rm -rf "$work"' EXIT
bind() { mkdir -p "$2"; mount --bind "$1" "$2"; mounted+=("$2"); }

((EUID == 0)) || fail "needs root: debootstrap, chroot and bind mounts (run scripts/test as root or with sudo)"
for tool in debootstrap chroot cpack; do command -v "$tool" >/dev/null || fail "$tool is missing"; done
mkdir -p "$shots"
rm -f "$shots"/clean-*.png

# 1. The package, made from the build as scripts/package makes it.
cpack --config "$build/CPackConfig.cmake" -B "$work/package" >"$work/cpack.log" 2>&1 || fail "cpack: $(cat "$work/cpack.log")"
debs=("$work"/package/zelmar-chess_*_amd64.deb)
[[ -f "${debs[0]}" ]] || fail "no package made"
deb="${debs[0]}"

# 2. The cached minbase tree, made when missing (one run at a time builds it; a half-made one is redone).
mkdir -p "$cache"
exec 9>"$cache/lock"
flock 9
base="$cache/bookworm-minbase"
if [[ ! -e "$base/.complete" ]]; then
  rm -rf "$base"
  echo "clean system: making the minbase tree in $base (once)"
  debootstrap --variant=minbase bookworm "$base" "$mirror" >"$work/debootstrap.log" 2>&1 ||
    fail "debootstrap: $(tail -20 "$work/debootstrap.log")"
  touch "$base/.complete"
fi
flock -u 9

# 3. A fresh copy with Debian's usual sources; downloads are kept in the cache between runs.
cp -a "$base" "$root"
rm -f "$root/.complete"
printf 'deb %s bookworm main\ndeb %s bookworm-updates main\ndeb http://deb.debian.org/debian-security bookworm-security main\n' \
  "$mirror" "$mirror" >"$root/etc/apt/sources.list"
mkdir -p "$cache/archives/partial"
bind "$cache/archives" "$root/var/cache/apt/archives"
mount -t proc proc "$root/proc"
mounted+=("$root/proc")
bind /dev "$root/dev"
cp /etc/resolv.conf "$root/etc/resolv.conf"
cp "$deb" "$root/tmp/"
in_root() {
  chroot "$root" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin:/usr/games HOME=/root LANG=C.UTF-8 \
    DEBIAN_FRONTEND=noninteractive "$@"
}

# 4. apt-get installs the package and pulls every dependency it names (and nothing it only recommends).
in_root apt-get update -q >"$work/apt.log" 2>&1 || fail "apt-get update: $(tail -20 "$work/apt.log")"
in_root apt-get install -y -q --no-install-recommends "/tmp/$(basename "$deb")" >>"$work/apt.log" 2>&1 ||
  fail "apt-get install: $(tail -30 "$work/apt.log")"
[[ -x "$root/usr/games/zelmar-chess" ]] || fail "the package installed no /usr/games/zelmar-chess"

# 5. The installed game against a private X server outside, with a fresh home.
start_xvfb 1280x1024
bind /tmp/.X11-unix "$root/tmp/.X11-unix"
mkdir -p "$root/home/player"
chroot "$root" env -i PATH=/usr/bin:/bin:/usr/games HOME=/home/player DISPLAY="$DISPLAY" LANG=C.UTF-8 \
  NO_AT_BRIDGE=1 SDL_AUDIODRIVER=dummy /usr/games/zelmar-chess >"$work/stdout" 2>"$work/stderr" &
pid=$!
await_launcher "Zelmar Chess"
cp "$work/launcher.png" "$shots/clean-1-launcher.png"
click_launcher "$start_button_x" "$start_button_y"
await_game
title_drawn() { import -window "$game" "$shots/clean-2-title.png"; (($(colours "$shots/clean-2-title.png" 0 0 1024 768) > 64)); }
wait_for 30 title_drawn || fail "the title screen was not drawn: $(cat "$work/stderr")"
# "Quit", then the quit window's "Quit" (the clicks land with the motion in the same tick).
xdotool mousemove --window "$game" 183 292 click 1
quit_open() { import -window "$game" "$shots/clean-3-quit-window.png"; differs "$shots/clean-2-title.png" "$shots/clean-3-quit-window.png" 400 277 330 200; }
wait_for 20 quit_open || fail "\"Quit\" did not open the quit window"
xdotool mousemove --window "$game" 562 412 click 1
expect_end 20 Quit

# 6. Every other installed program is an engine: it answers "uci" with "uciok".
while read -r program; do
  answer="$(printf 'uci\nquit\n' | timeout 20 chroot "$root" env -i PATH=/usr/bin:/bin "$program" 2>&1 || true)"
  grep -q '^uciok' <<<"$answer" || fail "$program did not answer uci: $answer"
  echo "clean system: $program answers uci"
done < <(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {print substr($6, 2)}' | grep -E '^/usr/(games|bin)/' |
  grep -vx /usr/games/zelmar-chess)
echo "clean system: $(basename "$deb") installed in a fresh minbase bookworm with $(grep -c '^Setting up' "$work/apt.log") packages set up; the game reached its title screen"
