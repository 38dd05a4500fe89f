#!/usr/bin/env python3
"""Writes Quillmere's default skin ("Slate"): resources/skin/skin.ini and every bitmap it names.

Run it after changing the artwork; the output is deterministic, so the committed files always
equal what this script writes (tools/skinart/check_skin.py verifies that).
Usage: skinart.py [output folder]   (default: resources/skin next to this repository's root)
       skinart.py --sharp FOLDER    the same skin with NAME@2x.bmp pictures drawn for 200 %
                                    (the build writes and packs it as sharp.skn)
"""
import os
import sys

sys.dont_write_bytecode = True  # keep the source tree free of caches
from raster import (MAGENTA, Canvas, bmp1, bmp24, coverage, hex_colour as rgb, mix, rounded,
                    side_by_side, stacked, strokes)

# One palette: blue-grey slate for chrome and lines, a single blue accent for state.
INK = rgb("1e2733")
FACE = rgb("eef1f4")
FIELD = rgb("ffffff")
MENU = rgb("fbfcfd")
LINE = rgb("b7c1cc")
LINE_SOFT = rgb("d3d9e0")
LINE_PALE = rgb("c9d1da")
SHADOW = rgb("8a97a6")
DK_SHADOW = rgb("4a5665")
GLYPH = rgb("4a5665")
GLYPH_OFF = rgb("b6bfc9")
DISABLED_FILL = rgb("f3f5f7")
ACCENT = rgb("2b6cb8")
ACCENT_DARK = rgb("1f5597")
ACCENT_DEEP = rgb("16406f")
ACCENT_HOT = rgb("dce8f6")
ACCENT_PRESS = rgb("c5d9f0")
TRACK = rgb("e6eaef")
CLOSE_HOT = rgb("c4424d")
CLOSE_PRESSED = rgb("a2313b")

# The window chrome: the title bar, the menu bar and the border form one dark band.
CHROME = {
    "active": dict(top=rgb("3d4a5a"), bottom=rgb("2f3a47"), outline=rgb("1a222b"),
                   rim=rgb("536276"), text=rgb("f2f5f8"),
                   chip=rgb("27313c"), glyph=rgb("e3e8ee")),
    "inactive": dict(top=rgb("65707d"), bottom=rgb("58636f"), outline=rgb("424b56"),
                     rim=rgb("737e8b"), text=rgb("e2e7ec"),
                     chip=rgb("4c5661"), glyph=rgb("c3cad3")),
}
STATES = ("active", "inactive")

TITLE_HEIGHT = 30      # FrameTop: the top piece's frame height
SIDE = 4               # FrameLeft, FrameRight and FrameBottom
CORNER = 8             # radius of the two rounded top corners
TOP_MARGIN = 8         # fixed ends of the top piece; they carry the rest of each corner
MASTER_W = 2 * SIDE + 2 * TOP_MARGIN + 16
MASTER_H = TITLE_HEIGHT + 12 + SIDE
MENU_HEIGHT = 19       # the platform's menu-bar height that the bar is drawn into

TITLE_BUTTON = (28, 20)
TITLE_BUTTON_TOP = (TITLE_HEIGHT - TITLE_BUTTON[1]) // 2
TITLE_BUTTON_GAP = 2
ICON_LEFT = 9
CAPTION_SHIFT = 24
CHIP_CAP = 9


def title_colour(state, y):
    chrome = CHROME[state]
    return mix(chrome["top"], chrome["bottom"], min(y, TITLE_HEIGHT - 1) / (TITLE_HEIGHT - 1))


# Small pixel maps: '#' draws, anything else leaves the pixel.
GLYPHS = {
    "close": ["#........#", ".#......#.", "..#....#..", "...#..#...", "....##....",
              "....##....", "...#..#...", "..#....#..", ".#......#.", "#........#"],
    "max": ["##########", "#........#", "#........#", "#........#", "#........#",
            "#........#", "#........#", "#........#", "#........#", "##########"],
    "restore": ["..########", "..#......#", "########.#", "#......#.#", "#......#.#",
                "#......#.#", "#......#.#", "#......###", "#......#..", "########.."],
    "min": ["..........", "..........", "..........", "..........", "..........",
            "##########", "..........", "..........", "..........", ".........."],
}
SMALL_GLYPHS = {
    "close": ["#......#", ".#....#.", "..#..#..", "...##...", "...##...", "..#..#..",
              ".#....#.", "#......#"],
    "restore": ["..######", "..#....#", "######.#", "#....#.#", "#....###", "#....#..",
                "#....#..", "######.."],
    "min": ["........", "........", "........", "........", "........", "........",
            "########", "########"],
}
CHEVRON_UP = ["...#...", "..###..", ".##.##.", "##...##"]
CHEVRON_DOWN = list(reversed(CHEVRON_UP))
CHEVRON_LEFT = ["...#", "..##", ".##.", "##..", ".##.", "..##", "...#"]
CHEVRON_RIGHT = [row[::-1] for row in CHEVRON_LEFT]
TICK = ["........#", ".......##", "#.....##.", "##...##..", ".##.##...", "..###....", "...#....."]
MICROPHONE = ["......####......", ".....######.....", ".....######.....", ".....######.....",
              ".....######.....", ".....######.....", ".....######.....", "...#.######.#...",
              "...#..####..#...", "....#......#....", ".....######.....", "........#.......",
              "........#.......", "......#####.....", "................", "................"]


