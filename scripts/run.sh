#!/usr/bin/env bash
# Installs what is missing, builds qv3380_gui and starts it.
# Without a display it starts on a virtual X server and leaves a screenshot in build/.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default -j "$(nproc)" --target qv3380_gui

gui=build/app/qv3380_gui
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  exec "$gui" "$@"
fi

echo "run: no display found; starting qv3380_gui on a virtual X server."
shot=build/qv3380_gui-startup.png
xvfb-run -a -s "-screen 0 1280x900x24" bash -c '
  "$1" & pid=$!
  for _ in $(seq 50); do
    xdotool search --name "Select Operation Mode" >/dev/null 2>&1 && break
    sleep 0.1
  done
  sleep 0.5
  import -window root "$2"
  kill "$pid" 2>/dev/null || true
' _ "$gui" "$shot"
echo "run: screenshot of the start-up window saved to $shot"
