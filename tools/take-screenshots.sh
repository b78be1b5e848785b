#!/usr/bin/env bash
# Captures the main window with a converted project, the conversion dialog and
# the preferences dialog into docs/, under a virtual X server, driving the real
# windows through sondrel-screenshot-tour, framed by a window manager.
# Settings go to a scratch folder.
set -euo pipefail
build=$(cd "${1:-build}" && pwd)
root=$(cd "$(dirname "$0")/.." && pwd)
project=$(realpath -m "$root/../shared/corpus/rpp/JamesDunne__rpp-parser__R1391.rpp")
[ -f "$project" ] || project="$root/examples/demo.rpp"

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir -p "$scratch/home" "$scratch/config" "$scratch/runtime"
chmod 700 "$scratch/runtime"
export HOME="$scratch/home" XDG_CONFIG_HOME="$scratch/config" XDG_RUNTIME_DIR="$scratch/runtime"
unset QT_QPA_PLATFORM

tour=$(find "$build" -name sondrel-screenshot-tour -type f -perm -u+x | head -n 1)
if [ -z "$tour" ]; then
  echo "sondrel-screenshot-tour is not built in $build" >&2
  exit 1
fi
mkdir -p "$root/docs"
"$root/tools/with-window-manager.sh" "$tour" "$build/app" "$project" "$root/docs"
