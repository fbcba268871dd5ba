#!/usr/bin/env python3
"""tervan.exe under wine, in a virtual desktop on Xvfb, used by the keyboard
as a surveyor would use it:

1. started on an example in a folder with a Cyrillic name (drive D: of the
   prefix), as Explorer starts it for a file dropped on it: the window shows
   the observation table (a screenshot) and has written the outputs, the
   same bytes as tervan-cli.exe writes for that file;
2. File/Open (Ctrl+O): the open-file dialog (a screenshot), on the input; the Settings
   dialog (a screenshot), "File.dxf" unticked, "OK": the settings file
   keeps it;
3. "&Start Serial", COM Properties on COM12, "OK": a transmission that the
   instrument sends on COM13 is kept in Log\\ and opened with File/Open;
4. "&Start Serial" again with "2 PC to Station(Send)": "&All" sends the
   points of the received file, "St&op" the end mark;
5. Alt+C ("&Close") ends the program.
"""
import argparse
import os
import pathlib
import select
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


def wait_for(what, check, seconds):
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        if check():
            return True
        time.sleep(0.5)
    raise AssertionError(f"timed out waiting for {what}")


class Instrument:
    """The far end of COM13: a pseudo-terminal of the wine session."""

    def __init__(self, path):
        self.fd = os.open(path, os.O_RDWR | os.O_NOCTTY | os.O_NONBLOCK)

    def send(self, data):
        os.write(self.fd, data)

    def receive(self, quiet=1.0):
        got = b""
        while select.select([self.fd], [], [], quiet)[0]:
            got += os.read(self.fd, 4096)
        return got


