#!/usr/bin/env python3
"""Draw the Quillon Info application icon and write it out for the build.

The picture is a graphics card seen from the side (mounting bracket on the
left, green board with the GPU and two memory chips, gold edge connector
along the bottom) with a blue "i" information badge in the top-right corner.

Every size is drawn on its own pixel grid from the same geometry, so nothing
is ever resampled; the small sizes get a few extra rules to stay crisp.

Output, written next to this script:
    quillon.ico                      four 16-colour images: 32, 24, 20, 16 px
    icon_30001.bin .. icon_30004.bin the same images as raw RT_ICON data
    icon_group.bin                   the RT_GROUP_ICON directory for them

Only the Python 3 standard library is used. Run it from anywhere:
    python3 resources/icon/make_icon.py
"""

import os
import struct
import sys

HERE = os.path.dirname(os.path.abspath(__file__))

# Image sizes in the order they are stored, with the resource id of each.
SIZES = (32, 24, 20, 16)
FIRST_ICON_ID = 30001

# The standard 16-colour Windows palette, as (red, green, blue).
PALETTE = (
    (0x00, 0x00, 0x00),  # 0  black
    (0x80, 0x00, 0x00),  # 1  maroon
    (0x00, 0x80, 0x00),  # 2  green
    (0x80, 0x80, 0x00),  # 3  olive
    (0x00, 0x00, 0x80),  # 4  navy
    (0x80, 0x00, 0x80),  # 5  purple
    (0x00, 0x80, 0x80),  # 6  teal
    (0xC0, 0xC0, 0xC0),  # 7  silver
    (0x80, 0x80, 0x80),  # 8  grey
    (0xFF, 0x00, 0x00),  # 9  red
    (0x00, 0xFF, 0x00),  # 10 lime
    (0xFF, 0xFF, 0x00),  # 11 yellow
    (0x00, 0x00, 0xFF),  # 12 blue
    (0xFF, 0x00, 0xFF),  # 13 fuchsia
    (0x00, 0xFF, 0xFF),  # 14 aqua
    (0xFF, 0xFF, 0xFF),  # 15 white
)

BLACK, GREEN, OLIVE, NAVY = 0, 2, 3, 4
SILVER, GREY, LIME, YELLOW, BLUE, WHITE = 7, 8, 10, 11, 12, 15

# Marker for a see-through pixel in the drawing grid.
CLEAR = None


# ---------------------------------------------------------------------------
# Drawing
# ---------------------------------------------------------------------------

class Canvas:
    """A square grid of palette indices; CLEAR cells are transparent."""

    def __init__(self, size):
        self.size = size
        self.cells = [[CLEAR] * size for _ in range(size)]

    def put(self, x, y, colour):
        if 0 <= x < self.size and 0 <= y < self.size:
            self.cells[y][x] = colour

    def fill(self, x0, y0, x1, y1, colour):
        """Fill the rectangle with corners (x0, y0) and (x1, y1), inclusive."""
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.put(x, y, colour)

    def frame(self, x0, y0, x1, y1, colour):
        """Draw a one-pixel outline of the rectangle, corners inclusive."""
        self.fill(x0, y0, x1, y0, colour)
        self.fill(x0, y1, x1, y1, colour)
        self.fill(x0, y0, x0, y1, colour)
        self.fill(x1, y0, x1, y1, colour)

    def disc(self, cx, cy, diameter, colour):
        """Fill a circle of odd pixel diameter centred on pixel (cx, cy)."""
        # Test each pixel centre against a radius pulled in by a fraction
        # of a pixel: the rim then steps evenly (5, 9, 11, 11, 13, ... wide
        # rows for 13 px) instead of growing single-pixel bumps at the poles.
        limit = (diameter / 2.0) ** 2 - 1.0
        reach = diameter // 2
        for dy in range(-reach, reach + 1):
            for dx in range(-reach, reach + 1):
                if dx * dx + dy * dy <= limit:
                    self.put(cx + dx, cy + dy, colour)


def scaled(value, size):
    """Map a coordinate on the 32-pixel design grid to a grid of `size`."""
    return int(value * size / 32.0 + 0.5)