def strip(looks, paint):
    """One frame per look, painted by paint(*look), side by side as the engine reads them."""
    return side_by_side([paint(*look) for look in looks])


# ---------------------------------------------------------------- window frame

def frame_master(state, scale=1):
    """The whole frame of a small window; the four border pieces are cut from it, so their
    seams, the rounded corners and the title band always line up. At scale 2 it is drawn for
    200 %: the same shape with twice the pixels, its curves finer."""
    chrome = CHROME[state]
    width, height, corner = MASTER_W * scale, MASTER_H * scale, CORNER * scale
    canvas = Canvas(width, height)
    corners = (corner, corner, 0, 0)
    for y in range(height):
        for x in range(width):
            if not coverage(x, y, (0, 0, width, height), corners, 1):
                continue
            inset1 = coverage(x, y, (scale, scale, width - scale, height - scale),
                              (corner - scale, corner - scale, 0, 0), 1)
            inset2 = coverage(x, y, (2 * scale, 2 * scale, width - 2 * scale, height - 2 * scale),
                              (corner - 2 * scale, corner - 2 * scale, 0, 0), 1)
            if not inset1:
                colour = chrome["outline"]
            elif y < TITLE_HEIGHT * scale:
                colour = chrome["rim"] if not inset2 and y < corner else title_colour(state, y / scale)
            else:
                colour = chrome["bottom"]
            canvas.put(x, y, colour)
    return canvas


def frame_pieces(scale=1):
    masters = [frame_master(state, scale) for state in STATES]
    side, right, bottom = SIDE * scale, (MASTER_W - SIDE) * scale, MASTER_H * scale
    return {
        "left": side_by_side([m.crop(0, 0, side, bottom) for m in masters]),
        "right": side_by_side([m.crop(right, 0, MASTER_W * scale, bottom) for m in masters]),
        "top": stacked([m.crop(side, 0, right, TITLE_HEIGHT * scale) for m in masters]),
        "bottom": stacked([m.crop(side, bottom - side, right, bottom) for m in masters]),
    }


def caption_chip():
    """TextBack: a recessed chip behind the caption, one frame per activation state."""
    def paint(state):
        canvas = Canvas(2 * CHIP_CAP + 2, TITLE_HEIGHT)
        band = (0, 6, canvas.width, TITLE_HEIGHT - 6)
        rounded(canvas, band, CHIP_CAP, CHROME[state]["chip"],
                blend_on=lambda y: title_colour(state, y))
        return canvas

    return stacked([paint(state) for state in STATES])


def menu_bar():
    """The menu bar continues the chrome band below the title (active, inactive stacked)."""
    return stacked([Canvas(32, MENU_HEIGHT, CHROME[state]["bottom"]) for state in STATES])


