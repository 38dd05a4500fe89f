#!/usr/bin/env python3
"""Draws a preview of the skin for people: every bitmap enlarged with its frames marked, and a
mock-up of two small windows and a popup menu assembled the way the skin engine assembles them.

Usage: preview.py [skin folder] [output folder]   (defaults: resources/skin, out/)
Needs ImageMagick's convert and montage for the labels and text; the bitmaps come from the skin
folder, so the preview shows exactly what is committed.
"""
import os
import subprocess
import sys
import tempfile

sys.dont_write_bytecode = True  # keep the source tree free of caches
import skinart
from raster import MAGENTA, Canvas, bmp24, read_bmp_header

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
UI_FONT = "/usr/share/fonts/truetype/wqy/wqy-microhei.ttc"
CAPTION_FONT = UI_FONT


def load_bmp(path):
    """Reads the 24-bit bottom-up BMPs that skinart writes."""
    with open(path, "rb") as file:
        data = file.read()
    width, height, bits = read_bmp_header(data)
    if bits != 24:
        raise ValueError("%s: %d bits per pixel" % (path, bits))
    offset = int.from_bytes(data[10:14], "little")
    stride = (width * 3 + 3) & ~3
    canvas = Canvas(width, height)
    for row in range(height):
        base = offset + (height - 1 - row) * stride
        canvas.rows[row] = [(data[base + 3 * x + 2], data[base + 3 * x + 1], data[base + 3 * x])
                            for x in range(width)]
    return canvas


# ---------------------------------------------------------------- the engine's drawing, in short

def frame_of(image, count, index, vertical):
    if vertical:
        h = image.height // count
        return image.crop(0, (index - 1) * h, image.width, index * h)
    w = image.width // count
    return image.crop((index - 1) * w, 0, index * w, image.height)


