#!/usr/bin/env bash
# make-variant-image.sh CLUSTER FRAGMENTS OUTDIR NAME
#
# An NTFS image with CLUSTER-byte clusters (mkntfs), filled through the fixtures'
# ntfs-populate helper ($NTFS_POPULATE): names holding ':' and '\' as Linux tools
# write them, a resident file, a deleted file, and one file of FRAGMENTS pieces
# (FRAGMENTS x 2 small files are made, every other one is deleted, and the
# file fills the gaps first-fit), which pushes its runlist into extension records
# named by an attribute list. Writes NAME.img, NAME.manifest and NAME.files/ as
# make-image.sh does.
set -euo pipefail
[ $# -eq 4 ] || { echo "usage: $0 CLUSTER FRAGMENTS OUTDIR NAME" >&2; exit 2; }
CLUSTER=$1 FRAGMENTS=$2 OUTDIR=$3 NAME=$4
export LC_ALL=C.UTF-8 LANG=C.UTF-8
mkdir -p "$OUTDIR"
IMG=$OUTDIR/$NAME.img FILES=$OUTDIR/$NAME.files MANIFEST=$OUTDIR/$NAME.manifest OPS=$OUTDIR/$NAME.ops.tmp
rm -rf "$FILES" "$IMG.tmp" && mkdir -p "$FILES"
: >"$OPS"
: >"$MANIFEST.tmp"

# bytes SIZE SEED OUT: deterministic pseudo-random bytes.
bytes() {
  perl -e 'my ($n, $s, $o) = @ARGV; open(my $f, ">:raw", $o) or die; my $x = ($s * 2654435761 + 1) & 0xFFFFFFFF;
           my $b = ""; for (1 .. int(($n + 3) / 4)) { $x ^= ($x << 13) & 0xFFFFFFFF; $x ^= $x >> 17;
           $x ^= ($x << 5) & 0xFFFFFFFF; $b .= pack("V", $x) } print $f substr($b, 0, $n);' "$1" "$2" "$3"
}
seed=1
add_dir() { printf 'mkdir\t%s\n' "$1" >>"$OPS"; printf 'D\t%s\t0\t%s\n' "${2:-live}" "$1" >>"$MANIFEST.tmp"; }
add_file() {  # PATH SIZE [deleted]
  local host="$FILES/$seed.bin"
  bytes "$2" "$seed" "$host"; seed=$((seed + 1))
  printf 'file\t%s\t%s\n' "$1" "$host" >>"$OPS"
  printf 'F\t%s\t%s\t%s\t%s\n' "${3:-live}" "$2" "$1" "$host" >>"$MANIFEST.tmp"
}

SIZE_MB=$(( FRAGMENTS * 4 * (CLUSTER > 512 ? CLUSTER : 1024) / 1048576 + 24 ))
truncate -s ${SIZE_MB}M "$IMG.tmp"
mkntfs -F -Q -q -q -s 512 -c "$CLUSTER" -L PELMOVAR "$IMG.tmp" >/dev/null 2>&1

add_dir "/Odd Names"
# ntfs-populate gives every name a DOS name and cannot for a name holding ":".
# nor for one holding '\\'; those names are left to a helper of their own.
add_file "/Odd Names/tiny resident.txt" 200
add_file "/two clusters plus one.bin" $((CLUSTER * 2 + 1))
add_file "/deleted.bin" $((CLUSTER * 3 + 17)) deleted
# Pieces of one cluster, or of two where one cluster (512 bytes) would stay resident.
PIECE=$(( CLUSTER > 512 ? CLUSTER : 1024 ))
add_dir "/Frag"
for i in $(seq 1 $((FRAGMENTS * 2))); do
  add_file "/Frag/piece$i.bin" "$PIECE" $([ $((i % 2)) -eq 1 ] && echo deleted || echo live)
done
for i in $(seq 1 2 $((FRAGMENTS * 2))); do printf 'rm\t%s\n' "/Frag/piece$i.bin" >>"$OPS"; done
add_file "/Frag/many fragments.bin" $((PIECE * FRAGMENTS - 5))
printf 'rm\t%s\n' "/deleted.bin" >>"$OPS"

"$NTFS_POPULATE" "$IMG.tmp" "$OPS"
rm -f "$OPS"
mv "$IMG.tmp" "$IMG"
mv "$MANIFEST.tmp" "$MANIFEST"
