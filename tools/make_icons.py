#!/usr/bin/env python3
"""Draws the two tray and window icons of PokomaruNo1 and writes them as ICO files
holding one image for every size Windows asks for: 16, 20, 24 and 32 (tray and
title bar at 100 to 200 % scaling), 40, 48 and 64 (Alt+Tab, Explorer) and 256
(Explorer's large views).

    stopped.ico  grey-blue clock, red stop mark
    armed.ico    yellow-orange clock, green tick, ringing lines

Every size is drawn for its own pixel grid, not scaled from another: outline, hand
and badge sizes come from the table GRID, circles are placed so that their edges
meet whole pixels, and details that would only blur at a small size (face shade,
cheeks, hour marks, some ringing lines) are left out there. Shapes are signed
distance functions, so every edge is antialiased into the alpha channel.

Frames up to 32 px are 32-bit bitmaps with an AND mask (the tray and the title bar
use them, and every Windows version reads them); larger ones are PNG, which keeps
the executable small and which Windows reads since Vista.

Standard library only; run it again after any change and commit the .ico files:

    python3 tools/make_icons.py [output folder] [--png preview folder]

--png also writes every frame enlarged over a checkerboard (stopped_16.png, ...)
and sheet.png, every size up to 64 as it is and doubled on a light and a dark
ground, to judge them by eye.
"""

import math
import os
import struct
import sys
import zlib

# Directory order: largest first, as Windows' own icons list them.
SIZES = (256, 64, 48, 40, 32, 24, 20, 16)
LARGEST_BITMAP = 32

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

RINGS = (210, 235, 260)   # ringing lines of the left bell, degrees with y down

# What each grid can hold, in pixels. body: the clock's diameter (odd when the hand
# width is odd, so that one-pixel hands and marks sit on the centre); line: its
# outline; rim: the coloured band inside the outline; bell, knob: diameters; foot,
# hand, ring: stroke widths; badge: diameter of the badge disc; halo: the light
# ring that lifts the badge off the clock; rings: directions of the ringing lines
# from the left bell, drawn where the grid has room for them beside it;
# details: face shade (s), hour marks (m), smile (f), cheeks (c), badge shade (b).
GRID = {
    16:  dict(body=11, line=1, rim=1, bell=5, knob=3, foot=1, hand=1, badge=8,
              halo=1, ring=1, rings=(), details=""),
    20:  dict(body=15, line=1, rim=1, bell=7, knob=3, foot=1, hand=1, badge=10,
              halo=1, ring=1, rings=(), details=""),
    24:  dict(body=17, line=1, rim=1.5, bell=8, knob=3, foot=1.5, hand=1, badge=12,
              halo=1, ring=1, rings=(), details="sb"),
    32:  dict(body=23, line=1.5, rim=2, bell=9, knob=3, foot=2, hand=1, badge=12,
              halo=1, ring=1, rings=(260, 225), details="smfcb"),
    40:  dict(body=28, line=2, rim=2.5, bell=11, knob=6, foot=2.5, hand=2, badge=14,
              halo=1.5, ring=1.5, rings=RINGS, details="smfcb"),
    48:  dict(body=33, line=2, rim=3, bell=13, knob=7, foot=3, hand=3, badge=16,
              halo=1.5, ring=2, rings=RINGS, details="smfcb"),
    64:  dict(body=43, line=3, rim=4, bell=17, knob=9, foot=4, hand=3, badge=22,
              halo=2, ring=2.5, rings=RINGS, details="smfcb"),
    256: dict(body=174, line=10, rim=15, bell=68, knob=36, foot=15, hand=12, badge=86,
              halo=7, ring=9, rings=RINGS, details="smfcb"),
}

# The design, in units of the clock's radius, measured from its centre.
BELL_AT = (-0.78, -0.86)
KNOB_AT = (0.0, -1.08)
FOOT = ((-0.50, 0.89), (-0.69, 1.08))
CENTRE_Y = 17.5 / 32     # the clock sits a little low to leave room for the bells


def clamp(v, lo=0.0, hi=1.0):
    return lo if v < lo else hi if v > hi else v


