#!/usr/bin/env python3
"""How a program on the program's own runtime ends at a fault: a failed bounds or length check
of the standard library with exit code 4, out of memory with exit code 1, each at once (nothing
written after it) and without a crash; a normal run with 0.

    runtime_faults.py WINE_EXEC PROGRAM
"""

import subprocess
import sys

CASES = {"none": (0, "before\nafter\n"), "index": (4, "before\n"), "length": (4, "before\n"),
         "memory": (1, "before\n")}

wine_exec, program = sys.argv[1:3]
failures = []
for fault, expected in CASES.items():
    result = subprocess.run([wine_exec, program, fault], capture_output=True, text=True, timeout=60)
    if (result.returncode, result.stdout) != expected:
        failures.append(f"{fault}: expected {expected}, got {(result.returncode, result.stdout)}")
for line in failures:
    print(line)
print(f"{len(CASES) - len(failures)} passed, {len(failures)} failed")
sys.exit(1 if failures else 0)
