#!/usr/bin/env bash
# cmake/wine-run.sh starts a program once more when its Wine lost the server
# while starting, and keeps a program's own failure as it is. A stand-in
# `wine` and `wineserver` on PATH play the server's end.
set -u
script=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/bin" "$work/root/wineprefix"
touch "$work/root/wineprefix/system.reg"
cat >"$work/bin/wineserver" <<'STUB'
#!/bin/sh
exit 1
STUB
cat >"$work/bin/wine" <<'STUB'
#!/bin/sh
count_file=$WORK/starts
n=$(cat "$count_file" 2>/dev/null || echo 0)
n=$((n + 1))
echo "$n" >"$count_file"
case "$1" in
lost-once)
  if [ "$n" = 1 ]; then
    echo "wine client error:3c: read: Connection reset by peer" >&2
    exit 1
  fi
  echo "program ran"
  exit 0 ;;
fails)
  echo "program failed"
  exit 3 ;;
esac
STUB
chmod +x "$work/bin/wine" "$work/bin/wineserver"
run() {
  rm -f "$work/starts"
  PATH="$work/bin:$PATH" WORK=$work DISPLAY=:0 PELMO_WINE_ROOT="$work/root" PELMO_WINE_LANE= "$script" "$@"
}
failures=0
out=$(run lost-once 2>/dev/null); status=$?
if [ "$status" != 0 ] || [ "$out" != "program ran" ] || [ "$(cat "$work/starts")" != 2 ]; then
  echo "a start that lost its server was not made again (status $status, output '$out')"
  failures=$((failures + 1))
fi
out=$(run fails 2>/dev/null); status=$?
if [ "$status" != 3 ] || [ "$out" != "program failed" ] || [ "$(cat "$work/starts")" != 1 ]; then
  echo "a program's own failure was changed (status $status, output '$out')"
  failures=$((failures + 1))
fi
passed=$((2 - failures))
echo "$passed passed, $failures failed"
[ "$failures" = 0 ]
