#!/usr/bin/env python3
"""Writes resources/versotime.ico: a lyric sheet with a clock, as 32x32 and
16x16 in 16 colours and 32x32 in 256 colours. Run it again after changing the
drawing; the .ico is committed so builds need no Python."""
import math
import struct
import sys

# The standard 16-colour palette; the 256-colour image uses the same first
# sixteen entries.
VGA = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
       (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
       (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]
CLEAR, BLACK, NAVY, GRAY, SILVER, BLUE, WHITE = None, 0, 4, 8, 7, 12, 15


def draw(size):
    """Rows of palette indices (None = transparent), top row first."""
    k = size / 32.0
    pixels = [[CLEAR] * size for _ in range(size)]

    def rect(x0, y0, x1, y1, colour):
        for y in range(int(y0 * k), int(math.ceil(y1 * k))):
            for x in range(int(x0 * k), int(math.ceil(x1 * k))):
                pixels[y][x] = colour

    # The sheet with a grey edge.
    rect(3, 1, 23, 29, GRAY)
    rect(4, 2, 22, 28, WHITE)
    # Lyric lines.
    for y in (6, 10, 14, 18):
        rect(7, y, 19, y + 2, NAVY)
    # The clock: a blue ring, a white face and black hands.
    cx, cy, r = 22.5 * k, 22.5 * k, 8.5 * k
    ring = max(1.0, 2.0 * k)
    for y in range(size):
        for x in range(size):
            d = math.hypot(x + 0.5 - cx, y + 0.5 - cy)
            if d <= r - ring:
                pixels[y][x] = WHITE
            elif d <= r:
                pixels[y][x] = BLUE
    hand = max(1, int(round(k)))
    ix, iy = int(cx), int(cy)
    for step in range(int(5 * k) + 1):
        for t in range(hand):
            pixels[iy - step][ix + t - hand // 2] = BLACK
    for step in range(int(4 * k) + 1):
        for t in range(hand):
            pixels[iy + t - hand // 2][ix + step] = BLACK
    return pixels


def image(size, bits):
    colours = 16 if bits == 4 else 256
    palette = VGA + [(0, 0, 0)] * (colours - 16)
    pixels = draw(size)
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, bits, 0, 0, 0, 0, 0, 0)
    table = b''.join(struct.pack('BBBB', b, g, r, 0) for (r, g, b) in palette)
    xor_rows, and_rows = [], []
    for row in reversed(pixels):  # bitmaps run bottom-up
        values = [0 if p is None else p for p in row]
        if bits == 4:
            data = bytes((values[i] << 4) | values[i + 1] for i in range(0, size, 2))
        else:
            data = bytes(values)
        xor_rows.append(data + b'\0' * (-len(data) % 4))
        mask = 0
        for p in row:
            mask = (mask << 1) | (1 if p is None else 0)
        data = mask.to_bytes(size // 8, 'big')
        and_rows.append(data + b'\0' * (-len(data) % 4))
    return header + table + b''.join(xor_rows) + b''.join(and_rows), colours


def main(path):
    images = [image(32, 4), image(16, 4), image(32, 8)]
    sizes = [32, 16, 32]
    bits = [4, 4, 8]
    out = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for (data, colours), size, b in zip(images, sizes, bits):
        out += struct.pack('<BBBBHHII', size, size, colours if colours < 256 else 0, 0, 1, b, len(data), offset)
        offset += len(data)
    out += b''.join(data for data, _ in images)
    with open(path, 'wb') as f:
        f.write(out)


if __name__ == '__main__':
    main(sys.argv[1] if len(sys.argv) > 1 else 'resources/versotime.ico')
