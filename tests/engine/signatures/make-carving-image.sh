#!/usr/bin/env bash
# make-carving-image.sh STAGE IMAGE
#
# Builds a 40 MiB FAT32 image (512-byte sectors, one sector per cluster, so every
# file starts on a sector boundary) whose free space holds the files of STAGE:
# ImageMagick adds a JPEG, a PNG and a GIF to STAGE first, then every file is
# copied in with mtools and deleted again, which leaves its bytes in free clusters.
set -euo pipefail
[ $# -eq 2 ] || { echo "usage: $0 STAGE IMAGE" >&2; exit 2; }
STAGE=$1 IMAGE=$2
export MTOOLS_SKIP_CHECK=1 LC_ALL=C.UTF-8

convert -size 96x64 plasma:fractal -seed 7 "$STAGE/photo.jpg" 2>/dev/null ||
  convert -size 96x64 gradient:red-blue "$STAGE/photo.jpg"
convert -size 80x80 gradient:yellow-green "$STAGE/chart.png"
convert -size 48x48 xc:orange -fill navy -draw "circle 24,24 24,4" "$STAGE/logo.gif"

rm -f "$IMAGE"
mkfs.fat -F 32 -s 1 -S 512 -n CARVING -C "$IMAGE" 40960 >/dev/null
for file in "$STAGE"/*; do
  mcopy -i "$IMAGE" "$file" "::/$(basename "$file")"
done
for file in "$STAGE"/*; do
  mdel -i "$IMAGE" "::/$(basename "$file")"
done