def grid(v):
    """The nearest whole-pixel position (round half up, unlike round())."""
    return math.floor(v + 0.5)


def snapped_disc_centre(x, y, d):
    """The centre of a disc d pixels across whose bounding box lies on whole pixels,
    as near (x, y) as that allows."""
    r = d / 2
    return grid(x - r) + r, grid(y - r) + r


# Shapes: (signed distance function, bounding box). Negative inside.

def disc(cx, cy, r):
    return (lambda x, y: math.hypot(x - cx, y - cy) - r,
            (cx - r, cy - r, cx + r, cy + r))


def ellipse(cx, cy, rx, ry):
    m = min(rx, ry)
    return (lambda x, y: (math.hypot((x - cx) / rx, (y - cy) / ry) - 1) * m,
            (cx - rx, cy - ry, cx + rx, cy + ry))


def rect(x0, y0, x1, y1, radius=0.0):
    cx, cy, hx, hy = (x0 + x1) / 2, (y0 + y1) / 2, (x1 - x0) / 2, (y1 - y0) / 2

    def sdf(x, y):
        qx = abs(x - cx) - hx + radius
        qy = abs(y - cy) - hy + radius
        return math.hypot(max(qx, 0), max(qy, 0)) + min(max(qx, qy), 0) - radius
    return sdf, (x0, y0, x1, y1)


def stroke(points, w):
    """A polyline of width w with round ends and joints."""
    segs = list(zip(points, points[1:])) or [(points[0], points[0])]

    def sdf(x, y):
        best = float("inf")
        for (x0, y0), (x1, y1) in segs:
            dx, dy = x1 - x0, y1 - y0
            l2 = dx * dx + dy * dy
            t = clamp(((x - x0) * dx + (y - y0) * dy) / l2) if l2 else 0.0
            best = min(best, math.hypot(x - x0 - t * dx, y - y0 - t * dy))
        return best - w / 2
    xs, ys = [p[0] for p in points], [p[1] for p in points]
    return sdf, (min(xs) - w / 2, min(ys) - w / 2, max(xs) + w / 2, max(ys) + w / 2)


def arc(cx, cy, r, a0, a1, w):
    """An arc from angle a0 to a1 (degrees, y down, a0 < a1) with round ends."""
    ends = [(cx + r * math.cos(math.radians(a)), cy + r * math.sin(math.radians(a)))
            for a in (a0, a1)]

    def sdf(x, y):
        a = math.degrees(math.atan2(y - cy, x - cx)) % 360
        if a0 <= a <= a1 or a0 <= a + 360 <= a1:
            return abs(math.hypot(x - cx, y - cy) - r) - w / 2
        return min(math.hypot(x - ex, y - ey) for ex, ey in ends) - w / 2
    return sdf, (cx - r - w, cy - r - w, cx + r + w, cy + r + w)


def minus(a, b):
    return (lambda x, y: max(a[0](x, y), -b[0](x, y)), a[1])


def cells(cs):
    """Whole pixels, unblurred: what a one-pixel line needs on a small grid."""
    cs = list(cs)

    def sdf(x, y):
        return min(max(abs(x - c - 0.5), abs(y - r - 0.5)) for c, r in cs) - 0.5
    return sdf, (min(c for c, _ in cs), min(r for _, r in cs),
                 max(c for c, _ in cs) + 1, max(r for _, r in cs) + 1)


def pixel_line(p0, p1):
    """The pixels a one-pixel line from p0 to p1 runs through (Bresenham)."""
    x0, y0, x1, y1 = (math.floor(v) for v in (*p0, *p1))
    dx, dy = abs(x1 - x0), -abs(y1 - y0)
    sx, sy = (1 if x1 > x0 else -1), (1 if y1 > y0 else -1)
    err, out = dx + dy, []
    while True:
        out.append((x0, y0))
        if (x0, y0) == (x1, y1):
            return out
        e2 = 2 * err
        if e2 >= dy:
            err += dy
            x0 += sx
        if e2 <= dx:
            err += dx
            y0 += sy


