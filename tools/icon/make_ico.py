#!/usr/bin/env python3
"""Packs resources/velsnap.png (32 px) and velsnap-256.png into resources/velsnap.ico,
the icon of the Windows programs, their Start-menu entry and installer. Each entry
holds its PNG as it is, which Windows reads since Vista."""
import pathlib
import struct

resources = pathlib.Path(__file__).resolve().parents[2] / 'resources'
images = [(resources / name).read_bytes() for name in ('velsnap.png', 'velsnap-256.png')]
entries = b''
offset = 6 + 16 * len(images)
for png in images:
    width, height = struct.unpack('>II', png[16:24])
    entries += struct.pack('<BBBBHHII', width % 256, height % 256, 0, 0, 1, 32, len(png), offset)
    offset += len(png)
(resources / 'velsnap.ico').write_bytes(struct.pack('<HHH', 0, 1, len(images)) + entries + b''.join(images))
