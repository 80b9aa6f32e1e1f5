#!/usr/bin/env bash
# Makes a small FAT16 image and backs Wine's drive D: with it in the build tree's
# prefix: dosdevices/d:: (the device) links to the image, d: to an empty folder.
# Usage: map-test-drive.sh BUILD_ROOT
set -euo pipefail
build_root=$1
here=$(cd "$(dirname "$0")" && pwd)
work="$build_root/tests/windows/drive-d"
mkdir -p "$work/mounted"
image="$work/fat16.img"
if [ ! -f "$image" ]; then
  rm -f "$image.tmp"
  mkfs.fat -C -F 16 -n PELMOTEST -i 12345678 "$image.tmp" 16384 >/dev/null
  # A few files for the program's tests to find: two kept, one deleted.
  printf 'Notes kept on the test drive.\r\n' >"$work/notes.txt"
  printf 'A report that will be deleted.\r\n' >"$work/report.txt"
  MTOOLS_SKIP_CHECK=1 mcopy -i "$image.tmp" "$work/notes.txt" ::NOTES.TXT
  MTOOLS_SKIP_CHECK=1 mcopy -i "$image.tmp" "$work/notes.txt" ::KEEP.TXT
  MTOOLS_SKIP_CHECK=1 mcopy -i "$image.tmp" "$work/report.txt" ::REPORT.TXT
  MTOOLS_SKIP_CHECK=1 mdel -i "$image.tmp" ::REPORT.TXT
  mv "$image.tmp" "$image"
fi
PELMO_WINE_ROOT="$build_root" "$here/../../cmake/wine-run.sh" --map d "$image" "$work/mounted"
