#!/usr/bin/env python3
"""The README's logon-script lines, the lines of the `bat` blocks of its section "A survey of a
whole site", run with the program in \\\\server\\tools and an empty \\\\server\\reports (Wine keeps
\\\\server in the prefix, under dosdevices/unc):
- a line that starts with `start` as it stands, in a batch file that Wine's cmd runs;
- a line that starts the program from the share, which Wine's cmd cannot do, by Wine itself,
  with the line's arguments and its redirection to the share (%COMPUTERNAME% as cmd expands it).
Then the reports folder must hold the shared table with a row from each line that appends to it,
the machine's own table and the machine's report.

    readme_logon_lines.py WINE_EXEC PROGRAM PREFIX README
"""

import os
import re
import shutil
import subprocess
import sys
import time

from table_read_back import rows_of

SECTION = "### A survey of a whole site"


def logon_lines(readme):
    with open(readme, encoding="utf-8") as file:
        text = file.read()
    section = text[text.index(SECTION):]
    section = section[:section.index("\n## ")]
    return [line for block in re.findall(r"```bat\n(.*?)```", section, re.S) for line in block.splitlines()]


def table_rows(path):
    with open(path, "rb") as file:
        return rows_of(file.read())


def main(wine_exec, program, prefix, readme):
    lines = logon_lines(readme)
    appending = sum(1 for line in lines if re.search(r"/csv \\\\server\\reports\\survey\.csv$", line))
    unc = os.path.join(prefix, "dosdevices", "unc")
    made_unc = not os.path.isdir(unc)
    server = os.path.join(unc, "server")
    batch = os.path.join(prefix, "drive_c", "quillon-logon.bat")
    failures = []
    if appending < 2 or not any(line.startswith('start "" /b ') for line in lines):
        failures.append(f"the README's lines are not the ones this test knows: {lines}")
    try:
        os.makedirs(os.path.join(server, "tools"))
        os.makedirs(os.path.join(server, "reports"))
        shutil.copy(program, os.path.join(server, "tools", "Orvel-Quillon.exe"))
        computer = subprocess.run([wine_exec, "cmd", "/c", "echo %COMPUTERNAME%"], stdout=subprocess.PIPE,
                                  stdin=subprocess.DEVNULL, text=True, timeout=60).stdout.strip()
        for line in lines:
            if line.startswith("start "):
                with open(batch, "w", newline="\r\n") as file:
                    file.write("@echo off\n" + line + "\n")
                subprocess.run([wine_exec, "cmd", "/c", "C:\\quillon-logon.bat"], stdin=subprocess.DEVNULL,
                               timeout=60)
                continue
            command, _, output = line.replace("%COMPUTERNAME%", computer).partition(" > ")
            if output:
                output = os.path.join(unc, *output.lstrip("\\").split("\\"))
            with open(output or os.devnull, "wb") as file:
                subprocess.run([wine_exec, *command.split(" ")], stdout=file, stdin=subprocess.DEVNULL, timeout=60)
        reports = os.path.join(server, "reports")
        survey = os.path.join(reports, "survey.csv")
        # A line started with `start /b` ends in its own time.
        deadline = time.monotonic() + 60
        while time.monotonic() < deadline and (not os.path.exists(survey) or len(table_rows(survey)) < appending + 1):
            time.sleep(0.1)
        names = sorted(os.listdir(reports))
        rows = table_rows(survey) if os.path.exists(survey) else []
        if [len(row) for row in rows] != [12] * (appending + 1) or rows[0][-1] != "Checked (UTC)":
            failures.append(f"survey.csv: {rows}")
        computer = rows[1][0] if len(rows) > 1 else "?"
        if names != sorted(["survey.csv", computer + ".csv", computer + ".txt"]):
            failures.append(f"the reports folder holds {names}")
        else:
            own = table_rows(os.path.join(reports, computer + ".csv"))
            if len(own) != 2 or own[0] != rows[0] or own[1][0] != computer:
                failures.append(f"{computer}.csv: {own}")
            with open(os.path.join(reports, computer + ".txt"), "rb") as file:
                report = file.read()
            if not report.startswith(b"Orvel Quillon ") or b"\r\nCatalyst Version: " not in report:
                failures.append(f"{computer}.txt: {report!r}")
    finally:
        shutil.rmtree(unc if made_unc else server, ignore_errors=True)
        if os.path.exists(batch):
            os.remove(batch)
    for failure in failures:
        print(failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:]))
