#!/usr/bin/env bash
# `dravick build`: flash image, UserInfo header and listing, messages and exit statuses.
set -u
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
fail() { echo "FAILED: $*"; exit 1; }
# hex_at FILE OFFSET COUNT: the bytes as lower-case hex without blanks.
hex_at() { od -An -tx1 -v -j "$2" -N "$3" "$1" | tr -d ' \n'; }
# fill NAME SIZE BYTE: a resource file of SIZE bytes of one value (octal escape).
fill() { head -c "$2" /dev/zero | tr '\0' "$3" >"bins/$1"; }
export TZ=UTC SOURCE_DATE_EPOCH=1741010709  # 3 March 2025 14:05:09

mkdir bins out
fill Picture-1.bin 4096 '\021'
printf '{32, 16, 0x00000000, 0x00000400},//a.png\r\n{16, 16, 0x00000400, 0x00000C00},//b.png\r\n' \
  >bins/Picture-1-Addr.txt
fill Gif-1.bin 32 '\042'
printf '//GIF anim.gif\r\n{4, 2, 0x00000000, 0x00000010},//anim-Frames0\r\n{4, 2, 0x00000010, 0x00000010},//anim-Frames1\r\n' \
  >bins/Gif-1-Addr.txt
fill Font_C1_24.bin 256 '\063'
fill Wav-1.bin 48 '\104'
fill Cursor-1.bin 256 '\125'
fill Bootloader.bin 100 '\146'
{
  printf '[INFO]\nPCVersion:16\nCOMPort:SPI\nBaudrate:115200\nPCBVersion:21\nMCUBit:16\n'
  printf 'MCUType:STM\nMrlType:MX-3\nMrlIF:8080-16\nXSIZE:800\nYSIZE:480\nVBPD:23\nVFPD:22\n'
  printf 'VSPW:3\nHBPD:46\nHFPD:210\nHSPW:20\nPCLKRISING:1\nHSYNCPolarity:0\nVSYNCPolarity:0\n'
  printf 'DEPolarity:1\nRGBSequence:BGR\nColorDepth:24\nFlashType:NOR\nFlashSize:16\n[USERCMD]\n'
  printf '82h: 1, 0x1234, 5, 6\n88h GIF: 1, 2, 100, 200, 0\n'
} >demo.ini

# The whole folder: header 0x3000, then picture, GIF, font, sound, cursor in that order.
"$DRAVICK" build --project demo.ini --bins bins -o out/Flash >stdout 2>stderr
status=$?
[ $status -eq 0 ] || fail "build status $status: $(cat stderr)"
[ "$(cat stdout)" = OK ] || fail "OK on stdout"
[ ! -s stderr ] || fail "build wrote to stderr: $(cat stderr)"
[ "$(stat -c %s out/Flash.bin)" -eq $((0x3000 + 4096 + 32 + 256 + 48 + 256)) ] || fail "flash size"
[ "$(stat -c %s out/UserInfo.bin)" -eq $((0x3000)) ] || fail "UserInfo.bin size"
cmp -s out/UserInfo.bin <(head -c $((0x3000)) out/Flash.bin) || fail "UserInfo.bin is the header"
[ "$(hex_at out/Flash.bin 0 1)$(hex_at out/Flash.bin 99 2)" = 6666ff ] || fail "boot region"
[ "$(hex_at out/Flash.bin $((0x423)) 7)" = 030314190e0509 ] || fail "build time"
[ "$(hex_at out/Flash.bin $((0x600)) 2)" = 0004 ] || fail "picture count"
[ "$(hex_at out/Flash.bin $((0x602)) 12)" = 002000100000300000000400 ] || fail "picture entry 0"
[ "$(hex_at out/Flash.bin $((0x602 + 36)) 12)" = 000400020000401000000010 ] || fail "GIF frame 1"
[ "$(hex_at out/Flash.bin $((0x1609)) 9)" = 180000402000000100 ] || fail "font slot 1"
[ "$(hex_at out/Flash.bin $((0x1700)) 9)" = 000000412000000030 ] || fail "WAV entry"
[ "$(hex_at out/Flash.bin $((0x1780)) 8)" = 0000415000000100 ] || fail "cursor entry"
[ "$(hex_at out/Flash.bin $((0x208)) 4)" = 18000106 ] || fail "82h directory entry"
[ "$(hex_at out/Flash.bin $((0x220)) 4)" = 1806010a ] || fail "88h directory entry"
[ "$(hex_at out/Flash.bin $((0x1806)) 10)" = 0102006400c800020003 ] || fail "GIF form of 88h"
[ "$(hex_at out/Flash.bin $((0x3000)) 1)$(hex_at out/Flash.bin $((0x4000)) 1)" = 1122 ] ||
  fail "resources at their placement"
printf '%s\r\n' '{32,16,0x00003000,0x00000400},//a.png---Picture No.0' \
  '{16,16,0x00003400,0x00000C00},//b.png---Picture No.1' \
  '{4,2,0x00004000,0x00000010},//anim-Frames0' '{4,2,0x00004010,0x00000010},//anim-Frames1' \
  '{24,0x00004020,0x00000100},//Font_C1_24.bin' '{0,0x00004120,0x00000030},//Wav-1.bin' \
  '{0x00004150,0x00000100},//Cursor-1.bin' >expected.txt
cmp -s out/UserInfo.txt expected.txt || fail "build listing: $(cat -A out/UserInfo.txt)"

# The same inputs at the same SOURCE_DATE_EPOCH give the same bytes.
"$DRAVICK" build --quiet --project demo.ini --bins bins -o again.bin --userinfo again-info >/dev/null ||
  fail "second build"
