"""The benchmark corpus: every image with its manifest, built once into the
corpus folder and kept while the recipe version is unchanged."""

import concurrent.futures
import json
from pathlib import Path

import images
import special_images
from volumeplan import make_plan

# Raise when an image's recipe changes, so cached images are rebuilt.
CORPUS_VERSION = 4

# name: (kind, size MiB, sectors per cluster, cluster bytes, files, seed, extra plan options)
VOLUMES = {
    "fat16": ("fat16", 256, 8, 4096, 3000, 16, {}),
    "fat32": ("fat32", 512, 2, 1024, 5000, 32, {}),
    # Folders of about 160 files each: their directories span many clusters.
    "fat32-folders": ("fat32", 512, 2, 1024, 2000, 33, {"files_per_folder": 160}),
    "ntfs": ("ntfs", 512, 8, 4096, 4000, 300, {"sparse_count": 16}),
    "ntfs-100k": ("ntfs", 2048, 8, 4096, 100_000, 301,
                  {"small_files": True, "deleted_fraction": 0.05, "files_per_folder": 60}),
}
FORMATTED = {"fat32-formatted": "fat32", "fat32-folders-formatted": "fat32-folders", "ntfs-formatted": "ntfs"}
CARVING = {"carving": {"size_gib": 4, "file_count": 700, "seed": 78}}


def _stamp(folder: Path, name: str) -> Path:
    return folder / f"{name}.done"


def _recipe(name: str) -> str:
    # An image is rebuilt when its own recipe changes, not when another's does.
    recipe = VOLUMES.get(name) or FORMATTED.get(name) or CARVING.get(name)
    if name in FORMATTED:
        recipe = (recipe, VOLUMES[recipe])
    return f"{CORPUS_VERSION} {recipe!r}"


def _fresh(folder: Path, name: str) -> bool:
    stamp = _stamp(folder, name)
    return stamp.exists() and stamp.read_text() == _recipe(name)


def _mark(folder: Path, name: str) -> None:
    _stamp(folder, name).write_text(_recipe(name))


def _build_volume(folder: Path, name: str, helper: Path) -> str:
    kind, size_mb, spc, cluster, count, seed, options = VOLUMES[name]
    plan = make_plan(seed, count, cluster, **options)
    image = folder / f"{name}.img"
    work = folder / f"{name}.work"
    if kind == "ntfs":
        images.make_ntfs(image, size_mb)
        images.populate_ntfs(plan, image, work, helper)
    else:
        images.make_fat(kind, image, size_mb, spc)
        images.populate_fat(plan, image, work, kind)
    (folder / f"{name}.manifest").write_text("\n".join(plan.manifest_lines()) + "\n", encoding="utf-8")
    _mark(folder, name)
    return name


def _build_formatted(folder: Path, name: str) -> str:
    source = FORMATTED[name]
    special_images.quick_format(folder / f"{source}.img", folder / f"{name}.img", VOLUMES[source][0])
    (folder / f"{name}.manifest").write_text((folder / f"{source}.manifest").read_text(encoding="utf-8"),
                                             encoding="utf-8")
    _mark(folder, name)
    return name


def _build_disk(folder: Path) -> str:
    parts = special_images.lost_partition_disk(folder / "lost-partitions.img", folder / "lost-partitions.work")
    (folder / "lost-partitions.json").write_text(json.dumps(parts))
    _mark(folder, "lost-partitions")
    return "lost-partitions"


def _build_carving(folder: Path, name: str) -> str:
    options = CARVING[name]
    special_images.carving_image(folder / f"{name}.img", folder / f"{name}.manifest", **options)
    _mark(folder, name)
    return name


def build_corpus(folder: Path, helper: Path, log) -> None:
    folder.mkdir(parents=True, exist_ok=True)
    with concurrent.futures.ProcessPoolExecutor(max_workers=6) as pool:
        jobs = [pool.submit(_build_volume, folder, name, helper) for name in VOLUMES if not _fresh(folder, name)]
        if not _fresh(folder, "lost-partitions"):
            jobs.append(pool.submit(_build_disk, folder))
        jobs += [pool.submit(_build_carving, folder, name) for name in CARVING if not _fresh(folder, name)]
        for job in concurrent.futures.as_completed(jobs):
            log(f"built {job.result()}")
    for name in FORMATTED:
        if not _fresh(folder, name):
            log(f"built {_build_formatted(folder, name)}")
