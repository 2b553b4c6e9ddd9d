# Sourced by the window scripts: start_xvfb WIDTHxHEIGHT WORKDIR starts an X server on a
# display number the server picks itself (so parallel tests never share one), waits until
# it accepts clients, and sets DISPLAY and xvfb (its process id).
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
