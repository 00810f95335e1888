#!/usr/bin/env python3
"""Writes data/Backgrounds/BACKGR1.BMP, the main window's default tiled background.

A 96 x 96 soft blue texture around RGB (107, 156, 255), the colour the window takes with it, so that
black label text stays readable. The pattern wraps at the edges, so the tiles join without seams.
Standard library only; the output is the same on every run.
"""

import math
import pathlib
import struct

SIZE = 96
BASE = (107, 156, 255)


def shade(x: int, y: int) -> float:
    """A brightness change in [-1, 1]: two diagonal ripples and a slow cross wave, all periodic in SIZE."""
    t = 2 * math.pi / SIZE
    ripple = math.sin(t * 2 * (x + y)) * 0.5 + math.sin(t * 3 * (x - y)) * 0.3
    wave = math.sin(t * x) * math.cos(t * y) * 0.2
    return ripple + wave


def pixel(x: int, y: int) -> bytes:
    amount = shade(x, y) * 14
    r, g, b = (max(0, min(255, round(c + amount))) for c in BASE)
    return bytes((b, g, r))  # BMP keeps blue first


def bmp() -> bytes:
    row_size = SIZE * 3  # a multiple of four: no padding
    image = b"".join(pixel(x, y) for y in reversed(range(SIZE)) for x in range(SIZE))
    info = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE, 1, 24, 0, row_size * SIZE, 2835, 2835, 0, 0)
    header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(image), 0, 0, 14 + len(info))
    return header + info + image


def main() -> None:
    target = pathlib.Path(__file__).resolve().parent.parent / "data" / "Backgrounds" / "BACKGR1.BMP"
    target.parent.mkdir(parents=True, exist_ok=True)
    target.write_bytes(bmp())
    print(f"wrote {target}")


if __name__ == "__main__":
    main()
