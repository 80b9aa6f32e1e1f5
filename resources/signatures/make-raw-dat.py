#!/usr/bin/env python3
"""Writes the signature database "Raw.dat" from the readable table.

usage: make-raw-dat.py TABLE OUTPUT

Each table row becomes one record of six fields, each a 16-bit little-endian byte
count followed by the bytes: the category digit, the extension, the type name, the
signature length as decimal digits, the signature bytes and the fifth value.
"""
import sys

MAX_SIGNATURE_BYTES = 15  # carving compares the first 15 bytes of a sector
MAX_FIELD_BYTES = 255


def field(data: bytes) -> bytes:
    if len(data) > MAX_FIELD_BYTES:
        raise ValueError(f"field of {len(data)} bytes (at most {MAX_FIELD_BYTES})")
    return len(data).to_bytes(2, "little") + data


def hex_bytes(text: str) -> bytes:
    return bytes(int(byte, 16) for byte in text.split())


def record(row: list[str]) -> bytes:
    if len(row) not in (4, 5):
        raise ValueError(f"expected 4 or 5 columns, found {len(row)}")
    category, extension, type_name, signature = row[:4]
    fifth = hex_bytes(row[4]) if len(row) == 5 else b"\x00\x00"
    if len(category) != 1 or not category.isdigit():
        raise ValueError(f"category {category!r} is not one digit")
    if not extension.startswith("."):
        raise ValueError(f"extension {extension!r} lacks its leading dot")
    sig = hex_bytes(signature)
    if not 1 <= len(sig) <= MAX_SIGNATURE_BYTES:
        raise ValueError(f"signature of {len(sig)} bytes (1 to {MAX_SIGNATURE_BYTES})")
    return b"".join([
        field(category.encode("ascii")),
        field(extension.encode("cp1252")),
        field(type_name.encode("cp1252")),
        field(str(len(sig)).encode("ascii")),
        field(sig),
        field(fifth),
    ])


def main() -> int:
    if len(sys.argv) != 3:
        print(__doc__, file=sys.stderr)
        return 2
    table, output = sys.argv[1], sys.argv[2]
    records = []
    with open(table, encoding="utf-8") as lines:
        for number, line in enumerate(lines, 1):
            line = line.rstrip("\r\n")
            if not line.strip() or line.lstrip().startswith("#"):
                continue
            row = [column for column in line.split("\t") if column != ""]
            try:
                records.append(record(row))
            except ValueError as error:
                print(f"{table}:{number}: {error}", file=sys.stderr)
                return 1
    with open(output, "wb") as out:
        out.write(b"".join(records))
    return 0


if __name__ == "__main__":
    sys.exit(main())
