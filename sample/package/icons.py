"""Writes the sample's icons (.ico with one 32 x 32 true-colour image): the product's
"Application.ico" and the shortcut icons of the program folder."""
import struct

SIZE = 32


def _inside_circle(x, y, cx, cy, r):
    return (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def icon(colour, symbol):
    """A round badge in `colour`; `symbol` "arrow" (uninstall), "page" (manual) or "mark"."""
    r, g, b = colour
    rows = []
    for y in range(SIZE):
        row = bytearray()
        for x in range(SIZE):
            px, py = x + 0.5, y + 0.5
            if not _inside_circle(px, py, 16, 16, 15):
                row += bytes((0, 0, 0, 0))
                continue
            white = False
            if symbol == "arrow":
                white = (10 <= px <= 22 and 14 <= py <= 18) or (abs(px - 10) <= 5 - abs(py - 16) and px <= 10)
            elif symbol == "page":
                white = 10 <= px <= 22 and 7 <= py <= 25 and not (13 <= px <= 19 and int(py) % 4 == 0)
            else:
                white = abs(px - 16) <= (py - 8) * 0.6 and 8 <= py <= 24
            row += bytes((255, 255, 255, 255)) if white else bytes((b, g, r, 255))
        rows.append(row)
    xor = b"".join(reversed(rows))
    mask = bytes(SIZE * 4)  # one bit a pixel, rows padded to 32 bits: all drawn by alpha
    info = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
    image = info + xor + mask
    directory = struct.pack("<HHH", 0, 1, 1) + struct.pack("<BBBBHHII", SIZE, SIZE, 0, 0, 1, 32, len(image), 22)
    return directory + image
