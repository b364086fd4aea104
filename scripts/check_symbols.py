#!/usr/bin/env python3
"""Fails when two of the project's libraries define the same global symbol.

Such libraries cannot be linked into one program: the second definition is a
duplicate as soon as a program pulls in both objects. Symbols in COMDAT
sections (inline functions, template instances, vtables) may repeat; the linker
keeps one of them.
"""
import collections
import pathlib
import subprocess
import sys


def defined_symbols(archive, nm):
    out = subprocess.run([nm, "-g", "--defined-only", "-f", "sysv", str(archive)],
                         check=True, capture_output=True, text=True).stdout
    member = None
    for line in out.splitlines():
        if line.startswith("Symbols from "):
            member = line.split("[", 1)[-1].rstrip("]:") if "[" in line else line
            continue
        fields = [f.strip() for f in line.split("|")]
        if len(fields) < 7 or fields[2] not in ("T", "D", "B", "R"):
            continue
        if "$" in fields[6]:  # a COMDAT section
            continue
        yield fields[0], member


def main():
    if len(sys.argv) < 2:
        sys.exit("usage: check_symbols.py BUILD_DIR [NM]")
    build = pathlib.Path(sys.argv[1])
    nm = sys.argv[2] if len(sys.argv) > 2 else "x86_64-w64-mingw32-nm"
    owners = collections.defaultdict(set)
    for archive in sorted(build.rglob("libvantorel_*.a")):
        for symbol, member in defined_symbols(archive, nm):
            owners[symbol].add(f"{archive.name}({member})")
    clashes = {s: o for s, o in owners.items() if len(o) > 1}
    for symbol, places in sorted(clashes.items()):
        print(f"{symbol} is defined in {', '.join(sorted(places))}")
    if clashes:
        sys.exit(f"{len(clashes)} global symbols are defined more than once")


if __name__ == "__main__":
    main()
