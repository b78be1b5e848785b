#!/usr/bin/env bash
# Starts the desktop program from the build folder, where the help page and the
# templates lie beside it.
set -euo pipefail
build=${1:-build}
exec "$build/app/sondrel"
