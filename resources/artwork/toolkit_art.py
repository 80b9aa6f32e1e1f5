"""Small toolkit pictures: menu and caption glyphs, editor tools, docking
guides, task-panel expand buttons, and every cursor."""
import math

from PIL import Image, ImageDraw

from look import (AMBER, BLUE, GREEN, ICE, INK, KEY_GREEN, MIST, NAVY, ORANGE, PAPER, RED, SILVER, SKY,
                  STEEL, Canvas, mix, rounded_panel)
from pictograms import Unit, arrow_head, document, folder, gear


def strip(cells, width, height, draw_cell):
    """A horizontal strip of equal cells, each drawn by draw_cell(canvas, index)."""
    image = Image.new("RGBA", (width * cells, height), (0, 0, 0, 0))
    for i in range(cells):
        c = Canvas(width, height)
        draw_cell(c, i)
        image.alpha_composite(c.result(), (i * width, 0))
    return image


# ---- 16-pixel glyphs -------------------------------------------------------------------

def _lines(u, rows, colour):
    for (u0, u1), v in rows:
        u.line([(u0, v), (u1, v)], colour, 1.2)


def caption_buttons(c, i):
    u = Unit(c, 0, 0, 16)
    if i == 0:  # push-pin out: lying on its side
        u.rrect(0.30, 0.30, 0.62, 0.62, 0.02, fill=SILVER, outline=INK)
        u.line([(0.62, 0.22), (0.62, 0.70)], INK, 1.0)
        u.line([(0.06, 0.46), (0.30, 0.46)], INK, 1.0)
        u.rrect(0.62, 0.38, 0.86, 0.54, 0.0, fill=SILVER, outline=INK)
    elif i == 1:  # push-pin in: seen from above
        u.rrect(0.30, 0.24, 0.62, 0.56, 0.02, fill=SILVER, outline=INK)
        u.line([(0.22, 0.56), (0.70, 0.56)], INK, 1.0)
        u.line([(0.46, 0.56), (0.46, 0.88)], INK, 1.0)
    else:  # close
        u.line([(0.28, 0.24), (0.72, 0.70)], INK, 1.4)
        u.line([(0.72, 0.24), (0.28, 0.70)], INK, 1.4)


def header_icons(c, i):
    u = Unit(c, 0, 0, 15)
    if i in (0, 1):
        up = i == 0
        u.line([(0.30, 0.16), (0.30, 0.82)], NAVY, 1.2)
        arrow_head(u, (0.30, 0.08) if up else (0.30, 0.92), 270 if up else 90, 0.24, NAVY)
        for k, width in enumerate((0.22, 0.30, 0.38) if up else (0.38, 0.30, 0.22)):
            u.line([(0.52, 0.24 + k * 0.26), (0.52 + width, 0.24 + k * 0.26)], BLUE, 1.2)
    else:
        align = i - 2  # left, centre, right
        for k, width in enumerate((0.76, 0.50, 0.76, 0.50)):
            v = 0.18 + k * 0.21
            u0 = {0: 0.10, 1: 0.5 - width / 2, 2: 0.86 - width}[align]
            u.line([(u0, v), (u0 + width, v)], NAVY, 1.2)


def edit_icons(c, i):
    u = Unit(c, 0, 0, 15)
    if i == 0:  # undo
        u.arc(0.20, 0.24, 0.86, 0.86, 180, 90, BLUE, 1.6)
        arrow_head(u, (0.12, 0.50), 270, 0.26, BLUE)
    elif i == 1:  # cut
        u.line([(0.30, 0.08), (0.62, 0.62)], STEEL, 1.2)
        u.line([(0.70, 0.08), (0.38, 0.62)], STEEL, 1.2)
        u.ellipse(0.10, 0.58, 0.42, 0.90, outline=NAVY, width=1.2)
        u.ellipse(0.58, 0.58, 0.90, 0.90, outline=NAVY, width=1.2)
    elif i == 2:  # copy
        u.rrect(0.10, 0.08, 0.60, 0.66, 0.02, fill=PAPER, outline=NAVY)
        u.rrect(0.40, 0.34, 0.90, 0.92, 0.02, fill=PAPER, outline=NAVY)
    elif i == 3:  # paste
        u.rrect(0.14, 0.14, 0.78, 0.92, 0.04, fill=AMBER, outline=mix(AMBER, INK, 0.5))
        u.rrect(0.34, 0.06, 0.58, 0.22, 0.02, fill=STEEL)
        u.rrect(0.46, 0.40, 0.90, 0.94, 0.02, fill=PAPER, outline=NAVY)
    else:  # clear
        u.line([(0.20, 0.20), (0.80, 0.80)], RED, 2.0)
        u.line([(0.80, 0.20), (0.20, 0.80)], RED, 2.0)


