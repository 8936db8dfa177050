#!/usr/bin/env python3
"""Draws Tuvo's pictures into this folder: the background (a stone vault in
front of a columned temple, 350 x 203, 24-bit binary PPM, which the program
shows without decoding), the two arrows, the
clear-field picture, the 24 x 24 temple picture and the desktop icons made
from it; the pictures of the main window also at 2x and 3x, drawn finer. Standard library only;
the output is committed, so this runs only when a picture changes."""

import math
import random
import struct
import zlib
from pathlib import Path

HERE = Path(__file__).resolve().parent
(HERE / "icons").mkdir(exist_ok=True)


def write_png(path, width, height, pixel):
    """An RGBA PNG; pixel(x, y) gives the four bytes."""
    rows = bytearray()
    for y in range(height):
        rows.append(0)
        for x in range(width):
            rows.extend(pixel(x, y))

    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data
                + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))

    png = (b"\x89PNG\r\n\x1a\n"
           + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0))
           + chunk(b"IDAT", zlib.compress(bytes(rows), 9))
           + chunk(b"IEND", b""))
    path.write_bytes(png)


def write_xpm(path, name, rows, colours):
    lines = [f'"{len(rows[0])} {len(rows)} {len(colours)} 1",']
    lines += [f'"{key} c {value}",' for key, value in colours.items()]
    lines += [f'"{row}",' for row in rows]
    lines[-1] = lines[-1].rstrip(",")
    path.write_text("/* XPM */\nstatic const char *" + name + "[] = {\n"
                    + "\n".join(lines) + "\n};\n")


# The background -------------------------------------------------------------
# Every shape is a function of the point in the 1x picture's coordinates, so a
# finer picture is the same scene sampled more densely: a device pixel (X, Y)
# at scale s stands at (X / s, Y / s). Joints and edge lines fall on whole 1x
# coordinates, so at 2x and 3x they are one device pixel thin, and the grain of
# the stone is drawn at the finer pixel.

W, H = 350, 203
NOISE = None


def grain(scale):
    random.seed(1994 if scale == 1 else 1994 + scale)
    return [[random.random() for _ in range(W * scale)] for _ in range(H * scale)]


def mix(a, b, t):
    return tuple(round(a[i] + (b[i] - a[i]) * t) for i in range(3))


def shade(colour, factor):
    return tuple(max(0, min(255, round(c * factor))) for c in colour)


def sky(x, y):
    return mix((96, 142, 196), (214, 222, 226), min(1.0, y / 110))


STONE_FAR = (214, 196, 158)
TEMPLE_LEFT, TEMPLE_RIGHT = 112, 300
COLUMNS = [TEMPLE_LEFT + 10 + i * 34 for i in range(6)]


def temple(x, y, n):
    """The temple in the distance, or None where the sky shows."""
    centre = (TEMPLE_LEFT + TEMPLE_RIGHT) / 2
    if 30 <= y < 58 and abs(x - centre) <= (y - 30) * 3.6:  # pediment
        edge = abs(x - centre) > (y - 30) * 3.6 - 3 or y < 33
        return shade(STONE_FAR, 0.72 if edge else 0.9 + 0.1 * n)
    if TEMPLE_LEFT - 4 <= x <= TEMPLE_RIGHT + 4 and 58 <= y < 70:  # beam
        return shade(STONE_FAR, 0.8 if y in (58, 63, 69) else 1.0 - 0.08 * n)
    if TEMPLE_LEFT <= x <= TEMPLE_RIGHT and 70 <= y < 128:  # columns
        for left in COLUMNS:
            if left <= x < left + 14:
                light = 0.7 + 0.45 * math.sin(math.pi * (x - left) / 14)
                flute = 0.92 if (x - left) % 4 == 0 else 1.0
                return shade(STONE_FAR, light * flute)
        return shade((92, 78, 60), 0.8 + 0.2 * n)  # shadow behind
    if TEMPLE_LEFT - 12 <= x <= TEMPLE_RIGHT + 12 and 128 <= y < 140:  # steps
        step = (y - 128) // 4
        if x >= TEMPLE_LEFT - 4 * step:
            return shade(STONE_FAR, 0.95 - 0.08 * step - 0.06 * n)
    return None


def ground(x, y, n):
    t = (y - 132) / (H - 132)
    return shade(mix((176, 156, 112), (128, 108, 74), t), 0.9 + 0.15 * n)


ARCH_CX, ARCH_SPRING, ARCH_R = 175, 92, 128


