#!/usr/bin/env python3
"""Draws vesk's icon from simple shapes and writes it as a Windows .ico file.

The picture is a stopwatch: a dark ring with a crown button on top, a light
face, a red hand at two o'clock, and from 32 pixels up the four quarter ticks
and a small green gem at the lower right (too small to read at 16 pixels, so
left out there). Every size is drawn on its own, with its pixel widths chosen
so that the lines stay crisp, and smoothed by sampling each pixel on a grid.

The .ico holds 16, 32 and 48 pixel images as 32-bit bitmaps (with the
one-bit mask that older readers use) and the 256 pixel image as PNG, as
Windows expects. The output depends on nothing but this file (and zlib for the
PNG), so the committed src/vesk.ico can be checked against it.

Usage: draw_icon.py OUT.ico            write the icon
       draw_icon.py --check FILE.ico   exit 1 unless FILE.ico is what this draws
       draw_icon.py --png DIR          also write each size as DIR/vesk-N.png
"""
import math
import os
import struct
import sys
import zlib

SIZES = (16, 32, 48, 256)
SAMPLES = 4  # per pixel and axis

RING = (0x2B, 0x36, 0x44)  # dark slate
FACE = (0xF6, 0xF3, 0xEA)  # warm white
HAND = (0xD7, 0x26, 0x1E)  # red, as the adrenaline marks
TICK = (0x2B, 0x36, 0x44)
GEM = (0x13, 0x9E, 0x6C)  # green
GEM_LIGHT = (0x7D, 0xE3, 0xB5)
GEM_EDGE = (0x0B, 0x4D, 0x36)


class Canvas:
    """Straight RGBA pixels, painted shape over shape with coverage."""

    def __init__(self, size):
        self.size = size
        self.pixels = [[0.0, 0.0, 0.0, 0.0] for _ in range(size * size)]

    def fill(self, inside, box, colour, alpha=1.0):
        """Paints `colour` where inside(x, y) holds, x and y in pixels, over
        the pixels of box (left, top, right, bottom)."""
        n = SAMPLES
        offsets = [(i + 0.5) / n for i in range(n)]
        left, top, right, bottom = (max(0, int(math.floor(box[0]))), max(0, int(math.floor(box[1]))),
                                    min(self.size, int(math.ceil(box[2]))),
                                    min(self.size, int(math.ceil(box[3]))))
        for py in range(top, bottom):
            for px in range(left, right):
                hits = sum(1 for oy in offsets for ox in offsets if inside(px + ox, py + oy))
                if hits:
                    self.over(px, py, colour, alpha * hits / (n * n))

    def over(self, x, y, colour, a):
        p = self.pixels[y * self.size + x]
        out = a + p[3] * (1 - a)
        for i in range(3):
            p[i] = (colour[i] / 255 * a + p[i] * p[3] * (1 - a)) / out if out else 0.0
        p[3] = out

    def rgba(self):
        """Rows top to bottom of (r, g, b, a) bytes."""
        rows = []
        for y in range(self.size):
            row = []
            for x in range(self.size):
                r, g, b, a = self.pixels[y * self.size + x]
                alpha = round(a * 255)
                row.append((round(r * 255), round(g * 255), round(b * 255), alpha) if alpha else
                           (0, 0, 0, 0))
            rows.append(row)
        return rows


def disc(cx, cy, r):
    return (lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r), (cx - r, cy - r, cx + r, cy + r)


def rect(left, top, right, bottom):
    return (lambda x, y: left <= x < right and top <= y < bottom), (left, top, right, bottom)


def capsule(x0, y0, x1, y1, width):
    """A segment with round ends, `width` across."""
    dx, dy = x1 - x0, y1 - y0
    length2 = dx * dx + dy * dy
    half = width / 2

    def inside(x, y):
        t = max(0.0, min(1.0, ((x - x0) * dx + (y - y0) * dy) / length2))
        return (x - x0 - t * dx) ** 2 + (y - y0 - t * dy) ** 2 <= half * half

    return inside, (min(x0, x1) - half, min(y0, y1) - half, max(x0, x1) + half, max(y0, y1) + half)


def polygon(points):
    def inside(x, y):
        hit = False
        j = len(points) - 1
        for i, (xi, yi) in enumerate(points):
            xj, yj = points[j]
            if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
                hit = not hit
            j = i
        return hit

    xs = [p[0] for p in points]
    ys = [p[1] for p in points]
    return inside, (min(xs), min(ys), max(xs), max(ys))


def geometry(size):
    """The stopwatch's measures in pixels for one size: widths are whole or
    half pixels so that edges fall on pixel boundaries where they can."""
    if size == 16:
        return dict(cx=8.0, cy=9.0, r=7.0, ring=2.0, crown=(7, 0, 9, 2), hand=2.0, hub=1.0)
    s = size / 32
    return dict(cx=size / 2, cy=size / 2 + 2 * s, r=13.5 * s, ring=max(2.5, 2.75 * s),
                crown=(size / 2 - 2 * s, 0.5 * s, size / 2 + 2 * s, 5 * s), hand=2.0 * s,
                hub=2.0 * s)


