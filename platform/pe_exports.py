"""The names a PE image (32- or 64-bit) exports: its export directory's name table."""

import struct

from pe_image import DIRECTORY_EXPORT

# Characteristics, time, version (2 words), name, ordinal base, address count, name count, and
# the addresses of the address, name and ordinal tables.
EXPORT_DIRECTORY = struct.Struct("<IIHHIIIIIII")


def export_names(image):
    """The exported names in the order of the name table; none for an image without exports."""
    rva, _ = image.directory(DIRECTORY_EXPORT)
    if rva == 0:
        return []
    fields = EXPORT_DIRECTORY.unpack(image.read(rva, EXPORT_DIRECTORY.size, "export directory"))
    name_count, names = fields[7], fields[9]
    table = image.read(names, 4 * name_count, "export name table")
    return [image.string(name, "export name") for name in struct.unpack(f"<{name_count}I", table)]
