#!/usr/bin/env python3
"""Draws every bitmap, icon and cursor of resource-table.csv into a folder of
the build tree, writes artwork.rc that embeds them, and a contact sheet.

    make_artwork.py TABLE OUTPUT_FOLDER

The pictures depend only on this code, Pillow and the DejaVu fonts, so two
runs give the same bytes."""
import csv
import os
import sys

from PIL import Image, ImageDraw

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import app_art  # noqa: E402
import toolkit_art  # noqa: E402
from look import KEY_GREEN, KEY_GREY, KEY_MAGENTA, WHITE, font, no_pure  # noqa: E402
from winformats import flatten, write_bmp, write_cur, write_ico  # noqa: E402

KEYS = {"FF00FF": KEY_MAGENTA, "00FF00": KEY_GREEN, "C0C0C0": KEY_GREY, "FFFFFF": WHITE}


def parse_size(text):
    cells = 1
    if "/" in text:
        text, cells = text.split("/")
        cells = int(cells)
    width, height = (int(v) for v in text.split("x"))
    return width, height, cells


def draw_bitmap(resource_id, width, height, cells):
    """The RGBA picture of one bitmap resource."""
    cell_w = width // cells
    strips = {
        128: lambda c, i: app_art.COMMAND_PICTOGRAMS[app_art.TOOLBAR_ORDER[i]](c, 0, 0, cell_w),
        181: app_art.access_cell,
        9002: toolkit_art.caption_buttons,
        9015: toolkit_art.header_icons,
        9017: toolkit_art.edit_icons,
        9352: toolkit_art.editor_tools,
        9353: toolkit_art.editor_tools,
        9407: toolkit_art.window_commands,
    }
    # Skins shared by dialogs of different sizes carry no watermark: its
    # corner would fall at a different place in each.
    skins = {202: None, 203: app_art.pg.magnifier, 208: None, 210: app_art.pg.folder,
             213: app_art.pg.document, 216: app_art.pg.save_disk, 221: None,
             224: app_art.pg.save_disk, 311: app_art.pg.program_mark}
    if resource_id in strips:
        return toolkit_art.strip(cells, cell_w, height, strips[resource_id])
    if resource_id in skins:
        return app_art.dialog_skin(width, height, skins[resource_id])
    if resource_id == 252:
        return app_art.page_background(width, height)
    if resource_id in app_art.MODE_BUTTONS:
        return app_art.mode_button(resource_id, width, height)
    if resource_id in app_art.PAGE_BUTTONS:
        return app_art.page_button(resource_id, width, height)
    if resource_id in app_art.PLACEHOLDERS:
        return app_art.placeholder(resource_id, width, height)
    if 269 <= resource_id <= 285:
        return app_art.header_band(resource_id, width, height)
    if resource_id == 183:
        return app_art.banner(width, height)
    if resource_id == 200:
        return app_art.tree_states(width, height)
    if resource_id == 201:
        return app_art.list_states(width, height)
    if resource_id == 160:
        return app_art.list_background(width, height)
    if resource_id in (9197, 9198):
        return toolkit_art.group_expand(resource_id == 9198)
    if resource_id in toolkit_art.GUIDE_SCHEMES or resource_id == 9903:
        return toolkit_art.guide_bitmap(resource_id, width, height)
    raise SystemExit(f"artwork: no drawing for bitmap {resource_id}")


def finish_bitmap(image, transparent):
    """Applies the table's transparency rule to an RGBA drawing."""
    if transparent == "alpha":
        return image
    if transparent in ("FF00FF", "C0C0C0"):
        return flatten(image, KEYS[transparent])
    opaque = Image.new("RGBA", image.size, (255, 255, 255, 255))
    opaque.alpha_composite(image)
    if transparent == "00FF00":
        # Guides keep their key; skins must not show pure green by accident.
        return opaque if opaque.getpixel((0, 0))[:3] == KEY_GREEN else no_pure(opaque, {KEY_GREEN})
    return opaque


