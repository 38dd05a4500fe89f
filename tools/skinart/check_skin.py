#!/usr/bin/env python3
"""Checks the default skin in resources/skin: it must equal what skinart.py writes, and every
bitmap the description names must exist in the form the skin engine splits it into frames.

The frame rules here are the engine's own (how many state images each section's bitmap holds and
whether they are stacked), written out independently of the generator, so a drawing change that
breaks the engine's expectations fails here.
"""
import configparser
import os
import shutil
import struct
import sys
import tempfile
import unittest

sys.dont_write_bytecode = True  # keep the source tree free of caches
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import skinart  # noqa: E402
from raster import read_bmp_header  # noqa: E402

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
SKIN = os.path.join(ROOT, "resources", "skin")
MENU_GLYPHS = os.path.join(ROOT, "resources", "tesseramenu.bmp")
MAGENTA = (255, 0, 255)

# (section, image key) -> frame count, or the key that holds it; frames lie side by side.
FIXED_FRAMES = {
    ("MDICONTROLS", "Image"): 12, ("Buttons", "Bitmap"): 5,
    ("Buttons", "CheckButton"): "CheckButtonFrame", ("Buttons", "RadioButton"): "RadioButtonFrame",
    ("Progress", "Bitmap"): 2, ("Progress", "Chunk"): 1, ("GroupBoxEdge", "Image"): 2,
    ("GroupBox", "Image"): 1, ("Toolbars", "Image"): 5, ("Tabs", "Image"): 5, ("Tabs", "Border"): 1,
    ("StatusBarEdges", "Image"): 3, ("ComboButton", "Image"): 4, ("SunkEdge", "Image"): 4,
    ("ExtraImages", "Image"): 5, ("Headerbar", "Image"): 5, ("MenuItem", "Image"): 5,
    ("MenuBackground", "Image"): 1, ("Scrollbar", "Image"): 23, ("HorzScroll", "Image"): 4,
    ("VertScroll", "Image"): 4, ("HorzScrollThumb", "Image"): "FrameCount",
    ("VertScrollThumb", "Image"): "FrameCount",
    ("UpDown.Horz", "Image"): 8, ("UpDown.Horz", "GlyphImage"): 8,
    ("UpDown.Vert", "Image"): 8, ("UpDown.Vert", "GlyphImage"): 8,
}
for _side in ("Horz", "Vert", "Left", "Right", "Up", "Down"):
    FIXED_FRAMES[("Trackbar.Thumb" + _side, "Image")] = 5

# Text colour, background colour (or a bitmap whose frame's average is the background).
READABLE_PAIRS = [
    ("WindowText", "ButtonFace"), ("ButtonText", "ButtonFace"), ("MenuText", "Menu"),
    ("HilightText", "Hilight"), ("MenuBarText", ("menubar.bmp", 2, True, 1)),
    ("MenuBarText", ("menubar.bmp", 2, True, 2)),
    ("TitleTextActive", ("top.bmp", 2, True, 1)), ("TitleTextNoActive", ("top.bmp", 2, True, 2)),
    ("TitleTextActive", ("textback.bmp", 2, True, 1)),
    ("TitleTextNoActive", ("textback.bmp", 2, True, 2)),
]
MIN_CONTRAST = 4.5


def read_description(folder):
    parser = configparser.ConfigParser(interpolation=None, strict=True)
    with open(os.path.join(folder, "skin.ini"), encoding="ascii") as file:
        parser.read_file(file)
    return parser


