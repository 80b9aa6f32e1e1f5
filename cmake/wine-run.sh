#!/usr/bin/env bash
# Runs one Windows executable under Wine for ctest.
# The Wine prefix lives in the build tree (made once); one Xvfb display is shared
# by every test of a run and started on first use when no display is given.
#
# The prefix's wineserver, and the desktop and service processes Wine starts
# beside it, are started here once, detached from every test: a server that a
# test started would inherit that test's output pipes and keep ctest waiting on
# them long after the test ended. The server stays up while tests follow each
# other closely (and for the whole run under tools/run-tests.sh, which ends it),
# so a test's Wine starts in a fraction of a second.
#
#   wine-run.sh PROGRAM [ARGS...]   run a program
#   wine-run.sh --prepare           make the prefix and stop
#   wine-run.sh --map X IMAGE DIR   back drive X: with an image in the program's lane
#   wine-run.sh --start-session     make the prefix, the display and the server
#
# PELMO_WINE_LANE=NAME gives a test a Wine of its own beside the others: the
# prefix wineprefix-NAME with its own display and server. Window tests that
# drive real input must not share a desktop, so each lane runs one at a time,
# and tests of different lanes run side by side.
set -u
build_root=${PELMO_WINE_ROOT:-$(cd "$(dirname "${1:-.}")" 2>/dev/null && while [ ! -f CMakeCache.txt ] && [ "$PWD" != / ]; do cd ..; done; pwd)}
lane=${PELMO_WINE_LANE:+-$PELMO_WINE_LANE}
export WINEPREFIX="${WINEPREFIX:-$build_root/wineprefix$lane}"
export WINEARCH=win64
export WINEDEBUG=-all
# No debugger is attached to a process that crashes: it ends at once, and its
# test fails instead of waiting out its timeout.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d;winedbg.exe=d"
# Seconds the server outlives its last client when no run keeps it.
server_linger=${PELMO_WINESERVER_LINGER-30}

make_prefix() {  # PREFIX LOCK
  [ -f "$1/system.reg" ] && return 0
  (
    flock 9
    if [ ! -f "$1/system.reg" ]; then
      export WINEPREFIX=$1
      wineboot -i </dev/null >/dev/null 2>&1 9>&-
      # Xvfb runs no window manager: Wine draws captions and frames itself.
      wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f </dev/null >/dev/null 2>&1 9>&-
      # Marlett and the other Wine fonts, so caption buttons and glyphs draw as symbols.
      [ -d /usr/share/wine/fonts ] && cp -n /usr/share/wine/fonts/* "$1/drive_c/windows/Fonts/" 2>/dev/null
      wineserver -w
    fi
  ) 9>"$2"
}
make_prefix "$WINEPREFIX" "$build_root/.wineprefix$lane.lock"

[ "${1:-}" = "--prepare" ] && exit 0

# Drive letters backed by images are mapped into the program's lane, the build
# tree's own prefix: dosdevices/X:: (the device) links to the image, X: to a
# folder that stands for the mounted file system.
if [ "${1:-}" = "--map" ]; then
  letter=$2 image=$3 mounted=$4
  prefix="$build_root/wineprefix"
  make_prefix "$prefix" "$build_root/.wineprefix.lock"
  mkdir -p "$mounted"
  ln -sfn "$image" "$prefix/dosdevices/$letter::"
  ln -sfn "$mounted" "$prefix/dosdevices/$letter:"
  exit 0
fi

if [ -z "${DISPLAY:-}" ]; then
  display_file="$build_root/.xvfb-display$lane"
  (
    flock 9
    if [ -f "$display_file" ] && kill -0 "$(cut -d' ' -f2 "$display_file")" 2>/dev/null; then exit 0; fi
    for n in $(seq 90 140); do
      [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
      setsid Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp </dev/null >/dev/null 2>&1 9>&- &
      pid=$!
      for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
      echo ":$n $pid" >"$display_file"
      exit 0
    done
  ) 9>"$build_root/.xvfb.lock"
  DISPLAY=$(cut -d' ' -f1 "$display_file")
  export DISPLAY
fi

# The server: `wineserver -p` returns at once when one already runs for the prefix.
start_server() {
  (
    flock 9
    if setsid wineserver -p"$server_linger" </dev/null >/dev/null 2>&1 9>&-; then
      # A new server: let a throwaway process start the desktop and services now,
      # with nothing of a test's to inherit.
      setsid wine rundll32.exe user32.dll,GetDesktopWindow </dev/null >/dev/null 2>&1 9>&-
    fi
  ) 9>"$build_root/.wineserver$lane.lock"
}
start_server

[ "${1:-}" = "--start-session" ] && exit 0

# A server found running may end its linger just as the program's Wine
# connects to it; that Wine then reports a lost connection instead of running
# the program. Such a start is Wine's failure, not the program's: it is made
# once more with a server started again. Wine's own messages go to a file
# first, so that the program's exit status and output stay as they were.
messages=$(mktemp)
trap 'rm -f "$messages"' EXIT
for attempt in 1 2; do
  wine "$@" 2>"$messages"
  status=$?
  cat "$messages" >&2
  if [ "$status" -ne 0 ] && [ "$attempt" = 1 ] && grep -q "wine client error" "$messages"; then
    echo "wine-run.sh: Wine lost its server while starting; starting the program once more" >&2
    start_server
    continue
  fi
  break
done
exit "$status"
