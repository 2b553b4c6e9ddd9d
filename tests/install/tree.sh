#!/usr/bin/env bash
# `cmake --install` into a fresh prefix puts every file of packaging/contents.txt in
# place and nothing else: the icons at their sizes, a launcher entry whose program and
# icon are installed, and programs that run from there.
set -u
fail() { echo "FAILED: $*"; exit 1; }
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
log=$(cmake --install "$BUILD" --prefix "$prefix" 2>&1) || fail "install: $log"

expected=$(sort "$DRAVICK_SOURCE/packaging/contents.txt")
found=$(cd "$prefix" && find . -type f -o -type l | sed 's|^\./||' | sort)
[ "$found" = "$expected" ] || fail "installed files differ: $(diff <(echo "$expected") <(echo "$found"))"

id=org.dravick.DravickTool
for size in 48 128 256; do
  dims=$(identify -format '%wx%h' "$prefix/share/icons/hicolor/${size}x${size}/apps/$id.png")
  [ "$dims" = "${size}x${size}" ] || fail "the $size px icon is $dims"
done
desktop=$prefix/share/applications/$id.desktop
exec_name=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop")
[ -x "$prefix/bin/$exec_name" ] || fail "Exec=$exec_name is not an installed program"
[ "$(sed -n 's/^Icon=//p' "$desktop")" = "$id" ] || fail "Icon= is not $id"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" \
  "$prefix/share/metainfo/$id.metainfo.xml" || fail "metainfo launches no $id.desktop"
if command -v desktop-file-validate >/dev/null; then
  out=$(desktop-file-validate "$desktop" 2>&1) && [ -z "$out" ] || fail "desktop entry: $out"
fi
if command -v appstreamcli >/dev/null; then
  out=$(appstreamcli validate --no-net "$prefix/share/metainfo/$id.metainfo.xml" 2>&1) ||
    fail "metainfo: $out"
fi
# The project's version, and the commit it was built from when built from a checkout.
version=$("$prefix/bin/dravick" --version) || fail "installed dravick --version"
project=$(sed -n 's/^project(DravickTool VERSION \([0-9.]*\).*/\1/p' "$DRAVICK_SOURCE/CMakeLists.txt")
pattern="^dravick ${project//./\\.}\$"
if git -C "$DRAVICK_SOURCE" rev-parse HEAD >/dev/null 2>&1; then
  pattern="^dravick ${project//./\\.} \\(git [0-9a-z.-]+\\)\$"
fi
[[ $version =~ $pattern ]] || fail "version '$version' is not like '$pattern'"
exit 0
