#!/usr/bin/env bash
# Starts dravick-gui on a real X server (Xvfb) the size of a laptop screen, with no
# window manager, and opens every tool window from the menu with the keyboard (Alt,
# arrow keys, Enter). Each window must be mapped whole on the screen and no smaller than
# its controls need; the builder asks for a close box only. Then Exit, clicked with the
# mouse while the tool windows are open, must end the process within a few seconds.
# A screenshot of each window stays in $SCREENSHOTS.
set -u
source "$(dirname "${BASH_SOURCE[0]}")/xvfb.sh"
shots="${SCREENSHOTS:-$PWD/windows}"
mkdir -p "$shots"
screen_w=1366
screen_h=768
start_xvfb ${screen_w}x${screen_h} "$work"

failures=0
fail() {
  echo "FAILED: $*"
  failures=$((failures + 1))
}


# Checks that the window lies on the screen and is at least its minimum size.
check_fits() {
  local caption=$1 id=$2
  local info x y w h min
  info=$(xwininfo -id "$id")
  x=$(sed -n 's/.*Absolute upper-left X: *//p' <<<"$info")
  y=$(sed -n 's/.*Absolute upper-left Y: *//p' <<<"$info")
  w=$(sed -n 's/.*Width: *//p' <<<"$info")
  h=$(sed -n 's/.*Height: *//p' <<<"$info")
  grep -q "Map State: IsViewable" <<<"$info" || fail "$caption is not shown"
  if ((x < 0 || y < 0 || x + w > screen_w || y + h > screen_h)); then
    fail "$caption at ${w}x${h}+${x}+${y} does not fit ${screen_w}x${screen_h}"
  fi
  min=$(xprop -id "$id" WM_NORMAL_HINTS | sed -n 's/.*program specified minimum size: //p')
  if [ -n "$min" ]; then
    read -r min_w _ min_h <<<"$min"
    ((w >= min_w && h >= min_h)) || fail "$caption is ${w}x${h}, smaller than its controls (${min})"
  fi
  echo "$caption: ${w}x${h}+${x}+${y} (needs ${min:-nothing})"
}

start_gui "$work"
check_fits "Dravick Tool V1.641" "$main"
import -window root "$shots/main.png"

# The menu bar's items after "Exit", in order, with the caption of the window each opens.
captions=("Creat bootloader in spiflash" "Cursor tool" "Creat Chinese Font Lib " "BinFile Combine"
  "GIF Tool" "WAV Tool" "Dravick Tool" "Viewer")
files=(bootloader cursor font binfile giftool wavtool dravick viewer)
for i in "${!captions[@]}"; do
  xdotool windowraise "$main" windowfocus "$main"
  sleep 0.2
  xdotool key alt
  for _ in $(seq 0 "$i"); do xdotool key Right; done
  xdotool key Return
  id=$(window_of "${captions[$i]}")
  if [ -z "$id" ]; then
    fail "menu item $((i + 2)) did not open ${captions[$i]}"
    continue
  fi
  sleep 0.5
  check_fits "${captions[$i]}" "$id"
  import -window root "$shots/${files[$i]}.png"
done

# The builder asks for a close box only: no minimise (function 0x08, decoration 0x20)
# and no maximise (0x10, 0x40) in its Motif hints.
builder=$(window_of "Dravick Tool")
hints=$(xprop -id "$builder" _MOTIF_WM_HINTS | sed -n 's/.*= //p' | tr -d ' ')
IFS=, read -r flags functions decorations _ <<<"$hints"
if [ -z "$hints" ] || ((!(flags & 1) || functions & 0x18 || decorations & 0x60)); then
  fail "the builder asks for more than a close box (Motif hints: $hints)"
fi

# Exit, the first item of the menu bar, clicked with the mouse.
xdotool windowraise "$main"
sleep 0.2
eval "$(xdotool getwindowgeometry --shell "$main")"
xdotool mousemove $((X + 12)) $((Y + 9)) click 1
ended=""
for _ in $(seq 50); do
  if ! kill -0 "$gui" 2>/dev/null; then
    ended=yes
    break
  fi
  sleep 0.1
done
if [ -z "$ended" ]; then
  fail "the program still runs 5 s after Exit"
  import -window root "$shots/after-exit.png"
else
  wait "$gui"
  status=$?
  gui=""
  ((status == 0)) || { fail "the program ended with status $status"; cat "$work/gui.log"; }
fi

echo "screenshots: $shots"
if ((failures)); then
  echo "0 passed, 1 failed"
  exit 1
fi
echo "1 passed, 0 failed"
