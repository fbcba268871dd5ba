#!/usr/bin/env python3
"""Converts every example with the Linux tervan-cli and with tervan-cli.exe
under wine, as dist/tervan-windows.zip ships it (unzipped: the program with
the settings and the DXF header beside it), each side in folders of its own,
and compares what they write byte for byte: the output files, the printed
message text (its input path aside) and the exit status.

One input has Cyrillic and accented letters and blanks in its name. One is
"ТОЧКИ.KOR" converted with the model kor: on Windows its coordinate list
"ТОЧКИ.kor" is the input itself, which must stay untouched there, and be
said so; on Linux it is another file.
"""
import argparse
import os
import pathlib
import shutil
import subprocess
import sys
import zipfile

# (example, the name it is given, commands): each command is the options of
# "tervan-cli convert" and the file it converts (None: the example); the
# commands of a case run one after the other in one folder.
CASES = [
    ("leica1200.txt", "leica1200.txt", [(["--model", "Leica1200"], None)]),
    ("leica1200.txt", "leica1200.txt", [(["--model", "Leica1200", "--hvsd", "--seed", "7"], None)]),
    ("level.gsi", "level.gsi", [(["--model", "DNA8"], None), (["--model", "Dini BF", "--seed", "1"], "level.dat")]),
    ("dini.txt", "dini.txt", [(["--model", "Dini USB"], None)]),
    ("zeiss3303.txt", "zeiss3303.txt", [(["--model", "Zeiss3303"], None)]),
    ("pentax200polar.txt", "pentax200polar.txt", [(["--model", "Pentax200Polar"], None)]),
    ("pentax200coord.txt", "pentax200coord.txt", [(["--model", "Pentax200Coordinate"], None)]),
    ("pentax300polar.txt", "pentax300polar.txt", [(["--model", "Pentax300Polar"], None)]),
    ("pentax300coord.txt", "pentax300coord.txt", [(["--model", "Pentax300Coordinate"], None)]),
    ("kolida300.raw", "kolida300.raw", [(["--model", "Kolida300Polar"], None)]),
    ("kolida440.txt", "kolida440.txt", [(["--model", "Kolida440"], None)]),
    ("points_nxyz.txt", "points_nxyz.txt", [(["--model", "nxyz", "--set", "x1000=Yes"], None)]),
    ("points_nyxz.txt", "points_nyxz.txt", [(["--model", "nyxz", "--set", "3DFile=No"], None)]),
    ("survey.kor", "survey.kor", [(["--model", "kor"], None)]),
    ("gsi8.gsi", "gsi8.gsi", [(["--model", "GSI"], None)]),
    ("gsi16.gsi", "gsi16.gsi", [(["--model", "GSI"], None)]),
    ("leica1200.txt", "Измерване Müller Ñandú.txt", [(["--model", "Leica1200"], None)]),
    ("kolida440.txt", "detected.txt", [(["--model", "auto"], None)]),
    ("gsi8.gsi", "coded.gsi",
     [(["--model", "GSI", "--set", "CsvFile=Yes", "--set", "LandXmlFile=Yes", "--set", "LayerPerCode=Yes"], None),
      (["--model", "csv"], "coded.csv")]),
]
UPPER_CASE_KOR = ("survey.kor", "ТОЧКИ.KOR", [(["--model", "kor", "--set", "KorFile=Yes"], None)])
NOT_REPLACED = b"not written: it is the input file"
# The LandXML file's date and time, the same on both sides.
os.environ["SOURCE_DATE_EPOCH"] = "1700000000"


