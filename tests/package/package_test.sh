#!/usr/bin/env bash
# The .deb as a player gets it: built by CPack, unpacked into a scratch root,
# the installed game started headless from another folder (it must find its
# Assets and font under ../share/games/vexal and keep running), the installed
# level tool flying a shipped level with its replay exactly as the build's
# does, and lintian finding no errors.
# Usage: package_test.sh <build folder> <source folder>
set -euo pipefail
build=$(cd "$1" && pwd)
source=$(cd "$2" && pwd)
scratch=$(mktemp -d "${TMPDIR:-/tmp}/vexal-package.XXXXXX")
trap 'rm -rf "$scratch"' EXIT
fail() {
  echo "package_test: $*" >&2
  exit 1
}

cpack --config "$build/CPackConfig.cmake" -B "$scratch/cpack" >"$scratch/cpack.log" 2>&1 ||
  { cat "$scratch/cpack.log"; fail "cpack failed"; }
deb=$(ls "$scratch"/cpack/vexal_*.deb)
echo "package_test: built $(basename "$deb"), $(du -k "$deb" | cut -f1) KiB"

dpkg-deb -c "$deb" | awk '{print $6}' | sed 's|^\./|/|' >"$scratch/contents"
for path in /usr/games/vexal /usr/games/vexal-level \
  /usr/share/games/vexal/Assets/fonts/DejaVuSans.ttf /usr/share/games/vexal/Assets/fonts/LICENSE \
  /usr/share/games/vexal/Assets/levels/level_1.vexl /usr/share/games/vexal/Assets/appicon.ico \
  /usr/share/applications/vexal.desktop /usr/share/metainfo/vexal.metainfo.xml \
  /usr/share/icons/hicolor/48x48/apps/vexal.png /usr/share/icons/hicolor/256x256/apps/vexal.png \
  /usr/share/man/man6/vexal-level.6.gz /usr/share/doc/vexal/copyright; do
  grep -qx "$path" "$scratch/contents" || fail "the package lacks $path"
done
! grep -q '^/usr/share/games/vexal/Assets/icons' "$scratch/contents" ||
  fail "the icons belong in the icon theme, not the game's Assets"
! dpkg-deb -f "$deb" Depends | grep -q fontconfig || fail "the package still depends on fontconfig"

root="$scratch/root"
dpkg-deb -x "$deb" "$root"
mkdir -p "$scratch/home" "$scratch/elsewhere"

# Started from an unrelated folder with a fresh save folder; SDL turns the
# TERM of `timeout` into a quit, so 124 means it was still running.
status=0
(cd "$scratch/elsewhere" && HOME="$scratch/home" XDG_DATA_HOME="$scratch/home/data" \
  SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy \
  timeout 4 "$root/usr/games/vexal" >"$scratch/game.log" 2>&1) || status=$?
cat "$scratch/game.log"
[ "$status" -eq 124 ] || fail "the installed game stopped after less than 4 s (status $status)"
! grep -q 'Vexal: no ' "$scratch/game.log" || fail "the installed game missed its files"
[ -d "$scratch/home/data/Orrinth/Vexal" ] || fail "the installed game made no save folder"

level=level_1
"$build/vexal-level" run "$build/Assets/levels/$level.vexl" \
  --replay "$source/tests/replays/$level.replay" >"$scratch/expected.json"
"$root/usr/games/vexal-level" run "$root/usr/share/games/vexal/Assets/levels/$level.vexl" \
  --replay "$source/tests/replays/$level.replay" >"$scratch/installed.json" ||
  fail "the installed vexal-level failed"
cmp -s "$scratch/expected.json" "$scratch/installed.json" ||
  fail "the installed vexal-level flew $level differently: $(cat "$scratch/installed.json")"
grep -q '"' "$scratch/installed.json" || fail "the installed vexal-level printed no JSON"

if command -v lintian >/dev/null 2>&1; then
  lintian --fail-on error --tag-display-limit 0 "$deb" || fail "lintian found errors"
  echo "package_test: lintian found no errors"
else
  fail "lintian is missing (make bootstrap installs it)"
fi
echo "package_test: the installed game and level tool run"
