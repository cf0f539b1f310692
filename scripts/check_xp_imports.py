#!/usr/bin/env python3
"""Checks that every shipped 32-bit program and DLL can be loaded on Windows XP.

Usage: check_xp_imports.py <i686 build tree> <folder of the XP export lists>

Reads the import tables of every program and DLL the shipped (i686) build
makes (objdump -p) and looks every
imported function up in the export list of its system DLL (one file per DLL,
"<dll name in lower case>.txt", one function name a line). Imports of the
package's own DLLs, by name or by ordinal, are looked up in what those DLLs
export. Prints every import the loader of Windows XP would refuse and the
number of imports checked; exits 1 when any is refused or a binary is missing.
"""
import pathlib
import re
import subprocess
import sys

OBJDUMP = "i686-w64-mingw32-objdump"
ORDINAL_FLAG = 0x80000000
IMPORT_LINE = re.compile(r"^\s+([0-9a-fA-F]+)\s+(\d+)\s+(\S+)")
EXPORT_ADDRESS_LINE = re.compile(r"^\s+\[\s*\d+\]\s+\+base\[\s*(\d+)\]")
EXPORT_NAME_LINE = re.compile(r"^\s+\[\s*\d+\]\s+(\S+)\s*$")


def built_binaries(tree):
    """The programs and DLLs the build makes now, not whatever an older configuration left."""
    targets = subprocess.run(["ninja", "-C", str(tree), "-t", "targets", "all"], check=True, capture_output=True,
                             text=True).stdout
    found = []
    for line in targets.splitlines():
        output, _, rule = line.partition(": ")
        if rule != "phony" and output.lower().endswith((".exe", ".dll")):
            found.append(output)
    return found


def objdump(path):
    return subprocess.run([OBJDUMP, "-p", str(path)], check=True, capture_output=True, text=True).stdout


def imports_of(dump):
    """(dll in lower case, function name or None, ordinal or None) of every import."""
    result = []
    dll = None
    for line in dump.splitlines():
        if "DLL Name:" in line:
            dll = line.split("DLL Name:", 1)[1].strip().lower()
            continue
        if dll is None:
            continue
        if not line.strip():
            dll = None
            continue
        match = IMPORT_LINE.match(line)
        if not match:
            continue
        entry = int(match.group(1), 16)
        if entry & ORDINAL_FLAG:
            result.append((dll, None, int(match.group(2))))
        else:
            result.append((dll, match.group(3), None))
    return result


def exports_of(dump):
    """(names, ordinals) a DLL exports."""
    names, ordinals = set(), set()
    section = None
    for line in dump.splitlines():
        if line.startswith("Export Address Table"):
            section = "addresses"
        elif line.startswith("[Ordinal/Name Pointer] Table"):
            section = "names"
        elif not line.strip():
            section = None
        elif section == "addresses":
            match = EXPORT_ADDRESS_LINE.match(line)
            if match:
                ordinals.add(int(match.group(1)))
        elif section == "names":
            match = EXPORT_NAME_LINE.match(line)
            if match:
                names.add(match.group(1))
    return names, ordinals


def system_exports(folder, dll):
    listing = folder / (dll[:-4] + ".txt" if dll.endswith(".dll") else dll + ".txt")
    if not listing.is_file():
        return None
    return {line.strip() for line in listing.read_text().splitlines() if line.strip()}


def main(argv):
    if len(argv) != 3:
        print(__doc__.strip().splitlines()[2], file=sys.stderr)
        return 2
    tree, lists_dir = pathlib.Path(argv[1]), pathlib.Path(argv[2])
    if not lists_dir.is_dir():
        print(f"xp imports: no export lists in {lists_dir}")
        return 1
    binaries = built_binaries(tree)
    if not binaries:
        print(f"xp imports: no programs or DLLs in {tree}")
        return 1

    refused = []
    dumps = {}
    for name in binaries:
        path = tree / name
        if not path.is_file():
            refused.append(f"{name}: was not built")
            continue
        dumps[name] = objdump(path)
    private = {pathlib.PurePosixPath(name).name.lower(): exports_of(dump)
               for name, dump in dumps.items() if name.lower().endswith(".dll")}

    system_lists = {}
    checked = 0
    for name, dump in dumps.items():
        for dll, function, ordinal in imports_of(dump):
            checked += 1
            wanted = function if function is not None else f"ordinal {ordinal}"
            if dll in private:
                names, ordinals = private[dll]
                if (function in names) if function is not None else (ordinal in ordinals):
                    continue
                refused.append(f"{name}: {dll} {wanted} is not exported by the package's {dll}")
                continue
            if dll not in system_lists:
                system_lists[dll] = system_exports(lists_dir, dll)
            exports = system_lists[dll]
            if exports is None:
                refused.append(f"{name}: {dll} {wanted}: {dll} is not known on Windows XP")
            elif function is None:
                refused.append(f"{name}: {dll} {wanted}: system functions are checked by name, import it by name")
            elif function not in exports:
                refused.append(f"{name}: {dll} {function} is not exported on Windows XP")

    for line in refused:
        print(f"xp imports: {line}")
    verdict = "all present on Windows XP" if not refused else f"{len(refused)} refused"
    print(f"xp imports: {checked} imports of {len(dumps)} shipped programs and DLLs checked, {verdict}")
    return 1 if refused else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
