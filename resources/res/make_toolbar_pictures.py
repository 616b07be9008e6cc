#!/usr/bin/env python3
"""Draws the button strips of the five toolbars as 24-bit BMP files (16 x 15 per button,
grey 192,192,192 as the transparent colour). The order of the pictures is the order of
the buttons in Stickwell.rc's TOOLBAR resources, separators left out.

Run from this folder: python3 make_toolbar_pictures.py
"""
import math
import struct

W, H = 16, 15
BG = (192, 192, 192)
INK = (0, 0, 0)
DARK = (64, 64, 64)
WHITE = (255, 255, 255)
PAPER = (255, 255, 240)
BLUE = (0, 70, 200)
NAVY = (0, 0, 128)
RED = (200, 30, 30)
GREEN = (0, 140, 60)
YELLOW = (250, 210, 0)
ORANGE = (250, 140, 0)
TEAL = (0, 128, 128)
PURPLE = (130, 60, 170)
GREY = (128, 128, 128)


class Pic:
    def __init__(self):
        self.p = [[BG] * W for _ in range(H)]

    def set(self, x, y, c):
        x, y = int(round(x)), int(round(y))
        if 0 <= x < W and 0 <= y < H:
            self.p[y][x] = c

    def line(self, x0, y0, x1, y1, c):
        n = int(max(abs(x1 - x0), abs(y1 - y0))) + 1
        for i in range(n + 1):
            t = i / n
            self.set(x0 + (x1 - x0) * t, y0 + (y1 - y0) * t, c)

    def rect(self, x0, y0, x1, y1, c, fill=None):
        if fill is not None:
            self.fill(x0 + 1, y0 + 1, x1 - 1, y1 - 1, fill)
        self.line(x0, y0, x1, y0, c)
        self.line(x0, y1, x1, y1, c)
        self.line(x0, y0, x0, y1, c)
        self.line(x1, y0, x1, y1, c)

    def fill(self, x0, y0, x1, y1, c):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.set(x, y, c)

    def ellipse(self, cx, cy, rx, ry, c, fill=None):
        for y in range(H):
            for x in range(W):
                d = ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2
                if fill is not None and d <= 1.0:
                    self.set(x, y, fill)
        for i in range(96):
            a = 2 * math.pi * i / 96
            self.set(cx + rx * math.cos(a), cy + ry * math.sin(a), c)

    def polygon(self, pts, c, fill=None):
        if fill is not None:
            for y in range(H):
                for x in range(W):
                    if inside(pts, x, y):
                        self.set(x, y, fill)
        for i in range(len(pts)):
            x0, y0 = pts[i]
            x1, y1 = pts[(i + 1) % len(pts)]
            self.line(x0, y0, x1, y1, c)

    def text(self, s, x, y, c, scale=1):
        for ch in s:
            rows = FONT[ch]
            for j, row in enumerate(rows):
                for i, bit in enumerate(row):
                    if bit == "#":
                        for dy in range(scale):
                            for dx in range(scale):
                                self.set(x + i * scale + dx, y + j * scale + dy, c)
            x += (len(rows[0]) + 1) * scale


def inside(pts, x, y):
    n, result = len(pts), False
    j = n - 1
    for i in range(n):
        xi, yi = pts[i]
        xj, yj = pts[j]
        if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
            result = not result
        j = i
    return result


FONT = {
    "B": ["###.", "#..#", "###.", "#..#", "#..#", "###."],
    "I": ["###", ".#.", ".#.", ".#.", ".#.", "###"],
    "U": ["#..#", "#..#", "#..#", "#..#", "#..#", ".##."],
    "A": [".##.", "#..#", "#..#", "####", "#..#", "#..#"],
    "a": ["...", "##.", "..#", "###", "#.#", "###"],
    "T": ["###", ".#.", ".#.", ".#.", ".#.", ".#."],
    "D": ["###.", "#..#", "#..#", "#..#", "#..#", "###."],
    "P": ["###.", "#..#", "###.", "#...", "#...", "#..."],
    "F": ["###", "#..", "##.", "#..", "#..", "#.."],
    "?": [".##.", "#..#", "..#.", ".#..", "....", ".#.."],
    "+": ["...", ".#.", "###", ".#.", "..."],
    "-": ["...", "...", "###", "...", "..."],
}


