#!/usr/bin/env python3
"""Draws the pictures and the icon of SETUP.EXE.

    python3 draw_art.py [--preview DIR]

writes install.bmp, uninstall.bmp (40 x 200, 16 colours, run-length encoded) and
program.ico (32 x 32, 16 colours) next to this script. With --preview, PNG copies scaled up four times go
into DIR as well. Only the standard library is used.
"""

import argparse
import os
import struct
import zlib

# The standard 16-colour palette; every colour is exact on a 16-colour display.
PALETTE = [
    (0x00, 0x00, 0x00),  # 0 black
    (0x80, 0x00, 0x00),  # 1 dark red
    (0x00, 0x80, 0x00),  # 2 dark green
    (0x80, 0x80, 0x00),  # 3 olive
    (0x00, 0x00, 0x80),  # 4 navy
    (0x80, 0x00, 0x80),  # 5 purple
    (0x00, 0x80, 0x80),  # 6 teal
    (0xC0, 0xC0, 0xC0),  # 7 silver
    (0x80, 0x80, 0x80),  # 8 grey
    (0xFF, 0x00, 0x00),  # 9 red
    (0x00, 0xFF, 0x00),  # 10 lime
    (0xFF, 0xFF, 0x00),  # 11 yellow
    (0x00, 0x00, 0xFF),  # 12 blue
    (0xFF, 0x00, 0xFF),  # 13 magenta
    (0x00, 0xFF, 0xFF),  # 14 cyan
    (0xFF, 0xFF, 0xFF),  # 15 white
]

# Letters used in the sprites below; "." leaves the pixel as it is.
INK = {
    "K": 0, "r": 1, "g": 2, "o": 3, "n": 4, "p": 5, "t": 6, "s": 7,
    "d": 8, "R": 9, "G": 10, "Y": 11, "B": 12, "M": 13, "C": 14, "W": 15,
}

BLACK, DARK_RED, DARK_GREEN, OLIVE, NAVY, TEAL, SILVER, GREY = 0, 1, 2, 3, 4, 6, 7, 8
RED, LIME, YELLOW, BLUE, CYAN, WHITE = 9, 10, 11, 12, 14, 15
CLEAR = -1  # icon pixels that show what lies beneath


class Canvas:
    def __init__(self, width, height, colour):
        self.width = width
        self.height = height
        self.pixels = [[colour] * width for _ in range(height)]

    def put(self, x, y, colour):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.pixels[y][x] = colour

    def fill(self, x0, y0, x1, y1, colour):
        """Fills the rectangle with corners (x0, y0) and (x1, y1), both included."""
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.put(x, y, colour)

    def sprite(self, x0, y0, rows):
        for dy, row in enumerate(rows):
            for dx, letter in enumerate(row):
                if letter != ".":
                    self.put(x0 + dx, y0 + dy, INK[letter])


def sprite_size(rows):
    return max(len(r) for r in rows), len(rows)


def raised_box(c, x0, y0, x1, y1, face=SILVER, outline=True):
    """A raised panel: white light from the upper left, grey and black shade below right."""
    c.fill(x0, y0, x1, y1, face)
    if outline:
        c.fill(x0, y0, x1, y0, BLACK)
        c.fill(x0, y0, x0, y1, BLACK)
        c.fill(x0, y1, x1, y1, BLACK)
        c.fill(x1, y0, x1, y1, BLACK)
        x0, y0, x1, y1 = x0 + 1, y0 + 1, x1 - 1, y1 - 1
    c.fill(x0, y0, x1 - 1, y0, WHITE)
    c.fill(x0, y0, x0, y1 - 1, WHITE)
    c.fill(x0 + 1, y1, x1, y1, GREY)
    c.fill(x1, y0 + 1, x1, y1, GREY)


def sunken_frame(c, x0, y0, x1, y1):
    """The one-pixel frame of an inset area: grey above left, white below right."""
    c.fill(x0, y0, x1, y0, GREY)
    c.fill(x0, y0, x0, y1, GREY)
    c.fill(x0 + 1, y1, x1, y1, WHITE)
    c.fill(x1, y0 + 1, x1, y1, WHITE)


