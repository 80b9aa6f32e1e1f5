"""The benchmark modes: each runs our driver and the peers on the same images
and returns one row per tool with its measurement and scores."""

import json
import re
import shutil
from pathlib import Path

import scoring
from runner import fresh_folder, measure, sequential_read

CARVING_TYPES = ["jpg", "png", "gif", "bmp", "pdf", "zip", "wav"]
PHOTOREC_TYPES = ["jpg", "png", "gif", "bmp", "pdf", "zip", "riff"]  # PhotoRec calls WAVE "riff"


def _scored(ctx, target, scores):
    """Scores are taken; the recovered files go unless the run keeps them (they add up to gigabytes)."""
    if not ctx.keep_output:
        shutil.rmtree(target, ignore_errors=True)
    return scores


def _row(mode, image, tool, job, m, scores, image_bytes=None):
    row = {"mode": mode, "image": image, "tool": tool, "job": job, "seconds": m.seconds,
           "peak_mib": round(m.peak_kib / 1024, 1), "exit_code": m.exit_code, "scores": scores}
    if image_bytes:
        row["mib_per_s"] = round(image_bytes / (1 << 20) / max(m.seconds, 0.01), 1)
    return row


def quick_scan(ctx, name):
    image = ctx.corpus / f"{name}.img"
    manifest = scoring.load_manifest(ctx.corpus / f"{name}.manifest")
    out = ctx.out / name
    rows = []
    m = measure([ctx.cli, "quick", image, "--list"], repeat=3)
    rows.append(_row("quick", name, "pelmo", "list", m, scoring.score_listing(manifest, scoring.ours_listing(m.stdout))))
    m = measure(["fls", "-r", "-p", image], repeat=3)
    rows.append(_row("quick", name, "fls -r -p", "list", m, scoring.score_listing(manifest, scoring.fls_listing(m.stdout))))
    m = measure(["fls", "-r", "-d", "-p", image], repeat=3)
    rows.append(_row("quick", name, "fls -r -d -p", "list", m,
                     scoring.score_listing(manifest, scoring.fls_listing(m.stdout))))
    target = fresh_folder(out / "pelmo")
    m = measure([ctx.cli, "quick", image, "--save", target])
    rows.append(_row("quick", name, "pelmo", "recover", m,
                     _scored(ctx, target, scoring.score_recovery(manifest, target))))
    target = fresh_folder(out / "tsk_recover")
    m = measure(["tsk_recover", "-e", image, target])
    rows.append(_row("quick", name, "tsk_recover -e", "recover", m,
                     _scored(ctx, target, scoring.score_recovery(manifest, target))))
    if name.startswith("ntfs"):
        target = fresh_folder(out / "pelmo-deleted")
        m = measure([ctx.cli, "quick", image, "--save", target, "--deleted-only"])
        rows.append(_row("quick", name, "pelmo", "recover deleted", m,
                         _scored(ctx, target, scoring.score_recovery(manifest, target))))
        target = fresh_folder(out / "ntfsundelete")
        m = measure(["ntfsundelete", image, "-u", "-m", "*", "-d", target, "-f", "-q"])
        # ntfsundelete writes deleted files flat into one folder: content only.
        rows.append(_row("quick", name, "ntfsundelete -u", "recover deleted", m,
                         _scored(ctx, target, scoring.score_recovery(manifest, target, with_paths=False))))
    return rows


def extensive_scan(ctx, name, fs, volume=1):
    image = ctx.corpus / f"{name}.img"
    size = image.stat().st_size
    manifest = scoring.load_manifest(ctx.corpus / f"{name}.manifest")
    out = ctx.out / name
    rows = [_row("extensive", name, "cat", "sequential read", sequential_read(image), {}, size)]
    m = measure([ctx.cli, "extensive", image, "--fs", fs, "--volume", volume, "--list"], repeat=3)
    rows.append(_row("extensive", name, "pelmo", "scan+list", m,
                     scoring.score_listing(manifest, scoring.ours_listing(m.stdout)), size))
    target = fresh_folder(out / "pelmo")
    m = measure([ctx.cli, "extensive", image, "--fs", fs, "--volume", volume, "--save", target])
    rows.append(_row("extensive", name, "pelmo", "scan+recover", m,
                     _scored(ctx, target, scoring.score_recovery(manifest, target)), size))
    target = fresh_folder(out / "tsk_recover")
    m = measure(["tsk_recover", "-e", image, target])
    rows.append(_row("extensive", name, "tsk_recover -e", "recover", m,
                     _scored(ctx, target, scoring.score_recovery(manifest, target)), size))
    if fs == "fat32":
        rows += _carvers_on_formatted(ctx, name, image, manifest, out, size)
    return rows