def page(p, fold=True):
    pts = [(3, 1), (10, 1), (13, 4), (13, 14), (3, 14)] if fold else [(3, 1), (13, 1), (13, 14), (3, 14)]
    p.polygon(pts, INK, WHITE)
    if fold:
        p.line(10, 1, 10, 4, INK)
        p.line(10, 4, 13, 4, INK)


# Standard ---------------------------------------------------------------------------
def new(p):
    page(p)


def open_(p):
    p.polygon([(1, 4), (5, 4), (6, 5), (12, 5), (12, 13), (1, 13)], INK, YELLOW)
    p.polygon([(3, 8), (15, 8), (12, 13), (1, 13)], INK, (230, 180, 0))


def save(p):
    p.rect(1, 1, 14, 14, INK, NAVY)
    p.fill(4, 2, 11, 6, WHITE)
    p.fill(4, 10, 11, 13, GREY)
    p.fill(9, 11, 10, 12, INK)


def cut(p):
    p.line(4, 1, 9, 9, INK)
    p.line(11, 1, 6, 9, INK)
    p.ellipse(4.5, 11.5, 2.2, 2.2, NAVY)
    p.ellipse(10.5, 11.5, 2.2, 2.2, NAVY)


def copy(p):
    p.rect(1, 1, 8, 10, INK, WHITE)
    p.rect(6, 4, 14, 14, INK, WHITE)
    for y in (7, 9, 11):
        p.line(8, y, 12, y, NAVY)


def paste(p):
    p.rect(1, 2, 11, 14, INK, (160, 100, 40))
    p.fill(4, 1, 8, 3, GREY)
    p.rect(6, 6, 14, 14, INK, WHITE)
    for y in (9, 11):
        p.line(8, y, 12, y, NAVY)


def arc_arrow(p, flip):
    pts = []
    for i in range(13):
        a = math.pi * (0.15 + 0.7 * i / 12)
        x = 8 + 5 * math.cos(a)
        pts.append((16 - 1 - x if flip else x, 10 - 5 * math.sin(a)))
    for (x0, y0), (x1, y1) in zip(pts, pts[1:]):
        p.line(x0, y0, x1, y1, NAVY)
    x, y = pts[-1]
    p.polygon([(x - 2, y), (x + 2, y), (x, y + 3)], NAVY, NAVY)


def undo(p):
    arc_arrow(p, False)


def redo(p):
    arc_arrow(p, True)


def printer(p):
    p.rect(4, 1, 11, 6, INK, WHITE)
    p.rect(1, 6, 14, 11, INK, GREY)
    p.rect(4, 10, 11, 14, INK, WHITE)
    p.set(12, 8, GREEN)


def preview(p):
    page(p)
    p.ellipse(7, 7, 3, 3, INK, (200, 230, 255))
    p.line(9, 9, 13, 13, INK)
    p.line(10, 9, 14, 13, INK)


def image(p):
    p.rect(1, 2, 14, 13, INK, (170, 210, 255))
    p.polygon([(2, 12), (6, 6), (9, 10), (11, 8), (13, 12)], GREEN, GREEN)
    p.ellipse(11, 5, 1.5, 1.5, YELLOW, YELLOW)


def pdf(p):
    page(p)
    p.fill(1, 8, 12, 13, RED)
    p.text("P", 2, 8, WHITE)
    p.text("D", 6, 8, WHITE)


def database(p):
    p.ellipse(7.5, 3, 5.5, 2, INK, (120, 170, 240))
    p.fill(2, 3, 13, 11, (120, 170, 240))
    p.line(2, 3, 2, 11, INK)
    p.line(13, 3, 13, 11, INK)
    for i in range(40):
        a = math.pi * i / 39
        p.set(7.5 + 5.5 * math.cos(a), 11 + 2 * math.sin(a), INK)
        p.set(7.5 + 5.5 * math.cos(a), 7 + 2 * math.sin(a), INK)
    p.ellipse(7.5, 3, 5.5, 2, INK)


def view_data(p):
    p.rect(1, 2, 14, 13, INK, WHITE)
    p.fill(2, 3, 13, 4, NAVY)
    for y in (7, 10):
        p.line(2, y, 13, y, GREY)
    for x in (6, 10):
        p.line(x, 5, x, 12, GREY)


def magnifier(p, sign):
    p.ellipse(6, 6, 4.5, 4.5, INK, (220, 240, 255))
    p.line(9, 9, 14, 14, INK)
    p.line(10, 9, 14, 13, INK)
    p.line(4, 6, 8, 6, NAVY)
    if sign == "+":
        p.line(6, 4, 6, 8, NAVY)


