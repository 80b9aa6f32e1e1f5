#!/usr/bin/env bash
# Carving benchmark (by hand, not CI): builds a multi-GiB raw image of random data
# with known files written at sector boundaries, warms it into the page cache and
# times, on the same image in the same run:
#   - plain sequential reading (dd, and the engine's sector reader),
#   - File Trace with every type of Raw.dat ticked (carving_bench),
#   - PhotoRec (Debian's testdisk package) and foremost (quick mode, sector starts),
# then prints each one's time as a ratio to sequential reading and its recall: the
# share of known files found as a hit or an output file at the file's first sector.
#
#   bash tools/bench/carving/run-carving-bench.sh [GIB]      (default 2)
set -euo pipefail
cd "$(dirname "$0")/../../.."
GIB=${1:-2}
OUT=build/bench-carving
mkdir -p "$OUT"

# The comparison peers, only for this benchmark.
export DEBIAN_FRONTEND=noninteractive
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
missing=()
for p in testdisk foremost imagemagick python3 cmake ninja-build g++; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ "${#missing[@]}" -gt 0 ]; then
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

cmake -S tools/bench/carving -B "$OUT/build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$OUT/build" -j "$(nproc)" >/dev/null

IMAGE=$OUT/carving-${GIB}g.img
KNOWN=$OUT/carving-${GIB}g.known
if [ ! -f "$IMAGE" ] || [ ! -f "$KNOWN" ]; then
  samples=$OUT/samples
  rm -rf "$samples" && mkdir -p "$samples"
  convert -size 640x480 plasma:fractal "$samples/photo.jpg"
  convert -size 320x240 gradient:yellow-green "$samples/chart.png"
  convert -size 120x120 xc:orange -fill navy -draw "circle 60,60 60,10" "$samples/logo.gif"
  convert -size 200x150 gradient:red-blue "$samples/picture.bmp"
  convert -size 200x150 gradient:white-black "$samples/scan.tif"
  python3 tools/bench/carving/make-carving-image.py "$samples" "$IMAGE" "$KNOWN" "$GIB"
fi

# Warm the page cache, then time a plain read. dd copies every byte (cat may hand
# the file to /dev/null without reading it).
dd if="$IMAGE" of=/dev/null bs=1M status=none; dd if="$IMAGE" of=/dev/null bs=1M status=none
start=$(date +%s.%N); dd if="$IMAGE" of=/dev/null bs=1M status=none; end=$(date +%s.%N)
cat_seconds=$(echo "$end - $start" | bc -l)

"$OUT/build/carving_bench" "$IMAGE" "$OUT/build" "$OUT/pelmo.hits" | tee "$OUT/pelmo.txt"
read_seconds=$(awk '/^read_seconds/ {print $2}' "$OUT/pelmo.txt")
carve_seconds=$(awk '/^carve_seconds/ {print $2}' "$OUT/pelmo.txt")

rm -rf "$OUT/photorec" && mkdir -p "$OUT/photorec"
start=$(date +%s.%N)
(cd "$OUT/photorec" && photorec /log /d recup /cmd "$(realpath "../$(basename "$IMAGE")")" \
  partition_none,options,paranoid_no,fileopt,everything,enable,wholespace,search >/dev/null 2>&1) || true
end=$(date +%s.%N)
photorec_seconds=$(echo "$end - $start" | bc -l)

rm -rf "$OUT/foremost"
start=$(date +%s.%N)
foremost -q -t all -i "$IMAGE" -o "$OUT/foremost" >/dev/null 2>&1 || true
end=$(date +%s.%N)
foremost_seconds=$(echo "$end - $start" | bc -l)

python3 - "$KNOWN" "$OUT" "$cat_seconds" "$read_seconds" "$carve_seconds" "$photorec_seconds" "$foremost_seconds" <<'PY'
import os, re, sys
known_path, out = sys.argv[1], sys.argv[2]
cat_s, read_s, carve_s, photorec_s, foremost_s = map(float, sys.argv[3:8])
known = [int(line.split()[0]) for line in open(known_path)]

def sectors_in(folder, pattern):
    found = set()
    for _, _, names in os.walk(folder):
        for name in names:
            m = re.match(pattern, name)
            if m:
                found.add(int(m.group(1)))
    return found

ours = {int(line.split()[0]) for line in open(os.path.join(out, "pelmo.hits"))}
photorec = sectors_in(os.path.join(out, "photorec"), r"^f(\d+)")
foremost = sectors_in(os.path.join(out, "foremost"), r"^(\d+)\.")
size_gib = os.path.getsize(known_path.replace(".known", ".img")) / 2**30
print(f"\nimage {size_gib:.1f} GiB, {len(known)} known files; times relative to dd ({cat_s:.2f} s)")
print(f"{'tool':<28}{'seconds':>9}{'x dd':>8}{'recall':>9}")
rows = [("dd bs=1M (sequential read)", cat_s, None), ("engine sector reader", read_s, None),
        ("pelmo File Trace", carve_s, ours), ("PhotoRec", photorec_s, photorec), ("foremost -q", foremost_s, foremost)]
for name, seconds, hits in rows:
    recall = "" if hits is None else f"{sum(s in hits for s in known) / len(known):.3f}"
    print(f"{name:<28}{seconds:>9.2f}{seconds / cat_s:>8.2f}{recall:>9}")
print(f"pelmo File Trace / engine sector reader: {carve_s / read_s:.2f}")
PY
