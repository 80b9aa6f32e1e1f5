#!/usr/bin/env bash
# Installs, builds and runs the Windows program under Wine: on the user's display,
# or on Xvfb with a screenshot (build/windows/screenshot.png) when there is none.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh
cmake --preset windows >/dev/null
cmake --build --preset windows -j "$(nproc)"

program=build/windows/app/PelmoRecovery.exe
if [ ! -f "$program" ]; then
  echo "run-program: the window program is not built yet; running the Windows tests (engine, framework, toolkit and controls galleries) instead"
  exec ctest --preset windows --timeout 300 --repeat until-pass:2
fi

export WINEPREFIX="$PWD/build/windows/wineprefix" WINEDEBUG=-all
if [ -n "${DISPLAY:-}" ]; then
  exec cmake/wine-run.sh "$program" "$@"
fi
Xvfb :99 -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null; wineserver -k 2>/dev/null || true' EXIT
export DISPLAY=:99
cmake/wine-run.sh "$program" "$@" &
sleep 15
import -window root build/windows/screenshot.png && echo "run-program: screenshot in build/windows/screenshot.png"
