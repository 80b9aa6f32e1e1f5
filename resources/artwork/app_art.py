"""The application's pictures: page and dialog skins, header bands, mode and
page buttons, the banner, preview placeholders, check-state images and the
command pictograms of the toolbar and its icons."""
from PIL import Image, ImageDraw

import pictograms as pg
from look import (AMBER, BLUE, GREEN, ICE, INK, MIST, NAVY, ORANGE, PAPER, RED, SILVER, SKY, STEEL, WHITE,
                  Canvas, draw_text, horizontal_gradient, mix, rounded_panel, vertical_gradient)

# ---- skins -------------------------------------------------------------------------------

PAGE_TOP = (184, 212, 238)
PAGE_BOTTOM = (236, 244, 252)


def page_background(width, height):
    image = vertical_gradient(width, height, PAGE_TOP, PAGE_BOTTOM)
    glow = Canvas(width, height)
    # Two wide, faint arcs give the page depth without competing with text.
    glow.draw.ellipse(glow.p(-width // 3, height // 2, width + width // 3, height * 2), fill=(255, 255, 255, 70))
    glow.draw.ellipse(glow.p(width // 2, -height, width * 2, height // 3), fill=(31, 111, 178, 18))
    image.alpha_composite(glow.result())
    return image


def dialog_skin(width, height, mark):
    """A dialog background: a soft blue wash with a light band at the top and,
    when a mark is given, a faint watermark pictogram in the bottom-right
    corner (the skins are the size of their dialog's client area)."""
    image = vertical_gradient(width, height, (226, 238, 249), (250, 252, 255))
    band = horizontal_gradient(width, 6, BLUE, SKY)
    image.paste(band, (0, 0))
    if mark is None:
        return image
    size = min(width, height) // 3
    c = Canvas(size, size)
    mark(c, 0, 0, size)
    watermark = c.result()
    alpha = watermark.getchannel("A").point(lambda v: v * 22 // 255)
    watermark.putalpha(alpha)
    image.alpha_composite(watermark, (width - size - 12, height - size - 12))
    return image


# ---- header bands ----------------------------------------------------------------------------

HEADER_TITLES = {
    269: ("Choose a Recovery Mode", pg.program_mark),
    277: ("Choose the Drive to Recover From", pg.hard_disk),
    282: ("Searching the Disk for Partitions...", pg.magnifier),
    278: ("Scan the Logical Drive", pg.hard_disk),
    283: ("Scan the Drive", pg.magnifier),
    285: ("Choose File System and Sector Range", pg.hard_disk),
}


def header_band(resource_id, width, height):
    """Left header bands carry the step's title over a gradient that fades to
    white, so they meet the plain white middle and right bands seamlessly."""
    image = Image.new("RGBA", (width, height), WHITE + (255,))
    if resource_id not in HEADER_TITLES:
        return image
    title, mark = HEADER_TITLES[resource_id]
    fade = horizontal_gradient(width, height, ICE, WHITE)
    image.paste(fade, (0, 0))
    image.paste(horizontal_gradient(6, height, BLUE, BLUE), (0, 0))
    c = Canvas(32, 32)
    mark(c, 0, 0, 32)
    image.alpha_composite(c.result(), (18, (height - 32) // 2))
    draw_text(image, (62, 4, width - 20, height - 4), title, NAVY, 20, align="left")
    return image


# ---- buttons ------------------------------------------------------------------------------------

MODE_BUTTONS = {
    254: ("Quick Scan", pg.magnifier, False),
    253: ("Quick Scan", pg.magnifier, True),
    259: ("Extensive\nScan", pg.hard_disk, False),
    258: ("Extensive\nScan", pg.hard_disk, True),
    260: ("File Trace", pg.document, False),
    261: ("File Trace", pg.document, True),
}


def mode_button(resource_id, width, height):
    label, mark, hover = MODE_BUTTONS[resource_id]
    top, bottom = ((255, 226, 170), (246, 170, 70)) if hover else ((92, 160, 222), (24, 84, 150))
    edge = (190, 100, 20) if hover else NAVY
    image = rounded_panel(width, height, 12, top, bottom, outline=edge, outline_width=2,
                          background=mix(PAGE_TOP, PAGE_BOTTOM, 0.5))
    c = Canvas(48, 48)
    if mark is pg.document:
        pg.document(c, 0, 0, 48)
        pg.magnifier(c, 14, 14, 34)
    elif mark is pg.hard_disk:
        pg.hard_disk(c, 0, 0, 48)
        pg.magnifier(c, 18, 0, 30)
    else:
        mark(c, 0, 0, 48, rim=NAVY if hover else PAPER)
    image.alpha_composite(c.result(), (10, (height - 48) // 2))
    colour = NAVY if hover else PAPER
    shadow = None if hover else (10, 40, 80)
    draw_text(image, (64, 6, width - 8, height - 6), label, colour, 18, shadow=shadow)
    return image


PAGE_BUTTONS = {
    321: ("Next", "next", False), 318: ("Next", "next", True),
    319: ("Back", "back", False), 320: ("Back", "back", True),
    324: ("Stop", "stop", False), 323: ("Stop", "stop", True),
    330: ("Recover", "recover", False), 329: ("Recover", "recover", True),
    268: ("", "home", False), 317: ("", "home", True),
}


def page_button(resource_id, width, height):
    label, glyph, hover = PAGE_BUTTONS[resource_id]
    top, bottom = ((255, 232, 186), (248, 182, 92)) if hover else ((250, 252, 255), (200, 222, 242))
    edge = (190, 100, 20) if hover else BLUE
    image = rounded_panel(width, height, 7, top, bottom, outline=edge, background=PAGE_BOTTOM)
    c = Canvas(width, height)
    u = pg.Unit(c, 0, 0, height)
    ink = NAVY
    if glyph == "home":
        pg.house(c, (width - 22) / 2, (height - 22) / 2, 22, ink)
    else:
        glyph_x = {"back": 0.35, "next": width / height - 0.55, "stop": 0.35, "recover": 0.30}[glyph]
        if glyph == "next":
            pg.arrow_head(u, (glyph_x + 0.22, 0.5), 0, 0.30, GREEN)
        elif glyph == "back":
            pg.arrow_head(u, (glyph_x - 0.10, 0.5), 180, 0.30, BLUE)
        elif glyph == "stop":
            u.rrect(glyph_x - 0.16, 0.34, glyph_x + 0.16, 0.66, 0.03, fill=RED)
        else:
            pg.recover(c, 4, (height - 24) / 2, 24)
    image.alpha_composite(c.result())
    text_box = {"next": (8, 4, width - 30, height - 4), "back": (30, 4, width - 8, height - 4),
                "stop": (30, 4, width - 8, height - 4), "recover": (32, 4, width - 8, height - 4)}.get(glyph)
    if text_box:
        draw_text(image, text_box, label, ink, 15)
    return image


# ---- banner and placeholders ----------------------------------------------------------------------

def banner(width, height):
    """The product mark on white (white is transparent). The right 100 pixels
    fall beyond the bar's edge, so the mark keeps to the left 280."""
    image = Image.new("RGBA", (width, height), WHITE + (255,))
    c = Canvas(44, 44)
    pg.program_mark(c, 0, 0, 44)
    mark = c.result()
    image.alpha_composite(mark, (6, (height - 44) // 2))
    draw_text(image, (56, 4, 272, 30), "Pelmo", NAVY, 24, align="left")
    draw_text(image, (56, 30, 272, 48), "Windows Data Recovery", BLUE, 13, align="left")
    # Antialiased edges blend towards white; none may equal it exactly except
    # the background, or the bar would show through inside the letters.
    return image


PLACEHOLDERS = {
    196: ("File Corrupted", "", RED),
    197: ("Preview Not Supported", "Save the file to view its contents", BLUE),
    211: ("Preview Files", "Click on the file you want to preview", BLUE),
    297: ("File too large to preview", "", ORANGE),
}


def placeholder(resource_id, width, height):
    title, line, accent = PLACEHOLDERS[resource_id]
    # Drawn centred on the view's white window colour: a soft panel inside a
    # white margin, so the picture has no visible edge of its own.
    image = Image.new("RGBA", (width, height), WHITE + (255,))
    panel = rounded_panel(width - 16, height - 16, 14, (246, 250, 254), (228, 239, 250), background=WHITE)
    image.alpha_composite(panel, (8, 8))
    c = Canvas(64, 64)
    pg.document(c, 0, 0, 64)
    u = pg.Unit(c, 0, 0, 64)
    if resource_id == 196:
        u.line([(0.30, 0.40), (0.70, 0.80)], RED, 1.6)
        u.line([(0.70, 0.40), (0.30, 0.80)], RED, 1.6)
    elif resource_id == 211:
        pg.magnifier(c, 24, 24, 40)
    elif resource_id == 297:
        u.ellipse(0.44, 0.44, 1.0, 1.0, fill=ORANGE)
        u.line([(0.72, 0.54), (0.72, 0.80)], PAPER, 1.6)
        u.ellipse(0.69, 0.85, 0.75, 0.91, fill=PAPER)
    else:
        u.ellipse(0.44, 0.44, 1.0, 1.0, fill=BLUE)
        u.line([(0.58, 0.86), (0.86, 0.58)], PAPER, 1.6)
    image.alpha_composite(c.result(), ((width - 64) // 2, 26))
    draw_text(image, (10, 100, width - 10, 132), title, mix(accent, INK, 0.3), 20)
    if line:
        draw_text(image, (10, 136, width - 10, 160), line, STEEL, 13, bold=False)
    return image


# ---- check states, list background, database tree --------------------------------------------------

def check_box(c, i, grey, size=16):
    u = pg.Unit(c, 0, 0, size)
    face = (226, 228, 232) if grey else (252, 252, 252)
    u.rrect(0.12, 0.12, 0.88, 0.88, 0.06, fill=face, outline=STEEL)
    if i:
        u.line([(0.26, 0.50), (0.44, 0.70), (0.76, 0.28)], GREEN, 2.0)


def tree_states(width, height):
    image = Image.new("RGBA", (width, height), WHITE + (255,))
    for i in range(1, 4):
        c = Canvas(16, 16)
        check_box(c, i >= 2, i == 3)
        image.alpha_composite(c.result(), (i * 16, 0))
    return image


def list_states(width, height):
    image = Image.new("RGBA", (width, height), WHITE + (255,))
    for i in range(2):
        c = Canvas(16, 16)
        check_box(c, i == 1, False)
        image.alpha_composite(c.result(), (i * 16, 0))
    return image


def list_background(width, height):
    image = Image.new("RGBA", (width, height), (250, 252, 255, 255))
    draw = ImageDraw.Draw(image)
    for k in range(-height, width, 16):
        draw.line([(k, height), (k + height, 0)], fill=(238, 244, 251))
    return image


ACCESS_IMAGES = {0: pg.database, 2: pg.table_grid, 3: pg.folder, 8: pg.relation, 9: pg.folder,
                 10: pg.query, 11: pg.folder}


def access_cell(c, i):
    draw = ACCESS_IMAGES.get(i, pg.table_grid)
    draw(c, 0, 0, 16)


# ---- commands ---------------------------------------------------------------------------------------

COMMAND_PICTOGRAMS = {
    342: pg.exit_door, 242: pg.recover, 189: pg.snapshot_save, 190: pg.snapshot_load,
    236: pg.magnifier, 188: pg.gear, 185: pg.help_badge,
}
TOOLBAR_ORDER = [342, 242, 189, 190, 236, 188, 185]

ICON_PICTOGRAMS = dict(COMMAND_PICTOGRAMS)
ICON_PICTOGRAMS.update({
    128: pg.program_mark, 148: pg.unknown_drive, 151: pg.network_drive, 152: pg.cd_rom,
    153: pg.usb_stick, 154: pg.floppy, 155: pg.hard_disk, 179: pg.computer, 161: pg.tag, 164: pg.document,
    298: lambda c, x, y, size: check_box(c, False, False, size),
    299: lambda c, x, y, size: check_box(c, True, False, size),
})


def icon_image(resource_id, size):
    c = Canvas(size, size)
    ICON_PICTOGRAMS[resource_id](c, 0, 0, size)
    return c.result()
