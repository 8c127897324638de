"""Reading a Windows program or DLL: its header fields, addresses and TLS callbacks.

A 32-bit image (PE32) is read whole; of a 64-bit one (PE32+) the headers, the sections and what
they address, so that its exports can be listed. Every read is bounds-checked; a file that cannot
be read as a PE image raises BadImage with a one-line reason.
"""

import struct
from collections import namedtuple

IMAGE_FILE_MACHINE_I386 = 0x14C
PE32_MAGIC = 0x10B
PE32_PLUS_MAGIC = 0x20B

DIRECTORY_EXPORT = 0
DIRECTORY_IMPORT = 1
DIRECTORY_RESOURCE = 2
DIRECTORY_TLS = 9
DIRECTORY_DELAY_IMPORT = 13

FILE_HEADER_SIZE = 20
SECTION_HEADER_SIZE = 40
# Per optional header magic: its name, its size up to the data directories, and where its image
# base lies and how wide it is. The fields from offset 32 to 72 lie alike in both.
OPTIONAL_HEADERS = {PE32_MAGIC: ("PE32", 96, 28, "<I"), PE32_PLUS_MAGIC: ("PE32+", 112, 24, "<Q")}


class BadImage(Exception):
    """The file is not a PE image this checker can read."""


Section = namedtuple("Section", "name rva virtual_size file_offset file_size")


class PeImage:
    def __init__(self, data):
        self.data = data
        pe = self._pe_header_offset()
        optional = pe + 4 + FILE_HEADER_SIZE
        self._need(optional, "its file header")
        self.machine, section_count, _, _, _, optional_size, _ = struct.unpack_from("<HHIIIHH", data, pe + 4)
        self._need(optional + 2, "its optional header")
        magic = struct.unpack_from("<H", data, optional)[0]
        if magic not in OPTIONAL_HEADERS:
            raise BadImage(f"unknown optional header magic {magic:#x}, not a PE image")
        kind, directories, base_offset, base_format = OPTIONAL_HEADERS[magic]
        self.is_64_bit = magic == PE32_PLUS_MAGIC
        if optional_size < directories:
            raise BadImage(f"optional header of {optional_size} bytes, too short for {kind}")
        self._need(optional + optional_size, "its optional header")
        self.image_base = struct.unpack_from(base_format, data, optional + base_offset)[0]
        (os_major, os_minor, image_major, image_minor, subsystem_major, subsystem_minor
         ) = struct.unpack_from("<6H", data, optional + 40)
        self.os_version = (os_major, os_minor)
        self.image_version = (image_major, image_minor)
        self.subsystem_version = (subsystem_major, subsystem_minor)
        self.image_size, self.headers_size = struct.unpack_from("<II", data, optional + 56)
        self.subsystem, self.dll_characteristics = struct.unpack_from("<HH", data, optional + 68)
        directory_count = struct.unpack_from("<I", data, optional + directories - 4)[0]
        directory_count = min(directory_count, (optional_size - directories) // 8)
        self._directories = [struct.unpack_from("<II", data, optional + directories + 8 * i)
                             for i in range(directory_count)]
        table = optional + optional_size
        self._need(table + section_count * SECTION_HEADER_SIZE, "its section table")
        self.sections = []
        for i in range(section_count):
            header = table + i * SECTION_HEADER_SIZE
            name = data[header:header + 8].rstrip(b"\0").decode("latin-1")
            virtual_size, rva, file_size, file_offset = struct.unpack_from("<IIII", data, header + 8)
            self.sections.append(Section(name, rva, virtual_size, file_offset, file_size))

    def _pe_header_offset(self):
        if self.data[:2] != b"MZ":
            raise BadImage("not a PE file (no MZ signature)")
        self._need(0x40, "its DOS header")
        pe = struct.unpack_from("<I", self.data, 0x3C)[0]
        self._need(pe + 4, "its PE signature")
        if self.data[pe:pe + 4] != b"PE\0\0":
            raise BadImage("not a PE file (an MZ program without a PE signature)")
        return pe

    def _need(self, end, what):
        if len(self.data) < end:
            raise BadImage(f"truncated: the file ends inside {what} ({len(self.data)} bytes)")

    def directory(self, index):
        """(rva, size) of a data directory; (0, 0) where the image has none."""
        return self._directories[index] if index < len(self._directories) else (0, 0)

    def _locate(self, rva):
        """File offset of an address and the end of the data it may be read up to, or None."""
        start, end = None, None
        if 0 <= rva < self.headers_size:
            start, end = rva, self.headers_size
        for section in self.sections:
            length = min(section.file_size, section.virtual_size or section.file_size)
            if 0 <= rva - section.rva < length:
                start, end = section.file_offset + rva - section.rva, section.file_offset + length
        end = min(end or 0, len(self.data))
        return (start, end) if start is not None and start < end else None

    def _extent(self, rva, what):
        extent = self._locate(rva)
        if extent is None:
            raise BadImage(f"{what} at RVA {rva:#x} lies outside the file")
        return extent

    def read(self, rva, size, what):
        offset, end = self._extent(rva, what)
        if offset + size > end:
            raise BadImage(f"{what} at RVA {rva:#x} runs past the end of its data")
        return self.data[offset:offset + size]

    def u32(self, rva, what):
        return struct.unpack("<I", self.read(rva, 4, what))[0]

    def string(self, rva, what):
        """A NUL-terminated ASCII string, which must end within the data it starts in."""
        offset, end = self._extent(rva, what)
        stop = self.data.find(b"\0", offset, end)
        if stop < 0:
            raise BadImage(f"{what} at RVA {rva:#x} has no terminating NUL")
        return self.data[offset:stop].decode("latin-1")

    def maps(self, rva):
        """Whether an address lies in the file's data."""
        return self._locate(rva) is not None

    def tls_callback_count(self):
        """How many TLS callbacks a PE32 image has."""
        rva, size = self.directory(DIRECTORY_TLS)
        if rva == 0 or size == 0:
            return 0
        callbacks = self.u32(rva + 12, "TLS directory")
        count = 0
        while callbacks and self.u32(callbacks - self.image_base + 4 * count, "TLS callback table"):
            count += 1
        return count
