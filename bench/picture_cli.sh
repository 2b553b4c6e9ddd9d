#!/usr/bin/env bash
# `dravick picture` over 50 PNG and 50 JPEG photographs of 1024 x 600 against decoding
# the same files alone with the same decoders, measured in the same run; then the same
# run with each dither against the undithered one, in CPU time (user + system), which
# other work on the machine disturbs less than the clock.
# Usage: bash bench/picture_cli.sh [BUILD_DIR]   (the build needs -DDRAVICK_BENCH=ON)
set -euo pipefail
build=${1:-build}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$build/tools/make-pictures" "$work/pics" --bench 50

decode_ms=$(BENCH_PICTURES="$work/pics" "$build/bench/picture_benchmark" \
  --benchmark_filter='^DecodeOnly' --benchmark_format=csv 2>/dev/null |
  awk -F, '/DecodeOnly/ {printf "%.0f", $3}')

best=""
for _ in 1 2 3; do
  start=$(date +%s%N)
  "$build/src/cli/dravick" picture --quiet -o "$work/out" "$work/pics"
  elapsed=$((($(date +%s%N) - start) / 1000000))
  if [ -z "$best" ] || [ "$elapsed" -lt "$best" ]; then best=$elapsed; fi
done
echo "decoding alone:   ${decode_ms} ms (mean of 3)"
echo "dravick picture:  ${best} ms (best of 3, $(stat -c %s "$work/out.bin") bytes written)"
awk -v a="$best" -v b="$decode_ms" 'BEGIN {printf "ratio:            %.2f\n", a / b}'

# Best CPU time of five runs, in milliseconds.
cpu_ms() {
  local best="" run
  TIMEFORMAT='%U %S'
  for _ in 1 2 3 4 5; do
    run=$({ time "$build/src/cli/dravick" picture --quiet "$@" -o "$work/dithered" "$work/pics"; } 2>&1 |
      awk '{printf "%.0f", ($1 + $2) * 1000}')
    if [ -z "$best" ] || [ "$run" -lt "$best" ]; then best=$run; fi
  done
  echo "$best"
}
for format in r5g6b5 bw; do
  plain=$(cpu_ms --format "$format")
  for dither in ordered diffusion; do
    dithered=$(cpu_ms --format "$format" --dither "$dither")
    awk -v f="$format" -v d="$dither" -v a="$dithered" -v b="$plain" \
      'BEGIN {printf "%-7s %-9s %5d ms CPU against %5d ms undithered: %.2f\n", f, d, a, b, a / b}'
  done
done
