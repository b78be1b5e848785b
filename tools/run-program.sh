#!/usr/bin/env bash
# Starts the desktop program from the build folder, where the help page and the
# templates lie beside it. Without a display it runs under a virtual X server.
set -euo pipefail
build=${1:-build}
program="$build/app/sondrel"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found: starting Sondrel under Xvfb (xvfb-run -a); its window is not visible."
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$program"
fi
exec "$program"