def draw(size):
    g = geometry(size)
    cx, cy, r = g["cx"], g["cy"], g["r"]
    c = Canvas(size)
    # The crown: a button on a short stem, behind the ring.
    c.fill(*rect(*g["crown"]), RING)
    if size > 16:
        left, top, right, _ = g["crown"]
        c.fill(*rect(left - (right - left) * 0.35, top, right + (right - left) * 0.35,
                     top + (right - left) * 0.55), RING)
    c.fill(*disc(cx, cy, r), RING)
    c.fill(*disc(cx, cy, r - g["ring"]), FACE)
    inner = r - g["ring"]
    if size > 16:
        # Quarter ticks, from the ring inward.
        for angle in (0, 90, 180, 270):
            a = math.radians(angle)
            ux, uy = math.sin(a), -math.cos(a)
            c.fill(*capsule(cx + ux * inner * 0.92, cy + uy * inner * 0.92, cx + ux * inner * 0.72,
                            cy + uy * inner * 0.72, g["hand"] * 0.8), TICK)
    if size == 16:
        # The hand as whole pixels on the diagonal to the upper right: any
        # smoothing at this size only blurs it.
        for i in range(3):
            c.fill(*rect(7 + i, 7 - i, 9 + i, 9 - i), HAND)
    else:
        # The hand at two o'clock, and the hub it turns on.
        a = math.radians(60)
        c.fill(*capsule(cx, cy, cx + math.sin(a) * inner * 0.78, cy - math.cos(a) * inner * 0.78,
                        g["hand"]), HAND)
        c.fill(*disc(cx, cy, g["hub"]), HAND)
    if size > 16:
        # The gem at the lower right, over the ring: a cut stone seen from
        # above, a lighter table on top.
        s = size / 32
        w = 6 * s
        edge = max(1.0, 0.9 * s)
        # Inside the canvas, half a pixel from its edges.
        gx = gy = size - 0.5 - w - edge
        outline = [(gx, gy - w), (gx + w, gy), (gx, gy + w), (gx - w, gy)]
        c.fill(*polygon([(gx, gy - w - edge), (gx + w + edge, gy), (gx, gy + w + edge),
                         (gx - w - edge, gy)]), GEM_EDGE)
        c.fill(*polygon(outline), GEM)
        c.fill(*polygon([(gx, gy - w), (gx + w * 0.5, gy - w * 0.5), (gx, gy),
                         (gx - w * 0.5, gy - w * 0.5)]), GEM_LIGHT)
    return c.rgba()


def png(rows):
    size = len(rows)
    raw = b"".join(b"\0" + bytes(v for px in row for v in px) for row in rows)

    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data +
                struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))

    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)) +
            chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def bmp(rows):
    """A 32-bit icon bitmap: header of twice the height, BGRA rows bottom
    up, then the one-bit mask (1 = see-through), rows padded to 32 bits."""
    size = len(rows)
    colour = b"".join(bytes((b, g, r, a)) for row in reversed(rows) for r, g, b, a in row)
    stride = (size + 31) // 32 * 4
    mask = b""
    for row in reversed(rows):
        bits = bytearray(stride)
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bytes(bits)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(colour) + len(mask), 0,
                         0, 0, 0)
    return header + colour + mask


def ico(images):
    """images: (size, data) in order; 256 is written as 0 in the directory."""
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    body = b""
    for size, data in images:
        side = 0 if size >= 256 else size
        out += struct.pack("<BBBBHHII", side, side, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
        body += data
    return out + body


def canonical(data):
    """The icon's images with each PNG's pixel data decompressed, so that a
    check does not depend on the zlib that compressed it."""
    count = struct.unpack_from("<H", data, 4)[0]
    images = []
    for i in range(count):
        entry = data[6 + 16 * i:22 + 16 * i]
        size, offset = struct.unpack_from("<II", entry, 8)
        image = data[offset:offset + size]
        if image.startswith(b"\x89PNG"):
            at, parts = 8, []
            while at < len(image):
                length, kind = struct.unpack_from(">I4s", image, at)
                body = image[at + 8:at + 8 + length]
                parts.append(body if kind == b"IHDR" else b"")
                if kind == b"IDAT":
                    parts[-1] = zlib.decompress(body)
                at += 12 + length
            image = b"".join(parts)
        images.append((entry[:8], image))
    return images


def icon_bytes():
    drawn = {size: draw(size) for size in SIZES}
    return ico([(size, png(drawn[size]) if size >= 256 else bmp(drawn[size])) for size in SIZES]), drawn


def main(argv):
    if len(argv) == 2 and argv[0] == "--check":
        data, _ = icon_bytes()
        try:
            with open(argv[1], "rb") as f:
                same = canonical(f.read()) == canonical(data)
        except (OSError, struct.error, zlib.error) as e:
            print(f"draw_icon: {e}", file=sys.stderr)
            return 1
        if not same:
            print(f"draw_icon: {argv[1]} is not what tools/icon/draw_icon.py draws; "
                  f"run it again to update the file", file=sys.stderr)
            return 1
        return 0
    if len(argv) == 3 and argv[0] == "--png":
        _, drawn = icon_bytes()
        os.makedirs(argv[1], exist_ok=True)
        for size, rows in drawn.items():
            with open(os.path.join(argv[1], f"vesk-{size}.png"), "wb") as f:
                f.write(png(rows))
        argv = argv[2:]
    if len(argv) == 1 and not argv[0].startswith("-"):
        data, _ = icon_bytes()
        with open(argv[0], "wb") as f:
            f.write(data)
        return 0
    print(__doc__.split("Usage:")[1].rstrip(), file=sys.stderr)
    return 2


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
