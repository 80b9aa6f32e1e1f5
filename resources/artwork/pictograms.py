"""Pictograms drawn in a unit square, at any size: drives, disks, folder,
magnifier, save, snapshot, help, exit and the small toolkit symbols.

Each function takes a Canvas and the square (x, y, size) in final pixels.
Outlines scale with the size so that 16-pixel versions stay legible."""
import math

from look import (AMBER, BLUE, FOLDER, FOLDER_DARK, GREEN, ICE, INK, MIST, NAVY, ORANGE, PAPER, RED,
                  SILVER, SKY, STEEL, mix)


class Unit:
    def __init__(self, c, x, y, size):
        self.c, self.x, self.y, self.size = c, x, y, size
        self.d = c.draw
        self.line_w = max(1, round(size / 16)) * c.s

    def pt(self, u, v):
        return ((self.x + u * self.size) * self.c.s, (self.y + v * self.size) * self.c.s)

    def box(self, u0, v0, u1, v1):
        a, b = self.pt(u0, v0), self.pt(u1, v1)
        return [a[0], a[1], b[0], b[1]]

    def w(self, factor=1.0):
        return max(1, int(self.line_w * factor))

    def poly(self, points, fill=None, outline=None, width=1.0):
        pts = [self.pt(u, v) for u, v in points]
        self.d.polygon(pts, fill=fill)
        if outline:
            self.d.line(pts + [pts[0]], fill=outline, width=self.w(width), joint="curve")

    def rrect(self, u0, v0, u1, v1, r, fill=None, outline=None, width=1.0):
        self.d.rounded_rectangle(self.box(u0, v0, u1, v1), radius=r * self.size * self.c.s, fill=fill,
                                 outline=outline, width=self.w(width) if outline else 0)

    def ellipse(self, u0, v0, u1, v1, fill=None, outline=None, width=1.0):
        self.d.ellipse(self.box(u0, v0, u1, v1), fill=fill, outline=outline,
                       width=self.w(width) if outline else 0)

    def line(self, points, colour, width=1.0):
        self.d.line([self.pt(u, v) for u, v in points], fill=colour, width=self.w(width), joint="curve")

    def arc(self, u0, v0, u1, v1, start, end, colour, width=1.0):
        self.d.arc(self.box(u0, v0, u1, v1), start, end, fill=colour, width=self.w(width))


def arrow_head(u, tip, direction, size, colour):
    """A filled triangle whose tip is at `tip`, pointing at angle `direction` (degrees)."""
    a = math.radians(direction)
    tx, ty = tip
    back = (tx - math.cos(a) * size, ty - math.sin(a) * size)
    side = (-math.sin(a) * size * 0.75, math.cos(a) * size * 0.75)
    u.poly([tip, (back[0] + side[0], back[1] + side[1]), (back[0] - side[0], back[1] - side[1])], fill=colour)


# ---- drives and devices ----------------------------------------------------------

def hard_disk(c, x, y, size, led=GREEN, body=SILVER):
    u = Unit(c, x, y, size)
    u.rrect(0.06, 0.30, 0.94, 0.78, 0.10, fill=mix(body, (255, 255, 255), 0.25), outline=STEEL)
    u.rrect(0.06, 0.56, 0.94, 0.78, 0.08, fill=mix(body, STEEL, 0.35))
    u.rrect(0.06, 0.30, 0.94, 0.78, 0.10, outline=STEEL)
    u.ellipse(0.76, 0.62, 0.86, 0.72, fill=led)
    for i in range(3):
        u.line([(0.16 + i * 0.08, 0.62), (0.16 + i * 0.08, 0.72)], STEEL, 0.8)
    return u


