#!/usr/bin/env bash
# `dravick boot`: the boot image's bytes, the text view, names, messages and exit statuses.
set -u
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
fail() { echo "FAILED: $*"; exit 1; }
# hex_at FILE OFFSET COUNT: the bytes as lower-case hex without blanks.
hex_at() { od -An -tx1 -v -j "$2" -N "$3" "$1" | tr -d ' \n'; }
# value_of OPTIONS... OFFSET: the value byte of the entry at OFFSET in a fresh image.
value_of() {
  local offset=${*: -1}
  "$DRAVICK" boot --quiet "${@:1:$#-1}" -o v >/dev/null || fail "boot ${*:1:$#-1}"
  hex_at v.bin $((offset + 3)) 1
}

# Defaults: 367 bytes, the text view on stdout, "OK" last.
"$DRAVICK" boot -o Bootloader >stdout 2>stderr
status=$?
[ $status -eq 0 ] || fail "default run status $status"
[ "$(stat -c %s Bootloader.bin)" -eq 367 ] || fail "default size"
[ "$(hex_at Bootloader.bin 0 12)" = 61727763776278671105138a ] || fail "default beginning"
[ "$(hex_at Bootloader.bin 358 9)" = 11861330aaaaaaaa00 ] || fail "default end"
[ "$(head -n 1 stdout)" = "61 72 77 63 77 62 78 67 //ID " ] || fail "magic line"
[ "$(sed -n 2p stdout)" = "11 05 13 8A " ] || fail "first entry line"
grep -qx "AA AA 11 10 " stdout || fail "line after the 10-byte gap"
[ "$(tail -n 2 stdout | head -n 1)" = "AA AA 00 " ] || fail "last line of the text view"
[ "$(tail -n 1 stdout)" = "OK" ] || fail "OK last"
[ "$(wc -l <stdout)" -eq 92 ] || fail "text view line count"
[ ! -s stderr ] || fail "default run wrote to stderr"

# Options reach their entries (offset of the entry, value byte in hex).
[ "$(value_of --cclk-n 81 --mclk-n 120 28)" = 50 ] || fail "80/100 rule: 0x0A"
[ "$(value_of --cclk-n 81 --mclk-n 120 20)" = 64 ] || fail "80/100 rule: 0x08"
[ "$(value_of --cclk-n 81 --mclk-n 120 64)" = ce ] || fail "K from MCLK_N 120"
[ "$(value_of --cclk-r 0 24)" = 84 ] || fail "CCLK_R clamped to 2"
[ "$(value_of --sclk-od 5 --sclk-r 40 8)" = fe ] || fail "OD 3 and R 31"
[ "$(value_of --pwmduty 150 350)" = 64 ] || fail "duty clamped to the period"
[ "$(value_of --hsbp 7 118)" = 07 ] || fail "HSBP 7"
[ "$(value_of --xsize 1023 98)" = 7e ] || fail "XSIZE 1023"
[ "$(value_of --xsize 0 98)" = ff ] || fail "XSIZE 0"
[ "$(value_of --vsbp 0 134)" = ff ] || fail "VSBP 0"
[ "$(value_of --spisel SPI0 --addr32 32bits --readcmd "0Bh - Faster Read" 310)" = 64 ] || fail "0xB7"
[ "$(value_of --lcdif "18bit TFT" --rgborder BGR 90)" = 85 ] || fail "RGB order with PCLK fall"
[ "$(value_of --lcdif "18bit TFT" 40)" = 8a ] || fail "LCD interface"
[ "$(value_of --pclkfall 0 --hshigh 1 --vshigh 1 --delow 1 94)" = e0 ] || fail "polarities"
[ "$(value_of --depth 24bpp --demode 1 86)" = 09 ] || fail "depth and DE mode"
[ "$(value_of --canvas "Linear - 16bits" 250)" = 05 ] || fail "canvas"
[ "$(value_of --speed "DIV 16" 146)" = 07 ] || fail "speed"
"$DRAVICK" boot --quiet --picaddr 70000 -o p >/dev/null
[ "$(od -An -tx1 -v -j 257 -N 13 p.bin | awk '{print $1 $5 $9 $13}')" = 70110100 ] || fail "PICADDR"

# Names: ".bin" appended unless the name holds it; an older, longer file is replaced.
"$DRAVICK" boot --quiet -o boot.BIN >/dev/null && [ -f boot.BIN.bin ] || fail "boot.BIN.bin"
"$DRAVICK" boot --quiet -o boot.bin.old >/dev/null && [ -f boot.bin.old ] || fail "boot.bin.old"
head -c 1000 /dev/zero >long.bin
"$DRAVICK" boot --quiet -o long >/dev/null && [ "$(stat -c %s long.bin)" -eq 367 ] || fail "replaced"
"$DRAVICK" boot --quiet -o q >stdout && ! grep -qx OK stdout || fail "--quiet keeps OK back"

# Failures.
"$DRAVICK" boot -o "" >stdout 2>stderr
[ $? -eq 1 ] && [ "$(cat stderr)" = "Error file's name" ] || fail "empty name"
head -n 1 stdout | grep -q "//ID" || fail "text view shown before the name is checked"
"$DRAVICK" boot --mclk-n 0 -o zero >stdout 2>stderr
[ $? -eq 1 ] || fail "MCLK_N 0 status"
[ "$(cat stderr)" = "Division by zero: MCLK_N must be from 1 to 1000, it is 0" ] || fail "MCLK_N 0 text"
[ ! -e zero.bin ] && [ ! -s stdout ] || fail "MCLK_N 0 wrote something"
"$DRAVICK" boot --mclk-n 1001 -o big 2>/dev/null >/dev/null
[ $? -eq 1 ] && [ ! -e big.bin ] || fail "MCLK_N 1001"
"$DRAVICK" boot -o no/such/dir 2>stderr >/dev/null
[ $? -eq 1 ] && [ "$(cat stderr)" = "Can't open no/such/dir.bin" ] || fail "unwritable"
"$DRAVICK" boot --picaddr 99999999999 -o huge 2>stderr >/dev/null
[ $? -eq 1 ] && grep -q "^Picture Address: '99999999999' is not a valid integer value$" stderr \
  || fail "out of range number"
for usage in "--xsize 12a" "--cclk-n 0x10" "--pclkfall 2" "--speed DIV5" "--bogus 1"; do
  # shellcheck disable=SC2086
  "$DRAVICK" boot $usage -o u >/dev/null 2>stderr
  [ $? -eq 2 ] || fail "usage error: $usage"
  [ "$(wc -l <stderr)" -eq 1 ] || fail "one-line reason: $usage"
done
"$DRAVICK" boot --lcdif "20bit TFT" -o u >/dev/null 2>&1
[ $? -eq 2 ] || fail "unknown list item"
[ ! -e u.bin ] || fail "usage error wrote a file"
echo "boot: all checks passed"
