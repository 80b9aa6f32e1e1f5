#!/usr/bin/env bash
# Engine benchmark: runs pelmo-cli beside The Sleuth Kit, ntfsundelete, PhotoRec,
# foremost and TestDisk on the same generated images, scores everyone with one
# scorer, prints a table per mode and writes build/bench/results.json.
#
#   bash tools/bench/run-benchmarks.sh [--keep-output] [quick] [extensive] [trace] [partitions]
#
# The corpus (build/bench/corpus: 9 GiB of sparse images, 3 GiB on disk) is built
# once and reused while its recipe is unchanged. Not part of CI.
set -euo pipefail
cd "$(dirname "$0")/../.."

export DEBIAN_FRONTEND=noninteractive
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
PACKAGES=(
  g++ gcc cmake ninja-build python3 time
  dosfstools mtools ntfs-3g ntfs-3g-dev sleuthkit testdisk foremost util-linux
)
missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ "${#missing[@]}" -gt 0 ]; then
  echo "run-benchmarks: installing ${missing[*]}"
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

BENCH=build/bench
# Only the driver is built. The layers add their test folders whether or not
# the tests are wanted, so the configuration keeps them (and GoogleTest) on.
build_log=$BENCH/build.log
mkdir -p "$BENCH"
if ! { cmake --preset bench -DPELMO_BUILD_TESTS=ON && cmake --build --preset bench --target pelmo-cli -j "$(nproc)"; } \
    >"$build_log" 2>&1; then
  tail -n 30 "$build_log" >&2
  echo "run-benchmarks: the build failed (whole log in $build_log)" >&2
  exit 1
fi
# The libntfs-3g helper that fills the NTFS images (the same one the test fixtures use).
gcc -O2 -o "$BENCH/ntfs-populate" tests/fixtures/ntfs_populate.c -lntfs-3g

export PYTHONDONTWRITEBYTECODE=1
exec python3 tools/bench/benchmarks/benchmark.py "$BENCH" "$BENCH/tools/pelmo-cli/pelmo-cli" \
  "$BENCH/ntfs-populate" "$@"
