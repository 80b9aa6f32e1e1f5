#!/usr/bin/env bash
# Builds the native and the Windows configurations and runs every test:
# the native suite (engine under ASan+UBSan, real images), the Windows suite under
# Wine, and the fuzz targets for a bounded time. Each step prints its time.
#
# The builds here are unity builds (sources compiled in batches) with
# precompiled headers; the presets' own builds, for day-to-day work, compile
# every source on its own.
set -euo pipefail
cd "$(dirname "$0")/.."

jobs=$(nproc)
run_start=$(date +%s)
step_start=$run_start
step_done() {
  local now
  now=$(date +%s)
  echo "run-tests: time: $1 $((now - step_start)) s (total $((now - run_start)) s)"
  step_start=$now
}

bash tools/install-deps.sh
step_done install

batch=(-DCMAKE_UNITY_BUILD=ON -DCMAKE_UNITY_BUILD_BATCH_SIZE=8)
cmake --preset native "${batch[@]}" >/dev/null
cmake --build --preset native -j "$jobs"
step_done native-build
cmake --preset windows "${batch[@]}" >/dev/null
cmake --build --preset windows -j "$jobs"
step_done windows-build

windows_root=$PWD/build/windows
cleanup() {
  # Each Wine lane kept one Xvfb and its prefix's wineserver for the whole run.
  for display_file in "$windows_root"/.xvfb-display*; do
    [ -f "$display_file" ] || continue
    kill "$(cut -d' ' -f2 "$display_file")" 2>/dev/null || true
    rm -f "$display_file"
  done
  for prefix in "$windows_root"/wineprefix*; do
    [ -d "$prefix" ] && WINEPREFIX=$prefix wineserver -k 2>/dev/null || true
  done
}
trap cleanup EXIT

status=0
# No test may hang the run: one that passes its time fails.
ctest --preset native -j "$jobs" --timeout 600 || status=1
step_done native-tests

# The drive letters are mapped before the Wine session starts, so that its
# server and mount manager see them from the start; the session (prefix, display,
# one server kept for the whole run) is then made once, before any test. The
# lanes of the window tests make theirs when their first test starts.
PELMO_WINE_ROOT=$windows_root cmake/wine-run.sh --prepare
for script in tests/windows/map-test-drive.sh app/*/tests/map-*.sh; do
  bash "$script" "$windows_root" >/dev/null
done
export PELMO_WINESERVER_LINGER=""
PELMO_WINE_ROOT=$windows_root cmake/wine-run.sh --start-session
# Unit suites run one process each with a short timeout; the program and
# window tests keep a longer one. A Wine start that fails under load is not a
# test's verdict: a Windows test that fails is run once more, and the log shows
# both runs.
ctest --preset windows -j "$((jobs > 4 ? jobs : 4))" --timeout 300 --repeat until-pass:2 || status=1
python3 tools/count-test-cases.py "$windows_root/test-results" || true
step_done windows-tests

# Every parser of untrusted bytes is fuzzed for a bounded time.
bash tools/run-fuzz.sh "${batch[@]}" || status=1
step_done fuzz
exit $status
