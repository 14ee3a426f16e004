#!/usr/bin/env python3
"""Draws the VELSNAP program icon and writes resources/velsnap.png and velsnap-256.png.

A grey handheld device with a cyan screen (top) sends its screen as a white
sheet of paper (middle) into the yellow receiving box with two red lights
(bottom). Written as 4-bit indexed PNGs: at most 16 colours, transparency
included.
"""
import pathlib
import struct
import zlib

# The classic 16-colour palette, one character per colour; '.' is transparent.
PALETTE = {
    '.': None,
    'K': (0, 0, 0),        # black
    'M': (128, 0, 0),      # dark red
    'E': (0, 128, 0),      # dark green
    'O': (128, 128, 0),    # olive
    'N': (0, 0, 128),      # navy
    'P': (128, 0, 128),    # purple
    'T': (0, 128, 128),    # teal
    'S': (192, 192, 192),  # silver
    'D': (128, 128, 128),  # grey
    'R': (255, 0, 0),      # red
    'L': (0, 255, 0),      # lime
    'Y': (255, 255, 0),    # yellow
    'B': (0, 0, 255),      # blue
    'F': (255, 0, 255),    # fuchsia
    'C': (0, 255, 255),    # cyan
    'W': (255, 255, 255),  # white
}

ICON = [
    '...........KKKKKKKKKK...........',
    '..........KWSSSSSSSSDK..........',
    '..........KWKKKKKKKKDK..........',
    '..........KWKCCCCCCKDK..........',
    '..........KWKCTTTTCKDK..........',
    '..........KWKCCCCCCKDK..........',
    '..........KWKCTTTCCKDK..........',
    '..........KWKKKKKKKKDK..........',
    '..........KWSSSSSSSSDK..........',
    '..........KWDDSDDSDDDK..........',
    '..........KWSSSSSSSSDK..........',
    '..........KWDDSDDSDDDK..........',
    '..........KDDDDDDDDDDK..........',
    '...........KKKKKKKKKK...........',
    '................................',
    '........KKKKKKKKKKKK............',
    '........KWWWWWWWWWWKK...........',
    '........KWDDDDDDDWWKSK..........',
    '........KWWWWWWWWWWKSSK.........',
    '........KWDDDDDWWWWKKKKK........',
    '........KWWWWWWWWWWWWWWK........',
    '........KWDDDDDDDDDDDWWK........',
    '..KKKKKKKWWWWWWWWWWWWWWKKKKKKK..',
    '.KYYYYYKKKKKKKKKKKKKKKKKKYYYYYK.',
    '.KYWWWWWWWWWWWWWWWWWWWWWWWWWWOK.',
    '.KYYYYYYYYYYYYYYYYYYYYYYYYYYYOK.',
    '.KYYMMMYYMMMYYYYYYOOOOOOOOOYYOK.',
    '.KYYMRRYYMRRYYYYYYYYYYYYYYYYYOK.',
    '.KYYMRRYYMRRYYYYYYOOOOOOOOOYYOK.',
    '.KYYYYYYYYYYYYYYYYYYYYYYYYYYYOK.',
    '.KOOOOOOOOOOOOOOOOOOOOOOOOOOOOK.',
    '..KKKKKKKKKKKKKKKKKKKKKKKKKKKK..',
]

SCALE = 8  # 32 x 32 -> 256 x 256 for desktop menus


def chunk(tag, data):
    return struct.pack('>I', len(data)) + tag + data + struct.pack('>I', zlib.crc32(tag + data))


def write_png(path, rows, palette):
    """Writes a 4-bit indexed PNG whose index 0 is transparent."""
    assert len(palette) <= 16, 'more than 16 colours'
    header = struct.pack('>IIBBBBB', len(rows[0]), len(rows), 4, 3, 0, 0, 0)
    plte = b''.join(bytes(rgb or (0, 0, 0)) for rgb in palette)
    packed = [bytes(row[i] << 4 | row[i + 1] for i in range(0, len(row), 2)) for row in rows]
    pixels = b''.join(b'\x00' + row for row in packed)
    path.write_bytes(b'\x89PNG\r\n\x1a\n'
                     + chunk(b'IHDR', header)
                     + chunk(b'PLTE', plte)
                     + chunk(b'tRNS', b'\x00')
                     + chunk(b'IDAT', zlib.compress(pixels, 9))
                     + chunk(b'IEND', b''))


def upscale(rows, factor):
    return [[i for i in row for _ in range(factor)] for row in rows for _ in range(factor)]


def main():
    assert len(ICON) == 32 and all(len(line) == 32 for line in ICON), 'icon must be 32 x 32'
    # Only the colours drawn, transparency first, so the palette fits in 4 bits.
    keys = [key for key in PALETTE if key == '.' or any(key in line for line in ICON)]
    palette = [PALETTE[key] for key in keys]
    rows = [[keys.index(c) for c in line] for line in ICON]
    resources = pathlib.Path(__file__).resolve().parents[2] / 'resources'
    write_png(resources / 'velsnap.png', rows, palette)
    write_png(resources / 'velsnap-256.png', upscale(rows, SCALE), palette)


if __name__ == '__main__':
    main()
