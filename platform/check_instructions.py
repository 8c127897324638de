#!/usr/bin/env python3
"""Tells whether a 32-bit Windows program runs on a 486, the oldest processor Windows 98 SE runs on.

    python3 platform/check_instructions.py EXE [--objdump OBJDUMP]

It disassembles the program's code sections with binutils' objdump (the cross compiler's own,
i686-w64-mingw32-objdump, unless another is named) and prints one line per instruction that a
486 lacks, with its address, then "N instructions newer than the 486". Exit status: 0 when N
is 0, 1 when it is not, 2 when the file cannot be read as a 32-bit program or objdump fails.

An instruction counts when it is one of:
- CMOVcc, FCMOVcc, FCOMI, FCOMIP, FUCOMI, FUCOMIP (Pentium Pro);
- the multi-byte NOP (0F 1F, "nopl"/"nopw" with an operand; Pentium Pro), which assemblers
  pad with for newer processors;
- RDTSC, RDTSCP, RDPMC, CMPXCHG8B, CMPXCHG16B, CPUID (the first 486DX has none);
- SYSENTER, SYSEXIT, SYSCALL, SYSRET;
- the SSE fences and prefetches, the non-temporal moves, the MXCSR and FXSAVE/XSAVE state;
- anything that names an MMX, SSE or AVX register (%mm, %xmm, %ymm, %zmm, %k), EMMS and the
  3DNow! instructions.
UD2 is left out: it is there to stop the program, and a 486 stops at it with the same fault.
"""

import argparse
import re
import subprocess
import sys

from pe_image import BadImage, IMAGE_FILE_MACHINE_I386, PeImage

# Mnemonics as objdump spells them in AT&T syntax, with any size suffix.
NEWER_MNEMONICS = re.compile(
    r"(cmov[a-z]+|fcmov[a-z]+|fu?comip?|fu?compi"
    r"|rdtscp?|rdpmc|cmpxchg(8|16)b|cpuid"
    r"|sysenter|sysexit[lq]?|syscall|sysret[lq]?"
    r"|[lms]fence|prefetch[a-z0-9]*|movnt[a-z]*|maskmov[a-z]*|clflush[a-z]*"
    r"|v?(ld|st)mxcsr|fx(save|rstor)[a-z0-9]*|xsave[a-z0-9]*|xrstor[a-z0-9]*|xgetbv"
    r"|emms|femms|pf[a-z0-9]+|pi2f[dw]|pf2i[dw]|pavgusb|pmulhrw|pswapd)")
LONG_NOP = re.compile(r"nop[wl]?")
SIMD_REGISTER = re.compile(r"%(mm[0-7]|[xyz]mm[0-9]+|k[0-7])\b")
# A line of objdump -d: "  401000:\tcmova  %edx,%eax" (with --no-show-raw-insn).
INSTRUCTION = re.compile(r"^\s*([0-9a-f]+):\t(\S+)\s*(.*)$")


def newer_instructions(listing):
    """The (address, text) of each instruction in `listing` that a 486 lacks."""
    found = []
    for line in listing.splitlines():
        match = INSTRUCTION.match(line)
        if not match:
            continue
        address, mnemonic, operands = match.groups()
        if mnemonic in ("rep", "repz", "repnz", "lock", "data16", "addr16", "cs", "ds", "es", "fs", "gs", "ss"):
            mnemonic, _, operands = operands.partition(" ")
        newer = (NEWER_MNEMONICS.fullmatch(mnemonic) or SIMD_REGISTER.search(operands)
                 or (LONG_NOP.fullmatch(mnemonic) and operands.strip() != ""))
        if newer:
            found.append((int(address, 16), f"{mnemonic} {operands}".strip()))
    return found


def main():
    parser = argparse.ArgumentParser(description="Lists the instructions of a 32-bit program that a 486 lacks.")
    parser.add_argument("exe")
    parser.add_argument("--objdump", default="i686-w64-mingw32-objdump")
    arguments = parser.parse_args()
    try:
        with open(arguments.exe, "rb") as file:
            image = PeImage(file.read())
        if image.is_64_bit or image.machine != IMAGE_FILE_MACHINE_I386:
            raise BadImage("not a 32-bit x86 program")
        listing = subprocess.run([arguments.objdump, "-d", "--no-show-raw-insn", arguments.exe],
                                 capture_output=True, text=True, check=True).stdout
    except (OSError, BadImage, subprocess.CalledProcessError) as error:
        print(f"check_instructions: {arguments.exe}: {error}", file=sys.stderr)
        return 2
    found = newer_instructions(listing)
    for address, text in found:
        print(f"{address:08x}: {text}")
    print(f"{len(found)} instructions newer than the 486")
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())
