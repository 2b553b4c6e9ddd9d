#!/usr/bin/env bash
# `dravick picture` over 50 PNG and 50 JPEG photographs of 1024 x 600 against decoding
# the same files alone with the same decoders, measured in the same run.
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
