#!/usr/bin/env bash
# The viewer and the panel preview on a real X server (Xvfb) the size of a laptop screen.
# A small flash image is made with the command line (pictures, a GIF, a string font and
# a cursor); the viewer opens it from the menu through its file dialog, by the keyboard,
# and shows the first picture zoomed. Then the main window previews a picture with
# "Panel preview" checked. A screenshot of each stays in $SCREENSHOTS.
set -u
source "$(dirname "${BASH_SOURCE[0]}")/xvfb.sh"
shots="${SCREENSHOTS:-$PWD}"
mkdir -p "$shots"
failures=0
fail() {
  echo "FAILED: $*"
  failures=$((failures + 1))
}

# The flash image, as the demo makes its own.
media="$work/media" bins="$work/bins"
mkdir -p "$media" "$bins"
"$MAKE_PICTURES" "$work/pictures" --demo "$media/spinner.gif" || fail "make-pictures"
printf 'Temp 0123456789\n' >"$media/font.txt"
"$DRAVICK" picture --quiet -o "$bins/Picture-demo" "$work/pictures" >/dev/null 2>>"$work/cli.log" || fail "picture"
"$DRAVICK" gif --quiet -o "$bins/Gif-spinner" "$media/spinner.gif" >/dev/null 2>>"$work/cli.log" || fail "gif"
"$DRAVICK" font string --quiet --text "$media/font.txt" -o "$bins/Font_demo" >/dev/null 2>>"$work/cli.log" ||
  fail "font"
"$DRAVICK" cursor --quiet --image "$work/pictures/04_icon.bmp" -o "$bins/Cursor-demo" \
  >/dev/null 2>>"$work/cli.log" || fail "cursor"
"$DRAVICK" build --quiet --project "$DRAVICK_SOURCE/examples/demo/demo.ini" --bins "$bins" \
  --userinfo "$work/UserInfo" -o "$work/Dravick_Flash" >/dev/null 2>>"$work/cli.log" || fail "build"
flash="$work/Dravick_Flash.bin"
[ -f "$flash" ] || { echo "FAILED: no flash image"; cat "$work/cli.log"; exit 1; }

start_xvfb 1366x768 "$work"

# Waits until no viewable window has this caption.
gone() {
  for _ in $(seq 50); do
    [ -z "$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null)" ] && return 0
    sleep 0.1
  done
  return 1
}
colours() { convert "$1" -format %k info:; }
# Types a path into the file dialog that has just opened and accepts it.
choose_file() {
  local dialog
  dialog=$(window_of "$1")
  [ -n "$dialog" ] || { fail "no dialog '$1'"; return; }
  sleep 0.5
  xdotool type --delay 5 "$2"
  xdotool key Return
  gone "$1" || fail "the dialog '$1' stayed open"
  sleep 0.5
}

start_gui "$work"

# The menu's ninth item after "Exit" opens the viewer.
xdotool windowfocus "$main"
sleep 0.2
xdotool key alt
for _ in $(seq 8); do xdotool key Right; done
xdotool key Return
viewer=$(window_of "Viewer")
if [ -z "$viewer" ]; then
  fail "the menu did not open the viewer"
else
  sleep 0.5
  import -window root "$work/empty.png"
  xdotool windowfocus "$viewer"
  sleep 0.2
  xdotool key alt+o
  choose_file "Open" "$flash"
  # No message box: the file opened.
  [ -n "$(xdotool search --onlyvisible --name '^Dravick Tool$' 2>/dev/null)" ] &&
    fail "a message box came up: $(cat "$work/gui.log")"
  # The first entry, a picture, zoomed three times.
  xdotool windowfocus "$viewer"
  sleep 0.2
  for key in alt+e Down Up alt+z Up Up; do
    xdotool key "$key"
    sleep 0.2
  done
  sleep 0.5
  import -window root "$shots/dravick-viewer.png"
  before=$(colours "$work/empty.png")
  after=$(colours "$shots/dravick-viewer.png")
  # The photo-like picture brings thousands of colours to a window of a few dozen.
  ((after > before + 1000)) || fail "the viewer shows no picture ($before, then $after colours)"
  echo "viewer: $shots/dravick-viewer.png ($after colours)"
  xdotool key alt+c
  gone "Viewer" || fail "Close left the viewer open"
fi

# The main window previews the badge (transparent corners): Input Picture is the second
# stop of the focus chain at start, "Panel preview" fifteen stops after it. Keyed, the
# corners show the checkerboard.
xdotool windowfocus "$main"
sleep 0.3
xdotool key Tab Tab space
choose_file "Open" "$work/pictures/02_badge.png"
# The left half of the window, where the preview is; the check box lies on the right.
preview="660x500+0+30"
import -window root "$work/plain.png"
xdotool windowfocus "$main"
sleep 0.3
for _ in $(seq 15); do xdotool key Tab; done
xdotool key space
sleep 0.5
import -window root "$shots/dravick-panel-preview.png"
convert "$work/plain.png" -crop $preview +repage "$work/plain-part.png"
convert "$shots/dravick-panel-preview.png" -crop $preview +repage "$work/panel-part.png"
changed=$(compare -metric AE "$work/plain-part.png" "$work/panel-part.png" null: 2>&1)
[[ "$changed" =~ ^[0-9] ]] || changed=0
# The keyed corners and the R5G6B5 levels: a good part of the badge changes.
((${changed%%.*} > 300)) || fail "Panel preview changed $changed pixels of the badge"
echo "panel preview: $shots/dravick-panel-preview.png ($changed pixels of the badge changed)"

echo "screenshots: $shots"
if ((failures)); then
  echo "0 passed, 1 failed"
  exit 1
fi
echo "1 passed, 0 failed"
