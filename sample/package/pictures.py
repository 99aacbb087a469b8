"""Draws the sample's wizard pictures: a title band ("Title.bmp") and a side picture
("Left.bmp") per language, each in the language's own colour, with the product's kestrel mark,
and their twins for 200 % screens ("Title@2x.png", "Left@2x.png"), drawn at twice the size rather
than enlarged. Plain 24-bit BMP and PNG files, written without any imaging library so that every
machine draws the same bytes."""
import struct
import zlib

TITLE_SIZE = (554, 65)
LEFT_SIZE = (185, 318)

# The kestrel mark in a unit square: body and the two swept wings.
KESTREL = [
    [(0.50, 0.20), (0.58, 0.45), (0.54, 0.95), (0.46, 0.95), (0.42, 0.45)],
    [(0.46, 0.40), (0.00, 0.30), (0.10, 0.44), (0.44, 0.58)],
    [(0.54, 0.40), (1.00, 0.30), (0.90, 0.44), (0.56, 0.58)],
]

# One accent colour per language that the sample ships.
ACCENTS = {
    "English": (28, 70, 96),
    "German": (20, 96, 84),
    "ChineseT": (150, 32, 36),
    "ChineseS": (176, 60, 28),
    "French": (72, 52, 128),
    "Japanese": (40, 48, 120),
    "Russian": (36, 104, 52),
    "Arabic": (120, 84, 20),
    "Persian": (24, 100, 120),
}


def _blend(a, b, t):
    return tuple(int(round(x + (y - x) * t)) for x, y in zip(a, b))


def _inside(polygon, x, y):
    inside = False
    for (x1, y1), (x2, y2) in zip(polygon, polygon[1:] + polygon[:1]):
        if (y1 > y) != (y2 > y) and x < x1 + (y - y1) * (x2 - x1) / (y2 - y1):
            inside = not inside
    return inside


def _draw_mark(pixels, left, top, size, colour):
    shapes = [[(left + u * size, top + v * size) for u, v in shape] for shape in KESTREL]
    for y in range(max(0, int(top)), min(len(pixels), int(top + size) + 1)):
        row = pixels[y]
        for x in range(max(0, int(left)), min(len(row), int(left + size) + 1)):
            if any(_inside(shape, x + 0.5, y + 0.5) for shape in shapes):
                row[x] = colour


def _bmp(pixels):
    height = len(pixels)
    width = len(pixels[0])
    stride = (width * 3 + 3) & ~3
    body = bytearray()
    for row in reversed(pixels):
        line = bytearray()
        for r, g, b in row:
            line += bytes((b, g, r))
        body += line + bytes(stride - len(line))
    header = struct.pack("<2sIHHI", b"BM", 54 + len(body), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(body), 2835, 2835, 0, 0)
    return header + info + bytes(body)


def _png(pixels):
    height = len(pixels)
    width = len(pixels[0])
    raw = b"".join(b"\x00" + bytes(c for pixel in row for c in pixel) for row in pixels)

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))

    header = struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 9))
            + chunk(b"IEND", b""))


def _encode(pixels, scale):
    return _bmp(pixels) if scale == 1 else _png(pixels)


def title_band(accent, scale=1):
    width, height = TITLE_SIZE[0] * scale, TITLE_SIZE[1] * scale
    white = (255, 255, 255)
    pixels = []
    for y in range(height):
        row = []
        for x in range(width):
            # White where the page's title reads, the accent growing towards the mark.
            t = max(0.0, (x - width * 0.55) / (width * 0.45))
            row.append(_blend(white, _blend(white, accent, 0.35), t))
        pixels.append(row)
    for line in range(scale):
        for x in range(width):
            pixels[height - 2 * scale + line][x] = accent
    _draw_mark(pixels, width - 70 * scale, 4 * scale, 56 * scale, accent)
    return _encode(pixels, scale)


def side_picture(accent, scale=1):
    width, height = LEFT_SIZE[0] * scale, LEFT_SIZE[1] * scale
    light = _blend(accent, (255, 255, 255), 0.55)
    pixels = [[_blend(accent, light, y / (height - 1)) for _ in range(width)] for y in range(height)]
    _draw_mark(pixels, 22 * scale, 40 * scale, 140 * scale, (255, 255, 255))
    # The corners of a capture frame around the mark.
    for left, top, dx, dy in ((14, 30, 1, 1), (170, 30, -1, 1), (14, 190, 1, -1), (170, 190, -1, -1)):
        left, top = left * scale + (scale - 1 if dx < 0 else 0), top * scale + (scale - 1 if dy < 0 else 0)
        for i in range(24 * scale):
            for w in range(3 * scale):
                pixels[top + w * dy][left + i * dx] = (255, 255, 255)
                pixels[top + i * dy][left + w * dx] = (255, 255, 255)
    return _encode(pixels, scale)
