#!/usr/bin/env python3
"""Draws the two tray and window icons of PokomaruNo1 and writes them as classic
ICO files: one 32x32 image each, 256 colours, with an AND mask for transparency.

    stopped.ico  grey-blue clock, red stop mark
    armed.ico    yellow-orange clock, green tick, ringing lines

The shapes are computed rather than stored as pixel grids so both icons share one
outline and differ only where they should. Standard library only; run it again
after any change and commit the .ico files it writes:

    python3 tools/make_icons.py [output folder] [--png preview folder]
"""

import math
import os
import struct
import sys
import zlib

SIZE = 32
CENTER = (16.0, 17.5)   # clock body; a little low to leave room for the bells
BODY_R = 11.6
RIM_R = 10.2            # inside the outline
FACE_R = 8.3            # inside the rim
BADGE = (25.5, 25.5)
BADGE_R = 5.4

THEMES = {
    "stopped": {
        "outline": (36, 48, 72),
        "rim": (104, 132, 170),
        "rim_light": (158, 184, 214),
        "rim_dark": (70, 92, 128),
        "face": (226, 232, 240),
        "face_shade": (190, 200, 214),
        "hand": (44, 52, 70),
        "cheek": (200, 176, 196),
        "badge": (216, 36, 36),
        "badge_dark": (140, 16, 16),
        "mark": (255, 255, 255),
        "ring": None,
    },
    "armed": {
        "outline": (120, 56, 0),
        "rim": (255, 170, 0),
        "rim_light": (255, 226, 60),
        "rim_dark": (226, 110, 0),
        "face": (255, 252, 228),
        "face_shade": (250, 228, 170),
        "hand": (70, 40, 16),
        "cheek": (255, 140, 150),
        "badge": (36, 176, 60),
        "badge_dark": (16, 100, 30),
        "mark": (255, 255, 255),
        "ring": (240, 96, 0),
    },
}


def dist(x, y, c):
    return math.hypot(x + 0.5 - c[0], y + 0.5 - c[1])


def draw(theme):
    """Returns a SIZE x SIZE grid of RGB tuples, None where transparent."""
    t = THEMES[theme]
    px = [[None] * SIZE for _ in range(SIZE)]

    def put(x, y, colour):
        if 0 <= x < SIZE and 0 <= y < SIZE:
            px[y][x] = colour

    def disc(c, r_out, r_in, colour_at):
        for y in range(SIZE):
            for x in range(SIZE):
                d = dist(x, y, c)
                if d <= r_out:
                    put(x, y, t["outline"] if d > r_in else colour_at(x, y, d))

    def shaded(x, y, c, r):
        # Light from the upper left: the rim's tone depends on which side it faces.
        dx, dy = x + 0.5 - c[0], y + 0.5 - c[1]
        side = (-dx - dy) / (math.hypot(dx, dy) or 1)
        if side > 0.55:
            return t["rim_light"]
        if side < -0.55:
            return t["rim_dark"]
        return t["rim"]

    def line(x0, y0, x1, y1, colour):
        steps = int(max(abs(x1 - x0), abs(y1 - y0)) * 2) + 1
        for i in range(steps + 1):
            f = i / steps
            put(int(round(x0 + (x1 - x0) * f)), int(round(y0 + (y1 - y0) * f)), colour)

    # Bells (the mascot's ears), then the knob between them, behind the body.
    for bell in ((7.0, 7.5), (25.0, 7.5)):
        disc(bell, 4.6, 3.5, lambda x, y, d, b=bell: shaded(x, y, b, 4.6))
    disc((16.0, 5.0), 2.2, 1.2, lambda x, y, d: t["rim_light"])

    # Feet.
    for fx, step in ((9, -1), (22, 1)):
        for i in range(3):
            put(fx + step * i, 28 + i, t["outline"])
            put(fx + step * i + 1, 28 + i, t["outline"])

    # Body: outline, shaded rim, face with a soft lower-right shade.
    def body(x, y, d):
        if d > FACE_R:
            return shaded(x, y, CENTER, BODY_R)
        dx, dy = x + 0.5 - CENTER[0], y + 0.5 - CENTER[1]
        if d > FACE_R - 1.5 and dx + dy > 3:
            return t["face_shade"]
        return t["face"]

    disc(CENTER, BODY_R, RIM_R, body)

    # Hour marks at 12, 3 and 9; the mouth stands for 6.
    cx, cy = int(CENTER[0]), int(CENTER[1])
    put(cx, cy - 7, t["hand"])
    put(cx - 1, cy - 7, t["hand"])
    put(cx + 7, cy, t["hand"])
    put(cx - 8, cy, t["hand"])

    # Cheeks and a small smile, so the clock reads as a face.
    for x in (cx - 6, cx - 5, cx + 4, cx + 5):
        put(x, cy + 3, t["cheek"])
    for x, y in ((cx - 2, cy + 4), (cx - 1, cy + 5), (cx, cy + 5), (cx + 1, cy + 4)):
        put(x, y, t["hand"])

    # Hands: the minute hand up at twelve, the hour hand toward ten.
    line(cx - 0.5, cy - 0.5, cx - 0.5, cy - 6.0, t["hand"])
    line(cx - 0.5, cy - 0.5, cx - 4.5, cy - 3.0, t["hand"])
    put(cx, cy - 1, t["hand"])
    put(cx - 1, cy, t["hand"])
    put(cx, cy, t["hand"])

    # Ringing lines beside the bells.
    if t["ring"]:
        for sx in (1, -1):
            ox = 0 if sx == 1 else SIZE - 1
            for (x0, y0, x1, y1) in ((1, 2, 2, 3), (0, 6, 1, 6), (0, 10, 1, 10), (4, 0, 5, 0)):
                line(ox + sx * x0, y0, ox + sx * x1, y1, t["ring"])

    # Badge: a light ring to lift it off the clock, the disc, then its mark.
    def badge(x, y, d):
        dx, dy = x + 0.5 - BADGE[0], y + 0.5 - BADGE[1]
        return t["badge_dark"] if d > BADGE_R - 2.0 and dx + dy > 2 else t["badge"]

    for y in range(SIZE):
        for x in range(SIZE):
            d = dist(x, y, BADGE)
            if d <= BADGE_R + 1.0:
                put(x, y, t["mark"] if d > BADGE_R else badge(x, y, d))
    bx, by = int(BADGE[0]), int(BADGE[1])
    if theme == "stopped":
        # A bar across the disc: the "no entry" sign.
        for x in range(bx - 3, bx + 3):
            for y in (by - 1, by):
                put(x, y, t["mark"])
    else:
        for (x, y) in ((bx - 3, by - 1), (bx - 2, by), (bx - 1, by + 1), (bx, by),
                       (bx + 1, by - 1), (bx + 2, by - 2), (bx + 3, by - 3)):
            put(x, y, t["mark"])
            put(x, y + 1, t["mark"])
    return px


