#!/usr/bin/env python3
"""Writes deliberately odd variants of the default skin, one folder each, for
the preview test: usage odd_skins.py SKIN_FOLDER OUTPUT_FOLDER. Each variant is
the default skin with its description or bitmaps changed in one way a careless
skin author might."""
import os
import re
import shutil
import sys

sys.dont_write_bytecode = True
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "..", "tools", "skinart"))
from raster import Canvas, bmp24  # noqa: E402

MAGENTA = (255, 0, 255)


def set_key(ini, section, key, value):
    """The key's value in section, added at the section's end when missing."""
    head = re.search(r"^\[%s\]\r?$" % re.escape(section), ini, re.M)
    end = ini.find("\n[", head.end())
    end = len(ini) if end < 0 else end + 1
    body = ini[head.end():end]
    line = re.compile(r"^%s=.*$" % re.escape(key), re.M)
    body = line.sub("%s=%s" % (key, value), body) if line.search(body) else body.rstrip("\r\n") + "\n%s=%s\n" % (key, value)
    return ini[:head.end()] + body + ini[end:]


def plain_bmp(width, height, colour=(90, 110, 130)):
    return bmp24(Canvas(width, height, colour))


def zero_bmp():
    """A BMP header that claims an image of no pixels at all."""
    data = bytearray(plain_bmp(1, 1))
    data[18:26] = bytes(8)  # width 0, height 0
    return bytes(data)


BORDERS = ("Left", "Right", "Top", "Bottom")
BUTTONS = ("Button.Close", "Button.Maximize", "Button.Restore", "Button.Minimize", "Button.Icon")


def no_frame_bitmaps(ini, files):
    for side in BORDERS:
        ini = set_key(ini, "Personality", side, "")
    return ini


def frame_counts_beyond_the_image(ini, files):
    for side, count in zip(BORDERS, (40, 50, 500, 900)):
        ini = set_key(ini, "Personality", side + "Frame", str(count))
    return set_key(ini, "Button.Close", "frame", "300")


def margins_beyond_the_image(ini, files):
    for side in BORDERS:
        ini = set_key(ini, "Personality", side + "TopHeight", "700")
        ini = set_key(ini, "Personality", side + "BotHeight", "900")
    ini = set_key(ini, "Personality", "TileLeftMenu", "4000")
    return set_key(ini, "MenuItem", "LeftWidth", "5000")


def one_pixel_borders(ini, files):
    for name in ("left.bmp", "right.bmp", "top.bmp", "bottom.bmp"):
        files[name] = plain_bmp(1, 1)
    for side in BORDERS:
        ini = set_key(ini, "Personality", side + "Frame", "1")
    return ini


def zero_size_bitmaps(ini, files):
    for name in ("left.bmp", "top.bmp", "titleclose.bmp", "menubar.bmp", "menubackground.bmp"):
        files[name] = zero_bmp()
    return ini


def every_border_transparent(ini, files):
    for name in ("left.bmp", "right.bmp", "top.bmp", "bottom.bmp"):
        files[name] = plain_bmp(8, 8, MAGENTA)
    for side in BORDERS:
        ini = set_key(ini, "Personality", side + "Trans", "1")
        ini = set_key(ini, "Personality", side + "Frame", "1")
    return ini


def one_pixel_title_button(ini, files):
    files["titleclose.bmp"] = plain_bmp(1, 20, (200, 40, 40))
    return set_key(ini, "Button.Close", "frame", "0")


def absurd_button_values(ini, files):
    values = (("-100000", "2147483647"), ("99999999", "-5"), ("2147483647", "1000000"), ("-2147483648", "150"),
              ("0", "-1"))
    for section, (xcoord, visibility) in zip(BUTTONS, values):
        ini = set_key(ini, section, "Xcoord", xcoord)
        ini = set_key(ini, section, "Ycoord", xcoord)
        ini = set_key(ini, section, "Visibility", visibility)
        ini = set_key(ini, section, "Visibility1", visibility)
        ini = set_key(ini, section, "Align", visibility)
    return ini


VARIANTS = [no_frame_bitmaps, frame_counts_beyond_the_image, margins_beyond_the_image, one_pixel_borders,
            zero_size_bitmaps, every_border_transparent, one_pixel_title_button, absurd_button_values]


def main():
    source, output = sys.argv[1], sys.argv[2]
    for variant in VARIANTS:
        folder = os.path.join(output, variant.__name__.replace("_", "-"))
        shutil.rmtree(folder, ignore_errors=True)
        shutil.copytree(source, folder)
        path = os.path.join(folder, "skin.ini")
        with open(path, newline="") as file:
            ini = file.read()
        files = {}
        ini = variant(ini, files)
        with open(path, "w", newline="") as file:
            file.write(ini)
        for name, data in files.items():
            with open(os.path.join(folder, name), "wb") as file:
                file.write(data)
        print(folder)


if __name__ == "__main__":
    main()
