#!/usr/bin/env bash
# dravick font: library sizes and slots, the string font file, glyph listings, the
# traditional locale and the failure texts.
set -uo pipefail
: "${DRAVICK:?path of the dravick binary}"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1
unset LANG LC_CTYPE
export LC_ALL=C.UTF-8

fail() {
  echo "FAIL: $*" >&2
  exit 1
}
expect_eq() {  # what, expected, actual
  [ "$2" == "$3" ] || fail "$1: expected [$2], got [$3]"
}
size_of() { stat -c %s "$1"; }
# The hex digits of a listing, one string ("0x12, 0xAB, " -> "12ab").
listing_hex() { tr -d ' ,\r\n' | sed 's/0x//g' | tr 'A-F' 'a-f'; }
# N bytes at OFFSET of FILE as hex.
bytes_at() { xxd -p -s "$2" -l "$3" "$1" | tr -d '\n'; }

# Library sizes, completion texts and the slot of a code.
for entry in gb2312:267264:"GB2312 Font Lib ok" big5:450560:"BIG5 Font Lib ok" \
  gb2312-trad:267264:"繁体GB2312 Font Lib ok" gbk:1030080:"GB2312 Font Lib ok"; do
  IFS=: read -r set size message <<<"$entry"
  out=$("$DRAVICK" font charset --set "$set" -o "lib_$set") || fail "$set: exit $?"
  expect_eq "$set message" "$message" "$out"
  expect_eq "$set size" "$size" "$(size_of "lib_$set.bin")"
done

# Code 0xB0A1 sits in slot 1410 and holds the bytes "Test Code" lists for it.
listed=$("$DRAVICK" font show --code B0A1 --set gb2312 | listing_hex)
expect_eq "listing length" 64 "${#listed}"
expect_eq "slot of B0A1" "$listed" "$(bytes_at lib_gb2312.bin 45120 32)"
listed=$("$DRAVICK" font show --code A440 --set big5 | listing_hex)
expect_eq "slot of A440" "$listed" "$(bytes_at lib_big5.bin $((480 * 32)) 32)"
listed=$("$DRAVICK" font show --code 8240 --set gbk | listing_hex)
expect_eq "slot of 8240" "$listed" "$(bytes_at lib_gbk.bin $((191 * 32)) 32)"
# Slots after the last GB2312 code hold zeros.
expect_eq "empty slots" "$(head -c $((174 * 32)) /dev/zero | xxd -p | tr -d '\n')" \
  "$(bytes_at lib_gb2312.bin $((8178 * 32)) $((174 * 32)))"

# The listing: eight entries a line.
first_line=$("$DRAVICK" font show --unicode AC80 | head -n 1)
[[ "$first_line" =~ ^(0x[0-9A-F]{2},\ ){8}$ ]] || fail "listing line: [$first_line]"

# Unicode range: log lines on stdout, then the library.
out=$("$DRAVICK" font charset --set unicode -o uni 2>err) || fail "unicode: exit $?"
expect_eq "unicode log" $'Unicode start:AC00\nUnicode end:D7A3\nUnicode nmuber:11172\nUniCode Font Lib ok' "$out"
expect_eq "unicode size" 357504 "$(size_of uni.bin)"
# The stand-in face has no Hangul: the Hangul face the setup installs draws all of it.
expect_eq "unicode fallback report" "11172 characters drawn with LexiGulim" "$(cat err)"
listed=$("$DRAVICK" font show --unicode AC80 | listing_hex)
expect_eq "slot of AC80" "$listed" "$(bytes_at uni.bin $((0x80 * 32)) 32)"
out=$("$DRAVICK" font charset --set unicode --start 4e00 --end 4E00 --width 16 --height 24 \
  --rotate r90 -o one) || fail "one glyph: exit $?"
expect_eq "one glyph size" 48 "$(size_of one.bin)"

out=$("$DRAVICK" font charset --set unicode --start D7A3 --end AC00 -o bad 2>err)
expect_eq "reversed range status" 1 $?
expect_eq "reversed range log" $'Unicode start:D7A3\nUnicode end:AC00' "$out"
expect_eq "reversed range message" "Error for start code > end code. And stop." "$(cat err)"
[ ! -e bad.bin ] || fail "reversed range wrote a file"

