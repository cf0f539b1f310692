#!/usr/bin/env python3
"""Draws the program's artwork: icons, button and menu images and dialog
backgrounds in one flat palette, written as .ico and .bmp files.

Usage: make_artwork.py OUTPUT_FOLDER

Needs nothing beyond Python 3. Shapes are drawn four times larger and
averaged down, so edges are smooth and icons carry an alpha channel.

Files (by role):
  icons 32x32   app, pen, mapping, keys, about, save, exit, clean_in,
                clean_out, default_in, default_out, calibrate_in,
                calibrate_out, knob
  backgrounds   bg_pen, bg_mapping, bg_keys, bg_about, bg_launch (panel
                pages, drawn for 600x520 and stretched by the panel),
                about_page (the About page beside the buttons and the
                mapping page's background),
                overlay, tablet, calibrate, tile (a 32x32 tile), shaped
                (a rounded card on magenta, the transparent colour)
  companions    keyveil_panel, keyveil_panel_turned (895x637, the overlay's
                panel and the same turned), mousora_closed, mousora_opened
                (42x42), icons mousora, viewtap
  second brand  pm_bg_pen, pm_bg_mapping, pm_bg_keys, pm_bg_about (its main
                dialog, drawn for 657x568; the page-button column keeps a
                fifth of the width, so the pictures fit both the large
                layout and the template layout of languages 3 and 4)
  menu images   menu_open, menu_save, menu_close (16x15, 16 colours, grey
                192,192,192 as the background to be mapped to the face colour)
  pen page      curve_grid (200x200, the pressure curve's grid), dial_face
                (40x40, the tilt dial's face)
"""
import os
import struct
import sys

# One palette for everything.
INK = (43, 58, 85)
SLATE = (92, 107, 137)
MIST = (232, 236, 242)
PAPER = (247, 248, 250)
TEAL = (47, 164, 169)
CORAL = (233, 118, 91)
SUN = (242, 186, 73)
WHITE = (255, 255, 255)
MAGENTA = (255, 0, 255)
# The second brand's own colours.
PLUM = (104, 70, 132)
LAVENDER = (238, 233, 245)
HEATHER = (214, 204, 228)

SCALE = 4  # supersampling factor for smooth edges


