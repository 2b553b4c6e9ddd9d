#!/usr/bin/env bash
# `dravick cursor`: the listing, the 256-byte cursor file, messages and exit statuses.
set -u
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

fail() { echo "FAIL: $*" >&2; exit 1; }

# bmp FILE SIZE: a SIZE x SIZE 24-bit BMP, white but for a teal top-left pixel.
bmp() {
  local file=$1 size=$2 row_bytes=$(($2 * 3)) x y
  local pad=$(((4 - row_bytes % 4) % 4)) data=$((($2 * 3 + (4 - $2 * 3 % 4) % 4) * $2))
  le32() { printf '\\x%02x\\x%02x\\x%02x\\x%02x' $(($1 & 255)) $(($1 >> 8 & 255)) \
    $(($1 >> 16 & 255)) $(($1 >> 24 & 255)); }
  {
    printf "BM$(le32 $((54 + data)))\\0\\0\\0\\0$(le32 54)$(le32 40)$(le32 "$size")$(le32 "$size")"
    printf "\\x01\\0\\x18\\0$(le32 0)$(le32 "$data")$(le32 2835)$(le32 2835)$(le32 0)$(le32 0)"
    for ((y = size - 1; y >= 0; y--)); do  # rows bottom to top, pixels blue-green-red
      for ((x = 0; x < size; x++)); do
        if ((x == 0 && y == 0)); then printf '\x80\x80\x00'; else printf '\xff\xff\xff'; fi
      done
      for ((x = 0; x < pad; x++)); do printf '\0'; done
    done
  } >"$file"
}

# repeat TEXT COUNT
repeat() { local i; for ((i = 0; i < $2; i++)); do printf '%s' "$1"; done; }

# A picture with pixel (0, 0) in code 1 on a cleared cursor.
bmp one.bmp 32
"$DRAVICK" cursor --image one.bmp -o Cursor-one --png one.png >out.txt 2>err.txt ||
  fail "--image exited $? ($(cat err.txt))"
{
  printf '0x6A,%s\n' "$(repeat 0xAA, 15)"
  for ((i = 1; i < 16; i++)); do repeat 0xAA, 16; echo; done
  echo OK
} >want.txt
cmp -s want.txt out.txt || fail "--image listing: $(head -2 out.txt)"
[ ! -s err.txt ] || fail "--image stderr: $(cat err.txt)"
{ printf '\x6a'; repeat '\xaa' 255 | xargs -0 printf; } >want.bin
cmp -s want.bin Cursor-one.bin || fail "--image bytes: $(xxd Cursor-one.bin | head -2)"
[ "$(head -c 8 one.png | xxd -p)" = "89504e470d0a1a0a" ] || fail "--png is not a PNG"

# The import rule: one entry, the rest 0; an existing longer file is replaced whole.
printf 'junk 0x6A\r\n' >six.txt
head -c 1000 /dev/zero >Cursor-six.bin
"$DRAVICK" cursor --quiet --hex six.txt -o Cursor-six >out.txt 2>err.txt || fail "--hex exited $?"
[ "$(head -1 out.txt)" = "0x6A,$(repeat 0x00, 15)" ] || fail "--hex listing: $(head -1 out.txt)"
[ "$(wc -l <out.txt)" = 16 ] || fail "--quiet still printed the success text"
[ "$(stat -c %s Cursor-six.bin)" = 256 ] || fail "the cursor file is not 256 bytes"
[ "$(xxd -p -l 2 Cursor-six.bin)" = "6a00" ] || fail "--hex bytes: $(xxd -p -l 2 Cursor-six.bin)"

# A listing read back gives the same file.
"$DRAVICK" cursor --image one.bmp -o Cursor-back.bin | head -16 >listing.txt
"$DRAVICK" cursor --hex listing.txt -o Cursor-again.bin >/dev/null || fail "listing import"
cmp -s Cursor-back.bin Cursor-again.bin || fail "a listing does not read back to its file"

# Failures: the listing is printed, the file is not written.
"$DRAVICK" cursor --hex six.txt -o "" >out.txt 2>err.txt
[ $? = 1 ] || fail "an empty -o name must exit 1"
[ "$(cat err.txt)" = "Error file's name" ] || fail "empty -o message: $(cat err.txt)"
[ "$(wc -l <out.txt)" = 16 ] || fail "the listing comes before the save"
"$DRAVICK" cursor --hex six.txt -o no/such/folder/c >/dev/null 2>err.txt
[ $? = 1 ] && [ "$(cat err.txt)" = "Can't open no/such/folder/c.bin
no/such/folder/c.bin: No such file or directory" ] ||
  fail "unwritable file: $(cat err.txt)"
bmp small.bmp 31
"$DRAVICK" cursor --image small.bmp -o Cursor-small >out.txt 2>err.txt
[ $? = 1 ] && [ "$(cat err.txt)" = "The cursor picture must be 32 x 32 pixels" ] ||
  fail "31 x 31 picture: $(cat err.txt)"
[ ! -e Cursor-small.bin ] && [ ! -s out.txt ] || fail "a refused picture wrote something"

# Usage errors.
"$DRAVICK" cursor -o Cursor-x 2>/dev/null
[ $? = 2 ] || fail "neither --image nor --hex must be a usage error"
"$DRAVICK" cursor --image one.bmp --hex six.txt -o Cursor-x 2>/dev/null
[ $? = 2 ] || fail "--image with --hex must be a usage error"

echo "cursor: all passed"
