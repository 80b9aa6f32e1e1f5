"""Writers for the Windows picture formats the resource compiler embeds.

Written by hand rather than through Pillow's savers so that the layout is
exactly what the program's loaders expect: a 40-byte BITMAPINFOHEADER with
BI_RGB pixels, bottom-up rows, 24-bit for masked pictures and 32-bit with
straight alpha for alpha pictures; icons and cursors as 32-bit DIB entries
with an AND mask (never PNG-compressed entries).
"""
import struct

from PIL import Image


def _row_bytes(image, bits):
    """Bottom-up BGR(A) rows, each padded to a multiple of four bytes."""
    width, height = image.size
    flipped = image.transpose(Image.Transpose.FLIP_TOP_BOTTOM)
    if bits == 32:
        return flipped.tobytes("raw", "BGRA")
    raw = flipped.convert("RGB").tobytes("raw", "BGR")
    stride = ((width * 24 + 31) // 32) * 4
    padding = b"\0" * (stride - width * 3)
    return b"".join(raw[y * width * 3:(y + 1) * width * 3] + padding for y in range(height))


def _info_header(width, height, bits, image_size):
    return struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 0, image_size, 2835, 2835, 0, 0)


def write_bmp(path, image, alpha=False):
    """A .bmp file: 32-bit with alpha when asked, else 24-bit."""
    image = image.convert("RGBA")
    bits = 32 if alpha else 24
    pixels = _row_bytes(image, bits)
    header = _info_header(image.width, image.height, bits, len(pixels))
    file_header = struct.pack("<2sIHHI", b"BM", 14 + len(header) + len(pixels), 0, 0, 14 + len(header))
    with open(path, "wb") as out:
        out.write(file_header + header + pixels)


def _icon_entry(image):
    """One icon image: header with doubled height, XOR pixels, AND mask."""
    image = image.convert("RGBA")
    width, height = image.size
    xor = _row_bytes(image, 32)
    mask_stride = ((width + 31) // 32) * 4
    alpha = image.getchannel("A").load()
    mask_rows = []
    for y in range(height - 1, -1, -1):
        row = bytearray(mask_stride)
        for x in range(width):
            if alpha[x, y] < 128:
                row[x // 8] |= 0x80 >> (x % 8)
        mask_rows.append(bytes(row))
    mask = b"".join(mask_rows)
    header = _info_header(width, height * 2, 32, len(xor) + len(mask))
    return header + xor + mask


def _write_directory(path, kind, images, hotspot=None):
    entries = [_icon_entry(image) for image in images]
    offset = 6 + 16 * len(entries)
    directory = struct.pack("<HHH", 0, kind, len(entries))
    for image, data in zip(images, entries):
        w, h = image.size
        if kind == 1:
            planes, extra = 1, 32
        else:
            planes, extra = hotspot
        directory += struct.pack("<BBBBHHII", w % 256, h % 256, 0, 0, planes, extra, len(data), offset)
        offset += len(data)
    with open(path, "wb") as out:
        out.write(directory + b"".join(entries))


def write_ico(path, images):
    """An .ico file holding the given square RGBA images, smallest first."""
    _write_directory(path, 1, sorted(images, key=lambda i: i.width))


def write_cur(path, image, hotspot):
    """A .cur file with one RGBA image and its hot spot (x, y)."""
    _write_directory(path, 2, [image], hotspot)


def flatten(image, key, matte=(240, 240, 240)):
    """An RGBA picture on a solid key colour, for masked 24-bit bitmaps.

    Pixels at least half covered are blended over a neutral matte and become
    opaque; the rest become the key colour, so no soft edge turns into a
    colour that the mask does not catch."""
    image = image.convert("RGBA")
    blended = Image.new("RGBA", image.size, matte + (255,))
    blended.alpha_composite(image)
    keyed = Image.new("RGBA", image.size, key + (255,))
    covered = image.getchannel("A").point(lambda v: 255 if v >= 128 else 0)
    return Image.composite(blended, keyed, covered)
