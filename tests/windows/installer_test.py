#!/usr/bin/env python3
"""The installer under wine, as an office PC's administrator runs it:

1. a silent install (setup.exe /S) into Program Files: both programs, the
   settings, the DXF header and the user guide, the Start-menu entry, the
   "Open with" command of the instrument files (and nothing for .txt), the
   Add/Remove Programs entry with version and publisher;
2. the installed tervan-cli.exe converts an example to the bytes the Linux
   build writes, and the installed tervan.exe, started with a file that
   its settings' model does not fit (as "Open with" starts it), writes
   nothing until its Settings dialog is confirmed; it keeps its settings
   in %APPDATA%\\Tervan\\Tervan.ini, started from the shipped file, and
   finds them there at the next start;
3. installed again over itself (an upgrade), the user's settings stay;
4. a silent uninstall leaves no program file, no registry key of its own
   and the user's settings.
With --screenshot, the first page of an interactive install under Xvfb.
"""
import argparse
import os
import pathlib
import shutil
import subprocess
import sys
import time

from window_test import start_xvfb, wait_for

PROGRAM_FILES = "C:\\Program Files\\Tervan"
INSTALLED = {"tervan.exe", "tervan-cli.exe", "Tervan.ini", "dxf_header.txt", "README.txt", "LICENSE.txt", "guide",
             "uninstall.exe"}
EXTENSIONS = [".gsi", ".sdr", ".raw", ".rw5", ".m5", ".job", ".are", ".srd", ".kor"]


