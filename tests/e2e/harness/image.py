"""A screenshot in memory: pixel sampling and PNG output, standard library
only."""

import struct
import zlib


class Image:
    def __init__(self, width, height, rgb):
        self.width = width
        self.height = height
        self._rgb = rgb  # bytes, 3 per pixel, row by row

    @classmethod
    def from_ppm(cls, data):
        """Parses a binary PPM (P6, maximum value 255)."""
        fields = []
        pos = 0
        while len(fields) < 4:
            while data[pos:pos + 1].isspace():
                pos += 1
            if data[pos:pos + 1] == b"#":
                pos = data.index(b"\n", pos) + 1
                continue
            end = pos
            while not data[end:end + 1].isspace():
                end += 1
            fields.append(data[pos:end])
            pos = end
        magic, width, height, maxval = fields[0], int(fields[1]), int(fields[2]), int(fields[3])
        if magic != b"P6" or maxval != 255:
            raise ValueError(f"not an 8-bit P6 image: {magic!r}, maximum {maxval}")
        pixels = data[pos + 1:pos + 1 + width * height * 3]
        if len(pixels) != width * height * 3:
            raise ValueError("truncated PPM image")
        return cls(width, height, pixels)

    def pixel(self, x, y):
        """(red, green, blue) at screen pixel x, y."""
        if not (0 <= x < self.width and 0 <= y < self.height):
            raise IndexError(f"pixel {x},{y} outside {self.width}x{self.height}")
        i = (y * self.width + x) * 3
        return tuple(self._rgb[i:i + 3])

    def pixels_in(self, rect):
        """Yields (x, y, rgb) for every pixel of rect (left, top, right, bottom)
        that lies on the screen."""
        left, top, right, bottom = rect
        for y in range(max(top, 0), min(bottom, self.height)):
            row = y * self.width * 3
            for x in range(max(left, 0), min(right, self.width)):
                i = row + x * 3
                yield x, y, tuple(self._rgb[i:i + 3])

    def count_colour(self, rect, rgb):
        return sum(1 for _, _, c in self.pixels_in(rect) if c == rgb)

    def save_png(self, path):
        rows = b"".join(
            b"\x00" + self._rgb[y * self.width * 3:(y + 1) * self.width * 3]
            for y in range(self.height))

        def chunk(kind, body):
            return (struct.pack(">I", len(body)) + kind + body
                    + struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF))

        header = struct.pack(">IIBBBBB", self.width, self.height, 8, 2, 0, 0, 0)
        with open(path, "wb") as out:
            out.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
                      + chunk(b"IDAT", zlib.compress(rows, 6)) + chunk(b"IEND", b""))
