#!/usr/bin/env bash
# cmake --install into a temporary prefix, move the whole install elsewhere, and start the game
# from there: it must find its pictures and sounds beside its own executable.
#   install_test.sh BUILD_DIR
set -euo pipefail
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "install_test: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$work/first" > "$work/install.log"
mv "$work/first" "$work/moved"
prefix=$work/moved

for f in bin/mojara lib/mojara/mojara lib/mojara/mojara-sim lib/mojara/pictures/sprites.png \
         lib/mojara/locale/en/LC_MESSAGES/mojara.mo lib/mojara/music2.mid lib/mojara/snd1.wav lib/mojara/snd2.wav lib/mojara/beep.wav \
         share/applications/net.mojara.Taisen.desktop share/metainfo/net.mojara.Taisen.metainfo.xml \
         share/icons/hicolor/256x256/apps/net.mojara.Taisen.png share/icons/hicolor/32x32/apps/net.mojara.Taisen.png; do
  [ -e "$prefix/$f" ] || fail "$f is missing from the install"
done
[ ! -e "$prefix/lib/mojara/pictures/contact-sheet.png" ] || fail "the review sheet was installed"

"$prefix/bin/mojara" --version | grep -q '^mojara ' || fail "mojara --version did not answer"
# The game starts from the moved install (a missing picture would stop it at once with a message).
status=0
XDG_CONFIG_HOME="$work/config" QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy timeout 3 "$prefix/bin/mojara" > "$work/run.log" 2>&1 || status=$?
[ "$status" = 124 ] || { cat "$work/run.log" >&2; fail "the installed game stopped with status $status"; }
# In English from the moved install, with no locale at all: the catalogue is found beside the game
# and read under any locale (the game names a catalogue it cannot read).
status=0
env -i HOME="$work" XDG_CONFIG_HOME="$work/config" QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy \
  timeout 3 "$prefix/bin/mojara" --lang en > "$work/run-en.log" 2>&1 || status=$?
[ "$status" = 124 ] || { cat "$work/run-en.log" >&2; fail "the installed game in English stopped with status $status"; }
! grep -q catalogue "$work/run-en.log" || { cat "$work/run-en.log" >&2; fail "the installed game did not read its catalogue"; }
rm "$prefix/lib/mojara/locale/en/LC_MESSAGES/mojara.mo"
env -i HOME="$work" XDG_CONFIG_HOME="$work/config" QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy \
  timeout 3 "$prefix/bin/mojara" --lang en > "$work/run-en.log" 2>&1 || true
grep -q "cannot read the catalogue .*/lib/mojara/locale/en/LC_MESSAGES/mojara.mo" "$work/run-en.log" ||
  { cat "$work/run-en.log" >&2; fail "a missing catalogue was not named"; }
# Its headless runner finds the sound files beside it too: the music plays on the first tick.
"$prefix/lib/mojara/mojara-sim" fight 0 1 --trace --max-events 51 | grep -q '"MMControl1","music2.mid"' ||
  fail "the installed runner did not play the music"
echo "install_test: installed, moved and started"