def zoom_in(p):
    magnifier(p, "+")


def zoom_out(p):
    magnifier(p, "-")


def properties(p):
    p.rect(1, 1, 14, 14, INK, WHITE)
    p.fill(2, 2, 13, 3, NAVY)
    for y in (6, 9, 12):
        p.fill(3, y, 4, y + 1, GREEN)
        p.line(6, y, 12, y, INK)


def about(p):
    p.ellipse(7.5, 7, 6.5, 6.5, NAVY, BLUE)
    p.text("?", 6, 4, WHITE)


# Shapes -----------------------------------------------------------------------------
def pointer(p):
    p.polygon([(4, 1), (4, 12), (7, 9), (9, 14), (11, 13), (9, 8), (13, 8)], INK, WHITE)


def text_tool(p):
    p.text("A", 2, 2, INK, 2)


def db_text(p):
    p.text("a", 1, 5, INK)
    p.ellipse(11.5, 3, 3, 1.2, INK, (120, 170, 240))
    p.fill(9, 3, 14, 11, (120, 170, 240))
    p.line(8.5, 3, 8.5, 11, INK)
    p.line(14.5, 3, 14.5, 11, INK)
    p.line(9, 12, 14, 12, INK)


def clipart(p):
    p.rect(1, 1, 14, 14, INK, WHITE)
    p.ellipse(7.5, 7.5, 4, 4, ORANGE, YELLOW)
    p.set(6, 6, INK)
    p.set(9, 6, INK)
    p.line(6, 9, 9, 9, INK)


def line_tool(p):
    p.line(2, 13, 13, 2, INK)
    p.line(3, 13, 14, 2, INK)


def freeform(p):
    pts = [(1, 10), (3, 6), (5, 5), (7, 8), (9, 11), (11, 10), (13, 5), (14, 3)]
    for (x0, y0), (x1, y1) in zip(pts, pts[1:]):
        p.line(x0, y0, x1, y1, INK)


def closed_curve(p):
    pts = []
    for i in range(48):
        a = 2 * math.pi * i / 48
        r = 5.5 + 1.5 * math.sin(3 * a)
        pts.append((7.5 + r * math.cos(a), 7.5 + r * 0.9 * math.sin(a)))
    p.polygon(pts, INK, (180, 230, 180))


def rectangle(p):
    p.rect(1, 3, 14, 12, INK, (170, 200, 255))


def round_rect(p):
    p.polygon([(3, 3), (12, 3), (14, 5), (14, 10), (12, 12), (3, 12), (1, 10), (1, 5)], INK, (170, 200, 255))


def ellipse(p):
    p.ellipse(7.5, 7.5, 6.5, 5, INK, (170, 200, 255))


def diamond(p):
    p.polygon([(7.5, 1), (14, 7.5), (7.5, 14), (1, 7.5)], INK, (170, 200, 255))


def triangle(p):
    p.polygon([(7.5, 1), (14, 13), (1, 13)], INK, (170, 200, 255))


def background(p):
    p.fill(1, 1, 14, 13, (200, 230, 255))
    p.polygon([(1, 13), (5, 7), (8, 10), (11, 6), (14, 13)], GREEN, GREEN)


# More shapes ------------------------------------------------------------------------
def callout(p, left):
    tip = [(4, 9), (1, 14), (7, 9)] if left else [(8, 9), (14, 14), (11, 9)]
    p.polygon([(1, 1), (14, 1), (14, 9), (1, 9)], INK, WHITE)
    p.polygon(tip, INK, WHITE)
    x0, x1 = (tip[0][0] + 1, tip[2][0] - 1)
    p.line(x0, 9, x1, 9, WHITE)


def callout_left(p):
    callout(p, True)


def callout_right(p):
    callout(p, False)


def parallelogram(p):
    p.polygon([(4, 3), (14, 3), (11, 12), (1, 12)], INK, (250, 200, 160))


def arrow_left(p):
    p.polygon([(1, 7.5), (7, 2), (7, 5), (14, 5), (14, 10), (7, 10), (7, 13)], INK, (250, 200, 160))


def arrow_right(p):
    p.polygon([(14, 7.5), (8, 2), (8, 5), (1, 5), (1, 10), (8, 10), (8, 13)], INK, (250, 200, 160))


