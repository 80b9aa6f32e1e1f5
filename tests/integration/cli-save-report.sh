#!/usr/bin/env bash
# Integration test of the headless driver's save report over a real image:
# with sectors of one file made unreadable, the save names that file as damaged,
# says how many sectors could not be read and ends with exit code 1, while every
# other file is saved whole; a target on a loop mount of the image is refused.
# Usage: cli-save-report.sh PELMO_CLI FIXTURE_DIR IMAGE_NAME
set -euo pipefail
cli=$1 dir=$2 name=$3
image="$dir/$name.img" manifest="$dir/$name.manifest"
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
victim=/big-300k.bin

# The victim's first data sector, from The Sleuth Kit: FAT lists sectors, NTFS clusters.
inode=$(fls -r -p "$image" | awk -F'\t' -v n="${victim#/}" '$2 == n {print $1}' | awk '{print $2}' | tr -d ':')
if [[ "$name" == *ntfs* ]]; then
  cluster=$(istat "$image" "$inode" | awk '/^Type: \$DATA/ {getline; print $1; exit}')
  bytes_per_cluster=$(fsstat "$image" | awk -F': ' '/Cluster Size/ {print $2; exit}')
  first=$((cluster * bytes_per_cluster / 512))
else
  first=$(istat "$image" "$inode" | awk '/^Sectors:/ {getline; print $1; exit}')
fi
bad="$((first + 8))-$((first + 11))"

set +e
"$cli" quick "$image" --save "$out/saved" --bad-sectors "$bad" >/dev/null 2>"$out/report"
status=$?
set -e
cat "$out/report"
[ "$status" -eq 1 ] || { echo "exit code $status, expected 1"; exit 1; }
grep -q "^4 sectors could not be read\.$" "$out/report" || { echo "no count of unreadable sectors"; exit 1; }
grep -q "^1 files saved with damage" "$out/report" || { echo "the damaged file is not counted"; exit 1; }
grep -qF "    $out/saved$victim" "$out/report" || { echo "the damaged file is not named"; exit 1; }

# The damaged file has its size, with zeros for the 4 sectors; the rest is whole.
original=$(awk -F'\t' -v p="$victim" '$4 == p {print $5}' "$manifest")
cmp -s <(head -c 4096 "$original") <(head -c 4096 "$out/saved$victim") || { echo "bytes before the bad area differ"; exit 1; }
cmp -s <(head -c 2048 /dev/zero) <(tail -c +4097 "$out/saved$victim" | head -c 2048) || { echo "bad area not zeros"; exit 1; }
cmp -s <(tail -c +6145 "$original") <(tail -c +6145 "$out/saved$victim") || { echo "bytes after the bad area differ"; exit 1; }
while IFS=$'\t' read -r type state size path host _times; do
  [ "$type" = F ] && [ "$state" = live ] && [ "$path" != "$victim" ] || continue
  cmp -s "$host" "$out/saved$path" || { echo "differs or missing: $path"; exit 1; }
done <"$manifest"

# A target on a file system that a loop device backed by the image holds is
# refused before anything is written (a fake sysfs stands for the kernel's).
sysfs="$out/sys"
mkdir -p "$sysfs/block/loop7/loop" "$out/mounted"
echo "$image" >"$sysfs/block/loop7/loop/backing_file"
stat -c '%Hd:%Ld' "$out/mounted" >"$sysfs/block/loop7/dev"
set +e
PELMO_CLI_SYSFS="$sysfs" "$cli" quick "$image" --save "$out/mounted/here" 2>"$out/refused" >/dev/null
status=$?
set -e
cat "$out/refused"
[ "$status" -eq 2 ] && grep -q "backed by the image being read" "$out/refused" || { echo "not refused"; exit 1; }
[ ! -e "$out/mounted/here" ] || { echo "written although refused"; exit 1; }

# A file system mounted straight from the image file (FUSE names the file as the
# mount's source) is refused too (a fake mount table stands for the kernel's).
mkdir -p "$out/fused"
printf '1 0 8:1 / / rw - ext4 /dev/sda1 rw\n50 1 %s / %s rw,nosuid - fuseblk %s rw\n' \
  "$(stat -c '%Hd:%Ld' "$out/fused")" "$(echo "$out/fused" | sed 's/ /\\040/g')" \
  "$(echo "$image" | sed 's/ /\\040/g')" >"$out/mountinfo"
set +e
PELMO_CLI_MOUNTINFO="$out/mountinfo" "$cli" quick "$image" --save "$out/fused/here" 2>"$out/refused" >/dev/null
status=$?
set -e
cat "$out/refused"
[ "$status" -eq 2 ] && grep -q "mounted from .*, the image being read" "$out/refused" || { echo "FUSE mount not refused"; exit 1; }
[ ! -e "$out/fused/here" ] || { echo "written into the FUSE mount although refused"; exit 1; }
echo "$name: save report and mount refusals as expected"