def card_layout(size):
    """Work out where each part of the card goes for one icon size."""
    s = lambda v: scaled(v, size)
    board = [s(3), s(10), size - 2, s(23)]          # x0, y0, x1, y1
    if size <= 16:
        # Keep the board a full 8 rows tall at 16 px so the chip has room.
        board[1], board[3] = 4, 11
    fingers = [s(9), board[3] + 1, s(24), board[3] + max(2, s(4))]
    bracket = [max(0, board[0] - (2 if size >= 24 else 1)),
               board[1] - max(1, s(2)),
               board[0] - 1,
               fingers[3] + max(1, s(2))]
    # The chip sits inside the board with at least one green row above and
    # below it; at 16 px that makes it 4 px, which centres a 2 px die.
    interior = board[3] - board[1] - 1
    chip_side = min(s(9), interior - 2)
    chip_x = board[0] + max(2, s(4))
    chip_y = (board[1] + board[3] + 1 - chip_side) // 2
    badge = {32: 13, 24: 11, 20: 9, 16: 7}[size]
    return {
        "board": board,
        "fingers": fingers,
        "bracket": bracket,
        "chip": (chip_x, chip_y, chip_side),
        "badge": badge,
    }


def draw_bracket(c, x0, y0, x1, y1):
    """The metal mounting bracket at the back end of the card."""
    if x1 > x0:
        # Silver plate, its far edge in shadow, and the folded lip on top
        # that the case screw holds.
        c.fill(x0, y0, x1, y1, SILVER)
        c.fill(x1, y0 + 1, x1, y1, GREY)
        if x0 > 0:
            c.fill(x0 - 1, y0, x1, y0, GREY)
    else:
        # A single silver column vanishes on light backgrounds; grey does not.
        c.fill(x0, y0, x1, y1, GREY)


def draw_board(c, x0, y0, x1, y1):
    """The printed circuit board: green with a dark outline."""
    c.fill(x0, y0, x1, y1, GREEN)
    c.frame(x0, y0, x1, y1, BLACK)
    if c.size >= 24:
        # A lit top edge gives the board some depth at the larger sizes.
        c.fill(x0 + 1, y0 + 1, x1 - 1, y0 + 1, LIME)


def draw_fingers(c, x0, y0, x1, y1):
    """The gold edge connector that plugs into the slot."""
    c.fill(x0, y0, x1, y1, GREEN)
    c.fill(x0, y0, x0, y1, BLACK)
    c.fill(x1, y0, x1, y1, BLACK)
    c.fill(x0, y1, x1, y1, BLACK)
    # One gold finger on every other column, so they never merge.
    for x in range(x0 + 1, x1, 2):
        c.fill(x, y0, x, y1 - 1, YELLOW)
    if c.size >= 24:
        # Darken the tips so the fingers read as plated contacts.
        for x in range(x0 + 1, x1, 2):
            c.put(x, y1 - 1, OLIVE)


def draw_gpu(c, x, y, side):
    """The graphics chip: a black package with a grey die and silver legs."""
    if side >= 7:
        # Room for legs: a silver dot on every other pixel around the body.
        for i in range(1, side - 1, 2):
            c.put(x + i, y, SILVER)
            c.put(x + i, y + side - 1, SILVER)
            c.put(x, y + i, SILVER)
            c.put(x + side - 1, y + i, SILVER)
        x, y, side = x + 1, y + 1, side - 2
    c.fill(x, y, x + side - 1, y + side - 1, BLACK)
    # The die keeps the package's parity so it is always exactly centred.
    rim = side // 3
    c.fill(x + rim, y + rim, x + side - 1 - rim, y + side - 1 - rim, GREY)


def draw_memory(c, board, chip_right):
    """Two memory chips between the GPU and the right end of the board."""
    x0, y0, x1, y1 = board
    if c.size <= 16:
        # A single dark block is all that fits and it still reads as a part.
        c.fill(chip_right + 2, y1 - 3, chip_right + 3, y1 - 2, BLACK)
        return
    width = max(2, scaled(3, c.size))
    height = max(2, scaled(4, c.size))
    top = y1 - 1 - height
    left = chip_right + 2
    for n in range(2):
        mx = left + n * (width + 1)
        if mx + width - 1 < x1:
            c.fill(mx, top, mx + width - 1, top + height - 1, BLACK)


