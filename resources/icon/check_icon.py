#!/usr/bin/env python3
"""Read the generated icon files back and check they are well formed.

Parses quillon.ico, icon_30001.bin .. icon_30004.bin and icon_group.bin
with struct (nothing is shared with make_icon.py) and checks that:
  * the .ico holds four 4-bit images of 32, 24, 20 and 16 px, in that order,
    with consistent directory entries and bitmap headers;
  * each image carries the standard 16-colour palette;
  * each .bin file is byte-for-byte the matching image inside the .ico;
  * the group directory lists ids 30001..30004 with the right sizes;
  * every transparent pixel (mask bit 1) has colour index 0, and every
    image has both opaque and transparent pixels.

Usage: python3 check_icon.py [folder]   (default: the folder of this script)
Exits 0 and prints a summary when everything holds, 1 with a message if not.
"""

import os
import struct
import sys

EXPECTED_SIZES = (32, 24, 20, 16)
FIRST_ICON_ID = 30001

VGA_PALETTE = (
    (0x00, 0x00, 0x00), (0x80, 0x00, 0x00), (0x00, 0x80, 0x00),
    (0x80, 0x80, 0x00), (0x00, 0x00, 0x80), (0x80, 0x00, 0x80),
    (0x00, 0x80, 0x80), (0xC0, 0xC0, 0xC0), (0x80, 0x80, 0x80),
    (0xFF, 0x00, 0x00), (0x00, 0xFF, 0x00), (0xFF, 0xFF, 0x00),
    (0x00, 0x00, 0xFF), (0xFF, 0x00, 0xFF), (0x00, 0xFF, 0xFF),
    (0xFF, 0xFF, 0xFF),
)


class IconError(Exception):
    pass


def require(condition, message):
    if not condition:
        raise IconError(message)


def read(folder, name):
    path = os.path.join(folder, name)
    require(os.path.isfile(path), "%s is missing" % path)
    with open(path, "rb") as f:
        return f.read()


def stride(width, bits):
    return (width * bits + 31) // 32 * 4


