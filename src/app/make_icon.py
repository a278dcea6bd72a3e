#!/usr/bin/env python3
"""Writes tarvello.ico: a 32 x 32, 16-colour icon of a Yagi antenna on a rotor mast with a turning arrow."""
import math
import struct
import sys

SIZE = 32
# The standard 16-colour palette (R, G, B).
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128), (0, 128, 128),
    (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0), (0, 0, 255),
    (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, DARK_GREY, GREY, RED, NAVY, BLUE = 0, 8, 7, 9, 4, 12
TRANSPARENT = None


def draw():
    image = [[TRANSPARENT] * SIZE for _ in range(SIZE)]

    def put(x, y, colour):
        if 0 <= x < SIZE and 0 <= y < SIZE:
            image[y][x] = colour

    def rect(x0, y0, x1, y1, colour):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                put(x, y, colour)

    # Turning arrow: an arc around the antenna with a head, drawn first so the antenna lies on top.
    for step in range(0, 260):
        angle = math.radians(200 + step)
        for radius in (13.5, 14.2):
            put(int(round(15.5 + radius * math.cos(angle))), int(round(11 + radius * 0.45 * math.sin(angle))), RED)
    rect(25, 11, 28, 12, RED)
    rect(26, 13, 27, 13, RED)
    # Mast and rotor housing.
    rect(15, 12, 16, 27, DARK_GREY)
    rect(11, 24, 20, 29, GREY)
    rect(11, 24, 20, 24, BLACK)
    rect(11, 29, 20, 29, BLACK)
    rect(11, 24, 11, 29, BLACK)
    rect(20, 24, 20, 29, BLACK)
    rect(14, 26, 17, 27, NAVY)
    # Boom and elements of the Yagi.
    rect(3, 10, 28, 11, NAVY)
    for x, half in ((4, 6), (10, 5), (16, 4), (21, 3), (26, 3)):
        rect(x, 11 - half, x + 1, 10 + half, BLUE)
    return image


def ico_bytes(image):
    row_bytes = SIZE // 2  # 4 bits per pixel, 16 bytes per row: already a multiple of 4
    mask_row_bytes = 4
    xor = bytearray()
    mask = bytearray()
    for y in reversed(range(SIZE)):  # bottom-up rows
        row = image[y]
        for x in range(0, SIZE, 2):
            hi = row[x] if row[x] is not None else 0
            lo = row[x + 1] if row[x + 1] is not None else 0
            xor.append((hi << 4) | lo)
        bits = 0
        for x in range(SIZE):
            bits = (bits << 1) | (1 if row[x] is None else 0)
        mask += struct.pack(">I", bits)
    assert len(xor) == row_bytes * SIZE and len(mask) == mask_row_bytes * SIZE
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 4, 0, len(xor) + len(mask), 0, 0, 16, 0)
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
    dib = header + palette + bytes(xor) + bytes(mask)
    directory = struct.pack("<HHH", 0, 1, 1) + struct.pack("<BBBBHHII", SIZE, SIZE, 16, 0, 1, 4, len(dib), 22)
    return directory + dib


if __name__ == "__main__":
    target = sys.argv[1] if len(sys.argv) > 1 else "tarvello.ico"
    with open(target, "wb") as out:
        out.write(ico_bytes(draw()))
