#!/usr/bin/env bash
# Installs what is missing, builds qv3380_gui and starts it.
# Without a display it starts on a virtual X server and leaves a screenshot in build/.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default -j "$(nproc)" --target qv3380_gui

gui=$PWD/build/app/qv3380_gui
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  exec "$gui" "$@"
fi

echo "run: no display found; starting qv3380_gui on a virtual X server."
shot=$PWD/build/qv3380_gui-startup.png
log=$PWD/build/qv3380_gui-xvfb.log
rm -f "$shot"
xvfb-run -a -s "-screen 0 1280x900x24 -nolisten tcp" bash -c '
  gui=$1 shot=$2 log=$3
  "$gui" >"$log" 2>&1 &
  pid=$!
  for _ in $(seq 100); do
    xdotool search --onlyvisible --name "Select Operation Mode" >/dev/null 2>&1 && break
    if ! kill -0 "$pid" 2>/dev/null; then
      echo "run: qv3380_gui ended before its start-up window showed; its output:" >&2
      cat "$log" >&2
      exit 1
    fi
    sleep 0.1
  done
  sleep 0.3  # the first frame is drawn right after the window maps
  import -window root "$shot"
  kill "$pid" 2>/dev/null || true
' _ "$gui" "$shot" "$log"
echo "run: screenshot of the start-up window saved to $shot"
