#!/usr/bin/env python3
"""Writes a dBase III table following the file format: a 32-byte table header,
32-byte field descriptors, the 0x0D end mark, records of a flag byte and the
fields at their fixed lengths, and the 0x1A end mark."""
import datetime
import struct
import sys

FIELDS = [("NAME", "C", 10), ("AMOUNT", "N", 8), ("BORN", "D", 8), ("OK", "L", 1),
          ("COUNT", "I", 4), ("NOTES", "M", 10)]
RECORDS = [
    (b" ", [b"Alice", b"12.5", b"19800102", b"y", struct.pack("<i", -7), b"0000000001"]),
    (b"*", [b"Bob", b"-3", b"        ", b"F", struct.pack("<i", 42), b"          "]),
    (b" ", [b"      ", b"", b"20240229", b"T", struct.pack("<i", 0), b""]),
]


def field_bytes(kind, length, value):
    if kind in "CDLMN":
        return value.ljust(length, b" ")[:length] if kind == "C" or kind == "D" else value.rjust(length, b" ")[:length]
    return value[:length].ljust(length, b"\0")


def main(path):
    record_length = 1 + sum(length for _, _, length in FIELDS)
    header_length = 32 + 32 * len(FIELDS) + 1
    today = datetime.date(2024, 3, 1)
    out = bytearray(struct.pack("<BBBBIHH20x", 3, today.year - 1900, today.month, today.day,
                                len(RECORDS), header_length, record_length))
    for name, kind, length in FIELDS:
        out += struct.pack("<11sc4xBB14x", name.encode(), kind.encode(), length, 0)
    out += b"\x0d"
    for flag, values in RECORDS:
        out += flag
        for (_, kind, length), value in zip(FIELDS, values):
            out += field_bytes(kind, length, value)
    out += b"\x1a"
    with open(path, "wb") as f:
        f.write(out)


if __name__ == "__main__":
    main(sys.argv[1])
