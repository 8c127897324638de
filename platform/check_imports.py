#!/usr/bin/env python3
"""Tells whether a 32-bit Windows program starts on an old Windows.

    python3 platform/check_imports.py EXE --target win98se|winme|win2000|winxp-rtm|winxp

It reads the program's header, its imports (by name, by ordinal and delay-loaded), its embedded
manifest and its TLS callbacks, and prints one line per finding that would stop the program or
one of its calls on the target, then "N missing on TARGET". Exit status: 0 when N is 0, 1 when
it is not, 2 when the file cannot be read as a 32-bit program.
"""

import argparse
import sys

import xp_manifest
from pe_image import BadImage, IMAGE_FILE_MACHINE_I386, PeImage
from pe_imports import imports
from pe_manifests import manifests
from targets import targets, working_wide_functions

# The DLLs Windows maps from its own folder before any of the program's code runs. Any other
# DLL the program imports could be loaded from a file put beside it.
ALLOWED_DLLS = ("KERNEL32", "USER32", "GDI32", "ADVAPI32")
SUBSYSTEMS = {2: "GUI", 3: "console"}
LOWEST_SUBSYSTEM_VERSION = (3, 10)


def check(data, target):
    """The findings that count, and the notes that do not."""
    image = PeImage(data)
    if image.is_64_bit:
        raise BadImage("a 64-bit (PE32+) image; only 32-bit programs are checked")
    found = _header_findings(image, target) + _import_findings(imports(image), target)
    for manifest_id, manifest in manifests(image):
        label = f"manifest {manifest_id}"
        elements = xp_manifest.parse(manifest, label)
        if target.reads_manifest:
            found += xp_manifest.findings(elements, label, target)
    notes = []
    callbacks = image.tls_callback_count()
    if callbacks and not target.runs_tls_callbacks:
        notes.append(f"note: {callbacks} TLS callback(s), which the {target.name} loader does not "
                     "call for a program; its start-up code must call them itself")
    return found, notes


def _version(pair):
    return f"{pair[0]}.{pair[1]}"


def _header_findings(image, target):
    found = []
    if image.machine != IMAGE_FILE_MACHINE_I386:
        found.append(f"header: machine {image.machine:#x} is not i386")
    if image.subsystem not in SUBSYSTEMS:
        found.append(f"header: subsystem {image.subsystem} is neither GUI nor console")
    for field, version in (("OS version", image.os_version), ("subsystem version", image.subsystem_version),
                           ("image version", image.image_version)):
        if version > target.version:
            found.append(f"header: {field} {_version(version)} is newer than {target.name} "
                         f"({_version(target.version)})")
    if image.subsystem_version < LOWEST_SUBSYSTEM_VERSION:
        found.append(f"header: subsystem version {_version(image.subsystem_version)} "
                     f"is below {_version(LOWEST_SUBSYSTEM_VERSION)}")
    return found


def _import_findings(image_imports, target):
    allowed = {dll.lower() for dll in ALLOWED_DLLS}
    working = working_wide_functions() if target.wide_functions_are_stubs else frozenset()
    found, refused = [], set()
    for entry in image_imports:
        dll = entry.dll.lower().removesuffix(".dll")
        what = f"{entry.dll}!{entry.name}" if entry.name else f"{entry.dll} ordinal {entry.ordinal}"
        if entry.delayed:
            what += " (delay-loaded)"
        if dll not in allowed:
            if dll not in refused:
                refused.add(dll)
                found.append(f"{entry.dll}: imported, but the program may import only "
                             f"{', '.join(ALLOWED_DLLS[:-1])} and {ALLOWED_DLLS[-1]}")
            continue
        exports = target.exports(dll)
        if entry.name is None:
            found.append(f"{what}: imported by number, which need not name the same function on {target.name}")
        elif entry.name not in exports:
            found.append(f"{what}: not in the export list of {target.name}")
        elif (target.wide_functions_are_stubs and entry.name.endswith("W")
              and entry.name[:-1] + "A" in exports and (dll, entry.name) not in working):
            found.append(f"{what}: only a stub that fails on {target.name}")
    return found


def main(argv):
    systems = targets()
    parser = argparse.ArgumentParser(description="Tells whether a 32-bit Windows program starts on an old Windows.")
    parser.add_argument("exe", help="the program (a PE32 file)")
    parser.add_argument("--target", required=True, choices=list(systems))
    args = parser.parse_args(argv)
    target = systems[args.target]
    try:
        with open(args.exe, "rb") as file:
            found, notes = check(file.read(), target)
    except OSError as error:
        print(f"check_imports: {args.exe}: {error.strerror}", file=sys.stderr)
        return 2
    except BadImage as error:
        print(f"check_imports: {args.exe}: {error}", file=sys.stderr)
        return 2
    for line in found + notes:
        print(line)
    print(f"{len(found)} missing on {args.target}")
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
