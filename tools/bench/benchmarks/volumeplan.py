"""The plan of one file-system image: folders, files, and what is deleted or
fragmented, in the order the tools apply it. Every choice comes from a seeded
generator, so the same seed always gives the same image."""

import dataclasses
import hashlib
import random

from content import file_name


@dataclasses.dataclass
class PlannedFile:
    path: str
    size: int
    seed: int
    deleted: bool = False
    fragmented: bool = False
    phase: str = "bulk"  # bulk: copied first; gap: fills the clusters the fragments split; fragment; sparse
    sparse_size: int = 0  # NTFS: the written head is extended to this size by a sparse hole

    def head(self) -> bytes:
        """The bytes written when the file is made."""
        return random.Random(self.seed).randbytes(self.size)

    def data(self) -> bytes:
        """The file's whole content, holes read as zeros."""
        head = self.head()
        return head + bytes(max(0, self.sparse_size - len(head)))

    def digest(self) -> str:
        return hashlib.sha1(self.data()).hexdigest()


@dataclasses.dataclass
class VolumePlan:
    folders: list            # every folder path, parents first
    files: list              # PlannedFile
    deleted_folders: list    # folder paths removed with everything below
    cluster: int

    def manifest_lines(self):
        deleted_prefixes = tuple(f + "/" for f in self.deleted_folders)
        for folder in self.folders:
            state = "deleted" if (folder + "/").startswith(deleted_prefixes) else "live"
            yield f"D\t{state}\t0\t{folder}\t-\t-"
        for f in self.files:
            if f.phase == "gap" and f.deleted:
                continue  # a gap file's clusters are overwritten by the fragments; nobody can recover it
            state = "deleted" if f.deleted else "live"
            size = max(f.size, f.sparse_size)
            yield f"F\t{state}\t{size}\t{f.path}\t{'frag' if f.fragmented else 'sparse' if f.sparse_size else 'whole'}\t{f.digest()}"


def _size(rng: random.Random, small: bool) -> int:
    roll = rng.random()
    if small:
        return rng.randrange(100, 700) if roll < 0.5 else rng.randrange(700, 6000)
    if roll < 0.35:
        return rng.randrange(0, 1000)      # resident on NTFS below about 700 bytes
    if roll < 0.85:
        return rng.randrange(1000, 32768)
    return rng.randrange(32768, 262144)


def make_plan(seed: int, file_count: int, cluster: int, small_files: bool = False, files_per_folder: int = 0,
              deleted_fraction: float = 0.1, fragment_count: int = 24, sparse_count: int = 0) -> VolumePlan:
    rng = random.Random(seed)
    folders = []
    top = max(4, file_count // (files_per_folder * 4) if files_per_folder else int(file_count ** 0.5) // 6)
    for a in range(top):
        folders.append(f"/Folder {a:03d}")
        for b in range(rng.randrange(1, 5)):
            folders.append(f"/Folder {a:03d}/Sub {b:02d}")
            if rng.random() < 0.5:
                folders.append(f"/Folder {a:03d}/Sub {b:02d}/Deep {rng.randrange(100):02d}")
    folders = sorted(set(folders), key=lambda p: (p.count("/"), p))
    files = []
    for i in range(file_count):
        parent = "" if rng.random() < 0.02 else rng.choice(folders)
        files.append(PlannedFile(f"{parent}/{file_name(rng, i)}", _size(rng, small_files), rng.getrandbits(63)))
    # Fragmented files: gap files first, every other one deleted, then the
    # fragments fill the gaps first-fit and continue after them.
    folders.append("/Fragments")
    for i in range(fragment_count * 2):
        files.append(PlannedFile(f"/Fragments/gap {i:03d}.bin", 3 * cluster, rng.getrandbits(63),
                                 deleted=(i % 2 == 1), phase="gap"))
    for i in range(fragment_count):
        files.append(PlannedFile(f"/Fragments/fragmented {i:03d}.bin", 7 * cluster + 100, rng.getrandbits(63),
                                 fragmented=True, deleted=(i % 3 == 0), phase="fragment"))
    # Sparse files (NTFS): a written head, then a hole to a size of a few MiB.
    if sparse_count:
        folders.append("/Sparse")
    for i in range(sparse_count):
        files.append(PlannedFile(f"/Sparse/sparse {i:03d}.bin", rng.randrange(5000, 50000), rng.getrandbits(63),
                                 deleted=(i % 4 == 3), phase="sparse",
                                 sparse_size=rng.randrange(4, 64) * 1024 * 1024 + rng.randrange(4096)))
    # Deletions: single files, and a few whole folders.
    bulk = [f for f in files if f.phase == "bulk"]
    for f in rng.sample(bulk, int(len(bulk) * deleted_fraction)):
        f.deleted = True
    leaf_folders = [f for f in folders if f.count("/") >= 2 and not any(g.startswith(f + "/") for g in folders)]
    deleted_folders = sorted(rng.sample(leaf_folders, min(3, len(leaf_folders))))
    for f in files:
        if any(f.path.startswith(d + "/") for d in deleted_folders):
            f.deleted = True
    return VolumePlan(folders, files, deleted_folders, cluster)