def window_commands(c, i):
    u = Unit(c, 0, 0, 16)
    if i == 0:  # restore
        u.rrect(0.36, 0.18, 0.84, 0.58, 0.0, outline=INK)
        u.line([(0.36, 0.24), (0.84, 0.24)], INK, 1.0)
        u.rrect(0.16, 0.42, 0.64, 0.82, 0.0, fill=PAPER, outline=INK)
        u.line([(0.16, 0.48), (0.64, 0.48)], INK, 1.0)
    elif i == 1:  # minimize
        u.line([(0.24, 0.76), (0.70, 0.76)], INK, 2.0)
    elif i == 2:  # maximize
        u.rrect(0.18, 0.18, 0.82, 0.80, 0.0, outline=INK)
        u.line([(0.18, 0.26), (0.82, 0.26)], INK, 1.6)
    else:  # close
        u.line([(0.24, 0.24), (0.74, 0.74)], INK, 1.6)
        u.line([(0.74, 0.24), (0.24, 0.74)], INK, 1.6)


def editor_tools(c, i):
    """Pencil, Fill, Undo, Redo, Pick, Line, Copy, Paste, Rectangle, Ellipse,
    Clear, Import, then the move arrows left, down, up, right."""
    u = Unit(c, 0, 0, 16)
    if i == 0:
        _pencil(u)
    elif i == 1:
        _bucket(u)
    elif i in (2, 3):
        if i == 2:
            u.arc(0.20, 0.24, 0.86, 0.86, 180, 90, BLUE, 1.6)
            arrow_head(u, (0.12, 0.50), 270, 0.26, BLUE)
        else:
            u.arc(0.14, 0.24, 0.80, 0.86, 90, 360, BLUE, 1.6)
            arrow_head(u, (0.88, 0.50), 270, 0.26, BLUE)
    elif i == 4:
        _dropper(u)
    elif i == 5:
        u.line([(0.14, 0.86), (0.86, 0.14)], NAVY, 1.4)
    elif i == 6:
        edit_icons(c, 2)
    elif i == 7:
        edit_icons(c, 3)
    elif i == 8:
        u.rrect(0.14, 0.24, 0.86, 0.76, 0.0, outline=NAVY, width=1.4)
    elif i == 9:
        u.ellipse(0.10, 0.22, 0.90, 0.78, outline=NAVY, width=1.4)
    elif i == 10:
        edit_icons(c, 4)
    elif i == 11:
        folder(c, 0, 0, 16)
    else:
        direction = {12: 180, 13: 90, 14: 270, 15: 0}[i]
        a = math.radians(direction)
        tail = (0.5 - 0.30 * math.cos(a), 0.5 - 0.30 * math.sin(a))
        tip = (0.5 + 0.38 * math.cos(a), 0.5 + 0.38 * math.sin(a))
        u.line([tail, (0.5 + 0.1 * math.cos(a), 0.5 + 0.1 * math.sin(a))], NAVY, 1.8)
        arrow_head(u, tip, direction, 0.36, NAVY)


def _pencil(u, tip=(0.10, 0.90)):
    u.poly([(0.70, 0.06), (0.94, 0.30), (0.34, 0.90), (0.10, 0.66)], fill=AMBER, outline=mix(AMBER, INK, 0.5))
    u.poly([(0.10, 0.66), (0.34, 0.90), (0.04, 0.96)], fill=mix(AMBER, PAPER, 0.5))
    u.poly([(0.70, 0.06), (0.94, 0.30), (0.84, 0.40), (0.60, 0.16)], fill=RED)


