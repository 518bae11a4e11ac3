#!/usr/bin/env python3
"""Rewrites a PNG in the one canonical form the program embeds.

Input: a non-interlaced PNG that is either a palette image (any bit depth, as
pngquant writes it) or an 8-bit RGBA image (as rsvg-convert writes it).
Output: the same pixels with 8 bits per sample (palette indices unpacked to one
byte each), holding only IHDR, PLTE, tRNS, IDAT and IEND. No time, gamma, text
or colour-profile chunks survive, and compression is fixed (zlib level 9 with a
fixed filter choice), so the same input always gives the same bytes.

Usage: pngnorm.py IN OUT --kind palette|rgba --size WxH [--binary-alpha]

--binary-alpha rounds each palette entry's alpha to 0 or 255 (for window icons,
whose consumers take straight alpha and must not see premultiplied edges).
"""
import argparse
import struct
import sys
import zlib

SIGNATURE = b"\x89PNG\r\n\x1a\n"


def fail(msg):
    sys.exit(f"pngnorm: {msg}")


def read_chunks(data):
    if not data.startswith(SIGNATURE):
        fail("not a PNG file")
    pos = len(SIGNATURE)
    while pos + 8 <= len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if len(body) != length:
            fail("truncated chunk")
        yield kind, body
        pos += 12 + length
        if kind == b"IEND":
            return
    fail("no IEND chunk")


def paeth(a, b, c):
    p = a + b - c
    pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
    if pa <= pb and pa <= pc:
        return a
    return b if pb <= pc else c


def unfilter(raw, rows, stride, bpp):
    out = []
    prev = bytearray(stride)
    pos = 0
    for _ in range(rows):
        ftype = raw[pos]
        line = bytearray(raw[pos + 1:pos + 1 + stride])
        pos += 1 + stride
        for i in range(stride):
            a = line[i - bpp] if i >= bpp else 0
            b = prev[i]
            c = prev[i - bpp] if i >= bpp else 0
            if ftype == 1:
                line[i] = (line[i] + a) & 0xFF
            elif ftype == 2:
                line[i] = (line[i] + b) & 0xFF
            elif ftype == 3:
                line[i] = (line[i] + ((a + b) >> 1)) & 0xFF
            elif ftype == 4:
                line[i] = (line[i] + paeth(a, b, c)) & 0xFF
            elif ftype != 0:
                fail(f"bad filter type {ftype}")
        out.append(line)
        prev = line
    return out


def filter_row(ftype, line, prev, bpp):
    res = bytearray(len(line))
    for i in range(len(line)):
        a = line[i - bpp] if i >= bpp else 0
        b = prev[i]
        c = prev[i - bpp] if i >= bpp else 0
        pred = (0, a, b, (a + b) >> 1, paeth(a, b, c))[ftype]
        res[i] = (line[i] - pred) & 0xFF
    return res


def encode_rows(rows, bpp, adaptive):
    """Palette rows stay unfiltered (filters rarely help indices); RGBA rows
    take the filter with the smallest sum of absolute differences."""
    out = bytearray()
    prev = bytearray(len(rows[0]))
    for line in rows:
        if adaptive:
            cands = [filter_row(f, line, prev, bpp) for f in range(5)]
            score = [sum(v if v < 128 else 256 - v for v in c) for c in cands]
            best = score.index(min(score))
            out += bytes([best]) + cands[best]
        else:
            out += b"\x00" + line
        prev = line
    return bytes(out)


def chunk(kind, body):
    crc = zlib.crc32(kind + body) & 0xFFFFFFFF
    return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", crc)


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("src")
    ap.add_argument("dst")
    ap.add_argument("--kind", choices=("palette", "rgba"), required=True)
    ap.add_argument("--size", required=True)
    ap.add_argument("--binary-alpha", action="store_true")
    args = ap.parse_args()
    want_w, want_h = (int(v) for v in args.size.split("x"))

    with open(args.src, "rb") as f:
        chunks = list(read_chunks(f.read()))
    ihdr = dict(chunks)[b"IHDR"] if chunks[0][0] == b"IHDR" else fail("no IHDR first")
    w, h, depth, ctype, _, _, interlace = struct.unpack(">IIBBBBB", ihdr)
    if (w, h) != (want_w, want_h):
        fail(f"{args.src} is {w}x{h}, expected {want_w}x{want_h}")
    if interlace:
        fail("interlaced input")
    plte = b"".join(b for k, b in chunks if k == b"PLTE")
    trns = b"".join(b for k, b in chunks if k == b"tRNS")
    raw = zlib.decompress(b"".join(b for k, b in chunks if k == b"IDAT"))

    if args.kind == "palette":
        if ctype != 3 or depth not in (1, 2, 4, 8):
            fail(f"{args.src}: expected a palette image, got colour type {ctype}")
        stride = (w * depth + 7) // 8
        rows = unfilter(raw, h, stride, 1)
        per_byte = 8 // depth
        mask = (1 << depth) - 1
        unpacked = []
        for line in rows:
            idx = bytearray(w)
            for x in range(w):
                shift = 8 - depth * (x % per_byte + 1)
                idx[x] = (line[x // per_byte] >> shift) & mask
            unpacked.append(idx)
        alpha = bytearray(trns)
        if args.binary_alpha:
            alpha = bytearray(255 if a >= 128 else 0 for a in alpha)
        while alpha and alpha[-1] == 255:
            alpha.pop()
        body = encode_rows(unpacked, 1, adaptive=False)
        out = [chunk(b"IHDR", struct.pack(">IIBBBBB", w, h, 8, 3, 0, 0, 0)), chunk(b"PLTE", plte)]
        if alpha:
            out.append(chunk(b"tRNS", bytes(alpha)))
    else:
        if ctype != 6 or depth != 8:
            fail(f"{args.src}: expected 8-bit RGBA, got colour type {ctype} depth {depth}")
        rows = unfilter(raw, h, w * 4, 4)
        body = encode_rows(rows, 4, adaptive=True)
        out = [chunk(b"IHDR", struct.pack(">IIBBBBB", w, h, 8, 6, 0, 0, 0))]

    out.append(chunk(b"IDAT", zlib.compress(body, 9)))
    out.append(chunk(b"IEND", b""))
    with open(args.dst, "wb") as f:
        f.write(SIGNATURE + b"".join(out))


if __name__ == "__main__":
    main()