def floppy(c, x, y, size, colour=NAVY):
    u = Unit(c, x, y, size)
    u.poly([(0.12, 0.10), (0.80, 0.10), (0.90, 0.20), (0.90, 0.90), (0.12, 0.90)], fill=colour)
    u.rrect(0.28, 0.10, 0.70, 0.38, 0.02, fill=SILVER)
    u.rrect(0.56, 0.14, 0.64, 0.34, 0.01, fill=colour)
    u.rrect(0.22, 0.52, 0.80, 0.90, 0.03, fill=PAPER)
    u.line([(0.30, 0.64), (0.72, 0.64)], SKY, 0.8)
    u.line([(0.30, 0.76), (0.72, 0.76)], SKY, 0.8)
    return u


def cd_rom(c, x, y, size):
    u = Unit(c, x, y, size)
    u.ellipse(0.08, 0.08, 0.92, 0.92, fill=mix(SILVER, (255, 255, 255), 0.4), outline=STEEL)
    u.arc(0.20, 0.20, 0.80, 0.80, 200, 260, SKY, 1.6)
    u.arc(0.20, 0.20, 0.80, 0.80, 20, 80, AMBER, 1.6)
    u.ellipse(0.40, 0.40, 0.60, 0.60, fill=PAPER, outline=STEEL)
    return u


def usb_stick(c, x, y, size):
    u = Unit(c, x, y, size)
    u.rrect(0.30, 0.06, 0.70, 0.30, 0.02, fill=SILVER, outline=STEEL)
    u.rrect(0.24, 0.28, 0.76, 0.94, 0.08, fill=BLUE, outline=NAVY)
    u.rrect(0.38, 0.12, 0.46, 0.20, 0.0, fill=STEEL)
    u.rrect(0.54, 0.12, 0.62, 0.20, 0.0, fill=STEEL)
    u.ellipse(0.44, 0.70, 0.56, 0.82, fill=GREEN)
    return u


def network_drive(c, x, y, size):
    u = Unit(c, x, y - size * 0.14, size)
    hard_disk(c, x, y - size * 0.14, size)
    v = Unit(c, x, y, size)
    v.line([(0.5, 0.62), (0.5, 0.86)], NAVY, 1.4)
    v.line([(0.18, 0.86), (0.82, 0.86)], NAVY, 1.4)
    return u


def unknown_drive(c, x, y, size):
    hard_disk(c, x, y, size, led=AMBER)
    u = Unit(c, x, y, size)
    u.ellipse(0.54, 0.02, 0.96, 0.44, fill=BLUE)
    u.arc(0.64, 0.08, 0.86, 0.28, 200, 30, PAPER, 1.4)
    u.line([(0.75, 0.26), (0.75, 0.32)], PAPER, 1.4)
    u.ellipse(0.73, 0.35, 0.77, 0.39, fill=PAPER)


def computer(c, x, y, size):
    u = Unit(c, x, y, size)
    u.rrect(0.06, 0.10, 0.94, 0.70, 0.06, fill=SILVER, outline=STEEL)
    u.rrect(0.12, 0.16, 0.88, 0.62, 0.02, fill=BLUE)
    u.poly([(0.12, 0.16), (0.60, 0.16), (0.12, 0.50)], fill=SKY)
    u.poly([(0.40, 0.70), (0.60, 0.70), (0.66, 0.84), (0.34, 0.84)], fill=STEEL)
    u.rrect(0.24, 0.84, 0.76, 0.92, 0.02, fill=STEEL)


# ---- files, folders and actions ---------------------------------------------------

def folder(c, x, y, size, colour=FOLDER):
    u = Unit(c, x, y, size)
    dark = FOLDER_DARK if colour == FOLDER else mix(colour, INK, 0.3)
    u.poly([(0.06, 0.22), (0.38, 0.22), (0.46, 0.30), (0.94, 0.30), (0.94, 0.84), (0.06, 0.84)], fill=dark)
    u.poly([(0.06, 0.38), (0.94, 0.38), (0.94, 0.84), (0.06, 0.84)], fill=colour)
    u.line([(0.06, 0.38), (0.94, 0.38)], mix(colour, (255, 255, 255), 0.5), 0.8)