# Names: ".bin" appended unless present; an empty name and an unwritable file fail.
"$DRAVICK" font charset --set unicode --start 0041 --end 0041 -o Font.BIN --quiet >/dev/null ||
  fail "Font.BIN"
[ -f Font.BIN.bin ] || fail "Font.BIN did not become Font.BIN.bin"
"$DRAVICK" font charset --set unicode --start 0041 --end 0041 -o "" >/dev/null 2>err
expect_eq "empty name status" 1 $?
expect_eq "empty name message" "Error file's name" "$(cat err)"
out=$("$DRAVICK" font charset --set unicode --start 0041 --end 0041 -o missing/x 2>err)
expect_eq "unwritable status" 1 $?
expect_eq "unwritable message" "open Creat file error!" "$(head -n 1 err)"
[[ "$out" != *"Font Lib ok"* ]] || fail "completion shown although nothing was written"

# The string font of "AB" + line break + "汉汉".
printf 'AB\r\n\xba\xba\xba\xba' >text.txt
out=$("$DRAVICK" font string --text text.txt -o string) || fail "string: exit $?"
expect_eq "string message" "String Font bin ok" "$out"
expect_eq "string size" 148 "$(size_of string.bin)"
expect_eq "string header" "4d726c78466f6e7400041010" "$(bytes_at string.bin 0 12)"
expect_eq "string codes" "00410042babababa" "$(bytes_at string.bin 12 8)"
listed=$("$DRAVICK" font show --text 汉 | listing_hex)
expect_eq "string glyph 3" "$listed" "$(bytes_at string.bin $((20 + 3 * 32)) 32)"
: >empty.txt
"$DRAVICK" font string --text empty.txt -o empty --quiet || fail "empty text"
expect_eq "empty text size" 12 "$(size_of empty.bin)"
"$DRAVICK" font string --text none.txt -o none 2>err
expect_eq "missing text status" 1 $?

# A BIG5 character that GBK lacks (U+2027, 0xA145) is drawn as "?", except under the
# traditional locale, which decodes BIG5 directly.
question=$("$DRAVICK" font show --text "?" | listing_hex)
expect_eq "BIG5 ? fallback" "$question" "$("$DRAVICK" font show --code A145 --set big5 | listing_hex)"
direct=$("$DRAVICK" font show --code A145 --set big5 --traditional-locale | listing_hex)
[ "$direct" != "$question" ] || fail "traditional locale drew ? for 0xA145"
expect_eq "LC_ALL=zh_TW" "$direct" "$(LC_ALL=zh_TW.UTF-8 "$DRAVICK" font show --code A145 | listing_hex)"

# Under the traditional locale "Make Bin" always makes BIG5, and text is code page 950.
out=$(LC_ALL=zh_TW.UTF-8 "$DRAVICK" font charset --set gb2312 -o trad) || fail "trad: exit $?"
expect_eq "traditional set" "BIG5 Font Lib ok" "$out"
expect_eq "traditional size" 450560 "$(size_of trad.bin)"
printf '\xb5\xd8A' >big5.txt
"$DRAVICK" font string --traditional-locale --text big5.txt -o big5s --quiet || fail "big5 string"
expect_eq "BIG5 codes" "b5d80041" "$(bytes_at big5s.bin 12 4)"

# Font fallback. A character the chosen face lacks is drawn with a face that has it;
# with --no-fallback the chosen face draws its own missing-glyph cell, the cell of a
# private-use code, for which no face stands in. The same in a library slot, a string
# font and the listing.
missing=$("$DRAVICK" font show --unicode E000 2>err | listing_hex)
expect_eq "private use report" "1 characters have no glyph in any installed font: U+E000" "$(cat err)"
hangul=$("$DRAVICK" font show --unicode AC00 2>err | listing_hex)
[ "$hangul" != "$missing" ] || fail "U+AC00 was not drawn with the Hangul face"
expect_eq "show report" "1 characters drawn with LexiGulim" "$(cat err)"
expect_eq "show --no-fallback" "$missing" "$("$DRAVICK" font show --unicode AC00 --no-fallback 2>err | listing_hex)"
expect_eq "show --no-fallback report" "1 characters have no glyph in AR PL UMing CN: U+AC00" "$(cat err)"
expect_eq "library slot" "$hangul" "$(bytes_at uni.bin 0 32)"
"$DRAVICK" font charset --set unicode --start AC00 --end AC01 --no-fallback -o plain >/dev/null 2>err ||
  fail "no-fallback library"
