#!/usr/bin/env python3
"""Draws the installer's icon (an oscilloscope screen with a sine and a square trace) and writes
it as a Windows icon file with a 32x32 and a 16x16 image of 16 colours each.

    python3 make_icon.py installer.ico

The output is committed; run this again only to change the drawing. Same input, same bytes."""
import math
import struct
import sys

# The 16 colours of the standard palette, as (red, green, blue).
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, NAVY, TEAL, SILVER, GREY, GREEN, YELLOW, WHITE = 0, 4, 6, 7, 8, 10, 11, 15
TRANSPARENT = None


def draw(size):
    """The image as rows of palette indexes (None: transparent), top row first."""
    image = [[TRANSPARENT] * size for _ in range(size)]
    last = size - 1
    corner = 2 if size >= 32 else 1
    for y in range(size):
        for x in range(size):
            dx = min(x, last - x)
            dy = min(y, last - y)
            if dx + dy < corner:
                continue  # rounded corner
            if dx == 0 or dy == 0:
                image[y][x] = BLACK
            elif dx == 1 or dy == 1:
                light = (dy == 1 and y < size // 2) or (dx == 1 and x < size // 2)
                image[y][x] = SILVER if light else GREY
            else:
                image[y][x] = NAVY
    border = 2
    inner = size - 2 * border
    step = inner // 4 if size >= 32 else inner // 2
    for y in range(border, size - border):
        for x in range(border, size - border):
            if (x - border) % step == step // 2 and (y - border) % 2 == 0:
                image[y][x] = TEAL
            if (y - border) % step == step // 2 and (x - border) % 2 == 0:
                image[y][x] = TEAL
    thick = 2 if size >= 32 else 1
    middle = size / 2
    amplitude = inner * 0.30
    # Square trace in the lower half, sine trace over everything.
    if size >= 32:
        low, high = int(size * 0.80), int(size * 0.62)
        for x in range(border + 1, size - border - 1):
            phase = ((x - border) // (inner // 3)) % 2
            image[high if phase else low][x] = GREEN
            if (x - border) % (inner // 3) == 0 and x > border + 1:
                for y in range(high, low + 1):
                    image[y][x] = GREEN
        middle = size * 0.38
        amplitude = inner * 0.22
    previous = None
    for x in range(border, size - border):
        t = (x - border + 0.5) / inner
        y = int(round(middle - amplitude * math.sin(2 * math.pi * 1.25 * t)))
        span = [y] if previous is None else range(min(previous, y), max(previous, y) + 1)
        for yy in span:
            for k in range(thick):
                if border <= yy + k < size - border:
                    image[yy + k][x] = YELLOW
        previous = y
    return image


def bitmap(image):
    """A 4-bit device-independent bitmap with its AND mask, as stored in an icon file."""
    size = len(image)
    xor_row = ((size * 4 + 31) // 32) * 4
    and_row = ((size + 31) // 32) * 4
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 4, 0,
                         (xor_row + and_row) * size, 0, 0, 16, 0)
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
    xor = bytearray()
    mask = bytearray()
    for row in reversed(image):
        packed = bytearray(xor_row)
        bits = bytearray(and_row)
        for x, colour in enumerate(row):
            index = 0 if colour is TRANSPARENT else colour
            packed[x // 2] |= index << (0 if x % 2 else 4)
            if colour is TRANSPARENT:
                bits[x // 8] |= 0x80 >> (x % 8)
        xor += packed
        mask += bits
    return header + palette + bytes(xor) + bytes(mask)


def icon_file(sizes):
    images = [bitmap(draw(size)) for size in sizes]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in zip(sizes, images):
        out += struct.pack("<BBBBHHII", size, size, 16, 0, 1, 4, len(data), offset)
        offset += len(data)
    return out + b"".join(images)


if __name__ == "__main__":
    with open(sys.argv[1], "wb") as output:
        output.write(icon_file([32, 16]))