def document(c, x, y, size, lines=True):
    u = Unit(c, x, y, size)
    u.poly([(0.18, 0.06), (0.62, 0.06), (0.82, 0.26), (0.82, 0.94), (0.18, 0.94)], fill=PAPER, outline=STEEL)
    u.poly([(0.62, 0.06), (0.62, 0.26), (0.82, 0.26)], fill=ICE, outline=STEEL)
    if lines:
        for v in (0.40, 0.54, 0.68, 0.82):
            u.line([(0.28, v), (0.72, v)], SKY, 1.0)
    return u


def tag(c, x, y, size):
    u = Unit(c, x, y, size)
    u.poly([(0.08, 0.40), (0.40, 0.10), (0.92, 0.10), (0.92, 0.70), (0.40, 0.70)], fill=AMBER, outline=FOLDER_DARK)
    u.ellipse(0.26, 0.32, 0.38, 0.44, fill=PAPER)
    u.line([(0.50, 0.30), (0.82, 0.30)], FOLDER_DARK, 1.0)
    u.line([(0.50, 0.50), (0.76, 0.50)], FOLDER_DARK, 1.0)


def magnifier(c, x, y, size, glass=ICE, rim=NAVY):
    u = Unit(c, x, y, size)
    u.line([(0.58, 0.58), (0.90, 0.90)], rim, 3.2)
    u.line([(0.62, 0.62), (0.88, 0.88)], ORANGE, 1.8)
    u.ellipse(0.08, 0.08, 0.66, 0.66, fill=glass, outline=rim, width=1.8)
    u.arc(0.18, 0.18, 0.56, 0.56, 190, 260, (255, 255, 254), 1.4)


def save_disk(c, x, y, size):
    floppy(c, x, y, size, BLUE)


def camera(c, x, y, size):
    u = Unit(c, x, y, size)
    u.rrect(0.34, 0.16, 0.62, 0.30, 0.03, fill=STEEL)
    u.rrect(0.06, 0.26, 0.94, 0.80, 0.08, fill=NAVY)
    u.ellipse(0.30, 0.32, 0.70, 0.72, fill=SILVER)
    u.ellipse(0.38, 0.40, 0.62, 0.64, fill=BLUE)
    u.ellipse(0.78, 0.32, 0.88, 0.40, fill=AMBER)


def _snapshot(c, x, y, size, saving):
    """A camera with a badge: a green arrow into it (save) or a blue one out (load)."""
    camera(c, x, y - size * 0.08, size * 0.92)
    u = Unit(c, x, y, size)
    u.ellipse(0.50, 0.50, 1.00, 1.00, fill=GREEN if saving else BLUE)
    u.line([(0.75, 0.58), (0.75, 0.84)] if saving else [(0.75, 0.70), (0.75, 0.92)], PAPER, 1.6)
    arrow_head(u, (0.75, 0.93) if saving else (0.75, 0.56), 90 if saving else 270, 0.16, PAPER)


def snapshot_save(c, x, y, size):
    _snapshot(c, x, y, size, True)


def snapshot_load(c, x, y, size):
    _snapshot(c, x, y, size, False)


def recover(c, x, y, size):
    document(c, x - size * 0.06, y, size)
    u = Unit(c, x, y, size)
    u.ellipse(0.42, 0.42, 1.00, 1.00, fill=GREEN)
    u.arc(0.55, 0.55, 0.87, 0.87, 200, 100, PAPER, 1.6)
    arrow_head(u, (0.60, 0.62), 200, 0.14, PAPER)


def gear(c, x, y, size, colour=STEEL):
    u = Unit(c, x, y, size)
    teeth = 8
    points = []
    for i in range(teeth * 2):
        a = math.pi * 2 * i / (teeth * 2)
        r = 0.46 if i % 2 == 0 else 0.36
        for da in (-0.14, 0.14):
            points.append((0.5 + r * math.cos(a + da), 0.5 + r * math.sin(a + da)))
    u.poly(points, fill=colour)
    u.ellipse(0.32, 0.32, 0.68, 0.68, fill=mix(colour, (255, 255, 255), 0.35))
    u.ellipse(0.40, 0.40, 0.60, 0.60, fill=NAVY)


