"""Deterministic file contents and names for the benchmark corpus."""

import random
import struct
import zlib


def random_bytes(rng: random.Random, size: int) -> bytes:
    return rng.randbytes(size)


def file_name(rng: random.Random, index: int, extension: str = ".bin") -> str:
    # Long mixed-case names, so FAT keeps them in long-name entries.
    words = ["Report", "Invoice", "Photo", "Notes", "Budget", "Draft", "Scan", "Letter", "Archive", "Data"]
    return f"{rng.choice(words)} {index:06d} {rng.choice(words).lower()}{extension}"


def _png_chunk(kind: bytes, data: bytes) -> bytes:
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)


def png(rng: random.Random, size: int) -> bytes:
    width = 256
    height = max(1, size // (width * 3))
    rows = b"".join(b"\x00" + rng.randbytes(width * 3) for _ in range(height))
    header = struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + _png_chunk(b"IHDR", header) + _png_chunk(b"IDAT", zlib.compress(rows, 0))
            + _png_chunk(b"IEND", b""))


def _no_markers(data: bytes) -> bytes:
    # Entropy-coded JPEG data never holds a bare 0xFF.
    return data.replace(b"\xff", b"\xfe")


def jpeg(rng: random.Random, size: int) -> bytes:
    app0 = b"\xff\xe0\x00\x10JFIF\x00\x01\x01\x00\x00\x01\x00\x01\x00\x00"
    dqt = b"\xff\xdb\x00\x43\x00" + bytes(rng.randrange(1, 100) for _ in range(64))
    sof = b"\xff\xc0\x00\x11\x08\x01\x00\x01\x00\x03\x01\x22\x00\x02\x11\x01\x03\x11\x01"
    dht = b"\xff\xc4\x00\x1f\x00" + bytes([0, 1, 5, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0]) + bytes(range(12))
    sos = b"\xff\xda\x00\x0c\x03\x01\x00\x02\x11\x03\x11\x00\x3f\x00"
    head = b"\xff\xd8" + app0 + dqt + sof + dht + sos
    return head + _no_markers(rng.randbytes(max(0, size - len(head) - 2))) + b"\xff\xd9"


def gif(rng: random.Random, size: int) -> bytes:
    head = b"GIF89a" + struct.pack("<HHBBB", 64, 64, 0xF7, 0, 0) + rng.randbytes(768)
    head += b"\x2c" + struct.pack("<HHHHB", 0, 0, 64, 64, 0) + b"\x08"
    body = bytearray()
    remaining = max(0, size - len(head) - 2)
    while remaining > 0:
        block = min(255, remaining - 1) if remaining > 1 else 0
        if block == 0:
            break
        body += bytes([block]) + rng.randbytes(block)
        remaining -= block + 1
    return head + bytes(body) + b"\x00\x3b"


def bmp(rng: random.Random, size: int) -> bytes:
    width = 128
    height = max(1, (size - 54) // (width * 3))
    pixels = rng.randbytes(width * 3 * height)
    header = b"BM" + struct.pack("<IHHI", 54 + len(pixels), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    return header + info + pixels


def pdf(rng: random.Random, size: int) -> bytes:
    stream = rng.randbytes(max(0, size - 400)).hex().encode()[: max(0, size - 400)]
    body = (b"%PDF-1.4\n1 0 obj << /Type /Catalog /Pages 2 0 R >> endobj\n"
            b"2 0 obj << /Type /Pages /Kids [3 0 R] /Count 1 >> endobj\n"
            b"3 0 obj << /Type /Page /Parent 2 0 R /Contents 4 0 R >> endobj\n"
            b"4 0 obj << /Length " + str(len(stream)).encode() + b" >> stream\n" + stream + b"\nendstream endobj\n")
    return body + b"trailer << /Root 1 0 R >>\n%%EOF\n"


def zip_archive(rng: random.Random, size: int) -> bytes:
    import io
    import zipfile
    buffer = io.BytesIO()
    with zipfile.ZipFile(buffer, "w", zipfile.ZIP_STORED) as archive:
        archive.writestr(zipfile.ZipInfo("member.bin", (2020, 1, 1, 0, 0, 0)), rng.randbytes(max(1, size - 200)))
    return buffer.getvalue()


def wav(rng: random.Random, size: int) -> bytes:
    data = rng.randbytes(max(2, size - 44) & ~1)
    fmt = struct.pack("<HHIIHH", 1, 1, 8000, 16000, 2, 16)
    return b"RIFF" + struct.pack("<I", 36 + len(data)) + b"WAVEfmt " + struct.pack("<I", 16) + fmt + b"data" + \
        struct.pack("<I", len(data)) + data


# Carving types: extension -> builder. Names are the extensions every tool knows.
CARVING_TYPES = {"jpg": jpeg, "png": png, "gif": gif, "bmp": bmp, "pdf": pdf, "zip": zip_archive, "wav": wav}
