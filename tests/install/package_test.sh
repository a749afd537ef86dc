#!/usr/bin/env bash
# cpack -G DEB into a temporary folder, then the package as Debian sees it: its control fields and
# Depends, its files at their /usr places, the game started from the unpacked tree, and the three
# validators (lintian, appstreamcli, desktop-file-validate).
#   package_test.sh BUILD_DIR VERSION SANITIZED
set -euo pipefail
build=$1 version=$2 sanitized=$3
# A sanitized build's programs need the sanitizer runtimes and are no game to ship: nothing to do.
if [ "$sanitized" = 1 ]; then
  echo "package_test: skipped in a sanitized build"
  exit 77
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "package_test: $*" >&2; exit 1; }
for tool in cpack dpkg-deb dpkg-shlibdeps lintian appstreamcli desktop-file-validate; do
  command -v "$tool" > /dev/null || fail "$tool is missing (scripts/deps installs it)"
done

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/out" > "$work/cpack.log" 2>&1 ||
  { cat "$work/cpack.log" >&2; fail "cpack failed"; }
deb=$work/out/mojara_${version}_$(dpkg --print-architecture).deb
[ -f "$deb" ] || { ls "$work/out" >&2; fail "no $(basename "$deb")"; }

# The control fields, and the run-time dependencies apt must pull in: the libraries found by
# dpkg-shlibdeps and what the game opens by path (the soundfont, the two fonts).
field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = mojara ] || fail "package name is '$(field Package)'"
[ "$(field Version)" = "$version" ] || fail "version is '$(field Version)'"
[ "$(field Section)" = games ] || fail "section is '$(field Section)'"
depends=$(field Depends)
for dep in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 libsdl2-2.0-0 libsdl2-mixer-2.0-0 \
           libfluidsynth3 timgm6mb-soundfont fonts-ipafont-gothic fonts-ipafont-mincho; do
  [[ ", $depends," == *", $dep "* || ", $depends," == *", $dep,"* ]] || fail "Depends lacks $dep: $depends"
done

root=$work/root
dpkg-deb -x "$deb" "$root"
for f in usr/games/mojara usr/lib/mojara/mojara usr/lib/mojara/mojara-sim usr/lib/mojara/pictures/sprites.png \
         usr/lib/mojara/pictures/title.png usr/lib/mojara/music2.mid usr/lib/mojara/snd1.wav \
         usr/lib/mojara/snd2.wav usr/lib/mojara/beep.wav \
         usr/share/applications/net.mojara.Taisen.desktop usr/share/metainfo/net.mojara.Taisen.metainfo.xml \
         usr/share/icons/hicolor/32x32/apps/net.mojara.Taisen.png \
         usr/share/icons/hicolor/256x256/apps/net.mojara.Taisen.png \
         usr/share/doc/mojara/copyright usr/share/doc/mojara/changelog.gz usr/share/man/man6/mojara.6.gz; do
  [ -e "$root/$f" ] || fail "/$f is missing from the package"
done
[ "$(readlink "$root/usr/games/mojara")" = ../lib/mojara/mojara ] || fail "/usr/games/mojara does not link to the game"
[ "$(readlink "$root/usr/bin/mojara")" = ../games/mojara ] || fail "/usr/bin/mojara does not link to /usr/games/mojara"
[ "$(ls "$root/usr/bin")" = mojara ] || fail "the package puts more than mojara in /usr/bin: $(ls "$root/usr/bin")"
[ ! -e "$root/usr/lib/mojara/pictures/contact-sheet.png" ] || fail "the review sheet was packaged"
for program in mojara mojara-sim; do
  readelf -S "$root/usr/lib/mojara/$program" | grep -q '\.symtab' && fail "$program is not stripped"
done
# The changelog's top entry is this version: lintian reads it so, and so does a player.
zcat "$root/usr/share/doc/mojara/changelog.gz" | head -1 | grep -q "^mojara ($version) " ||
  fail "the changelog does not start with $version"

# The game from the unpacked tree, through its link, as the desktop entry and each of its actions
# start it (the title window; a versus fight): still running 3 s later.
"$root/usr/games/mojara" --version | grep -qx "mojara $version" || fail "mojara --version did not answer $version"
desktop_file="$root/usr/share/applications/net.mojara.Taisen.desktop"
grep -q '^Exec=mojara --versus ' "$desktop_file" || fail "the desktop entry has no Versus action"
grep '^Exec=mojara' "$desktop_file" | while IFS= read -r exec; do
  read -r -a words <<< "${exec#Exec=mojara}"
  status=0
  XDG_CONFIG_HOME="$work/config" QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy timeout 3 \
    "$root/usr/games/mojara" "${words[@]}" > "$work/run.log" 2>&1 || status=$?
  [ "$status" = 124 ] || { cat "$work/run.log" >&2; fail "the packaged game ($exec) stopped with status $status"; }
done

# The validators, every line they print shown; any desktop-file or AppStream remark fails, and so
# does any lintian error.
for desktop in "$root"/usr/share/applications/*.desktop; do
  out=$(desktop-file-validate "$desktop" 2>&1) || { echo "$out" >&2; fail "desktop-file-validate refused $(basename "$desktop")"; }
  [ -z "$out" ] || { echo "$out" >&2; fail "desktop-file-validate remarks on $(basename "$desktop")"; }
done
for metainfo in "$root"/usr/share/metainfo/*.xml; do
  appstreamcli validate --no-net "$metainfo" > "$work/appstream.log" 2>&1 ||
    { cat "$work/appstream.log" >&2; fail "appstreamcli validate refused $(basename "$metainfo")"; }
done
# (lintian's advice not to run as root is no finding about the package)
status=0
lintian --fail-on error "$deb" > "$work/lintian.log" 2>&1 || status=$?
grep -v '^running with root privileges is not recommended!$' "$work/lintian.log" || true
[ "$status" = 0 ] || fail "lintian found errors"
echo "package_test: $(basename "$deb") built, unpacked, started and validated"