def star_points(n, r0, r1, rot=-math.pi / 2):
    pts = []
    for i in range(2 * n):
        r = r0 if i % 2 == 0 else r1
        a = rot + math.pi * i / n
        pts.append((7.5 + r * math.cos(a), 7.5 + r * math.sin(a)))
    return pts


def star(p):
    p.polygon(star_points(5, 7, 3), INK, YELLOW)


def burst(p):
    p.polygon(star_points(8, 7.2, 3.8, 0.2), RED, ORANGE)


def moon(p):
    for y in range(H):
        for x in range(W):
            if (x - 7.5) ** 2 + (y - 7.5) ** 2 <= 40 and (x - 10.5) ** 2 + (y - 5.5) ** 2 > 30:
                p.set(x, y, YELLOW)
    for i in range(80):
        a = 2 * math.pi * i / 80
        x, y = 7.5 + 6.3 * math.cos(a), 7.5 + 6.3 * math.sin(a)
        if (x - 10.5) ** 2 + (y - 5.5) ** 2 > 30:
            p.set(x, y, DARK)


def sun(p):
    for i in range(8):
        a = math.pi * i / 4
        p.line(7.5 + 4.5 * math.cos(a), 7.5 + 4.5 * math.sin(a), 7.5 + 7 * math.cos(a), 7.5 + 7 * math.sin(a), ORANGE)
    p.ellipse(7.5, 7.5, 3.5, 3.5, ORANGE, YELLOW)


# Actions ----------------------------------------------------------------------------
def stack(p, front_on_top, step):
    back, front = (2, 2), (6, 6)
    a, b = ((back, GREY), (front, BLUE)) if front_on_top else ((front, GREY), (back, BLUE))
    for (x, y), c in (a, b):
        p.rect(x, y, x + 7, y + 7, INK, c)
    if step:
        p.polygon([(12, 1), (15, 4), (9, 4)] if front_on_top else [(12, 14), (15, 11), (9, 11)], INK, RED)


def to_front(p):
    stack(p, True, False)


def to_back(p):
    stack(p, False, False)


def step_front(p):
    stack(p, True, True)


def step_back(p):
    stack(p, False, True)


