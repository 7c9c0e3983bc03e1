#!/usr/bin/env python3
"""Rewrites a zip so that its bytes depend on its files' names and contents only.

Entries in name order, every time SOURCE_DATE_EPOCH (UTC), Unix modes 755 for
folders and .exe files and 644 for the rest, no owner and no extra fields.
Usage: normalize-zip.py ZIP   (ZIP.sha256 beside it is rewritten too)
"""
import hashlib
import os
import sys
import time
import zipfile


def main(path):
    epoch = int(os.environ.get("SOURCE_DATE_EPOCH", "315532800"))
    # A zip cannot hold a time before 1980.
    stamp = time.gmtime(max(epoch, 315532800))[:6]
    with zipfile.ZipFile(path) as old:
        entries = [(i.filename, old.read(i)) for i in old.infolist()]
    entries.sort(key=lambda e: e[0])
    temp = path + ".tmp"
    with zipfile.ZipFile(temp, "w") as new:
        for name, data in entries:
            info = zipfile.ZipInfo(name, date_time=stamp)
            info.create_system = 3  # Unix, so the modes below count
            folder = name.endswith("/")
            mode = 0o40755 if folder else 0o100755 if name.endswith(".exe") else 0o100644
            info.external_attr = mode << 16 | (0x10 if folder else 0)
            info.compress_type = zipfile.ZIP_STORED if folder else zipfile.ZIP_DEFLATED
            new.writestr(info, data, compresslevel=9)
    os.replace(temp, path)
    with open(path, "rb") as f:
        digest = hashlib.sha256(f.read()).hexdigest()
    with open(path + ".sha256", "w") as f:
        f.write(f"{digest}  {os.path.basename(path)}\n")


if __name__ == "__main__":
    main(sys.argv[1])