def ico_bytes(px):
    """One 32x32 8-bit image: ICONDIR, one entry, BITMAPINFOHEADER (height doubled
    for the two masks), a 256-entry palette, the XOR bitmap, the AND mask."""
    colours = sorted({c for row in px for c in row if c is not None})
    palette = [(0, 0, 0)] + colours   # index 0 under transparent pixels: black
    if len(palette) > 256:
        raise ValueError("more than 256 colours")
    palette += [(0, 0, 0)] * (256 - len(palette))
    index = {c: i + 1 for i, c in enumerate(colours)}

    xor = bytearray()
    and_mask = bytearray()
    for row in reversed(px):          # bottom-up, as bitmaps are stored
        xor += bytes(0 if c is None else index[c] for c in row)
        bits = 0
        for c in row:
            bits = (bits << 1) | (1 if c is None else 0)
        and_mask += bits.to_bytes(SIZE // 8, "big")   # 32 bits: already 4-byte rows

    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 8, 0,
                         len(xor) + len(and_mask), 0, 0, 256, 0)
    image = header + b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in palette) \
        + bytes(xor) + bytes(and_mask)
    icondir = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 0, 0, 1, 8, len(image), 6 + 16)
    return icondir + entry + image


def png_bytes(px, scale, checker=True):
    """A preview: scaled up, transparency shown as a checkerboard."""
    h, w = len(px) * scale, len(px[0]) * scale
    raw = bytearray()
    for y in range(h):
        raw.append(0)
        for x in range(w):
            c = px[y // scale][x // scale]
            if c is None:
                c = (204, 204, 204) if ((x // 8 + y // 8) % 2 and checker) else (150, 150, 150)
            raw += bytes(c)

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + \
            struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)

    return b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", w, h, 8, 2, 0, 0, 0)) \
        + chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b"")


def main(argv):
    here = os.path.dirname(os.path.abspath(__file__))
    out_dir = os.path.join(here, "..", "platform", "win32", "res")
    png_dir = None
    args = list(argv)
    if "--png" in args:
        i = args.index("--png")
        png_dir = args[i + 1]
        del args[i:i + 2]
    if args:
        out_dir = args[0]
    for theme in THEMES:
        px = draw(theme)
        with open(os.path.join(out_dir, theme + ".ico"), "wb") as f:
            f.write(ico_bytes(px))
        if png_dir:
            with open(os.path.join(png_dir, theme + ".png"), "wb") as f:
                f.write(png_bytes(px, 8))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
