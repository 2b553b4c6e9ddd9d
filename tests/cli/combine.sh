#!/usr/bin/env bash
# `dravick combine`: slot placement, 0xFF fill, the listing, messages and exit statuses.
set -u
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
fail() { echo "FAILED: $*"; exit 1; }
head -c 100 /dev/urandom >a.bin
head -c 50 /dev/urandom >b.bin
head -c 10 /dev/urandom >c.bin

# Chained starts: the plain concatenation and three listing lines.
head -c 5000 /dev/zero >combo.bin  # an older, longer output is replaced
"$DRAVICK" combine -o combo a.bin b.bin c.bin >stdout 2>stderr
[ $? -eq 0 ] || fail "chained run status"
[ "$(cat stdout)" = "Combine over" ] && [ ! -s stderr ] || fail "chained run output"
cat a.bin b.bin c.bin >expected.bin
cmp -s combo.bin expected.bin || fail "concatenation"
printf '{0x00000000, 0x00000064}, //a.bin\r\n{0x00000064, 0x00000032}, //b.bin\r\n{0x00000096, 0x0000000A}, //c.bin\r\n' >expected.txt
cmp -s combo-Addr.txt expected.txt || fail "listing"

# A start of 4096: 3996 bytes of 0xFF, the next slot chained behind at 4146.
"$DRAVICK" combine --quiet -o gap.bin a.bin b.bin@4096 c.bin >stdout
[ ! -s stdout ] || fail "--quiet"
[ "$(stat -c %s gap.bin)" -eq 4156 ] || fail "gap size"
[ "$(head -c 4096 gap.bin | tail -c 3996 | od -An -tx1 -v | tr -d ' \n' | tr -d f | wc -c)" -eq 0 ] \
  || fail "gap filled with FF"
cmp -s <(tail -c 60 gap.bin) <(cat b.bin c.bin) || fail "files after the gap"
[ "$(sed -n 3p gap-Addr.txt)" = $'{0x00001032, 0x0000000A}, //c.bin\r' ] || fail "chained start 4146"
"$DRAVICK" combine --quiet -o gap2 a.bin b.bin@100 c.bin@4096 && [ "$(stat -c %s gap2.bin)" -eq 4106 ] \
  || fail "fill before slot 3"

# Only slot 1: the file unchanged, one listing line.
"$DRAVICK" combine --quiet -o one a.bin@0
cmp -s one.bin a.bin && [ "$(wc -l <one-Addr.txt)" -eq 1 ] || fail "only slot 1"

# Paths in the listing are in the text code page.
cp c.bin 图片.bin
"$DRAVICK" combine --quiet -o gbk 图片.bin
[ "$(tail -c 10 gbk-Addr.txt | od -An -tx1 | tr -d ' \n')" = cdbcc6ac2e62696e0d0a ] || fail "GBK path"

# An output that is also a slot is read before it is replaced.
cp a.bin self.bin
"$DRAVICK" combine --quiet -o self.bin self.bin b.bin
cmp -s self.bin <(cat a.bin b.bin) || fail "output that is also slot 1"

# Refusals: nothing is written.
"$DRAVICK" combine -o over a.bin b.bin@50 >stdout 2>stderr
[ $? -eq 1 ] || fail "overlap status"
[ "$(cat stderr)" = "File 2 starts at 50, before the end of File 1; its lowest start is 100" ] \
  || fail "overlap message"
[ ! -e over.bin ] && [ ! -e over-Addr.txt ] && [ ! -s stdout ] || fail "overlap wrote something"
"$DRAVICK" combine -o miss a.bin none.bin >/dev/null 2>stderr
[ $? -eq 1 ] && [ "$(cat stderr)" = "The file might not be accessibl." ] || fail "unreadable file"
[ ! -e miss.bin ] || fail "unreadable file wrote the output"
"$DRAVICK" combine -o "" a.bin >/dev/null 2>stderr
[ $? -eq 1 ] && [ "$(cat stderr)" = "Error file's name" ] || fail "empty name"
"$DRAVICK" combine -o no/dir/x a.bin >/dev/null 2>stderr
[ $? -eq 1 ] && [ "$(cat stderr)" = "Can't open no/dir/x.bin
no/dir/x.bin: No such file or directory" ] || fail "unwritable output"
mkdir listing-Addr.txt
"$DRAVICK" combine -o listing a.bin >stdout 2>stderr
[ $? -eq 0 ] && [ "$(cat stderr)" = "The file might not be accessibl." ] \
  && [ "$(cat stdout)" = "Combine over" ] && cmp -s listing.bin a.bin || fail "unwritable listing"

# Usage errors.
"$DRAVICK" combine -o seven a.bin a.bin a.bin a.bin a.bin a.bin a.bin >/dev/null 2>&1
[ $? -eq 2 ] || fail "seven files"
"$DRAVICK" combine -o first a.bin@5 b.bin >/dev/null 2>stderr
[ $? -eq 2 ] && [ "$(wc -l <stderr)" -eq 1 ] || fail "slot 1 away from 0"
"$DRAVICK" combine -o none >/dev/null 2>&1
[ $? -eq 2 ] || fail "no file"
[ ! -e seven.bin ] && [ ! -e first.bin ] || fail "usage error wrote a file"
echo "combine: all checks passed"
