#!/usr/bin/env python3
"""The installer's round trip under Wine, in a fresh prefix of its own.

Silent install; the files (every set of skin sheets: the 100 % set in the
skin folder, the others in subfolders by percentage), the Start-menu shortcut
and the Apps & Features entry in place with the build's version; the program started from the
installed path shows its no-device screen drawn from the installed skins; a
silent uninstall refuses while the program runs; after it ends, a silent
uninstall removes everything it installed and the program's start-at-login
value, and keeps the user's profile (unless asked) and other programs' values.

Needs an X display (the Windows tests run inside xvfb-run).
"""

import argparse
import os
import re
import shutil
import struct
import subprocess
import sys
import time
import zipfile
from pathlib import Path

from PIL import Image, ImageChops, ImageGrab

WINESERVER = "/usr/lib/wine/wineserver"
INSTALL_DIR = r"C:\Program Files\Meridane\Vandir II"
PROGRAM = INSTALL_DIR + r"\VandirII.exe"
UNINSTALL_KEY = r"HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Meridane Vandir II"
RUN_KEY = r"HKCU\Software\Microsoft\Windows\CurrentVersion\Run"
RUN_VALUE = "Meridane Vandir II"
NO_DEVICE_SHEET = "no Mosue Normal.bmp"
SCALED_SET = "150"  # a set of another scale: its sheets in the subfolder of its percentage
TIMEOUT = 60  # seconds for the program's window; Wine starts slowly on a busy machine

failures = []


def check(condition, what):
    print(("ok      " if condition else "FAILED  ") + what, flush=True)
    if not condition:
        failures.append(what)
    return condition


class Prefix:
    def __init__(self, path, wine_run):
        self.path = Path(path)
        self.wine_run = wine_run
        self.env = dict(os.environ, WINEPREFIX=str(self.path))

    def create(self):
        shutil.rmtree(self.path, ignore_errors=True)
        Path(str(self.path) + ".lock").unlink(missing_ok=True)
        subprocess.run([self.wine_run, "--prefix", str(self.path)], env=self.env, check=True)

    def run(self, *args):
        return subprocess.run([self.wine_run, "--prefix", str(self.path), *args], env=self.env,
                              capture_output=True, text=True, errors="replace")

    def start(self, *args):
        return subprocess.Popen([self.wine_run, "--prefix", str(self.path), *args], env=self.env)

    def end_all(self):
        subprocess.run([WINESERVER, "-k"], env=self.env)
        subprocess.run([WINESERVER, "-w"], env=self.env)

    def unix(self, windows_path):
        assert windows_path[:3].upper() == "C:\\"
        return self.path / "drive_c" / windows_path[3:].replace("\\", "/")

    def registry(self, key):
        """The values of a key as {name: text}; None when the key is not there."""
        result = self.run("reg", "query", key)
        if result.returncode != 0:
            return None
        values = {}
        for line in result.stdout.splitlines():
            match = re.match(r"^    (.*?)    (REG_\w+)    ?(.*)$", line)
            if match:
                values[match.group(1)] = match.group(3)
        return values

    def roaming_folder(self):
        users = [p for p in (self.path / "drive_c/users").iterdir() if p.name != "Public"]
        return users[0] / "AppData/Roaming"


def file_version(exe):
    """The fixed file version (four numbers) and the FileVersion text of an executable."""
    data = exe.read_bytes()
    fixed = data.find(struct.pack("<I", 0xFEEF04BD))
    if fixed < 0:
        return None, None
    ms, ls = struct.unpack_from("<II", data, fixed + 8)
    numbers = (ms >> 16, ms & 0xFFFF, ls >> 16, ls & 0xFFFF)
    key = "FileVersion\0".encode("utf-16-le")
    at = data.find(key)
    if at < 0:
        return numbers, None
    at += len(key)
    at += (4 - at % 4) % 4  # the value is 32-bit aligned
    end = at
    while data[end:end + 2] != b"\0\0":
        end += 2
    return numbers, data[at:end].decode("utf-16-le")


def in_place(folder):
    """The uninstaller's last parameter _?=FOLDER: it runs in place for that
    folder and returns when done. NSIS takes the rest of the command line
    as the folder, unquoted; Wine quotes an argument with spaces, so the
    folder goes as its words, which Wine joins with spaces."""
    return ("_?=" + folder).split(" ")


