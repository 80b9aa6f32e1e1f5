#!/usr/bin/env bash
# Builds the partitioned disk images of the partition tests into OUT_DIR:
#   chain.img   an MBR with two primaries and an extended chain of four logical
#               partitions (sfdisk), three of them formatted; chain.mmls is what
#               The Sleuth Kit's mmls reads from it.
#   lost.img    four volumes at cylinder and 1 MiB boundaries whose partition
#               table was wiped afterwards, as after a damaged MBR.
# Images are sparse; only the file-system structures take space.
set -euo pipefail
out=${1:?usage: make-partition-images.sh OUT_DIR}
mkdir -p "$out"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# An NTFS volume of `sectors` sectors written into a disk image at `start`.
put_ntfs() {
  local image=$1 start=$2 sectors=$3
  truncate -s $((sectors * 512)) "$work/ntfs.img"
  mkntfs -q -F -s 512 -p "$start" -H 255 -S 63 "$work/ntfs.img" >/dev/null 2>&1
  dd if="$work/ntfs.img" of="$image" bs=512 seek="$start" conv=notrunc,sparse status=none
  rm -f "$work/ntfs.img"
}

fat() {  # image bits start sectors
  mkfs.fat -F "$2" -s 1 --offset "$3" "$1" "$(($4 / 2))" >/dev/null 2>&1
}

# ---- chain.img
chain=$work/chain.img
truncate -s $((51200 * 512)) "$chain"
sfdisk --quiet --no-reread --no-tell-kernel "$chain" >/dev/null <<'TABLE'
label: dos
start=2048, size=8192, type=6
start=10240, size=7680, type=7
start=18432, size=32768, type=5
start=20480, size=8192, type=c
start=30720, size=4096, type=6
start=36864, size=4096, type=83
start=43008, size=4096, type=7
TABLE
fat "$chain" 16 2048 8192
put_ntfs "$chain" 10240 7680
fat "$chain" 32 20480 8192
mmls -t dos "$chain" > "$work/chain.mmls"

# ---- lost.img: three cylinders of 255 x 63 sectors and a little more.
lost=$work/lost.img
truncate -s $((50000 * 512)) "$lost"
sfdisk --quiet --no-reread --no-tell-kernel "$lost" >/dev/null 2>&1 <<'TABLE'
label: dos
start=63, size=8000, type=6
start=8192, size=7680, type=7
start=16128, size=8000, type=c
start=34816, size=8000, type=6
TABLE
fat "$lost" 16 63 8000
put_ntfs "$lost" 8192 7680
fat "$lost" 32 16128 8000
fat "$lost" 16 34816 8000
# Wipe the four partition entries; the boot signature stays.
dd if=/dev/zero of="$lost" bs=1 seek=446 count=64 conv=notrunc status=none

mv "$chain" "$work/chain.mmls" "$lost" "$out/"