cmp -s out/Flash.bin again.bin || fail "builds differ"
cmp -s out/UserInfo.txt again-info.txt || fail "listings differ"

# NAND: a 0x20000-byte header; named resources only, in the given order within a kind.
"$DRAVICK" build --quiet --nand --project demo.ini --bins bins -o nand --userinfo UserInfo.bin \
  Wav-1.bin Picture-1.bin || fail "NAND build"
[ "$(stat -c %s nand.bin)" -eq $((0x20000 + 4096 + 48)) ] || fail "NAND flash size"
[ "$(stat -c %s UserInfo.bin)" -eq $((0x20000)) ] || fail "NAND UserInfo size"
[ -f UserInfo.bin.txt ] || fail "a chosen UserInfo.bin gives UserInfo.bin.txt"
[ "$(hex_at nand.bin $((0x1700)) 9)" = 000002100000000030 ] || fail "NAND WAV entry"

# Warnings pass, exit 0; stops exit 1 with the window's texts.
fill Bootloader2.bin 10 '\146'
"$DRAVICK" build --project demo.ini --bins bins -o two >stdout 2>stderr
[ $? -eq 0 ] || fail "two boot images stop the build"
[ "$(cat stderr)" = "There are too much bootloader files!" ] || fail "two boot images message"
[ "$(cat stdout)" = OK ] || fail "two boot images OK"
[ "$(hex_at two.bin 0 2)" = ffff ] || fail "boot region stays 0xFF"
rm bins/Bootloader2.bin
fill Bootloader.bin 513 '\146'
"$DRAVICK" build --project demo.ini --bins bins -o large >stdout 2>stderr
[ $? -eq 0 ] && [ "$(cat stderr)" = "The bootloader files is too large!" ] || fail "513-byte boot image"
[ "$(hex_at large.bin 0 1)$(hex_at large.bin 511 1)" = ffff ] || fail "large boot region stays 0xFF"
fill Bootloader.bin 512 '\146'
"$DRAVICK" build --quiet --project demo.ini --bins bins -o full || fail "512-byte boot image"
[ "$(hex_at full.bin 511 2)" = 66ff ] || fail "512-byte boot image fills the region"

# A list of only a sound passes; the sound lies at the header size.
"$DRAVICK" build --quiet --project demo.ini --bins bins -o wav Wav-1.bin || fail "only a sound"
[ "$(hex_at wav.bin $((0x1700)) 9)" = 000000300000000030 ] || fail "only a sound: its entry"
[ "$(stat -c %s wav.bin)" -eq $((0x3000 + 48)) ] || fail "only a sound: size"

expect_stop() {  # expect_stop MESSAGE ARGS...: exit 1 with MESSAGE on stderr, nothing on stdout
  local message=$1
  shift
  "$DRAVICK" build "$@" >stdout 2>stderr
  local status=$?
  [ $status -eq 1 ] || fail "$* gave status $status"
  [ "$(cat stderr)" = "$message" ] || fail "$*: stderr '$(cat stderr)' instead of '$message'"
  [ ! -s stdout ] || fail "$*: stdout not empty"
}
expect_stop "Error file's name" --project demo.ini --bins bins -o ""
expect_stop "Open fail!
missing.ini: No such file or directory" --project missing.ini --bins bins -o x
expect_stop "There aren't any picture data!" --project demo.ini --bins out/none -o x
fill Picture-2.bin 16 '\021'
mkdir stop
expect_stop "Open bins/Picture-2-Addr.txt fail!
bins/Picture-2-Addr.txt: No such file or directory" --project demo.ini --bins bins -o stop/flash
[ -z "$(ls stop)" ] || fail "a stopped build wrote files"
rm bins/Picture-2.bin
printf '{12AB, 2, 0x0, 0x10},//a.png\r\n' >bins/Picture-3-Addr.txt
fill Picture-3.bin 16 '\021'
expect_stop "'12AB' is not a valid integer value" --project demo.ini --bins bins -o x Picture-3.bin
rm bins/Picture-3*
head -n 10 demo.ini >short.ini
expect_stop "Module info error!" --project short.ini --bins bins -o x

# A resource that cannot be read at the end leaves no flash image; the earlier one stays.
cp out/Flash.bin keep.bin
expect_stop "Can't open bins/Wav-none.bin
bins/Wav-none.bin: No such file or directory" --project demo.ini --bins bins -o keep Picture-1.bin \
  Wav-none.bin
cmp -s keep.bin out/Flash.bin || fail "the earlier flash image was touched"
ls keep.bin.* 2>/dev/null && fail "a temporary file was left"

# A 17th GIF resource would lie away from its table address: refused.
for i in $(seq 10 26); do
  cp bins/Gif-1.bin "bins/Gif-$i.bin"
  cp bins/Gif-1-Addr.txt "bins/Gif-$i-Addr.txt"
done
"$DRAVICK" build --project demo.ini --bins bins -o stop/many >stdout 2>stderr
[ $? -eq 1 ] || fail "17 GIF resources pass"
[ "$(head -n 1 stderr)" = "Gif number is over than 10" ] || fail "16th GIF message"
grep -q "Gif-25.bin is the 17th" stderr || fail "17th GIF named: $(cat stderr)"
[ -z "$(ls stop)" ] || fail "17 GIF resources wrote files"

# Usage errors exit 2.
"$DRAVICK" build --project demo.ini --bins bins -o x --colour 2>/dev/null
[ $? -eq 2 ] || fail "unknown option"
"$DRAVICK" build --bins bins -o x 2>/dev/null
[ $? -eq 2 ] || fail "missing --project"
echo "build: all checks passed"
