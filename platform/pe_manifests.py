"""The manifests embedded in a PE32 image: its RT_MANIFEST resources."""

import struct

from pe_image import BadImage, DIRECTORY_RESOURCE

RT_MANIFEST = 24
NAMED_OR_SUBDIRECTORY = 0x80000000


def manifests(image):
    """(resource id, bytes) of every numbered manifest resource; loaders read no named one."""
    root, _ = image.directory(DIRECTORY_RESOURCE)
    if root == 0:
        return []
    found = []
    for type_id, types in _subdirectories(image, root, 0):
        if type_id != RT_MANIFEST:
            continue
        for manifest_id, languages in _subdirectories(image, root, types):
            if manifest_id is None:
                continue
            for _, entry, is_directory in _entries(image, root, languages):
                if is_directory:
                    raise BadImage("manifest resource directory nested too deep")
                data, size = struct.unpack("<II", image.read(root + entry, 8, "resource data entry"))
                found.append((manifest_id, image.read(data, size, "manifest resource")))
    return found


def _subdirectories(image, root, offset):
    for entry_id, target, is_directory in _entries(image, root, offset):
        if not is_directory:
            raise BadImage("resource directory entry without its subdirectory")
        yield entry_id, target


def _entries(image, root, offset):
    """(id or None, offset, is a subdirectory) of one resource directory's entries."""
    named, numbered = struct.unpack("<HH", image.read(root + offset + 12, 4, "resource directory"))
    for i in range(named + numbered):
        name, target = struct.unpack("<II", image.read(root + offset + 16 + 8 * i, 8, "resource directory"))
        yield (None if name & NAMED_OR_SUBDIRECTORY else name,
               target & ~NAMED_OR_SUBDIRECTORY, bool(target & NAMED_OR_SUBDIRECTORY))
