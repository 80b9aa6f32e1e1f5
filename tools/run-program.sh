#!/usr/bin/env bash
# Installs, builds and runs PelmoRecovery.exe under Wine: on the user's display, or
# on Xvfb with a screenshot of the main window (build/windows/screenshot.png) when
# there is none.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh
cmake --preset windows >/dev/null
cmake --build --preset windows --target PelmoRecovery -j "$(nproc)"

program=build/windows/app/PelmoRecovery.exe
# A prefix of the caller's choice is kept (the trap below ends its Wine server).
export WINEPREFIX="${WINEPREFIX:-$PWD/build/windows/wineprefix}" WINEDEBUG=-all
if [ -n "${DISPLAY:-}" ]; then
  exec cmake/wine-run.sh "$program" "$@"
fi

# A display of our own, on the first free number.
for n in $(seq 99 140); do
  [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] || break
done
Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null; wineserver -k 2>/dev/null || true' EXIT
export DISPLAY=":$n"
for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
cmake/wine-run.sh "$program" "$@" &
sleep 20
import -window root build/windows/screenshot.png && echo "run-program: screenshot in build/windows/screenshot.png"
