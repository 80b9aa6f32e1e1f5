#!/usr/bin/env bash
# Backs drive H: of the build tree's Wine prefix with a large, mostly sparse FAT32
# image that holds a PNG and a PDF file near its start, so that a File Trace over
# it runs long enough to be watched and stopped after it has found them.
# Usage: map-scan-drive.sh BUILD_ROOT
set -euo pipefail
build_root=$1
here=$(cd "$(dirname "$0")" && pwd)
source_root=$(cd "$here/../../.." && pwd)
work="$build_root/app/scan/tests/drives"
image="$work/large-fat32.img"
mkdir -p "$work"
if [ ! -f "$image" ] || [ "$0" -nt "$image" ]; then
  rm -f "$image"
  truncate -s 4G "$image"
  mkfs.fat -F 32 -n PELMOLARGE "$image" >/dev/null
  printf '\x89PNG\r\n\x1a\n' > "$work/picture.png"
  head -c 3000 /dev/zero >> "$work/picture.png"
  printf '%%PDF-1.4\n' > "$work/paper.pdf"
  head -c 5000 /dev/zero >> "$work/paper.pdf"
  MTOOLS_SKIP_CHECK=1 mcopy -i "$image" "$work/picture.png" "$work/paper.pdf" ::/
fi
PELMO_WINE_ROOT="$build_root" "$source_root/cmake/wine-run.sh" --map h "$image" "$work/mounted-h"
