"""Builds FAT16, FAT32 and NTFS images from a VolumePlan with the real tools:
mkfs.fat and mtools for FAT, mkntfs and the libntfs-3g helper for NTFS."""

import os
import shutil
import subprocess
from pathlib import Path

from volumeplan import VolumePlan

MTOOLS_ENV = dict(os.environ, LC_ALL="C.UTF-8", LANG="C.UTF-8", MTOOLS_SKIP_CHECK="1", MTOOLSRC="/dev/null")
BATCH = 200


def run(args, **kwargs):
    subprocess.run(args, check=True, stdout=subprocess.DEVNULL, env=kwargs.pop("env", MTOOLS_ENV), **kwargs)


def write_stage(stage: Path, files) -> None:
    for f in files:
        target = stage / f.path.lstrip("/")
        target.parent.mkdir(parents=True, exist_ok=True)
        target.write_bytes(f.head())


def make_fat(kind: str, image: Path, size_mb: int, sectors_per_cluster: int) -> None:
    image.unlink(missing_ok=True)
    fat = "16" if kind == "fat16" else "32"
    run(["truncate", "-s", f"{size_mb}M", str(image)])
    run(["mkfs.fat", "-F", fat, "-S", "512", "-s", str(sectors_per_cluster), "-i", "1234ABCD", "-n", "PELMOBENCH",
         str(image)])


def _forget_fat32_hint(image: Path) -> None:
    # mtools allocates from the FSInfo next-free hint; without it, first-fit from cluster 2.
    with open(image, "r+b") as disk:
        disk.seek(48)
        fsinfo = int.from_bytes(disk.read(2), "little")
        if fsinfo and fsinfo != 0xFFFF:
            disk.seek(fsinfo * 512 + 492)
            disk.write(b"\xff\xff\xff\xff")


def _mtool(tool: str, image: Path, paths) -> None:
    paths = list(paths)
    for i in range(0, len(paths), BATCH):
        run([tool, "-i", str(image)] + ["::" + p for p in paths[i:i + BATCH]])


def populate_fat(plan: VolumePlan, image: Path, work: Path, kind: str) -> None:
    stage = work / "stage"
    shutil.rmtree(work, ignore_errors=True)
    bulk = [f for f in plan.files if f.phase == "bulk"]
    for folder in plan.folders:
        (stage / folder.lstrip("/")).mkdir(parents=True, exist_ok=True)
    write_stage(stage, bulk)
    run(["mcopy", "-s", "-i", str(image)] + sorted(str(p) for p in stage.iterdir()) + ["::/"])
    _fill_fragments(plan, image, work, kind)
    _apply_fat_deletions(plan, image, kind)
    shutil.rmtree(work, ignore_errors=True)


def _fill_fragments(plan: VolumePlan, image: Path, work: Path, kind: str) -> None:
    for phase in ("gap", "fragment"):
        files = [f for f in plan.files if f.phase == phase]
        folder = work / phase
        write_stage(folder, files)
        sources = [str(folder / f.path.lstrip("/")) for f in files]
        for i in range(0, len(sources), BATCH):
            run(["mcopy", "-i", str(image)] + sources[i:i + BATCH] + ["::/Fragments/"])
        if phase == "gap":
            _mtool("mdel", image, [f.path for f in files if f.deleted])
            if kind == "fat32":
                _forget_fat32_hint(image)


def _apply_fat_deletions(plan: VolumePlan, image: Path, kind: str) -> None:
    in_deleted_folder = tuple(d + "/" for d in plan.deleted_folders)
    singles = [f.path for f in plan.files
               if f.deleted and f.phase != "gap" and not f.path.startswith(in_deleted_folder)]
    _mtool("mdel", image, singles)
    _mtool("mdeltree", image, plan.deleted_folders)


def make_ntfs(image: Path, size_mb: int) -> None:
    image.unlink(missing_ok=True)
    run(["truncate", "-s", f"{size_mb}M", str(image)])
    subprocess.run(["mkntfs", "-F", "-Q", "-q", "-s", "512", "-c", "4096", "-p", "0", "-H", "255", "-S", "63",
                    "-L", "PELMOBENCH", str(image)], check=True, stdout=subprocess.DEVNULL,
                   stderr=subprocess.DEVNULL)


def populate_ntfs(plan: VolumePlan, image: Path, work: Path, helper: Path) -> None:
    stage = work / "stage"
    shutil.rmtree(work, ignore_errors=True)
    write_stage(stage, plan.files)
    ops = []
    for folder in plan.folders:
        ops.append(f"mkdir\t{folder}")
    in_deleted_folder = tuple(d + "/" for d in plan.deleted_folders)
    for phase in ("bulk", "gap", "fragment", "sparse"):
        for f in (f for f in plan.files if f.phase == phase):
            ops.append(f"file\t{f.path}\t{stage / f.path.lstrip('/')}")
        if phase == "gap":
            ops += [f"rm\t{f.path}" for f in plan.files if f.phase == "gap" and f.deleted]
    ops += [f"rm\t{f.path}" for f in plan.files
            if f.deleted and f.phase not in ("gap", "sparse") and not f.path.startswith(in_deleted_folder)]
    ops += [f"rmtree\t{d}" for d in plan.deleted_folders]
    _run_populate(helper, image, work / "ops.txt", ops)
    sparse = [f for f in plan.files if f.sparse_size]
    if sparse:
        _extend_sparse(image, sparse)
        _run_populate(helper, image, work / "ops-sparse.txt", [f"rm\t{f.path}" for f in sparse if f.deleted])
    shutil.rmtree(work, ignore_errors=True)


def _run_populate(helper: Path, image: Path, ops_file: Path, ops) -> None:
    ops_file.write_text("\n".join(ops) + "\n", encoding="utf-8")
    subprocess.run([str(helper), str(image), str(ops_file)], check=True, stdout=subprocess.DEVNULL,
                   env=dict(os.environ, LC_ALL="C.UTF-8"))


def _extend_sparse(image: Path, files) -> None:
    # ntfstruncate grows $DATA with a sparse run (and marks the file sparse); it wants inode numbers.
    listing = subprocess.run(["fls", "-r", "-p", str(image)], check=True, capture_output=True, text=True).stdout
    inodes = {}
    for line in listing.splitlines():
        head, _, path = line.partition(":\t")
        if head.startswith("r/r") and "*" not in head:
            inodes["/" + path] = head.split()[-1].split("-")[0]
    for f in files:
        subprocess.run(["ntfstruncate", "-f", "-q", str(image), inodes[f.path], "0x80", "", str(f.sparse_size)],
                       check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