def _bucket(u):
    u.poly([(0.20, 0.40), (0.56, 0.08), (0.90, 0.42), (0.54, 0.78)], fill=SILVER, outline=INK)
    u.line([(0.30, 0.42), (0.80, 0.42)], INK, 0.8)
    u.poly([(0.10, 0.52), (0.24, 0.50), (0.22, 0.86), (0.10, 0.80)], fill=BLUE)


def _dropper(u):
    u.line([(0.18, 0.82), (0.60, 0.40)], STEEL, 2.0)
    u.ellipse(0.54, 0.10, 0.90, 0.46, fill=NAVY)
    u.ellipse(0.08, 0.80, 0.20, 0.92, fill=BLUE)


def group_expand(special):
    """19 x 19: a grey disc with two white chevrons on a white field. The
    task panel recolours it; the top-left pixel names its background."""
    c = Canvas(19, 19, (255, 255, 255, 255))
    u = Unit(c, 0, 0, 19)
    u.ellipse(0.04, 0.04, 0.96, 0.96, fill=(96, 104, 116) if special else (150, 158, 170))
    for v in (0.30, 0.52):
        u.line([(0.30, v), (0.50, v + 0.16), (0.70, v)], (250, 250, 250), 1.6)
    image = c.result()
    image.putpixel((0, 0), (255, 255, 255, 255))
    return image


# ---- docking guides ----------------------------------------------------------------------

GUIDE_SCHEMES = {
    9904: (BLUE, ICE),
    9905: ((118, 140, 60), (222, 232, 196)),
    9906: ((110, 116, 140), (226, 228, 236)),
    9910: (BLUE, ICE),
}


def _guide_tile(image, rect, direction, highlighted, scheme, kind="arrow"):
    """One guide piece inside its source rectangle of a guide bitmap."""
    x0, y0, x1, y1 = rect
    w, h = x1 - x0, y1 - y0
    dark, light = scheme
    face_top, face_bottom = (mix(light, (255, 255, 255), 0.5), light) if not highlighted else \
        (mix(ORANGE, (255, 255, 255), 0.55), mix(ORANGE, (255, 255, 255), 0.2))
    tile = rounded_panel(w, h, 4, face_top, face_bottom, outline=dark, background=None)
    c = Canvas(w, h)
    c.image.paste(tile.resize((w * c.s, h * c.s)), (0, 0))
    u = Unit(c, 0, 0, min(w, h))
    ox, oy = (w - min(w, h)) / 2 / min(w, h), (h - min(w, h)) / 2 / min(w, h)
    if kind == "tab":
        u.rrect(0.22 + ox, 0.24 + oy, 0.78 + ox, 0.76 + oy, 0.02, fill=PAPER, outline=dark)
        u.rrect(0.22 + ox, 0.24 + oy, 0.50 + ox, 0.36 + oy, 0.0, fill=dark)
    elif kind == "centre":
        u.rrect(0.18 + ox, 0.18 + oy, 0.82 + ox, 0.82 + oy, 0.04, fill=PAPER, outline=dark)
    else:
        a = math.radians(direction)
        cx, cy = 0.5 + ox, 0.5 + oy
        u.rrect(cx - 0.22, cy - 0.22, cx + 0.22, cy + 0.22, 0.02, fill=PAPER, outline=dark)
        tip = (cx + 0.40 * math.cos(a), cy + 0.40 * math.sin(a))
        arrow_head(u, tip, direction, 0.16, dark)
    piece = c.result()
    # Outside the rounded corners the key shows through; no pixel of the
    # piece itself may be pure green or pure black.
    solid = piece.getchannel("A").point(lambda v: 255 if v >= 128 else 0)
    flat = Image.new("RGBA", piece.size, (255, 255, 255, 255))
    flat.alpha_composite(piece)
    image.paste(flat, (x0, y0), solid)


