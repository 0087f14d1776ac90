#!/usr/bin/env bash
# Builds everything (the Linux tree and both Windows DLLs) and runs the main job: the r7
# host answering calls of the driver.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh linux windows
for preset in linux mingw32 mingw64; do
  echo "== building $preset"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
done

bin=build/linux/bin
windir="$(mktemp -d)"
trap 'rm -rf "$windir"' EXIT
export R7_WINDIR="$windir"

echo "== r7 batch"
printf '125\n7\n100\t1000-10-200;Month\n' | tee /dev/stderr | "$bin/r7" batch
