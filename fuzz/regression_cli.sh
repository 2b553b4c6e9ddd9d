#!/usr/bin/env bash
# Hands every input of the regression corpus to the command line the way a user would:
# each run must end with status 0, or with status 1, a message on stderr and no output
# file left behind. Anything else (a crash, a silent failure, a half-written file) fails.
set -uo pipefail
: "${DRAVICK:?path of the built dravick}" "${DRAVICK_SOURCE:?repository root}"
corpus="$DRAVICK_SOURCE/fuzz/regression"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
checked=0

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# check NAME INPUT: runs the rest of the arguments in a fresh output folder $out.
check() {
  local name=$1 input=$2
  shift 2
  local status=0
  "$@" >"$scratch/stdout" 2>"$scratch/stderr" || status=$?
  case $status in
    0) ;;
    1)
      [ -s "$scratch/stderr" ] || fail "$name $input: status 1 without a message"
      [ -z "$(ls -A "$out")" ] || fail "$name $input: failed but left $(ls "$out")"
      ;;
    *) fail "$name $input: status $status: $(head -c 400 "$scratch/stderr")" ;;
  esac
  echo "$name $(basename "$input"): status $status $(tail -n 1 "$scratch/stderr")"
  checked=$((checked + 1))
}

# fresh INPUT NAME: copies the input into a fresh input folder under NAME, empties $out.
fresh() {
  rm -rf "$scratch/in" "$scratch/out"
  mkdir -p "$scratch/in" "$scratch/out"
  out="$scratch/out"
  cp "$1" "$scratch/in/$2"
}

for input in "$corpus"/png/* "$corpus"/jpeg/* "$corpus"/bmp/*; do
  [ -f "$input" ] || continue
  kind=$(basename "$(dirname "$input")")
  ext=$kind
  [ "$kind" = jpeg ] && ext=jpg
  fresh "$input" "bad.$ext"
  check picture "$input" "$DRAVICK" picture --quiet -o "$out/Picture-bad" "$scratch/in/bad.$ext"
done

for input in "$corpus"/gif/*; do
  [ -f "$input" ] || continue
  fresh "$input" bad.gif
  check gif "$input" "$DRAVICK" gif --quiet -o "$out/Gif-bad" "$scratch/in/bad.gif"
done

for input in "$corpus"/wav/*; do
  [ -f "$input" ] || continue
  fresh "$input" bad.wav
  check wav "$input" "$DRAVICK" wav --quiet -o "$out/Wav-bad" "$scratch/in/bad.wav"
done

for input in "$corpus"/cursor_import/*; do
  [ -f "$input" ] || continue
  fresh "$input" bad.txt
  check cursor "$input" "$DRAVICK" cursor --quiet --hex "$scratch/in/bad.txt" -o "$out/Cursor-bad"
done

for input in "$corpus"/project/*; do
  [ -f "$input" ] || continue
  fresh "$input" bad.ini
  head -c 64 /dev/zero >"$scratch/in/Picture-good.bin"
  printf '{4, 4, 0x00000000, 0x00000020},//a.png\r\n{4, 4, 0x00000020, 0x00000020},//b.png\r\n' \
    >"$scratch/in/Picture-good-Addr.txt"
  check build "$input" "$DRAVICK" build --quiet --project "$scratch/in/bad.ini" --bins "$scratch/in" \
    --userinfo "$out/UserInfo" -o "$out/Flash"
done

# An address list beside a picture resource file of 64 bytes, read by the builder.
for input in "$corpus"/address_list/* "$corpus"/bin_folder/*; do
  [ -f "$input" ] || continue
  fresh "$input" Picture-bad-Addr.txt
  head -c 64 /dev/zero >"$scratch/in/Picture-bad.bin"
  sed -n '1,/^\[USERCMD\]/p' "$DRAVICK_SOURCE/examples/demo/demo.ini" >"$scratch/in/project.ini"
  check build "$input" "$DRAVICK" build --quiet --project "$scratch/in/project.ini" \
    --bins "$scratch/in" --userinfo "$out/UserInfo" -o "$out/Flash" Picture-bad.bin
done

for input in "$corpus"/string_text/*; do
  [ -f "$input" ] || continue
  fresh "$input" bad.txt
  check font "$input" "$DRAVICK" font string --quiet --text "$scratch/in/bad.txt" \
    --font "DejaVu Sans" -o "$out/Font_bad"
done

for input in "$corpus"/inspect/*; do
  [ -f "$input" ] || continue
  fresh "$input" Flash.bin
  check inspect "$input" "$DRAVICK" inspect "$scratch/in/Flash.bin"
done

# `extract` writes the good entries of a file whose other entries are bad, so a status 1
# may leave files: it must say why, list what it wrote and leave no temporary file.
for input in "$corpus"/extract/* "$corpus"/inspect/*; do
  [ -f "$input" ] || continue
  fresh "$input" Flash.bin
  status=0
  "$DRAVICK" extract --quiet "$scratch/in/Flash.bin" -d "$out/x" >"$scratch/stdout" \
    2>"$scratch/stderr" || status=$?
  case $status in
    0) [ -s "$out/x/contents.txt" ] || fail "extract $input: no contents.txt" ;;
    1) [ -s "$scratch/stderr" ] || fail "extract $input: status 1 without a message" ;;
    *) fail "extract $input: status $status: $(head -c 400 "$scratch/stderr")" ;;
  esac
  if [ -d "$out/x" ] && ls -A "$out/x" | grep -q '\.tmp'; then
    fail "extract $input: left $(ls "$out/x")"
  fi
  echo "extract $(basename "$input"): status $status $(tail -n 1 "$scratch/stderr")"
  checked=$((checked + 1))
done

echo "$checked regression inputs checked through the command line"
