#!/usr/bin/env python3
"""The table of /csv as a script reads it: Python's csv module finds a header and one row of 11
fields each, the header's names, and the row's computer name.

    table_read_back.py WINE_EXEC PROGRAM
"""

import csv
import io
import subprocess
import sys

HEADER = ["Computer", "Catalyst Version", "Control Panel Version", "ati2dvag.dll", "ati3d1ag.dll", "ati3d2ag.dll",
          "atioglxx.dll", "ati3duag.dll", "atippaxx.dll", "atipdsxx.dll", "atipuixx.dll"]


def main(wine_exec, program):
    result = subprocess.run([wine_exec, program, "/csv"], stdout=subprocess.PIPE, stdin=subprocess.DEVNULL,
                            timeout=60)
    # The bytes are in the ANSI code page, which for the test prefix is Windows-1252.
    rows = list(csv.reader(io.StringIO(result.stdout.decode("cp1252"), newline="")))
    failures = []
    if result.returncode != 0:
        failures.append(f"exit code {result.returncode}")
    if [len(row) for row in rows] != [11, 11]:
        failures.append(f"expected 2 rows of 11 fields, read {[len(row) for row in rows]}: {rows}")
    elif rows[0] != HEADER:
        failures.append(f"header {rows[0]}")
    elif not rows[1][0] or rows[1][1:3] != ["Unknown Version / Beta Version", "Unknown Version / Beta version"]:
        failures.append(f"row {rows[1]}")
    for failure in failures:
        print(failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:]))
