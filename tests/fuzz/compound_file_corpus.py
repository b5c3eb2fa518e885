#!/usr/bin/env python3
"""Writes the seed corpus of the compound_file fuzz target: small compound files (512-byte
sectors) whose directories the workbook reader looks into.
  python3 tests/fuzz/compound_file_corpus.py tests/fuzz/corpus/compound_file"""
import struct
import sys
from pathlib import Path

SECTOR = 512
FREE, END, FAT_SECTOR = 0xFFFFFFFF, 0xFFFFFFFE, 0xFFFFFFFD


def header(fat_sectors, first_directory, difat, first_difat=END, difat_sectors=0):
    head = b"\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1" + bytes(16)
    head += struct.pack("<HHHHH", 0x3E, 3, 0xFFFE, 9, 6) + bytes(6)
    head += struct.pack("<IIIIIIIII", 0, fat_sectors, first_directory, 0, 4096, END, 0, first_difat, difat_sectors)
    head += struct.pack("<109I", *(difat + [FREE] * (109 - len(difat))))
    return head


def numbers(values):
    return struct.pack("<128I", *(values + [FREE] * (128 - len(values))))


def entry(name="", kind=0, start=END, size=0):
    encoded = (name + "\0").encode("utf-16-le") if name else b""
    data = encoded.ljust(64, b"\0") + struct.pack("<HBB", len(encoded), kind, 1)
    data += struct.pack("<III", FREE, FREE, 1 if kind == 5 else FREE) + bytes(36)
    return data + struct.pack("<IQ", start, size)


def directory(*entries):
    return b"".join(entries).ljust(SECTOR, b"\0")


def write(folder, name, sectors):
    (folder / name).write_bytes(b"".join(s.ljust(SECTOR, b"\0") for s in sectors))


def main(folder):
    folder = Path(folder)
    folder.mkdir(parents=True, exist_ok=True)
    root = entry("Root Entry", 5)
    # An older workbook whose directory chain comes back to its own sector.
    write(folder, "binary_workbook_looping_directory",
          [header(1, 1, [0]), numbers([FAT_SECTOR, 1, END]),
           directory(root, entry("Workbook", 2, 2, 512)), b"\x09\x08" + bytes(510)])
    # A password-protected workbook: its package's entry is in the directory's second sector.
    write(folder, "encrypted_workbook_two_directory_sectors",
          [header(1, 1, [0]), numbers([FAT_SECTOR, 2, END]),
           directory(root, entry("EncryptionInfo", 2, END, 0)),
           directory(entry("EncryptedPackage", 2, END, 0))])
    # The allocation table's sectors listed past the header's 109, in a chain of their own.
    write(folder, "allocation_table_chain",
          [header(110, 1, [0] * 109, 2, 1), numbers([FAT_SECTOR, END, 0xFFFFFFFC]),
           directory(root, entry("Workbook", 2, END, 0)), numbers([0] + [FREE] * 126 + [END])])


if __name__ == "__main__":
    main(sys.argv[1])
