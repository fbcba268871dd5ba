#!/usr/bin/env python3
"""Starts tervan.exe under wine, in a virtual desktop on Xvfb, on an example
in a folder with a Cyrillic name, as Explorer would start it for a file
dropped on it; waits for the window and takes a screenshot of it. Then, by
the keyboard, File/Open: the open-file dialog (its file name is the input's),
the Settings dialog (another screenshot), "File.dxf" unticked, "OK"; and
Alt+C ("&Close"). Checks that the window wrote the same outputs as
tervan-cli.exe writes for that file with the same settings, and that the
settings file keeps "File.dxf" unticked.
"""
import argparse
import os
import pathlib
import shutil
import subprocess
import sys
import time

DESKTOP = (1000, 520)


def start_xvfb():
    read, write = os.pipe()
    xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(write), "-screen", "0", f"{DESKTOP[0]}x{DESKTOP[1]}x24",
                             "-nolisten", "tcp"], pass_fds=[write], stderr=subprocess.DEVNULL)
    os.close(write)
    with os.fdopen(read) as f:
        display = f.readline().strip()
    return xvfb, ":" + display


def colours(png):
    """The number of colours in a picture: one or two on the empty desktop,
    hundreds once the window and its text are drawn."""
    return int(subprocess.run(["convert", png, "-format", "%k", "info:"], capture_output=True, text=True).stdout)


def wait_for(what, check, seconds):
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        if check():
            return True
        time.sleep(0.5)
    print(f"timed out waiting for {what}")
    return False


def main():
    parser = argparse.ArgumentParser()
    for option in ("--program", "--cli", "--examples", "--resources", "--work", "--screenshot", "--wine", "--prefix"):
        parser.add_argument(option, required=True)
    a = parser.parse_args()
    work = pathlib.Path(a.work)
    shutil.rmtree(work, ignore_errors=True)

    # The program folder as the zip has it, with File/Open not run at once.
    folder = work / "Tervan"
    folder.mkdir(parents=True)
    shutil.copy(a.program, folder)
    shutil.copy(a.cli, folder)
    shutil.copy(pathlib.Path(a.resources) / "dxf_header.txt", folder)
    ini = (pathlib.Path(a.resources) / "Tervan.ini").read_bytes()
    (folder / "Tervan.ini").write_bytes(ini.replace(b"StartWithFileOpen=Yes", b"StartWithFileOpen=No"))

    # The work folder is drive D: of the prefix, as a user's data drive.
    drive = pathlib.Path(a.prefix) / "dosdevices" / "d:"
    if drive.is_symlink():
        drive.unlink()
    drive.symlink_to(work.resolve())

    data = work / "Данни за обект"
    data.mkdir()
    shutil.copy(pathlib.Path(a.examples) / "zeiss3303.txt", data)
    reference = work / "reference"
    reference.mkdir()
    shutil.copy(pathlib.Path(a.examples) / "zeiss3303.txt", reference)

    def windows(p):
        return "D:\\" + str(pathlib.Path(p).relative_to(work)).replace("/", "\\")

    env = dict(os.environ, WINEPREFIX=a.prefix)
    subprocess.run([a.wine, windows(folder / "tervan-cli.exe"), "convert", "-q", windows(reference / "zeiss3303.txt")],
                   env=env, check=True, timeout=120)
    expected = {p.name: p.read_bytes() for p in reference.iterdir()}

    xvfb, display = start_xvfb()
    env["DISPLAY"] = display
    ok = True
    try:
        program = subprocess.Popen([a.wine, "explorer", f"/desktop=Tervan,{DESKTOP[0]}x{DESKTOP[1]}",
                                    windows(folder / "tervan.exe"), windows(data / "zeiss3303.txt")], env=env)
        shot = work / "screenshot.png"

        def written():
            return len(list(data.iterdir())) >= len(expected)

        def drawn():
            subprocess.run(["import", "-display", display, "-window", "root", str(shot)], check=True)
            return colours(str(shot)) > 100

        ok = wait_for("the outputs", written, 60) and wait_for("the window", drawn, 60)
        if ok:
            time.sleep(1)  # the last controls painted
            subprocess.run(["import", "-display", display, "-window", "root", str(shot)], check=True)
            pathlib.Path(a.screenshot).parent.mkdir(parents=True, exist_ok=True)
            shutil.copy(shot, a.screenshot)
            print(f"screenshot: {a.screenshot}")

            def keys(*names, pause=1.5):
                subprocess.run(["xdotool", "key", "--delay", "150", *names], env=env, check=True)
                time.sleep(pause)

            keys("alt+f", "o", pause=3)  # File/Open
            keys("Return", pause=3)  # the open-file dialog, on the input
            settings_shot = pathlib.Path(a.screenshot).with_name("settings.png")
            subprocess.run(["import", "-display", display, "-window", "root", str(settings_shot)], check=True)
            print(f"screenshot: {settings_shot}")
            keys("Tab", "space", "Return")  # "File.dxf" unticked, "OK"
            if not wait_for("the settings saved after the dialog",
                            lambda: b"2DFile=No" in (folder / "Tervan.ini").read_bytes(), 30):
                ok = False
            subprocess.run(["xdotool", "key", "alt+c"], env=env, check=True)
            try:
                program.wait(timeout=30)
            except subprocess.TimeoutExpired:
                print("the window did not close on Alt+C")
                ok = False
    finally:
        if program.poll() is None:
            subprocess.run([a.wine, "taskkill", "/f", "/im", "tervan.exe"], env=env)
            program.wait()
        xvfb.terminate()
        xvfb.wait()

    drive.unlink()
    got = {p.name: p.read_bytes() for p in data.iterdir()}
    if set(got) != set(expected):
        print(f"the window wrote {sorted(got)}, tervan-cli.exe {sorted(expected)}")
        ok = False
    for name in sorted(set(got) & set(expected)):
        if got[name] != expected[name]:
            print(f"{name} differs from tervan-cli.exe's")
            ok = False
    print(f"{len(got) - 1} outputs written by the window" + (", as tervan-cli.exe writes them" if ok else ""))
    return 0 if ok else 1


if __name__ == "__main__":
    sys.exit(main())