def help_badge(c, x, y, size):
    u = Unit(c, x, y, size)
    u.ellipse(0.06, 0.06, 0.94, 0.94, fill=BLUE, outline=NAVY)
    u.arc(0.34, 0.22, 0.66, 0.52, 180, 60, PAPER, 2.2)
    u.line([(0.58, 0.49), (0.50, 0.56), (0.50, 0.64)], PAPER, 2.2)
    u.ellipse(0.45, 0.71, 0.55, 0.81, fill=PAPER)


def exit_door(c, x, y, size):
    u = Unit(c, x, y, size)
    u.rrect(0.10, 0.06, 0.56, 0.94, 0.04, fill=mix(FOLDER_DARK, INK, 0.2))
    u.poly([(0.10, 0.06), (0.44, 0.16), (0.44, 0.98), (0.10, 0.94)], fill=mix(FOLDER, FOLDER_DARK, 0.5))
    u.ellipse(0.34, 0.50, 0.40, 0.56, fill=AMBER)
    u.line([(0.56, 0.50), (0.86, 0.50)], RED, 2.2)
    arrow_head(u, (0.96, 0.50), 0, 0.18, RED)


def program_mark(c, x, y, size):
    """The program's own mark: a drive with a green recovery arrow."""
    hard_disk(c, x, y + size * 0.10, size * 0.9)
    u = Unit(c, x, y, size)
    u.arc(0.30, 0.04, 0.94, 0.62, 170, 20, GREEN, 2.4)
    arrow_head(u, (0.32, 0.42), 100, 0.16, GREEN)


def house(c, x, y, size, colour=NAVY):
    u = Unit(c, x, y, size)
    u.poly([(0.5, 0.08), (0.94, 0.48), (0.06, 0.48)], fill=colour)
    u.rrect(0.18, 0.44, 0.82, 0.92, 0.02, fill=colour)
    u.rrect(0.42, 0.62, 0.58, 0.92, 0.01, fill=AMBER)


# ---- database tree -----------------------------------------------------------------

def database(c, x, y, size):
    u = Unit(c, x, y, size)
    u.rrect(0.16, 0.20, 0.84, 0.84, 0.02, fill=BLUE)
    for v in (0.84, 0.62, 0.40):
        u.ellipse(0.16, v - 0.10, 0.84, v + 0.10, fill=mix(BLUE, NAVY, 0.4))
    u.ellipse(0.16, 0.10, 0.84, 0.30, fill=SKY, outline=NAVY, width=0.6)


def table_grid(c, x, y, size, colour=BLUE):
    u = Unit(c, x, y, size)
    u.rrect(0.08, 0.16, 0.92, 0.86, 0.02, fill=PAPER, outline=colour)
    u.rrect(0.08, 0.16, 0.92, 0.34, 0.02, fill=colour)
    u.line([(0.08, 0.60), (0.92, 0.60)], colour, 0.8)
    u.line([(0.50, 0.34), (0.50, 0.86)], colour, 0.8)


def relation(c, x, y, size):
    u = Unit(c, x, y, size)
    u.rrect(0.04, 0.10, 0.44, 0.44, 0.02, fill=SKY, outline=NAVY, width=0.8)
    u.rrect(0.56, 0.56, 0.96, 0.90, 0.02, fill=SKY, outline=NAVY, width=0.8)
    u.line([(0.44, 0.27), (0.66, 0.27), (0.66, 0.56)], ORANGE, 1.4)


def query(c, x, y, size):
    table_grid(c, x, y, size, GREEN)
    u = Unit(c, x, y, size)
    u.ellipse(0.46, 0.44, 0.86, 0.84, fill=ICE, outline=NAVY, width=1.2)
    u.line([(0.80, 0.80), (0.98, 0.98)], NAVY, 1.6)
