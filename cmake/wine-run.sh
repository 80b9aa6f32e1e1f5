#!/usr/bin/env bash
# Runs one Windows executable under Wine for ctest.
# The Wine prefix lives in the build tree (made once); one Xvfb display is shared
# by every test of a run and started on first use when no display is given.
set -u
build_root=${PELMO_WINE_ROOT:-$(cd "$(dirname "${1:-.}")" && while [ ! -f CMakeCache.txt ] && [ "$PWD" != / ]; do cd ..; done; pwd)}
export WINEPREFIX="${WINEPREFIX:-$build_root/wineprefix}"
export WINEARCH=win64
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

if [ ! -f "$WINEPREFIX/system.reg" ]; then
  (
    flock 9
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
      wineboot -i >/dev/null 2>&1 9>&-
      # Xvfb runs no window manager: Wine draws captions and frames itself.
      wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f >/dev/null 2>&1 9>&-
      # Marlett and the other Wine fonts, so caption buttons and glyphs draw as symbols.
      [ -d /usr/share/wine/fonts ] && cp -n /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null
      wineserver -w
    fi
  ) 9>"$build_root/.wineprefix.lock"
fi

# --prepare: make the prefix and stop (used before mapping test drives).
[ "${1:-}" = "--prepare" ] && exit 0

if [ -z "${DISPLAY:-}" ]; then
  display_file="$build_root/.xvfb-display"
  (
    flock 9
    if [ -f "$display_file" ] && kill -0 "$(cut -d' ' -f2 "$display_file")" 2>/dev/null; then exit 0; fi
    for n in $(seq 90 140); do
      [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
      setsid Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 9>&- &
      pid=$!
      for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
      echo ":$n $pid" >"$display_file"
      exit 0
    done
  ) 9>"$build_root/.xvfb.lock"
  DISPLAY=$(cut -d' ' -f1 "$build_root/.xvfb-display")
  export DISPLAY
fi

exec wine "$@"
