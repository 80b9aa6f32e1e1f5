#!/usr/bin/env bash
# make-many-entries.sh fat16|fat32 OUTDIR
#
# Builds OUTDIR/many-entries-KIND.img with mkfs.fat and mtools: a folder
# "/Many Entries" of 2,000 small files with long names (four directory entries
# each, so the folder spans 128 clusters on FAT16 and 256 on FAT32), of which
# every tenth is deleted at the end, and a file after them in the root. The
# original bytes are kept in OUTDIR/many-entries-KIND.files/. All files are
# copied with one mcopy call, and each name begins with its own number so that
# mtools finds a free 8.3 name at once: otherwise the build takes minutes.
set -euo pipefail
kind=$1
out=$(mkdir -p "$2" && cd "$2" && pwd)
export LC_ALL=C.UTF-8 LANG=C.UTF-8 MTOOLS_SKIP_CHECK=1 MTOOLSRC=/dev/null

case "$kind" in
  fat16) megabytes=16; format=(-F 16 -s 4) ;;
  fat32) megabytes=128; format=(-F 32 -s 2) ;;
  *) echo "usage: $0 fat16|fat32 OUTDIR" >&2; exit 2 ;;
esac
img=$out/many-entries-$kind.img
files=$out/many-entries-$kind.files
rm -rf "$files" "$img" "$img.tmp"
mkdir -p "$files/Many Entries"

truncate -s "${megabytes}M" "$img.tmp"
mkfs.fat "${format[@]}" -n MANY "$img.tmp" >/dev/null
for i in $(seq -w 1 2000); do
  printf 'entry %s of the many-entries folder\n' "$i" >"$files/Many Entries/f$i has a fairly long file name.txt"
done
printf 'written after the many entries\n' >"$files/after.txt"

mmd -i "$img.tmp" "::/Many Entries"
mcopy -i "$img.tmp" "$files/Many Entries/"* "::/Many Entries/"
mcopy -i "$img.tmp" "$files/after.txt" "::/after.txt"
deleted=()
for i in $(seq -w 10 10 2000); do deleted+=("::/Many Entries/f$i has a fairly long file name.txt"); done
mdel -i "$img.tmp" "${deleted[@]}"
mv "$img.tmp" "$img"