def check_image(label, data, size):
    """Validate one DIB-format icon image; return (opaque, transparent)."""
    require(len(data) >= 40, "%s: shorter than a bitmap header" % label)
    (hdr_size, width, height, planes, bits, compression, size_image,
     _xppm, _yppm, clr_used, _clr_important) = struct.unpack_from(
        "<IiiHHIIiiII", data, 0)
    require(hdr_size == 40, "%s: header size %d, want 40" % (label, hdr_size))
    require(width == size, "%s: biWidth %d, want %d" % (label, width, size))
    require(height == 2 * size,
            "%s: biHeight %d, want %d" % (label, height, 2 * size))
    require(planes == 1, "%s: biPlanes %d, want 1" % (label, planes))
    require(bits == 4, "%s: biBitCount %d, want 4" % (label, bits))
    require(compression == 0,
            "%s: biCompression %d, want 0" % (label, compression))
    require(clr_used in (0, 16),
            "%s: biClrUsed %d, want 0 or 16" % (label, clr_used))

    xor_stride = stride(size, 4)
    and_stride = stride(size, 1)
    xor_len = xor_stride * size
    and_len = and_stride * size
    require(size_image == xor_len + and_len,
            "%s: biSizeImage %d, want %d" % (label, size_image,
                                             xor_len + and_len))
    want_len = 40 + 16 * 4 + xor_len + and_len
    require(len(data) == want_len,
            "%s: %d bytes, want %d" % (label, len(data), want_len))

    for i, rgb in enumerate(VGA_PALETTE):
        b, g, r, reserved = struct.unpack_from("<BBBB", data, 40 + 4 * i)
        require((r, g, b) == rgb and reserved == 0,
                "%s: palette entry %d is %r/%d, want %r/0"
                % (label, i, (r, g, b), reserved, rgb))

    xor_at = 40 + 64
    and_at = xor_at + xor_len
    opaque = transparent = 0
    used_bytes = (size * 4 + 7) // 8
    for row in range(size):                # row 0 is the bottom of the image
        xor_start = xor_at + row * xor_stride
        and_start = and_at + row * and_stride
        xor_row = data[xor_start:xor_start + xor_stride]
        and_row = data[and_start:and_start + and_stride]
        require(not any(xor_row[used_bytes:]),
                "%s: colour row %d has non-zero padding" % (label, row))
        for x in range(size):
            index = (xor_row[x // 2] >> (4 if x % 2 == 0 else 0)) & 0x0F
            clear = (and_row[x // 8] >> (7 - x % 8)) & 1
            if clear:
                transparent += 1
                require(index == 0,
                        "%s: transparent pixel (%d, %d from top) has colour "
                        "index %d, want 0" % (label, x, size - 1 - row, index))
            else:
                opaque += 1
    require(opaque > 0, "%s: no opaque pixels" % label)
    require(transparent > 0, "%s: no transparent pixels" % label)
    return opaque, transparent


def check_all(folder):
    ico = read(folder, "quillon.ico")
    require(len(ico) >= 6, "quillon.ico: too short")
    reserved, kind, count = struct.unpack_from("<HHH", ico, 0)
    require(reserved == 0 and kind == 1,
            "quillon.ico: header %d/%d, want 0/1" % (reserved, kind))
    require(count == len(EXPECTED_SIZES),
            "quillon.ico: %d images, want %d" % (count, len(EXPECTED_SIZES)))
    require(len(ico) >= 6 + 16 * count, "quillon.ico: directory truncated")

    entries = []
    next_offset = 6 + 16 * count
    for n, size in enumerate(EXPECTED_SIZES):
        (w, h, colours, res, planes, bits, length,
         offset) = struct.unpack_from("<BBBBHHII", ico, 6 + 16 * n)
        label = "quillon.ico image %d" % (n + 1)
        require((w, h) == (size, size),
                "%s: %dx%d, want %dx%d" % (label, w, h, size, size))
        require(colours == 16,
                "%s: bColorCount %d, want 16" % (label, colours))
        require(res == 0, "%s: bReserved %d, want 0" % (label, res))
        require(planes == 1, "%s: wPlanes %d, want 1" % (label, planes))
        require(bits == 4, "%s: wBitCount %d, want 4" % (label, bits))
        require(offset == next_offset,
                "%s: data at %d, want %d (images must follow one another)"
                % (label, offset, next_offset))
        require(offset + length <= len(ico),
                "%s: data runs past the end of the file" % label)
        next_offset = offset + length
        entries.append((size, ico[offset:offset + length]))
    require(next_offset == len(ico),
            "quillon.ico: %d stray bytes at the end"
            % (len(ico) - next_offset))

    summary = []
    for n, (size, data) in enumerate(entries):
        res_id = FIRST_ICON_ID + n
        opaque, transparent = check_image("%d px image" % size, data, size)
        name = "icon_%d.bin" % res_id
        require(read(folder, name) == data,
                "%s differs from the %d px image in quillon.ico"
                % (name, size))
        summary.append("%2d px  %4d bytes  %4d opaque  %4d transparent  -> %s"
                       % (size, len(data), opaque, transparent, name))

    group = read(folder, "icon_group.bin")
    require(len(group) == 6 + 14 * count,
            "icon_group.bin: %d bytes, want %d" % (len(group), 6 + 14 * count))
    reserved, kind, gcount = struct.unpack_from("<HHH", group, 0)
    require((reserved, kind, gcount) == (0, 1, count),
            "icon_group.bin: header %d/%d/%d, want 0/1/%d"
            % (reserved, kind, gcount, count))
    for n, (size, data) in enumerate(entries):
        (w, h, colours, res, planes, bits, length,
         res_id) = struct.unpack_from("<BBBBHHIH", group, 6 + 14 * n)
        label = "icon_group.bin entry %d" % (n + 1)
        require((w, h) == (size, size),
                "%s: %dx%d, want %dx%d" % (label, w, h, size, size))
        require((colours, res, planes, bits) == (16, 0, 1, 4),
                "%s: colours/reserved/planes/bits %d/%d/%d/%d, want 16/0/1/4"
                % (label, colours, res, planes, bits))
        require(res_id == FIRST_ICON_ID + n,
                "%s: id %d, want %d" % (label, res_id, FIRST_ICON_ID + n))
        bin_len = len(read(folder, "icon_%d.bin" % res_id))
        require(length == bin_len,
                "%s: bytesInRes %d, but icon_%d.bin is %d bytes"
                % (label, length, res_id, bin_len))
    return summary


def main(argv):
    folder = argv[1] if len(argv) > 1 else os.path.dirname(
        os.path.abspath(__file__))
    try:
        summary = check_all(folder)
    except IconError as problem:
        print("check_icon: FAILED: %s" % problem, file=sys.stderr)
        return 1
    for line in summary:
        print(line)
    print("check_icon: all icon files are consistent")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
