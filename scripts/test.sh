#!/usr/bin/env bash
# Checks the floors of src/, builds the Linux tree and runs every test.
#   scripts/test.sh [PRESET]   (linux by default; linux-ci treats warnings as errors;
#                               sanitize runs the suite under ASan and UBSan)
set -euo pipefail
cd "$(dirname "$0")/.."
preset="${1:-linux}"

scripts/install-deps.sh linux
scripts/check-layers.sh
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset"
ctest --preset "$preset" -j"$(nproc)"
