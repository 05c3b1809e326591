#!/usr/bin/env python3
"""Draws the cleaner's bitmaps and icons and writes them beside this script.

Everything is drawn from geometric shapes given as signed distance functions,
which gives anti-aliased edges without any imaging library. Running the script
again reproduces the committed files byte for byte; with --check it only
compares and exits non-zero when a file differs.

    python3 make_pictures.py [--check]
"""

import functools
import math
import struct
import sys
from pathlib import Path

HERE = Path(__file__).resolve().parent

# ---------------------------------------------------------------------------
# Palette: one brand colour pair, one warm accent, neutrals.

TEAL = (20, 158, 166)
TEAL_DARK = (12, 112, 124)
BLUE = (40, 108, 196)
BLUE_DARK = (26, 70, 140)
NAVY = (34, 52, 78)
GREEN = (44, 164, 88)
AMBER = (242, 152, 36)
RED = (222, 78, 52)
GREY = (132, 140, 150)
GREY_LIGHT = (206, 212, 218)
PAPER = (248, 250, 252)
WHITE = (255, 255, 255)

# Colours with a meaning for the program: the toolbar background that it
# replaces by the button face, the mask colour of the toolbar image lists and
# the mask colour of the small image lists. Artwork never uses them.
TOOLBAR_BACK = (192, 192, 192)
TOOLBAR_MASK = (212, 208, 200)
MAGENTA = (255, 0, 255)


def mix(a, b, t):
    return tuple(x + (y - x) * t for x, y in zip(a, b))


def lighten(colour, t=0.2):
    return mix(colour, WHITE, t)


# ---------------------------------------------------------------------------
# Shapes: (distance function, bounding box). The distance is negative inside.

def circle(cx, cy, r):
    return (lambda x, y: math.hypot(x - cx, y - cy) - r, (cx - r, cy - r, cx + r, cy + r))


def ring(cx, cy, r, width):
    return (lambda x, y: abs(math.hypot(x - cx, y - cy) - r) - width / 2,
            (cx - r - width, cy - r - width, cx + r + width, cy + r + width))


def rrect(x0, y0, x1, y1, r):
    cx, cy, hw, hh = (x0 + x1) / 2, (y0 + y1) / 2, (x1 - x0) / 2, (y1 - y0) / 2

    def dist(x, y):
        qx = abs(x - cx) - hw + r
        qy = abs(y - cy) - hh + r
        return math.hypot(max(qx, 0.0), max(qy, 0.0)) + min(max(qx, qy), 0.0) - r
    return (dist, (x0, y0, x1, y1))


def _segment_distance(x, y, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    length2 = dx * dx + dy * dy
    t = 0.0 if length2 == 0 else max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / length2))
    return math.hypot(x - ax - t * dx, y - ay - t * dy)


def stroke(polylines, width):
    """Lines of the given width with round caps and joins."""
    segments = []
    for line in polylines:
        if len(line) == 1:
            segments.append((line[0][0], line[0][1], line[0][0], line[0][1]))
        segments += [(a[0], a[1], b[0], b[1]) for a, b in zip(line, line[1:])]
    xs = [p[0] for line in polylines for p in line]
    ys = [p[1] for line in polylines for p in line]

    def dist(x, y):
        return min(_segment_distance(x, y, *s) for s in segments) - width / 2
    pad = width / 2
    return (dist, (min(xs) - pad, min(ys) - pad, max(xs) + pad, max(ys) + pad))


def polygon(points):
    edges = list(zip(points, points[1:] + points[:1]))
    xs = [p[0] for p in points]
    ys = [p[1] for p in points]

    def dist(x, y):
        inside = False
        for (ax, ay), (bx, by) in edges:
            if (ay > y) != (by > y) and x < ax + (y - ay) * (bx - ax) / (by - ay):
                inside = not inside
        d = min(_segment_distance(x, y, ax, ay, bx, by) for (ax, ay), (bx, by) in edges)
        return -d if inside else d
    return (dist, (min(xs), min(ys), max(xs), max(ys)))


def rounded(shape, r):
    """The shape grown by r: rounds the corners of polygons."""
    dist, (x0, y0, x1, y1) = shape
    return (lambda x, y: dist(x, y) - r, (x0 - r, y0 - r, x1 + r, y1 + r))


def union(*shapes):
    dists = [s[0] for s in shapes]
    box = (min(s[1][0] for s in shapes), min(s[1][1] for s in shapes),
           max(s[1][2] for s in shapes), max(s[1][3] for s in shapes))
    return (lambda x, y: min(d(x, y) for d in dists), box)


def subtract(shape, hole):
    dist, hole_dist = shape[0], hole[0]
    return (lambda x, y: max(dist(x, y), -hole_dist(x, y)), shape[1])


