#!/usr/bin/env python3
"""The tables of /csv as a script reads them, with Python's csv module:
- /csv on standard output: a header and one row of 12 fields;
- /csv PATH from 24 programs started at once, into one new file that another writer holds
  until they are all waiting for it: all end with 0, and the file is a header and 24 whole rows
  of 12 fields; then one more run adds one row and leaves every earlier byte as it was.
It prints how long one run takes alone, and how long after the file was let go each of the 24
had added its row.

    table_read_back.py WINE_EXEC PROGRAM HOLD_FILE FOLDER
"""

import csv
import io
import os
import re
import shutil
import statistics
import subprocess
import sys
import time

HEADER = ["Computer", "Catalyst Version", "Control Panel Version", "ati2dvag.dll", "ati3d1ag.dll", "ati3d2ag.dll",
          "atioglxx.dll", "ati3duag.dll", "atippaxx.dll", "atipdsxx.dll", "atipuixx.dll", "Checked (UTC)"]
VERDICTS = ["Unknown Version / Beta Version", "Unknown Version / Beta version"]
TIME = re.compile(r"\d{4}-\d\d-\d\d \d\d:\d\d:\d\d")
WRITERS = 24
# Long enough for all of them to start and find the file busy.
HOLD_MS = 4000


def rows_of(data):
    # The bytes are in the ANSI code page, which for the test prefix is Windows-1252, after the mark of a new table.
    return list(csv.reader(io.StringIO(data.removeprefix(b"\xef\xbb\xbf").decode("cp1252"), newline="")))


def row_failures(rows, count):
    if [len(row) for row in rows] != [12] * (count + 1):
        return [f"expected a header and {count} rows of 12 fields, read {[len(row) for row in rows]}"]
    failures = [f"header {rows[0]}"] if rows[0] != HEADER else []
    failures += [f"row {row}" for row in rows[1:]
                 if not row[0] or row[1:3] != VERDICTS or any(row[3:11]) or not TIME.fullmatch(row[11])]
    return failures


def main(wine_exec, program, hold_file, folder):
    failures = []
    result = subprocess.run([wine_exec, program, "/csv"], stdout=subprocess.PIPE, stdin=subprocess.DEVNULL,
                            timeout=60)
    if result.returncode != 0:
        failures.append(f"/csv: exit code {result.returncode}")
    failures += [f"/csv: {failure}" for failure in row_failures(rows_of(result.stdout), 1)]

    # The table in a folder whose name has a blank, as a Windows path through Wine's drive Z:.
    shutil.rmtree(folder, ignore_errors=True)
    os.makedirs(folder)
    table = os.path.join(folder, "survey.csv")
    windows_table = "Z:" + table.replace("/", "\\")
    try:
        start = time.monotonic()
        subprocess.run([wine_exec, program, "/csv", windows_table], stdin=subprocess.DEVNULL, timeout=60)
        alone_seconds = time.monotonic() - start
        os.remove(table)

        # The writers start while the file is held, and find it free together a few seconds on.
        holder = subprocess.Popen([wine_exec, hold_file, windows_table, str(HOLD_MS)], stdout=subprocess.PIPE,
                                  stdin=subprocess.DEVNULL, text=True)
        if holder.stdout.readline().strip() != "held":
            raise RuntimeError("hold-file could not hold the table")
        writers = [subprocess.Popen([wine_exec, program, "/csv", windows_table], stdout=subprocess.PIPE,
                                    stdin=subprocess.DEVNULL) for _ in range(WRITERS)]
        holder.stdout.readline()
        released = time.monotonic()
        holder.wait(timeout=60)
        ended = {}
        while len(ended) < WRITERS and time.monotonic() - released < 120:
            for index, writer in enumerate(writers):
                if index not in ended and writer.poll() is not None:
                    ended[index] = time.monotonic() - released
            time.sleep(0.01)
        for writer in writers:
            output, _ = writer.communicate(timeout=60)
            if writer.returncode != 0 or output:
                failures.append(f"a writer ended with {writer.returncode} and wrote {output!r}")
        with open(table, "rb") as file:
            written = file.read()
        failures += [f"{WRITERS} writers: {failure}" for failure in row_failures(rows_of(written), WRITERS)]
        if written.count(b"\r\n") != WRITERS + 1 or not written.endswith(b"\r\n"):
            failures.append(f"{WRITERS} writers: lines are not one header and {WRITERS} rows, each ending in CR LF")

        again = subprocess.run([wine_exec, program, "/csv", windows_table], stdin=subprocess.DEVNULL, timeout=60)
        with open(table, "rb") as file:
            after = file.read()
        if again.returncode != 0 or not after.startswith(written):
            failures.append(f"one more run: exit code {again.returncode}, earlier bytes kept: {after.startswith(written)}")
        failures += [f"one more run: {failure}" for failure in row_failures(rows_of(after), WRITERS + 1)]
        waits = sorted(ended.values())
        print(f"one run alone: {alone_seconds:.2f} s; {WRITERS} writers held for {HOLD_MS} ms, then their rows in "
              f"after a median of {statistics.median(waits):.2f} s, the last after {waits[-1]:.2f} s")
    finally:
        shutil.rmtree(folder, ignore_errors=True)
    for failure in failures:
        print(failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:]))
