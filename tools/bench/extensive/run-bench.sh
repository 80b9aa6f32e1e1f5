#!/usr/bin/env bash
# run-bench.sh [SIZE_GIB] [fat32|ntfs]
#
# Raw-scan throughput of the Extensive Scan on a warm multi-GiB image, as a ratio
# to plain sequential reading of the same image in the same run. Builds the engine
# in the `bench` preset (native Release) into build/extensive-bench, makes the image
# (mkfs.fat or mkntfs, then a few thousand folders and files so the scan has work),
# reads it once to warm the page cache, and runs the driver. Not part of CI.
set -euo pipefail
ROOT=$(cd "$(dirname "$0")/../../.." && pwd)
SIZE_GIB=${1:-2}
KIND=${2:-fat32}
BUILD=$ROOT/build/extensive-bench
WORK=${TMPDIR:-/tmp}/pelmo-extensive-bench
mkdir -p "$WORK"

cmake -S "$ROOT" -B "$BUILD" --preset bench > /dev/null
cmake --build "$BUILD" -j4 --target pelmo_engine pelmo_platform > /dev/null
ENGINE_LIB=$(find "$BUILD" -name libpelmo_engine.a | head -1)
PLATFORM_LIB=$(find "$BUILD" -name libpelmo_platform.a | head -1)
g++ -std=c++20 -O2 -I"$ROOT/engine" -I"$ROOT/platform" -I"$ROOT/tools/common" "$ROOT/tools/bench/extensive/RawScanBench.cpp" \
    "$ENGINE_LIB" "$PLATFORM_LIB" "$ENGINE_LIB" -lpthread -o "$WORK/raw_scan_bench"

IMG=$WORK/$KIND-${SIZE_GIB}g.img
if [ ! -f "$IMG" ]; then
  truncate -s "${SIZE_GIB}G" "$IMG.tmp"
  if [ "$KIND" = ntfs ]; then
    mkntfs -Q -F -q "$IMG.tmp" > /dev/null 2>&1
  else
    mkfs.fat -F 32 "$IMG.tmp" > /dev/null
    export MTOOLS_SKIP_CHECK=1 MTOOLSRC=/dev/null
    for d in $(seq 1 200); do
      mmd -i "$IMG.tmp" "::/d$d"
      head -c 20000 /dev/urandom > "$WORK/f.bin"
      mcopy -i "$IMG.tmp" "$WORK/f.bin" "::/d$d/f.bin"
    done
  fi
  mv "$IMG.tmp" "$IMG"
fi
cat "$IMG" > /dev/null  # warm the page cache
"$WORK/raw_scan_bench" "$IMG" "$KIND" 3
