"""Writes the frame pictures of the page-picture tests with Pillow: a title band picture and a
side picture, each as BMP and as PNG, each in two colours (top half, bottom half), so that a test
can tell which file a page shows and that it is shown the right way up.

    make_pictures.py OUTPUT_FOLDER
"""
import os
import sys

from PIL import Image

# name: (width, height, top colour, bottom colour, format)
PICTURES = {
    "title-bmp.bmp": (100, 65, (0, 0, 255), (255, 255, 0), "BMP"),
    "title-png.png": (100, 65, (0, 160, 0), (200, 0, 0), "PNG"),
    "left-bmp.bmp": (120, 200, (0, 0, 255), (255, 255, 0), "BMP"),
    "left-png.png": (120, 200, (0, 160, 0), (200, 0, 0), "PNG"),
    # The twin of a title picture for 200 % screens.
    "title-2x.png": (200, 130, (200, 0, 200), (0, 160, 160), "PNG"),
}

# name: (width, height, left colour, right colour): tells a mirrored picture from an upright one.
SIDES = {
    "title-sides.bmp": (100, 65, (0, 0, 255), (255, 128, 0)),
}


def main():
    folder = sys.argv[1]
    os.makedirs(folder, exist_ok=True)
    for name, (width, height, top, bottom, kind) in PICTURES.items():
        picture = Image.new("RGB", (width, height), bottom)
        picture.paste(top, (0, 0, width, height // 2))
        picture.save(os.path.join(folder, name), kind)
    for name, (width, height, left, right) in SIDES.items():
        picture = Image.new("RGB", (width, height), right)
        picture.paste(left, (0, 0, width // 2, height))
        picture.save(os.path.join(folder, name), "BMP")


if __name__ == "__main__":
    main()