def draw_badge(c, diameter):
    """The blue information badge with a white "i", top-right corner."""
    size = c.size
    cx = size - 1 - diameter // 2
    cy = diameter // 2
    c.disc(cx, cy, diameter, NAVY)
    c.disc(cx, cy, diameter - 2, BLUE)
    inner = diameter // 2 - 1          # rows of blue above/below the centre
    if diameter >= 11:
        # Bold letter, three pixels wide: a square-ish dot, a gap, the stem.
        top = cy - inner + 1
        bottom = cy + inner - 1
        c.fill(cx - 1, top, cx + 1, top + 1, WHITE)
        c.fill(cx - 1, top + 3, cx + 1, bottom, WHITE)
        if diameter >= 13:
            # Enough room for a serif at the top and a foot at the bottom.
            c.put(cx - 2, top + 3, WHITE)
            c.fill(cx - 2, bottom, cx + 2, bottom, WHITE)
    else:
        # Single-pixel letter: dot, one blue gap, then the stem.
        c.put(cx, cy - inner, WHITE)
        c.fill(cx, cy - inner + 2, cx, cy + inner, WHITE)


def draw_icon(size):
    """Draw the whole icon for one size and return its rows of indices."""
    c = Canvas(size)
    parts = card_layout(size)
    draw_bracket(c, *parts["bracket"])
    draw_fingers(c, *parts["fingers"])
    draw_board(c, *parts["board"])
    chip_x, chip_y, chip_side = parts["chip"]
    draw_gpu(c, chip_x, chip_y, chip_side)
    draw_memory(c, parts["board"], chip_x + chip_side - 1)
    draw_badge(c, parts["badge"])
    return c.cells


# ---------------------------------------------------------------------------
# Encoding
# ---------------------------------------------------------------------------

def row_stride(width, bits_per_pixel):
    """Bytes in one bitmap row, padded to a 4-byte boundary."""
    return (width * bits_per_pixel + 31) // 32 * 4


def encode_dib(cells):
    """Encode a square drawing as a 4-bit icon image.

    Layout: BITMAPINFOHEADER, 16-entry palette, colour (XOR) bitmap, then the
    1-bit transparency (AND) mask. Both bitmaps are stored bottom row first.
    Transparent pixels get colour index 0 and mask bit 1.
    """
    size = len(cells)
    xor_stride = row_stride(size, 4)
    and_stride = row_stride(size, 1)

    xor_bits = bytearray()
    and_bits = bytearray()
    for row in reversed(cells):
        packed = bytearray(xor_stride)
        mask = bytearray(and_stride)
        for x, colour in enumerate(row):
            if colour is CLEAR:
                mask[x // 8] |= 0x80 >> (x % 8)
                colour = 0
            if x % 2 == 0:
                packed[x // 2] |= colour << 4
            else:
                packed[x // 2] |= colour
        xor_bits += packed
        and_bits += mask

    header = struct.pack(
        "<IiiHHIIiiII",
        40,                             # biSize
        size,                           # biWidth
        size * 2,                       # biHeight: colour plus mask
        1,                              # biPlanes
        4,                              # biBitCount
        0,                              # biCompression: BI_RGB
        len(xor_bits) + len(and_bits),  # biSizeImage
        0, 0,                           # no preferred resolution
        16,                             # biClrUsed
        0,                              # biClrImportant
    )
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
    return header + palette + bytes(xor_bits) + bytes(and_bits)


def write_outputs(images, folder):
    """Write quillon.ico, one .bin per image, and the group directory."""
    count = len(images)
    ico = bytearray(struct.pack("<HHH", 0, 1, count))
    group = bytearray(struct.pack("<HHH", 0, 1, count))
    offset = 6 + 16 * count
    for n, (size, data) in enumerate(images):
        ico += struct.pack("<BBBBHHII", size, size, 16, 0, 1, 4,
                           len(data), offset)
        group += struct.pack("<BBBBHHIH", size, size, 16, 0, 1, 4,
                             len(data), FIRST_ICON_ID + n)
        offset += len(data)
    for _, data in images:
        ico += data

    written = []

    def save(name, blob):
        path = os.path.join(folder, name)
        with open(path, "wb") as out:
            out.write(blob)
        written.append((name, len(blob)))

    save("quillon.ico", bytes(ico))
    for n, (_, data) in enumerate(images):
        save("icon_%d.bin" % (FIRST_ICON_ID + n), data)
    save("icon_group.bin", bytes(group))
    return written


def main():
    images = [(size, encode_dib(draw_icon(size))) for size in SIZES]
    for name, length in write_outputs(images, HERE):
        print("%-16s %5d bytes" % (name, length))
    return 0


if __name__ == "__main__":
    sys.exit(main())