def pixel_arc(cx, cy, r, a0, a1):
    """The lower arc of a circle between angles a0 and a1, one pixel per column."""
    half = r * math.cos(math.radians(a0))
    return [(c, math.floor(cy + math.sqrt(max(0.0, r * r - (c + 0.5 - cx) ** 2))))
            for c in range(math.floor(cx - r), math.ceil(cx + r))
            if abs(c + 0.5 - cx) <= half]


def line(p0, p1, w):
    """A stroke with round ends, or whole pixels where it is one pixel wide."""
    return cells(pixel_line(p0, p1)) if w == 1 else stroke([p0, p1], w)


def pixel_tick(left, top, d):
    """A tick two pixels tall in a d-pixel square: down-right, then further up-right."""
    short = max(1, math.floor(0.17 * d))
    long_ = short + max(2, grid(0.25 * d))
    path = [(i, i) for i in range(short + 1)] + \
        [(short + j, short - j) for j in range(1, long_ + 1)]
    path += [(c, r + 1) for c, r in path]
    c0 = left + (d - (short + long_ + 1)) // 2
    rows = [r for _, r in path]
    r0 = top + (d - (max(rows) - min(rows) + 1) + 1) // 2 - min(rows)
    return cells((c0 + c, r0 + r) for c, r in path)


class Canvas:
    """Premultiplied RGBA in 0..1, painted back to front."""

    def __init__(self, n):
        self.n = n
        self.px = [[0.0, 0.0, 0.0, 0.0] for _ in range(n * n)]

    def fill(self, shape, colour):
        sdf, (bx0, by0, bx1, by1) = shape
        n = self.n
        for y in range(max(0, math.floor(by0) - 1), min(n, math.ceil(by1) + 1)):
            for x in range(max(0, math.floor(bx0) - 1), min(n, math.ceil(bx1) + 1)):
                # Coverage of a one-pixel box by the edge, from the distance at its centre.
                a = 0.5 - sdf(x + 0.5, y + 0.5)
                if a <= 0:
                    continue
                a = min(a, 1.0)
                c = colour(x + 0.5, y + 0.5) if callable(colour) else colour
                p = self.px[y * n + x]
                k = 1.0 - a
                p[0] = c[0] / 255 * a + p[0] * k
                p[1] = c[1] / 255 * a + p[1] * k
                p[2] = c[2] / 255 * a + p[2] * k
                p[3] = a + p[3] * k

    def rgba(self):
        """Rows top-down of straight (r, g, b, a) bytes; fully transparent is all zero."""
        out = []
        for y in range(self.n):
            row = []
            for r, g, b, a in self.px[y * self.n:(y + 1) * self.n]:
                a8 = grid(a * 255)
                if a8 == 0:
                    row.append((0, 0, 0, 0))
                else:
                    row.append(tuple(min(255, grid(v / a * 255)) for v in (r, g, b)) + (a8,))
            out.append(row)
        return out


def mix(c0, c1, t):
    return tuple(a + (b - a) * t for a, b in zip(c0, c1))


def lit(t, cx, cy):
    """The rim's three tones, lit from the upper left: the light band faces within
    67 degrees of the light, the dark band within 67 degrees of the opposite side;
    the bands blend over one pixel."""
    spread = math.radians(67)

    def colour(x, y):
        dx, dy = x - cx, y - cy
        r = math.hypot(dx, dy) or 1e-9
        ang = math.acos(clamp((-dx - dy) / (r * math.sqrt(2)), -1.0, 1.0))
        light = clamp(0.5 + r * (spread - ang))
        dark = clamp(0.5 + r * (ang - (math.pi - spread)))
        return mix(mix(t["rim"], t["rim_light"], light), t["rim_dark"], dark)
    return colour