def main():
    parser = argparse.ArgumentParser()
    for option in ("--program", "--cli", "--examples", "--resources", "--work", "--screenshot", "--wine", "--prefix"):
        parser.add_argument(option, required=True)
    a = parser.parse_args()
    work = pathlib.Path(a.work).resolve()
    shutil.rmtree(work, ignore_errors=True)
    shots = pathlib.Path(a.screenshot).parent
    shots.mkdir(parents=True, exist_ok=True)

    # The work folder is drive D: of the prefix, as a user's data drive.
    drive = pathlib.Path(a.prefix) / "dosdevices" / "d:"
    if drive.is_symlink():
        drive.unlink()
    work.mkdir(parents=True)
    drive.symlink_to(work)

    def windows(p):
        return "D:\\" + str(pathlib.Path(p).relative_to(work)).replace("/", "\\")

    # The program folder as the zip has it, with File/Open not run at once
    # and the port of the serial tests.
    folder = work / "Tervan"
    folder.mkdir()
    shutil.copy(a.program, folder)
    shutil.copy(a.cli, folder)
    shutil.copy(pathlib.Path(a.resources) / "dxf_header.txt", folder)
    ini = (pathlib.Path(a.resources) / "Tervan.ini").read_bytes()
    ini = ini.replace(b"StartWithFileOpen=Yes", b"StartWithFileOpen=No").replace(b"ComName=COM1", b"ComName=COM12")
    (folder / "Tervan.ini").write_bytes(ini)

    example = pathlib.Path(a.examples) / "zeiss3303.txt"
    data = work / "Данни за обект"
    data.mkdir()
    shutil.copy(example, data)
    reference = work / "reference"
    reference.mkdir()
    shutil.copy(example, reference)
    env = dict(os.environ, WINEPREFIX=a.prefix)
    subprocess.run([a.wine, windows(folder / "tervan-cli.exe"), "convert", "-q", windows(reference / "zeiss3303.txt")],
                   env=env, check=True, timeout=120)
    expected = {p.name: p.read_bytes() for p in reference.iterdir()}

    xvfb, display = start_xvfb()
    env["DISPLAY"] = display
    instrument = Instrument(pathlib.Path(a.prefix) / "run" / "com-b")
    program = None

    def screenshot(name):
        path = shots / name
        subprocess.run(["import", "-display", display, "-window", "root", str(path)], check=True)
        print(f"screenshot: {path}")
        return path

    def picture(name="before.png"):
        path = work / name
        subprocess.run(["import", "-display", display, "-window", "root", str(path)], check=True)
        return path

    def changed_pixels(before):
        done = subprocess.run(["compare", "-metric", "AE", str(before), str(picture("now.png")), "null:"],
                              capture_output=True, text=True)
        return float(done.stderr.split()[0])

    def keys(*names, opens_or_closes=True):
        """Presses the keys; when they open or close a dialog, waits until it
        has (a change of many pixels, where a caret or the progress bar
        changes a few), so that the next keys go to the right window."""
        before = picture() if opens_or_closes else None
        subprocess.run(["xdotool", "key", "--delay", "150", *names], env=env, check=True)
        if before:
            end = time.monotonic() + 20
            while changed_pixels(before) < 5000 and time.monotonic() < end:
                time.sleep(0.3)
        time.sleep(0.7)

    def colours(png):
        return int(subprocess.run(["convert", str(png), "-format", "%k", "info:"], capture_output=True,
                                  text=True).stdout)

    failures = []
    try:
        program = subprocess.Popen([a.wine, "explorer", f"/desktop=Tervan,{DESKTOP[0]}x{DESKTOP[1]}",
                                    windows(folder / "tervan.exe"), windows(data / "zeiss3303.txt")], env=env)
        # 1. The window: its outputs first (written while it is built), then
        # its text drawn (dozens of colours, where the empty desktop has one).
        wait_for("the outputs", lambda: len(list(data.iterdir())) >= len(expected), 60)
        wait_for("the window", lambda: colours(screenshot(pathlib.Path(a.screenshot).name)) > 40, 60)
        time.sleep(1)
        screenshot(pathlib.Path(a.screenshot).name)
        got = {p.name: p.read_bytes() for p in data.iterdir()}
        if got != expected:
            failures.append(f"the window wrote {sorted(got)}, not as tervan-cli.exe {sorted(expected)}")

        # 2. File/Open and the Settings dialog.
        keys("ctrl+o")
        screenshot("open-file.png")
        keys("Return")
        screenshot("settings.png")
        keys("Tab", "space", "Return")
        wait_for("the settings saved after the dialog", lambda: b"2DFile=No" in (folder / "Tervan.ini").read_bytes(),
                 30)

        # 3. A transmission received, kept and opened.
        keys("alt+s")  # COM Properties
        keys("Return")  # "OK": receive on COM12
        sent = example.read_bytes().replace(b"\r\n", b"\n").replace(b"\n", b"\r\n") + b"END\r\n"
        instrument.send(sent)
        logs = folder / "Log"
        wait_for("the receive log", lambda: logs.is_dir() and any(logs.glob("*.srd")), 30)
        log = next(logs.glob("*.srd"))
        time.sleep(2)
        screenshot("received.png")
        # The open-file dialog, on the log, then the Settings dialog: "OK".
        # Return until the log is converted: one that comes before File/Open
        # has opened goes to the main window, which takes it for nothing.
        converted = log.with_name(log.stem + "_nxyz.txt")
        wait_for("the received file converted",
                 lambda: converted.exists() or keys("Return", opens_or_closes=False) or converted.exists(), 30)
        if log.read_bytes() != sent:
            failures.append("the receive log is not what the instrument sent")

        # 4. The points of the received file sent back.
        keys("alt+s")
        keys(*["Tab"] * 6, "Down", "Return")  # the direction: "2 PC to Station(Send)"
        keys("alt+a", opens_or_closes=False)  # "&All"
        screenshot("send.png")
        keys("alt+o")  # "St&op"
        arrived = instrument.receive()
        records = [line for line in arrived.split(b"\r\n") if line]
        if not arrived.endswith(b"\r\nEND\r") or len(records) != 3 or any(len(r) != 78 for r in records[:-1]):
            failures.append(f"the instrument received {arrived!r}")
        elif b"4712390.011" not in records[0]:
            failures.append("the first point sent is not point 101")

        # 5. Close.
        keys("alt+c", opens_or_closes=False)
        program.wait(timeout=30)
    except (AssertionError, subprocess.TimeoutExpired) as e:
        failures.append(str(e))
    finally:
        if program and program.poll() is None:
            subprocess.run([a.wine, "taskkill", "/f", "/im", "tervan.exe"], env=env)
            program.wait()
        xvfb.terminate()
        xvfb.wait()
        drive.unlink()

    for f in failures:
        print(f)
    print("the window converted, saved its settings, received, sent and closed" if not failures else "failed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
