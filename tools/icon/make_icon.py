#!/usr/bin/env python3
"""Draws the VELSNAP program icon and writes resources/velsnap.png and velsnap-256.png.

A handheld device (top) sends its screen as a sheet of paper (middle)
into the receiving box (bottom).
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
    '..........KWWWWWWWWWDK..........',
    '..........KWKKKKKKKKDK..........',
    '..........KWKCCCCCCWDK..........',
    '..........KWKCTTTTCWDK..........',
    '..........KWKCCCCCCWDK..........',
    '..........KWKCTTTCCWDK..........',
    '..........KWKWWWWWWWDK..........',
    '..........KWSSSSSSSSDK..........',
    '..........KWKKSKKSKKDK..........',
    '..........KWSSSSSSSSDK..........',
    '..........KWKKSKKSKKDK..........',
    '..........KSDDDDDDDDDK..........',
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


def write_png(path, rows):
    """Writes an 8-bit indexed PNG whose index 0 is transparent."""
    header = struct.pack('>IIBBBBB', len(rows[0]), len(rows), 8, 3, 0, 0, 0)
    palette = b''.join(bytes(rgb or (0, 0, 0)) for rgb in PALETTE.values())
    pixels = b''.join(b'\x00' + bytes(row) for row in rows)
    path.write_bytes(b'\x89PNG\r\n\x1a\n'
                     + chunk(b'IHDR', header)
                     + chunk(b'PLTE', palette)
                     + chunk(b'tRNS', b'\x00')
                     + chunk(b'IDAT', zlib.compress(pixels, 9))
                     + chunk(b'IEND', b''))


def upscale(rows, factor):
    return [[i for i in row for _ in range(factor)] for row in rows for _ in range(factor)]


def main():
    assert len(ICON) == 32 and all(len(line) == 32 for line in ICON), 'icon must be 32 x 32'
    keys = list(PALETTE)
    rows = [[keys.index(c) for c in line] for line in ICON]
    resources = pathlib.Path(__file__).resolve().parents[2] / 'resources'
    write_png(resources / 'velsnap.png', rows)
    write_png(resources / 'velsnap-256.png', upscale(rows, SCALE))


if __name__ == '__main__':
    main()