class Canvas:
    """RGBA pixels, drawn at SCALE times the final size."""

    def __init__(self, width, height, fill=(0, 0, 0, 0)):
        self.w, self.h = width * SCALE, height * SCALE
        self.width, self.height = width, height
        self.px = [list(fill) for _ in range(self.w * self.h)]

    def _put(self, x, y, colour):
        if 0 <= x < self.w and 0 <= y < self.h:
            self.px[y * self.w + x] = [colour[0], colour[1], colour[2], 255]

    def rect(self, x0, y0, x1, y1, colour):
        for y in range(max(0, int(y0 * SCALE)), min(self.h, int(y1 * SCALE))):
            row = y * self.w
            for x in range(max(0, int(x0 * SCALE)), min(self.w, int(x1 * SCALE))):
                self.px[row + x] = [colour[0], colour[1], colour[2], 255]

    def round_rect(self, x0, y0, x1, y1, radius, colour):
        r = radius * SCALE
        for y in range(int(y0 * SCALE), int(y1 * SCALE)):
            for x in range(int(x0 * SCALE), int(x1 * SCALE)):
                cx = min(max(x + 0.5, x0 * SCALE + r), x1 * SCALE - r)
                cy = min(max(y + 0.5, y0 * SCALE + r), y1 * SCALE - r)
                if (x + 0.5 - cx) ** 2 + (y + 0.5 - cy) ** 2 <= r * r:
                    self._put(x, y, colour)

    def ellipse(self, cx, cy, rx, ry, colour, inner=0.0):
        """A filled ellipse, or a ring when `inner` (0..1) is given."""
        cx, cy, rx, ry = cx * SCALE, cy * SCALE, rx * SCALE, ry * SCALE
        for y in range(int(cy - ry) - 1, int(cy + ry) + 2):
            for x in range(int(cx - rx) - 1, int(cx + rx) + 2):
                d = ((x + 0.5 - cx) / rx) ** 2 + ((y + 0.5 - cy) / ry) ** 2
                if d <= 1.0 and d >= inner * inner:
                    self._put(x, y, colour)

    def polygon(self, points, colour):
        pts = [(x * SCALE, y * SCALE) for x, y in points]
        ys = [p[1] for p in pts]
        for y in range(int(min(ys)), int(max(ys)) + 1):
            yc = y + 0.5
            xs = []
            for i in range(len(pts)):
                (xa, ya), (xb, yb) = pts[i], pts[(i + 1) % len(pts)]
                if (ya <= yc < yb) or (yb <= yc < ya):
                    xs.append(xa + (yc - ya) * (xb - xa) / (yb - ya))
            xs.sort()
            for a, b in zip(xs[0::2], xs[1::2]):
                for x in range(int(a + 0.5), int(b + 0.5)):
                    self._put(x, y, colour)

    def line(self, x0, y0, x1, y1, width, colour):
        dx, dy = x1 - x0, y1 - y0
        length = max((dx * dx + dy * dy) ** 0.5, 1e-6)
        nx, ny = -dy / length * width / 2, dx / length * width / 2
        self.polygon([(x0 + nx, y0 + ny), (x1 + nx, y1 + ny), (x1 - nx, y1 - ny), (x0 - nx, y0 - ny)], colour)
        self.ellipse(x0, y0, width / 2, width / 2, colour)
        self.ellipse(x1, y1, width / 2, width / 2, colour)

    def pixels(self):
        """Final-size RGBA rows, top first, averaged from the samples."""
        rows = []
        n = SCALE * SCALE
        for y in range(self.height):
            row = []
            for x in range(self.width):
                r = g = b = a = 0
                for sy in range(SCALE):
                    base = (y * SCALE + sy) * self.w + x * SCALE
                    for sx in range(SCALE):
                        p = self.px[base + sx]
                        r += p[0] * p[3]
                        g += p[1] * p[3]
                        b += p[2] * p[3]
                        a += p[3]
                if a:
                    row.append((r // a, g // a, b // a, a // n))
                else:
                    row.append((0, 0, 0, 0))
            rows.append(row)
        return rows


def write_bmp24(path, rows):
    height, width = len(rows), len(rows[0])
    stride = (width * 3 + 3) & ~3
    data = bytearray()
    for row in reversed(rows):
        line = bytearray()
        for r, g, b in row:
            line += bytes((b, g, r))
        line += b"\0" * (stride - len(line))
        data += line
    header = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    with open(path, "wb") as f:
        f.write(b"BM" + struct.pack("<IHHI", 14 + len(header) + len(data), 0, 0, 14 + len(header)))
        f.write(header + data)


VGA16 = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128), (0, 128, 128),
         (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0), (0, 0, 255), (255, 0, 255),
         (0, 255, 255), (255, 255, 255)]


def write_bmp4(path, rows):
    """16 colours, each pixel mapped to the nearest standard colour."""
    height, width = len(rows), len(rows[0])
    stride = ((width + 1) // 2 + 3) & ~3

    def nearest(c):
        return min(range(16), key=lambda i: sum((a - b) ** 2 for a, b in zip(c, VGA16[i])))

    data = bytearray()
    for row in reversed(rows):
        idx = [nearest(c) for c in row] + [0]
        line = bytearray((idx[i] << 4) | idx[i + 1] for i in range(0, width, 2))
        line += b"\0" * (stride - len(line))
        data += line
    palette = b"".join(bytes((b, g, r, 0)) for r, g, b in VGA16)
    header = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 4, 0, len(data), 2835, 2835, 16, 0)
    offset = 14 + len(header) + len(palette)
    with open(path, "wb") as f:
        f.write(b"BM" + struct.pack("<IHHI", offset + len(data), 0, 0, offset))
        f.write(header + palette + data)


def write_ico(path, rows):
    """One 32-bit image with alpha and an AND mask for older readers."""
    size = len(rows)
    xor = bytearray()
    for row in reversed(rows):
        for r, g, b, a in row:
            xor += bytes((b, g, r, a))
    mask_stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(rows):
        bits = bytearray(mask_stride)
        for x, p in enumerate(row):
            if p[3] < 128:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
    image = header + xor + mask
    with open(path, "wb") as f:
        f.write(struct.pack("<HHH", 0, 1, 1))
        f.write(struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(image), 6 + 16))
        f.write(image)


# ---- icons (32 x 32), each on a rounded tile --------------------------------