def guide_bitmap(resource_id, width, height):
    image = Image.new("RGBA", (width, height), KEY_GREEN + (255,))
    scheme = GUIDE_SCHEMES.get(resource_id, (BLUE, ICE))
    if resource_id == 9903:
        _guide_tile(image, (0, 0, 43, 43), 0, False, scheme, "centre")
        return image
    if resource_id == 9910:
        pieces = [((61, 29, 90, 59), (61, 90, 90, 120), 270, "arrow"),
                  ((90, 30, 120, 59), (90, 91, 120, 120), 180, "arrow"),
                  ((91, 0, 120, 30), (91, 61, 120, 91), 90, "arrow"),
                  ((62, 0, 92, 29), (62, 61, 92, 90), 0, "arrow"),
                  ((120, 82, 148, 111), None, 0, "tab"),
                  ((120, 0, 161, 41), (120, 41, 161, 82), 0, "centre"),
                  ((0, 29, 29, 61), (0, 90, 29, 122), 270, "arrow"),
                  ((29, 32, 61, 61), (29, 93, 61, 122), 180, "arrow"),
                  ((32, 0, 61, 32), (32, 61, 61, 93), 90, "arrow"),
                  ((0, 0, 32, 29), (0, 61, 32, 90), 0, "arrow")]
    else:
        pieces = [((0, 0, 43, 30), (0, 76, 43, 106), 270, "arrow"),
                  ((30, 33, 60, 76), (90, 33, 120, 76), 180, "arrow"),
                  ((43, 0, 86, 30), (43, 76, 86, 106), 90, "arrow"),
                  ((0, 33, 30, 76), (60, 33, 90, 76), 0, "arrow"),
                  ((86, 0, 119, 33), (86, 76, 119, 109), 0, "tab")]
    for normal, highlighted, direction, kind in pieces:
        _guide_tile(image, normal, direction, False, scheme, kind)
        if highlighted:
            _guide_tile(image, highlighted, direction, True, scheme, kind)
    return image


# ---- cursors (32 x 32, with hot spots) ---------------------------------------------------------

def _outlined(c, draw_shape):
    """Draws a shape twice: a dark outline pass and a light fill pass."""
    draw_shape(c, INK, 2.4)
    draw_shape(c, PAPER, 1.0)


def _hand(u, bent):
    """A pointing hand as one silhouette: every part drawn dark, then every
    part drawn light slightly inset, so the outline runs only round the whole."""
    parts = [(0.26, 0.46, 0.84, 0.94, 0.12), (0.26, 0.28 if bent else 0.04, 0.44, 0.62, 0.08)]
    parts += [(0.44 + k * 0.13, 0.36, 0.58 + k * 0.13, 0.60, 0.06) for k in range(3)]
    thumb = [(0.10, 0.58), (0.26, 0.54), (0.30, 0.80), (0.20, 0.78)]
    inset = 0.045
    for u0, v0, u1, v1, r in parts:
        u.rrect(u0, v0, u1, v1, r, fill=INK)
    u.poly(thumb, fill=INK, outline=INK, width=1.6)
    for u0, v0, u1, v1, r in parts:
        u.rrect(u0 + inset, v0 + inset, u1 - inset, v1 - inset, r, fill=PAPER)
    u.poly(thumb, fill=PAPER)
    # The creases between the folded fingers.
    for k in range(1, 3):
        u.line([(0.44 + k * 0.13, 0.40), (0.44 + k * 0.13, 0.52)], INK, 0.8)
    u.line([(0.44, 0.40), (0.44, 0.52)], INK, 0.8)


def _arrow_pointer(u, scale=1.0):
    pts = [(0.0, 0.0), (0.0, 0.62), (0.15, 0.48), (0.26, 0.72), (0.34, 0.68), (0.23, 0.45), (0.43, 0.45)]
    u.poly([(p[0] * scale + 0.04, p[1] * scale + 0.02) for p in pts], fill=PAPER, outline=INK)


