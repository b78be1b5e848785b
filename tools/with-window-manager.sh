#!/usr/bin/env bash
# Runs a command on a virtual X display with a window manager, as on a
# desktop: windows get frames, so a window's client area and its frame stand
# at different places.
set -euo pipefail
exec xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
  openbox >/dev/null 2>&1 &
  manager=$!
  # A loaded machine may take seconds to start it; without it the windows
  # would have no frames, and the test nothing to measure.
  for _ in $(seq 300); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && break
    sleep 0.1
  done
  status=0
  "$@" || status=$?
  kill "$manager" 2>/dev/null || true
  exit "$status"' _ "$@"