def title_button(glyph, close=False):
    """Four frames: normal, pressed, hot, inactive."""
    w, h = TITLE_BUTTON
    hot, pressed = (CLOSE_HOT, CLOSE_PRESSED) if close else (rgb("4a596b"), rgb("202a35"))

    def paint(fill, colour):
        canvas = Canvas(w, h)
        if fill:
            rounded(canvas, (0, 0, w, h), 3, fill)
        canvas.pattern((w - 10) // 2, (h - 10) // 2, GLYPHS[glyph], colour)
        return canvas

    return strip(((None, CHROME["active"]["glyph"]), (pressed, FIELD), (hot, FIELD),
                  (None, CHROME["inactive"]["glyph"])), paint)


def title_icon():
    canvas = Canvas(16, 16)
    canvas.pattern(0, 0, MICROPHONE, rgb("9cc3ee"))
    return canvas


def mdi_controls():
    """Minimise, restore and close of a maximised child, four frames each, on the menu bar."""
    def paint(glyph, fill):
        canvas = Canvas(16, 16)
        if fill:
            rounded(canvas, (0, 0, 16, 16), 2, fill)
        canvas.pattern(4, 4, SMALL_GLYPHS[glyph], FIELD if fill else CHROME["active"]["glyph"])
        return canvas

    fills = (None, rgb("202a35"), rgb("4a596b"), rgb("4a596b"))
    return strip([(glyph, fill) for glyph in ("min", "restore", "close") for fill in fills], paint)


def menu_glyphs():
    """TESSERAMENU: restore, maximise, minimise, close; black on white (white is transparent)."""
    canvas = Canvas(64, 16, FIELD)
    for i, glyph in enumerate(("restore", "max", "min", "close")):
        canvas.pattern(16 * i + 3, 3, GLYPHS[glyph], (0, 0, 0))
    return canvas


# ---------------------------------------------------------------- controls

def push_button_looks(span):
    """(border, fill by row) of the five frames, the fill's gradient over span rows."""
    return (
        (rgb("a9b4c1"), lambda y: mix(FIELD, rgb("edf1f5"), y / span)),
        (ACCENT_DARK, lambda y: mix(ACCENT_PRESS, ACCENT_HOT, y / span)),
        (rgb("cdd4dc"), DISABLED_FILL),
        (ACCENT, lambda y: mix(rgb("f5f9fd"), rgb("e1edf9"), y / span)),
        (ACCENT_DARK, lambda y: mix(rgb("3a7bc8"), ACCENT, y / span)),
    )


def push_buttons():
    """Five frames: normal, pressed, disabled, hot or focused, default."""
    looks = push_button_looks(23)

    def paint(border, fill):
        canvas = Canvas(24, 24)
        rounded(canvas, (0, 0, 24, 24), 3, fill, border)
        return canvas

    return strip(looks, paint)


# Check box and radio button states: (fill, border, mark); the engine's frames are unchecked,
# checked, disabled unchecked, disabled checked (which also shows the indeterminate state).
CHOICE_LOOKS = ((FIELD, SHADOW, None), (ACCENT, ACCENT_DARK, FIELD),
                (DISABLED_FILL, rgb("c5cdd6"), None), (rgb("e3e8ed"), rgb("c5cdd6"), rgb("9aa6b3")))


def check_glyphs():
    def paint(fill, border, tick):
        canvas = Canvas(13, 13)
        rounded(canvas, (0, 0, 13, 13), 2, fill, border)
        if tick:
            canvas.pattern(2, 3, TICK, tick)
        return canvas

    return side_by_side([paint(*look) for look in CHOICE_LOOKS])


def radio_glyphs():
    """Edges softened on the face colour the glyphs are drawn on."""
    def paint(fill, border, dot):
        canvas = Canvas(13, 13)
        rounded(canvas, (0, 0, 13, 13), 6.5, fill, border, blend_on=FACE)
        if dot:
            rounded(canvas, (4, 4, 9, 9), 2.5, dot, blend_on=fill)
        return canvas

    return side_by_side([paint(*look) for look in CHOICE_LOOKS])


def group_box():
    canvas = Canvas(16, 16)
    rounded(canvas, (0, 0, 16, 16), 3, rgb("e3e8ed"), LINE)
    return canvas


def group_box_edge():
    """Normal and disabled outline; the inside stays transparent."""
    def paint(colour):
        canvas = Canvas(16, 16)
        rounded(canvas, (0, 0, 16, 16), 3, MAGENTA, colour)
        return canvas

    return strip(((LINE,), (LINE_SOFT,)), paint)


def status_edges():
    """Lowered, raised and flat panels."""
    lowered = Canvas(12, 12, rgb("f5f7f9"))
    lowered.outline(0, 0, 12, 12, LINE_PALE)
    raised = Canvas(12, 12, FACE)
    raised.rect(0, 0, 12, 1, FIELD)
    raised.rect(0, 0, 1, 12, FIELD)
    raised.rect(0, 11, 12, 12, LINE)
    raised.rect(11, 0, 12, 12, LINE)
    return side_by_side([lowered, raised, Canvas(12, 12, FACE)])


def tabs():
    """Normal, selected, disabled, hot, pressed; unselected tabs stand 2 px lower."""
    def paint(top, border, fill, mark):
        canvas = Canvas(24, 24)
        rounded(canvas, (0, top, 24, 24), 3, fill, border, corners=(1, 1, 0, 0))
        canvas.rect(1, 23, 23, 24, fill)
        if mark:
            canvas.rect(2, 1, 22, 3, mark)
        return canvas

    return strip(((2, LINE, rgb("e2e7ec"), None), (0, rgb("a3afbc"), FACE, ACCENT),
                  (2, LINE_SOFT, DISABLED_FILL, None), (2, rgb("9fb3c8"), rgb("edf2f7"), None),
                  (2, rgb("9fb3c8"), rgb("d5dee8"), None)), paint)


def tab_border():
    canvas = Canvas(16, 16, FACE)
    canvas.outline(0, 0, 16, 16, rgb("a3afbc"))
    return canvas


def progress():
    """Trough over the whole bar, then the filled part."""
    trough = Canvas(16, 16)
    rounded(trough, (0, 0, 16, 16), 3, rgb("e3e8ed"), LINE, blend_on=FACE)
    filled = Canvas(16, 16)
    rounded(filled, (0, 0, 16, 16), 3, lambda y: mix(rgb("4a86cf"), ACCENT, y / 15), ACCENT_DARK,
            blend_on=rgb("e3e8ed"))
    return side_by_side([trough, filled])


def progress_chunk():
    canvas = Canvas(10, 10)
    canvas.rect(0, 0, 8, 10, ACCENT)
    return canvas


def sunk_edge():
    """The combo box field: normal, pressed, disabled, hot or focused."""
    def paint(border, fill):
        canvas = Canvas(16, 16, fill)
        canvas.outline(0, 0, 16, 16, border)
        return canvas

    return strip(((SHADOW, FIELD), (ACCENT_DARK, FIELD), (rgb("c5cdd6"), DISABLED_FILL),
                  (ACCENT, FIELD)), paint)


def combo_button():
    """Drawn over the field's right end; its transparent rim lets the field's edge show."""
    def paint(fill, divider):
        canvas = Canvas(18, 22)
        canvas.rect(0, 2, 16, 20, fill)
        canvas.rect(0, 2, 1, 20, divider)
        return canvas

    return strip(((rgb("e9edf2"), rgb("d0d7df")), (ACCENT_PRESS, ACCENT),
                  (DISABLED_FILL, rgb("e0e5ea")), (ACCENT_HOT, rgb("a9c4e4"))), paint)


def extra_images():
    """The combo box arrow, one cell per state (normal, pressed, disabled, hot, spare)."""
    def paint(colour):
        canvas = Canvas(9, 9)
        canvas.pattern(1, 3, CHEVRON_DOWN, colour)
        return canvas

    return strip([(c,) for c in (GLYPH, ACCENT_DEEP, GLYPH_OFF, ACCENT_DARK, INK)], paint)


def header_bar():
    """Column headers: normal, pressed, disabled, hot, sorted."""
    def paint(top, bottom, line):
        canvas = Canvas(16, 20)
        canvas.vgradient(0, 0, 16, 20, top, bottom)
        canvas.rect(0, 19, 16, 20, line)
        canvas.rect(15, 4, 16, 16, LINE_PALE)
        return canvas

    return strip(((FIELD, rgb("edf0f4"), LINE_PALE), (rgb("dde5ee"), rgb("e8eef5"), LINE),
                  (DISABLED_FILL, DISABLED_FILL, LINE_SOFT),
                  (rgb("f5f9fd"), rgb("e3edf8"), LINE_PALE), (FIELD, rgb("edf0f4"), ACCENT)), paint)


def menu_items():
    """Normal, separator, disabled, selected, spare; normal items show the menu background."""
    frames = [Canvas(16, 20) for _ in range(5)]
    frames[1].rect(3, 16, 13, 17, LINE_SOFT)
    rounded(frames[3], (1, 1, 15, 19), 2, ACCENT, blend_on=MENU)
    rounded(frames[4], (1, 1, 15, 19), 2, ACCENT_HOT, blend_on=MENU)
    return side_by_side(frames)


def menu_background():
    canvas = Canvas(16, 16, MENU)
    canvas.outline(0, 0, 16, 16, SHADOW)
    return canvas


def toolbar_buttons():
    """Flat tool buttons: normal, pressed, disabled, hot, checked."""
    def paint(fill, border):
        canvas = Canvas(22, 22)
        if fill:
            rounded(canvas, (0, 0, 22, 22), 3, fill, border)
        return canvas

    return strip(((None, None), (ACCENT_PRESS, rgb("9fb8d6")), (None, None),
                  (ACCENT_HOT, rgb("b5cbe6")), (rgb("d0ddec"), ACCENT)), paint)


# ---------------------------------------------------------------- scroll bars

def _arrow_cell(pattern, divider, fill, colour):
    canvas = Canvas(16, 16)
    divider(canvas)
    if fill:
        rounded(canvas, (2, 2, 14, 14), 3, fill)
    x = (16 - len(pattern[0])) // 2
    y = (16 - len(pattern)) // 2
    canvas.pattern(x, y, pattern, colour)
    return canvas


def scrollbar_strip():
    """23 cells of 16 x 16: left, right, up, down arrows (normal, pressed, hot, disabled each),
    then the horizontal and vertical thumb grips (normal, pressed, hot) and the size grip."""
    horizontal = lambda c: c.rect(0, 0, 16, 1, LINE_SOFT)
    vertical = lambda c: c.rect(0, 0, 1, 16, LINE_SOFT)
    cells = []
    for pattern, divider in ((CHEVRON_LEFT, horizontal), (CHEVRON_RIGHT, horizontal),
                             (CHEVRON_UP, vertical), (CHEVRON_DOWN, vertical)):
        for fill, colour in ((None, GLYPH), (rgb("b4bfcb"), INK), (rgb("d2d9e1"), INK),
                             (None, GLYPH_OFF)):
            cells.append(_arrow_cell(pattern, divider, fill, colour))
    grip = ["#.#.#", "#.#.#", "#.#.#", "#.#.#"]
    for pattern, divider in ((grip, horizontal), (["".join(r) for r in zip(*grip)], vertical)):
        for colour in (rgb("7d8a99"), FIELD, rgb("5b6878")):
            cells.append(_arrow_cell(pattern, divider, None, colour))
    size_grip = Canvas(16, 16)
    size_grip.pattern(5, 5, ["......#", ".......", "....#.#", ".......", "..#.#.#", ".......",
                             "#.#.#.#"], rgb("9aa6b3"))
    cells.append(size_grip)
    return side_by_side(cells)


def scroll_track():
    """Horizontal track: normal, pressed, disabled, hot; a divider on the content side."""
    def paint(fill, divider):
        canvas = Canvas(16, 16, fill)
        canvas.rect(0, 0, 16, 1, divider)
        return canvas

    return strip(((TRACK, LINE_SOFT), (rgb("dce2e8"), LINE_SOFT), (FACE, rgb("e0e5ea")),
                  (rgb("e0e5eb"), LINE_SOFT)), paint)


def scroll_thumb():
    """Horizontal thumb: normal, dragged, hot; a slim pill softened on the track colour."""
    def paint(fill):
        canvas = Canvas(24, 16)
        rounded(canvas, (1, 4, 23, 12), 4, fill, blend_on=TRACK)
        return canvas

    return strip(((rgb("a9b5c2"),), (ACCENT,), (rgb("8d9aa9"),)), paint)


# ---------------------------------------------------------------- up-down and track bars

UPDOWN_LOOKS = ((rgb("e3e8ed"), GLYPH), (ACCENT_PRESS, ACCENT_DEEP), (DISABLED_FILL, GLYPH_OFF),
                (ACCENT_HOT, ACCENT_DARK))


def updown(size, second_divider):
    """Eight frames: the first button in four states (normal, pressed, disabled, hot), then the
    second, which carries the divider between the halves."""
    def paint(button, fill):
        canvas = Canvas(size[0], size[1], fill)
        if button == 1:
            second_divider(canvas)
        return canvas

    return strip([(button, fill) for button in (0, 1) for fill, _glyph in UPDOWN_LOOKS], paint)


def updown_glyphs(first, second):
    def paint(pattern, colour):
        canvas = Canvas(len(pattern[0]), len(pattern))
        canvas.pattern(0, 0, pattern, colour)
        return canvas

    return strip([(p, colour) for p in (first, second) for _fill, colour in UPDOWN_LOOKS], paint)


THUMB_LOOKS = ((FIELD, SHADOW), (ACCENT, ACCENT_DARK), (DISABLED_FILL, rgb("c5cdd6")),
               (ACCENT_HOT, ACCENT), (ACCENT_DARK, ACCENT_DEEP))


def _shape(width, height, inside, fill, border):
    canvas = Canvas(width, height)
    for y in range(height):
        for x in range(width):
            if not inside(x, y):
                continue
            edge = any(not (0 <= nx < width and 0 <= ny < height and inside(nx, ny))
                       for nx, ny in ((x - 1, y), (x + 1, y), (x, y - 1), (x, y + 1)))
            canvas.put(x, y, border if edge else fill)
    return canvas


def track_thumb_upright():
    """The thumb of a horizontal track bar (11 x 21): normal, engaged (the cell the engine draws),
    disabled, hot, pressed."""
    def paint(fill, border):
        canvas = Canvas(11, 21)
        rounded(canvas, (0, 0, 11, 21), 2, fill, border)
        return canvas

    return strip(THUMB_LOOKS, paint)


def track_thumb_pointing_down():
    """Like the upright thumb, with its lower end pointing at the tick marks."""
    def inside(x, y):
        return y < 15 or abs(x - 5) <= 20 - y

    return strip(THUMB_LOOKS, lambda fill, border: _shape(11, 21, inside, fill, border))


def per_cell(image, count, change):
    """The strip with each of its side-by-side cells changed (turned, flipped, mirrored)."""
    width = image.width // count
    return side_by_side([change(image.crop(i * width, 0, (i + 1) * width, image.height))
                         for i in range(count)])


def track_thumbs():
    upright = track_thumb_upright()
    down = track_thumb_pointing_down()
    right = per_cell(down, 5, Canvas.transposed)
    return {
        "thumbhorz.bmp": upright,
        "thumbvert.bmp": per_cell(upright, 5, Canvas.transposed),
        "thumbdown.bmp": down,
        "thumbup.bmp": per_cell(down, 5, Canvas.flipped),
        "thumbright.bmp": right,
        "thumbleft.bmp": per_cell(right, 5, Canvas.mirrored),
    }


# ---------------------------------------------------------------- description

def colour_text(colour):
    return "%d,%d,%d" % colour


def bitmaps():
    """Every bitmap of the package by file name, in the order the description names them."""
    pieces = frame_pieces()
    horizontal_track = scroll_track()
    horizontal_thumb = scroll_thumb()
    images = {
        "left.bmp": pieces["left"],
        "right.bmp": pieces["right"],
        "top.bmp": pieces["top"],
        "bottom.bmp": pieces["bottom"],
        "textback.bmp": caption_chip(),
        "menubar.bmp": menu_bar(),
        "titleclose.bmp": title_button("close", close=True),
        "titlemax.bmp": title_button("max"),
        "titlerestore.bmp": title_button("restore"),
        "titlemin.bmp": title_button("min"),
        "titleicon.bmp": title_icon(),
        "mdicontrols.bmp": mdi_controls(),
        "button.bmp": push_buttons(),
        "check.bmp": check_glyphs(),
        "radio.bmp": radio_glyphs(),
        "progress.bmp": progress(),
        "progresschunk.bmp": progress_chunk(),
        "groupboxedge.bmp": group_box_edge(),
        "groupbox.bmp": group_box(),
        "toolbars.bmp": toolbar_buttons(),
        "tabs.bmp": tabs(),
        "tabborder.bmp": tab_border(),
        "statusbar.bmp": status_edges(),
        "combobutton.bmp": combo_button(),
        "sunkedge.bmp": sunk_edge(),
        "extraimages.bmp": extra_images(),
        "headerbar.bmp": header_bar(),
        "menuitem.bmp": menu_items(),
        "menubackground.bmp": menu_background(),
        "scrollbar.bmp": scrollbar_strip(),
        "horzscroll.bmp": horizontal_track,
        "vertscroll.bmp": per_cell(horizontal_track, 4, Canvas.transposed),
        "horzthumb.bmp": horizontal_thumb,
        "vertthumb.bmp": per_cell(horizontal_thumb, 3, Canvas.transposed),
        "updownhorz.bmp": updown((16, 16), lambda c: c.rect(0, 0, 1, 16, LINE_PALE)),
        "updownhorzglyph.bmp": updown_glyphs(CHEVRON_LEFT, CHEVRON_RIGHT),
        "updownvert.bmp": updown((16, 11), lambda c: c.rect(0, 0, 16, 1, LINE_PALE)),
        "updownvertglyph.bmp": updown_glyphs(CHEVRON_UP, CHEVRON_DOWN),
    }
    images.update(track_thumbs())
    return images


# How the engine splits each bitmap: (frame count, frames stacked vertically).
FRAMES = {
    "left.bmp": (2, False), "right.bmp": (2, False), "top.bmp": (2, True), "bottom.bmp": (2, True),
    "textback.bmp": (2, True), "menubar.bmp": (2, True),
    "titleclose.bmp": (4, False), "titlemax.bmp": (4, False), "titlerestore.bmp": (4, False),
    "titlemin.bmp": (4, False), "titleicon.bmp": (1, False), "mdicontrols.bmp": (12, False),
    "button.bmp": (5, False), "check.bmp": (4, False), "radio.bmp": (4, False),
    "progress.bmp": (2, False), "progresschunk.bmp": (1, False),
    "groupboxedge.bmp": (2, False), "groupbox.bmp": (1, False), "toolbars.bmp": (5, False),
    "tabs.bmp": (5, False), "tabborder.bmp": (1, False), "statusbar.bmp": (3, False),
    "combobutton.bmp": (4, False), "sunkedge.bmp": (4, False), "extraimages.bmp": (5, False),
    "headerbar.bmp": (5, False), "menuitem.bmp": (5, False), "menubackground.bmp": (1, False),
    "scrollbar.bmp": (23, False), "horzscroll.bmp": (4, False), "vertscroll.bmp": (4, False),
    "horzthumb.bmp": (3, False), "vertthumb.bmp": (3, False),
    "updownhorz.bmp": (8, False), "updownhorzglyph.bmp": (8, False),
    "updownvert.bmp": (8, False), "updownvertglyph.bmp": (8, False),
    "thumbhorz.bmp": (5, False), "thumbvert.bmp": (5, False), "thumbleft.bmp": (5, False),
    "thumbright.bmp": (5, False), "thumbup.bmp": (5, False), "thumbdown.bmp": (5, False),
}


def title_buttons():
    """(section, Action, Align, Xcoord, Ycoord, Visibility, Visibility1, frame, image).

    Close needs a system menu (visibility 0); maximise and restore share one place, shown when
    the window is not maximised (6/2) or is (6/1); minimise needs a minimise box (8). The icon
    is one 16 x 16 frame because the engine paints the window's own icon there.
    """
    w = TITLE_BUTTON[0]
    close_x = SIDE + TITLE_BUTTON_GAP + w
    max_x = close_x + TITLE_BUTTON_GAP + w
    min_x = max_x + TITLE_BUTTON_GAP + w
    top = TITLE_BUTTON_TOP
    icon_top = (TITLE_HEIGHT - 16) // 2
    return [
        ("Button.Close", 0, 1, close_x, top, 0, 0, 4, "titleclose.bmp"),
        ("Button.Maximize", 1, 1, max_x, top, 6, 2, 4, "titlemax.bmp"),
        ("Button.Restore", 1, 1, max_x, top, 6, 1, 4, "titlerestore.bmp"),
        ("Button.Minimize", 2, 1, min_x, top, 8, 0, 4, "titlemin.bmp"),
        ("Button.Icon", 3, 0, ICON_LEFT, icon_top, 0, 0, 1, "titleicon.bmp"),
    ]


def caption_right_clip():
    """Keeps the caption clear of the leftmost title button, with a gap of 6 px."""
    min_x = max(b[3] for b in title_buttons() if b[2] == 1)
    return min_x + 6 - SIDE


COLOURS = [
    ("WindowText", INK), ("ButtonFace", FACE), ("Scrollbar", TRACK), ("HilightText", FIELD),
    ("Hilight", ACCENT), ("Menubar", CHROME["active"]["bottom"]), ("Menu", MENU),
    ("MenuText", INK), ("ButtonText", INK), ("ButtonHilight", FIELD),
    ("Buttonlight", rgb("f7f9fb")), ("ButtonShadow", SHADOW), ("ButtonDkShadow", DK_SHADOW),
    ("MenuBarText", rgb("e9eef3")), ("TitleTextActive", CHROME["active"]["text"]),
    ("TitleTextNoActive", CHROME["inactive"]["text"]),
]


def section(name, pairs):
    lines = ["[%s]" % name]
    lines += ["%s=%s" % (key, value) for key, value in pairs]
    return "\r\n".join(lines) + "\r\n"


def standard(image, margins, trans, tile=0, extra=()):
    left, top, right, bottom = margins
    return [("Image", image), ("LeftWidth", left), ("TopHeight", top), ("RightWidth", right),
            ("BottomHeight", bottom), ("Trans", trans), ("Tile", tile)] + list(extra)


def description():
    active, inactive = CHROME["active"]["text"], CHROME["inactive"]["text"]
    personality = []
    for piece, image, first, second in (("Left", "left.bmp", TITLE_HEIGHT, SIDE),
                                        ("Right", "right.bmp", TITLE_HEIGHT, SIDE),
                                        ("Top", "top.bmp", TOP_MARGIN, TOP_MARGIN),
                                        ("Bottom", "bottom.bmp", 0, 0)):
        personality += [(piece, image), (piece + "TopHeight", first), (piece + "BotHeight", second),
                        (piece + "Frame", 2), (piece + "Stretch", 1),
                        # Only the top corners are shaped; a square bottom needs no region work.
                        (piece + "Trans", 0 if piece == "Bottom" else 1)]
    personality += [
        ("TextBack", "textback.bmp"), ("TextShift", CAPTION_SHIFT), ("TextShiftVert", 0),
        ("TextRightClip", caption_right_clip()), ("TextAlignment", 0), ("Textbackground", 1),
        ("TXTBackleft", CHIP_CAP), ("TXTBackRight", CHIP_CAP),
        ("ActiveTextR", active[0]), ("ActiveTextG", active[1]), ("ActiveTextB", active[2]),
        ("InActiveTextR", inactive[0]), ("InActiveTextG", inactive[1]),
        ("InActiveTextB", inactive[2]),
        ("menuBar", "menubar.bmp"), ("TileMenu", 0), ("TileLeftMenu", 1), ("TileRightMenu", 1),
    ]
    parts = [
        "; Quillmere default skin. Written by tools/skinart/skinart.py; edit the script, not this.\r\n",
        section("TitlebarSkin", [("SkinName", "Quillmere Slate")]),
        section("Personality", personality),
        section("Fonts", [("FontHeight", 12)]),
        section("Colours", [(key, colour_text(value)) for key, value in COLOURS]),
    ]
    for name, action, align, x, y, vis, vis1, frames, image in title_buttons():
        parts.append(section(name, [("Action", action), ("Align", align), ("Xcoord", x),
                                    ("Ycoord", y), ("Visibility", vis), ("Visibility1", vis1),
                                    ("frame", frames), ("ButtonImage", image)]))
    text = (INK, rgb("1b4f8a"), rgb("143e6e"))
    parts += [
        section("MDICONTROLS", [("Image", "mdicontrols.bmp")]),
        section("Buttons", [("Bitmap", "button.bmp"), ("LeftWidth", 4), ("TopHeight", 4),
                            ("RightWidth", 4), ("BottomHeight", 4), ("Trans", 1), ("Tile", 0),
                            ("CheckButton", "check.bmp"), ("RadioButton", "radio.bmp"),
                            ("CheckButtonFrame", 4), ("RadioButtonFrame", 4),
                            ("NormalColour2", colour_text(text[0])),
                            ("MouseOverColour2", colour_text(text[1])),
                            ("PressedColour2", colour_text(text[2]))]),
        section("Progress", [("Bitmap", "progress.bmp"), ("Chunk", "progresschunk.bmp"),
                             ("Style", 0), ("LeftWidth", 4), ("TopHeight", 4), ("RightWidth", 4),
                             ("BottomHeight", 4), ("Trans", 1), ("Tile", 0)]),
        section("GroupBoxEdge", standard("groupboxedge.bmp", (4, 4, 4, 4), 1)),
        section("GroupBox", standard("groupbox.bmp", (4, 4, 4, 4), 1, extra=[
            ("BackgroundAlignment", 0), ("BackgroundLeftShift", 4), ("BackgroundRightShift", 4)])),
        section("Toolbars", standard("toolbars.bmp", (3, 3, 3, 3), 1)),
        section("Tabs", standard("tabs.bmp", (4, 4, 4, 2), 1, extra=[
            ("Border", "tabborder.bmp"), ("NormalColour2", colour_text(INK)),
            ("MouseOverColour2", colour_text(INK))])),
        section("StatusBarEdges", standard("statusbar.bmp", (2, 2, 2, 2), 0, extra=[
            ("NormalColour2", colour_text(INK))])),
        section("ComboButton", standard("combobutton.bmp", (0, 0, 0, 0), 1)),
        section("SunkEdge", standard("sunkedge.bmp", (2, 2, 2, 2), 0)),
        section("ExtraImages", standard("extraimages.bmp", (0, 0, 0, 0), 1)),
        section("Headerbar", standard("headerbar.bmp", (1, 4, 2, 4), 0, extra=[
            ("NormalColour2", colour_text(INK))])),
        section("MenuItem", standard("menuitem.bmp", (3, 3, 3, 3), 1)),
        section("MenuBackground", standard("menubackground.bmp", (3, 3, 3, 3), 0)),
        section("Scrollbar", standard("scrollbar.bmp", (0, 0, 0, 0), 1)),
        section("HorzScroll", standard("horzscroll.bmp", (0, 1, 0, 0), 0)),
        section("VertScroll", standard("vertscroll.bmp", (1, 0, 0, 0), 0)),
        section("HorzScrollThumb", standard("horzthumb.bmp", (6, 0, 6, 0), 1,
                                            extra=[("FrameCount", 3)])),
        section("VertScrollThumb", standard("vertthumb.bmp", (0, 6, 0, 6), 1,
                                            extra=[("FrameCount", 3)])),
    ]
    for suffix in ("Horz", "Vert", "Left", "Right", "Up", "Down"):
        parts.append(section("Trackbar.Thumb" + suffix,
                             standard("thumb%s.bmp" % suffix.lower(), (0, 0, 0, 0), 1)))
    for suffix in ("Horz", "Vert"):
        name = "updown%s" % suffix.lower()
        parts.append(section("UpDown." + suffix, standard(name + ".bmp", (0, 0, 0, 0), 1, extra=[
            ("GlyphImage", name + "glyph.bmp")])))
    return "\r\n".join(parts)


# ---------------------------------------------------------------- pictures for 200 %
# Drawn at twice the size rather than enlarged: lines keep their weight on screen, diagonals
# and curves are smoothed toward the colour they are shown on, and corners are rounder.

# The title glyphs as line segments in the 10 x 10 box of GLYPHS, through pixel centres.
GLYPH_LINES = {
    "close": [((0.5, 0.5), (9.5, 9.5)), ((9.5, 0.5), (0.5, 9.5))],
    "max": [((0.5, 0.5), (9.5, 0.5)), ((0.5, 1.25), (9.5, 1.25)), ((0.5, 0.5), (0.5, 9.5)),
            ((9.5, 0.5), (9.5, 9.5)), ((0.5, 9.5), (9.5, 9.5))],
    "restore": [((2.5, 0.5), (9.5, 0.5)), ((9.5, 0.5), (9.5, 7.5)), ((8.0, 7.5), (9.5, 7.5)),
                ((2.5, 0.5), (2.5, 2.0)), ((0.5, 2.5), (7.5, 2.5)), ((0.5, 3.25), (7.5, 3.25)),
                ((0.5, 2.5), (0.5, 9.5)), ((7.5, 2.5), (7.5, 9.5)), ((0.5, 9.5), (7.5, 9.5))],
    "min": [((0.5, 5.5), (9.5, 5.5))],
}
# The tick of TICK, offset as check_glyphs draws it.
TICK_LINES = [((2.5, 5.5), (5.5, 8.5)), ((5.5, 8.5), (10.5, 3.5))]


def scaled_lines(lines, scale, dx=0, dy=0):
    return [((ax * scale + dx, ay * scale + dy), (bx * scale + dx, by * scale + dy))
            for (ax, ay), (bx, by) in lines]


def title_button_2x(glyph, close=False):
    w, h = 2 * TITLE_BUTTON[0], 2 * TITLE_BUTTON[1]
    hot, pressed = (CLOSE_HOT, CLOSE_PRESSED) if close else (rgb("4a596b"), rgb("202a35"))

    def paint(fill, colour, state):
        canvas = Canvas(w, h)
        # The row of the title bar (in 1x units) each row of the button lies on.
        under = lambda y: title_colour(state, TITLE_BUTTON_TOP + y / 2)
        if fill:
            rounded(canvas, (0, 0, w, h), 6, fill, blend_on=under)
        lines = scaled_lines(GLYPH_LINES[glyph], 2, (w - 20) // 2, (h - 20) // 2)
        strokes(canvas, lines, 2.0, colour, (lambda x, y: fill) if fill else (lambda x, y: under(y)))
        return canvas

    return side_by_side([paint(None, CHROME["active"]["glyph"], "active"), paint(pressed, FIELD, "active"),
                         paint(hot, FIELD, "active"), paint(None, CHROME["inactive"]["glyph"], "inactive")])


def choice_box_2x(fill, border, radius):
    canvas = Canvas(26, 26)
    rounded(canvas, (0, 0, 26, 26), radius, border, blend_on=FACE)
    rounded(canvas, (2, 2, 24, 24), radius - 2, fill, blend_on=border)
    return canvas


def check_glyphs_2x():
    def paint(fill, border, tick):
        canvas = choice_box_2x(fill, border, 4)
        if tick:
            strokes(canvas, scaled_lines(TICK_LINES, 2), 3.0, tick, lambda x, y: fill)
        return canvas

    return side_by_side([paint(*look) for look in CHOICE_LOOKS])


def radio_glyphs_2x():
    def paint(fill, border, dot):
        canvas = choice_box_2x(fill, border, 13)
        if dot:
            rounded(canvas, (8, 8, 18, 18), 5, dot, blend_on=fill)
        return canvas

    return side_by_side([paint(*look) for look in CHOICE_LOOKS])


def push_buttons_2x():
    def paint(border, fill):
        canvas = Canvas(48, 48)
        rounded(canvas, (0, 0, 48, 48), 6, border, blend_on=FACE)
        rounded(canvas, (2, 2, 46, 46), 4, (lambda y: fill(y - 2)) if callable(fill) else fill, blend_on=border)
        return canvas

    return strip(push_button_looks(43), paint)


def double_bitmaps():
    """The pictures the sharp skin carries for 200 %, by the name of the 1x image they stand for."""
    pieces = frame_pieces(2)
    return {
        "left.bmp": pieces["left"],
        "right.bmp": pieces["right"],
        "top.bmp": pieces["top"],
        "bottom.bmp": pieces["bottom"],
        "titleclose.bmp": title_button_2x("close", close=True),
        "titlemax.bmp": title_button_2x("max"),
        "titlerestore.bmp": title_button_2x("restore"),
        "titlemin.bmp": title_button_2x("min"),
        "button.bmp": push_buttons_2x(),
        "check.bmp": check_glyphs_2x(),
        "radio.bmp": radio_glyphs_2x(),
    }


def write_skin(folder, sharp=False):
    os.makedirs(folder, exist_ok=True)
    text = description()
    if sharp:
        text = text.replace("SkinName=Quillmere Slate", "SkinName=Quillmere Slate Sharp")
    outputs = {"skin.ini": text.encode("ascii")}
    for name, canvas in bitmaps().items():
        outputs[name] = bmp24(canvas)
    if sharp:
        for name, canvas in double_bitmaps().items():
            outputs[name[:-4] + "@2x.bmp"] = bmp24(canvas)
    for name, data in outputs.items():
        with open(os.path.join(folder, name), "wb") as file:
            file.write(data)
    return sorted(outputs)


def write_menu_glyphs(path):
    """The program's own TESSERAMENU resource; kept outside the skin, which packs its whole folder."""
    with open(path, "wb") as file:
        file.write(bmp1(menu_glyphs()))


def main(argv):
    if len(argv) == 3 and argv[1] == "--sharp":
        names = write_skin(argv[2], sharp=True)
        print("wrote %d files to %s" % (len(names), argv[2]))
        return
    root = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
    folder = argv[1] if len(argv) > 1 else os.path.join(root, "resources", "skin")
    names = write_skin(folder)
    glyphs = os.path.join(os.path.dirname(folder), "tesseramenu.bmp")
    write_menu_glyphs(glyphs)
    print("wrote %d files to %s and %s" % (len(names), folder, glyphs))


if __name__ == "__main__":
    main(sys.argv)
