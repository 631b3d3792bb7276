#!/usr/bin/env python3
"""Writes Quorvel.ico: one 32 x 32 image in the 16 standard colours.

The picture is a sheet of paper with a folder at its head and a listing drawn as a tree below
it. Run it again after changing the drawing: python3 make_icon.py
"""
import struct

# The 16 colours of the standard palette, as (red, green, blue).
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]

# One letter per pixel, top row first; "." is transparent.
COLOURS = {"k": 0, "o": 3, "n": 4, "s": 7, "g": 8, "y": 11, "b": 12, "w": 15}
DRAWING = """
................................
....kkkkkkkkkkkkkkkkkkkkk.......
....kwwwwwwwwwwwwwwwwwwwkk......
....kwwwwwwwwwwwwwwwwwwwkwk.....
....kwoooowwwwwwwwwwwwwwkwwk....
....kwoyyyoooooowwwwwwwwkkkkk...
....kwoyyyyyyyyowwwwwwwwwwwwk...
....kwoyyyyyyyyowbbbbbbbbbwwkg..
....kwoyyyyyyyyowwwwwwwwwwwwkg..
....kwooooooooooowwwwwwwwwwwkg..
....kwwnwwwwwwwwwwwwwwwwwwwwkg..
....kwwnwwwwwwwwwwwwwwwwwwwwkg..
....kwwnnnnnwbbbbbbbbbbwwwwwkg..
....kwwnwwwwwwwwwwwwwwwwwwwwkg..
....kwwnwwwnwwwwwwwwwwwwwwwwkg..
....kwwnwwwnnnnwbbbbbbbbwwwwkg..
....kwwnwwwnwwwwwwwwwwwwwwwwkg..
....kwwnwwwnnnnwbbbbbbwwwwwwkg..
....kwwnwwwwwwwwwwwwwwwwwwwwkg..
....kwwnnnnnwbbbbbbbbbbbwwwwkg..
....kwwnwwwwwwwwwwwwwwwwwwwwkg..
....kwwnwwwnwwwwwwwwwwwwwwwwkg..
....kwwnwwwnnnnwbbbbbbbbbwwwkg..
....kwwnwwwnwwwwwwwwwwwwwwwwkg..
....kwwnwwwnnnnwbbbbbbbwwwwwkg..
....kwwnwwwwwwwwwwwwwwwwwwwwkg..
....kwwnnnnnwbbbbbbbbwwwwwwwkg..
....kwwwwwwwwwwwwwwwwwwwwwwwkg..
....kwwwwwwwwwwwwwwwwwwwwwwwkg..
....kkkkkkkkkkkkkkkkkkkkkkkkkg..
.....ggggggggggggggggggggggggg..
................................
"""


def rows():
    lines = [line for line in DRAWING.strip("\n").split("\n")]
    assert len(lines) == 32 and all(len(line) == 32 for line in lines), "the drawing is 32 x 32"
    return lines


def image():
    lines = rows()
    header = struct.pack("<IiiHHIIiiII", 40, 32, 64, 1, 4, 0, 0, 0, 0, 16, 0)
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
    colour = b""
    mask = b""
    for line in reversed(lines):  # bitmaps store the bottom row first
        indices = [COLOURS.get(c, 0) for c in line]
        colour += bytes((indices[i] << 4) | indices[i + 1] for i in range(0, 32, 2))
        bits = "".join("1" if c == "." else "0" for c in line)
        mask += int(bits, 2).to_bytes(4, "big")
    return header + palette + colour + mask


def main():
    data = image()
    directory = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", 32, 32, 16, 0, 1, 4, len(data), 6 + 16)
    with open("Quorvel.ico", "wb") as out:
        out.write(directory + entry + data)


if __name__ == "__main__":
    main()
