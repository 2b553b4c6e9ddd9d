# Sourced by the window scripts. start_xvfb WIDTHxHEIGHT WORKDIR starts an X server on a
# display number the server picks itself (so parallel tests never share one), waits until
# it accepts clients, and sets DISPLAY and xvfb (its process id). Sourcing it makes a
# work folder ($work) that goes, with the server and the program, when the script ends.
work=$(mktemp -d)
gui=""
xvfb=""
end_x_session() {
  [ -n "$gui" ] && kill "$gui" 2>/dev/null
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null
  wait 2>/dev/null
  rm -rf "$work"
}
trap end_x_session EXIT

start_xvfb() {
  local size=$1 work=$2 number=""
  Xvfb -displayfd 1 -screen 0 "${size}x24" -nolisten tcp >"$work/xvfb.display" 2>"$work/xvfb.log" &
  xvfb=$!
  for _ in $(seq 300); do
    number=$(head -1 "$work/xvfb.display" 2>/dev/null)
    [ -n "$number" ] && break
    kill -0 "$xvfb" 2>/dev/null || break
    sleep 0.1
  done
  if [ -z "$number" ]; then
    echo "FAILED: Xvfb did not start"
    cat "$work/xvfb.log"
    exit 1
  fi
  export DISPLAY=":$number"
  for _ in $(seq 100); do xwininfo -root >/dev/null 2>&1 && break; sleep 0.1; done
}

# The id of the viewable window with exactly this caption, waiting for it to appear.
window_of() {
  local id=""
  for _ in $(seq 50); do
    id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -1)
    [ -n "$id" ] && break
    sleep 0.1
  done
  echo "$id"
}

# start_gui WORKDIR starts dravick-gui on the display, in WORKDIR, and waits for its main
# window; sets gui (its process id) and main (the window's id), or exits with its log.
start_gui() {
  unset QT_QPA_PLATFORM
  # In the sanitizer build: libxkbcommon hands strndup a length past its string's end,
  # which strndup allows but the strict string check reports.
  export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}strict_string_checks=0"
  # A second try: now and then, on a fresh server, the first client is refused.
  for _ in 1 2; do
    (cd "$1" && exec "$DRAVICK_GUI") >"$1/gui.log" 2>&1 &
    gui=$!
    main=$(window_of "Dravick Tool V1.641")
    [ -n "$main" ] && break
    kill "$gui" 2>/dev/null
    wait "$gui" 2>/dev/null
    gui=""
  done
  if [ -z "$main" ]; then
    echo "FAILED: no window captioned Dravick Tool V1.641"
    cat "$1/gui.log"
    exit 1
  fi
  sleep 0.5
}
