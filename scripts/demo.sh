#!/usr/bin/env bash
# The main job: make the demo pictures and convert them into a picture resource file.
set -euo pipefail
cd "$(dirname "$0")/.."
dravick=build/src/cli/dravick
demo=examples/demo
out=$demo/out
mkdir -p "$out"
build/tools/make-pictures "$demo/pictures" --demo
"$dravick" picture --quiet -o "$out/Picture-demo" "$demo/pictures"
echo "Picture resource: $out/Picture-demo.bin ($(stat -c %s "$out/Picture-demo.bin") bytes)"
cat "$out/Picture-demo-Addr.txt"
