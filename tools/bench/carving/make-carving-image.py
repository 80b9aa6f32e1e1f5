#!/usr/bin/env python3
"""make-carving-image.py SAMPLES IMAGE KNOWN GIB

Writes a raw image of GIB GiB of random bytes and copies known files into it at
sector boundaries: the samples made by ImageMagick, and a PDF, a ZIP, a WAV and a
gzip file made here, each at many places (one every 4 MiB slot, types in turn).
KNOWN gets one "sector extension" line per copy.
"""
import gzip, io, os, random, sys, wave, zipfile

samples, image, known_path, gib = sys.argv[1], sys.argv[2], sys.argv[3], float(sys.argv[4])
rng = random.Random(2026)

files = []
for name in sorted(os.listdir(samples)):
    with open(os.path.join(samples, name), "rb") as f:
        files.append((os.path.splitext(name)[1], f.read()))
pdf = b"%PDF-1.4\n1 0 obj << /Type /Catalog /Pages 2 0 R >> endobj\n" + b"%" * 3000 + b"\n%%EOF\n"
files.append((".pdf", pdf))
buffer = io.BytesIO()
with zipfile.ZipFile(buffer, "w", zipfile.ZIP_DEFLATED) as archive:
    archive.writestr("notes.txt", "carving benchmark " * 2000)
files.append((".zip", buffer.getvalue()))
buffer = io.BytesIO()
with wave.open(buffer, "wb") as sound:
    sound.setnchannels(1), sound.setsampwidth(2), sound.setframerate(8000)
    sound.writeframes(bytes(rng.getrandbits(8) for _ in range(32000)))
files.append((".wav", buffer.getvalue()))
files.append((".gz", gzip.compress(b"carving benchmark\n" * 5000)))

size = int(gib * 2**30)
slot = 4 << 20
block = 64 << 20
with open(image, "wb") as out, open(known_path, "w") as known:
    for start in range(0, size, block):
        data = bytearray(os.urandom(min(block, size - start)))
        for slot_start in range(start, start + len(data), slot):
            kind, content = files[(slot_start // slot) % len(files)]
            offset = slot_start + rng.randrange(0, (slot - len(content)) // 512) * 512
            if offset + len(content) > start + len(data):
                continue
            data[offset - start:offset - start + len(content)] = content
            known.write(f"{offset // 512} {kind}\n")
        out.write(data)