# ---- the editor's emblem: a blue brush stroke with the brush that drew it ----

EMBLEM_LARGE = [
    "..............dK",
    ".............YoK",
    "............Yo..",
    "...........Yo...",
    ".........sKo....",
    "........sKKK....",
    "......nBBKd.....",
    ".....nBBBn......",
    "....nBBBnn......",
    "..nBBBnn........",
    "BBBBnn..........",
]

EMBLEM_SMALL = [
    "........YK",
    ".......Yo.",
    ".....sKo..",
    "....nBKK..",
    "...nBBn...",
    ".nBBnn....",
    "BBnn......",
]


def computer(c, x0, y0):
    """Desktop computer, 32 x 32: monitor on a flat system unit, emblem on the screen."""
    # Monitor casing and screen.
    raised_box(c, x0 + 3, y0, x0 + 28, y0 + 21)
    sunken_frame(c, x0 + 6, y0 + 3, x0 + 25, y0 + 17)
    c.fill(x0 + 7, y0 + 4, x0 + 24, y0 + 16, BLACK)
    c.fill(x0 + 8, y0 + 5, x0 + 23, y0 + 15, WHITE)
    w, h = sprite_size(EMBLEM_LARGE)
    c.sprite(x0 + 8 + (16 - w) // 2, y0 + 5 + (11 - h) // 2, EMBLEM_LARGE)
    # Power light under the screen.
    c.put(x0 + 24, y0 + 19, LIME)
    c.put(x0 + 23, y0 + 19, DARK_GREEN)
    # Neck.
    c.fill(x0 + 12, y0 + 22, x0 + 19, y0 + 23, BLACK)
    c.fill(x0 + 13, y0 + 22, x0 + 18, y0 + 22, SILVER)
    c.fill(x0 + 13, y0 + 23, x0 + 18, y0 + 23, GREY)
    # System unit with its two drive bays.
    raised_box(c, x0, y0 + 24, x0 + 31, y0 + 31)
    sunken_frame(c, x0 + 17, y0 + 26, x0 + 28, y0 + 28)
    c.fill(x0 + 18, y0 + 27, x0 + 27, y0 + 27, BLACK)
    c.put(x0 + 3, y0 + 27, LIME)
    c.put(x0 + 5, y0 + 27, YELLOW)


def small_computer(c, x0, y0):
    """The computer at icon size, 22 x 21."""
    raised_box(c, x0 + 2, y0, x0 + 19, y0 + 14)
    sunken_frame(c, x0 + 4, y0 + 2, x0 + 17, y0 + 12)
    c.fill(x0 + 5, y0 + 3, x0 + 16, y0 + 11, BLACK)
    c.fill(x0 + 6, y0 + 4, x0 + 15, y0 + 10, WHITE)
    c.sprite(x0 + 6, y0 + 4, EMBLEM_SMALL)
    c.fill(x0 + 8, y0 + 15, x0 + 13, y0 + 15, BLACK)
    c.fill(x0 + 9, y0 + 15, x0 + 12, y0 + 15, GREY)
    raised_box(c, x0, y0 + 16, x0 + 21, y0 + 20)
    c.fill(x0 + 12, y0 + 18, x0 + 18, y0 + 18, BLACK)
    c.put(x0 + 3, y0 + 18, LIME)


# ---- arrows, floppy disk, cross ----

ARROW_UP = [
    ".......KK.......",
    "......KGGK......",
    ".....KGGGgK.....",
    "....KGGGGGgK....",
    "...KGGGGGGGgK...",
    "..KGGGGGGGGGgK..",
    ".KGGGGGGGGGGGgK.",
    "KKKKKGGGGGgKKKKK",
    "....KGGGGGgK....",
    "....KGGGGGgK....",
    "....KGGGGGgK....",
    "....KGGGGGgK....",
    "....KgggggggK...",
    "....KKKKKKKKK...",
]

ARROW_DOWN = [
    "....KKKKKKKK....",
    "....KYYYYYoK....",
    "....KYYYYYoK....",
    "....KYYYYYoK....",
    "....KYYYYYoK....",
    "....KYYYYYoK....",
    "KKKKKYYYYYoKKKKK",
    ".KYYYYYYYYYYYoK.",
    "..KYYYYYYYYYoK..",
    "...KYYYYYYYoK...",
    "....KYYYYYoK....",
    ".....KYYYoK.....",
    "......KYoK......",
    ".......KK.......",
]

FLOPPY = [
    "KKKKKKKKKKKKKKKKKKKKKK..",
    "KBBBBsWWWWWWWWWWWsBBBnK.",
    "KBnnnsWssssKKKsssdnnnnnK",
    "KBnnnsWssssKKKsssdnnnnnK",
    "KBnnnsWssssKKKsssdnnnnnK",
    "KBnnnsWssssKKKsssdnnnnnK",
    "KBnnnsWssssssssssdnnnnnK",
    "KBnnnsdddddddddddddnnnnK",
    "KBnnnnnnnnnnnnnnnnnnnnnK",
    "KBnnnnnnnnnnnnnnnnnnnnnK",
    "KBnnWWWWWWWWWWWWWWWWnnnK",
    "KBnnWWWWWWWWWWWWWWWWnnnK",
    "KBnnWdddddddddddddWWnnnK",
    "KBnnWWWWWWWWWWWWWWWWnnnK",
    "KBnnWdddddddddddWWWWnnnK",
    "KBnnWWWWWWWWWWWWWWWWnnnK",
    "KBnnWdddddddddddddWWnnnK",
    "KBnnWWWWWWWWWWWWWWWWnnnK",
    "KBKKWWWWWWWWWWWWWWWWnnnK",
    "KBKKWWWWWWWWWWWWWWWWnnnK",
    "KnnnnnnnnnnnnnnnnnnnnnnK",
    "KKKKKKKKKKKKKKKKKKKKKKKK",
]

SMALL_FLOPPY = [
    "KKKKKKKKKKKK.",
    "KBBsWWWWWsBnK",
    "KBnsWsKKssnnK",
    "KBnsWsKKssnnK",
    "KBnsdddddddnK",
    "KBnnnnnnnnnnK",
    "KBnWWWWWWWWnK",
    "KBnWddddddWnK",
    "KBnWWWWWWWWnK",
    "KBnWddddWWWnK",
    "KKnWWWWWWWWnK",
    "KKKKKKKKKKKKK",
]

CROSS = [
    ".KKK.............KKK.",
    "KRRRK...........KRRrK",
    "KRRRRK.........KRRRrK",
    "KRRRRRK.......KRRRRrK",
    ".KRRRRRK.....KRRRRrK.",
    "..KRRRRRK...KRRRRrK..",
    "...KRRRRRK.KRRRRrK...",
    "....KRRRRRKRRRRrK....",
    ".....KRRRRRRRRrK.....",
    "......KRRRRRRrK......",
    ".......KRRRRRK.......",
    "......KRRRRRRRK......",
    ".....KRRRRrRRRRK.....",
    "....KRRRRrKRRRRRK....",
    "...KRRRRrK.KRRRRRK...",
    "..KRRRRrK...KRRRRRK..",
    ".KRRRRrK.....KRRRRRK.",
    "KRRRRrK.......KRRRRrK",
    "KRRRrK.........KRRRrK",
    "KRRrK...........KrrrK",
    ".KKK.............KKK.",
]

# Red arrow of the icon: out of the floppy disk, round the corner, up into the computer.
RED_ARROW = [
    "..........K....",
    ".........KRK...",
    "........KRRrK..",
    ".......KRRRRrK.",
    "......KKKRRrKKK",
    "KKKKKKKKKRRrK..",
    "RRRRRRRRRRRrK..",
    "RRRRRRRRRRRrK..",
    "rrrrrrrrrrrrK..",
    "KKKKKKKKKKKKK..",
]


def centred(c, y, rows):
    w, _ = sprite_size(rows)
    c.sprite((c.width - w) // 2, y, rows)


def picture(install):
    c = Canvas(40, 200, TEAL)
    computer(c, 4, 6)
    if install:
        centred(c, 43, ARROW_UP)
        centred(c, 62, FLOPPY)
    else:
        centred(c, 43, ARROW_DOWN)
        centred(c, 62, CROSS)
    return c


def icon():
    c = Canvas(32, 32, CLEAR)
    small_computer(c, 10, 0)
    c.sprite(0, 20, SMALL_FLOPPY)
    c.sprite(13, 21, RED_ARROW)
    return c


# ---- file formats ----


def pack_4bit_rows(c, colour_of):
    """Rows bottom-up, two pixels a byte, each row padded to four bytes."""
    stride = ((c.width * 4 + 31) // 32) * 4
    data = bytearray()
    for row in reversed(c.pixels):
        line = bytearray(stride)
        for x, colour in enumerate(row):
            value = colour_of(colour)
            line[x // 2] |= value << 4 if x % 2 == 0 else value
        data += line
    return bytes(data)


def palette_bytes():
    return b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)


BI_RLE4 = 2


def info_header(width, height, image_size, compression=0):
    return struct.pack("<IiiHHIIiiII", 40, width, height, 1, 4, compression, image_size, 0, 0,
                       16, 0)


def rle4_rows(c):
    """Rows bottom-up in run-length encoding (BI_RLE4): each run of up to 255 pixels that
    alternate between two colours (or keep one) is a count and the pair of colours; every row
    ends with 0 0, the picture with 0 1. Less than half the size of the plain rows."""
    data = bytearray()
    for row in reversed(c.pixels):
        start = 0
        while start < len(row):
            end = start + 1
            while end < len(row) and end - start < 255 and (end - start < 2 or
                                                             row[end] == row[end - 2]):
                end += 1
            second = row[start + 1] if end - start > 1 else row[start]
            data += bytes((end - start, row[start] << 4 | second))
            start = end
        data += b"\0\0"
    return bytes(data[:-2] + b"\0\1")


def bmp_bytes(c):
    pixels = rle4_rows(c)
    offset = 14 + 40 + 64
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    return (header + info_header(c.width, c.height, len(pixels), BI_RLE4) + palette_bytes()
            + pixels)


def ico_bytes(c):
    xor = pack_4bit_rows(c, lambda colour: BLACK if colour == CLEAR else colour)
    mask_stride = ((c.width + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(c.pixels):
        line = bytearray(mask_stride)
        for x, colour in enumerate(row):
            if colour == CLEAR:
                line[x // 8] |= 0x80 >> (x % 8)
        mask += line
    # The image's height counts the colour rows and the mask rows.
    image = info_header(c.width, c.height * 2, len(xor) + len(mask)) + palette_bytes()
    image += xor + bytes(mask)
    header = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", c.width, c.height, 16, 0, 1, 4, len(image), 6 + 16)
    return header + entry + image


def png_bytes(c, scale, clear=(0xC0, 0xC0, 0xC0)):
    raw = bytearray()
    for row in c.pixels:
        line = bytearray()
        for colour in row:
            line += bytes(clear if colour == CLEAR else PALETTE[colour]) * scale
        for _ in range(scale):
            raw += b"\0" + line

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    ihdr = struct.pack(">IIBBBBB", c.width * scale, c.height * scale, 8, 2, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", ihdr) + chunk(b"IDAT", zlib.compress(bytes(raw)))
            + chunk(b"IEND", b""))


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--preview", metavar="DIR", help="also write PNG copies, scaled x4")
    args = parser.parse_args()
    here = os.path.dirname(os.path.abspath(__file__))
    art = {
        "install": picture(install=True),
        "uninstall": picture(install=False),
        "program": icon(),
    }
    outputs = {
        "install.bmp": bmp_bytes(art["install"]),
        "uninstall.bmp": bmp_bytes(art["uninstall"]),
        "program.ico": ico_bytes(art["program"]),
    }
    for name, data in outputs.items():
        with open(os.path.join(here, name), "wb") as f:
            f.write(data)
    if args.preview:
        os.makedirs(args.preview, exist_ok=True)
        for name, c in art.items():
            with open(os.path.join(args.preview, name + ".png"), "wb") as f:
                f.write(png_bytes(c, 4))


if __name__ == "__main__":
    main()