def _carvers_on_formatted(ctx, name, image, manifest, out, size):
    """The carvers over a formatted volume: they know no paths, so content recall only."""
    rows = []
    target = out / "photorec"
    command = "partition_none,options,paranoid_no,fileopt,everything,enable,wholespace,search"
    m = measure(["photorec", "/d", target / "recup", "/cmd", image, command], cwd=out,
                before=lambda: fresh_folder(target))
    rows.append(_row("extensive", name, "photorec", "carve+save", m,
                     _scored(ctx, target, scoring.score_recovery(manifest, target, with_paths=False)), size))
    target = out / "foremost"
    # foremost wants to make its output folder itself.
    m = measure(["foremost", "-q", "-t", "all", "-i", image, "-o", target], before=lambda: fresh_folder(target).rmdir())
    rows.append(_row("extensive", name, "foremost", "carve+save", m,
                     _scored(ctx, target, scoring.score_recovery(manifest, target, with_paths=False)), size))
    return rows


def raw_scan(ctx, name, filesystems):
    """The raw scans of a whole multi-GiB image against plain sequential reading."""
    image = ctx.corpus / f"{name}.img"
    size = image.stat().st_size
    rows = [_row("extensive", name, "cat", "sequential read", sequential_read(image), {}, size)]
    for fs in filesystems:
        m = measure([ctx.cli, "extensive", image, "--fs", fs], repeat=3)
        rows.append(_row("extensive", name, "pelmo", f"raw scan {fs}", m, {}, size))
    return rows


def file_trace(ctx, name):
    image = ctx.corpus / f"{name}.img"
    size = image.stat().st_size
    manifest = ctx.corpus / f"{name}.manifest"
    out = ctx.out / name
    types = ",".join(CARVING_TYPES)
    rows = [_row("trace", name, "cat", "sequential read", sequential_read(image), {}, size)]
    m = measure([ctx.cli, "trace", image, "--types", types], repeat=3)
    rows.append(_row("trace", name, "pelmo", "carve (list)", m, {}, size))
    # Saving is disk-bound and noisy: every carver gets the best of three runs.
    target = out / "pelmo"
    m = measure([ctx.cli, "trace", image, "--types", types, "--save", target], repeat=3,
                before=lambda: fresh_folder(target))
    rows.append(_row("trace", name, "pelmo", "carve+save", m,
                     _scored(ctx, target, scoring.score_carving(manifest, image, target)), size))
    target = out / "photorec"
    options = ",".join(f"{t},enable" for t in PHOTOREC_TYPES)
    command = f"partition_none,options,paranoid_no,fileopt,everything,disable,{options},wholespace,search"
    m = measure(["photorec", "/d", target / "recup", "/cmd", image, command], cwd=out, repeat=3,
                before=lambda: fresh_folder(target))
    rows.append(_row("trace", name, "photorec", "carve+save", m,
                     _scored(ctx, target, scoring.score_carving(manifest, image, target)), size))
    target = out / "foremost"
    # foremost wants to make its output folder itself.
    m = measure(["foremost", "-q", "-t", types, "-i", image, "-o", target], repeat=3,
                before=lambda: fresh_folder(target).rmdir())
    rows.append(_row("trace", name, "foremost", "carve+save", m,
                     _scored(ctx, target, scoring.score_carving(manifest, image, target)), size))
    return rows


_TESTDISK_ROW = re.compile(r"^\s*\d+\s+[*PLE]\s+(.+?)\s+(\d+)\s+(\d+)\s+(\d+)\s+\d+\s+\d+\s+\d+\s+(\d+)")


def _testdisk_starts(log_text: str):
    # The last partition list TestDisk wrote: CHS starts on a 255-head, 63-sector geometry.
    starts = set()
    for line in log_text.split("interface_write()")[-1].splitlines():
        match = _TESTDISK_ROW.match(line)
        if match:
            c, h, s = (int(match.group(i)) for i in (2, 3, 4))
            starts.add((c * 255 + h) * 63 + s - 1)
    return starts


def partitions(ctx, name):
    image = ctx.corpus / f"{name}.img"
    expected = {start for _, start, _ in json.loads((ctx.corpus / f"{name}.json").read_text())}
    rows = []
    m = measure([ctx.cli, "partitions", image])
    ours = {int(line.split("\t")[1]) for line in m.stdout.splitlines() if line.count("\t") == 2}
    rows.append(_row("partitions", name, "pelmo", "search", m,
                     {"partitions found": len(expected & ours) / len(expected), "extra": len(ours - expected)}))
    work = fresh_folder(ctx.out / name / "testdisk")
    m = measure(["testdisk", "/log", "/cmd", image, "analyze"], cwd=work)
    log = (work / "testdisk.log").read_text(errors="replace") if (work / "testdisk.log").exists() else ""
    found = _testdisk_starts(log)
    rows.append(_row("partitions", name, "testdisk", "analyse", m,
                     {"partitions found": len(expected & found) / len(expected), "extra": len(found - expected)}))
    return rows