def rotated(shape, degrees, cx, cy):
    dist, (x0, y0, x1, y1) = shape
    c, s = math.cos(math.radians(degrees)), math.sin(math.radians(degrees))
    reach = max(math.hypot(x - cx, y - cy) for x in (x0, x1) for y in (y0, y1))

    def rdist(x, y):
        dx, dy = x - cx, y - cy
        return dist(cx + dx * c + dy * s, cy - dx * s + dy * c)
    return (rdist, (cx - reach, cy - reach, cx + reach, cy + reach))


def arc(cx, cy, rx, ry, start, end, steps=None):
    """Points of an elliptic arc; angles in degrees, counter-clockwise on screen."""
    steps = steps or max(4, int(abs(end - start) / 7.5))
    return [(cx + rx * math.cos(math.radians(start + (end - start) * i / steps)),
             cy - ry * math.sin(math.radians(start + (end - start) * i / steps)))
            for i in range(steps + 1)]


def star(cx, cy, outer, inner, points=4):
    pts = []
    for i in range(points * 2):
        r = outer if i % 2 == 0 else inner
        a = math.pi * i / points - math.pi / 2
        pts.append((cx + r * math.cos(a), cy + r * math.sin(a)))
    return polygon(pts)


def scaled(points, s, dx, dy):
    return [(dx + x * s, dy + y * s) for x, y in points]


# ---------------------------------------------------------------------------
# Canvas: premultiplied RGBA in floats, drawn with source-over.

class Canvas:
    def __init__(self, width, height):
        self.width, self.height = width, height
        self.pixels = [[0.0, 0.0, 0.0, 0.0] for _ in range(width * height)]

    def fill(self, shape, paint, opacity=1.0):
        """paint is an (r, g, b) colour or a function (x, y) -> colour."""
        dist, (x0, y0, x1, y1) = shape
        xs = range(max(0, math.floor(x0) - 1), min(self.width, math.ceil(x1) + 1))
        for y in range(max(0, math.floor(y0) - 1), min(self.height, math.ceil(y1) + 1)):
            for x in xs:
                cover = 0.5 - dist(x + 0.5, y + 0.5)
                if cover <= 0.0:
                    continue
                alpha = min(1.0, cover) * opacity
                colour = paint(x + 0.5, y + 0.5) if callable(paint) else paint
                self.blend(x, y, colour, alpha)

    def blend(self, x, y, colour, alpha):
        p = self.pixels[y * self.width + x]
        keep = 1.0 - alpha
        for i in range(3):
            p[i] = colour[i] / 255.0 * alpha + p[i] * keep
        p[3] = alpha + p[3] * keep

    def paste(self, other, left, top):
        for y in range(other.height):
            for x in range(other.width):
                r, g, b, a = other.pixels[y * other.width + x]
                if a > 0.0:
                    p = self.pixels[(top + y) * self.width + left + x]
                    for i, v in enumerate((r, g, b)):
                        p[i] = v + p[i] * (1.0 - a)
                    p[3] = a + p[3] * (1.0 - a)

    def rgba(self, x, y):
        """Straight (not premultiplied) 8-bit colour and alpha."""
        r, g, b, a = self.pixels[y * self.width + x]
        if a <= 0.0:
            return (0, 0, 0, 0)
        return tuple(min(255, int(round(v / a * 255))) for v in (r, g, b)) + (int(round(a * 255)),)

    def flatten(self, edge_back, back, threshold, avoid=()):
        """Opaque 8-bit rows: nearly transparent pixels become back, the rest
        is composed over edge_back. A pixel that would hit one of the reserved
        colours is nudged off it by one step."""
        rows = []
        for y in range(self.height):
            row = []
            for x in range(self.width):
                r, g, b, a = self.pixels[y * self.width + x]
                if a < threshold:
                    row.append(back)
                    continue
                colour = tuple(int(round((v + c / 255.0 * (1.0 - a)) * 255))
                               for v, c in zip((r, g, b), edge_back))
                while colour in avoid:
                    colour = (colour[0], colour[1], colour[2] + (1 if colour[2] < 255 else -1))
                row.append(colour)
            rows.append(row)
        return rows


# ---------------------------------------------------------------------------
# File formats

