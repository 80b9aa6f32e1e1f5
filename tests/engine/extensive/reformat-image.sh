#!/usr/bin/env bash
# reformat-image.sh KIND SOURCE_IMG OUT_IMG [FORMAT OPTIONS...]
#
# Copies a fixture image, records what fsstat (The Sleuth Kit) says of the old
# volume in OUT_IMG.fsstat, then makes a new file system over it the way a user
# quick-formats a drive: mkfs.fat (KIND fat16 | fat32) or mkntfs -Q -F (ntfs)
# with the given options. The old data clusters stay where they were.
set -euo pipefail
[ $# -ge 3 ] || { echo "usage: $0 fat16|fat32|ntfs SOURCE_IMG OUT_IMG [options...]" >&2; exit 2; }
KIND=$1 SOURCE=$2 OUT=$3
shift 3
TMP=$OUT.tmp
trap 'rm -f "$TMP"' EXIT
cp "$SOURCE" "$TMP"
fsstat "$TMP" > "$OUT.fsstat"
case "$KIND" in
  fat16) mkfs.fat -F 16 "$@" "$TMP" > /dev/null ;;
  fat32) mkfs.fat -F 32 "$@" "$TMP" > /dev/null ;;
  ntfs)  mkntfs -Q -F -q "$@" "$TMP" > /dev/null 2>&1 ;;  # it chats on stderr about the missing disk geometry
  *) echo "reformat-image: unknown kind $KIND" >&2; exit 2 ;;
esac
mv "$TMP" "$OUT"
