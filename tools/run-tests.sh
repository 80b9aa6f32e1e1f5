#!/usr/bin/env bash
# Builds the native and the Windows configurations and runs every test:
# the native suite (engine under ASan+UBSan, real images), the Windows suite under
# Wine, and the fuzz targets for a bounded time.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh

jobs=$(nproc)
cmake --preset native >/dev/null
cmake --build --preset native -j "$jobs"
cmake --preset windows >/dev/null
cmake --build --preset windows -j "$jobs"

cleanup() {
  # The Wine wrapper leaves one Xvfb and the prefix's wineserver for the whole run.
  if [ -f build/windows/.xvfb-display ]; then
    kill "$(cut -d' ' -f2 build/windows/.xvfb-display)" 2>/dev/null || true
    rm -f build/windows/.xvfb-display
  fi
  WINEPREFIX="$PWD/build/windows/wineprefix" wineserver -k 2>/dev/null || true
}
trap cleanup EXIT

status=0
# No test may hang the run: one that passes its time fails.
ctest --preset native -j "$jobs" --timeout 600 || status=1
# A Wine process that fails to start under load is not a test's verdict: a Windows
# test that fails is run once more, and the log shows both runs.
ctest --preset windows --timeout 300 --repeat until-pass:2 || status=1
# Every parser of untrusted bytes is fuzzed for a bounded time.
FUZZ_SECONDS=${FUZZ_SECONDS:-15} bash tools/run-fuzz.sh || status=1
exit $status