def bmp_bytes(rows):
    """24-bit bottom-up BMP with BITMAPINFOHEADER."""
    height, width = len(rows), len(rows[0])
    stride = (width * 3 + 3) & ~3
    data = bytearray()
    for row in reversed(rows):
        for r, g, b in row:
            data += bytes((b, g, r))
        data += bytes(stride - width * 3)
    header = struct.pack('<IiiHHIIiiII', 40, width, height, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    file_header = struct.pack('<2sIHHI', b'BM', 14 + len(header) + len(data), 0, 0, 14 + 40)
    return file_header + header + data


def icon_32(canvas):
    """A 32-bit image with alpha, with an AND mask that marks the mostly
    transparent pixels for systems that draw icons without alpha."""
    w, h = canvas.width, canvas.height
    xor = bytearray()
    rows = []
    for y in reversed(range(h)):
        row = []
        for x in range(w):
            r, g, b, a = canvas.rgba(x, y)
            xor += bytes((b, g, r, a))
            row.append(a >= 128)
        rows.append(row)
    return _icon_image(w, h, 32, b'', xor, rows)


def icon_8(rows, palette):
    """A 256-colour image of opaque rows in which None is transparent, mapped
    to the nearest colours of the palette. Transparent pixels are black in the
    colour image, which the AND mask then leaves out."""
    w, h = len(rows[0]), len(rows)
    nearest = {}
    stride = (w + 3) & ~3
    xor = bytearray()
    for row in reversed(rows):
        for colour in row:
            if colour is None:
                xor.append(0)
                continue
            if colour not in nearest:
                nearest[colour] = min(range(len(palette)),
                                      key=lambda i: _distance2(colour, palette[i]))
            xor.append(nearest[colour])
        xor += bytes(stride - w)
    colours = b''.join(bytes((b, g, r, 0)) for r, g, b in palette)
    colours += bytes(4 * (256 - len(palette)))
    return _icon_image(w, h, 8, colours, xor,
                       [[c is not None for c in row] for row in reversed(rows)])


def _icon_image(w, h, bits, colours, xor, opaque_rows):
    """The header, colour table, colour image and AND mask of one icon image;
    opaque_rows run bottom-up like the image."""
    mask = bytearray()
    mask_stride = ((w + 31) // 32) * 4
    for row in opaque_rows:
        row_bits = bytearray(mask_stride)
        for x, opaque in enumerate(row):
            if not opaque:
                row_bits[x // 8] |= 0x80 >> (x % 8)
        mask += row_bits
    header = struct.pack('<IiiHHIIiiII', 40, w, h * 2, 1, bits, 0, len(xor) + len(mask), 0, 0,
                         0, 0)
    return (w, h, bits, header + colours + xor + mask)


def ico_bytes(images):
    """ICO of (width, height, bits, data) images, written in the order given."""
    directory = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    body = b''
    for w, h, bits, data in images:
        colours = 0 if bits >= 8 else 1 << bits
        directory += struct.pack('<BBBBHHII', w % 256, h % 256, colours, 0, 1, bits, len(data),
                                 offset)
        offset += len(data)
        body += data
    return directory + body


def _distance2(a, b):
    return sum((x - y) * (x - y) for x, y in zip(a, b))


def median_cut(counts, n):
    """At most n colours for a {colour: pixel count} histogram: the box of
    colours with the largest weighted spread is split at the weighted median
    of its widest channel until there are n boxes; each gives its weighted
    mean."""
    def mean(box):
        total = sum(counts[c] for c in box)
        return tuple(int(round(sum(c[i] * counts[c] for c in box) / total)) for i in range(3))

    def spread(box):
        m = mean(box)
        return sum(_distance2(c, m) * counts[c] for c in box)

    boxes = [sorted(counts)]
    while len(boxes) < n:
        widest = max(range(len(boxes)), key=lambda i: spread(boxes[i]))
        box = boxes[widest]
        if len(box) < 2:
            break
        channel = max(range(3), key=lambda i: max(c[i] for c in box) - min(c[i] for c in box))
        box = sorted(box, key=lambda c: (c[channel], c))
        half, seen = sum(counts[c] for c in box) / 2, 0
        for cut in range(1, len(box)):
            seen += counts[box[cut - 1]]
            if seen >= half:
                break
        boxes[widest:widest + 1] = [box[:cut], box[cut:]]
    return [mean(box) for box in boxes]


# ---------------------------------------------------------------------------
# Glyphs of a small geometric stroke font. Units: cap height 10 (y from 0 at
# the top of capitals to 10 at the base line), x-height 7, descenders to 13.

def _glyphs():
    g = {}
    g['V'] = (7, [[(0, 0), (3.5, 10), (7, 0)]])
    g['P'] = (6, [[(0, 10), (0, 0), (3, 0)] + arc(3, 2.75, 2.75, 2.75, 90, -90)
                  + [(0, 5.5)]])
    g['R'] = (6.2, g['P'][1] + [[(3, 5.5), (6.2, 10)]])
    g['O'] = (8, [arc(4, 5, 4, 5, 0, 360, 64)])
    g['a'] = (7, [arc(3.5, 6.5, 3.5, 3.5, 0, 360, 48), [(7, 3), (7, 10)]])
    g['c'] = (6.5, [arc(3.5, 6.5, 3.5, 3.5, 50, 310)])
    g['e'] = (7, [[(0, 6.5), (7, 6.5)] + arc(3.5, 6.5, 3.5, 3.5, 0, 310)])
    g['i'] = (0, [[(0, 3), (0, 10)], [(0, 0.4)]])
    g['l'] = (0, [[(0, 0), (0, 10)]])
    g['n'] = (6.5, [[(0, 3), (0, 10)],
                    arc(3.25, 6.4, 3.25, 3.4, 180, 0) + [(6.5, 10)]])
    g['p'] = (7, [[(0, 3), (0, 13)], arc(3.5, 6.5, 3.5, 3.5, 0, 360, 48)])
    g['r'] = (4.2, [[(0, 3), (0, 10)], arc(3.6, 6.8, 3.6, 3.8, 180, 80)])
    g['t'] = (4, [[(1.5, 0.5), (1.5, 8)] + arc(3.5, 8, 2, 2, 180, 270) + [(4, 10)],
                  [(0, 3.1), (4, 3.1)]])
    g['v'] = (6, [[(0, 3), (3, 10), (6, 3)]])
    g['y'] = (6, [[(0, 3), (3, 10)], [(6, 3), (1.7, 13)]])
    g['C'] = (7.5, [arc(4, 5, 4, 5, 48, 312, 40)])
    g['d'] = (7, [[(7, 0), (7, 10)], arc(3.5, 6.5, 3.5, 3.5, 0, 360, 48)])
    g['f'] = (4.2, [[(1.2, 10), (1.2, 2.5)] + arc(3, 2.5, 1.8, 1.8, 180, 40),
                    [(0, 3.6), (3.8, 3.6)]])
    g['m'] = (10, [[(0, 3), (0, 10)],
                   arc(2.5, 6.2, 2.5, 3.2, 180, 0) + [(5, 10)],
                   arc(7.5, 6.2, 2.5, 3.2, 180, 0) + [(10, 10)]])
    g['o'] = (7, [arc(3.5, 6.5, 3.5, 3.5, 0, 360, 48)])
    g['w'] = (9, [[(0, 3), (2.25, 10), (4.5, 4.2), (6.75, 10), (9, 3)]])
    g['z'] = (6, [[(0, 3), (6, 3), (0, 10), (6, 10)]])
    g[' '] = (2.5, [])
    return g


GLYPHS = _glyphs()


def text_shapes(text, left, top, size, weight, spacing=2.2):
    """One stroke shape per glyph, the capitals size pixels tall, and the
    width of the whole text."""
    s = size / 10.0
    shapes = []
    x = left + weight / 2
    for ch in text:
        width, lines = GLYPHS[ch]
        if lines:
            shapes.append(stroke([scaled(line, s, x, top) for line in lines], weight))
        x += width * s + spacing * s + weight
    return shapes, x - left - spacing * s - weight / 2


# ---------------------------------------------------------------------------
# The logo mark: a rounded square in the brand gradient with a white V and a
# small warm spark.

def draw_mark(canvas, x0, y0, size, on_dark=False):
    s = size / 48.0
    box = rrect(x0 + 2 * s, y0 + 2 * s, x0 + 46 * s, y0 + 46 * s, 11 * s)
    if on_dark:
        canvas.fill(box, WHITE)
        v_colour = lambda x, y: mix(TEAL, BLUE, (y - y0) / size)
    else:
        canvas.fill(box, lambda x, y: mix(TEAL, BLUE, ((x - x0) + (y - y0)) / (2 * size)))
        v_colour = WHITE
    weight = max(2.6, 7.0 * s)
    canvas.fill(stroke([scaled([(12.5, 14), (23, 35), (33.5, 14)], s, x0, y0)], weight),
                v_colour)
    if size >= 24:
        canvas.fill(star(x0 + 36.5 * s, y0 + 11.5 * s, 7 * s, 2.2 * s), AMBER)


def draw_mark_16(canvas, bold):
    """The mark hinted for 16 x 16: edges and the V placed on the pixel grid."""
    canvas.fill(rrect(0.5, 0.5, 15.5, 15.5, 3.5),
                lambda x, y: mix(TEAL, BLUE, (x + y) / 32.0))
    canvas.fill(stroke([[(4.2, 4.5), (8, 11.8), (11.8, 4.5)]], 2.9 if bold else 2.5), WHITE)
    if not bold:
        canvas.fill(star(12.6, 3.4, 2.6, 0.9), AMBER)


def icon_images(sizes, bold=False):
    images = []
    for size in sizes:
        canvas = Canvas(size, size)
        if size == 16:
            draw_mark_16(canvas, bold)
        else:
            draw_mark(canvas, 0, 0, size)
        images.append(canvas)
    return images


ICONS = {'Veltrin.ico': ([16, 32, 48], False), 'tray.ico': ([16, 32], True)}

# The 256-colour images: a pixel with an alpha of at least 128 is opaque and
# its edge composed over a neutral mid grey, which reads as a soft outline on
# dark title bars and light windows alike; the rest is left out by the AND
# mask. The alpha is compared before rounding, so the pixels exactly half
# covered, the whole rim of the 16 x 16 mark with its edges on half pixels,
# are left out and the small images keep hard edges.
ICON_EDGE_BACK = (128, 128, 128)
ICON_THRESHOLD = 128 / 255

# Colours the palette keeps exactly: black for the transparent pixels, then
# the brand colours, whatever their share of the pixels.
ICON_PINNED = [(0, 0, 0), TEAL, TEAL_DARK, BLUE, BLUE_DARK, NAVY, WHITE, AMBER, RED]


def icon_palette(renderings):
    """One palette of 256 colours for all 256-colour images: the pinned
    colours, then the colours the renderings use, reduced by median cut when
    there are more than the rest of the table holds."""
    counts = {}
    for rows in renderings:
        for row in rows:
            for colour in row:
                if colour is not None and colour not in ICON_PINNED:
                    counts[colour] = counts.get(colour, 0) + 1
    return ICON_PINNED + sorted(median_cut(counts, 256 - len(ICON_PINNED)))


@functools.lru_cache(maxsize=None)
def icon_files():
    """The bytes of both icon files. Each holds a 256-colour image with an AND
    mask and a 32-bit image with alpha for every size, the 256-colour images
    first, smallest first, then the 32-bit ones. Windows before XP cannot
    draw the 32-bit images; it ranks all images of 256 colours or more alike
    and takes the first one of the size it needs. XP and later rank by depth:
    on a display of more than 256 colours they take the 32-bit image wherever
    it stands, on one of 256 colours the 256-colour image. Grouped by depth,
    the 256-colour images also make a whole icon of their own at the head of
    the directory, as icon editors lay out the older depths."""
    canvases = {name: icon_images(*args) for name, args in ICONS.items()}
    renderings = {name: [c.flatten(ICON_EDGE_BACK, None, ICON_THRESHOLD) for c in images]
                  for name, images in canvases.items()}
    palette = icon_palette(rows for name in ICONS for rows in renderings[name])
    return {name: ico_bytes([icon_8(rows, palette) for rows in renderings[name]]
                            + [icon_32(c) for c in canvases[name]])
            for name in ICONS}


# ---------------------------------------------------------------------------
# Toolbar: 50 x 36 cells; each picture is drawn around the cell's centre.

CELL_W, CELL_H = 50, 36


def question_mark(cx, top, height, weight):
    s = height / 10.0
    hook = arc(3, 3, 3, 3, 160, -40) + [(3.2, 6.2), (3.2, 7.0)]
    return union(stroke([scaled(hook, s, cx - 3 * s, top)], weight),
                 circle(cx + 0.2 * s, top + 9.6 * s, weight * 0.62))


def tool_start(c, tone):
    cx, cy = 25, 18
    c.fill(circle(cx, cy, 14.5), lambda x, y: tone(mix(lighten(TEAL, 0.12), TEAL_DARK,
                                                         (y - 3) / 29)))
    c.fill(rounded(polygon([(cx - 4.5, cy - 7.5), (cx + 7.5, cy), (cx - 4.5, cy + 7.5)]), 1.2),
           tone(WHITE))
    c.fill(star(cx + 13.5, cy - 12.5, 6, 1.8), tone(AMBER))


def tool_stop(c, tone):
    cx, cy = 25, 18
    octagon = [(cx + 14.5 * math.cos(math.radians(22.5 + 45 * i)),
                cy + 14.5 * math.sin(math.radians(22.5 + 45 * i))) for i in range(8)]
    c.fill(rounded(polygon(octagon), 1.0), lambda x, y: tone(mix(lighten(RED, 0.1),
                                                                     mix(RED, NAVY, 0.15),
                                                                     (y - 3) / 29)))
    c.fill(rrect(cx - 6, cy - 6, cx + 6, cy + 6, 1.8), tone(WHITE))


def tool_settings(c, tone):
    cx, cy = 25, 18
    teeth = [rotated(rrect(cx - 3.2, cy - 15, cx + 3.2, cy - 8, 1.2), 45 * i, cx, cy)
             for i in range(8)]
    gear = subtract(union(circle(cx, cy, 11), *teeth), circle(cx, cy, 4.8))
    c.fill(gear, lambda x, y: tone(mix(lighten(BLUE, 0.12), BLUE_DARK, (y - 3) / 30)))
    c.fill(ring(cx, cy, 7.6, 1.4), tone(lighten(BLUE, 0.35)), 0.6)


def tool_clear_log(c, tone):
    sheet = rrect(13.5, 3.5, 34.5, 32.5, 2.5)
    c.fill(rounded(sheet, 1.2), tone(GREY))
    c.fill(sheet, tone(PAPER))
    for i, y in enumerate((9.5, 14.5, 19.5, 24.5)):
        right = 29 if i % 2 == 0 else 25
        c.fill(stroke([[(18.5, y), (right, y)]], 2.0), tone(GREY_LIGHT))
    c.fill(circle(33.5, 25.5, 10.5), tone(PAPER))
    c.fill(circle(33.5, 25.5, 9), tone(RED))
    c.fill(stroke([[(30, 22), (37, 29)], [(37, 22), (30, 29)]], 2.6), tone(WHITE))


def tool_help(c, tone):
    cx, cy = 25, 18
    c.fill(circle(cx, cy, 14.5), lambda x, y: tone(mix(lighten(BLUE, 0.12), BLUE_DARK,
                                                         (y - 3) / 29)))
    c.fill(question_mark(cx, cy - 9.5, 19, 3.4), tone(WHITE))


TOOLS = [tool_start, tool_stop, tool_settings, tool_clear_log, tool_help]


def toolbar(hot):
    """The strip of all buttons. The hot one is lighter and sits on a soft
    glow; its background is the image lists' mask colour, as the program
    replaces the background colour by the button face only in the normal
    strip."""
    tone = (lambda colour: lighten(colour, 0.1)) if hot else (lambda colour: colour)
    strip = Canvas(CELL_W * len(TOOLS), CELL_H)
    for i, draw in enumerate(TOOLS):
        cell = Canvas(CELL_W, CELL_H)
        if hot:
            for r in (17.5, 16.5, 15.5):
                cell.fill(circle(25, 18, r), WHITE, 0.22)
        draw(cell, tone)
        strip.paste(cell, i * CELL_W, 0)
    # Edges are composed over a light face colour: the strip is shown on the
    # button face, which is light on every system the program runs on.
    return strip.flatten((226, 226, 222), TOOLBAR_MASK if hot else TOOLBAR_BACK, 0.2,
                         avoid=(TOOLBAR_BACK, TOOLBAR_MASK))


# ---------------------------------------------------------------------------
# Small images, 16 x 16 on magenta.

def small_deleted(c):
    c.fill(rrect(2.5, 2.8, 13.5, 5.0, 1.0), TEAL_DARK)
    c.fill(stroke([[(6.0, 2.8), (6.0, 1.5), (10.0, 1.5), (10.0, 2.8)]], 1.1), TEAL_DARK)
    c.fill(rounded(polygon([(4.2, 6.4), (11.8, 6.4), (11.0, 14.0), (5.0, 14.0)]), 0.7),
           lambda x, y: mix(TEAL, TEAL_DARK, (y - 6) / 9))
    c.fill(stroke([[(6.5, 8.3), (6.5, 12.2)], [(9.5, 8.3), (9.5, 12.2)]], 1.0), WHITE, 0.9)


def small_reboot(c):
    c.fill(circle(8, 8, 7.5), AMBER)
    c.fill(circle(8, 8, 5.6), WHITE)
    c.fill(stroke([[(8, 4.4), (8, 8), (10.6, 9.6)]], 1.4), NAVY)


def small_not_found(c):
    c.fill(circle(8, 8, 7.5), GREY)
    c.fill(question_mark(8, 3.2, 9.6, 1.9), WHITE)


def small_begins(c):
    c.fill(rounded(polygon([(4.2, 2.8), (13.2, 8), (4.2, 13.2)]), 1.3),
           lambda x, y: mix(lighten(BLUE, 0.15), BLUE_DARK, (y - 1.5) / 13))


def small_complete(c):
    c.fill(circle(8, 8, 7.5), lambda x, y: mix(lighten(GREEN, 0.1), mix(GREEN, NAVY, 0.2),
                                               y / 16))
    c.fill(stroke([[(4.6, 8.2), (7.0, 10.6), (11.4, 5.6)]], 1.8), WHITE)


def small_statistics(c):
    c.fill(rrect(2, 8, 5, 14, 0.6), TEAL)
    c.fill(rrect(6.5, 3, 9.5, 14, 0.6), BLUE)
    c.fill(rrect(11, 6, 14, 14, 0.6), AMBER)
    c.fill(rrect(1, 14, 15, 15.2, 0.4), NAVY)


def small_unchecked(c):
    c.fill(rrect(1.5, 1.5, 14.5, 14.5, 2.4), GREY)
    c.fill(rrect(2.7, 2.7, 13.3, 13.3, 1.4), WHITE)


def small_checked(c):
    c.fill(rrect(1.5, 1.5, 14.5, 14.5, 2.4), lambda x, y: mix(TEAL, TEAL_DARK, y / 16))
    c.fill(stroke([[(4.4, 8.2), (6.9, 10.7), (11.6, 5.4)]], 1.9), WHITE)


# The settings tree: a page, and one picture for each group of pages.

def small_page(c):
    c.fill(rounded(polygon([(3.5, 1.5), (10.0, 1.5), (12.5, 4.0), (12.5, 14.5), (3.5, 14.5)]),
                   0.6), GREY)
    c.fill(polygon([(4.6, 2.6), (9.4, 2.6), (11.4, 4.6), (11.4, 13.4), (4.6, 13.4)]), PAPER)
    c.fill(stroke([[(6.0, 6.5), (10.0, 6.5)], [(6.0, 8.8), (10.0, 8.8)], [(6.0, 11.1), (9.0, 11.1)]],
                  0.9), TEAL)


def small_general(c):
    c.fill(subtract(star(8, 8, 7.6, 5.6, 8), circle(8, 8, 2.4)),
           lambda x, y: mix(lighten(BLUE, 0.1), BLUE_DARK, y / 16))


def small_browsers(c):
    c.fill(circle(8, 8, 7.3), lambda x, y: mix(lighten(TEAL, 0.15), TEAL_DARK, y / 16))
    c.fill(stroke([arc(8, 8, 3.2, 6.8, 90, 270), arc(8, 8, 3.2, 6.8, 90, -90),
                   [(1.2, 8), (14.8, 8)], [(2.4, 4.6), (13.6, 4.6)], [(2.4, 11.4), (13.6, 11.4)]],
                  0.8), WHITE, 0.85)


def small_system(c):
    c.fill(rrect(1.0, 2.0, 15.0, 11.5, 1.2), NAVY)
    c.fill(rrect(2.4, 3.4, 13.6, 10.1, 0.4), lambda x, y: mix(lighten(BLUE, 0.2), BLUE, y / 11))
    c.fill(polygon([(6.5, 11.5), (9.5, 11.5), (10.2, 13.6), (5.8, 13.6)]), GREY)
    c.fill(rrect(4.0, 13.4, 12.0, 14.8, 0.6), NAVY)


def small_mail(c):
    c.fill(rrect(1.0, 3.0, 15.0, 13.0, 1.2), AMBER)
    c.fill(rrect(2.0, 4.0, 14.0, 12.0, 0.6), PAPER)
    c.fill(stroke([[(2.4, 4.6), (8.0, 9.0), (13.6, 4.6)]], 1.1), AMBER)


def small_drive(c):
    c.fill(rrect(1.0, 4.5, 15.0, 11.5, 1.4), lambda x, y: mix(GREY_LIGHT, GREY, (y - 4) / 8))
    c.fill(rrect(1.0, 9.5, 15.0, 11.5, 1.0), GREY)
    c.fill(circle(12.2, 7.2, 1.1), GREEN)


def small_multimedia(c):
    c.fill(stroke([[(6.5, 12.0), (6.5, 2.6), (13.0, 1.6), (13.0, 10.6)]], 1.4), NAVY)
    c.fill(circle(4.6, 12.4, 2.4), TEAL_DARK)
    c.fill(circle(11.1, 11.0, 2.4), TEAL_DARK)


def small_plugins(c):
    piece = union(rrect(2.0, 5.0, 12.0, 14.5, 1.0), circle(7.0, 3.8, 2.3), circle(13.0, 9.8, 2.3))
    c.fill(piece, lambda x, y: mix(lighten(GREEN, 0.15), mix(GREEN, NAVY, 0.25), y / 16))


LOG_IMAGES = [small_deleted, small_reboot, small_not_found, small_begins, small_complete,
              small_statistics]
# The Features list shows image 1; the settings tree shows image 0 for its
# pages and the others for its groups.
FEATURE_IMAGES = [small_page, small_checked, small_general, small_browsers, small_system,
                  small_mail, small_drive, small_multimedia, small_plugins]


def small_strip(draws):
    strip = Canvas(16 * len(draws), 16)
    for i, draw in enumerate(draws):
        cell = Canvas(16, 16)
        draw(cell)
        strip.paste(cell, 16 * i, 0)
    # Edges are composed over white, the background of the lists.
    return strip.flatten(WHITE, MAGENTA, 0.25, avoid=(MAGENTA,))


# ---------------------------------------------------------------------------
# Banner: the top right of the main window and the About box.

BANNER_W, BANNER_H = 300, 135


def banner():
    c = Canvas(BANNER_W, BANNER_H)
    c.fill(rrect(0, 0, BANNER_W, BANNER_H, 0),
           lambda x, y: mix(mix(TEAL, BLUE, 0.15), BLUE_DARK, (x / BANNER_W * 0.6 + y / BANNER_H
                                                               * 0.4)))
    c.fill(circle(268, 4, 70), WHITE, 0.06)
    c.fill(circle(300, 126, 46), WHITE, 0.05)
    c.fill(circle(18, 140, 40), WHITE, 0.04)

    draw_mark(c, 16, 34, 62, on_dark=True)

    title_top = 44
    shapes, width = text_shapes('Veltrin', 92, title_top, 26, 4.6)
    for shape in shapes:
        c.fill(shape, WHITE)
    pro_left = 92 + width + 8
    pro_shapes, pro_width = text_shapes('PRO', pro_left + 6, title_top + 8, 14, 2.8, 1.6)
    c.fill(rrect(pro_left, title_top + 2.5, pro_left + pro_width + 12, title_top + 27.5, 4),
           AMBER)
    for shape in pro_shapes:
        c.fill(shape, WHITE)

    for shape in text_shapes('privacy cleaner', 93, 83, 9, 1.4, 2.6)[0]:
        c.fill(shape, WHITE, 0.85)
    return c.flatten(BLUE_DARK, BLUE_DARK, 0.0)


# ---------------------------------------------------------------------------
# Wizard banner: across the top of the wizard, which draws its step text in
# black over the plain light band right of the mark.

WIZARD_W, WIZARD_H = 423, 65


def wizard_banner():
    c = Canvas(WIZARD_W, WIZARD_H)
    pale = lighten(TEAL, 0.86)
    c.fill(rrect(0, 0, WIZARD_W, WIZARD_H, 0),
           lambda x, y: mix(WHITE, pale, max(0.0, (x - 200) / (WIZARD_W - 200)) ** 1.4))
    c.fill(circle(400, -10, 70), lighten(TEAL, 0.7), 0.35)
    c.fill(circle(330, 80, 48), lighten(BLUE, 0.75), 0.25)

    draw_mark(c, 10, 6, 50)
    for shape in text_shapes('Confirmation wizard', 72, 30, 13, 2.0, 2.0)[0]:
        c.fill(shape, NAVY)

    # A short checklist: the three answers of a step.
    for i, y in enumerate((14.5, 30.5, 46.5)):
        box = rrect(337.5, y - 5.5, 348.5, y + 5.5, 2.2)
        c.fill(rounded(box, 1.0), TEAL_DARK, 0.9)
        c.fill(box, WHITE)
        if i != 1:
            c.fill(stroke([[(340, y + 0.3), (342.5, y + 2.8), (346.5, y - 2.6)]], 1.8), TEAL)
        c.fill(stroke([[(355, y), (395 - 10 * (i % 2), y)]], 2.4), GREY_LIGHT)
    c.fill(rrect(0, WIZARD_H - 3, WIZARD_W, WIZARD_H, 0),
           lambda x, y: mix(TEAL, BLUE, x / WIZARD_W))
    return c.flatten(WHITE, WHITE, 0.0)


# ---------------------------------------------------------------------------
# Drive list image, 16 x 16 on magenta: a fixed disk.

def small_fixed_disk(c):
    c.fill(rrect(0.5, 4.5, 15.5, 12.5, 1.8), lambda x, y: mix(GREY_LIGHT, GREY, (y - 4) / 9))
    c.fill(rrect(1.5, 5.3, 14.5, 8.6, 1.1), lighten(GREY_LIGHT, 0.5))
    c.fill(rrect(1.5, 9.2, 14.5, 11.6, 0.8), mix(GREY, NAVY, 0.35))
    c.fill(stroke([[(3.5, 10.4), (8.5, 10.4)]], 0.9), GREY_LIGHT)
    c.fill(circle(12.2, 10.4, 1.0), GREEN)


DRIVE_IMAGES = [small_fixed_disk]


# ---------------------------------------------------------------------------
# Option page background: the bottom-right corner of every page, on exactly
# the page's colour, with the mark faded into it.

PAGE_W, PAGE_H = 150, 110
PAGE = (214, 211, 206)


def page_background():
    c = Canvas(PAGE_W, PAGE_H)
    c.fill(rrect(0, 0, PAGE_W, PAGE_H, 0), PAGE)
    x0, y0, size = 40, 14, 120
    s = size / 48.0
    c.fill(ring(x0 + 24 * s, y0 + 24 * s, 27 * s, 1.2), WHITE, 0.35)
    c.fill(rrect(x0 + 2 * s, y0 + 2 * s, x0 + 46 * s, y0 + 46 * s, 11 * s),
           lambda x, y: mix(TEAL, BLUE, ((x - x0) + (y - y0)) / (2 * size)), 0.12)
    c.fill(stroke([scaled([(12.5, 14), (23, 35), (33.5, 14)], s, x0, y0)], 7.0 * s), WHITE,
           0.45)
    c.fill(star(x0 + 36.5 * s, y0 + 11.5 * s, 7 * s, 2.2 * s), AMBER, 0.22)
    return c.flatten(PAGE, PAGE, 0.0)


# ---------------------------------------------------------------------------

def pictures():
    return {
        'toolbar.bmp': lambda: bmp_bytes(toolbar(hot=False)),
        'toolbar_hot.bmp': lambda: bmp_bytes(toolbar(hot=True)),
        'log_images.bmp': lambda: bmp_bytes(small_strip(LOG_IMAGES)),
        'feature_images.bmp': lambda: bmp_bytes(small_strip(FEATURE_IMAGES)),
        'banner.bmp': lambda: bmp_bytes(banner()),
        'wizard_banner.bmp': lambda: bmp_bytes(wizard_banner()),
        'drive_images.bmp': lambda: bmp_bytes(small_strip(DRIVE_IMAGES)),
        'page_background.bmp': lambda: bmp_bytes(page_background()),
        'Veltrin.ico': lambda: icon_files()['Veltrin.ico'],
        'tray.ico': lambda: icon_files()['tray.ico'],
    }


def main(argv):
    check = '--check' in argv[1:]
    differ = []
    for name, make in pictures().items():
        data = make()
        path = HERE / name
        if check:
            if not path.exists() or path.read_bytes() != data:
                differ.append(name)
        else:
            path.write_bytes(data)
    for name in differ:
        print(f'{name} differs from what make_pictures.py draws', file=sys.stderr)
    return 1 if differ else 0


if __name__ == '__main__':
    sys.exit(main(sys.argv))
