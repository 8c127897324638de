"""The functions a PE32 image imports: its import table and its delay imports."""

import struct
from collections import namedtuple

from pe_image import BadImage, DIRECTORY_DELAY_IMPORT, DIRECTORY_IMPORT

# name is None for an import by ordinal, ordinal None for an import by name.
Import = namedtuple("Import", "dll name ordinal delayed")

IMPORT_DESCRIPTOR = struct.Struct("<5I")
DELAY_DESCRIPTOR = struct.Struct("<8I")
ORDINAL_FLAG = 0x80000000
DELAY_RVA_BASED = 1


def imports(image):
    return list(_import_table(image)) + list(_delay_imports(image))


def _import_table(image):
    rva, _ = image.directory(DIRECTORY_IMPORT)
    while rva:
        lookup, _, _, name, addresses = IMPORT_DESCRIPTOR.unpack(
            image.read(rva, IMPORT_DESCRIPTOR.size, "import directory"))
        if name == 0 and addresses == 0:
            return
        dll = image.string(name, "imported DLL name")
        yield from _functions(image, dll, lookup or addresses, delayed=False, base=0)
        rva += IMPORT_DESCRIPTOR.size


def _functions(image, dll, rva, delayed, base):
    """The entries of one DLL's lookup table, whose addresses are relative to base."""
    while True:
        entry = image.u32(rva, "import lookup table")
        if entry == 0:
            return
        if entry & ORDINAL_FLAG:
            yield Import(dll, None, entry & 0xFFFF, delayed)
        else:
            yield Import(dll, image.string(entry - base + 2, "import name"), None, delayed)
        rva += 4


def _delay_imports(image):
    rva, _ = image.directory(DIRECTORY_DELAY_IMPORT)
    for attributes, name, _, _, names, *_ in (_delay_directory(image, rva) if rva
                                              else _delay_descriptors_by_shape(image)):
        # The first delay-load helpers stored addresses, not RVAs.
        base = 0 if attributes & DELAY_RVA_BASED else image.image_base
        dll = image.string(name - base, "delay-loaded DLL name")
        yield from _functions(image, dll, names - base, delayed=True, base=base)


def _delay_directory(image, rva):
    while True:
        descriptor = DELAY_DESCRIPTOR.unpack(
            image.read(rva, DELAY_DESCRIPTOR.size, "delay import directory"))
        if descriptor[1] == 0:
            return
        yield descriptor
        rva += DELAY_DESCRIPTOR.size


def _delay_descriptors_by_shape(image):
    """GNU ld (binutils 2.40) leaves the delay import directory empty for the delay-load
    libraries dlltool makes, so their descriptors are looked for in the sections instead: RVA
    based, with the DLL's name, its handle, its address and name tables all inside the image."""
    data = image.data
    for section in image.sections:
        end = min(section.file_offset + section.file_size, len(data)) - DELAY_DESCRIPTOR.size
        for offset in range(section.file_offset, end + 1, 4):
            if data[offset] != DELAY_RVA_BASED:
                continue
            descriptor = DELAY_DESCRIPTOR.unpack_from(data, offset)
            attributes, name, handle, addresses, names = descriptor[:5]
            if (attributes == DELAY_RVA_BASED and 0 < handle < image.image_size
                    and image.maps(addresses) and image.maps(names) and _is_dll_name(image, name)):
                yield descriptor


def _is_dll_name(image, rva):
    try:
        name = image.string(rva, "")
    except BadImage:
        return False
    return name.isprintable() and name.lower().endswith(".dll") and len(name) > 4
