#!/usr/bin/env bash
# `dravick extract`: a flash image and single resource files written out as PNG and WAV
# files with a contents listing; bad entries named on stderr while the rest is written.
set -u
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
fail() { echo "FAILED: $*"; exit 1; }
make() { "$MAKE_PICTURES" pics --solid "$@" >/dev/null; }
# Bytes [skip, skip + count) of a file.
slice() { tail -c +$(($2 + 1)) "$1" | head -c "$3"; }
le16() { od -An -tu2 -j "$2" -N2 "$1" | tr -d ' '; }
le32() { od -An -tu4 -j "$2" -N4 "$1" | tr -d ' '; }

mkdir bins
make a.png 5 3 200 100 50
make b.bmp 7 2 0 0 0
"$DRAVICK" picture --quiet -o bins/Picture-a pics 2>/dev/null || fail "picture r5g6b5"
"$DRAVICK" picture --quiet --format r8g8b8 --order bgr -o bins/Picture-b pics/a.png 2>/dev/null ||
  fail "picture r8g8b8"
printf 'AB' >text.txt
"$DRAVICK" font string --quiet --text text.txt -o bins/Font_s >/dev/null || fail "string font"
printf '0x6A,' >cursor.txt
"$DRAVICK" cursor --quiet --hex cursor.txt -o bins/Cursor-c >/dev/null || fail "cursor"
head -c 100 /dev/urandom >bins/Wav-beep.bin
{
  printf 'RIFF\x30\x00\x00\x00WAVEfmt \x10\x00\x00\x00\x01\x00\x01\x00\x40\x1f\x00\x00'
  printf '\x40\x1f\x00\x00\x01\x00\x08\x00data\x0c\x00\x00\x00'
  printf '\x10\x20\x30\x40\x50\x60\x70\x80\x90\xa0\xb0\xc0'
} >beep.wav
rm bins/Wav-beep.bin
"$DRAVICK" wav --quiet -o bins/Wav-beep beep.wav 2>/dev/null || fail "wav"
{
  printf '[INFO]\nPCVersion:16\nCOMPort:SPI\nBaudrate:115200\nPCBVersion:21\nMCUBit:16\n'
  printf 'MCUType:STM\nMrlType:MX-3\nMrlIF:8080-16\nXSIZE:800\nYSIZE:480\nVBPD:23\nVFPD:22\n'
  printf 'VSPW:3\nHBPD:46\nHFPD:210\nHSPW:20\nPCLKRISING:1\nHSYNCPolarity:0\nVSYNCPolarity:0\n'
  printf 'DEPolarity:1\nRGBSequence:BGR\nColorDepth:24\nFlashType:NOR\nFlashSize:16\n[USERCMD]\n'
} >demo.ini
"$DRAVICK" build --quiet --project demo.ini --bins bins -o flash --userinfo info || fail "build"

# The whole image: every entry written, the listing, "OK".
"$DRAVICK" extract flash.bin -d out >stdout 2>stderr
[ $? -eq 0 ] || fail "extract status: $(cat stderr)"
[ "$(cat stdout)" = "OK" ] && [ ! -s stderr ] || fail "extract output: $(cat stdout stderr)"
for file in picture-000.png picture-001.png picture-002.png font-0.png cursor-0.png sound-0.wav \
  contents.txt; do
  [ -s "out/$file" ] || fail "missing out/$file"
done
[ "$(head -c 8 out/picture-000.png | od -An -tx1 | tr -d ' ')" = 89504e470d0a1a0a ] || fail "no PNG"
tr -d '\r' <out/contents.txt >contents
for line in "picture 0 0x00003000 0x0000001E 5x3 R5G6B5 picture-000.png" \
  "picture 1 0x0000301E 0x0000001C 7x2 R5G6B5 picture-001.png" \
  "picture 2 0x0000303A 0x0000002D 5x3 R8G8B8 picture-002.png" \
  "font 0 codes: 0041 0042" "cursor 0 0x000030C3 0x00000100 32x32 cursor-codes cursor-0.png"; do
  grep -qxF -- "$line" contents || fail "missing '$line' in: $(cat contents)"
done
grep -qE '^font 0 0x[0-9A-F]{8} 0x00000050 16x16 MrlxFont/2-chars font-0.png$' contents ||
  fail "font line: $(cat contents)"
grep -qE '^sound 0 0x[0-9A-F]{8} 0x0000000C - PCM/8-bit/1-ch/8000-Hz sound-0.wav$' contents ||
  fail "sound line: $(cat contents)"

# Pictures come back as they were stored: converted again, they give the same bytes.
mkdir again
cp out/picture-000.png again/a.png
"$DRAVICK" picture --quiet -o again/r5 again/a.png 2>/dev/null || fail "convert back"
cmp -s again/r5.bin <(slice bins/Picture-a.bin 0 30) || fail "R5G6B5 round trip"
# Read in the default order the BGR picture's red and blue swap, so it encodes back in
# that order; read with --order bgr it is the source picture and encodes back as BGR.
cp out/picture-002.png again/c.png
"$DRAVICK" picture --quiet --format r8g8b8 -o again/r8 again/c.png 2>/dev/null || fail "r8 back"
cmp -s again/r8.bin bins/Picture-b.bin || fail "R8G8B8 round trip"
"$DRAVICK" extract flash.bin -d bgr --order bgr --quiet || fail "--order bgr"
cmp -s bgr/picture-002.png out/picture-002.png && fail "--order made no difference"
cp bgr/picture-002.png again/d.png
"$DRAVICK" picture --quiet --format r8g8b8 --order bgr -o again/bgr again/d.png 2>/dev/null ||
  fail "bgr back"