def vault(x, y, n):
    """The stone vault in front, or None inside its opening."""
    inner = math.hypot(x - ARCH_CX, y - ARCH_SPRING)
    outer_r = ARCH_R + 34
    in_opening = (y >= ARCH_SPRING and abs(x - ARCH_CX) < ARCH_R) or (
        y < ARCH_SPRING and inner < ARCH_R)
    if in_opening:
        return None
    base = (150, 128, 98)
    if y < ARCH_SPRING and inner < outer_r:
        # voussoirs: wedges cut along the radius
        angle = math.atan2(ARCH_SPRING - y, x - ARCH_CX)
        joint = abs((angle / math.pi * 13) % 1 - 0.5) > 0.46 or abs(inner - ARCH_R - 17) < 0.8
        light = 0.75 + 0.35 * (inner - ARCH_R) / 34
    else:
        # coursed blocks of the piers and the wall above the arch
        course = y // 14
        offset = 12 if course % 2 else 0
        joint = y % 14 == 0 or (x + offset) % 24 == 0
        light = 0.85 if x < ARCH_CX else 0.7
    if joint:
        return shade(base, 0.45)
    return shade(base, light * (0.82 + 0.3 * n))


def background(x, y, n):
    stone = vault(x, y, n)
    if stone:
        return stone
    far = temple(x, y, n)
    if far:
        return far
    return ground(x, y, n) if y >= 132 else sky(x, y)


def at_scale(name, scale):
    return name if scale == 1 else name.replace(".", f"@{scale}x.")


for scale in (1, 2, 3):
    noise = grain(scale)
    pixels = bytearray()
    for Y in range(H * scale):
        for X in range(W * scale):
            x, y = (X, Y) if scale == 1 else (X / scale, Y / scale)
            pixels.extend(background(x, y, noise[Y][X]))
    (HERE / at_scale("background.ppm", scale)).write_bytes(
        b"P6\n%d %d\n255\n" % (W * scale, H * scale) + bytes(pixels))


# The arrows -----------------------------------------------------------------
# Sampled at the centre of each device pixel, in the 1x pixel grid.

def arrow(pointing_left, scale):
    rows = []
    for Y in range(20 * scale):
        row = ""
        for X in range(22 * scale):
            x = (X + 0.5) / scale - 0.5
            y = (Y + 0.5) / scale - 0.5
            u = 21 - x if pointing_left else x
            dy = abs(y - 9.5)
            head = 12 <= u <= 19 and dy <= (19.5 - u) * 0.95
            shaft = 2 <= u < 12 and dy <= 2.5
            row += "b" if head or shaft else "."
        rows.append(row)
    return rows


ARROW_COLOURS = {".": "#CEEDDC", "b": "#0000FF"}
for scale in (1, 2, 3):
    suffix = "" if scale == 1 else f"_{scale}x"
    write_xpm(HERE / at_scale("arrow-left.xpm", scale), "arrow_left" + suffix,
              arrow(True, scale), ARROW_COLOURS)
    write_xpm(HERE / at_scale("arrow-right.xpm", scale), "arrow_right" + suffix,
              arrow(False, scale), ARROW_COLOURS)


# The clear-field picture: a page of text with an eraser across it ------------

CLEAR = [
    "..................",
    ".wwwwwwwww........",
    ".wggggwwwww.......",
    ".wwwwwwwwwwp......",
    ".wgggggwwwppp.....",
    ".wwwwwwwwpppk.....",
    ".wggggwwpppkk.....",
    ".wwwwwwpppkk......",
    ".wgggyypppk.......",
    ".wwwyyypkk........",
    ".wwwyyykk.........",
    ".wwwwwwwwww.......",
    "..................",
]
CLEAR_COLOURS = {".": "None", "w": "#FFFFFF", "g": "#808080", "p": "#E07070",
                 "k": "#000000", "y": "#C0C0C0"}


def clear_scene(x, y):
    """The same picture as shapes, in the 1x pixel grid: the page, its lines of
    text, and the eraser lying across it from upper right to lower left, its
    dark edge below and its grey holder at the lower end."""
    along, across = x - y, x + y
    if 4 <= x < 7 and 8 <= y < 11 and not (x < 5 and y < 9):
        return "y"
    if -2.5 <= along < 8.5 and 14.5 <= across < 17.5:
        return "p"
    if -3.5 <= along < 7.5 and 17.5 <= across < 19.5:
        return "k"
    if 1 <= x < 11 and 1 <= y < 12 and along <= 8.5:
        lines = {2: 6, 4: 7, 6: 6, 8: 5}
        row = math.floor(y)
        if row in lines and 2 <= x < lines[row] and 0.2 <= y - row < 0.8:
            return "g"
        return "w"
    return "."


