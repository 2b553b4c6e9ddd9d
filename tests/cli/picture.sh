#!/usr/bin/env bash
# `dravick picture`: bytes, names, listing lines, messages and exit statuses.
set -u
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
passed=0
failed=0
check() {  # check NAME CONDITION...
  local name=$1
  shift
  if "$@"; then passed=$((passed + 1)); else failed=$((failed + 1)); echo "FAILED: $name"; fi
}
hex() { od -An -tx1 -v "$1" | tr -d ' \n'; }
make() { "$MAKE_PICTURES" "$work/pics" --solid "$@" >/dev/null; }

mkdir -p pics/sub
make a.bmp 10 10 18 52 86
make sub/b.bmp 10 10 255 255 255
make c.png 10 10 0 0 0
make x.gif 1 1 0 0 0 2>/dev/null || true

# A folder argument: the folder and its subfolders, sorted, named folder + "/" + name.
"$DRAVICK" picture -o out pics >stdout 2>stderr
check "folder run succeeds" test $? -eq 0
check "success text" test "$(cat stdout)" = "Convert ok"
check "notice on stderr" grep -qx "Start to convert, please wait..." stderr
check "resource size" test "$(stat -c %s out.bin)" -eq 600
printf '{10, 10, 0x00000000, 0x000000C8},//pics/a.bmp\r\n{10, 10, 0x000000C8, 0x000000C8},//pics/c.png\r\n{10, 10, 0x00000190, 0x000000C8},//pics/sub/b.bmp\r\n' >expected.txt
check "address list" cmp -s out-Addr.txt expected.txt

# Every form and option on one pixel: R = 0x12, G = 0x34, B = 0x56.
make p.bmp 1 1 18 52 86
run_bytes() { "$DRAVICK" picture --quiet "$@" -o one.bin pics/p.bmp && hex one.bin; }
check "r5g6b5 rgb" test "$(run_bytes)" = "aa11"
check "r5g6b5 bgr" test "$(run_bytes --order bgr)" = "a251"
check "r8g8b8 rgb" test "$(run_bytes --format r8g8b8)" = "563412"
check "r8g8b8 bgr" test "$(run_bytes --format r8g8b8 --order bgr)" = "123456"
check "bw" test "$(run_bytes --format bw)" = "00"
check "nand pads to 4 pixels" test "$(run_bytes --nand)" = "aa11ffffffffffff"

# Alpha keying and the four-bit ARGB form of a PNG with alpha.
make t.png 1 1 18 52 86 128
check "alpha below limit is black" test "$("$DRAVICK" picture --quiet -o k.bin pics/t.png && hex k.bin)" = "0000"
check "alpha above limit keeps colour" test "$("$DRAVICK" picture --quiet --alpha-limit 100 -o k.bin pics/t.png && hex k.bin)" = "aa11"
check "argb png" test "$("$DRAVICK" picture --quiet --argb-png -o k.bin pics/t.png && hex k.bin)" = "3581"

# Dithering and the Black_White threshold. The pixel's luma is 45.71: a threshold of 46
# inks it, 45 does not; "none" and no option leave every byte as it was.
check "threshold 46 inks" test "$(run_bytes --format bw --threshold 46)" = "80"
check "threshold 45 does not" test "$(run_bytes --format bw --threshold 45)" = "00"
check "dither none is the default" test "$(run_bytes --dither none)" = "aa11"
check "r8g8b8 ignores dithering" test "$(run_bytes --format r8g8b8 --dither ordered 2>err)" = "563412"
check "r8g8b8 says so once" test "$(grep -c -- "--dither has no effect on R8G8B8" err)" -eq 1
check "threshold ignored by r5g6b5" test "$(run_bytes --threshold 200 2>err)" = "aa11"
check "threshold notice" grep -qx -- "--threshold applies to Black_White only" err
# A grey between levels is spread over its neighbours; ordered Black_White inks half of
# an 8 x 8 block of half grey.
make grey.bmp 8 8 128 128 128
grey_bytes() { "$DRAVICK" picture --quiet "$@" -o grey.bin pics/grey.bmp && hex grey.bin; }
check "ordered half grey" test "$(grey_bytes --format bw --dither ordered | tr -d '\n')" = "$(printf '%s' 55aa55aa55aa55aa)"
check "dithered r5g6b5 differs" test "$(grey_bytes --dither diffusion)" != "$(grey_bytes)"
# Transparent pixels of a keyed PNG stay exact under every dither.
for dither in none ordered diffusion; do
  check "keyed $dither" test "$("$DRAVICK" picture --quiet --dither "$dither" -o k.bin pics/t.png && hex k.bin)" = "0000"
  check "keyed bw $dither" test "$("$DRAVICK" picture --quiet --format bw --threshold 0 --dither "$dither" -o k.bin pics/t.png && hex k.bin)" = "80"
done
for bad in "--threshold 256" "--threshold -1" "--threshold abc" "--threshold 0x10" "--dither fs"; do
  # shellcheck disable=SC2086
  "$DRAVICK" picture $bad -o u pics/a.bmp 2>/dev/null
  check "usage $bad" test $? -eq 2
done

# Rotation swaps the listed size.
make wide.bmp 4 2 1 1 1
"$DRAVICK" picture --quiet --rotate r90 -o rot pics/wide.bmp
check "rotation listing" grep -q '^{2, 4, 0x00000000, 0x00000010},//pics/wide.bmp' rot-Addr.txt

# Naming rule.
"$DRAVICK" picture --quiet -o X.BIN pics/a.bmp
check "X.BIN gets .bin" test -f X.BIN.bin -a -f X.BIN-Addr.txt
"$DRAVICK" picture --quiet -o a.bin.old pics/a.bmp
check "a.bin.old kept" test -f a.bin.old -a -f a-Addr.txt

# Failures: empty name, a picture that fails to load, usage errors.
"$DRAVICK" picture -o "" pics/a.bmp >stdout 2>stderr
check "empty name exits 1" test $? -eq 1
check "empty name message" grep -qx "Error file's name" stderr
printf 'broken' >pics/z.bmp
rm -f fail-Addr.txt
"$DRAVICK" picture -o fail pics/a.bmp pics/z.bmp >stdout 2>stderr
check "failing picture exits 1" test $? -eq 1
check "failure line" grep -qx "Fail to convert pics/z.bmp" stderr
check "no address list after a failure" test ! -e fail-Addr.txt
check "first picture kept" test "$(stat -c %s fail.bin)" -eq 200
"$DRAVICK" picture --alpha-limit 0x10 -o u pics/a.bmp 2>/dev/null
check "hex alpha limit is a usage error" test $? -eq 2
"$DRAVICK" picture --format rgb565 -o u pics/a.bmp 2>/dev/null
check "unknown format is a usage error" test $? -eq 2
"$DRAVICK" picture -o out-missing no/such/folder/p.bmp 2>/dev/null
check "missing picture exits 1" test $? -eq 1
"$DRAVICK" picture -o no/such/folder/out pics/a.bmp 2>stderr
check "unwritable output exits 1" test $? -eq 1
check "unwritable output message" grep -qx "The file might not be accessibl." stderr

echo "$passed passed, $failed failed"
test "$failed" -eq 0
