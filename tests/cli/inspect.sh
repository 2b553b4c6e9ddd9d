#!/usr/bin/env bash
# `dravick inspect`: the summary of a flash image's header and the inside-the-file check.
set -u
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
fail() { echo "FAILED: $*"; exit 1; }
export TZ=UTC SOURCE_DATE_EPOCH=1741010709  # 3 March 2025 14:05:09

mkdir bins
head -c 2048 /dev/zero >bins/Picture-1.bin
printf '{32, 16, 0x00000000, 0x00000400},//a.png\r\n{16, 16, 0x00000400, 0x00000400},//b.png\r\n' \
  >bins/Picture-1-Addr.txt
head -c 64 /dev/zero >bins/Wav-1.bin
{
  printf '[INFO]\nPCVersion:16\nCOMPort:SPI\nBaudrate:115200\nPCBVersion:21\nMCUBit:16\n'
  printf 'MCUType:STM\nMrlType:MX-3\nMrlIF:8080-16\nXSIZE:800\nYSIZE:480\nVBPD:23\nVFPD:22\n'
  printf 'VSPW:3\nHBPD:46\nHFPD:210\nHSPW:20\nPCLKRISING:1\nHSYNCPolarity:0\nVSYNCPolarity:0\n'
  printf 'DEPolarity:1\nRGBSequence:BGR\nColorDepth:24\nFlashType:NOR\nFlashSize:16\n[USERCMD]\n'
  printf '82h: 1, 0x1234, 5, 6\n82h: 7, 8, 9\n'
} >demo.ini
for flavour in nor nand; do
  flag=""
  [ $flavour = nand ] && flag=--nand
  "$DRAVICK" build --quiet $flag --project demo.ini --bins bins -o $flavour --userinfo info-$flavour ||
    fail "$flavour build"
done

"$DRAVICK" inspect nor.bin >stdout 2>stderr
[ $? -eq 0 ] || fail "inspect status: $(cat stderr)"
[ ! -s stderr ] || fail "inspect wrote to stderr"
for line in "NOR image, header 0x03000 bytes, file 0x00003840 bytes" "Boot image: none" \
  "  PCVersion: 1.6" "  COMPort: SPI" "  Baudrate: 115200" "  MrlType: MX-3" "  XSIZE: 800" \
  "  RGBSequence: BGR" "  FlashType: NOR" "Build time: 2025-03-03 14:05:09" \
  "  82h at 0x1800, 2 records, 11 bytes" "Pictures: 2" "  1: 16x16 at 0x00003400, 0x00000400 bytes" \
  "  0: at 0x00003800, 0x00000040 bytes" "Every table entry lies inside the file."; do
  grep -qxF -- "$line" stdout || fail "missing line '$line' in: $(cat stdout)"
done

"$DRAVICK" inspect nand.bin >stdout || fail "NAND inspect"
grep -qx "NAND image, header 0x20000 bytes, file 0x00020840 bytes" stdout || fail "NAND header: $(head -n 1 stdout)"
grep -qxF "  0: 32x16 at 0x00020000, 0x00000400 bytes" stdout || fail "NAND picture entry"

# A UserInfo header alone: described, its tables point past its end.
"$DRAVICK" inspect info-nand.bin >stdout 2>stderr || fail "a header alone: $(cat stderr)"
grep -qx "NAND image, header 0x20000 bytes, file 0x00020000 bytes" stdout || fail "header alone"
grep -qx "Header only: the resources the tables point at are not in this file." stdout ||
  fail "header-only line"

# A cut image: the entries past its end are named, status 1.
head -c $((0x3100)) nor.bin >cut.bin
"$DRAVICK" inspect cut.bin >stdout 2>stderr
[ $? -eq 1 ] || fail "a cut image passes the check"
[ "$(cat stderr)" = "Picture 0 (0x00003000, 0x00000400 bytes) lies outside the file
Picture 1 (0x00003400, 0x00000400 bytes) lies outside the file
Sound 0 (0x00003800, 0x00000040 bytes) lies outside the file" ] || fail "outside lines: $(cat stderr)"

head -c 100 nor.bin >short.bin
"$DRAVICK" inspect short.bin >/dev/null 2>stderr
[ $? -eq 1 ] || fail "short file"
[ "$(cat stderr)" = "short.bin: Not a flash image: it is shorter than the 0x3000-byte header" ] ||
  fail "short file message: $(cat stderr)"
"$DRAVICK" inspect missing.bin 2>stderr
[ $? -eq 1 ] && [ "$(cat stderr)" = "Can't open missing.bin
missing.bin: No such file or directory" ] || fail "missing file"
echo "inspect: all checks passed"
