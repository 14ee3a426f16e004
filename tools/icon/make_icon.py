#!/usr/bin/env python3
"""Draws the VELSNAP program icon.

A grey handheld device with a cyan screen (top) sends its screen as a white
sheet of paper (middle) into the yellow receiving box with two red lights
(bottom).

resources/velsnap.png is the window's icon, drawn pixel by pixel at 32 x 32 as
a 4-bit indexed PNG (at most 16 colours, transparency included); it is also
the desktop's 32 x 32 icon, and the 16 x 16 one is drawn the same way. The same picture as a vector (resources/icons/
velsnap.svg) is rendered by rsvg-convert (package librsvg2-bin) at each other
size the icon theme looks for, into resources/icons/velsnap-<size>.png.
"""
import pathlib
import shutil
import struct
import subprocess
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

# The same at 16 x 16, where a vector's one-unit lines would blur to grey.
ICON_16 = [
    '.....KKKKKK.....',
    '.....KWSSSK.....',
    '.....KCCCCK.....',
    '.....KCTTCK.....',
    '.....KCCCCK.....',
    '.....KSDDDK.....',
    '.....KKKKKK.....',
    '................',
    '....KKKKKK......',
    '....KWWWWKK.....',
    '....KWDDWWWK....',
    'KKKKKWWWWWWKKKKK',
    'KYYYYYYYYYYYYYOK',
    'KYRRYRRYYOOOOYOK',
    'KYRRYRRYYYYYYYOK',
    'KKKKKKKKKKKKKKKK',
]

# The vector picture on the same 32 x 32 grid, in the same colours; lines are
# one unit wide and sit on the middle of the grid's cells.
SVG = '''<?xml version="1.0" encoding="UTF-8"?>
<svg xmlns="http://www.w3.org/2000/svg" width="256" height="256" viewBox="0 0 32 32">
  <title>VELSNAP</title>
  <g stroke="#000" stroke-width="1" stroke-linejoin="round">
    <rect x="10.5" y="0.5" width="11" height="13" rx="1.5" fill="#c0c0c0"/>
    <path d="M11.5 12.5V1.5h9" fill="none" stroke="#fff"/>
    <rect x="12.5" y="2.5" width="7" height="5" fill="#0ff"/>
    <path d="M14 4.5h4M14 6.5h3" stroke="#008080"/>
    <g fill="#808080" stroke="none">
      <circle cx="13.5" cy="9.5" r="0.8"/><circle cx="16" cy="9.5" r="0.8"/><circle cx="18.5" cy="9.5" r="0.8"/>
      <circle cx="13.5" cy="11.5" r="0.8"/><circle cx="16" cy="11.5" r="0.8"/><circle cx="18.5" cy="11.5" r="0.8"/>
    </g>
    <path d="M8.5 23V15.5h11l4 4V23" fill="#fff"/>
    <path d="M19.5 15.5v4h4z" fill="#c0c0c0"/>
    <path d="M10 17.5h7.5M10 19.5h5.5M10 21.5h11.5" stroke="#808080"/>
    <rect x="1.5" y="22.5" width="29" height="9" rx="1" fill="#ff0"/>
    <path d="M3 24.5h26" stroke="#fff"/>
    <path d="M29.5 24v6.5H2.5" fill="none" stroke="#808000"/>
    <circle cx="5.5" cy="27.5" r="1.6" fill="#f00" stroke="#800000" stroke-width="0.8"/>
    <circle cx="10.5" cy="27.5" r="1.6" fill="#f00" stroke="#800000" stroke-width="0.8"/>
    <path d="M18 26.5h9M18 28.5h9" stroke="#808000"/>
  </g>
</svg>
'''

SIZES = (16, 24, 32, 48, 64, 128, 256)


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


def write_drawn(path, lines, size):
    assert len(lines) == size and all(len(line) == size for line in lines), f'icon must be {size} x {size}'
    # Only the colours drawn, transparency first, so the palette fits in 4 bits.
    keys = [key for key in PALETTE if key == '.' or any(key in line for line in lines)]
    write_png(path, [[keys.index(c) for c in line] for line in lines], [PALETTE[key] for key in keys])


def main():
    resources = pathlib.Path(__file__).resolve().parents[2] / 'resources'
    write_drawn(resources / 'velsnap.png', ICON, 32)
    icons = resources / 'icons'
    icons.mkdir(exist_ok=True)
    svg = icons / 'velsnap.svg'
    svg.write_text(SVG)
    for size in SIZES:
        png = icons / f'velsnap-{size}.png'
        if size == 32:
            shutil.copyfile(resources / 'velsnap.png', png)
        elif size == 16:
            write_drawn(png, ICON_16, 16)
        else:
            subprocess.run(['rsvg-convert', '-w', str(size), '-h', str(size), '-o', str(png), str(svg)], check=True)


if __name__ == '__main__':
    main()
