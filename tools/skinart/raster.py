"""Small raster helpers for the skin generator: an RGB canvas, crisp shapes and BMP output.

Only the standard library is used, so the skin regenerates on any machine with Python 3.
"""
import math
import struct

MAGENTA = (255, 0, 255)


def mix(a, b, t):
    """Colour a blended toward b by t (0..1), rounded so output stays deterministic."""
    return tuple(int(round(a[i] + (b[i] - a[i]) * t)) for i in range(3))


def hex_colour(text):
    text = text.lstrip("#")
    return tuple(int(text[i:i + 2], 16) for i in (0, 2, 4))


class Canvas:
    def __init__(self, width, height, fill=MAGENTA):
        self.width = width
        self.height = height
        self.rows = [[fill] * width for _ in range(height)]

    def get(self, x, y):
        return self.rows[y][x]

    def put(self, x, y, colour):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.rows[y][x] = colour

    def rect(self, x0, y0, x1, y1, colour):
        """Fills [x0, x1) x [y0, y1)."""
        for y in range(max(y0, 0), min(y1, self.height)):
            row = self.rows[y]
            for x in range(max(x0, 0), min(x1, self.width)):
                row[x] = colour

    def outline(self, x0, y0, x1, y1, colour):
        self.rect(x0, y0, x1, y0 + 1, colour)
        self.rect(x0, y1 - 1, x1, y1, colour)
        self.rect(x0, y0, x0 + 1, y1, colour)
        self.rect(x1 - 1, y0, x1, y1, colour)

    def vgradient(self, x0, y0, x1, y1, top, bottom):
        span = max(y1 - y0 - 1, 1)
        for y in range(y0, y1):
            self.rect(x0, y, x1, y + 1, mix(top, bottom, (y - y0) / span))

    def pattern(self, x, y, rows, colour):
        """Draws '#' cells of a small pixel map; other characters leave pixels alone."""
        for dy, line in enumerate(rows):
            for dx, ch in enumerate(line):
                if ch == "#":
                    self.put(x + dx, y + dy, colour)

    def blit(self, src, x, y):
        for sy in range(src.height):
            for sx in range(src.width):
                self.put(x + sx, y + sy, src.rows[sy][sx])

    def crop(self, x0, y0, x1, y1):
        out = Canvas(x1 - x0, y1 - y0)
        out.rows = [row[x0:x1] for row in self.rows[y0:y1]]
        return out

    def mirrored(self):
        out = Canvas(self.width, self.height)
        out.rows = [list(reversed(row)) for row in self.rows]
        return out

    def flipped(self):
        out = Canvas(self.width, self.height)
        out.rows = [list(row) for row in reversed(self.rows)]
        return out

    def transposed(self):
        out = Canvas(self.height, self.width)
        out.rows = [[self.rows[y][x] for y in range(self.height)] for x in range(self.width)]
        return out


def side_by_side(frames):
    out = Canvas(sum(f.width for f in frames), max(f.height for f in frames))
    x = 0
    for frame in frames:
        out.blit(frame, x, 0)
        x += frame.width
    return out


def stacked(frames):
    out = Canvas(max(f.width for f in frames), sum(f.height for f in frames))
    y = 0
    for frame in frames:
        out.blit(frame, 0, y)
        y += frame.height
    return out


def _inside_rounded(px, py, box, radii):
    """Whether point (px, py) lies in box (x0, y0, x1, y1) with corner radii (tl, tr, br, bl)."""
    x0, y0, x1, y1 = box
    if not (x0 <= px <= x1 and y0 <= py <= y1):
        return False
    corners = ((x0, y0, 1, 1), (x1, y0, -1, 1), (x1, y1, -1, -1), (x0, y1, 1, -1))
    for (cx, cy, sx, sy), r in zip(corners, radii):
        if r <= 0:
            continue
        ox, oy = cx + sx * r, cy + sy * r
        if (px - ox) * sx < 0 and (py - oy) * sy < 0:
            if (px - ox) ** 2 + (py - oy) ** 2 > r * r:
                return False
    return True


def coverage(x, y, box, radii, samples):
    """Share of pixel (x, y) inside the shape; samples=1 tests the pixel centre only (crisp)."""
    hits = 0
    for i in range(samples):
        for j in range(samples):
            if _inside_rounded(x + (i + 0.5) / samples, y + (j + 0.5) / samples, box, radii):
                hits += 1
    return hits / (samples * samples)


