#!/usr/bin/env bash
# Every window fits the screen: a 1366x768 laptop at scale 1 and a 2560x1440
# screen at scale 2 (QT_SCALE_FACTOR), the main window, Register Map and
# Clock Tree all inside it with room for a title bar, the main panel drawn at
# least at its smallest scale.
#   xvfb_fit.sh PROGRAM OUTPUT_DIR
set -euo pipefail
program=$1 out=$2

if ! command -v Xvfb >/dev/null; then
  echo "Xvfb is not installed: skipped"
  exit 77
fi
command -v xdotool >/dev/null || { echo "missing xdotool (scripts/install-deps.sh installs it)"; exit 1; }

pids=()
cleanup() { for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done; }
trap cleanup EXIT

wait_for() {  # wait_for DESCRIPTION COMMAND...: retry for five seconds
  local what=$1; shift
  for _ in $(seq 100); do "$@" >/dev/null 2>&1 && return 0; sleep 0.05; done
  echo "timed out waiting for $what"; return 1
}

failures=0
check() {  # check SCREEN SCALE
  local screen=$1 scale=$2 dir="$out/$1-x$2"
  local width=${screen%x*} height=${screen#*x}
  mkdir -p "$dir/runtime" "$dir/config"
  chmod 700 "$dir/runtime"
  rm -f "$dir/display"
  Xvfb -displayfd 3 -screen 0 "${screen}x24" -nolisten tcp 3>"$dir/display" 2>"$dir/xvfb.log" &
  local xvfb=$!
  pids+=("$xvfb")
  wait_for "Xvfb" test -s "$dir/display"
  DISPLAY=":$(cat "$dir/display")" XDG_RUNTIME_DIR=$dir/runtime XDG_CONFIG_HOME=$dir/config \
    QT_SCALE_FACTOR=$scale "$program" >"$dir/program.log" 2>&1 &
  local gui=$!
  pids+=("$gui")
  export DISPLAY=":$(cat "$dir/display")"
  wait_for "the mode popup" xdotool search --onlyvisible --name "Select Operation Mode"
  local popup
  popup=$(xdotool search --onlyvisible --name "Select Operation Mode" | head -1)
  xdotool windowfocus --sync "$popup" key --clearmodifiers alt+f
  wait_for "Offline Mode" xdotool search --onlyvisible --name "Offline Mode"
  local main
  main=$(xdotool search --onlyvisible --name "Offline Mode" | head -1)
  xdotool windowfocus --sync "$main" key --clearmodifiers alt+v m
  wait_for "the register map" xdotool search --onlyvisible --name "^Register Map$"
  xdotool windowfocus --sync "$main" key --clearmodifiers alt+v c
  wait_for "the clock tree" xdotool search --onlyvisible --name "^Clock Tree$"
  sleep 0.2
  for name in "Offline Mode" "^Register Map$" "^Clock Tree$"; do
    local window X Y WIDTH HEIGHT
    window=$(xdotool search --onlyvisible --name "$name" | head -1)
    eval "$(xdotool getwindowgeometry --shell "$window")"
    echo "$screen at $scale: '$name' ${WIDTH}x${HEIGHT} at $X,$Y"
    # No window manager here: its title bar and borders (38 pixels) must still fit.
    if (( X < 0 || Y < 0 || X + WIDTH > width || Y + HEIGHT + 38 * scale > height )); then
      echo "  does not fit the ${screen} screen with a title bar"
      failures=$((failures + 1))
    fi
    if [ "$name" = "Offline Mode" ] && (( WIDTH * 4 < 1012 * 3 * scale )); then
      echo "  the panel is drawn below its smallest scale"
      failures=$((failures + 1))
    fi
  done
  xdotool windowfocus --sync "$main" key --clearmodifiers ctrl+q
  wait "$gui" || true
  kill "$xvfb" 2>/dev/null || true
  wait "$xvfb" 2>/dev/null || true
}

check 1366x768 1
check 2560x1440 2
[ "$failures" -eq 0 ]
echo "2 passed, 0 failed"
