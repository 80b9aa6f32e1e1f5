"""The program's look: one palette, its fonts and the drawing helpers that
every picture shares (supersampled canvases, gradients, rounded panels,
text fitted into a box)."""
import os

from PIL import Image, ImageDraw, ImageFont

# Palette (RGB). Navy and blue carry the brand, orange marks hover and
# action, green means recovered/ok, red means stop/deleted.
NAVY = (18, 52, 90)
BLUE = (31, 111, 178)
SKY = (120, 180, 228)
ICE = (214, 232, 247)
MIST = (240, 246, 252)
ORANGE = (242, 140, 40)
AMBER = (255, 196, 84)
GREEN = (46, 160, 80)
RED = (206, 60, 52)
STEEL = (112, 124, 140)
SILVER = (196, 204, 214)
PAPER = (252, 252, 250)
INK = (33, 37, 41)
FOLDER = (240, 190, 70)
FOLDER_DARK = (198, 140, 30)

# Pure colours that masks reserve; the art avoids them except as keys.
WHITE = (255, 255, 255)
KEY_GREEN = (0, 255, 0)
KEY_MAGENTA = (255, 0, 255)
KEY_GREY = (192, 192, 192)

SUPERSAMPLE = 4

_FONT_DIRS = ["/usr/share/fonts/truetype/dejavu"]


def font(size, bold=True):
    name = "DejaVuSans-Bold.ttf" if bold else "DejaVuSans.ttf"
    for folder in _FONT_DIRS:
        path = os.path.join(folder, name)
        if os.path.exists(path):
            return ImageFont.truetype(path, size)
    raise SystemExit("artwork: the DejaVu fonts (fonts-dejavu-core) are needed")


def mix(a, b, t):
    return tuple(int(round(a[i] + (b[i] - a[i]) * t)) for i in range(3))


class Canvas:
    """An RGBA canvas drawn at SUPERSAMPLE times the size and reduced at the
    end, so edges are smooth and the result is the same on every run."""

    def __init__(self, width, height, background=(0, 0, 0, 0)):
        self.width, self.height = width, height
        self.s = SUPERSAMPLE
        self.image = Image.new("RGBA", (width * self.s, height * self.s), background)
        self.draw = ImageDraw.Draw(self.image)

    def p(self, *values):
        """Scales coordinates given in final pixels."""
        return [v * self.s for v in values]

    def result(self):
        return self.image.resize((self.width, self.height), Image.Resampling.LANCZOS)


def vertical_gradient(width, height, top, bottom):
    image = Image.new("RGB", (width, height))
    draw = ImageDraw.Draw(image)
    for y in range(height):
        draw.line([(0, y), (width, y)], fill=mix(top, bottom, y / max(1, height - 1)))
    return image.convert("RGBA")


def horizontal_gradient(width, height, left, right):
    image = Image.new("RGB", (width, height))
    draw = ImageDraw.Draw(image)
    for x in range(width):
        draw.line([(x, 0), (x, height)], fill=mix(left, right, x / max(1, width - 1)))
    return image.convert("RGBA")


def rounded_panel(width, height, radius, top, bottom, outline=None, outline_width=1, background=None):
    """A rounded rectangle filled with a vertical gradient, drawn smooth."""
    c = Canvas(width, height, (background + (255,)) if background else (0, 0, 0, 0))
    fill = vertical_gradient(width * c.s, height * c.s, top, bottom)
    mask = Image.new("L", fill.size, 0)
    ImageDraw.Draw(mask).rounded_rectangle([0, 0, fill.width - 1, fill.height - 1], radius * c.s, fill=255)
    c.image.paste(fill, (0, 0), mask)
    if outline:
        w = outline_width * c.s
        c.draw.rounded_rectangle([w // 2, w // 2, fill.width - 1 - w // 2, fill.height - 1 - w // 2],
                                 radius * c.s, outline=outline, width=w)
    return c.result()


def text_size(draw, text, face):
    left, top, right, bottom = draw.multiline_textbbox((0, 0), text, font=face, align="center")
    return right - left, bottom - top, left, top


def fitted_font(text, max_width, max_height, start, bold=True):
    """The largest size up to start at which the text fits the box."""
    probe = ImageDraw.Draw(Image.new("L", (1, 1)))
    size = start
    while size > 6:
        face = font(size, bold)
        w, h, _, _ = text_size(probe, text, face)
        if w <= max_width and h <= max_height:
            return face
        size -= 1
    return font(6, bold)


def draw_text(image, box, text, colour, start_size, bold=True, align="center", shadow=None):
    """Draws text fitted and centred (or left-aligned) inside box (x0, y0, x1, y1)."""
    x0, y0, x1, y1 = box
    face = fitted_font(text, x1 - x0, y1 - y0, start_size, bold)
    draw = ImageDraw.Draw(image)
    w, h, left, top = text_size(draw, text, face)
    x = x0 + ((x1 - x0 - w) // 2 if align == "center" else 0) - left
    y = y0 + (y1 - y0 - h) // 2 - top
    if shadow:
        draw.multiline_text((x + 1, y + 1), text, font=face, fill=shadow, align=align)
    draw.multiline_text((x, y), text, font=face, fill=colour, align=align)
    return face


def no_pure(image, reserved):
    """Moves any pixel that happens to equal a reserved key colour by one step,
    so only the pixels meant as keys carry it."""
    image = image.convert("RGBA")
    data = image.load()
    for y in range(image.height):
        for x in range(image.width):
            r, g, b, a = data[x, y]
            if (r, g, b) in reserved:
                data[x, y] = (max(0, r - 1) if r else 1, g - 1 if g else 1, b, a)
    return image
