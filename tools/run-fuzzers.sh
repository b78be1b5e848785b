#!/usr/bin/env bash
# Runs every fuzz target for a while, seeded from the project files we have.
set -euo pipefail
build=${1:-build-fuzz}
seconds=${2:-60}
root=$(cd "$(dirname "$0")/.." && pwd)
seeds="$root/../shared/corpus/rpp"
[ -d "$seeds" ] || seeds="$root/examples"
status=0
for target in "$build"/fuzz/*_fuzz; do
  [ -x "$target" ] || continue
  name=$(basename "$target")
  work=$(mktemp -d)
  echo "== $name: ${seconds}s"
  # Seeds are copied so that the fuzzer's additions never land in the shared folder.
  cp "$seeds"/*.rpp "$work"/ 2>/dev/null || true
  if ! "$target" -max_total_time="$seconds" -max_len=65536 -rss_limit_mb=2048 -timeout=10 \
       -artifact_prefix="$build/$name-" "$work" 2>"$build/$name.log"; then
    tail -n 40 "$build/$name.log"
    status=1
  else
    grep -E "^(Done|#[0-9]+ +DONE)" "$build/$name.log" | tail -n 1 || true
  fi
  rm -rf "$work"
done
exit $status
