#!/usr/bin/env bash
# Checks the Debian package of build-release/ (or $BUILD_DIR) as a user meets it: the
# desktop entry and metainfo validate, the package holds every file of
# packaging/contents.txt, lintian finds no error, and then, for real on this machine, it
# installs with apt-get, answers `dravick --version`, `man dravick` and bash completion,
# builds the demo's flash image with the installed programs and removes without a trace.
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir="${BUILD_DIR:-build-release}"
package=$(ls "$PWD/$build_dir"/dravick-tool_*.deb)
id=org.dravick.DravickTool
fail() { echo "FAILED: $*"; exit 1; }
export DEBIAN_FRONTEND=noninteractive
# Only this check needs lintian and bash-completion's loader.
for tool in lintian bash-completion; do
  dpkg-query -W -f='${Status}' "$tool" 2>/dev/null | grep -q "install ok installed" ||
    apt-get install -y -qq --no-install-recommends "$tool" >/dev/null
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

echo "-- contents"
dpkg-deb -x "$package" "$work/root"
contents=$(dpkg-deb -c "$package" | awk '{print $6}' | sed -n 's|^\./usr/||p')
while read -r file; do
  grep -qx "$file" <<<"$contents" || fail "the package lacks /usr/$file"
done <packaging/contents.txt
desktop-file-validate "$work/root/usr/share/applications/$id.desktop"
appstreamcli validate --no-net "$work/root/usr/share/metainfo/$id.metainfo.xml"
echo "Depends: $(dpkg-deb -f "$package" Depends)"
echo "Installed-Size: $(dpkg-deb -f "$package" Installed-Size) KiB"
for depends in libqt6widgets6 fontconfig fonts-arphic-uming fonts-dejavu-core fonts-lexi-gulim; do
  dpkg-deb -f "$package" Depends | grep -q "\b$depends\b" || fail "Depends lacks $depends"
done

echo "-- lintian"
lintian "$package" | tee "$work/lintian.txt" || true
! grep -q '^E:' "$work/lintian.txt" || fail "lintian reports errors"

echo "-- install"
if dpkg-query -W dravick-tool >/dev/null 2>&1; then
  fail "dravick-tool is installed already; remove it first"
fi
apt-get install -y -qq "$package" >"$work/apt.log" 2>&1 || fail "apt-get install: $(cat "$work/apt.log")"
dpkg -L dravick-tool >"$work/files.txt"
dravick --version
[ "$(command -v dravick)" = /usr/bin/dravick ] || fail "dravick is not /usr/bin/dravick"
man -w dravick
MANWIDTH=80 man dravick 2>/dev/null | grep -q '^DRAVICK PICTURE' || fail "man dravick shows no commands"
MANWIDTH=80 man dravick-gui >/dev/null 2>&1 || fail "man dravick-gui"
# bash-completion loads the installed completion when dravick is first completed.
reply=$(bash -c 'source /usr/share/bash-completion/bash_completion
  _completion_loader dravick
  COMP_WORDS=(dravick pi); COMP_CWORD=1; _dravick; echo "${COMPREPLY[*]}"')
[ "$reply" = picture ] || fail "completing 'dravick pi' gave '$reply'"
[ -f "/usr/share/icons/hicolor/256x256/apps/$id.png" ] || fail "no icon"
grep -qx "Icon=$id" "/usr/share/applications/$id.desktop" || fail "desktop entry names another icon"
# The desktop program starts from the package (offscreen) and runs until it is stopped.
status=0
QT_QPA_PLATFORM=offscreen timeout 5 dravick-gui >/dev/null 2>&1 || status=$?
[ $status -eq 124 ] || fail "dravick-gui ended with status $status"
echo "-- demo with the installed dravick"
DRAVICK=/usr/bin/dravick MAKE_PICTURES="$build_dir/tools/make-pictures" bash scripts/demo.sh |
  tail -n 3

echo "-- remove"
apt-get purge -y -qq dravick-tool >"$work/apt.log" 2>&1 || fail "apt-get purge: $(cat "$work/apt.log")"
while read -r path; do
  if [ -f "$path" ] || [ -L "$path" ]; then
    fail "$path is left after removal"
  fi
done <"$work/files.txt"
[ ! -e /usr/share/doc/dravick-tool ] || fail "/usr/share/doc/dravick-tool is left"
echo "Package checks passed"
