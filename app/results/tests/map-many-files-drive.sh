#!/usr/bin/env bash
# Backs drive M: of the build tree's Wine prefix with a FAT32 image of many small
# files (100 folders of 200), so that a save or a search runs long enough to be
# stopped while it works.
# Usage: map-many-files-drive.sh BUILD_ROOT
set -euo pipefail
build_root=$1
here=$(cd "$(dirname "$0")" && pwd)
source_root=$(cd "$here/../../.." && pwd)
work="$build_root/app/results/tests/many-files-drive"
image="$work/many-fat32.img"
mkdir -p "$work"
if [ ! -f "$image" ] || [ "$0" -nt "$image" ]; then
  files="$work/files"
  rm -rf "$files" "$image"
  mkdir -p "$files"
  for folder in $(seq -w 0 99); do
    mkdir "$files/Folder $folder"
    for file in $(seq -w 0 199); do
      printf 'file %s of folder %s\r\n' "$file" "$folder" > "$files/Folder $folder/file-$folder-$file.txt"
    done
  done
  truncate -s 256M "$image.tmp"
  mkfs.fat -F 32 -n MANYFILES "$image.tmp" >/dev/null
  MTOOLS_SKIP_CHECK=1 mcopy -s -i "$image.tmp" "$files"/* ::/
  rm -rf "$files"
  mv "$image.tmp" "$image"
fi
PELMO_WINE_ROOT="$build_root" "$source_root/cmake/wine-run.sh" --map m "$image" "$work/mounted-m"
