#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (the `fuzz` preset) and runs each for a
# bounded time under ASan and UBSan. Any crash fails. FUZZ_SECONDS sets the time
# of each target; by default each gets 15 s, or less (not under 5 s) where the
# machine's cores could not run them all within FUZZ_BUDGET_SECONDS (120).
set -euo pipefail
cd "$(dirname "$0")/.."
# Extra arguments go to the configuration (the test script asks for unity builds).
cmake --preset fuzz "$@" >/dev/null
cmake --build --preset fuzz -j "$(nproc)" --target all_fuzzers
targets=$(find build/fuzz -type f -perm -u+x -name '*_fuzzer' | sort)
if [ -z "$targets" ]; then
  echo "run-fuzz: no fuzz targets yet"
  exit 0
fi
cores=$(nproc)
count=$(printf '%s\n' $targets | wc -l)
if [ -n "${FUZZ_SECONDS:-}" ]; then
  seconds=$FUZZ_SECONDS
else
  budget=${FUZZ_BUDGET_SECONDS:-120}
  seconds=$(( budget * cores / count ))
  [ "$seconds" -gt 15 ] && seconds=15
  [ "$seconds" -lt 5 ] && seconds=5
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
printf '%s\n' $targets | xargs -P "$cores" -I{} bash -c 'run_one "$1"' _ {}

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