class Scaled:
    """A canvas of `size` pixels drawn on in the 32-pixel coordinates of the
    icons, so one drawing serves both icon sizes."""

    def __init__(self, size):
        self.canvas = Canvas(size, size)
        self.k = size / 32.0

    def rect(self, x0, y0, x1, y1, colour):
        k = self.k
        self.canvas.rect(x0 * k, y0 * k, x1 * k, y1 * k, colour)

    def round_rect(self, x0, y0, x1, y1, radius, colour):
        k = self.k
        self.canvas.round_rect(x0 * k, y0 * k, x1 * k, y1 * k, radius * k, colour)

    def ellipse(self, cx, cy, rx, ry, colour, inner=0.0):
        k = self.k
        self.canvas.ellipse(cx * k, cy * k, rx * k, ry * k, colour, inner)

    def polygon(self, points, colour):
        self.canvas.polygon([(x * self.k, y * self.k) for x, y in points], colour)

    def line(self, x0, y0, x1, y1, width, colour):
        k = self.k
        self.canvas.line(x0 * k, y0 * k, x1 * k, y1 * k, width * k, colour)

    def pixels(self):
        return self.canvas.pixels()


# The in/out pairs sit on the small buttons (about 20 pixels high: Clean,
# Default, the mapping page's buttons) and on the key page's check boxes
# (130 x 20 pixels): a larger icon is cut there, and on the check boxes it
# leaves "Enable/Disable" too little room for one line.
PAIR_SIZE = 16


def tile(colour, size=32):
    c = Scaled(size)
    c.round_rect(2, 2, 30, 30, 7, colour)
    return c


def icon_pen(c, ink):
    c.polygon([(9, 25), (11, 19), (22, 8), (26, 12), (15, 23)], ink)
    c.polygon([(9, 25), (11, 19), (15, 23)], SUN)
    c.line(22, 8, 26, 12, 2.2, CORAL)


def icon_mapping(c, ink):
    c.round_rect(7, 8, 25, 21, 2, ink)
    c.rect(9, 10, 23, 19, WHITE)
    c.rect(11, 12, 18, 17, TEAL)
    c.rect(13, 21, 19, 24, ink)


def icon_keys(c, ink):
    for row in range(2):
        for col in range(3):
            x, y = 7 + col * 6.5, 9 + row * 7
            c.round_rect(x, y, x + 5, y + 5, 1.2, ink if (row + col) % 2 else WHITE)


def icon_about(c, ink):
    c.ellipse(16, 16, 10, 10, WHITE)
    c.rect(14.5, 14, 17.5, 22, ink)
    c.ellipse(16, 10.5, 1.8, 1.8, ink)


def icon_save(c, ink):
    c.round_rect(8, 7, 24, 25, 2, ink)
    c.rect(11, 7, 21, 13, WHITE)
    c.rect(11, 17, 21, 25, MIST)


def icon_exit(c, ink):
    c.line(10, 10, 22, 22, 3.2, WHITE)
    c.line(22, 10, 10, 22, 3.2, WHITE)


def icon_clean(c, ink):
    c.polygon([(8, 20), (17, 11), (24, 18), (15, 27)], WHITE)
    c.polygon([(8, 20), (12, 16), (19, 23), (15, 27)], ink)


def icon_default(c, ink):
    c.ellipse(16, 16, 9, 9, WHITE, inner=0.62)
    c.polygon([(16, 3.5), (22, 8), (16, 12.5)], WHITE)
    c.rect(15, 15, 17, 17, WHITE)


def icon_calibrate(c, ink):
    c.ellipse(16, 16, 9, 9, WHITE, inner=0.75)
    c.line(16, 5, 16, 27, 1.6, WHITE)
    c.line(5, 16, 27, 16, 1.6, WHITE)
    c.ellipse(16, 16, 2.5, 2.5, ink)


def icon_app(c, ink):
    c.round_rect(7, 9, 25, 24, 3, WHITE)
    c.line(11, 20, 20, 12, 2.4, ink)
    c.ellipse(21, 11, 2, 2, CORAL)


def icon_knob(c, ink):
    c.ellipse(16, 16, 10, 10, WHITE)
    c.ellipse(16, 16, 10, 10, ink, inner=0.85)
    c.ellipse(16, 9, 2, 2, CORAL)