def _double_arrow(u, horizontal, bar=True):
    a, b = (0.10, 0.90)
    if horizontal:
        if bar:
            u.rrect(0.44, 0.16, 0.56, 0.84, 0.0, fill=PAPER, outline=INK)
        u.line([(0.16, 0.5), (0.84, 0.5)], INK, 3.2)
        arrow_head(u, (a, 0.5), 180, 0.18, INK)
        arrow_head(u, (b, 0.5), 0, 0.18, INK)
        u.line([(0.18, 0.5), (0.82, 0.5)], PAPER, 1.0)
    else:
        if bar:
            u.rrect(0.16, 0.44, 0.84, 0.56, 0.0, fill=PAPER, outline=INK)
        u.line([(0.5, 0.16), (0.5, 0.84)], INK, 3.2)
        arrow_head(u, (0.5, a), 270, 0.18, INK)
        arrow_head(u, (0.5, b), 90, 0.18, INK)
        u.line([(0.5, 0.18), (0.5, 0.82)], PAPER, 1.0)


def _badge(u, kind):
    if kind == "copy":
        u.rrect(0.56, 0.56, 0.94, 0.94, 0.02, fill=PAPER, outline=INK)
        u.line([(0.64, 0.75), (0.86, 0.75)], INK, 1.6)
        u.line([(0.75, 0.64), (0.75, 0.86)], INK, 1.6)
    elif kind == "move":
        u.rrect(0.56, 0.56, 0.94, 0.94, 0.02, fill=PAPER, outline=INK, width=0.8)
    else:
        u.ellipse(0.52, 0.52, 0.96, 0.96, fill=PAPER, outline=RED, width=2.0)
        u.line([(0.60, 0.88), (0.88, 0.60)], RED, 2.0)


CURSORS = {
    # id: (hot spot, drawing)
    250: ((11, 2), "expand"),
    264: ((11, 2), "hand"),
    265: ((11, 9), "hand-bent"),
    9008: ((1, 1), "drag-copy"),
    9009: ((1, 1), "drag-move"),
    9011: ((1, 1), "no-drop"),
    9301: ((1, 1), "drag-copy"),
    9302: ((1, 1), "drag-move"),
    9303: ((1, 1), "no-drop"),
    9375: ((15, 15), "cross"),
    9376: ((3, 28), "dropper"),
    9377: ((4, 26), "bucket"),
    9378: ((2, 29), "pencil"),
    9970: ((15, 15), "split-horizontal"),
    9971: ((15, 15), "split-vertical"),
    9972: ((15, 15), "resize-control"),
    9973: ((11, 2), "hand"),
}


def cursor_image(resource_id):
    hotspot, kind = CURSORS[resource_id]
    c = Canvas(32, 32)
    u = Unit(c, 0, 0, 32)
    if kind in ("hand", "hand-bent"):
        _hand(u, kind == "hand-bent")
    elif kind == "expand":
        _hand(u, False)
        u.rrect(0.62, 0.02, 0.96, 0.36, 0.02, fill=PAPER, outline=INK)
        u.line([(0.70, 0.19), (0.88, 0.19)], INK, 1.2)
        u.line([(0.79, 0.10), (0.79, 0.28)], INK, 1.2)
    elif kind.startswith("drag") or kind == "no-drop":
        _arrow_pointer(u)
        _badge(u, {"drag-copy": "copy", "drag-move": "move", "no-drop": "no"}[kind])
    elif kind == "cross":
        u.line([(0.5, 0.06), (0.5, 0.94)], INK, 1.0)
        u.line([(0.06, 0.5), (0.94, 0.5)], INK, 1.0)
    elif kind == "dropper":
        _dropper(Unit(c, 0, 0, 32))
    elif kind == "bucket":
        _bucket(Unit(c, 0, 0, 32))
    elif kind == "pencil":
        _pencil(Unit(c, 0, 0, 32))
    elif kind == "split-horizontal":
        _double_arrow(u, True)
    elif kind == "split-vertical":
        _double_arrow(u, False)
    elif kind == "resize-control":
        _double_arrow(u, True, bar=False)
        u.rrect(0.46, 0.22, 0.54, 0.78, 0.0, fill=INK)
    return c.result(), hotspot
