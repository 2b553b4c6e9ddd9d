#!/usr/bin/env bash
# The main job: make the demo's pictures, animation, sound and text, convert them into
# resource files, add the boot image and a cursor, build the demo module's flash image
# from them and its project file, and show what the image holds. DRAVICK and MAKE_PICTURES
# name other programs than build/'s, such as the installed dravick.
set -euo pipefail
cd "$(dirname "$0")/.."
dravick=${DRAVICK:-build/src/cli/dravick}
make_pictures=${MAKE_PICTURES:-build/tools/make-pictures}
demo=examples/demo
out=$demo/out
rm -rf "$demo/media"
mkdir -p "$out" "$demo/media"
rm -f "$out"/*.bin "$out"/*.txt
"$make_pictures" "$demo/pictures" --demo "$demo/media/spinner.gif" "$demo/media/beep.wav"
# The string font's text, in the text code page (GBK): "Temp 0123456789" and 温度.
printf 'Temp 0123456789\n\xce\xc2\xb6\xc8' >"$demo/media/font.txt"

"$dravick" picture --quiet -o "$out/Picture-demo" "$demo/pictures"
echo "Picture resource: $out/Picture-demo.bin ($(stat -c %s "$out/Picture-demo.bin") bytes)"
cat "$out/Picture-demo-Addr.txt"

"$dravick" gif --quiet -o "$out/Gif-spinner" "$demo/media/spinner.gif"
"$dravick" wav --quiet -o "$out/Wav-beep" "$demo/media/beep.wav"
"$dravick" font string --quiet --text "$demo/media/font.txt" -o "$out/Font_demo"

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

# And back: what the module will show, as PNG and WAV files with a contents listing. A
# flash image does not record a sound's format; the demo's beep was converted at 16 bits.
rm -rf "$out/extract"
"$dravick" extract --quiet --bits 16 "$out/Dravick_Flash.bin" -d "$out/extract"
echo "Extracted into $out/extract ($out/extract/contents.txt):"
cat "$out/extract/contents.txt"