for scale in (1, 2, 3):
    rows = CLEAR if scale == 1 else [
        "".join(clear_scene((X + 0.5) / scale, (Y + 0.5) / scale) for X in range(18 * scale))
        for Y in range(13 * scale)]
    write_xpm(HERE / at_scale("clear.xpm", scale), "clear" + ("" if scale == 1 else f"_{scale}x"),
              rows, CLEAR_COLOURS)


# The temple: a classical temple front, pixel for pixel -----------------------

TEMPLE = [
    "GGGGGGGGGGGGGGGGGGGGGGGG",
    "GGGGGGGGGGGKKGGGGGGGGGGG",
    "GGGGGGGGGKKGGKKGGGGGGGGG",
    "GGGGGGGKKGGWWGGKKGGGGGGG",
    "GGGGGKKGGWWWWWWGGKKGGGGG",
    "GGGKKGGWWWWWWWWWWGGKKGGG",
    "GKKGGWWWWWWWWWWWWWWGGKKG",
    "GKKKKKKKKKKKKKKKKKKKKKKG",
    "GGGGKGKGKGKGGKGKGKGKGGGG",
] + ["GGGGKWKGKWKGGKWKGKWKGGGG"] * 9 + [
    "GGGKKKKKKKKKKKKKKKKKKGGG",
    "GGGKWWWWWWWWWWWWWWWWKGGG",
    "GKKKKKKKKKKKKKKKKKKKKKKG",
    "GKWWWWWWWWWWWWWWWWWWWWKG",
    "GKKKKKKKKKKKKKKKKKKKKKKG",
    "GGGGGGGGGGGGGGGGGGGGGGGG",
]
TEMPLE_COLOURS = {"G": "#999999", "K": "#000000", "W": "#FFFFFF"}
write_xpm(HERE / "temple.xpm", "temple", TEMPLE, TEMPLE_COLOURS)

# The desktop icons, from the same 24 x 24 picture. Where a size holds the
# picture a whole number of times, it is enlarged that many times without
# smoothing and centred on a transparent square; 16 and 22, smaller than the
# picture, take the average of the 24 x 24 pixels that each icon pixel covers.
RGB = {key: tuple(int(value[i:i + 2], 16) for i in (1, 3, 5))
       for key, value in TEMPLE_COLOURS.items()}


def enlarged(size):
    factor = size // 24
    margin = (size - 24 * factor) // 2

    def pixel(x, y):
        u, v = (x - margin) // factor, (y - margin) // factor
        if 0 <= u < 24 and 0 <= v < 24 and x >= margin and y >= margin:
            return RGB[TEMPLE[v][u]] + (255,)
        return (0, 0, 0, 0)
    return pixel


def reduced(size):
    def pixel(x, y):
        # The icon pixel covers [x, x + 1) * 24 / size of the picture.
        scale = 24 / size
        total, weight = [0.0, 0.0, 0.0], 0.0
        for v in range(24):
            dy = min(v + 1, (y + 1) * scale) - max(v, y * scale)
            for u in range(24):
                dx = min(u + 1, (x + 1) * scale) - max(u, x * scale)
                if dx > 0 and dy > 0:
                    for i in range(3):
                        total[i] += RGB[TEMPLE[v][u]][i] * dx * dy
                    weight += dx * dy
        return tuple(round(c / weight) for c in total) + (255,)
    return pixel


for old_icon in (HERE / "icons").glob("tuvo-*.png"):
    old_icon.unlink()
for size in (16, 22, 24, 32, 48, 64, 128, 256):
    write_png(HERE / "icons" / f"tuvo-{size}.png", size, size,
              enlarged(size) if size >= 24 else reduced(size))

# The scalable icon: one square per pixel, runs of a colour along a row
# merged, so that it stays crisp at any size and shows exactly the picture.
squares = []
for v, row in enumerate(TEMPLE):
    u = 0
    while u < 24:
        run = 1
        while u + run < 24 and row[u + run] == row[u]:
            run += 1
        squares.append(f'<rect x="{u}" y="{v}" width="{run}" height="1" '
                       f'fill="{TEMPLE_COLOURS[row[u]]}"/>')
        u += run
(HERE / "icons" / "tuvo.svg").write_text(
    '<svg xmlns="http://www.w3.org/2000/svg" width="24" height="24" viewBox="0 0 24 24" '
    'shape-rendering="crispEdges">\n' + "\n".join(squares) + "\n</svg>\n")
