#!/usr/bin/env bash
# Builds the libFuzzer harnesses with clang into build-fuzz/ and runs each for SECONDS
# (default 600), one process per harness, at most JOBS (default 2) at a time. Each starts
# from the seeds of fuzz-seeds and the regression corpus; crashes land in
# build-fuzz/artifacts/<harness>/ and a summary line per harness in build-fuzz/summary.txt.
#   scripts/fuzz.sh [SECONDS] [HARNESS...]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-600}"
shift || true
harnesses=("$@")
if ((${#harnesses[@]} == 0)); then
  harnesses=(png jpeg bmp gif wav project address_list bin_folder inspect extract cursor_import
    string_text)
fi
build=${FUZZ_BUILD_DIR:-build-fuzz}
jobs=${JOBS:-2}

if [ ! -f "$build/build.ninja" ]; then
  CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DDRAVICK_FUZZ=ON -DDRAVICK_BENCH=OFF >/dev/null
fi
cmake --build "$build" -j2 --target fuzz-seeds "${harnesses[@]/%/_fuzzer}"
"$build/fuzz/fuzz-seeds" "$build/seeds" "$PWD" >/dev/null

# Pictures of up to 2^28 pixels are allowed, so decoding one may take a few GB.
run_one() {
  local name=$1
  local corpus="$build/corpus/$name" artifacts="$build/artifacts/$name/"
  mkdir -p "$corpus" "$artifacts"
  local log="$build/logs/$name.log"
  mkdir -p "$build/logs"
  local inputs=("$corpus" "$build/seeds/$name")
  [ -d "fuzz/regression/$name" ] && inputs+=("fuzz/regression/$name")
  "$build/fuzz/${name}_fuzzer" "${inputs[@]}" \
    -max_total_time="$seconds" -timeout=30 -rss_limit_mb=6144 -malloc_limit_mb=6144 \
    -artifact_prefix="$artifacts" -print_final_stats=1 >"$log" 2>&1 || true
  local runs crashes
  runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' || echo "?")
  crashes=$(find "$artifacts" -type f | wc -l)
  echo "$name: $runs executions in ${seconds}s, $crashes artifacts ($(date -u +%H:%M))" |
    tee -a "$build/summary.txt"
}

running=0
for name in "${harnesses[@]}"; do
  run_one "$name" &
  running=$((running + 1))
  if ((running >= jobs)); then
    wait -n
    running=$((running - 1))
  fi
done
wait
