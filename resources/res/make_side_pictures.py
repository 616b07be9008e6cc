#!/usr/bin/env python3
"""Draws the pictures of the side tabs and their buttons as 24-bit BMP files.

Run from this folder: python3 make_side_pictures.py
"""
import struct


def write_bmp(path, width, height, pixel):
    row = (width * 3 + 3) & ~3
    data = bytearray()
    for y in range(height - 1, -1, -1):
        line = bytearray()
        for x in range(width):
            r, g, b = pixel(x, y)
            line += bytes((b, g, r))
        line += b"\0" * (row - width * 3)
        data += line
    header = struct.pack("<2sIHHI", b"BM", 54 + len(data), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    with open(path, "wb") as f:
        f.write(header + info + data)


WHITE = (255, 255, 255)
PAPER = (250, 250, 240)
INK = (40, 40, 40)
BLUE = (40, 90, 200)
ORANGE = (255, 128, 0)
GREEN = (40, 150, 70)
BG = (192, 250, 250)


def page(x, y, size, folded_right):
    """A sheet with a folded corner and a few text lines."""
    m = 3
    if not (m <= x < size - m and 2 <= y < size - 2):
        return BG
    fold = 6
    cx = size - m - 1 - x if folded_right else x - m
    if cx + (y - 2) < fold:
        return BG if cx + (y - 2) < fold - 1 else INK
    if x in (m, size - m - 1) or y in (2, size - 3):
        return INK
    return None


def front(x, y):
    p = page(x, y, 25, True)
    if p is not None:
        return p
    if y in (8, 11, 14, 17) and 6 <= x <= 18:
        return BLUE
    return PAPER


def back(x, y):
    p = page(x, y, 25, False)
    if p is not None:
        return p
    if y in (8, 11) and 6 <= x <= 18:
        return ORANGE
    return PAPER


def database(x, y):
    """A cylinder: the data source."""
    cx, rx, ry = 23.5, 16.0, 5.0
    top, bottom = 10, 38
    dx = (x - cx) / rx
    if abs(dx) > 1.0:
        return BG
    edge = ry * (1.0 - dx * dx) ** 0.5
    if top - edge <= y <= top + edge:
        return (120, 170, 240) if abs(y - top) < edge - 1 else INK
    for band in (top, 19, 28, bottom):
        if abs(y - (band + edge)) < 1.0:
            return INK
    if top <= y <= bottom + edge:
        if abs(abs(dx) - 1.0) < 0.07:
            return INK
        return BLUE
    return BG


def view_data(x, y):
    """A table with a header row."""
    if not (6 <= x <= 41 and 8 <= y <= 39):
        return BG
    if x in (6, 41) or y in (8, 39) or (y - 8) % 8 == 0 or x in (18, 30):
        return INK
    if y < 16:
        return GREEN
    return WHITE


write_bmp("side_front.bmp", 25, 25, front)
write_bmp("side_back.bmp", 25, 25, back)
write_bmp("side_database.bmp", 48, 48, database)
write_bmp("side_viewdata.bmp", 48, 48, view_data)
