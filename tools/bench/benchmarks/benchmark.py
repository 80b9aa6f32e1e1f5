"""Engine benchmark: builds the corpus, runs our driver and the peers on the same
images, scores them with one scorer, prints a table per mode and writes
results.json.

usage: benchmark.py BENCH_DIR PELMO_CLI NTFS_POPULATE [--keep-output] [MODE...]
MODE: quick extensive trace partitions (default: all). Recovered files are
deleted once scored unless --keep-output is given."""

import json
import subprocess
import sys
import time
from pathlib import Path
from types import SimpleNamespace

import corpus
import modes
import report
import targets

ALL_MODES = ["quick", "extensive", "trace", "partitions"]
TITLES = {"quick": "Quick Scan (FAT16, FAT32, NTFS, NTFS with 100,000+ files)",
          "extensive": "Extensive Scan (quick-formatted volumes, one with folders of ~160 files; "
                       "raw-scan throughput on the 4 GiB image)",
          "trace": "File Trace (carving image)",
          "partitions": "Lost partitions"}


def run_mode(ctx, mode):
    if mode == "quick":
        return [row for name in ("fat16", "fat32", "ntfs", "ntfs-100k") for row in modes.quick_scan(ctx, name)]
    if mode == "extensive":
        return (modes.extensive_scan(ctx, "fat32-formatted", "fat32")
                + modes.extensive_scan(ctx, "fat32-folders-formatted", "fat32")
                + modes.extensive_scan(ctx, "ntfs-formatted", "ntfs")
                + modes.raw_scan(ctx, "carving", ["fat32", "ntfs"]))
    if mode == "trace":
        return modes.file_trace(ctx, "carving")
    return modes.partitions(ctx, "lost-partitions")


def _has_file_trace(cli):
    usage = subprocess.run([str(cli)], capture_output=True, text=True).stderr
    return "pelmo-cli trace" in usage


def main(argv):
    bench, cli, helper = (Path(a).resolve() for a in argv[1:4])
    options = argv[4:]
    keep_output = "--keep-output" in options
    wanted = [o for o in options if o != "--keep-output"] or ALL_MODES
    unknown = [w for w in wanted if w not in ALL_MODES]
    if unknown:
        sys.exit(f"unknown mode {' '.join(unknown)}; choose from {' '.join(ALL_MODES)}")
    if "trace" in wanted and not _has_file_trace(cli):
        print("pelmo-cli was built without File Trace: leaving the trace mode out", flush=True)
        wanted.remove("trace")
    ctx = SimpleNamespace(corpus=bench / "corpus", out=bench / "out", cli=cli, keep_output=keep_output)
    started = time.monotonic()
    corpus.build_corpus(ctx.corpus, helper, lambda text: print(f"corpus: {text}", flush=True))
    print(f"corpus ready in {time.monotonic() - started:.0f} s", flush=True)
    results = {"modes": {}}
    for mode in wanted:
        print(f"running {mode} ...", flush=True)
        rows = run_mode(ctx, mode)
        lines = report.print_mode(TITLES[mode], rows, sys.stdout)
        results["modes"][mode] = {"rows": rows, "ratios": lines}
    results["targets"] = targets.check(results["modes"])
    targets.print_checks(results["targets"], sys.stdout)
    (bench / "results.json").write_text(json.dumps(results, indent=2))
    print(f"\nresults written to {bench / 'results.json'}")


if __name__ == "__main__":
    main(sys.argv)
