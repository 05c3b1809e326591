"""Drawing for the programs' bitmaps and icons, shared by the scripts that
make the pictures of each program (res/make_pictures.py beside its resources).

Everything is drawn from geometric shapes given as signed distance functions,
which gives anti-aliased edges without any imaging library, and written as
BMP and ICO files byte for byte the same on every run.
"""

import math
import struct
import sys
import zlib
from pathlib import Path

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

# The mask colour of the small image lists. Artwork never uses it.
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


def question_mark(cx, top, height, weight):
    s = height / 10.0
    hook = arc(3, 3, 3, 3, 160, -40) + [(3.2, 6.2), (3.2, 7.0)]
    return union(stroke([scaled(hook, s, cx - 3 * s, top)], weight),
                 circle(cx + 0.2 * s, top + 9.6 * s, weight * 0.62))


# ---------------------------------------------------------------------------
# Strips of small images, 16 x 16 on magenta, for the lists and trees.

def small_strip(draws, edge_back=WHITE):
    """The pictures side by side, their edges composed over the colour they
    are mostly shown on: white, the background of the lists, unless told."""
    strip = Canvas(16 * len(draws), 16)
    for i, draw in enumerate(draws):
        cell = Canvas(16, 16)
        draw(cell)
        strip.paste(cell, 16 * i, 0)
    return strip.flatten(edge_back, MAGENTA, 0.25, avoid=(MAGENTA,))


# ---------------------------------------------------------------------------
# Icons

# The 256-colour images: a pixel with an alpha of at least 128 is opaque and
# its edge composed over a neutral mid grey, which reads as a soft outline on
# dark title bars and light windows alike; the rest is left out by the AND
# mask. The alpha is compared before rounding, so the pixels exactly half
# covered, the whole rim of a 16 x 16 mark with its edges on half pixels,
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


def icon_set(canvases):
    """The bytes of icon files from {file name: [canvas of each size]}, the
    sizes smallest first. Each file holds a 256-colour image with an AND mask
    and a 32-bit image with alpha for every size, the 256-colour images
    first, then the 32-bit ones; all 256-colour images share one palette.
    Windows before XP cannot draw the 32-bit images; it ranks all images of
    256 colours or more alike and takes the first one of the size it needs.
    XP and later rank by depth: on a display of more than 256 colours they
    take the 32-bit image wherever it stands, on one of 256 colours the
    256-colour image. Grouped by depth, the 256-colour images also make a
    whole icon of their own at the head of the directory, as icon editors
    lay out the older depths."""
    renderings = {name: [c.flatten(ICON_EDGE_BACK, None, ICON_THRESHOLD) for c in images]
                  for name, images in canvases.items()}
    palette = icon_palette(rows for name in canvases for rows in renderings[name])
    return {name: ico_bytes([icon_8(rows, palette) for rows in renderings[name]]
                            + [icon_32(c) for c in canvases[name]])
            for name in canvases}


# ---------------------------------------------------------------------------
# Previews: the pictures as PNG files, enlarged, for people to look at.

def png_bytes(rows):
    """An 8-bit RGBA PNG of rows of (r, g, b, a)."""
    raw = b''.join(b'\0' + b''.join(bytes(p) for p in row) for row in rows)

    def chunk(kind, data):
        return (struct.pack('>I', len(data)) + kind + data
                + struct.pack('>I', zlib.crc32(kind + data) & 0xFFFFFFFF))
    header = struct.pack('>IIBBBBB', len(rows[0]), len(rows), 8, 6, 0, 0, 0)
    return (b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', header) + chunk(b'IDAT', zlib.compress(raw, 9))
            + chunk(b'IEND', b''))


def _bmp_rows(data):
    width, height = struct.unpack_from('<ii', data, 18)
    offset = struct.unpack_from('<I', data, 10)[0]
    stride = (width * 3 + 3) & ~3
    rows = []
    for y in reversed(range(height)):
        base = offset + y * stride
        rows.append([(data[base + 3 * x + 2], data[base + 3 * x + 1], data[base + 3 * x], 255)
                     for x in range(width)])
    return rows


def _icon_rows(data):
    """The 32-bit images of an ICO file, each as rows of (r, g, b, a)."""
    count = struct.unpack_from('<H', data, 4)[0]
    images = []
    for i in range(count):
        w, h, _, _, _, bits, _, offset = struct.unpack_from('<BBBBHHII', data, 6 + 16 * i)
        if bits != 32:
            continue
        w, h = w or 256, h or 256
        pixels = offset + 40
        rows = []
        for y in reversed(range(h)):
            base = pixels + y * w * 4
            rows.append([(data[base + 4 * x + 2], data[base + 4 * x + 1], data[base + 4 * x],
                          data[base + 4 * x + 3]) for x in range(w)])
        images.append(rows)
    return images


def _enlarged(rows, scale):
    return [[p for p in row for _ in range(scale)] for row in rows for _ in range(scale)]


def write_previews(pictures, folder, scale=6):
    folder.mkdir(parents=True, exist_ok=True)
    for name, make in pictures.items():
        data = make()
        stem = Path(name).stem
        if name.endswith('.bmp'):
            (folder / f'{stem}.png').write_bytes(png_bytes(_enlarged(_bmp_rows(data), scale)))
        elif name.endswith('.ico'):
            for rows in _icon_rows(data):
                size = len(rows)
                (folder / f'{stem}_{size}.png').write_bytes(
                    png_bytes(_enlarged(rows, max(1, scale * 48 // size))))


# ---------------------------------------------------------------------------

def run(pictures, here, argv):
    """Writes the pictures, {file name: function giving its bytes}, into the
    folder here. With --check it only compares and returns non-zero when a
    file differs; with --preview FOLDER it writes enlarged PNG files there
    instead."""
    args = argv[1:]
    if '--preview' in args:
        index = args.index('--preview')
        if index + 1 >= len(args):
            print('--preview needs a folder', file=sys.stderr)
            return 2
        write_previews(pictures, Path(args[index + 1]))
        return 0
    check = '--check' in args
    differ = []
    for name, make in pictures.items():
        data = make()
        path = here / name
        if check:
            if not path.exists() or path.read_bytes() != data:
                differ.append(name)
        else:
            path.write_bytes(data)
    script = Path(argv[0]).name
    for name in differ:
        print(f'{name} differs from what {script} draws', file=sys.stderr)
    return 1 if differ else 0
