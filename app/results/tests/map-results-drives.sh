#!/usr/bin/env bash
# Builds the standard fixture images (FAT16, FAT32, NTFS: folders, deleted files
# and a deleted folder tree, with the original bytes of every file beside them)
# and backs drives E:, F: and G: of the build tree's Wine prefix with them.
# Usage: map-results-drives.sh BUILD_ROOT
set -euo pipefail
build_root=$1
here=$(cd "$(dirname "$0")" && pwd)
source_root=$(cd "$here/../../.." && pwd)
work="$build_root/app/results/tests/drives"
recipe="$source_root/tests/fixtures/recipes/standard.recipe"
mkdir -p "$work"
if [ ! -x "$work/ntfs-populate" ]; then
  gcc -O2 "$source_root/tests/fixtures/ntfs_populate.c" $(pkg-config --cflags --libs libntfs-3g) -o "$work/ntfs-populate"
fi
for kind in fat16 fat32 ntfs; do
  if [ ! -f "$work/standard-$kind.img" ] || [ "$recipe" -nt "$work/standard-$kind.img" ]; then
    NTFS_POPULATE="$work/ntfs-populate" bash "$source_root/tests/fixtures/make-image.sh" "$kind" "$recipe" "$work" "standard-$kind"
  fi
done
map() {
  PELMO_WINE_ROOT="$build_root" "$source_root/cmake/wine-run.sh" --map "$1" "$work/standard-$2.img" "$work/mounted-$1"
}
map e fat16
map f fat32
map g ntfs