def load_pixels(path):
    with open(path, "rb") as file:
        data = file.read()
    width, height, bits = read_bmp_header(data)
    offset = struct.unpack_from("<I", data, 10)[0]
    stride = ((width * bits + 31) // 32) * 4
    if bits != 24 or len(data) < offset + stride * height:
        return width, height, bits, None
    rows = []
    for row in range(height):
        base = offset + (height - 1 - row) * stride
        rows.append([(data[base + 3 * x + 2], data[base + 3 * x + 1], data[base + 3 * x])
                     for x in range(width)])
    return width, height, bits, rows


def frame_rules(ini):
    """(section, key, bitmap name, frame count, stacked) for every bitmap the engine reads."""
    rules = []
    personality = ini["Personality"]
    for piece in ("Left", "Right", "Top", "Bottom"):
        rules.append(("Personality", piece, personality.get(piece, ""),
                      personality.getint(piece + "Frame", 1), piece in ("Top", "Bottom")))
    rules.append(("Personality", "TextBack", personality.get("TextBack", ""), 2, True))
    rules.append(("Personality", "menuBar", personality.get("menuBar", ""), 2, True))
    for name in ini.sections():
        upper = name.upper()
        if upper.startswith("BUTTON") and upper not in ("BUTTONS", "BUTTON", "BUTTON.RADIO",
                                                        "BUTTON.CHECKBOX"):
            rules.append((name, "ButtonImage", ini[name].get("ButtonImage", ""),
                          ini[name].getint("frame", 0), False))
    for (name, key), count in FIXED_FRAMES.items():
        if not ini.has_section(name):
            rules.append((name, key, "", 1, False))
            continue
        if isinstance(count, str):
            count = ini[name].getint(count, 3 if count == "FrameCount" else 0)
        rules.append((name, key, ini[name].get(key, ""), count, False))
    return rules


def bitmap_problems(folder, ini):
    problems = []
    sizes = {}
    for name, key, image, count, stacked in frame_rules(ini):
        where = "[%s] %s" % (name, key)
        if not image:
            problems.append("%s names no bitmap" % where)
            continue
        if image != image.lower() or not image.endswith(".bmp") or os.sep in image:
            problems.append("%s: %s is not a bare lower-case .bmp name" % (where, image))
            continue
        path = os.path.join(folder, image)
        if not os.path.isfile(path):
            problems.append("%s: %s is missing" % (where, image))
            continue
        width, height, bits, rows = load_pixels(path)
        if bits != 24 or rows is None:
            problems.append("%s: %s has %d bits per pixel, not 24" % (where, image, bits))
            continue
        length = height if stacked else width
        if count < 1 or length % count:
            problems.append("%s: %s is %dx%d, which does not split into %d frames"
                            % (where, image, width, height, count))
            continue
        sizes[(name, key)] = (width // (1 if stacked else count), height // (count if stacked else 1))
    return problems, sizes


def margin_problems(ini, sizes):
    """Fixed margins must leave a middle to stretch, or the engine drops them."""
    problems = []
    for (name, key), (width, height) in sizes.items():
        if name == "Personality" or key != ("Bitmap" if name in ("Buttons", "Progress") else "Image"):
            continue
        section = ini[name]
        left, right = section.getint("LeftWidth", 0), section.getint("RightWidth", 0)
        top, bottom = section.getint("TopHeight", 0), section.getint("BottomHeight", 0)
        if left + right >= width and left + right > 0 or top + bottom >= height and top + bottom > 0:
            problems.append("[%s]: margins %d,%d,%d,%d leave no middle in a %dx%d frame"
                            % (name, left, top, right, bottom, width, height))
    return problems


def frame_shape_problems(folder, ini, sizes):
    """The border pieces must agree with each other and shape the window at its top corners."""
    problems = []
    p = ini["Personality"]
    title = sizes.get(("Personality", "Top"), (0, 0))[1]
    for piece in ("Left", "Right"):
        width, height = sizes.get(("Personality", piece), (0, 0))
        if p.getint(piece + "TopHeight", 0) != title:
            problems.append("%sTopHeight differs from the title height %d" % (piece, title))
        if p.getint(piece + "BotHeight", 0) != sizes.get(("Personality", "Bottom"), (0, 0))[1]:
            problems.append("%sBotHeight differs from the bottom piece's height" % piece)
    left_rows = load_pixels(os.path.join(folder, p.get("Left")))[3] if p.get("Left") else None
    if left_rows:
        if left_rows[0][0] != MAGENTA:
            problems.append("the left piece's top corner is not transparent")
        if left_rows[title][0] == MAGENTA:
            problems.append("the left piece is transparent below the title")
    for name in ini.sections():
        if (name, "ButtonImage") not in sizes:
            continue
        section = ini[name]
        width, height = sizes[(name, "ButtonImage")]
        if section.getint("Ycoord", 0) + height > title:
            problems.append("[%s] does not fit into the title bar" % name)
        if section.getint("Action", 0) in (3, 11) and (width, height) != (16, 16):
            problems.append("[%s]: the window icon must be one 16x16 frame" % name)
    return problems


def luminance(colour):
    def channel(value):
        value /= 255
        return value / 12.92 if value <= 0.03928 else ((value + 0.055) / 1.055) ** 2.4
    r, g, b = (channel(v) for v in colour)
    return 0.2126 * r + 0.7152 * g + 0.0722 * b


def contrast(a, b):
    high, low = sorted((luminance(a), luminance(b)), reverse=True)
    return (high + 0.05) / (low + 0.05)


def average_colour(folder, image, count, stacked, index):
    _w, _h, _bits, rows = load_pixels(os.path.join(folder, image))
    if stacked:
        step = len(rows) // count
        rows = rows[(index - 1) * step:index * step]
    else:
        step = len(rows[0]) // count
        rows = [row[(index - 1) * step:index * step] for row in rows]
    pixels = [c for row in rows for c in row if c != MAGENTA]
    return tuple(sum(c[i] for c in pixels) // len(pixels) for i in range(3))


def colour_problems(folder, ini):
    colours = ini["Colours"]
    problems = []
    for key, _default in skinart.COLOURS:
        numbers = [int(n) for n in colours.get(key, "").replace(",", " ").split()]
        if len(numbers) != 3 or not all(0 <= n <= 255 for n in numbers):
            problems.append("[Colours] %s is not three numbers 0-255" % key)
    if problems:
        return problems
    value = {key: tuple(int(n) for n in colours[key].split(",")) for key, _ in skinart.COLOURS}
    for text, background in READABLE_PAIRS:
        back = value[background] if isinstance(background, str) else average_colour(folder, *background)
        ratio = contrast(value[text], back)
        if ratio < MIN_CONTRAST:
            problems.append("%s on %s has contrast %.2f" % (text, background, ratio))
    return problems


def menu_glyph_problems(path):
    with open(path, "rb") as file:
        data = file.read()
    width, height, bits = read_bmp_header(data)
    if (width, height, bits) != (64, 16, 1):
        return ["tesseramenu.bmp is %dx%d at %d bits, not 64x16 at 1 bit" % (width, height, bits)]
    offset = struct.unpack_from("<I", data, 10)[0]
    ink = [0] * 4
    for row in range(16):
        line = data[offset + row * 4: offset + row * 4 + 8]
        for x in range(64):
            if not line[x // 8] & (0x80 >> (x % 8)):
                ink[x // 16] += 1
    return ["menu glyph %d is blank" % i for i, n in enumerate(ink) if n == 0]


def problems(folder):
    ini = read_description(folder)
    found, sizes = bitmap_problems(folder, ini)
    found += margin_problems(ini, sizes)
    found += frame_shape_problems(folder, ini, sizes)
    found += colour_problems(folder, ini)
    return found


class CommittedSkin(unittest.TestCase):
    def test_matches_its_generator_byte_for_byte(self):
        with tempfile.TemporaryDirectory() as fresh:
            written = skinart.write_skin(fresh)
            self.assertEqual(sorted(os.listdir(SKIN)), written, "files differ from the generator's")
            for name in written:
                with open(os.path.join(fresh, name), "rb") as a, open(os.path.join(SKIN, name), "rb") as b:
                    same = a.read() == b.read()
                self.assertTrue(same, "%s differs; run tools/skinart/skinart.py" % name)
            skinart.write_menu_glyphs(os.path.join(fresh, "tesseramenu.bmp"))
            with open(os.path.join(fresh, "tesseramenu.bmp"), "rb") as a, open(MENU_GLYPHS, "rb") as b:
                self.assertTrue(a.read() == b.read(), "tesseramenu.bmp differs; run tools/skinart/skinart.py")

    def test_is_complete_consistent_and_readable(self):
        self.assertEqual(problems(SKIN), [])
        self.assertEqual(menu_glyph_problems(MENU_GLYPHS), [])


class DamagedSkin(unittest.TestCase):
    """The check itself must notice the faults it exists for."""

    def setUp(self):
        self.folder = tempfile.mkdtemp()
        skinart.write_skin(self.folder)

    def tearDown(self):
        shutil.rmtree(self.folder)

    def edit_description(self, old, new):
        path = os.path.join(self.folder, "skin.ini")
        with open(path, encoding="ascii", newline="") as file:
            text = file.read()
        self.assertIn(old, text)
        with open(path, "w", encoding="ascii", newline="") as file:
            file.write(text.replace(old, new, 1))

    def assertCaught(self, fragment):
        found = problems(self.folder)
        self.assertTrue(any(fragment in p for p in found), found)

    def test_missing_bitmap(self):
        os.remove(os.path.join(self.folder, "scrollbar.bmp"))
        self.assertCaught("scrollbar.bmp is missing")

    def test_wrong_colour_depth(self):
        path = os.path.join(self.folder, "check.bmp")
        with open(path, "r+b") as file:
            file.seek(28)
            file.write(struct.pack("<H", 32))
        self.assertCaught("check.bmp has 32 bits per pixel")

    def test_faulty_descriptions(self):
        cases = [
            ("Bitmap=button.bmp", "Bitmap=button.BMP", "not a bare lower-case .bmp name"),
            ("RadioButtonFrame=4", "RadioButtonFrame=5", "does not split into 5 frames"),
            ("[SunkEdge]\r\nImage=sunkedge.bmp\r\nLeftWidth=2",
             "[SunkEdge]\r\nImage=sunkedge.bmp\r\nLeftWidth=14", "[SunkEdge]: margins"),
            ("MenuText=30,39,51", "MenuText=200,205,210", "MenuText on Menu"),
            ("LeftTopHeight=30", "LeftTopHeight=28", "LeftTopHeight differs"),
            ("Ycoord=5", "Ycoord=12", "[Button.Close] does not fit into the title bar"),
        ]
        for old, new, fragment in cases:
            with self.subTest(fault=new):
                skinart.write_skin(self.folder)
                self.edit_description(old, new)
                self.assertCaught(fragment)

    def test_blank_menu_glyph(self):
        path = os.path.join(self.folder, "tesseramenu.bmp")
        skinart.write_menu_glyphs(path)
        with open(path, "r+b") as file:
            data = bytearray(file.read())
            offset = struct.unpack_from("<I", data, 10)[0]
            for row in range(16):
                data[offset + row * 4 + 6:offset + row * 4 + 8] = b"\xff\xff"
            file.seek(0)
            file.write(data)
        self.assertIn("menu glyph 3 is blank", menu_glyph_problems(path))


if __name__ == "__main__":
    unittest.main()
