#!/usr/bin/env python3
"""Tests of platform/check_imports.py and platform/check_exports.py.

    checker_test.py verdicts CHECKER PROGRAM WORK_DIR COMPILER DLLTOOL
    checker_test.py bad-input CHECKER PROGRAM WORK_DIR
    checker_test.py exports EXPORT_CHECKER WORK_DIR COMPILER
    checker_test.py instructions INSTRUCTION_CHECKER WORK_DIR COMPILER OBJDUMP

verdicts: small programs, made here, that each import one function some systems lack, fail on
exactly those systems; so do copies of PROGRAM with a newer subsystem version or a manifest
element XP does not know.
bad-input: damaged copies of PROGRAM are refused with one line and exit status 2.
exports: a DLL made here with a stdcall, a fastcall and a plain export is judged as linked by
default (two decorated names, a looked-up name missing) and with plain names (nothing wrong);
damaged copies of it are refused with one line and exit status 2.
instructions: a program made here with instructions of the 486 and of later processors is
judged to hold exactly the later ones, each at its address.
"""

import os
import struct
import subprocess
import sys

TARGETS = ("win98se", "winme", "win2000", "winxp-rtm", "winxp")
BEFORE_XP = ("win98se", "winme", "win2000")

# A program that makes one call: the call; the import library it is linked with (None:
# kernel32's own; else the export line of a .def file and dlltool's option for an import (-l)
# or a delay-load (-y) library); what the finding names; the targets it is found on.
PROGRAMS = (
    ("GetTickCount64()", None, "GetTickCount64", TARGETS),
    ("SetDllDirectoryA(0)", ("SetDllDirectoryA@4", "-y"), "SetDllDirectoryA (delay-loaded)",
     BEFORE_XP + ("winxp-rtm",)),
    ("GetModuleFileNameW(0, 0, 0)", None, "GetModuleFileNameW", ("win98se", "winme")),
    ("GetTickCount()", ("GetTickCount@0 @1 NONAME", "-l"), "ordinal 1", TARGETS),
)
PROGRAM_SOURCE = """#include <windows.h>
void __stdcall start(void) { %s; }
void *__stdcall __delayLoadHelper2(void *descriptor, void *slot) { return 0; }
"""

failures = []


def run_checker(checker, exe, target):
    result = subprocess.run([sys.executable, checker, exe, "--target", target],
                            capture_output=True, text=True)
    return result.returncode, result.stdout.splitlines(), result.stderr.splitlines()


def expect(condition, what):
    if not condition:
        failures.append(what)


def make_program(call, library, work, compiler, dlltool):
    name = call.partition("(")[0]
    source = os.path.join(work, name + ".c")
    exe = os.path.join(work, name + ".exe")
    with open(source, "w") as file:
        file.write(PROGRAM_SOURCE % call)
    libraries = ["-lkernel32"]
    if library:
        export, kind = library
        definition = os.path.join(work, name + ".def")
        libraries = [os.path.join(work, "lib" + name + ".a")]
        with open(definition, "w") as file:
            file.write(f"LIBRARY KERNEL32.dll\nEXPORTS\n{export}\n")
        subprocess.run([dlltool, "-d", definition, kind] + libraries, check=True)
    subprocess.run([compiler, "-D_WIN32_WINNT=0x0600", "-Os", "-nostdlib", "-Wl,-e,_start@0",
                    "-o", exe, source] + libraries, check=True)
    return exe


def verdicts(checker, program, work, compiler, dlltool):
    for call, library, finding, lacking in PROGRAMS:
        exe = make_program(call, library, work, compiler, dlltool)
        for target in TARGETS:
            status, out, _ = run_checker(checker, exe, target)
            if target in lacking:
                expect(status == 1 and len(out) == 2 and finding in out[0] and out[1] == f"1 missing on {target}",
                       f"{call} on {target}: expected one finding, got {status} {out}")
            else:
                expect(status == 0 and out == [f"0 missing on {target}"],
                       f"{call} on {target}: expected no finding, got {status} {out}")

    # The shipped program changed in one place; the finding it must then get, and where.
    with open(program, "rb") as file:
        data = file.read()
    optional = optional_header(data)
    changed = (
        ("subsystem-5.1.exe", patch(data, optional + 48, struct.pack("<HH", 5, 1)),
         "header: subsystem version 5.1", BEFORE_XP),
        ("application-in-asm-v1.exe", replace_once(data, b'<application xmlns="urn:schemas-microsoft-com:asm.v3"',
                                                   b'<application xmlns="urn:schemas-microsoft-com:asm.v1"'),
         "manifest 1: <application>", ("winxp-rtm", "winxp")),
    )
    for name, content, finding, refused_on in changed:
        exe = os.path.join(work, name)
        write(exe, content)
        for target in TARGETS:
            _, out, _ = run_checker(checker, exe, target)
            refused = any(line.startswith(finding) for line in out)
            expect(refused == (target in refused_on), f"{name} on {target}: {out}")