def visible_windows():
    """(id, title, x, y, width, height) of the visible top-level X windows."""
    ids = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", ".*"],
                         capture_output=True, text=True).stdout.split()
    windows = []
    for window in ids:
        title = subprocess.run(["xdotool", "getwindowname", window],
                               capture_output=True, text=True).stdout.strip()
        shell = subprocess.run(["xdotool", "getwindowgeometry", "--shell", window],
                               capture_output=True, text=True).stdout
        geometry = dict(line.split("=", 1) for line in shell.split())
        if not geometry:
            continue
        windows.append((window, title, int(geometry["X"]), int(geometry["Y"]),
                        int(geometry["WIDTH"]), int(geometry["HEIGHT"])))
    return windows


def in_prefix(window, prefix):
    """Whether a window's process runs in the prefix: other tests share the display."""
    pid = subprocess.run(["xdotool", "getwindowpid", window[0]],
                         capture_output=True, text=True).stdout.strip()
    try:
        environment = Path(f"/proc/{pid}/environ").read_bytes().split(b"\0")
    except (OSError, ValueError):
        return False
    return f"WINEPREFIX={prefix.path}".encode() in environment


def wait_for_window(size, prefix, process):
    """The prefix's visible window of the given size; None when the program
    ends or time runs out."""
    deadline = time.monotonic() + TIMEOUT
    seen = set()
    while time.monotonic() < deadline and process.poll() is None:
        windows = [w for w in visible_windows() if in_prefix(w, prefix)]
        for window in windows:
            if window[4:6] == size:
                return window
        seen.update((w[1], w[4:6]) for w in windows)
        time.sleep(0.25)
    print(f"        seen instead: {sorted(seen)}", flush=True)
    return None