expect_eq "library slot --no-fallback" "$missing" "$(bytes_at plain.bin 0 32)"
expect_eq "library --no-fallback report" "2 characters have no glyph in AR PL UMing CN" "$(cat err)"
# GBK's A3FE (U+FFE3) is not in the stand-in face either; AAA1 is a private-use code.
printf '\xa3\xfe\xaa\xa1\xaa\xa1' >lacking.txt
"$DRAVICK" font string --text lacking.txt -o lacking >/dev/null 2>err || fail "lacking string"
expect_eq "string font report" $'1 characters drawn with LexiGulim\n2 characters have no glyph in any installed font: U+E000' "$(cat err)"
"$DRAVICK" font string --text lacking.txt --no-fallback -o lacking-plain >/dev/null 2>/dev/null
expect_eq "string glyph --no-fallback" "$missing" "$(bytes_at lacking-plain.bin 18 32)"
[ "$(bytes_at lacking.bin 18 32)" != "$missing" ] || fail "string font glyph not drawn"
# Characters the chosen face has say nothing.
"$DRAVICK" font show --text 汉 >/dev/null 2>err
[ ! -s err ] || fail "report for a character the face has: $(cat err)"

# A font configuration with no face at all: the default face is not found, and a face
# given by its file has nowhere to fall back to. fontconfig's own complaints about a
# missing or broken configuration stay off the terminal.
mkdir -p nofonts fccache
printf '<?xml version="1.0"?>\n<fontconfig><dir>%s/nofonts</dir><cachedir>%s/fccache</cachedir></fontconfig>\n' \
  "$work" "$work" >empty.conf
FONTCONFIG_FILE=$work/empty.conf "$DRAVICK" font show --text A >/dev/null 2>err
expect_eq "no face status" 1 $?
expect_eq "no face message" "Font not found: 宋体" "$(cat err)"
FONTCONFIG_FILE=$work/empty.conf "$DRAVICK" font show --unicode AC00 \
  --font /usr/share/fonts/truetype/dejavu/DejaVuSans.ttf >/dev/null 2>err || fail "face by file"
expect_eq "nowhere to fall back" "1 characters have no glyph in any installed font: U+AC00" "$(cat err)"
printf 'not xml <' >broken.conf
for conf in broken.conf missing.conf; do
  FONTCONFIG_FILE=$work/$conf "$DRAVICK" font show --text A >/dev/null 2>err || fail "$conf status"
  [ ! -s err ] || fail "$conf: $(cat err)"
done

# The gray limit field never holds more than 255; a limit of 0 gives no ink.
expect_eq "limit 999" "$("$DRAVICK" font show --text 汉 --gray-limit 255 | listing_hex)" \
  "$("$DRAVICK" font show --text 汉 --gray-limit 999 | listing_hex)"
expect_eq "limit 0" "$(printf '00%.0s' {1..32})" "$("$DRAVICK" font show --text 汉 --gray-limit 0 | listing_hex)"

# Previews as PNG.
"$DRAVICK" font show --code BBAA --png preview.png >/dev/null || fail "png: exit $?"
expect_eq "png magic" "89504e47" "$(bytes_at preview.png 0 4)"

# A font file that does not exist.
"$DRAVICK" font show --text A --font /no/such/font.ttf >/dev/null 2>err
expect_eq "missing font status" 1 $?
expect_eq "missing font message" "Font not found: /no/such/font.ttf" "$(cat err)"

# Usage errors.
for args in "--text A --width abc" "--code 12" "--code ZZZZ" "--text A --rotate 180" \
  "--text A --gray-limit -1" "--code B0A1 --text A"; do
  # shellcheck disable=SC2086
  "$DRAVICK" font show $args >/dev/null 2>&1
  status=$?
  expect_eq "usage $args" 2 "$status"
done
"$DRAVICK" font show >/dev/null 2>&1
expect_eq "show without a text" 2 $?

echo "font: ok"