def _at(colour, y):
    """A colour, or a colour chosen per row (gradients) when given as a function."""
    return colour(y) if callable(colour) else colour


def rounded(canvas, box, radius, fill, border=None, blend_on=None, corners=(1, 1, 1, 1)):
    """A rounded rectangle on [x0, x1) x [y0, y1) with an optional 1-px border.

    Edges are crisp unless blend_on names the colour the shape will be shown on; only then
    are edge pixels softened toward it (glyphs drawn on a known face colour). Colours may be
    functions of the row, for gradients.
    """
    x0, y0, x1, y1 = box
    radii = tuple(radius * c for c in corners)
    inner_radii = tuple(max(r - 1, 0) for r in radii)
    samples = 4 if blend_on else 1
    outer_box = (x0, y0, x1, y1)
    inner_box = (x0 + 1, y0 + 1, x1 - 1, y1 - 1)
    for y in range(math.floor(y0), math.ceil(y1)):
        for x in range(math.floor(x0), math.ceil(x1)):
            outer = coverage(x, y, outer_box, radii, samples)
            if outer == 0:
                continue
            inner = coverage(x, y, inner_box, inner_radii, samples) if border else outer
            colour = _at(fill, y)
            if border and inner < 1:
                colour = mix(_at(border, y), colour, inner / outer)
            if outer < 1:
                colour = mix(_at(blend_on, y), colour, outer)
            canvas.put(x, y, colour)


def _distance_to_segment(px, py, a, b):
    (ax, ay), (bx, by) = a, b
    dx, dy = bx - ax, by - ay
    length = dx * dx + dy * dy
    t = 0 if length == 0 else max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / length))
    return math.hypot(px - (ax + t * dx), py - (ay + t * dy))


def strokes(canvas, segments, width, colour, background, samples=4):
    """Lines of the given width with square-cut ends, each pixel's share of ink blended onto
    background(x, y), the colour the pixel is shown on."""
    half = width / 2
    xs = [x for segment in segments for x, _ in segment]
    ys = [y for segment in segments for _, y in segment]
    for y in range(max(0, math.floor(min(ys) - half)), min(canvas.height, math.ceil(max(ys) + half))):
        for x in range(max(0, math.floor(min(xs) - half)), min(canvas.width, math.ceil(max(xs) + half))):
            hits = 0
            for i in range(samples):
                for j in range(samples):
                    sx, sy = x + (i + 0.5) / samples, y + (j + 0.5) / samples
                    if any(_distance_to_segment(sx, sy, a, b) <= half for a, b in segments):
                        hits += 1
            if hits:
                share = hits / (samples * samples)
                canvas.put(x, y, mix(background(x, y), colour, share) if share < 1 else colour)


def bmp24(canvas):
    """A bottom-up 24-bit Windows BMP file; no resolution fields, so output is reproducible."""
    stride = (canvas.width * 3 + 3) & ~3
    pixels = bytearray()
    for row in reversed(canvas.rows):
        line = bytearray()
        for r, g, b in row:
            line += bytes((b, g, r))
        pixels += line + bytes(stride - len(line))
    return _bmp_headers(canvas.width, canvas.height, 24, b"", len(pixels)) + bytes(pixels)


def bmp1(canvas):
    """A 1-bit BMP: white pixels become 1 (white), everything else 0 (black)."""
    stride = ((canvas.width + 31) // 32) * 4
    palette = bytes((0, 0, 0, 0, 255, 255, 255, 0))
    pixels = bytearray()
    for row in reversed(canvas.rows):
        line = bytearray(stride)
        for x, colour in enumerate(row):
            if colour == (255, 255, 255):
                line[x // 8] |= 0x80 >> (x % 8)
        pixels += line
    return _bmp_headers(canvas.width, canvas.height, 1, palette, len(pixels)) + bytes(pixels)


def _bmp_headers(width, height, bits, palette, image_size):
    offset = 14 + 40 + len(palette)
    file_header = struct.pack("<2sIHHI", b"BM", offset + image_size, 0, 0, offset)
    colours = len(palette) // 4
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 0, image_size, 0, 0, colours, 0)
    return file_header + info + palette


def read_bmp_header(data):
    """(width, height, bits per pixel) of a BMP file, or raises ValueError."""
    if len(data) < 54 or data[:2] != b"BM":
        raise ValueError("not a BMP file")
    width, height, _planes, bits = struct.unpack_from("<iiHH", data, 18)
    return width, abs(height), bits
