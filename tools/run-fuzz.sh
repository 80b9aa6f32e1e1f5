#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (the `fuzz` preset) and runs each for a
# bounded time (FUZZ_SECONDS, default 20) under ASan and UBSan. Any crash fails.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${FUZZ_SECONDS:-20}
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz -j "$(nproc)" --target all_fuzzers
targets=$(find build/fuzz -type f -perm -u+x -name '*_fuzzer' | sort)
if [ -z "$targets" ]; then
  echo "run-fuzz: no fuzz targets yet"
  exit 0
fi
# The targets run side by side, one per core; each writes its verdict beside its corpus.
run_one() {
  target=$1
  corpus="build/fuzz/corpus/$(basename "$target")"
  mkdir -p "$corpus"
  rm -f "$corpus.verdict"
  if "$target" -max_total_time="$seconds" -rss_limit_mb=2048 -artifact_prefix="$corpus/" "$corpus" >"$corpus.log" 2>&1; then
    echo passed >"$corpus.verdict"
  else
    echo failed >"$corpus.verdict"
  fi
}
export -f run_one
export seconds
printf '%s\n' $targets | xargs -P "$(nproc)" -I{} bash -c 'run_one "$1"' _ {}

passed=0 failed=0
for target in $targets; do
  corpus="build/fuzz/corpus/$(basename "$target")"
  if [ "$(cat "$corpus.verdict" 2>/dev/null)" = passed ]; then
    echo "run-fuzz: $(basename "$target") clean for ${seconds}s"
    passed=$((passed + 1))
  else
    echo "run-fuzz: $(basename "$target") FAILED"; tail -40 "$corpus.log"
    failed=$((failed + 1))
  fi
done
echo "fuzz: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