ICONS = {
    "app": (icon_app, INK),
    "pen": (icon_pen, TEAL),
    "mapping": (icon_mapping, TEAL),
    "keys": (icon_keys, TEAL),
    "about": (icon_about, TEAL),
    "save": (icon_save, TEAL),
    "exit": (icon_exit, CORAL),
    "clean": (icon_clean, TEAL),
    "default": (icon_default, TEAL),
    "calibrate": (icon_calibrate, TEAL),
    "knob": (icon_knob, TEAL),
}
PAIRED = {"clean", "default", "calibrate"}  # _in (hover, pressed) and _out (rest)


def make_icons(out):
    for name, (draw, colour) in ICONS.items():
        variants = [("_in", colour), ("_out", SLATE)] if name in PAIRED else [("", colour)]
        for suffix, back in variants:
            c = tile(back, PAIR_SIZE if name in PAIRED else 32)
            draw(c, INK if back != INK else TEAL)
            write_ico(os.path.join(out, name + suffix + ".ico"), c.pixels())


# ---- backgrounds ------------------------------------------------------------

class Flat:
    """Opaque pictures of rectangles only, drawn row by row at full size."""

    def __init__(self, width, height, fill=PAPER):
        self.rows = [[fill] * width for _ in range(height)]

    def rect(self, x0, y0, x1, y1, colour):
        width = len(self.rows[0])
        x0, x1 = max(0, int(x0)), min(width, int(x1))
        for y in range(max(0, int(y0)), min(len(self.rows), int(y1))):
            self.rows[y][x0:x1] = [colour] * max(0, x1 - x0)


def page_background(width, height, accent):
    """The panel's page look: paper, a left column for the page buttons, a
    header rule in the page's accent colour and a white card for content."""
    c = Flat(width, height)
    # The column is as wide as the panel's page buttons (60 of 292 dialog units).
    c.rect(0, 0, 124, height, MIST)
    c.rect(124, 0, 126, height, (214, 220, 230))
    c.rect(126, 0, width, 6, accent)
    c.rect(138, 24, width - 12, height - 12, WHITE)
    c.rect(138, height - 13, width - 12, height - 12, (214, 220, 230))
    return c.rows


