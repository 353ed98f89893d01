#!/usr/bin/env python3
"""Draws the small flag icons shipped in data/Icons (16x16, 24-bit BMP).

Run once; the bitmaps are committed. NEUTRAL.bmp, a loudspeaker, is for DIL
entries that are no language (a gong, music, a second voice). The bottom-left pixel is what image lists
take as the transparent colour, so every icon keeps a one-pixel frame of
magenta there and around the picture.
"""
import pathlib
import struct

SIZE = 16
OUT = pathlib.Path(__file__).resolve().parent.parent / "data" / "Icons"

MAGENTA = (255, 0, 255)
WHITE = (255, 255, 255)
RED = (215, 20, 26)
BLUE = (17, 69, 126)
BLACK = (0, 0, 0)
GOLD = (255, 206, 0)
GREY = (128, 128, 128)
DARK = (48, 48, 48)


def inside(x, y):
    return 1 <= x <= SIZE - 2 and 2 <= y <= SIZE - 3


def czech(x, y):
    # y grows downwards here; the blue wedge reaches the middle of the flag.
    top, bottom, middle = 2, SIZE - 3, (2 + SIZE - 3) / 2
    half = (bottom - top) / 2
    if x - 1 <= half - abs(y - middle):
        return BLUE
    return WHITE if y < middle else RED


def english(x, y):
    cx, cy = (SIZE - 1) / 2, (SIZE - 1) / 2
    if abs(x - cx) <= 1 or abs(y - cy) <= 1:
        return RED
    if abs(x - cx) <= 2 or abs(y - cy) <= 2:
        return WHITE
    if abs((x - 1) - (y - 2) * 14 / 11) <= 1.2 or abs((x - 1) - (SIZE - 3 - y) * 14 / 11) <= 1.2:
        return WHITE
    return BLUE


def german(x, y):
    band = (y - 2) * 3 // (SIZE - 4)
    return (BLACK, RED, GOLD)[min(band, 2)]


def dil(x, y):
    # A switch block: dark body with four light levers, two up and two down.
    if not (3 <= y <= SIZE - 4):
        return MAGENTA
    lever = (x - 2) // 3
    if (x - 2) % 3 == 2 or not 0 <= lever <= 3 or x < 2:
        return DARK
    up = lever in (0, 2)
    inner_top, inner_bottom = 4, SIZE - 5
    mid = (inner_top + inner_bottom) // 2
    if inner_top <= y <= inner_bottom:
        if (up and y <= mid) or (not up and y > mid):
            return WHITE
        return GREY
    return DARK


def neutral(x, y):
    # A loudspeaker facing right with two sound waves, on white.
    if 3 <= x <= 5 and 6 <= y <= 9:
        return DARK  # magnet
    if 6 <= x <= 9 and abs(y - 7.5) <= (x - 6) + 2:
        return DARK  # cone, widening to the right
    distance = ((x - 7) ** 2 + (y - 7.5) ** 2) ** 0.5
    if x >= 11 and (abs(distance - 5) <= 0.5 or abs(distance - 7) <= 0.5):
        return BLUE
    return WHITE


def write_bmp(path, paint):
    rows = []
    for row in range(SIZE - 1, -1, -1):  # bottom-up
        line = bytearray()
        for x in range(SIZE):
            colour = paint(x, row) if inside(x, row) else MAGENTA
            red, green, blue = colour
            line += bytes((blue, green, red))
        rows.append(bytes(line))
    pixels = b"".join(rows)
    header = struct.pack("<2sIHHI", b"BM", 14 + 40 + len(pixels), 0, 0, 14 + 40)
    info = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    path.write_bytes(header + info + pixels)


OUT.mkdir(parents=True, exist_ok=True)
write_bmp(OUT / "CZ.bmp", czech)
write_bmp(OUT / "EN.bmp", english)
write_bmp(OUT / "DE.bmp", german)
write_bmp(OUT / "DIL.bmp", dil)
write_bmp(OUT / "NEUTRAL.bmp", neutral)
