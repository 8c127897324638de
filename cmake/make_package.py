"""Writes the archive a user downloads and the SHA-256 sums published beside it.

    make_package.py TIME ARCHIVE PROGRAM README

ARCHIVE, a zip, holds PROGRAM and then README under their own names. Each entry carries TIME
(seconds since 1970, in UTC; the zip format starts in 1980), the same attributes wherever it is
built, and no extra fields: the same files make the same archive, whoever builds it, where and
when. Beside it go ARCHIVE.sha256, with the archive's sum, and SHA256SUMS, with the program's and
the archive's, both as `sha256sum -c` reads them.
"""
import hashlib
import os
import sys
import time
import zipfile

ZIP_FIRST_TIME = 315532800  # 1980-01-01 00:00 UTC


def sum_line(path):
    with open(path, 'rb') as f:
        return f'{hashlib.sha256(f.read()).hexdigest()}  {os.path.basename(path)}\n'


def main(seconds, archive, program, readme):
    stamp = time.gmtime(max(int(seconds), ZIP_FIRST_TIME))[:6]
    with zipfile.ZipFile(archive, 'w') as package:
        for path, mode in ((program, 0o755), (readme, 0o644)):
            entry = zipfile.ZipInfo(os.path.basename(path), stamp)
            entry.create_system = 3  # Unix, so that unzip gives the modes below
            entry.external_attr = (0o100000 | mode) << 16
            entry.compress_type = zipfile.ZIP_DEFLATED
            with open(path, 'rb') as f:
                package.writestr(entry, f.read(), compresslevel=9)
    with open(archive + '.sha256', 'w', newline='\n') as f:
        f.write(sum_line(archive))
    with open(os.path.join(os.path.dirname(archive), 'SHA256SUMS'), 'w', newline='\n') as f:
        f.write(sum_line(program) + sum_line(archive))


if __name__ == '__main__':
    if len(sys.argv) != 5:
        sys.exit(__doc__)
    main(*sys.argv[1:])