def penmira_background(width, height, accent):
    """The second brand's page look: a lavender column a fifth of the width
    for the page buttons, marked in the page's accent, a plum rule along the
    top and a white card."""
    column = width * 204 // 1000
    c = Flat(width, height, WHITE)
    c.rect(0, 0, column, height, LAVENDER)
    # The page's mark sits between the page buttons and Save in both layouts,
    # where no button keeps a copy of the background behind it.
    c.rect(column - 6, height * 45 // 100, column, height * 65 // 100, accent)
    c.rect(column, 0, column + 2, height, HEATHER)
    c.rect(column + 2, 0, width, 2, PLUM)  # thin: the first labels stand at the top
    c.rect(column + 2, height - 4, width, height, HEATHER)
    return c.rows


def flat_picture(width, height, draw, fill=PAPER):
    c = Flat(width, height, fill)
    draw(c)
    return c.rows


def make_backgrounds(out):
    for name, accent in (("bg_pen", TEAL), ("bg_mapping", SLATE), ("bg_keys", CORAL), ("bg_about", INK),
                         ("bg_launch", SUN)):
        write_bmp24(os.path.join(out, name + ".bmp"), page_background(600, 520, accent))
    for name, accent in (("pm_bg_pen", TEAL), ("pm_bg_mapping", SLATE), ("pm_bg_keys", CORAL),
                         ("pm_bg_about", PLUM)):
        write_bmp24(os.path.join(out, name + ".bmp"), penmira_background(657, 568, accent))

    # The About page beside the buttons (stretched to it), a white card under
    # a rule in the About accent, room for the licence text. The mapping page
    # copies the same picture unstretched under its whole client area: the
    # card must reach past its preview frame and its controls.
    def about_page(c):
        c.rect(0, 0, 606, 6, INK)
        c.rect(12, 24, 594, 587, WHITE)
        c.rect(12, 586, 594, 587, (214, 220, 230))
    write_bmp24(os.path.join(out, "about_page.bmp"), flat_picture(606, 599, about_page))

    def overlay(c):
        c.rect(0, 0, 120, 40, MIST)
        c.rect(0, 0, 6, 40, TEAL)
        for i in range(4):
            c.rect(16 + i * 24, 12, 32 + i * 24, 28, SLATE if i % 2 else INK)
    write_bmp24(os.path.join(out, "overlay.bmp"), flat_picture(120, 40, overlay))

    def tablet(c):
        c.rect(0, 0, 140, 100, INK)
        c.rect(8, 8, 132, 92, SLATE)
        c.rect(20, 16, 128, 84, MIST)
    write_bmp24(os.path.join(out, "tablet.bmp"), flat_picture(140, 100, tablet))

    def calibrate(c):
        c.rect(0, 0, 320, 240, INK)
        for x, y in ((40, 40), (280, 40), (280, 200), (40, 200)):
            c.rect(x - 12, y - 1, x + 13, y + 2, CORAL)
            c.rect(x - 1, y - 12, x + 2, y + 13, CORAL)
    write_bmp24(os.path.join(out, "calibrate.bmp"), flat_picture(320, 240, calibrate))

    def tile_picture(c):
        c.rect(0, 0, 32, 32, MIST)
        c.rect(0, 0, 16, 16, PAPER)
        c.rect(16, 16, 32, 32, PAPER)
    write_bmp24(os.path.join(out, "tile.bmp"), flat_picture(32, 32, tile_picture))

    # A card with rounded corners on the transparent colour; edges stay pure
    # so every pixel is either the card or exactly magenta.
    def card(c):
        for y in range(120):
            inset = 0
            for corner_y in (y, 119 - y):
                if corner_y < 24:
                    dy = 24 - corner_y - 0.5
                    inset = max(inset, int(24 - (24 * 24 - dy * dy) ** 0.5 + 0.5))
            c.rect(inset, y, 160 - inset, y + 1, TEAL)
        c.rect(10, 10, 150, 110, PAPER)
    write_bmp24(os.path.join(out, "shaped.bmp"), flat_picture(160, 120, card, MAGENTA))


# ---- express keys: page backgrounds, check-box icons, launch dialog ---------

def key_page_picture(width, height, rows):
    """The express-key page: a header band, then one card per group of keys
    (rows: (top, bottom) pairs in the page's own pixels at 606 wide)."""
    scale = width / 606.0

    def draw(c):
        c.rect(0, 0, width, int(6 * scale), CORAL)
        c.rect(int(16 * scale), int(40 * scale), width - int(16 * scale), int(46 * scale), MIST)
        for top, bottom in rows:
            c.rect(int(24 * scale), int(top * scale), width - int(24 * scale), int(bottom * scale), WHITE)
            c.rect(int(24 * scale), int(bottom * scale), width - int(24 * scale), int(bottom * scale) + 1,
                   (214, 220, 230))
    return flat_picture(width, height, draw)


def make_key_artwork(out):
    write_bmp24(os.path.join(out, "bg_keys_small.bmp"), key_page_picture(606, 599, ((150, 520),)))
    write_bmp24(os.path.join(out, "bg_keys_large.bmp"),
                key_page_picture(1141, 826, ((225, 430), (440, 700))))

    # The launch dialog's client area, 204 x 101 dialog units in Arial 12.
    def launch(c):
        c.rect(0, 0, 470, 4, SUN)
        c.rect(8, 40, 462, 76, WHITE)
        c.rect(4, 112, 462, 150, WHITE)
        c.rect(0, 168, 470, 230, MIST)
    write_bmp24(os.path.join(out, "bg_launch_app.bmp"), flat_picture(470, 230, launch))


# ---- menu images (16 x 15, 16 colours) --------------------------------------

def make_menu_images(out):
    grey = (192, 192, 192)

    def picture(draw):
        return flat_picture(16, 15, draw, grey)

    def opened(c):
        c.rect(1, 4, 15, 13, (128, 128, 0))
        c.rect(1, 2, 7, 4, (128, 128, 0))
        c.rect(3, 6, 15, 13, (255, 255, 0))

    def saved_picture(c):
        c.rect(2, 1, 14, 14, (0, 0, 128))
        c.rect(4, 1, 12, 6, (255, 255, 255))
        c.rect(4, 9, 12, 14, (0, 128, 128))

    def closed(c):
        for i in range(10):
            c.rect(3 + i, 2 + i, 5 + i, 4 + i, (128, 0, 0))
            c.rect(12 - i, 2 + i, 14 - i, 4 + i, (128, 0, 0))

    for name, draw in (("menu_open", opened), ("menu_save", saved_picture), ("menu_close", closed)):
        write_bmp4(os.path.join(out, name + ".bmp"), picture(draw))


# ---- mapping page, area picker, calibration ---------------------------------

def write_cur(path, rows, hotspot):
    """A cursor: the icon format with type 2 and the hot spot in the entry."""
    write_ico(path, rows)
    with open(path, "r+b") as f:
        f.seek(2)
        f.write(struct.pack("<H", 2))
        f.seek(6 + 4)
        f.write(struct.pack("<HH", *hotspot))


def icon_auto(c, ink):
    # A screen and the tablet shape fitted to it.
    c.round_rect(6, 8, 26, 22, 2, WHITE)
    c.rect(9, 11, 23, 19, ink)
    c.line(5, 25, 27, 25, 1.6, WHITE)


def make_mapping_artwork(out):
    # Also the key page's check boxes (the same icon ids): in when checked.
    for suffix, back in (("_in", TEAL), ("_out", SLATE)):
        c = tile(back, PAIR_SIZE)
        icon_auto(c, INK)
        write_ico(os.path.join(out, "auto" + suffix + ".ico"), c.pixels())

    # The tablet picture: a body with the active area where the page draws
    # the tablet-area rectangle (24..139 x 21..116 of its 160 x 140 place;
    # 36..210 x 31..172 here). The page's preview frame ends about 6 pixels
    # below the active area, so the body ends 3 pixels below it (row 176
    # here, only a dark rim under the area) and the rest is the white of the
    # page's card.
    def tablet(c):
        c.rect(6, 20, 236, 176, INK)
        c.rect(12, 25, 230, 172, SLATE)
        c.rect(36, 31, 211, 172, MIST)
        for i in range(4):
            c.rect(18, 40 + i * 32, 28, 62 + i * 32, TEAL)
    write_bmp24(os.path.join(out, "mapping_tablet.bmp"), flat_picture(242, 207, tablet, WHITE))

    # Behind the calibration targets: calm, with a frame so the monitor's
    # edges show through the translucent window.
    def calibrate_screen(c):
        c.rect(0, 0, 320, 240, (210, 218, 230))
        c.rect(4, 4, 316, 236, MIST)
    write_bmp24(os.path.join(out, "calibrate_screen.bmp"), flat_picture(320, 240, calibrate_screen))

    # The picker's cross, hot spot in its centre.
    c = Canvas(32, 32)
    c.line(16, 3, 16, 13, 2, INK)
    c.line(16, 19, 16, 29, 2, INK)
    c.line(3, 16, 13, 16, 2, INK)
    c.line(19, 16, 29, 16, 2, INK)
    c.ellipse(16, 16, 1.5, 1.5, CORAL)
    write_cur(os.path.join(out, "pick_area.cur"), c.pixels(), (16, 16))

# ---- companions --------------------------------------------------------------

# Rows of the overlay's labels (top of the text, 24-pixel Arial) for keys
# 0-3 and 5-8 on the unturned panel; the turned picture is this one rotated.
OVERLAY_LABEL_ROWS = (130, 160, 190, 220, 390, 420, 450, 480)


def keyveil_panel():
    """The express-key panel with its key column on the left and a blank
    band right of each key for the overlay's red label."""
    width, height = 895, 637
    c = Flat(width, height, MIST)
    c.rect(0, 0, width, 8, INK)
    c.rect(0, height - 8, width, height, INK)
    c.rect(0, 0, 124, height, INK)
    c.rect(124, 0, 128, height, SLATE)
    for y in OVERLAY_LABEL_ROWS:
        c.rect(20, y - 1, 100, y + 25, SLATE)
        c.rect(24, y + 3, 96, y + 21, (214, 220, 230))
        c.rect(100, y + 11, 140, y + 13, SLATE)
        c.rect(140, y - 1, 870, y + 28, WHITE)
    # The touch strips between and below the key groups (never labelled).
    c.rect(44, 262, 76, 372, SLATE)
    c.rect(48, 266, 72, 368, TEAL)
    c.rect(44, 530, 76, 610, SLATE)
    c.rect(48, 534, 72, 606, TEAL)
    # The tablet's active area beside the labels, away from their bands.
    c.rect(600, 262, 860, 372, (214, 220, 230))
    c.rect(604, 266, 856, 368, PAPER)
    c.rect(600, 530, 860, 610, (214, 220, 230))
    c.rect(604, 534, 856, 606, PAPER)
    return c.rows


def make_keyveil_pictures(out):
    rows = keyveil_panel()
    write_bmp24(os.path.join(out, "keyveil_panel.bmp"), rows)
    turned = [list(reversed(row)) for row in reversed(rows)]
    write_bmp24(os.path.join(out, "keyveil_panel_turned.bmp"), turned)


def on_paper(rows):
    """RGBA rows blended onto the paper colour, for 24-bit pictures."""
    return [[tuple((p[i] * p[3] + PAPER[i] * (255 - p[3])) // 255 for i in range(3)) for p in row]
            for row in rows]


def icon_mouse(c, ink):
    c.round_rect(10, 6, 22, 26, 6, WHITE)
    c.rect(15.4, 6, 16.6, 14, ink)
    c.rect(10, 13.4, 22, 14.6, ink)
    c.ellipse(16, 10, 1.4, 2.4, CORAL)


def icon_turn(c, ink):
    c.round_rect(6, 9, 24, 21, 2, WHITE)
    c.rect(8, 11, 22, 19, ink)
    c.ellipse(22, 22, 6, 6, CORAL, inner=0.6)
    c.polygon([(25, 16), (29, 20), (23, 21)], CORAL)


def make_mousora_pictures(out):
    """The double-click test picture, closed (129) and opened (130), and the icon."""
    def folder(opened):
        c = Canvas(42, 42, PAPER + (255,))
        c.round_rect(4, 9, 20, 15, 2, SLATE)
        c.round_rect(4, 12, 38, 35, 3, SLATE)
        if opened:
            c.round_rect(8, 7, 34, 28, 1, WHITE)
            c.polygon([(2, 18), (40, 18), (36, 36), (6, 36)], SUN)
        else:
            c.round_rect(5, 16, 37, 34, 2, TEAL)
        return on_paper(c.pixels())
    write_bmp24(os.path.join(out, "mousora_closed.bmp"), folder(False))
    write_bmp24(os.path.join(out, "mousora_opened.bmp"), folder(True))
    c = tile(TEAL)
    icon_mouse(c, INK)
    write_ico(os.path.join(out, "mousora.ico"), c.pixels())


def make_viewtap_icon(out):
    c = tile(SLATE)
    icon_turn(c, INK)
    write_ico(os.path.join(out, "viewtap.ico"), c.pixels())


# ---- pen page pictures --------------------------------------------------------

def make_pen_pictures(out):
    def grid(c):
        # Paper with a fine grid every 20 pixels, a stronger one every 100,
        # and the axes on the left and bottom edges.
        for i in range(0, 201, 20):
            colour = (196, 204, 216) if i % 100 else (150, 162, 182)
            c.rect(i, 0, i + 1, 200, colour)
            c.rect(0, i, 200, i + 1, colour)
        c.rect(0, 0, 2, 200, SLATE)
        c.rect(0, 198, 200, 200, SLATE)
    write_bmp24(os.path.join(out, "curve_grid.bmp"), flat_picture(200, 200, grid, WHITE))

    # The dial: a ring with marks at the four quarters on the window colour,
    # drawn opaque so it covers the dial window entirely.
    face = Canvas(40, 40, (255, 255, 255, 255))
    face.ellipse(20, 20, 19, 19, MIST)
    face.ellipse(20, 20, 19, 19, SLATE, inner=0.9)
    for x0, y0, x1, y1 in ((20, 2, 20, 7), (20, 33, 20, 38), (2, 20, 7, 20), (33, 20, 38, 20)):
        face.line(x0, y0, x1, y1, 1.5, INK)
    face.ellipse(20, 20, 2, 2, INK)
    write_bmp24(os.path.join(out, "dial_face.bmp"), [[p[:3] for p in row] for row in face.pixels()])


def main():
    if len(sys.argv) != 2:
        print(__doc__)
        return 2
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    make_icons(out)
    make_backgrounds(out)
    make_menu_images(out)
    make_mapping_artwork(out)
    make_keyveil_pictures(out)
    make_mousora_pictures(out)
    make_viewtap_icon(out)
    make_key_artwork(out)
    make_pen_pictures(out)
    with open(os.path.join(out, "artwork.stamp"), "w") as f:
        f.write("done\n")
    return 0


if __name__ == "__main__":
    sys.exit(main())
