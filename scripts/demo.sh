#!/usr/bin/env bash
# The main job: make the demo pictures, convert them into a picture resource file, add the
# boot image and a cursor, build the demo module's flash image from them and its project
# file, and show what the image holds.
set -euo pipefail
cd "$(dirname "$0")/.."
dravick=build/src/cli/dravick
demo=examples/demo
out=$demo/out
mkdir -p "$out"
build/tools/make-pictures "$demo/pictures" --demo
"$dravick" picture --quiet -o "$out/Picture-demo" "$demo/pictures"
echo "Picture resource: $out/Picture-demo.bin ($(stat -c %s "$out/Picture-demo.bin") bytes)"
cat "$out/Picture-demo-Addr.txt"

# The boot image for the demo's 480 x 272 panel and a cursor drawn from the 32 x 32 icon.
"$dravick" boot --quiet --xsize 480 --ysize 272 -o "$out/Bootloader" >/dev/null
"$dravick" cursor --quiet --image "$demo/pictures/04_icon.bmp" -o "$out/Cursor-demo" >/dev/null

# The bin folder holds the resources; earlier flash images there have no kind and are
# left out. SOURCE_DATE_EPOCH, when set, makes the build time and so the image repeatable.
"$dravick" build --project "$demo/demo.ini" --bins "$out" --userinfo "$out/UserInfo" \
  -o "$out/Dravick_Flash"
echo "Flash image: $out/Dravick_Flash.bin ($(stat -c %s "$out/Dravick_Flash.bin") bytes)"
echo "Build listing ($out/UserInfo.txt):"
cat "$out/UserInfo.txt"
"$dravick" inspect "$out/Dravick_Flash.bin"