def bad_input(checker, program, work):
    with open(program, "rb") as file:
        data = file.read()
    optional = optional_header(data)
    import_directory = optional + 96 + 8
    idata_names = data.rindex(b"KERNEL32.dll\0")
    cases = (
        ("not-pe.exe", b"This is not a program.\r\n", "not a PE file"),
        ("pe32-plus.exe", patch(data, optional, struct.pack("<H", 0x20B)), "64-bit"),
        ("truncated.exe", data[:optional + 40], "truncated"),
        ("imports-outside.exe", patch(data, import_directory, struct.pack("<I", 0x7FFF0000)), "outside the file"),
        # The name's section ends before the file's last byte, which is a NUL.
        ("name-without-nul.exe", data[:idata_names] + b"A" * (len(data) - idata_names - 1) + b"\0",
         "no terminating NUL"),
        ("manifest-not-xml.exe", replace_once(data, b"<?xml", b"{?xml"), "not XML"),
    )
    for name, content, reason in cases:
        exe = os.path.join(work, name)
        write(exe, content)
        status, out, err = run_checker(checker, exe, "winxp")
        expect(status == 2 and out == [] and len(err) == 1 and err[0].startswith("check_imports: ")
               and reason in err[0], f"{name}: expected one line saying '{reason}', got {status} {out} {err}")


EXPORTING_DLL_SOURCE = """__declspec(dllexport) int __stdcall Stdcall(int a) { return a; }
__declspec(dllexport) int __fastcall Fastcall(int a, int b) { return a + b; }
__declspec(dllexport) int Plain(void) { return 0; }
int __stdcall Entry(void *module, unsigned reason, void *reserved) { return 1; }
"""


def exports(checker, work, compiler):
    source = os.path.join(work, "exporting.c")
    write(source, EXPORTING_DLL_SOURCE.encode())
    looked_up = os.path.join(work, "looked-up.txt")
    write(looked_up, b"# what the tests would look up\nexporting.dll: Stdcall Fastcall Plain\nabsent.dll: Any\n")
    for kind, options, expected in (
            ("decorated", [], ["exporting.dll: @Fastcall@8: decorated", "exporting.dll: Stdcall@4: decorated",
                               "exporting.dll: Stdcall: looked up by name, but not exported",
                               "exporting.dll: Fastcall: looked up by name, but not exported"]),
            ("plain", ["-Wl,--kill-at"], [])):
        dll = os.path.join(work, kind, "exporting.dll")
        os.makedirs(os.path.dirname(dll), exist_ok=True)
        subprocess.run([compiler, "-shared", "-nostdlib", "-Wl,-e,_Entry@12", "-o", dll, source] + options,
                       check=True)
        status, out, err = run_exports_checker(checker, looked_up, dll)
        expected = expected + [f"absent.dll: named in {looked_up}, but not among the DLLs checked",
                               f"{len(expected) + 1} wrong in 1 DLLs"]
        expect(status == 1 and err == [] and len(out) == len(expected)
               and all(line.startswith(start) for line, start in zip(out, expected)),
               f"{kind}: expected lines starting {expected}, got {status} {out} {err}")

    with open(os.path.join(work, "decorated", "exporting.dll"), "rb") as file:
        data = file.read()
    export_directory = optional_header(data) + 96
    export_rva = struct.unpack_from("<I", data, export_directory)[0]
    cases = (
        ("exports-outside.dll", patch(data, export_directory, struct.pack("<I", 0x7FFF0000)), "outside the file"),
        ("names-past-the-end.dll", patch_at_rva(data, export_rva + 24, struct.pack("<I", 0x10000000)),
         "runs past the end"),
        ("not-pe.dll", b"MZ but nothing more", "truncated"),
    )
    for name, content, reason in cases:
        dll = os.path.join(work, name)
        write(dll, content)
        status, out, err = run_exports_checker(checker, looked_up, dll)
        expect(status == 2 and out == [] and len(err) == 1 and err[0].startswith("check_exports: ")
               and reason in err[0], f"{name}: expected one line saying '{reason}', got {status} {out} {err}")


