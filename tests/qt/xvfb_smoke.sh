#!/usr/bin/env bash
# The program on a real X server: it starts with the mode popup, a click on
# the blocked main window brings the popup forward, a click on Offline names
# the mode in the title, the screen shows something, and Ctrl+Q ends it with
# status 1.
#   xvfb_smoke.sh PROGRAM CONTROL_CENTER OUTPUT_DIR
set -euo pipefail
program=$1 locate=$2 out=$3

if ! command -v Xvfb >/dev/null; then
  echo "Xvfb is not installed: skipped"
  exit 77
fi
for tool in xdotool import convert; do
  command -v "$tool" >/dev/null || { echo "missing $tool (scripts/install-deps.sh installs it)"; exit 1; }
done

mkdir -p "$out/runtime" "$out/config"
chmod 700 "$out/runtime"
export XDG_RUNTIME_DIR=$out/runtime XDG_CONFIG_HOME=$out/config
unset QT_QPA_PLATFORM WAYLAND_DISPLAY

pids=()
cleanup() { for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done; }
trap cleanup EXIT

# Xvfb picks a free display and writes its number.
rm -f "$out/display"
Xvfb -displayfd 3 -screen 0 1280x900x24 -nolisten tcp 3>"$out/display" 2>"$out/xvfb.log" &
pids+=($!)
for _ in $(seq 100); do [ -s "$out/display" ] && break; sleep 0.05; done
[ -s "$out/display" ] || { echo "Xvfb did not start"; cat "$out/xvfb.log"; exit 1; }
export DISPLAY=":$(cat "$out/display")"

wait_for() {  # wait_for DESCRIPTION COMMAND...: retry for five seconds
  local what=$1; shift
  for _ in $(seq 100); do "$@" >/dev/null 2>&1 && return 0; sleep 0.05; done
  echo "timed out waiting for $what"; return 1
}
title_of() { xdotool getwindowname "$1"; }

"$program" >"$out/program.log" 2>&1 &
gui=$!
pids+=("$gui")
wait_for "the mode popup" xdotool search --onlyvisible --name "Select Operation Mode"
popup=$(xdotool search --onlyvisible --name "Select Operation Mode" | head -1)
main=$(xdotool search --onlyvisible --name "QV3380 Customer User Interface" | head -1)
echo "main window $main, popup $popup"

# A click on the blocked main window, away from the popup, activates the popup.
xdotool mousemove --window "$main" 40 700 click 1
wait_for "the popup to take the focus" test "$(xdotool getwindowfocus)" = "$popup"

read -r x y < <("$locate" StartupModeSelect.uir RUNOFFLINE)
xdotool mousemove --window "$popup" "$x" "$y" click 1
expected="QV3380 Customer GUI - Offline Mode"
wait_for "the title '$expected'" test "$(title_of "$main")" = "$expected"
echo "title: $(title_of "$main")"

sleep 0.2
import -window root "$out/offline.png"
colours=$(convert "$out/offline.png" -format '%k' info:)
echo "screenshot $out/offline.png: $colours colours"
[ "$colours" -gt 50 ] || { echo "the screen is blank"; exit 1; }

xdotool windowfocus --sync "$main" key --clearmodifiers ctrl+q
status=0
wait "$gui" || status=$?
echo "exit status $status"
[ "$status" -eq 1 ]
echo "1 passed, 0 failed"