def draw(theme, size):
    t = THEMES[theme]
    g = GRID[size]
    cv = Canvas(size)
    details = g["details"]

    body_r = g["body"] / 2
    cx = size / 2 - (0.5 if g["body"] % 2 else 0.0)
    cx, cy = snapped_disc_centre(cx, size * CENTRE_Y, g["body"])
    face_r = body_r - g["line"] - g["rim"]

    def at(v):
        return cx + v[0] * body_r, cy + v[1] * body_r

    def mirror(p):
        return 2 * cx - p[0], p[1]

    # Bells (the mascot's ears) and the knob between them, behind the body.
    bx, by = snapped_disc_centre(*at(BELL_AT), g["bell"])
    bell_r = g["bell"] / 2
    for x in (bx, 2 * cx - bx):
        cv.fill(disc(x, by, bell_r), t["outline"])
        cv.fill(disc(x, by, bell_r - g["line"]), lit(t, x, by))
    _, ky = snapped_disc_centre(*at(KNOB_AT), g["knob"])
    cv.fill(disc(cx, ky, g["knob"] / 2), t["outline"])
    cv.fill(disc(cx, ky, g["knob"] / 2 - g["line"]), t["rim_light"])

    # Ringing lines beside the bells: the alarm is set. One pixel wide they are up to
    # three whole pixels, a clear pixel away from the bell.
    if t["ring"]:
        w = g["ring"]
        r0 = bell_r + max(1.0, 0.22 * bell_r) + w / 2
        r1 = r0 + max(1.0, 0.36 * bell_r)
        for a in g["rings"]:
            u, v = math.cos(math.radians(a)), math.sin(math.radians(a))
            if w == 1:
                ray = pixel_line((bx, by), (bx + u * (bell_r + 6), by + v * (bell_r + 6)))
                ray = [(c, r) for c, r in ray if c >= 0 and r >= 0 and
                       math.hypot(c + 0.5 - bx, r + 0.5 - by) >= bell_r + 1][:3]
                if len(ray) < 2:
                    continue
                cv.fill(cells(ray), t["ring"])
                cv.fill(cells((grid(2 * cx) - c - 1, r) for c, r in ray), t["ring"])
                continue
            # Shortened where the canvas edge would cut it; left out if too little remains.
            end = min([r1] + [(w / 2 - p) / d for p, d in ((bx, u), (by, v)) if d < 0])
            if end - r0 < 0.5:
                continue
            p0 = (bx + u * r0, by + v * r0)
            p1 = (bx + u * end, by + v * end)
            cv.fill(stroke([p0, p1], w), t["ring"])
            cv.fill(stroke([mirror(p0), mirror(p1)], w), t["ring"])

    # Feet.
    for p0, p1 in ((at(FOOT[0]), at(FOOT[1])), (mirror(at(FOOT[0])), mirror(at(FOOT[1])))):
        cv.fill(line(p0, p1, g["foot"]), t["outline"])

    # Body: outline, shaded rim, face with a soft lower-right shade.
    cv.fill(disc(cx, cy, body_r), t["outline"])
    cv.fill(disc(cx, cy, body_r - g["line"]), lit(t, cx, cy))
    cv.fill(disc(cx, cy, face_r), t["face"])
    if "s" in details:
        s = max(1.0, 0.15 * face_r)
        cv.fill(minus(disc(cx, cy, face_r), disc(cx - s, cy - s, face_r)), t["face_shade"])

    h = g["hand"]
    # Hour marks at 12, 3 and 9; the mouth stands for 6.
    if "m" in details:
        length = max(1, grid(0.18 * face_r))
        inset = max(1, grid(0.12 * face_r))
        top = grid(cy - face_r) + inset
        cv.fill(rect(cx - h / 2, top, cx + h / 2, top + length), t["hand"])
        left = grid(cx - face_r) + inset
        cv.fill(rect(left, cy - h / 2, left + length, cy + h / 2), t["hand"])
        cv.fill(rect(2 * cx - left - length, cy - h / 2, 2 * cx - left, cy + h / 2), t["hand"])

    # Cheeks and a small smile, so the clock reads as a face.
    if "c" in details:
        for sx in (-1, 1):
            cv.fill(ellipse(cx + sx * 0.62 * face_r, cy + 0.42 * face_r,
                            max(1.0, 0.15 * face_r), max(0.5, 0.08 * face_r)), t["cheek"])
    if "f" in details:
        mouth = (cx, cy + 0.15 * face_r, 0.38 * face_r)
        if h == 1:
            cv.fill(cells(pixel_arc(*mouth, 35, 145)), t["hand"])
        else:
            cv.fill(arc(*mouth, 35, 145, 0.8 * h), t["hand"])

    # Hands: the minute hand up at twelve, the hour hand toward ten, and the hub.
    tip = grid(cy - (0.62 if "m" in details else 0.9) * face_r)
    if h == 1:
        # Two across for one up, in pairs: the even staircase nearest to ten
        # o'clock. It leaves the hub sideways, clear of the minute hand.
        c, r = math.floor(cx), math.floor(cy)
        rise = max(1, grid(0.55 * face_r / math.sqrt(5)))
        hour = [(c - i, r - i // 2) for i in range(1, 2 * rise + 2)]
        cv.fill(cells(hour + pixel_line((cx, cy), (cx, tip))), t["hand"])
    else:
        cv.fill(rect(cx - h / 2, tip, cx + h / 2, cy + h / 2, h / 2 if size >= 40 else 0.0),
                t["hand"])
        end = (cx + 0.55 * face_r * math.cos(math.radians(210)),
               cy + 0.55 * face_r * math.sin(math.radians(210)))
        cv.fill(stroke([(cx, cy), end], h), t["hand"])
        cv.fill(disc(cx, cy, 0.8 * h), t["hand"])

    # Badge: a light ring to lift it off the clock, the disc, its shade, its mark.
    d = g["badge"]
    gap = g["halo"] if size >= 32 else 0
    b = size - gap - d / 2
    br = d / 2
    cv.fill(disc(b, b, br + g["halo"]), t["mark"])
    cv.fill(disc(b, b, br), t["badge"])
    if "b" in details:
        s = 0.14 * d
        cv.fill(minus(disc(b, b, br), disc(b - s, b - s, br)), t["badge_dark"])
    if theme == "stopped":
        # A bar across the disc: the "no entry" sign.
        half_w = grid(0.3 * d)
        bar = max(2, 2 * grid(0.1 * d))
        cv.fill(rect(b - half_w, b - bar / 2, b + half_w, b + bar / 2,
                     bar / 4 if size >= 40 else 0.0), t["mark"])
    elif size <= 24:
        # Antialiased, a tick this small would be a smudge.
        cv.fill(pixel_tick(grid(b - br), grid(b - br), d), t["mark"])
    else:
        cv.fill(stroke([(b - 0.27 * d, b), (b - 0.09 * d, b + 0.18 * d),
                        (b + 0.27 * d, b - 0.18 * d)], max(1.4, 0.17 * d)), t["mark"])
    return cv.rgba()


def bmp_frame(px):
    """A 32-bit DIB as icons store it: BITMAPINFOHEADER with the height doubled for
    the two masks, the BGRA rows bottom-up, then the AND mask (set where fully
    transparent) for systems that draw without alpha."""
    n = len(px)
    xor = bytearray()
    and_mask = bytearray()
    stride = (n + 31) // 32 * 4
    for row in reversed(px):
        for r, g, b, a in row:
            xor += bytes((b, g, r, a))
        bits = 0
        for p in row:
            bits = (bits << 1) | (1 if p[3] == 0 else 0)
        and_mask += (bits << (stride * 8 - n)).to_bytes(stride, "big")
    header = struct.pack("<IiiHHIIiiII", 40, n, n * 2, 1, 32, 0,
                         len(xor) + len(and_mask), 0, 0, 0, 0)
    return header + bytes(xor) + bytes(and_mask)


def png_chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + \
        struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)


def deflate(data, strategy):
    c = zlib.compressobj(9, zlib.DEFLATED, 15, 9, strategy)
    return c.compress(data) + c.flush()


def png_bytes(rows, alpha=True):
    """A PNG of rows of (r, g, b[, a]) tuples. Flat artwork often packs best with no
    filtering at all, so every row is filtered all five ways and the smallest of a
    few plans wins: one filter throughout, or per row the one with the smallest
    sum of magnitudes."""
    bpp = 4 if alpha else 3
    w, h = len(rows[0]), len(rows)
    prev = bytes(w * bpp)
    filtered = []      # per row, its five filtered forms
    for row in rows:
        cur = bytes(v for p in row for v in p[:bpp])
        forms = []
        for ftype in range(5):
            out = bytearray([ftype])
            for i, v in enumerate(cur):
                left = cur[i - bpp] if i >= bpp else 0
                up = prev[i]
                ul = prev[i - bpp] if i >= bpp else 0
                if ftype == 0:
                    pred = 0
                elif ftype == 1:
                    pred = left
                elif ftype == 2:
                    pred = up
                elif ftype == 3:
                    pred = (left + up) // 2
                else:
                    pa, pb, pc = abs(up - ul), abs(left - ul), abs(left + up - 2 * ul)
                    pred = left if pa <= pb and pa <= pc else up if pb <= pc else ul
                out.append((v - pred) & 0xFF)
            forms.append(bytes(out))
        filtered.append(forms)
        prev = cur

    def cost(form):
        return sum(v if v < 128 else 256 - v for v in form[1:])
    plans = [b"".join(forms[f] for forms in filtered) for f in range(5)]
    plans.append(b"".join(min(forms, key=cost) for forms in filtered))
    packed = min((deflate(plan, strategy) for plan in plans
                  for strategy in (zlib.Z_DEFAULT_STRATEGY, zlib.Z_FILTERED)), key=len)
    return b"\x89PNG\r\n\x1a\n" + \
        png_chunk(b"IHDR", struct.pack(">IIBBBBB", w, h, 8, 6 if alpha else 2, 0, 0, 0)) + \
        png_chunk(b"IDAT", packed) + png_chunk(b"IEND", b"")


def ico_bytes(frames):
    """ICONDIR, one 16-byte entry per frame (a width of 0 means 256), the frames."""
    out = struct.pack("<HHH", 0, 1, len(frames))
    offset = 6 + 16 * len(frames)
    for size, data in frames:
        out += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    return out + b"".join(data for _, data in frames)


def over(p, bg):
    a = p[3] / 255
    return tuple(grid(c * a + k * (1 - a)) for c, k in zip(p[:3], bg))


def preview(px, scale):
    """Enlarged, on a checkerboard so that the alpha shows."""
    rows = []
    for y in range(len(px) * scale):
        row = []
        for x in range(len(px) * scale):
            bg = (204, 204, 204) if (x // 8 + y // 8) % 2 else (150, 150, 150)
            row.append(over(px[y // scale][x // scale], bg))
        rows.append(row)
    return rows


def sheet(images):
    """Every frame up to 64 at its real size and doubled, on a light and a dark ground."""
    sizes = [s for s in sorted(SIZES) if s <= 64]
    pad = 8
    width = pad + sum(3 * s + 2 * pad for s in sizes)
    band = 2 * max(sizes) + 2 * pad
    rows = []
    for bg in ((240, 240, 240), (32, 32, 32)):
        for theme in THEMES:
            block = [[bg] * width for _ in range(band)]
            x0 = pad
            for s in sizes:
                px = images[theme][s]
                for scale, left in ((1, x0), (2, x0 + s + pad)):
                    for y in range(s * scale):
                        for x in range(s * scale):
                            block[pad + y][left + x] = over(px[y // scale][x // scale], bg)
                x0 += 3 * s + 2 * pad
            rows += block
    return rows


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
    images = {}
    for theme in THEMES:
        images[theme] = {s: draw(theme, s) for s in SIZES}
        frames = [(s, bmp_frame(images[theme][s]) if s <= LARGEST_BITMAP
                   else png_bytes(images[theme][s])) for s in SIZES]
        with open(os.path.join(out_dir, theme + ".ico"), "wb") as f:
            f.write(ico_bytes(frames))
        print(theme + ".ico:", ", ".join("%d: %d" % (s, len(d)) for s, d in frames))
        if png_dir:
            for s in SIZES:
                with open(os.path.join(png_dir, "%s_%d.png" % (theme, s)), "wb") as f:
                    f.write(png_bytes(preview(images[theme][s], max(1, 256 // s)), alpha=False))
    if png_dir:
        with open(os.path.join(png_dir, "sheet.png"), "wb") as f:
            f.write(png_bytes(sheet(images), alpha=False))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