# Instructions of a 486 (the first two lines) and of later processors, one each of the kinds the
# instruction checker knows.
NEWER_THAN_486_SOURCE = """void __stdcall start(void) {
    __asm__ volatile("bswap %eax; xadd %eax, %ebx; cmpxchg %ecx, %edx; fcomp %st(1); fucompp; fsqrt");
    __asm__ volatile("invd; nop; lock incl (%esi); rep movsb; ud2");
    __asm__ volatile("fcomi %st(1); cmovne %eax, %ebx; fcmovb %st(1), %st; fucomip %st(1), %st; nopl 0(%eax)");
    __asm__ volatile("rdtsc; rdpmc; cpuid; lock cmpxchg8b (%esi); sysenter; sfence; movnti %eax, (%edi)");
    __asm__ volatile("movd %eax, %mm0; emms; addps %xmm1, %xmm0; prefetchnta (%esi); fxsave (%esi)");
}
"""
NEWER_THAN_486 = ("fcomi", "cmovne", "fcmovb", "fucomip", "nopl", "rdtsc", "rdpmc", "cpuid", "cmpxchg8b",
                  "sysenter", "sfence", "movnti", "movd", "emms", "addps", "prefetchnta", "fxsave")


def instructions(checker, work, compiler, objdump):
    source, exe = os.path.join(work, "newer.c"), os.path.join(work, "newer.exe")
    write(source, NEWER_THAN_486_SOURCE.encode())
    subprocess.run([compiler, "-nostdlib", "-Wl,-e,_start@0", "-o", exe, source], check=True)
    listing = subprocess.run([objdump, "-d", "--no-show-raw-insn", exe], capture_output=True, text=True,
                             check=True).stdout
    addresses = {}  # of each mnemonic, as objdump lists it
    for line in listing.splitlines():
        address, _, instruction = line.strip().partition(":\t")
        words = instruction.replace("lock ", "").split()
        if words and words[0] in NEWER_THAN_486:
            addresses.setdefault(words[0], address.rjust(8, "0"))
    result = subprocess.run([sys.executable, checker, exe, "--objdump", objdump], capture_output=True, text=True)
    out = result.stdout.splitlines()
    expected = [f"{addresses.get(name, '?')}: {name}" for name in NEWER_THAN_486]
    expect(result.returncode == 1 and len(out) == len(expected) + 1
           and all(line.startswith(start) for line, start in zip(out, expected))
           and out[-1] == f"{len(expected)} instructions newer than the 486",
           f"expected lines starting {expected}, got {result.returncode} {out} {result.stderr}")


def run_exports_checker(checker, looked_up, dll):
    result = subprocess.run([sys.executable, checker, "--looked-up", looked_up, dll], capture_output=True, text=True)
    return result.returncode, result.stdout.splitlines(), result.stderr.splitlines()


def patch_at_rva(data, rva, replacement):
    """The image with bytes replaced at an address of one of its sections."""
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    sections, optional_size = struct.unpack_from("<H", data, pe + 6)[0], struct.unpack_from("<H", data, pe + 20)[0]
    for i in range(sections):
        size, address, _, offset = struct.unpack_from("<IIII", data, pe + 24 + optional_size + 40 * i + 8)
        if address <= rva < address + size:
            return patch(data, offset + rva - address, replacement)
    sys.exit(f"no section holds RVA {rva:#x}")


def optional_header(data):
    return struct.unpack_from("<I", data, 0x3C)[0] + 24


def patch(data, offset, replacement):
    return data[:offset] + replacement + data[offset + len(replacement):]


def replace_once(data, old, new):
    if data.count(old) != 1:
        sys.exit(f"expected {old!r} once in the program")
    return data.replace(old, new)


def write(path, content):
    with open(path, "wb") as file:
        file.write(content)


def main(mode, checker, *arguments):
    modes = {"verdicts": verdicts, "bad-input": bad_input, "exports": exports, "instructions": instructions}
    work = arguments[1] if mode in ("verdicts", "bad-input") else arguments[0]
    os.makedirs(work, exist_ok=True)
    modes[mode](checker, *arguments)
    for failure in failures:
        print(failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:]))
