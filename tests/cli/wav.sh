#!/usr/bin/env bash
# `dravick wav`: sample bytes, listing text, messages and exit statuses.
set -u
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

fail() { echo "FAIL: $*" >&2; exit 1; }

# Little-endian fields as printf escapes.
le16() { printf '\\x%02x\\x%02x' $(($1 & 255)) $(($1 >> 8 & 255)); }
le32() { printf '%s%s' "$(le16 $(($1 & 65535)))" "$(le16 $(($1 >> 16)))"; }

# wav FILE CHANNELS BITS RATE SAMPLE_HEX [CHUNK_ID]: a PCM file whose chunk after the
# format chunk is CHUNK_ID (default data) holding the samples.
wav() {
  local file=$1 channels=$2 bits=$3 rate=$4 samples=$5 id=${6:-data}
  local count=$((${#samples} / 4))
  printf "RIFF$(le32 $((36 + count)))WAVEfmt $(le32 16)$(le16 1)$(le16 "$channels")" >"$file"
  printf "$(le32 "$rate")$(le32 $((rate * channels * bits / 8)))" >>"$file"
  printf "$(le16 $((channels * bits / 8)))$(le16 "$bits")$id$(le32 "$count")$samples" >>"$file"
}

# expect STATUS STDOUT STDERR -- ARGS: runs dravick wav and compares.
expect() {
  local status=$1 out=$2 err=$3
  shift 4
  "$DRAVICK" wav "$@" >out.txt 2>err.txt
  local got=$?
  [ "$got" = "$status" ] || fail "wav $* exited $got, expected $status ($(cat err.txt))"
  [ "$(cat out.txt)" = "$out" ] || fail "wav $*: stdout '$(cat out.txt)', expected '$out'"
  [ "$(cat err.txt)" = "$err" ] || fail "wav $*: stderr '$(cat err.txt)', expected '$err'"
}

start="Start to convert, please wait..."

# 16-bit stereo, four frames: left high bytes of frames 0 and 2.
wav stereo.wav 2 16 22050 '\x01\x11\x02\x12\x03\x13\x04\x14\x05\x15\x06\x16\x07\x17\x08\x18'
expect 0 "OK" "$start" -- --channel left --bits 8 --speed 2 -o Wav-s stereo.wav
[ "$(xxd -p Wav-s.bin)" = "1115" ] || fail "stereo left 8-bit bytes: $(xxd -p Wav-s.bin)"
printf '{    //stereo.wav\r\n1,   //Sound channel number\r\n8,   //8bits every sample\r\n11025,//Samples number per-second\r\n2//The bytes of Bin_File_Data_Size \r\n};\r\n' >want.txt
cmp -s want.txt Wav-s-Addr.txt || fail "stereo listing: $(od -c Wav-s-Addr.txt)"

# Unset choices are those loading selects: both channels, 16 bits, 1:1.
expect 0 "OK" "$start" -- -o Wav-all.bin stereo.wav
cmp -s Wav-all.bin <(printf '\x01\x11\x02\x12\x03\x13\x04\x14\x05\x15\x06\x16\x07\x17\x08\x18') ||
  fail "stereo whole bytes: $(xxd -p Wav-all.bin)"
grep -q '^2,   //Sound channel number' Wav-all-Addr.txt || fail "two-channel listing"
grep -q '^16,  //16bits every sample' Wav-all-Addr.txt || fail "16-bit listing"

# A name already holding ".bin" is kept; its listing replaces from the first ".bin".
mkdir snd.bin
expect 0 "" "$start" -- --quiet -o snd.bin/Wav-x stereo.wav
[ -f snd.bin/Wav-x ] && [ -f snd-Addr.txt ] || fail "snd.bin/Wav-x naming"

# Converting again to the same name leaves only the second run's bytes.
wav mono8.wav 1 8 8000 '\x80\x81\x82'
expect 0 "OK" "$start" -- -o Wav-all mono8.wav
cmp -s Wav-all.bin <(printf '\x80\x81\x82') || fail "second run bytes: $(xxd -p Wav-all.bin)"

# So little data that B is 0: an empty file, and a listing that says so.
expect 0 "OK" "$start" -- --speed 4 -o Wav-empty mono8.wav
[ -f Wav-empty.bin ] && [ ! -s Wav-empty.bin ] || fail "B = 0 must give an empty file"
[ "$(sed -n 5p Wav-empty-Addr.txt)" = $'0//The bytes of Bin_File_Data_Size \r' ] ||
  fail "B = 0 listing: $(sed -n 5p Wav-empty-Addr.txt | od -c)"

# Refusals: nothing written, status 1.
eight="8bits wav files,Please didn't select 16bits bin data"
expect 1 "" "$eight" -- --bits 16 -o Wav-no mono8.wav
expect 1 "" "Don't support this format!" -- --channel two -o Wav-no mono8.wav
expect 1 "" "Error file's name" -- -o "" mono8.wav
expect 1 "" "打开文件失败!
missing.wav: No such file or directory" -- -o Wav-no missing.wav
wav junk.wav 1 8 8000 '\x01\x02' JUNK
expect 1 "" "Error Chunk!
The wav file has no data chunk" -- -o Wav-no junk.wav
wav wide.wav 3 24 8000 '\x01\x02\x03'
expect 1 "" "Can't support 3 channels wav files
Can't support 24 BitsPerSample wav files" -- -o Wav-no wide.wav
printf 'RIFF' >short.wav
expect 1 "" "The wav file is too short for its header" -- -o Wav-no short.wav
[ ! -e Wav-no.bin ] && [ ! -e Wav-no-Addr.txt ] || fail "a refused conversion wrote a file"

# Usage errors.
"$DRAVICK" wav --speed 3 -o Wav-no mono8.wav 2>/dev/null
[ $? = 2 ] || fail "--speed 3 is a usage error"
"$DRAVICK" wav --channel middle -o Wav-no mono8.wav 2>/dev/null
[ $? = 2 ] || fail "--channel middle is a usage error"

echo "wav: all passed"
