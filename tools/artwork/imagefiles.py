"""Writers and a reader for the picture files: BMP (24 bits, bottom-up), ICO, PNG."""

import struct
import zlib


def bmp24_bytes(canvas):
    """A Windows BMP file: BITMAPINFOHEADER, 24 bits per pixel, bottom-up rows, no compression."""
    w, h = canvas.width, canvas.height
    stride = (w * 3 + 3) & ~3
    rows = []
    for y in range(h - 1, -1, -1):
        row = bytearray()
        for x in range(w):
            r, g, b = canvas.rgb_bytes(x, y)
            row += bytes((b, g, r))
        row += b"\0" * (stride - w * 3)
        rows.append(bytes(row))
    pixels = b"".join(rows)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    header = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(pixels), 0, 0, 14 + len(info))
    return header + info + pixels


def read_bmp(data):
    """Width, height, bit count, top-down flag and rows of (r, g, b) of a 24- or 32-bit BMP."""
    if data[:2] != b"BM":
        raise ValueError("not a BMP file")
    offset = struct.unpack_from("<I", data, 10)[0]
    size, w, h, planes, bits, compression = struct.unpack_from("<IiiHHI", data, 14)
    if size < 40 or planes != 1 or bits not in (24, 32) or compression != 0:
        raise ValueError("unsupported BMP")
    top_down = h < 0
    h = abs(h)
    bpp = bits // 8
    stride = (w * bpp + 3) & ~3
    rows = []
    for y in range(h):
        src = y if top_down else h - 1 - y
        base = offset + src * stride
        rows.append([(data[base + x * bpp + 2], data[base + x * bpp + 1], data[base + x * bpp])
                     for x in range(w)])
    return {"width": w, "height": h, "bits": bits, "top_down": top_down, "rows": rows}


def _icon_image(canvas):
    """One icon image: BITMAPINFOHEADER (height doubled), 32-bit BGRA rows, 1-bit AND mask."""
    n = canvas.width
    xor = bytearray()
    for y in range(n - 1, -1, -1):
        for x in range(n):
            r, g, b, a = canvas.rgba_bytes(x, y)
            if a == 0:
                r = g = b = 0
            xor += bytes((b, g, r, a))
    mask_stride = ((n + 31) // 32) * 4
    mask = bytearray()
    for y in range(n - 1, -1, -1):
        row = bytearray(mask_stride)
        for x in range(n):
            if canvas.rgba_bytes(x, y)[3] == 0:
                row[x // 8] |= 0x80 >> (x % 8)
        mask += row
    info = struct.pack("<IiiHHIIiiII", 40, n, n * 2, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
    return info + bytes(xor) + bytes(mask)


def ico_bytes(canvases):
    """An .ico file holding one 32-bit image with alpha per canvas (square, up to 256 pixels)."""
    images = [_icon_image(c) for c in canvases]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for c, img in zip(canvases, images):
        side = c.width % 256
        out += struct.pack("<BBBBHHII", side, side, 0, 0, 1, 32, len(img), offset)
        offset += len(img)
    return out + b"".join(images)


def read_ico(data):
    """(width, height, bit count, bytes) of every image in an .ico file."""
    _, kind, count = struct.unpack_from("<HHH", data, 0)
    if kind != 1:
        raise ValueError("not an icon file")
    entries = []
    for i in range(count):
        w, h, _, _, _, bits, size, offset = struct.unpack_from("<BBBBHHII", data, 6 + 16 * i)
        entries.append((w or 256, h or 256, bits, data[offset:offset + size]))
    return entries


def png_bytes(width, height, rgb_rows):
    """An 8-bit RGB PNG from rows of (r, g, b)."""
    raw = bytearray()
    for row in rgb_rows:
        raw.append(0)
        for r, g, b in row:
            raw += bytes((r, g, b))

    def chunk(tag, body):
        return (struct.pack(">I", len(body)) + tag + body
                + struct.pack(">I", zlib.crc32(tag + body) & 0xFFFFFFFF))

    ihdr = struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", ihdr)
            + chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b""))