cmp -s again/bgr.bin bins/Picture-b.bin || fail "R8G8B8 BGR round trip"

# The sound's data chunk is the stored samples: 8-bit mono at 8000 Hz without a listing.
cmp -s <(slice out/sound-0.wav 44 12) bins/Wav-beep.bin || fail "sound bytes"
[ "$(le16 out/sound-0.wav 22) $(le32 out/sound-0.wav 24) $(le16 out/sound-0.wav 34)" = "1 8000 8" ] ||
  fail "sound format"
"$DRAVICK" extract flash.bin -d opts --quiet --rate 22050 --bits 16 --channels 2 || fail "sound opts"
[ "$(le16 opts/sound-0.wav 22) $(le32 opts/sound-0.wav 24) $(le16 opts/sound-0.wav 34)" = "2 22050 16" ] ||
  fail "sound options: $(le16 opts/sound-0.wav 22)"
"$DRAVICK" extract flash.bin -d signed --quiet --signed-8 || fail "--signed-8"
[ "$(slice signed/sound-0.wav 44 2 | od -An -tx1 | tr -d ' ')" = 90a0 ] || fail "--signed-8 bytes"

# One resource file: its kind by name, its address list or listing beside it.
"$DRAVICK" extract bins/Picture-a.bin -d res --quiet || fail "picture resource"
[ -s res/picture-000.png ] && [ -s res/picture-001.png ] && [ ! -e res/picture-002.png ] ||
  fail "picture resource files: $(ls res)"
cmp -s res/picture-000.png out/picture-000.png || fail "resource and image pictures differ"
"$DRAVICK" extract bins/Wav-beep.bin -d res --quiet || fail "sound resource"
[ -s res/sound.wav ] || fail "sound.wav"
"$DRAVICK" extract bins/Font_s.bin -d res --quiet && [ -s res/font.png ] || fail "font.png"
"$DRAVICK" extract bins/Cursor-c.bin -d res --quiet && [ -s res/cursor.png ] || fail "cursor.png"
cmp -s res/cursor.png out/cursor-0.png || fail "cursor pictures differ"

# A cut image: the entries past its end are named, the others written, status 1.
head -c $((0x3020)) flash.bin >cut.bin
"$DRAVICK" extract cut.bin -d cut >stdout 2>stderr
[ $? -eq 1 ] || fail "cut image status"
grep -q "^picture 1: lies outside the file" stderr || fail "cut image message: $(cat stderr)"
grep -q "^cursor 0: lies outside the file" stderr || fail "cut cursor message: $(cat stderr)"
[ -s cut/picture-000.png ] && [ ! -e cut/picture-001.png ] || fail "cut image files: $(ls cut)"
grep -q "^picture 1 .* none: lies outside the file" cut/contents.txt || fail "cut contents"

# An address list that does not match its .bin, a font that is no whole number of cells.
mkdir bad
head -c 30 bins/Picture-a.bin >bad/Picture-x.bin
cp bins/Picture-a-Addr.txt bad/Picture-x-Addr.txt
"$DRAVICK" extract bad/Picture-x.bin -d badout 2>stderr
[ $? -eq 1 ] && grep -q "^picture 1: lies outside the file" stderr || fail "list past its .bin"
[ -s badout/picture-000.png ] || fail "the good picture of a bad list"
head -c 33 /dev/zero >bad/Font_C1_16.bin
"$DRAVICK" extract bad/Font_C1_16.bin -d badout 2>stderr
[ $? -eq 1 ] || fail "cut font status"
[ "$(cat stderr)" = "font 0: size 0x00000021 is not a whole number of 16x16 cells (32 bytes each)" ] ||
  fail "cut font message: $(cat stderr)"
"$DRAVICK" extract bad/Font_C1_16.bin -d badout --cell 11x3 --quiet || fail "--cell 11x3"
head -c 100 bins/Picture-a.bin >bad/Picture-y.bin
"$DRAVICK" extract bad/Picture-y.bin -d badout 2>stderr
[ $? -eq 1 ] && [ "$(cat stderr)" = "Open bad/Picture-y-Addr.txt fail!" ] ||
  fail "missing address list: $(cat stderr)"
head -c 100 flash.bin >short.bin
"$DRAVICK" extract short.bin -d badout 2>stderr
[ $? -eq 1 ] || fail "short image"
[ "$(cat stderr)" = "short.bin: Not a flash image: it is shorter than the 0x3000-byte header" ] ||
  fail "short image message: $(cat stderr)"

# No output over an input; usage errors.
mkdir same
cp flash.bin same/flash-copy.bin
"$DRAVICK" extract same/flash-copy.bin -d same --quiet 2>/dev/null || fail "a different name"
cp flash.bin same/picture-000.png
"$DRAVICK" extract same/picture-000.png -d same 2>stderr >/dev/null
[ $? -eq 1 ] && grep -q "is also an input" stderr || fail "output over the input: $(cat stderr)"
cmp -s same/picture-000.png flash.bin || fail "the input was overwritten"
for bad in "--cell 16" "--bits 12" "--channels 3" "--rate 0x10" "--nand --nor" "--order grb"; do
  "$DRAVICK" extract flash.bin -d usage $bad >/dev/null 2>&1
  [ $? -eq 2 ] || fail "usage error $bad"
done
"$DRAVICK" extract missing.bin -d x 2>stderr
[ $? -eq 1 ] && [ "$(head -n 1 stderr)" = "Can't open missing.bin" ] || fail "missing input"
echo "extract: all checks passed"
