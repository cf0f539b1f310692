#!/usr/bin/env python3
"""Writes the control panel's language file language.ini from
data/language_texts.tsv.

usage: make_language_ini.py <language_texts.tsv> <language.ini>

Sections: [language list] num=3 and 0..2 naming the language sections
"English", "Chinese Simple" and "Chinese trad", [selected] language=0, then
one section per language. Each Chinese section is written in the code page its
users' systems read profile files in (GBK, Big5); the rest is ASCII.
"""
import pathlib
import sys

from make_key_ini import language_sections, read_names

LANGUAGES = (("English", "ascii"), ("Chinese Simple", "gbk"), ("Chinese trad", "big5"))


def language_ini(rows):
    out = bytearray(b"[language list]\r\n")
    out += f"num={len(LANGUAGES)}\r\n".encode("ascii")
    for index, (name, _) in enumerate(LANGUAGES):
        out += f"{index}={name}\r\n".encode("ascii")
    out += b"\r\n[selected]\r\nlanguage=0\r\n"
    return bytes(out + language_sections(rows, LANGUAGES))


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    path = pathlib.Path(sys.argv[2])
    path.parent.mkdir(parents=True, exist_ok=True)
    path.write_bytes(language_ini(read_names(pathlib.Path(sys.argv[1]))))


if __name__ == "__main__":
    main()