def align(p, kind):
    if kind in ("left", "center", "right"):
        p.line({"left": 1, "center": 7, "right": 14}[kind], 1, {"left": 1, "center": 7, "right": 14}[kind], 14, RED)
        for y, w in [(2, 9), (6, 12), (10, 6)]:
            x0 = {"left": 2, "center": 7 - w // 2, "right": 13 - w + 1}[kind]
            p.rect(x0, y, x0 + w - 1, y + 2, INK, BLUE)
    else:
        c = {"top": 1, "middle": 7, "bottom": 14}[kind]
        p.line(1, c, 14, c, RED)
        for x, h in [(2, 9), (6, 12), (10, 6)]:
            y0 = {"top": 2, "middle": 7 - h // 2, "bottom": 13 - h + 1}[kind]
            p.rect(x, y0, x + 2, y0 + h - 1, INK, BLUE)


def align_left(p):
    align(p, "left")


def align_center(p):
    align(p, "center")


def align_right(p):
    align(p, "right")


def align_top(p):
    align(p, "top")


def align_middle(p):
    align(p, "middle")


def align_bottom(p):
    align(p, "bottom")


def same_width(p):
    p.rect(2, 1, 13, 5, INK, BLUE)
    p.rect(2, 9, 13, 13, INK, GREY)
    p.line(1, 7, 14, 7, RED)


def same_height(p):
    p.rect(1, 2, 5, 13, INK, BLUE)
    p.rect(9, 2, 13, 13, INK, GREY)
    p.line(7, 1, 7, 14, RED)


def same_size(p):
    p.rect(1, 1, 6, 6, INK, BLUE)
    p.rect(8, 8, 13, 13, INK, GREY)
    p.line(1, 13, 6, 8, RED)


def rotate(p, clockwise):
    for i in range(40):
        a = math.pi * (0.25 + 1.5 * i / 39)
        x = 7.5 + 5 * math.cos(a)
        p.set(x if clockwise else 15 - x, 7.5 - 5 * math.sin(a), NAVY)
    x = 7.5 + 5 * math.cos(math.pi * 1.75)
    y = 7.5 - 5 * math.sin(math.pi * 1.75)
    x = x if clockwise else 15 - x
    p.polygon([(x - 2, y - 2), (x + 2, y - 2), (x, y + 1)], NAVY, NAVY)


def rotate_acw(p):
    rotate(p, False)


def rotate_cw(p):
    rotate(p, True)


def padlock(p, closed):
    p.rect(3, 7, 12, 14, INK, YELLOW)
    if closed:
        for i in range(30):
            a = math.pi * i / 29
            p.set(7.5 + 3.5 * math.cos(a), 7 - 5 * math.sin(a), INK)
    else:
        for i in range(30):
            a = math.pi * i / 29
            p.set(10.5 + 3.5 * math.cos(a), 5 - 4 * math.sin(a), INK)
        p.line(14, 5, 14, 7, INK)
    p.set(7, 10, INK)
    p.set(8, 10, INK)
    p.line(7.5, 11, 7.5, 12, INK)


def lock(p):
    padlock(p, True)


def unlock(p):
    padlock(p, False)


# Formatting -------------------------------------------------------------------------
def bold(p):
    rows = FONT["B"]
    for j, row in enumerate(rows):
        for i, bit in enumerate(row):
            if bit == "#":
                p.fill(3 + i * 2, 1 + j * 2, 4 + i * 2, 2 + j * 2, INK)


def italic(p):
    for y in range(2, 14):
        x = 9 - (y - 2) * 0.35
        p.set(x, y, INK)
        p.set(x + 1, y, INK)
    p.line(7, 2, 12, 2, INK)
    p.line(3, 13, 8, 13, INK)


def underline(p):
    rows = FONT["U"]
    for j, row in enumerate(rows):
        for i, bit in enumerate(row):
            if bit == "#":
                p.set(4 + i * 2, 1 + j * 2, INK)
                p.set(5 + i * 2, 1 + j * 2, INK)
                p.set(4 + i * 2, 2 + j * 2, INK)
    p.line(2, 14, 13, 14, INK)


def center(p, horz, vert):
    p.rect(0, 0, 15, 14, GREY)
    p.rect(5 if horz else 1, 5 if vert else 1, 10 if horz else 6, 9 if vert else 5, INK, BLUE)
    if horz:
        p.line(7.5, 1, 7.5, 13, RED)
    if vert:
        p.line(1, 7, 14, 7, RED)


def center_horz(p):
    center(p, True, False)


def center_vert(p):
    center(p, False, True)


def center_both(p):
    center(p, True, True)


def grid(p):
    p.fill(1, 1, 14, 14, WHITE)
    for v in (1, 5, 9, 13):
        for w in range(1, 15):
            p.set(v, w, GREY)
            p.set(w, v, GREY)


def merge(p):
    p.text("a", 1, 1, INK)
    p.text("a", 1, 8, INK)
    p.line(5, 3, 9, 7, NAVY)
    p.line(5, 11, 9, 7, NAVY)
    p.line(9, 7, 14, 7, NAVY)
    p.polygon([(12, 5), (15, 7), (12, 9)], NAVY, NAVY)


STRIPS = {
    "toolbar_standard.bmp": [new, open_, save, cut, copy, paste, undo, redo, printer, preview, image, pdf,
                             database, view_data, zoom_in, zoom_out, properties, about],
    "toolbar_shapes.bmp": [pointer, text_tool, db_text, clipart, background, line_tool, freeform, closed_curve,
                           rectangle, round_rect, ellipse, diamond, triangle],
    "toolbar_more_shapes.bmp": [callout_left, callout_right, parallelogram, arrow_left, arrow_right, star, burst,
                                moon, sun],
    "toolbar_actions.bmp": [to_front, to_back, step_front, step_back, align_left, align_center, align_right,
                            align_top, align_middle, align_bottom, same_width, same_height, same_size,
                            rotate_acw, rotate_cw, lock, unlock],
    "toolbar_formatting.bmp": [bold, italic, underline, center_horz, center_vert, center_both, grid, merge],
}


def write_strip(path, painters):
    pics = []
    for draw in painters:
        pic = Pic()
        draw(pic)
        pics.append(pic)
    width = W * len(pics)
    row = (width * 3 + 3) & ~3
    data = bytearray()
    for y in range(H - 1, -1, -1):
        line = bytearray()
        for pic in pics:
            for x in range(W):
                r, g, b = pic.p[y][x]
                line += bytes((b, g, r))
        line += b"\0" * (row - width * 3)
        data += line
    header = struct.pack("<2sIHHI", b"BM", 54 + len(data), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, H, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    with open(path, "wb") as f:
        f.write(header + info + data)


if __name__ == "__main__":
    for name, painters in STRIPS.items():
        write_strip(name, painters)
