#!/usr/bin/env python3
"""Tells whether a program of the project carries anything of a C or C++ runtime, and whether
its header says what Windows should know of it.

    check_runtime_free.py EXE

It prints one line per finding, then "N found"; exit status 1 when N is not 0. A finding is:
- imported DLLs other than exactly KERNEL32, USER32, GDI32 and ADVAPI32;
- a section that only a runtime brings: unwind or exception tables (.eh_frame, .pdata, .xdata,
  .gcc_except_table), thread-local data (.tls), the C runtime's start-up tables (.CRT); or a
  TLS or exception directory in the header;
- a header without the terminal-server-aware flag.
"""

import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "platform"))
from pe_image import DIRECTORY_TLS, PeImage  # noqa: E402
from pe_imports import imports  # noqa: E402

SYSTEM_DLLS = {"kernel32", "user32", "gdi32", "advapi32"}
# Section names are cut to 8 bytes in the header.
RUNTIME_SECTIONS = {".eh_fram", ".pdata", ".xdata", ".gcc_exc", ".tls", ".CRT"}
DIRECTORY_EXCEPTION = 3
TERMINAL_SERVER_AWARE = 0x8000

with open(sys.argv[1], "rb") as file:
    image = PeImage(file.read())
found = []
dlls = {entry.dll.lower().removesuffix(".dll") for entry in imports(image)}
if dlls != SYSTEM_DLLS:
    found.append(f"imports {sorted(dlls)}, not exactly {sorted(SYSTEM_DLLS)}")
found += [f"section {section.name}" for section in image.sections if section.name in RUNTIME_SECTIONS]
found += [f"{name} directory" for name, index in (("TLS", DIRECTORY_TLS), ("exception", DIRECTORY_EXCEPTION))
          if image.directory(index)[0]]
if not image.dll_characteristics & TERMINAL_SERVER_AWARE:
    found.append("the header does not say the program is terminal-server aware")
for line in found:
    print(line)
print(f"{len(found)} found")
sys.exit(1 if found else 0)
