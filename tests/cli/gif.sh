#!/usr/bin/env bash
# `dravick gif`: frame bytes, listing lines, names, messages and exit statuses.
set -u
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
fail() { echo "FAILED: $*"; exit 1; }
hex_at() { od -An -tx1 -v -j "$2" -N "$3" "$1" | tr -d ' \n'; }
le16() { printf '%02x%02x' $(($1 & 255)) $(($1 >> 8)); }

# GIFs written here: a four-colour global table (red, green, blue, 0x123456) and image
# data of 8-bit codes, a clear code (0x80) before every 126 pixels, so no compression.
image_data() {  # PIXELS INDEX: hex of the frame's code size and data blocks
  local count=$1 index codes="" chunk="80" i
  index=$(printf '%02x' "$2")
  for ((i = 0; i < 126; i++)); do chunk+=$index; done
  for ((i = 0; i < count / 126; i++)); do codes+=$chunk; done
  if ((count % 126)); then
    codes+=80
    for ((i = 0; i < count % 126; i++)); do codes+=$index; done
  fi
  codes+=81
  local out="07" length=$((${#codes} / 2)) at=0 n
  while ((at < length)); do
    n=$((length - at < 255 ? length - at : 255))
    out+=$(printf '%02x' $n)${codes:$((at * 2)):$((n * 2))}
    at=$((at + n))
  done
  echo "${out}00"
}
# make_gif FILE WIDTH HEIGHT INDEX...: one full-screen frame of each colour index.
make_gif() {
  local file=$1 w=$2 h=$3 hex
  shift 3
  hex="474946383961$(le16 "$w")$(le16 "$h")f10000ff000000ff000000ff123456"
  for index in "$@"; do
    hex+="2c00000000$(le16 "$w")$(le16 "$h")00$(image_data $((w * h)) "$index")"
  done
  echo "${hex}3b" | xxd -r -p >"$file"
}

# The three-frame 100 x 50 GIF: 30000 bytes, the index line, three frame lines.
make_gif run.gif 100 50 0 1 2
"$DRAVICK" gif -o anim run.gif >stdout 2>stderr
status=$?
[ $status -eq 0 ] || fail "three frames: status $status"
[ "$(stat -c %s anim.bin)" -eq 30000 ] || fail "three frames: size"
printf '//0\r\n{100, 50, 0x00000000, 0x00002710},//run.gif-Frames0\n\r\n{100, 50, 0x00002710, 0x00002710},//run.gif-Frames1\n\r\n{100, 50, 0x00004E20, 0x00002710},//run.gif-Frames2\n\r\n' >expected
cmp -s expected anim-Addr.txt || fail "three frames: address list"
[ "$(hex_at anim.bin 0 2)$(hex_at anim.bin 10000 2)$(hex_at anim.bin 20000 2)" = 00f8e0071f00 ] ||
  fail "three frames: red, green, blue in R5G6B5"
[ "$(cat stdout)" = "Convert ok" ] || fail "Convert ok on stdout"
[ "$(cat stderr)" = "Start to convert, please wait..." ] || fail "notice on stderr"

# Options: rotation swaps W and H; R8G8B8 with NAND pads rows of width 5 to 8 pixels.
"$DRAVICK" gif --quiet --rotate r90 -o turned run.gif >stdout 2>/dev/null || fail "r90 status"
[ ! -s stdout ] || fail "--quiet keeps Convert ok back"
grep -q '^{50, 100, 0x00000000, 0x00002710},//run.gif-Frames0' turned-Addr.txt || fail "r90 line"
make_gif narrow.gif 5 2 3
"$DRAVICK" gif --quiet --format r8g8b8 --order bgr --nand -o narrow.bin narrow.gif 2>/dev/null ||
  fail "nand status"
[ "$(stat -c %s narrow.bin)" -eq 48 ] || fail "nand size"
[ "$(hex_at narrow.bin 0 24)" = 123456123456123456123456123456ffffffffffffffffff ] || fail "nand row"
grep -q '^{5, 2, 0x00000000, 0x00000030},//narrow.gif-Frames0' narrow-Addr.txt || fail "nand line"

# Index lines count the arguments; listing names are bare names; ".bin" kept when present.
mkdir sub && make_gif sub/one.gif 1 1 1
"$DRAVICK" gif --quiet -o pair.BIN sub/one.gif sub/one.gif 2>/dev/null || fail "pair status"
printf '//0\r\n{1, 1, 0x00000000, 0x00000002},//one.gif-Frames0\n\r\n//1\r\n{1, 1, 0x00000002, 0x00000002},//one.gif-Frames0\n\r\n' >expected
cmp -s expected pair.BIN-Addr.txt || fail "pair address list"
[ -f pair.BIN.bin ] || fail "pair.BIN.bin"

# Listing names are written in the text code page.
cp sub/one.gif 动画.gif
"$DRAVICK" gif --quiet -o cn 动画.gif 2>/dev/null || fail "GBK name status"
[ "$(hex_at cn-Addr.txt 38 4)" = b6afbbad ] || fail "GBK name bytes"
"$DRAVICK" gif --quiet --traditional-locale -o tw 动画.gif 2>/dev/null || fail "BIG5 name status"
[ "$(hex_at tw-Addr.txt 38 2)" = 3f3f ] || fail "characters BIG5 lacks become ?"

# A GIF that fails to decode stops the run: failure line, no address list, status 1.
head -c 60 run.gif >cut.gif
"$DRAVICK" gif -o broken sub/one.gif cut.gif >stdout 2>stderr
status=$?
[ $status -eq 1 ] || fail "failing GIF: status $status"
[ "$(sed -n 2p stderr)" = "Fail to convert cut.gif" ] || fail "failing GIF: failure line"
[[ "$(sed -n 3p stderr)" == "cut.gif: GIF: "* ]] || fail "failing GIF: reason $(cat stderr)"
[ ! -e broken-Addr.txt ] || fail "failing GIF: address list written"
[ "$(stat -c %s broken.bin)" -eq 2 ] || fail "failing GIF: frames stored so far stay"
[ ! -s stdout ] || fail "failing GIF: success text"

# Malformed files never crash: each ends as a failing tick.
printf 'GIF89a' >short.gif
printf 'not a gif at all' >text.gif
: >empty.gif
printf '474946383961ffffffff0000003b' | xxd -r -p >huge.gif
for bad in short.gif text.gif empty.gif huge.gif missing.gif; do
  "$DRAVICK" gif -o bad "$bad" >/dev/null 2>stderr
  status=$?
  [ $status -eq 1 ] || fail "$bad: status $status"
  [ "$(sed -n 2p stderr)" = "Fail to convert $bad" ] || fail "$bad: failure line"
  [[ "$(sed -n 3p stderr)" == "$bad: "?* ]] || fail "$bad: reason"
done

# Usage and name errors.
"$DRAVICK" gif -o "" run.gif >/dev/null 2>stderr
[ $? -eq 1 ] && [ "$(cat stderr)" = "Error file's name" ] || fail "empty name"
"$DRAVICK" gif --format bw -o x run.gif >/dev/null 2>&1
[ $? -eq 2 ] || fail "bad format is a usage error"
"$DRAVICK" gif -o x >/dev/null 2>&1
[ $? -eq 2 ] || fail "no GIF is a usage error"
echo "gif: all checks passed"