class Side:
    """One build's tervan-cli in its program folder: the build's own, or
    the folder of a zip."""

    def __init__(self, work, cli=None, zip_file=None, wine=None, prefix=None):
        self.work = pathlib.Path(work)
        self.wine = wine
        self.env = dict(os.environ, WINEPREFIX=str(prefix)) if prefix else None
        shutil.rmtree(self.work, ignore_errors=True)
        if zip_file:
            with zipfile.ZipFile(zip_file) as z:
                z.extractall(self.work / "program")
            self.program = self.work / "program" / "Tervan" / "tervan-cli.exe"
            return
        cli = pathlib.Path(cli)
        self.program = self.work / "program" / cli.name
        self.program.parent.mkdir(parents=True)
        shutil.copy(cli, self.program)
        for resource in ("Tervan.ini", "dxf_header.txt"):
            shutil.copy(cli.parent / resource, self.program.parent / resource)

    def path(self, p):
        """A path as the program sees it: under wine the host is drive Z:."""
        return "Z:" + str(p).replace("/", "\\") if self.wine else str(p)

    def convert(self, index, case):
        """Runs the case's commands; returns [(status, message text)] and the
        folder's files afterwards."""
        example, name, commands = case
        folder = self.work / f"case{index:02d}"
        folder.mkdir()
        shutil.copy(EXAMPLES / example, folder / name)
        runs = []
        for options, input_name in commands:
            input_path = self.path(folder / (input_name or name))
            command = ([self.wine] if self.wine else []) + [str(self.program), "convert"] + options + [input_path]
            done = subprocess.run(command, capture_output=True, env=self.env, timeout=120)
            runs.append((done.returncode, done.stdout.replace(input_path.encode(), b"INPUT")))
        return runs, {p.name: p.read_bytes() for p in folder.iterdir()}


def differences(linux, wine):
    (l_runs, l_files), (w_runs, w_files) = linux, wine
    problems = []
    for i, ((l_status, l_text), (w_status, w_text)) in enumerate(zip(l_runs, w_runs), 1):
        if l_status != w_status:
            problems.append(f"command {i}: exit status {w_status} under wine, {l_status} on Linux")
        if l_text != w_text:
            problems.append(f"command {i}: the message text differs")
    if set(l_files) != set(w_files):
        problems.append(f"only on Linux: {sorted(set(l_files) - set(w_files))}, "
                        f"only under wine: {sorted(set(w_files) - set(l_files))}")
    problems += [f"{n} differs" for n in sorted(set(l_files) & set(w_files)) if l_files[n] != w_files[n]]
    return problems


def main():
    global EXAMPLES
    parser = argparse.ArgumentParser()
    for option in ("--linux-cli", "--zip", "--examples", "--work", "--wine", "--prefix"):
        parser.add_argument(option, required=True)
    a = parser.parse_args()
    EXAMPLES = pathlib.Path(a.examples)
    for needed, how in ((a.linux_cli, "make build"), (a.zip, "make windows")):
        if not pathlib.Path(needed).exists():
            print(f"no {needed}: run {how} first")
            return 1
    linux = Side(pathlib.Path(a.work) / "linux", cli=a.linux_cli)
    wine = Side(pathlib.Path(a.work) / "wine", zip_file=a.zip, wine=a.wine, prefix=a.prefix)

    failed = 0
    for index, case in enumerate(CASES):
        on_linux = linux.convert(index, case)
        problems = differences(on_linux, wine.convert(index, case))
        commands = " / ".join(" ".join(options + [input_name or case[1]]) for options, input_name in case[2])
        print(f"{commands}: {len(on_linux[1]) - 1} files written, "
              + ("identical" if not problems else "; ".join(problems)))
        failed += bool(problems)

    index = len(CASES)
    (l_runs, l_files), (w_runs, w_files) = linux.convert(index, UPPER_CASE_KOR), wine.convert(index, UPPER_CASE_KOR)
    problems = []
    if "ТОЧКИ.kor" not in l_files:
        problems.append("no ТОЧКИ.kor on Linux")
    if set(w_files) != set(l_files) - {"ТОЧКИ.kor"}:
        problems.append(f"under wine {sorted(w_files)}")
    if w_files.get("ТОЧКИ.KOR") != (EXAMPLES / "survey.kor").read_bytes():
        problems.append("the input was changed under wine")
    if NOT_REPLACED not in w_runs[0][1]:
        problems.append("the message text under wine does not say that ТОЧКИ.kor is the input")
    problems += [f"{n} differs" for n in sorted(set(w_files) - {"ТОЧКИ.KOR"}) if l_files.get(n) != w_files[n]]
    print("ТОЧКИ.KOR with kor: " + ("the input kept under wine, the rest identical" if not problems
                                    else "; ".join(problems)))
    failed += bool(problems)

    print(f"{index + 1 - failed} passed, {failed} failed")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