def main():
    parser = argparse.ArgumentParser()
    for option in ("--setup", "--linux-cli", "--examples", "--work", "--wine", "--prefix"):
        parser.add_argument(option, required=True)
    parser.add_argument("--screenshot")
    a = parser.parse_args()
    env = dict(os.environ, WINEPREFIX=a.prefix)
    work = pathlib.Path(a.work).resolve()
    shutil.rmtree(work, ignore_errors=True)
    work.mkdir(parents=True)
    failures = []

    def wine(*args, check=True, timeout=180):
        done = subprocess.run([a.wine, *args], env=env, capture_output=True, timeout=timeout)
        if check and done.returncode != 0:
            raise AssertionError(f"{args} ended with {done.returncode}: {done.stderr.decode(errors='replace')}")
        return done

    def unix(path):
        return pathlib.Path(subprocess.run(["winepath", "-u", path], env=env, capture_output=True, text=True,
                                           check=True).stdout.strip())

    def registry(key, value=None):
        args = ["reg", "query", key] + (["/v", value] if value else [])
        done = wine(*args, check=False)
        return done.stdout.decode(errors="replace").replace("\r", "") if done.returncode == 0 else None

    def expect(what, ok):
        if not ok:
            failures.append(what)

    folder = unix(PROGRAM_FILES)
    app_data = unix(wine("cmd", "/c", "echo %APPDATA%").stdout.decode().strip())
    user_ini = app_data / "Tervan" / "Tervan.ini"
    shutil.rmtree(folder, ignore_errors=True)
    shutil.rmtree(app_data / "Tervan", ignore_errors=True)

    # 1. The silent install.
    wine(a.setup, "/S")
    expect(f"installed {sorted(p.name for p in folder.iterdir()) if folder.is_dir() else 'nothing'}",
           folder.is_dir() and {p.name for p in folder.iterdir()} == INSTALLED)
    start_menu = unix("C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs") / "Tervan.lnk"
    expect("no Start-menu entry", start_menu.exists())
    command = f'"{PROGRAM_FILES}\\tervan.exe" "%1"'
    for key in ("HKLM\\Software\\Classes\\Tervan.InstrumentFile\\shell\\open\\command",
                "HKLM\\Software\\Classes\\Applications\\tervan.exe\\shell\\open\\command"):
        found = registry(key)
        expect(f"{key}: {found!r}, not {command}", found is not None and command in found)
    for extension in EXTENSIONS:
        found = registry(f"HKLM\\Software\\Classes\\{extension}\\OpenWithProgids", "Tervan.InstrumentFile")
        expect(f"{extension} has no Open with Tervan", found is not None)
    expect(".txt offers Tervan", registry("HKLM\\Software\\Classes\\.txt\\OpenWithProgids",
                                           "Tervan.InstrumentFile") is None)
    uninstall = registry("HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Tervan") or ""
    for value in ("DisplayVersion", "Publisher", "UninstallString", "QuietUninstallString"):
        expect(f"the Add/Remove Programs entry has no {value}", value in uninstall)
    expect("the entry names another version", "2.23" in uninstall)

    # 2. The installed command line converts an example, as on Linux.
    for side in ("windows", "linux"):
        (work / side).mkdir()
        shutil.copy(pathlib.Path(a.examples) / "leica1200.txt", work / side)
    subprocess.run([a.linux_cli, "convert", "-q", "--ini", str(folder / "Tervan.ini"), "--model", "Leica1200",
                    str(work / "linux" / "leica1200.txt")], check=True, timeout=60)
    wine(f"{PROGRAM_FILES}\\tervan-cli.exe", "convert", "-q", "--model", "Leica1200",
         str(work / "windows" / "leica1200.txt"))
    linux = {p.name: p.read_bytes() for p in (work / "linux").iterdir()}
    windows = {p.name: p.read_bytes() for p in (work / "windows").iterdir()}
    expect(f"the installed tervan-cli.exe wrote {sorted(windows)}, not {sorted(linux)}", len(linux) > 1)
    for name in set(linux) | set(windows):
        expect(f"{name} differs from the Linux build's", linux.get(name) == windows.get(name))

    # The desktop program through the association's command line, in a
    # virtual desktop: the shipped model (Zeiss3303) does not fit a Leica
    # file, so the Settings dialog waits, with Leica1200 chosen, and nothing
    # is written before "OK". The settings then go to the profile, and at
    # the next start with the file it is converted at once.
    data = work / "open-with"
    data.mkdir()
    shutil.copy(pathlib.Path(a.examples) / "leica1200.txt", data)
    xvfb, display = start_xvfb()
    desktop = dict(env, DISPLAY=display)
    try:
        def start():
            # As Explorer hands it over: a Windows path (drive Z: is the host's root).
            return subprocess.Popen([a.wine, "explorer", "/desktop=Tervan,1000x520", f"{PROGRAM_FILES}\\tervan.exe",
                                     "Z:" + str(data / "leica1200.txt").replace("/", "\\")], env=desktop)

        def keys(*names):
            subprocess.run(["xdotool", "key", "--delay", "150", *names], env=desktop, check=True)

        program = start()
        time.sleep(10)
        written = sorted(p.name for p in data.iterdir())
        expect(f"a start under a model that does not fit wrote {written}", written == ["leica1200.txt"])
        keys("Return")  # "OK" in the Settings dialog
        wait_for("the conversion", lambda: (data / "leica1200_nxyz.txt").exists(), 30)
        time.sleep(2)
        keys("alt+c")  # "&Close": the settings are saved at exit
        program.wait(timeout=60)
        saved = user_ini.read_bytes() if user_ini.exists() else b""
        expect("the settings are not in the profile", b"Model=Leica1200" in saved and b"[KorHeader]" in saved)
        expect("the program folder's settings changed",
               b"Model=Zeiss3303" in (folder / "Tervan.ini").read_bytes())
        for p in data.iterdir():
            if p.name != "leica1200.txt":
                p.unlink()
        program = start()
        wait_for("the conversion at start with the saved model", lambda: (data / "leica1200_nxyz.txt").exists(), 60)
        time.sleep(2)
        keys("Escape")  # the Open dialog of StartWithFileOpen
        time.sleep(2)
        keys("alt+c")
        program.wait(timeout=60)
    except (AssertionError, subprocess.TimeoutExpired) as e:
        failures.append(str(e))
        wine("taskkill", "/f", "/im", "tervan.exe", check=False)
    finally:
        xvfb.terminate()
        xvfb.wait()

    # 3. The user's own settings survive an upgrade.
    user_ini.parent.mkdir(parents=True, exist_ok=True)
    before = user_ini.read_bytes() if user_ini.exists() else b""
    wine(a.setup, "/S")
    expect("the upgrade changed the user's settings", user_ini.exists() and user_ini.read_bytes() == before)

    # 4. The silent uninstall. The uninstaller runs from a copy of itself,
    # so the folder goes a little after the first process has ended.
    wine(f"{PROGRAM_FILES}\\uninstall.exe", "/S")
    end = time.monotonic() + 60
    while folder.exists() and time.monotonic() < end:
        time.sleep(0.5)
    expect(f"left behind: {sorted(p.name for p in folder.iterdir()) if folder.exists() else ''}",
           not folder.exists())
    expect("the Start-menu entry is left", not start_menu.exists())
    for key in ("HKLM\\Software\\Classes\\Tervan.InstrumentFile",
                "HKLM\\Software\\Classes\\Applications\\tervan.exe",
                "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Tervan"):
        expect(f"{key} is left", registry(key) is None)
    expect(".gsi still offers Tervan", registry("HKLM\\Software\\Classes\\.gsi\\OpenWithProgids",
                                                "Tervan.InstrumentFile") is None)
    expect("the uninstall took the user's settings", user_ini.exists())

    if a.screenshot:
        screenshot_install(a, env, pathlib.Path(a.screenshot))

    for f in failures:
        print(f)
    print("installed, converted, upgraded and uninstalled" if not failures else "failed")
    return 1 if failures else 0


def screenshot_install(a, env, path):
    """The installer's first page, in a virtual desktop on Xvfb."""
    path.parent.mkdir(parents=True, exist_ok=True)
    xvfb, display = start_xvfb()
    env = dict(env, DISPLAY=display)
    setup = subprocess.Popen([a.wine, "explorer", "/desktop=Setup,640x480", a.setup], env=env)
    try:
        time.sleep(12)
        subprocess.run(["import", "-display", display, "-window", "root", "-crop", "640x480+0+0", str(path)],
                       check=True)
        print(f"screenshot: {path}")
    finally:
        subprocess.run([a.wine, "taskkill", "/f", "/im", pathlib.Path(a.setup).name], env=env, capture_output=True)
        setup.wait(timeout=60)
        xvfb.terminate()
        xvfb.wait()


if __name__ == "__main__":
    sys.exit(main())
