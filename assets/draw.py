#!/usr/bin/env python3
"""Draws Tuvo's pictures into this folder: the background (a stone vault in
front of a columned temple, 350 x 203, 24-bit binary PPM, which the program
shows without decoding), the two arrows, the
clear-field picture, the 24 x 24 temple picture and the desktop icons made
from it. Standard library only;
the output is committed, so this runs only when a picture changes."""

import math
import random
import struct
import zlib
from pathlib import Path

HERE = Path(__file__).resolve().parent
(HERE / "icons").mkdir(exist_ok=True)


def write_png(path, width, height, pixel):
    rows = bytearray()
    for y in range(height):
        rows.append(0)
        for x in range(width):
            rows.extend(pixel(x, y))

    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data
                + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))

    png = (b"\x89PNG\r\n\x1a\n"
           + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
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

W, H = 350, 203
random.seed(1994)
NOISE = [[random.random() for _ in range(W)] for _ in range(H)]


def mix(a, b, t):
    return tuple(round(a[i] + (b[i] - a[i]) * t) for i in range(3))


def shade(colour, factor):
    return tuple(max(0, min(255, round(c * factor))) for c in colour)


def sky(x, y):
    return mix((96, 142, 196), (214, 222, 226), min(1.0, y / 110))


STONE_FAR = (214, 196, 158)
TEMPLE_LEFT, TEMPLE_RIGHT = 112, 300
COLUMNS = [TEMPLE_LEFT + 10 + i * 34 for i in range(6)]


def temple(x, y):
    """The temple in the distance, or None where the sky shows."""
    centre = (TEMPLE_LEFT + TEMPLE_RIGHT) / 2
    if 30 <= y < 58 and abs(x - centre) <= (y - 30) * 3.6:  # pediment
        edge = abs(x - centre) > (y - 30) * 3.6 - 3 or y < 33
        return shade(STONE_FAR, 0.72 if edge else 0.9 + 0.1 * NOISE[y][x])
    if TEMPLE_LEFT - 4 <= x <= TEMPLE_RIGHT + 4 and 58 <= y < 70:  # beam
        return shade(STONE_FAR, 0.8 if y in (58, 63, 69) else 1.0 - 0.08 * NOISE[y][x])
    if TEMPLE_LEFT <= x <= TEMPLE_RIGHT and 70 <= y < 128:  # columns
        for left in COLUMNS:
            if left <= x < left + 14:
                light = 0.7 + 0.45 * math.sin(math.pi * (x - left) / 14)
                flute = 0.92 if (x - left) % 4 == 0 else 1.0
                return shade(STONE_FAR, light * flute)
        return shade((92, 78, 60), 0.8 + 0.2 * NOISE[y][x])  # shadow behind
    if TEMPLE_LEFT - 12 <= x <= TEMPLE_RIGHT + 12 and 128 <= y < 140:  # steps
        step = (y - 128) // 4
        if x >= TEMPLE_LEFT - 4 * step:
            return shade(STONE_FAR, 0.95 - 0.08 * step - 0.06 * NOISE[y][x])
    return None


def ground(x, y):
    t = (y - 132) / (H - 132)
    return shade(mix((176, 156, 112), (128, 108, 74), t), 0.9 + 0.15 * NOISE[y][x])


ARCH_CX, ARCH_SPRING, ARCH_R = 175, 92, 128


def vault(x, y):
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
    return shade(base, light * (0.82 + 0.3 * NOISE[y][x]))


def background(x, y):
    stone = vault(x, y)
    if stone:
        return stone
    far = temple(x, y)
    if far:
        return far
    return ground(x, y) if y >= 132 else sky(x, y)


pixels = bytearray()
for y in range(H):
    for x in range(W):
        pixels.extend(background(x, y))
(HERE / "background.ppm").write_bytes(b"P6\n%d %d\n255\n" % (W, H) + bytes(pixels))


# The arrows -----------------------------------------------------------------

def arrow(pointing_left):
    rows = []
    for y in range(20):
        row = ""
        for x in range(22):
            u = 21 - x if pointing_left else x
            dy = abs(y - 9.5)
            head = 12 <= u <= 19 and dy <= (19.5 - u) * 0.95
            shaft = 2 <= u < 12 and dy <= 2.5
            row += "b" if head or shaft else "."
        rows.append(row)
    return rows


ARROW_COLOURS = {".": "#CEEDDC", "b": "#0000FF"}
write_xpm(HERE / "arrow-left.xpm", "arrow_left", arrow(True), ARROW_COLOURS)
write_xpm(HERE / "arrow-right.xpm", "arrow_right", arrow(False), ARROW_COLOURS)


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
write_xpm(HERE / "clear.xpm", "clear", CLEAR,
          {".": "None", "w": "#FFFFFF", "g": "#808080", "p": "#E07070",
           "k": "#000000", "y": "#C0C0C0"})


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

# The desktop icons: the same picture at whole multiples, without smoothing.
for scale in (1, 2, 3, 4, 8):
    size = 24 * scale
    rgb = {key: tuple(int(value[i:i + 2], 16) for i in (1, 3, 5))
           for key, value in TEMPLE_COLOURS.items()}
    write_png(HERE / "icons" / f"tuvo-{size}.png", size, size,
              lambda x, y: rgb[TEMPLE[y // scale][x // scale]])
