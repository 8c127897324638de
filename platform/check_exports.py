#!/usr/bin/env python3
"""Tells whether DLLs export the plain names they are looked up by.

    python3 platform/check_exports.py --looked-up LIST DLL...

A 32-bit compiler decorates the name of a stdcall function with its argument bytes
(KeyWitnessProc@12), of a fastcall one also with a leading @, and of a C++ function with its
types (_Z...), unless the DLL is linked to export plain names; GetProcAddress with the plain name
then finds nothing. A 64-bit compiler decorates none of these, so a DLL can work in a 64-bit
build and fail only in the 32-bit one. This reads the export names of each DLL, 32- or 64-bit,
and prints one line per finding, then "N wrong in M DLLs":
- an export whose name is decorated: it ends in @ and a number, or begins with _ or @;
- a name that LIST says is looked up in a DLL, which that DLL does not export;
- a DLL that LIST names, which is not among the DLLs given.
LIST holds a line per DLL: its file name, a colon and the names looked up in it; # starts a
comment. Exit status: 0 when N is 0, 1 when it is not, 2 when LIST or a DLL cannot be read.
"""

import argparse
import os
import re
import sys

from pe_exports import export_names
from pe_image import BadImage, PeImage

DECORATED = re.compile(r"@\d+$|^[_@]")


class BadList(Exception):
    """The list of looked-up names cannot be read."""


def looked_up_names(path):
    """{DLL file name in lower case: [names looked up in it]}."""
    looked_up = {}
    with open(path, encoding="utf-8") as file:
        for number, line in enumerate(file, 1):
            line = line.split("#", 1)[0].strip()
            if not line:
                continue
            dll, colon, names = line.partition(":")
            if not colon or not dll.strip() or not names.split():
                raise BadList(f"line {number} is not 'DLL: NAME...'")
            looked_up[dll.strip().lower()] = names.split()
    return looked_up


def findings(dll, names, looked_up):
    exported = set(names)
    found = [f"{dll}: {name}: decorated, so a lookup by its plain name finds nothing"
             for name in names if DECORATED.search(name)]
    found += [f"{dll}: {name}: looked up by name, but not exported"
              for name in looked_up if name not in exported]
    return found


def main(argv):
    parser = argparse.ArgumentParser(description="Tells whether DLLs export the plain names they are looked up by.")
    parser.add_argument("--looked-up", required=True, metavar="LIST", help="the names looked up in each DLL")
    parser.add_argument("dlls", nargs="+", metavar="DLL")
    args = parser.parse_args(argv)
    path = args.looked_up
    try:
        looked_up = looked_up_names(path)
        found = []
        for path in args.dlls:
            with open(path, "rb") as file:
                names = export_names(PeImage(file.read()))
            dll = os.path.basename(path)
            found += findings(dll, names, looked_up.pop(dll.lower(), []))
    except OSError as error:
        print(f"check_exports: {path}: {error.strerror}", file=sys.stderr)
        return 2
    except (BadImage, BadList, UnicodeDecodeError) as error:
        print(f"check_exports: {path}: {error}", file=sys.stderr)
        return 2
    found += [f"{dll}: named in {args.looked_up}, but not among the DLLs checked" for dll in looked_up]
    for line in found:
        print(line)
    print(f"{len(found)} wrong in {len(args.dlls)} DLLs")
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