def stretch(src, width, height):
    out = Canvas(max(width, 0), max(height, 0))
    if src.width == 0 or src.height == 0:
        return out
    for y in range(out.height):
        row = src.rows[y * src.height // out.height]
        out.rows[y] = [row[x * src.width // out.width] for x in range(out.width)]
    return out


def nine_slice(frame, width, height, margins, tile=False):
    left, top, right, bottom = margins
    if width < left + right:
        left = right = 0
    if height < top + bottom:
        top = bottom = 0
    fw, fh = frame.width, frame.height
    out = Canvas(width, height)
    xs = ((0, left, 0, left), (left, width - right, left, fw - right), (width - right, width, fw - right, fw))
    ys = ((0, top, 0, top), (top, height - bottom, top, fh - bottom), (height - bottom, height, fh - bottom, fh))
    for dy0, dy1, sy0, sy1 in ys:
        for dx0, dx1, sx0, sx1 in xs:
            piece = frame.crop(sx0, sy0, sx1, sy1)
            if dx1 <= dx0 or dy1 <= dy0 or piece.width == 0 or piece.height == 0:
                continue
            if tile and (dx0, dy0) == (left, top):
                for ty in range(dy0, dy1, piece.height):
                    for tx in range(dx0, dx1, piece.width):
                        out.blit(piece.crop(0, 0, min(piece.width, dx1 - tx),
                                            min(piece.height, dy1 - ty)), tx, ty)
            else:
                out.blit(stretch(piece, dx1 - dx0, dy1 - dy0), dx0, dy0)
    return out


def three_slice(frame, width, height, left, right):
    out = Canvas(width, height)
    middle = frame.crop(left, 0, frame.width - right, frame.height)
    out.blit(stretch(frame.crop(0, 0, left, frame.height), left, height), 0, 0)
    x = left
    while middle.width > 0 and x < width - right:
        out.blit(stretch(middle, middle.width, height), x, 0)
        x += middle.width
    out.blit(stretch(frame.crop(frame.width - right, 0, frame.width, frame.height), right, height),
             width - right, 0)
    return out


def draw(target, src, x, y, transparent=True):
    for sy in range(src.height):
        for sx in range(src.width):
            colour = src.rows[sy][sx]
            if not (transparent and colour == MAGENTA):
                target.put(x + sx, y + sy, colour)


# ---------------------------------------------------------------- the mock-up

class Mockup:
    def __init__(self, skin, width, height):
        self.skin = skin
        self.canvas = Canvas(width, height, (112, 128, 144))
        self.texts = []

    def image(self, name):
        return self.skin[name]

    def element(self, name, index, box, margins, trans=True, tile=False):
        count, vertical = skinart.FRAMES[name]
        x0, y0, x1, y1 = box
        frame = frame_of(self.image(name), count, index, vertical)
        draw(self.canvas, nine_slice(frame, x1 - x0, y1 - y0, margins, tile), x0, y0, trans)

    def cell(self, name, index, x, y, size=None):
        count, vertical = skinart.FRAMES[name]
        frame = frame_of(self.image(name), count, index, vertical)
        if size:
            frame = stretch(frame, *size)
        draw(self.canvas, frame, x, y)

    def text(self, x, y, text, colour, font=UI_FONT, size=12):
        self.texts.append((x, y, text, colour, font, size))

    def fill(self, box, colour):
        self.canvas.rect(*box, colour)


def text_width(text, font, size):
    result = subprocess.run(["convert", "-font", font, "-pointsize", str(size), "label:" + text,
                             "-format", "%w", "info:"], capture_output=True, text=True, check=True)
    return int(result.stdout)


def window(m, ox, oy, w, h, active, caption, hot_button=None):
    """One skinned window at (ox, oy): frame, title, buttons, menu bar and a set of controls."""
    side, top = skinart.SIDE, skinart.TITLE_HEIGHT
    state = 1 if active else 2
    colours = dict(skinart.COLOURS)
    m.element("left.bmp", state, (ox, oy, ox + side, oy + h), (0, top, 0, side))
    m.element("right.bmp", state, (ox + w - side, oy, ox + w, oy + h), (0, top, 0, side))
    m.element("bottom.bmp", state, (ox + side, oy + h - side, ox + w - side, oy + h), (0, 0, 0, 0))
    m.element("top.bmp", state, (ox + side, oy, ox + w - side, oy + top), (8, 0, 8, 0))
    # The caption block, as the frame painter measures it (prefix, one blank, the text).
    cap = skinart.CHIP_CAP
    text = "  " + caption
    block = text_width("   " + caption, CAPTION_FONT, 11) + 2 * cap
    left = ox + side + skinart.CAPTION_SHIFT
    right = min(left + block, ox + w - side - skinart.caption_right_clip())
    chip = frame_of(m.image("textback.bmp"), 2, state, True)
    draw(m.canvas, three_slice(chip, right - left, top, cap, cap), left, oy)
    m.text(left + cap, oy + 8, text, colours["TitleTextActive" if active else "TitleTextNoActive"],
           CAPTION_FONT, 11)
    for name, action, align, x, y, vis, vis1, frames, image in skinart.title_buttons():
        if name == "Button.Restore":
            continue
        index = 1 if active else 4
        if hot_button == name:
            index = 3
        bx = ox + (w - x if align == 1 else x)
        count = skinart.FRAMES[image][0]
        frame = frame_of(m.image(image), count, min(index, count), False)
        draw(m.canvas, frame, bx, oy + y)
    menu_top = oy + top
    bar = frame_of(m.image("menubar.bmp"), 2, state, True)
    draw(m.canvas, three_slice(bar, w - 2 * side, skinart.MENU_HEIGHT, 1, 1), ox + side, menu_top)
    x = ox + side + 5
    for i, entry in enumerate(("文件(F)", "录音(R)", "帮助(H)")):
        width = text_width(entry, UI_FONT, 12) + 10
        if active and i == 1:
            m.canvas.outline(x, menu_top, x + width, menu_top + skinart.MENU_HEIGHT - 1,
                             colours["ButtonHilight"])
        m.text(x + 5, menu_top + 3, entry, colours["MenuBarText"])
        x += width
    client = (ox + side, menu_top + skinart.MENU_HEIGHT, ox + w - side, oy + h - side)
    m.fill(client, colours["ButtonFace"])
    controls(m, client[0] + 10, client[1] + 10, colours, client)


def push_button(m, box, index, caption, colour):
    m.element("button.bmp", index, box, (4, 4, 4, 4))
    width = text_width(caption, UI_FONT, 12)
    m.text((box[0] + box[2] - width) // 2, box[1] + 5, caption, colour)


def controls(m, x, y, colours, client):
    ink = colours["ButtonText"]
    disabled = (160, 160, 160)
    for i, (caption, index, colour) in enumerate((("录音", 1, ink), ("停止", 4, (27, 79, 138)),
                                                  ("退出", 2, (20, 62, 110)), ("关于", 3, disabled))):
        push_button(m, (x + i * 82, y, x + i * 82 + 75, y + 25), index, caption, colour)
    y += 36
    for i, (name, index, label) in enumerate((("check.bmp", 2, "自动命名"), ("check.bmp", 1, "循环"),
                                              ("check.bmp", 4, "禁用"), ("radio.bmp", 2, "单声道"),
                                              ("radio.bmp", 1, "立体声"))):
        cx = x + i * 66
        m.cell(name, index, cx, y + 1)
        m.text(cx + 17, y, label, disabled if index >= 3 else ink)
    y += 26
    # Combo box: the field, the button over its right end, the arrow centred in it.
    cw, ch, t = 170, 22, 16
    m.element("sunkedge.bmp", 4, (x, y, x + cw, y + ch), (2, 2, 2, 2), trans=False)
    m.cell("combobutton.bmp", 4, x + cw - t - 2, y, (t + 2, ch))
    m.cell("extraimages.bmp", 1, x + cw - t - 2 + (t - 9) // 2, y + (ch - 9) // 2)
    m.text(x + 4, y + 4, "44100Hz 16bit Mono", ink)
    # Edit with an up-down beside it.
    ex = x + cw + 12
    m.canvas.outline(ex, y, ex + 100, y + ch, colours["ButtonShadow"])
    m.fill((ex + 1, y + 1, ex + 99, y + ch - 1), (255, 255, 255))
    m.text(ex + 4, y + 4, "C:\\\\temp.wav", ink)
    m.cell("updownvert.bmp", 1, ex + 102, y, (16, 11))
    m.cell("updownvert.bmp", 6, ex + 102, y + 11, (16, 11))
    m.cell("updownvertglyph.bmp", 1, ex + 102 + 4, y + 3)
    m.cell("updownvertglyph.bmp", 6, ex + 102 + 4, y + 11 + 4)
    y += 34
    # Progress bar at 60 %, and a track bar with the engine's thumb cell.
    m.element("progress.bmp", 1, (x, y, x + 170, y + 16), (4, 4, 4, 4))
    m.element("progress.bmp", 2, (x, y, x + 102, y + 16), (4, 4, 4, 4))
    tx = x + 182
    m.canvas.outline(tx, y + 7, tx + 120, y + 11, colours["ButtonShadow"])
    m.fill((tx + 1, y + 8, tx + 119, y + 10), (255, 255, 255))
    m.cell("thumbhorz.bmp", 2, tx + 40, y - 1)
    y += 30
    # Group box as the engine draws it, with a list and its skinned vertical scroll bar.
    gx1 = client[2] - 10
    m.canvas.outline(x, y + 6, gx1 - x + x, y + 100, colours["ButtonShadow"])
    m.fill((x + 8, y, x + 66, y + 14), colours["ButtonFace"])
    m.text(x + 9, y, "录音设备", ink)
    lx, ly, lw, lh = x + 10, y + 20, 180, 72
    m.canvas.outline(lx, ly, lx + lw, ly + lh, colours["ButtonShadow"])
    m.fill((lx + 1, ly + 1, lx + lw - 1, ly + lh - 1), (255, 255, 255))
    m.fill((lx + 2, ly + 20, lx + lw - 18, ly + 36), colours["Hilight"])
    for i, line in enumerate(("Primary Sound Driver", "PulseAudio", "Monitor of Null")):
        m.text(lx + 4, ly + 4 + 16 * i, line, colours["HilightText"] if i == 1 else ink)
    sx = lx + lw - 17
    m.fill((sx, ly + 1, sx + 16, ly + lh - 1), colours["Scrollbar"])
    m.element("vertscroll.bmp", 1, (sx, ly + 17, sx + 16, ly + lh - 17), (1, 0, 0, 0), trans=False)
    m.cell("scrollbar.bmp", 9, sx, ly + 1)
    m.cell("scrollbar.bmp", 14, sx, ly + lh - 17)
    m.element("vertthumb.bmp", 1, (sx, ly + 24, sx + 16, ly + 44), (0, 6, 0, 6))
    # A tab control beside the list.
    tx0 = lx + lw + 12
    page = (tx0, y + 40, gx1 - 10, y + 92)
    for i, (label, index) in enumerate((("格式", 2), ("设备", 1), ("高级", 4))):
        tab = (tx0 + 2 + i * 44, y + 20, tx0 + 2 + i * 44 + 44, y + 41)
        if tab[2] > page[2]:
            break
        m.element("tabs.bmp", index, tab, (4, 4, 4, 2))
        m.text(tab[0] + 10, tab[1] + 5, label, ink)
    border = frame_of(m.image("tabborder.bmp"), 1, 1, False)
    ring = nine_slice(border, page[2] - page[0], page[3] - page[1], (4, 5, 4, 4))
    draw(m.canvas, ring, page[0], page[1], transparent=False)
    y += 110
    # Status bar: two lowered panels.
    sb = (client[0], client[3] - 20, client[2], client[3])
    m.fill(sb, colours["ButtonFace"])
    m.element("statusbar.bmp", 1, (sb[0], sb[1] + 1, sb[0] + 200, sb[3]), (2, 2, 2, 2), trans=False)
    m.element("statusbar.bmp", 1, (sb[0] + 202, sb[1] + 1, sb[2], sb[3]), (2, 2, 2, 2), trans=False)
    m.text(sb[0] + 4, sb[1] + 4, "已经录制了 1764000  字节", ink)
    m.text(sb[0] + 206, sb[1] + 4, "00:00:10", ink)


def popup_menu(m, x, y):
    items = (("录音(R)", 1), ("停止(S)", 4), ("-", 2), ("退出(X)", 1))
    height = 6 + sum(8 if label == "-" else 20 for label, _ in items)
    width = 130
    m.element("menubackground.bmp", 1, (x, y, x + width, y + height), (3, 3, 3, 3), trans=False)
    colours = dict(skinart.COLOURS)
    iy = y + 3
    for label, index in items:
        ih = 8 if label == "-" else 20
        box = (x + 3, iy, x + width - 3, iy + ih)
        if label == "-":
            frame = frame_of(m.image("menuitem.bmp"), 5, 2, False)
            part = frame.crop(0, frame.height - ih, frame.width, frame.height)
            draw(m.canvas, three_slice(part, box[2] - box[0], ih, 3, 3), box[0], box[1])
        else:
            m.element("menuitem.bmp", index, box, (3, 3, 3, 3))
            colour = colours["HilightText"] if index == 4 else colours["MenuText"]
            m.text(box[0] + 3 + 16 + 3, iy + 3, label, colour)
        iy += ih


def render_texts(bmp_path, png_path, texts, scale):
    args = ["convert", bmp_path, "-gravity", "NorthWest"]
    for x, y, text, colour, font, size in texts:
        args += ["-font", font, "-pointsize", str(size), "-fill", "rgb(%d,%d,%d)" % colour,
                 "-annotate", "+%d+%d" % (x, y), text]
    args += ["-filter", "point", "-resize", "%d%%" % (100 * scale), png_path]
    subprocess.run(args, check=True)


def mockup(skin, folder, png_path):
    m = Mockup(skin, 1010, 380)
    window(m, 10, 10, 470, 360, True, "Quillmere 录音机", hot_button="Button.Close")
    window(m, 500, 10, 350, 360, False, "关于 Quillmere")
    popup_menu(m, 866, 60)
    bmp = os.path.join(folder, "mockup.bmp")
    with open(bmp, "wb") as file:
        file.write(bmp24(m.canvas))
    render_texts(bmp, png_path, m.texts, 1)


# ---------------------------------------------------------------- the sheet of bitmaps

def wrapped(canvas, count, per_row=8):
    """Long strips of side-by-side frames folded into rows, with a gap between cells."""
    width = canvas.width // count
    rows = (count + per_row - 1) // per_row
    out = Canvas(min(count, per_row) * (width + 2), rows * (canvas.height + 2), (244, 244, 244))
    for i in range(count):
        cell = canvas.crop(i * width, 0, (i + 1) * width, canvas.height)
        out.blit(cell, (i % per_row) * (width + 2), (i // per_row) * (canvas.height + 2))
    return out


def enlarged(canvas, count, vertical, scale):
    out = Canvas(canvas.width * scale, canvas.height * scale)
    for y in range(out.height):
        out.rows[y] = [canvas.rows[y // scale][x // scale] for x in range(out.width)]
    marker = (0, 200, 220)
    for i in range(1, count):
        if vertical:
            out.rect(0, i * out.height // count, out.width, i * out.height // count + 1, marker)
        else:
            out.rect(i * out.width // count, 0, i * out.width // count + 1, out.height, marker)
    return out


def sheet(skin, folder, png_path):
    tiles = []
    for name, (count, vertical) in skinart.FRAMES.items():
        image = skin[name]
        shown, marks = (wrapped(image, count), 1) if count > 8 else (image, count)
        scale = max(1, min(6, 400 // shown.width, 170 // shown.height))
        path = os.path.join(folder, name.replace(".bmp", ".tile.bmp"))
        with open(path, "wb") as file:
            file.write(bmp24(enlarged(shown, marks, vertical, scale)))
        label = "%s  %dx%d  %d frame%s%s  x%d" % (name, image.width, image.height, count,
                                               "s" if count > 1 else "",
                                               " stacked" if vertical else "", scale)
        tiles += ["-label", label, path]
    subprocess.run(["montage", "-font", "DejaVu-Sans", "-pointsize", "11", "-background", "#f4f4f4"]
                   + tiles + ["-geometry", "420x190+8+8>", "-tile", "4x", png_path], check=True)


def main(argv):
    skin_folder = argv[1] if len(argv) > 1 else os.path.join(ROOT, "resources", "skin")
    out_folder = argv[2] if len(argv) > 2 else os.path.join(ROOT, "out")
    os.makedirs(out_folder, exist_ok=True)
    skin = {name: load_bmp(os.path.join(skin_folder, name)) for name in skinart.FRAMES}
    with tempfile.TemporaryDirectory() as work:
        sheet_png = os.path.join(work, "sheet.png")
        mock_png = os.path.join(out_folder, "skinart-mockup.png")
        sheet(skin, work, sheet_png)
        mockup(skin, work, mock_png)
        preview = os.path.join(out_folder, "skinart-preview.png")
        subprocess.run(["convert", sheet_png, mock_png, "-background", "#f4f4f4", "-gravity",
                        "center", "-append", preview], check=True)
    print("wrote %s and %s" % (preview, mock_png))


if __name__ == "__main__":
    main(sys.argv)
