"""One scorer for every tool: recall by exact content and full path against the
manifest of an image, listing recall by path, and carving recall (known files
whose bytes begin some output file)."""

import dataclasses
import hashlib
import os
from pathlib import Path


@dataclasses.dataclass
class ManifestEntry:
    is_folder: bool
    deleted: bool
    size: int
    path: str
    fragmented: bool
    sparse: bool
    sha1: str


def load_manifest(path: Path):
    entries = []
    for line in path.read_text(encoding="utf-8").splitlines():
        kind, state, size, entry_path, frag, sha1 = line.split("\t")
        entries.append(ManifestEntry(kind == "D", state == "deleted", int(size), entry_path, frag == "frag",
                                     frag == "sparse", sha1))
    return entries


def _sha1(path: Path) -> str:
    digest = hashlib.sha1()
    with open(path, "rb") as f:
        for block in iter(lambda: f.read(1 << 20), b""):
            digest.update(block)
    return digest.hexdigest()


def hash_tree(folder: Path):
    """path from the folder ('/'-separated, leading '/') -> sha1 of every file below."""
    hashes = {}
    for root, _, names in os.walk(folder):
        for name in names:
            full = Path(root) / name
            if full.is_file() and not full.is_symlink():
                hashes["/" + str(full.relative_to(folder))] = _sha1(full)
    return hashes


def _fraction(hits: int, total: int):
    return None if total == 0 else hits / total


def file_groups(manifest):
    files = [e for e in manifest if not e.is_folder]
    return {
        "live": [e for e in files if not e.deleted],
        "deleted": [e for e in files if e.deleted and not e.fragmented],
        "deleted-fragmented": [e for e in files if e.deleted and e.fragmented],
        # Also counted above; shown apart because holes are where copy-out goes wrong.
        "sparse": [e for e in files if e.sparse],
    }


def score_recovery(manifest, output: Path, with_paths: bool = True) -> dict:
    """Recall of every group by content at its full path, and by content anywhere."""
    hashes = hash_tree(output)
    contents = set(hashes.values())
    scores = {}
    for group, entries in file_groups(manifest).items():
        if not entries:
            continue
        if with_paths:
            hits = sum(1 for e in entries if hashes.get(e.path) == e.sha1)
            scores[f"{group} path+content"] = _fraction(hits, len(entries))
        scores[f"{group} content"] = _fraction(sum(1 for e in entries if e.sha1 in contents), len(entries))
    scores["output files"] = len(hashes)
    return scores


def score_listing(manifest, listed: dict) -> dict:
    """listed: path -> deleted flag. Recall of every group by full path and state."""
    scores = {}
    for group, entries in file_groups(manifest).items():
        if not entries:
            continue
        hits = sum(1 for e in entries if listed.get(e.path) == e.deleted)
        scores[f"{group} listed"] = _fraction(hits, len(entries))
    return scores


def ours_listing(text: str) -> dict:
    listed = {}
    for line in text.splitlines():
        fields = line.split("\t")
        if len(fields) == 4 and fields[0] == "F":
            listed.setdefault(fields[3], fields[1] == "deleted")
    return listed


def fls_listing(text: str) -> dict:
    """`fls -r -p` lines: 'r/r * 94-128-2:\tDocuments/x.txt'."""
    listed = {}
    for line in text.splitlines():
        head, sep, path = line.partition(":\t")
        if not sep or not head.startswith(("r/", "-/")):
            continue
        listed.setdefault("/" + path, "*" in head.split())
    return listed


KEY_BYTES = 4096


def score_carving(manifest_path: Path, image: Path, output: Path) -> dict:
    """Fraction of known files whose bytes begin some output file, overall and by type."""
    known = []
    for line in manifest_path.read_text().splitlines():
        kind, offset, length, _ = line.split("\t")
        known.append((kind, int(offset), int(length)))
    candidates = {}
    output_bytes = 0
    for root, _, names in os.walk(output):
        for name in names:
            path = Path(root) / name
            output_bytes += path.stat().st_size
            with open(path, "rb") as f:
                head = f.read(KEY_BYTES)
            if len(head) == KEY_BYTES:
                candidates.setdefault(hashlib.sha1(head).digest(), []).append(path)
    found = {}
    with open(image, "rb") as disk:
        for kind, offset, length in known:
            disk.seek(offset)
            data = disk.read(length)
            hit = False
            for path in candidates.get(hashlib.sha1(data[:KEY_BYTES]).digest(), []):
                with open(path, "rb") as f:
                    if f.read(length) == data:
                        hit = True
                        break
            total, hits = found.get(kind, (0, 0))
            found[kind] = (total + 1, hits + hit)
    scores = {"known files found": _fraction(sum(h for _, h in found.values()), len(known))}
    for kind, (total, hits) in sorted(found.items()):
        scores[f"{kind} found"] = _fraction(hits, total)
    scores["output files"] = sum(len(v) for v in candidates.values())
    scores["output MiB"] = round(output_bytes / (1 << 20))
    return scores
