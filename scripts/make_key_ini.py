#!/usr/bin/env python3
"""Writes the key-name file KEY.ini from data/key_names.tsv.

usage: make_key_ini.py <key_names.tsv> <KEY.ini> [<KEY.ini> ...]

Sections: [selected] language=0, [language list] 0..2 naming the three
language sections. Each Chinese section is written in the code page its
users' systems read profile files in (GBK, Big5); the rest is ASCII.
"""
import pathlib
import sys

LANGUAGES = (("English", "ascii"), ("ChineseSimplified", "gbk"), ("ChineseTraditional", "big5"))


def read_names(source):
    rows = []
    for line_number, line in enumerate(source.read_text(encoding="utf-8").splitlines(), 1):
        if not line.strip() or line.startswith("#"):
            continue
        fields = line.split("\t")
        if len(fields) != 4:
            sys.exit(f"{source}:{line_number}: expected 4 fields, found {len(fields)}")
        rows.append(fields)
    return rows


def key_ini(rows):
    out = bytearray()
    out += b"[selected]\r\nlanguage=0\r\n\r\n[language list]\r\n"
    for index, (name, _) in enumerate(LANGUAGES):
        out += f"{index}={name}\r\n".encode("ascii")
    return bytes(out + language_sections(rows, LANGUAGES))


def language_sections(rows, languages):
    """One section per (name, code page) of `languages`: the key of each row
    with the row's text in that language's column, the English one when empty."""
    out = bytearray()
    for column, (name, encoding) in enumerate(languages, 1):
        out += f"\r\n[{name}]\r\n".encode("ascii")
        for fields in rows:
            text = fields[column] or fields[1]
            out += fields[0].encode("ascii") + b"=" + text.encode(encoding) + b"\r\n"
    return bytes(out)


def main():
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    content = key_ini(read_names(pathlib.Path(sys.argv[1])))
    for target in sys.argv[2:]:
        path = pathlib.Path(target)
        path.parent.mkdir(parents=True, exist_ok=True)
        path.write_bytes(content)


if __name__ == "__main__":
    main()
