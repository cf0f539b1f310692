#!/usr/bin/env python3
"""Writes the installed data files of the package from their readable sources.

Tablet/StyloraInfo.ked  supported tablets, 160-byte records, from data/supported_tablets.tsv
Tablet/StyloraFind.ked  the device settings file, empty as installed
Tablet/qxpen.ked        the pen settings record with its defaults (1132 bytes)
"""
import pathlib
import struct
import sys

TABLETINFO_SIZE = 160
PENSETTINGS_SIZE = 1132
KEYACTION_SIZE = 516
ACTION_RIGHT_CLICK = 17
ACTION_DOUBLE_CLICK = 19


def number(text):
    return int(text, 0)


def tablet_info(fields):
    (_, vid, pid, pen_len, key_len, out_len, aspect_w, aspect_h,
     x_min, x_max, y_min, y_max, p_min, p_max, keys) = fields
    record = bytearray(TABLETINFO_SIZE)
    struct.pack_into("<HH", record, 0, number(vid), number(pid))
    struct.pack_into("<HH", record, 6, number(pen_len), number(key_len))
    struct.pack_into("<HHH", record, 14, number(out_len), number(aspect_w), number(aspect_h))
    struct.pack_into("<ii", record, 20, number(x_min), number(x_max))
    struct.pack_into("<ii", record, 36, number(y_min), number(y_max))
    struct.pack_into("<ii", record, 68, number(p_min), number(p_max))
    struct.pack_into("<i", record, 84, number(keys))
    return bytes(record)


def supported_tablets(source):
    records = []
    for line_number, line in enumerate(source.read_text().splitlines(), 1):
        if not line.strip() or line.startswith("#"):
            continue
        fields = line.split("\t")
        if len(fields) != 15:
            sys.exit(f"{source}:{line_number}: expected 15 fields, found {len(fields)}")
        records.append(tablet_info(fields))
    return b"".join(records)


def pen_defaults():
    record = bytearray(PENSETTINGS_SIZE)
    struct.pack_into("<h", record, 0, -1)
    struct.pack_into("<iiiiii", record, 8, 100, 43, 100, 1, 0, 0)
    struct.pack_into("<i", record, 100, ACTION_DOUBLE_CLICK)
    struct.pack_into("<i", record, 100 + KEYACTION_SIZE, ACTION_RIGHT_CLICK)
    return bytes(record)


def main():
    if len(sys.argv) != 3:
        sys.exit("usage: make_package_data.py <supported_tablets.tsv> <output folder>")
    source = pathlib.Path(sys.argv[1])
    tablet = pathlib.Path(sys.argv[2]) / "Tablet"
    tablet.mkdir(parents=True, exist_ok=True)
    (tablet / "StyloraInfo.ked").write_bytes(supported_tablets(source))
    (tablet / "StyloraFind.ked").write_bytes(b"")
    (tablet / "qxpen.ked").write_bytes(pen_defaults())


if __name__ == "__main__":
    main()
