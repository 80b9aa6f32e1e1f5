#!/usr/bin/env bash
# Builds a FAT32 and an NTFS image with folders and files, formats each again over
# its old contents the way a user quick-formats a drive (mkfs.fat; mkntfs -Q -F),
# and backs drives I: (FAT32) and J: (NTFS) of the build tree's Wine prefix with
# them. The original bytes of every file stay beside the images.
# Usage: map-filesystem-drives.sh BUILD_ROOT
set -euo pipefail
build_root=$1
here=$(cd "$(dirname "$0")" && pwd)
source_root=$(cd "$here/../../.." && pwd)
work="$build_root/app/filesystem/tests/drives"
recipe="$source_root/tests/engine/extensive/extensive.recipe"
reformat="$source_root/tests/engine/extensive/reformat-image.sh"
mkdir -p "$work"
if [ ! -x "$work/ntfs-populate" ]; then
  gcc -O2 "$source_root/tests/fixtures/ntfs_populate.c" $(pkg-config --cflags --libs libntfs-3g) -o "$work/ntfs-populate"
fi
for kind in fat32 ntfs; do
  old="$work/old-$kind.img"
  again="$work/formatted-$kind.img"
  if [ ! -f "$again" ] || [ "$recipe" -nt "$again" ] || [ "$0" -nt "$again" ]; then
    NTFS_POPULATE="$work/ntfs-populate" bash "$source_root/tests/fixtures/make-image.sh" "$kind" "$recipe" "$work" "old-$kind"
    if [ "$kind" = fat32 ]; then
      bash "$reformat" fat32 "$old" "$again" -s 2
    else
      bash "$reformat" ntfs "$old" "$again" -c 4096
    fi
  fi
done
map() {
  PELMO_WINE_ROOT="$build_root" "$source_root/cmake/wine-run.sh" --map "$1" "$work/formatted-$2.img" "$work/mounted-$1"
}
map i fat32
map j ntfs