def contact_sheet(entries, path):
    """All bitmaps and icons on one page, each labelled with its id; wide
    pictures are shown reduced so the sheet stays readable."""
    label_font = font(11)
    tiles = []
    for label, image in entries:
        if image.width > 360:
            scale = 360 / image.width
            image = image.resize((360, max(1, int(image.height * scale))), Image.Resampling.LANCZOS)
        tiles.append((label, image))
    gap, sheet_width = 12, 1200
    probe = ImageDraw.Draw(Image.new("L", (1, 1)))
    widths = {label: max(image.width, int(probe.textlength(label, font=label_font)) + 4) for label, image in tiles}
    rows, row, row_width = [], [], 0
    for tile in tiles:
        w = widths[tile[0]] + gap
        if row and row_width + w > sheet_width:
            rows.append(row)
            row, row_width = [], 0
        row.append(tile)
        row_width += w
    rows.append(row)
    height = sum(max(t[1].height for t in r) + 24 for r in rows) + gap
    sheet = Image.new("RGBA", (sheet_width, height), (255, 255, 255, 255))
    checker = Image.new("RGBA", (16, 16), (222, 222, 222, 255))
    ImageDraw.Draw(checker).rectangle([0, 0, 7, 7], fill=(246, 246, 246, 255))
    ImageDraw.Draw(checker).rectangle([8, 8, 15, 15], fill=(246, 246, 246, 255))
    draw = ImageDraw.Draw(sheet)
    y = gap
    for r in rows:
        x = gap
        row_height = max(t[1].height for t in r)
        for label, image in r:
            for cy in range(0, image.height, 16):
                for cx in range(0, image.width, 16):
                    sheet.paste(checker.crop((0, 0, min(16, image.width - cx), min(16, image.height - cy))),
                                (x + cx, y + cy))
            sheet.alpha_composite(image, (x, y))
            # A hairline frame, so plain white bands show where they end.
            draw.rectangle([x - 1, y - 1, x + image.width, y + image.height], outline=(150, 160, 175, 255))
            draw.text((x, y + image.height + 3), label, font=label_font, fill=(40, 40, 40, 255))
            x += widths[label] + gap
        y += row_height + 24
    sheet.convert("RGB").save(path, optimize=False)


def main(table_path, out_dir):
    os.makedirs(out_dir, exist_ok=True)
    rc_lines = ["// Generated by make_artwork.py from resource-table.csv; do not edit.",
                "LANGUAGE 9, 1"]
    sheet = []
    with open(table_path, encoding="utf-8") as table:
        rows = list(csv.DictReader(table))
    for row in rows:
        kind, rid = row["type"], int(row["id"])
        if kind == "bitmap":
            width, height, cells = parse_size(row["size"])
            image = finish_bitmap(draw_bitmap(rid, width, height, cells), row["transparent"])
            if image.size != (width, height):
                raise SystemExit(f"artwork: bitmap {rid} came out {image.size}, table says {width}x{height}")
            path = os.path.join(out_dir, f"bitmap-{rid}.bmp")
            write_bmp(path, image, alpha=row["transparent"] == "alpha")
            rc_lines.append(f'{rid} BITMAP "{path}"')
            sheet.append((f"bitmap {rid}", image))
        elif kind == "icon":
            sizes = [int(s) for s in row["size"].split(";")]
            images = [app_art.icon_image(rid, s) for s in sizes]
            path = os.path.join(out_dir, f"icon-{rid}.ico")
            write_ico(path, images)
            rc_lines.append(f'{rid} ICON "{path}"')
            for image in images:
                sheet.append((f"icon {rid} ({image.width})", image))
        elif kind == "cursor":
            image, hotspot = toolkit_art.cursor_image(rid)
            path = os.path.join(out_dir, f"cursor-{rid}.cur")
            write_cur(path, image, hotspot)
            rc_lines.append(f'{rid} CURSOR "{path}"')
            sheet.append((f"cursor {rid}", image))
    with open(os.path.join(out_dir, "artwork.rc"), "w", encoding="utf-8") as rc:
        rc.write("\n".join(rc_lines) + "\n")
    contact_sheet(sheet, os.path.join(out_dir, "contact-sheet.png"))


if __name__ == "__main__":
    if len(sys.argv) != 3:
        raise SystemExit("usage: make_artwork.py TABLE OUTPUT_FOLDER")
    main(sys.argv[1], sys.argv[2])
