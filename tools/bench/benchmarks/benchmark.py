"""Engine benchmark: builds the corpus, runs our driver and the peers on the same
images, scores them with one scorer, prints a table per mode and writes
results.json.

usage: benchmark.py BENCH_DIR PELMO_CLI NTFS_POPULATE [MODE...]
MODE: quick extensive trace partitions (default: all)"""

import json
import sys
import time
from pathlib import Path
from types import SimpleNamespace

import corpus
import modes
import report

ALL_MODES = ["quick", "extensive", "trace", "partitions"]
TITLES = {"quick": "Quick Scan (FAT16, FAT32, NTFS, NTFS with 100,000+ files)",
          "extensive": "Extensive Scan (quick-formatted volumes)",
          "trace": "File Trace (carving image)",
          "partitions": "Lost partitions"}


def run_mode(ctx, mode):
    if mode == "quick":
        return [row for name in ("fat16", "fat32", "ntfs", "ntfs-100k") for row in modes.quick_scan(ctx, name)]
    if mode == "extensive":
        return modes.extensive_scan(ctx, "fat32-formatted", "fat32") + modes.extensive_scan(ctx, "ntfs-formatted", "ntfs")
    if mode == "trace":
        return modes.file_trace(ctx, "carving")
    return modes.partitions(ctx, "lost-partitions")


def main(argv):
    bench, cli, helper = (Path(a).resolve() for a in argv[1:4])
    wanted = argv[4:] or ALL_MODES
    ctx = SimpleNamespace(corpus=bench / "corpus", out=bench / "out", cli=cli)
    started = time.monotonic()
    corpus.build_corpus(ctx.corpus, helper, lambda text: print(f"corpus: {text}", flush=True))
    print(f"corpus ready in {time.monotonic() - started:.0f} s", flush=True)
    results = {"modes": {}}
    for mode in wanted:
        print(f"running {mode} ...", flush=True)
        rows = run_mode(ctx, mode)
        lines = report.print_mode(TITLES[mode], rows, sys.stdout)
        results["modes"][mode] = {"rows": rows, "ratios": lines}
    (bench / "results.json").write_text(json.dumps(results, indent=2))
    print(f"\nresults written to {bench / 'results.json'}")


if __name__ == "__main__":
    main(sys.argv)
