"""The images that are not a plain populated volume: quick-formatted copies, a
disk whose partition table was wiped, and the large carving image."""

import hashlib
import random
import shutil
import struct
import subprocess
from pathlib import Path

import content
import images

MIB = 1 << 20
NOISE_BYTES = 2 * MIB


def quick_format(source: Path, target: Path, kind: str) -> None:
    """A copy of `source` formatted again the quick way: new empty metadata, old data left."""
    shutil.copyfile(source, target)
    subprocess.run(["fallocate", "--dig-holes", str(target)], check=False)
    if kind == "ntfs":
        subprocess.run(["mkntfs", "-F", "-Q", "-q", "-s", "512", "-c", "4096", "-p", "0", "-H", "255", "-S", "63",
                        "-L", "FORMATTED", str(target)], check=True, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL)
    else:
        # The same geometry as before, so the old directories line up with the new volume.
        images.run(["mkfs.fat", "-F", kind[3:], "-S", "512", "-s", "2" if kind == "fat32" else "8",
                    "-i", "0BADF00D", "-n", "FORMATTED", str(target)])


def lost_partition_disk(target: Path, work: Path) -> list:
    """A 1 GiB disk with a FAT32 and an NTFS partition whose table entries are zeroed.
    Returns the partitions as (file system, start sector, sector count)."""
    parts = [("FAT32", 2048, 512 * MIB // 512), ("NTFS", 2048 + 512 * MIB // 512 + 2048, 400 * MIB // 512)]
    target.unlink(missing_ok=True)
    images.run(["truncate", "-s", "1G", str(target)])
    work.mkdir(parents=True, exist_ok=True)
    for fs, start, count in parts:
        volume = work / f"{fs}.img"
        if fs == "FAT32":
            images.make_fat("fat32", volume, count * 512 // MIB, 8)
            images.run(["mcopy", "-i", str(volume), "/etc/hostname", "::/hostname.txt"])
        else:
            images.make_ntfs(volume, count * 512 // MIB)
        with open(volume, "r+b") as vol:
            boot = bytearray(vol.read(512))
            struct.pack_into("<I", boot, 28, start)  # hidden sectors: where the volume begins on the disk
            vol.seek(0)
            vol.write(boot)
        images.run(["dd", f"if={volume}", f"of={target}", "bs=1M", f"seek={start * 512}", "oflag=seek_bytes",
                    "conv=sparse,notrunc", "status=none"])
        volume.unlink()
    # A boot record with its signature but no partition entries: the table was lost.
    with open(target, "r+b") as disk:
        disk.seek(510)
        disk.write(b"\x55\xaa")
    shutil.rmtree(work, ignore_errors=True)
    return parts


def carving_image(target: Path, manifest: Path, size_gib: int, file_count: int, seed: int) -> None:
    """A FAT32 volume of `size_gib` GiB with `file_count` known files of the common
    carving types written into its free space at 4 KiB boundaries, each after a run
    of random bytes (so about a third of the image is real data, the rest holes)."""
    target.unlink(missing_ok=True)
    images.run(["truncate", "-s", f"{size_gib}G", str(target)])
    images.run(["mkfs.fat", "-F", "32", "-S", "512", "-s", "8", "-i", "CA4F1E55", "-n", "CARVING", str(target)])
    images.run(["mcopy", "-i", str(target), "/etc/hostname", "::/live.txt"])
    rng = random.Random(seed)
    first = 64 * MIB
    slot = (size_gib * 1024 * MIB - first - MIB) // file_count
    slot -= slot % 4096
    lines = []
    types = sorted(content.CARVING_TYPES)
    with open(target, "r+b") as disk:
        for i in range(file_count):
            kind = types[i % len(types)]
            size = rng.randrange(20_000, min(900_000, slot - NOISE_BYTES - 4096))
            data = content.CARVING_TYPES[kind](random.Random(rng.getrandbits(63)), size)
            disk.seek(first + i * slot)
            disk.write(rng.randbytes(NOISE_BYTES))
            room = slot - NOISE_BYTES - len(data)
            offset = first + i * slot + NOISE_BYTES + rng.randrange(0, room // 4096) * 4096
            disk.seek(offset)
            disk.write(data)
            lines.append(f"{kind}\t{offset}\t{len(data)}\t{hashlib.sha1(data).hexdigest()}")
    manifest.write_text("\n".join(lines) + "\n")
