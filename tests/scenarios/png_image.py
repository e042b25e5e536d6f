"""Reads 8-bit RGB and RGBA PNG files (the kind the replay writes) with the standard library,
and compares two pictures pixel by pixel."""

import struct
import zlib

SIGNATURE = b"\x89PNG\r\n\x1a\n"
CHANNELS = {2: 3, 6: 4}  # PNG colour type: bytes per pixel at 8 bits


class Picture:
    def __init__(self, width, height, channels, rows):
        self.width = width
        self.height = height
        self.channels = channels
        self.rows = rows  # one bytes object per row, top row first

    def rgb(self, x, y):
        row = self.rows[y]
        return tuple(row[x * self.channels:x * self.channels + 3])


def _paeth(a, b, c):
    p = a + b - c
    pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
    if pa <= pb and pa <= pc:
        return a
    return b if pb <= pc else c


def _unfilter(kind, line, previous, step):
    row = bytearray(line)
    if kind == 0:
        return row
    if kind == 1:
        for i in range(step, len(row)):
            row[i] = (row[i] + row[i - step]) & 0xFF
    elif kind == 2:
        for i in range(len(row)):
            row[i] = (row[i] + previous[i]) & 0xFF
    elif kind == 3:
        for i in range(len(row)):
            left = row[i - step] if i >= step else 0
            row[i] = (row[i] + ((left + previous[i]) >> 1)) & 0xFF
    elif kind == 4:
        for i in range(len(row)):
            left = row[i - step] if i >= step else 0
            upper_left = previous[i - step] if i >= step else 0
            row[i] = (row[i] + _paeth(left, previous[i], upper_left)) & 0xFF
    else:
        raise ValueError("unknown PNG row filter %d" % kind)
    return row


def read_header(path):
    """(width, height) of a PNG file."""
    with open(path, "rb") as file:
        data = file.read(24)
    if data[:8] != SIGNATURE or data[12:16] != b"IHDR":
        raise ValueError("%s is not a PNG file" % path)
    return struct.unpack(">II", data[16:24])


def read(path):
    with open(path, "rb") as file:
        data = file.read()
    if data[:8] != SIGNATURE:
        raise ValueError("%s is not a PNG file" % path)
    offset, compressed, header = 8, [], None
    while offset < len(data):
        length, kind = struct.unpack(">I4s", data[offset:offset + 8])
        body = data[offset + 8:offset + 8 + length]
        offset += 12 + length
        if kind == b"IHDR":
            header = struct.unpack(">IIBBBBB", body)
        elif kind == b"IDAT":
            compressed.append(body)
        elif kind == b"IEND":
            break
    width, height, depth, colour, _, _, interlace = header
    if depth != 8 or colour not in CHANNELS or interlace != 0:
        raise ValueError("%s: only 8-bit RGB or RGBA without interlacing is read" % path)
    step = CHANNELS[colour]
    stride = width * step
    raw = zlib.decompress(b"".join(compressed))
    rows, previous = [], bytearray(stride)
    for y in range(height):
        start = y * (stride + 1)
        previous = _unfilter(raw[start], raw[start + 1:start + 1 + stride], previous, step)
        rows.append(bytes(previous))
    return Picture(width, height, step, rows)


def count_differing_pixels(first, second, tolerance):
    """Pixels whose red, green or blue differ by more than `tolerance` between two pictures
    of the same size."""
    differing = 0
    for row_a, row_b in zip(first.rows, second.rows):
        if row_a == row_b:
            continue
        pixels_a = [row_a[i:i + 3] for i in range(0, len(row_a), first.channels)]
        pixels_b = [row_b[i:i + 3] for i in range(0, len(row_b), second.channels)]
        for a, b in zip(pixels_a, pixels_b):
            if a != b and max(abs(p - q) for p, q in zip(a, b)) > tolerance:
                differing += 1
    return differing
