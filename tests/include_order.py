#!/usr/bin/env python3
"""Checks that every #include goes down the layers, never up or sideways.

    core <- readers, levelling, writers <- conversion <- desk <- app, win
    core <- serial;  conversion, serial <- cli;  serial <- desk

Below the front ends only the standard library and the C runtime's and
POSIX's headers may be included; every Qt header and every Windows header
(windows.h, shellapi.h, commctrl.h, ...) is a toolkit header, allowed there
only in the files that are the platform's door (the file layer, the Win32
serial port).
Usage: include_order.py SOURCE_DIR   (exit status 1 on any violation)
"""
import pathlib
import re
import sys

BELOW = {
    "core": set(),
    "readers": {"core"},
    "levelling": {"core"},
    "writers": {"core"},
    "conversion": {"core", "readers", "levelling", "writers"},
    "serial": {"core"},
}
BELOW["desk"] = BELOW["conversion"] | {"conversion", "serial"}
BELOW["cli"] = BELOW["conversion"] | {"conversion", "serial"}
BELOW["app"] = BELOW["desk"] | {"desk"}
BELOW["win"] = BELOW["desk"] | {"desk"}
FRONT_ENDS = {"app", "win"}
# The files below the front ends that talk to Windows itself.
PLATFORM = {"core/files.cpp", "core/output_file.cpp", "serial/port_win32.h", "serial/port_win32.cpp"}
# Headers of the C runtime and of POSIX; any other header with an extension
# below the front ends is the system's window layer (Windows).
RUNTIME = {"unistd.h", "termios.h", "fcntl.h", "poll.h", "grp.h", "pwd.h", "io.h", "errno.h", "signal.h",
           "pty.h", "dirent.h", "limits.h", "stdio.h", "stdlib.h", "string.h", "time.h", "wchar.h"}


def toolkit(header):
    """Whether an angle-bracket header is Qt's or Windows' (a toolkit)."""
    if header.startswith("Q") or header.split("/")[0].startswith("Qt"):
        return True
    if header.startswith("sys/") or header.startswith("linux/") or header.startswith("asm/"):
        return False
    return "." in header and header.lower() not in RUNTIME


INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')


def violations(root):
    for layer, allowed in BELOW.items():
        for path in sorted((root / layer).rglob("*")):
            if path.suffix not in (".h", ".cpp"):
                continue
            for number, line in enumerate(path.read_text(encoding="utf-8").splitlines(), 1):
                m = INCLUDE.match(line)
                if not m:
                    continue
                kind, header = m.groups()
                where = f"{path.relative_to(root)}:{number}: {header}"
                if kind == '"':
                    top = header.split("/")[0]
                    if top in BELOW and top != layer and top not in allowed:
                        yield f"{where} ({layer} may not include {top})"
                elif layer not in FRONT_ENDS and toolkit(header):
                    if header.startswith("Q") or str(path.relative_to(root)) not in PLATFORM:
                        yield f"{where} (a toolkit header below the front ends)"


def main():
    root = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else ".").resolve()
    found = list(violations(root))
    for v in found:
        print(v)
    checked = sum(1 for layer in BELOW for p in (root / layer).rglob("*") if p.suffix in (".h", ".cpp"))
    print(f"{checked} files checked, {len(found)} includes out of order")
    return 1 if found or checked == 0 else 0


if __name__ == "__main__":
    sys.exit(main())
