#!/usr/bin/env bash
# Integration test of File Trace saving through the headless driver: two PDF
# starts planted in a copy of a fixture image, one over two unreadable sectors and
# one 1768 sectors before the image's end. The first hit is named as damaged, the
# two sectors are counted and the exit code is 1; the second ends with the image.
# Usage: cli-trace-report.sh PELMO_CLI FIXTURE_DIR IMAGE_NAME (exit 77: no File Trace)
set -euo pipefail
cli=$1 dir=$2 name=$3
usage=$("$cli" 2>&1 || true)
[[ "$usage" == *"pelmo-cli trace"* ]] || { echo "pelmo-cli was built without File Trace"; exit 77; }
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
image="$out/$name.img"
cp "$dir/$name.img" "$image"
sectors=$(($(stat -c %s "$image") / 512))
first=$((sectors - 2768)) second=$((sectors - 1768))
for at in $first $second; do printf '%%PDF-1.4\n' | dd of="$image" bs=512 seek="$at" conv=notrunc status=none; done

set +e
"$cli" trace "$image" --types pdf --save "$out/saved" --bad-sectors "$((first + 10))-$((first + 11))" 2>"$out/report" >/dev/null
status=$?
set -e
cat "$out/report"
[ "$status" -eq 1 ] || { echo "exit code $status, expected 1"; exit 1; }
grep -q "^found 2 files" "$out/report" || { echo "the two hits were not found"; exit 1; }
grep -q "^2 sectors could not be read\.$" "$out/report" || { echo "no count of unreadable sectors"; exit 1; }
grep -qF "    $out/saved/1.pdf" "$out/report" || { echo "the damaged hit is not named"; exit 1; }
[ "$(stat -c %s "$out/saved/1.pdf")" -eq 1048576 ] || { echo "the first hit is not 1 MiB"; exit 1; }
[ "$(stat -c %s "$out/saved/2.pdf")" -eq $((1768 * 512)) ] || { echo "the second hit does not end with the image"; exit 1; }
cmp -s <(head -c 9 "$out/saved/2.pdf") <(printf '%%PDF-1.4\n') || { echo "the second hit does not start with its file"; exit 1; }
echo "$name: File Trace save report as expected"
