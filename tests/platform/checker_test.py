#!/usr/bin/env python3
"""Tests of platform/check_imports.py.

    checker_test.py verdicts CHECKER PROGRAM WORK_DIR COMPILER DLLTOOL
    checker_test.py bad-input CHECKER PROGRAM WORK_DIR

verdicts: small programs, made here, that each import one function some systems lack, fail on
exactly those systems; a manifest element XP does not know fails on XP only.
bad-input: damaged copies of PROGRAM are refused with one line and exit status 2.
"""

import os
import struct
import subprocess
import sys

TARGETS = ("win98se", "winme", "win2000", "winxp-rtm", "winxp")

# call; None, or its export (stdcall name) when imported through a delay-load library; the
# targets that lack the function
PROGRAMS = (
    ("GetTickCount64()", None, TARGETS),
    ("SetDllDirectoryA(0)", "SetDllDirectoryA@4", ("win98se", "winme", "win2000", "winxp-rtm")),
    ("GetModuleFileNameW(0, 0, 0)", None, ("win98se", "winme")),
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


def make_program(call, delay_loaded_export, work, compiler, dlltool):
    name = call.partition("(")[0]
    source = os.path.join(work, name + ".c")
    exe = os.path.join(work, name + ".exe")
    with open(source, "w") as file:
        file.write(PROGRAM_SOURCE % call)
    libraries = ["-lkernel32"]
    if delay_loaded_export:
        definition = os.path.join(work, name + ".def")
        library = os.path.join(work, "lib" + name + ".a")
        with open(definition, "w") as file:
            file.write(f"LIBRARY KERNEL32.dll\nEXPORTS\n{delay_loaded_export}\n")
        subprocess.run([dlltool, "-d", definition, "-y", library], check=True)
        libraries = [library]
    subprocess.run([compiler, "-D_WIN32_WINNT=0x0600", "-Os", "-nostdlib", "-Wl,-e,_start@0",
                    "-o", exe, source] + libraries, check=True)
    return name, exe


def verdicts(checker, program, work, compiler, dlltool):
    for call, delay_loaded_export, lacking in PROGRAMS:
        name, exe = make_program(call, delay_loaded_export, work, compiler, dlltool)
        for target in TARGETS:
            status, out, _ = run_checker(checker, exe, target)
            if target in lacking:
                expect(status == 1 and len(out) == 2 and name in out[0] and out[1] == f"1 missing on {target}",
                       f"{name} on {target}: expected one finding, got {status} {out}")
            else:
                expect(status == 0 and out == [f"0 missing on {target}"],
                       f"{name} on {target}: expected no finding, got {status} {out}")

    # The program's <application> moved into the assembly namespace, where XP does not know it.
    with open(program, "rb") as file:
        data = file.read()
    exe = os.path.join(work, "application-in-asm-v1.exe")
    write(exe, replace_once(data, b'<application xmlns="urn:schemas-microsoft-com:asm.v3"',
                                  b'<application xmlns="urn:schemas-microsoft-com:asm.v1"'))
    for target in TARGETS:
        _, out, _ = run_checker(checker, exe, target)
        refused = any(line.startswith("manifest 1: <application>") for line in out)
        expect(refused == target.startswith("winxp"),
               f"<application> in asm.v1 on {target}: {'not ' if not refused else ''}refused: {out}")


def bad_input(checker, program, work):
    with open(program, "rb") as file:
        data = file.read()
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    optional = pe + 24
    import_directory = optional + 96 + 8
    idata_names = data.rindex(b"KERNEL32.dll\0")
    cases = (
        ("not-pe.exe", b"This is not a program.\r\n", "not a PE file"),
        ("pe32-plus.exe", patch(data, optional, struct.pack("<H", 0x20B)), "64-bit"),
        ("truncated.exe", data[:optional + 40], "truncated"),
        ("imports-outside.exe", patch(data, import_directory, struct.pack("<I", 0x7FFF0000)), "outside the file"),
        ("name-without-nul.exe", data[:idata_names] + b"A" * (len(data) - idata_names), "no terminating NUL"),
        ("manifest-not-xml.exe", replace_once(data, b"<?xml", b"{?xml"), "not XML"),
    )
    for name, content, reason in cases:
        exe = os.path.join(work, name)
        write(exe, content)
        status, out, err = run_checker(checker, exe, "winxp")
        expect(status == 2 and out == [] and len(err) == 1 and err[0].startswith("check_imports: ")
               and reason in err[0], f"{name}: expected one line saying '{reason}', got {status} {out} {err}")


def patch(data, offset, replacement):
    return data[:offset] + replacement + data[offset + len(replacement):]


def replace_once(data, old, new):
    if data.count(old) != 1:
        sys.exit(f"expected {old!r} once in the program")
    return data.replace(old, new)


def write(path, content):
    with open(path, "wb") as file:
        file.write(content)


def main(mode, checker, program, work, *tools):
    os.makedirs(work, exist_ok=True)
    if mode == "verdicts":
        verdicts(checker, program, work, *tools)
    else:
        bad_input(checker, program, work)
    for failure in failures:
        print(failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:]))
