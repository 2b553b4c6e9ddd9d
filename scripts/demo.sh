#!/usr/bin/env bash
# The main job: make the demo's pictures, animation, sound and text, convert them into
# resource files, add the boot image and a cursor, build the demo module's flash image
# from them and its project file, and show what the image holds.
set -euo pipefail
cd "$(dirname "$0")/.."
dravick=build/src/cli/dravick
demo=examples/demo
out=$demo/out
mkdir -p "$out" "$demo/media"
rm -f "$out"/*.bin "$out"/*.txt
build/tools/make-pictures "$demo/pictures" --demo "$demo/media/spinner.gif"

le16() { printf "\\x%02x\\x%02x" $(($1 & 255)) $((($1 >> 8) & 255)); }
le32() { le16 $(($1 & 65535)); le16 $((($1 >> 16) & 65535)); }
# A quarter second of a 400 Hz square wave, 16-bit mono at 8000 Hz.
write_beep() {
  local high low
  high=$(le16 8000)
  low=$(le16 $((65536 - 8000)))
  {
    printf 'RIFF'; printf "$(le32 4036)"; printf 'WAVEfmt '; printf "$(le32 16)"
    printf "$(le16 1)$(le16 1)$(le32 8000)$(le32 16000)$(le16 2)$(le16 16)"
    printf 'data'; printf "$(le32 4000)"
    for ((period = 0; period < 100; period++)); do
      for ((i = 0; i < 10; i++)); do printf "$high"; done
      for ((i = 0; i < 10; i++)); do printf "$low"; done
    done
  } >"$1"
}
write_beep "$demo/media/beep.wav"
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