def shows_image(window, image):
    """Whether the window shows exactly the image, polled: it may still be
    drawing, or another test's window may lie over it for a moment."""
    x, y, width, height = window[2:]
    deadline = time.monotonic() + TIMEOUT
    while time.monotonic() < deadline:
        subprocess.run(["xdotool", "windowraise", window[0]], capture_output=True)
        shown = ImageGrab.grab(xdisplay=os.environ["DISPLAY"]).convert("RGB")
        if ImageChops.difference(shown.crop((x, y, x + width, y + height)), image).getbbox() is None:
            return True
        time.sleep(0.25)
    return False


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--installer", required=True)
    parser.add_argument("--zip", required=True)
    parser.add_argument("--version", required=True)
    parser.add_argument("--prefix", required=True)
    parser.add_argument("--wine-run", required=True)
    args = parser.parse_args()
    if not os.environ.get("DISPLAY"):
        print("needs an X display: run it inside xvfb-run", file=sys.stderr)
        return 1

    prefix = Prefix(args.prefix, args.wine_run)
    prefix.create()

    # Install.
    result = prefix.run(args.installer, "/S")
    if not check(result.returncode == 0, f"silent install exits 0 (got {result.returncode})"):
        return 1
    install_dir = prefix.unix(INSTALL_DIR)
    with zipfile.ZipFile(args.zip) as portable:
        expected = {name.removeprefix("Vandir II/"): portable.read(name)
                    for name in portable.namelist() if not name.endswith("/")}
    installed = {str(p.relative_to(install_dir)): p.read_bytes()
                 for p in install_dir.rglob("*") if p.is_file()}
    check(installed.pop("Uninstall.exe", None) is not None, "Uninstall.exe installed")
    check(sorted(installed) == sorted(expected),
          f"the installed files are the portable zip's ({len(expected)} files)")
    check(installed == expected, "the installed files' bytes are the portable zip's")
    scaled_sheet = install_dir / "Vandir_Skins" / SCALED_SET / NO_DEVICE_SHEET
    if check(scaled_sheet.is_file(), f"the {SCALED_SET} % set installed in its subfolder"):
        base = Image.open(install_dir / "Vandir_Skins" / NO_DEVICE_SHEET).size
        dpi = int(SCALED_SET) * 96 // 100
        scaled = tuple((v * dpi + 48) // 96 for v in base)  # ScaleSize's rounding
        check(Image.open(scaled_sheet).size == scaled,
              f"its no-device sheet is {scaled} for {base} at 100 %")

    shortcut = prefix.path / "drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Vandir II.lnk"
    target = PROGRAM.encode("utf-16-le"), PROGRAM.encode("latin-1")
    check(shortcut.is_file() and any(t in shortcut.read_bytes() for t in target),
          "Start-menu shortcut to the installed program")

    entry = prefix.registry(UNINSTALL_KEY) or {}
    check(entry.get("DisplayName") == "Vandir II", f"DisplayName {entry.get('DisplayName')!r}")
    check(entry.get("DisplayVersion") == args.version,
          f"DisplayVersion {entry.get('DisplayVersion')!r} is {args.version}")
    check(entry.get("Publisher") == "Meridane", f"Publisher {entry.get('Publisher')!r}")
    check(entry.get("DisplayIcon") == f'"{PROGRAM}",0', f"DisplayIcon {entry.get('DisplayIcon')!r}")
    check(entry.get("InstallLocation") == INSTALL_DIR,
          f"InstallLocation {entry.get('InstallLocation')!r}")
    uninstaller = INSTALL_DIR + r"\Uninstall.exe"
    check(entry.get("UninstallString") == f'"{uninstaller}"', "UninstallString")
    check(entry.get("QuietUninstallString") == f'"{uninstaller}" /S', "QuietUninstallString")
    size_kb = sum(len(b) for b in installed.values()) // 1024
    estimated = int(entry.get("EstimatedSize", "0"), 0)
    check(size_kb <= estimated <= size_kb + 1024,
          f"EstimatedSize {estimated} KB for {size_kb} KB of files")

    numbers, text = file_version(install_dir / "VandirII.exe")
    parts = [int(p) for p in args.version.split(".")]
    check(numbers == tuple(parts + [0] * (4 - len(parts))) and text == args.version,
          f"VandirII.exe's version {numbers} {text!r} is {args.version}")

    # The program from its installed path: the no-device screen, drawn from
    # the installed skin sheet (no mouse under Wine).
    sheet = Image.open(install_dir / "Vandir_Skins" / NO_DEVICE_SHEET).convert("RGB")
    program = prefix.start(PROGRAM)
    window = wait_for_window(sheet.size, prefix, program)
    if check(window is not None, f"the program shows a {sheet.size} window"):
        check(shows_image(window, sheet), "it shows the installed no-device sheet")

        # Files in use: the uninstaller gives up and leaves everything.
        result = prefix.run(uninstaller, "/S", *in_place(INSTALL_DIR))
        check(result.returncode == 2,
              f"silent uninstall while the program runs exits 2 (got {result.returncode})")
        check((install_dir / "VandirII.exe").is_file() and prefix.registry(UNINSTALL_KEY),
              "and leaves the program installed")
    prefix.end_all()
    program.wait()

    # The user's traces: a profile, the program's Run value, another program's.
    profile = prefix.roaming_folder() / "Meridane/Vandir II/Profiles/DefaultPf.profile"
    profile.parent.mkdir(parents=True)
    profile.write_bytes(bytes([0x12, 0x06, 0x33, 0x01]) + bytes(60))
    prefix.run("reg", "add", RUN_KEY, "/v", RUN_VALUE, "/d", f'"{PROGRAM}"', "/f")
    prefix.run("reg", "add", RUN_KEY, "/v", "Other", "/d", r"C:\other.exe", "/f")
    check((prefix.registry(RUN_KEY) or {}).get(RUN_VALUE) == f'"{PROGRAM}"',
          "the program's Run value in place")

    # Uninstall as Apps & Features would, but waiting for it: a copy outside
    # the folder, told where the program is (_?=), returns when it is done.
    copy = prefix.unix(r"C:\windows\temp\vandir-uninstall.exe")
    shutil.copy(install_dir / "Uninstall.exe", copy)
    result = prefix.run(r"C:\windows\temp\vandir-uninstall.exe", "/S", *in_place(INSTALL_DIR))
    copy.unlink()
    check(result.returncode == 0, f"silent uninstall exits 0 (got {result.returncode})")
    check(not scaled_sheet.exists() and not scaled_sheet.parent.exists(),
          f"the {SCALED_SET} % set and its subfolder removed")
    check(not prefix.unix(r"C:\Program Files\Meridane").exists(), "no Meridane folder left")
    check(not shortcut.exists(), "no shortcut left")
    check(prefix.registry(UNINSTALL_KEY) is None, "no uninstall entry left")
    run = prefix.registry(RUN_KEY) or {}
    check(RUN_VALUE not in run, "the program's Run value removed")
    check(run.get("Other") == r"C:\other.exe", "another program's Run value kept")
    check(profile.is_file(), "the profile kept")

    # Asked to, the uninstaller removes the profile too (the box on its page).
    result = prefix.run(args.installer, "/S")
    shutil.copy(install_dir / "Uninstall.exe", copy)
    result = prefix.run(r"C:\windows\temp\vandir-uninstall.exe", "/S", "/REMOVESETTINGS",
                        *in_place(INSTALL_DIR))
    copy.unlink()
    check(result.returncode == 0, f"uninstall removing the settings exits 0 (got {result.returncode})")
    check(not prefix.unix(r"C:\Program Files\Meridane").exists(), "no Meridane folder left")
    check(not (prefix.roaming_folder() / "Meridane").exists(), "the profile's folders removed")
    prefix.end_all()

    if failures:
        print(f"{len(failures)} checks failed", flush=True)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
