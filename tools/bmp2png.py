#!/usr/bin/env python3
"""Turns the 24-bit BMP pictures the end-to-end driver saves into PNG files, with the
standard library only:  bmp2png.py IN.bmp OUT.png"""
import struct
import sys
import zlib


def bmp_to_png(src, dst):
    data = open(src, "rb").read()
    offset = struct.unpack_from("<I", data, 10)[0]
    width, height = struct.unpack_from("<ii", data, 18)
    bits = struct.unpack_from("<H", data, 28)[0]
    if bits != 24:
        raise SystemExit("bmp2png: {0}: {1} bits per pixel, not 24".format(src, bits))
    stride = (width * 3 + 3) // 4 * 4
    rows = []
    for y in range(abs(height)):
        line = y if height < 0 else abs(height) - 1 - y  # BMP rows run bottom-up
        bgr = data[offset + line * stride: offset + line * stride + width * 3]
        rgb = bytearray(len(bgr))
        rgb[0::3], rgb[1::3], rgb[2::3] = bgr[2::3], bgr[1::3], bgr[0::3]
        rows.append(b"\0" + bytes(rgb))

    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF)

    header = struct.pack(">IIBBBBB", width, abs(height), 8, 2, 0, 0, 0)
    with open(dst, "wb") as out:
        out.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(b"".join(rows), 9)) +
                  chunk(b"IEND", b""))


if __name__ == "__main__":
    if len(sys.argv) != 3:
        raise SystemExit(__doc__)
    bmp_to_png(sys.argv[1], sys.argv[2])
