#!/usr/bin/env bash
# Integration test of the headless driver: a Quick Scan of a fixture image saved
# into a fresh folder must give back every live file of the manifest byte for
# byte, and every deleted file whose clusters no later write took (NTFS keeps
# deleted names whole; FAT loses the first character of a deleted name).
# Usage: cli-quick-scan.sh PELMO_CLI FIXTURE_DIR IMAGE_NAME
set -euo pipefail
cli=$1 dir=$2 name=$3
image="$dir/$name.img" manifest="$dir/$name.manifest"
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

"$cli" quick "$image" --save "$out/saved" >/dev/null

checked=0 failed=0
while IFS=$'\t' read -r type state size path host _times; do
  [ "$type" = F ] || continue
  # The recipe reuses gap-B's clusters on purpose.
  [[ "$path" == */gap-B.bin ]] && continue
  if [ "$state" = deleted ]; then
    [[ "$name" == *ntfs* ]] || continue
  fi
  checked=$((checked + 1))
  if ! cmp -s "$host" "$out/saved$path"; then
    echo "differs or missing: $path ($state, $size bytes)"
    failed=$((failed + 1))
  fi
done <"$manifest"

echo "$name: $checked files compared, $failed wrong"
[ "$checked" -gt 0 ] && [ "$failed" -eq 0 ]
