#!/usr/bin/env python3
"""Renders every page of a disc's menu in every language to PNG files, with the real
Install.exe under Wine, and puts them together on one contact sheet.

    preview.py [DISC_DIR] [--out DIR]

Which pages there are and which entry opens each sub-page comes from discmenu-check --json
(build/linux/discmenu-check, `make linux`), which reads the language files with the menu's
own reader; what the pictures show is what the program draws. The menu runs on the
end-to-end tests' desktop (tests/e2e/harness.py): a throwaway Wine prefix, an X server and a
window manager of its own, the disc copied into the prefix, the probe to find the windows and
real pointer events to open the sub-pages.
"""

import argparse
import filecmp
import json
import os
import re
import shutil
import signal
import struct
import subprocess
import sys
import time
import zlib
from pathlib import Path

SOURCE_DIR = Path(__file__).resolve().parents[2]
sys.path.insert(0, str(SOURCE_DIR / "tests" / "e2e"))

import harness  # noqa: E402
from test_menu import (ENTRY_LEFT, ENTRY_PITCH, ENTRY_TOP, FIRST_KEY, NORMAL_TOP,  # noqa: E402
                       STRIP_TOP, WHITE, near)

# The chooser's languages: code for ForceLanguage, and the user's locale that the language's
# file is written for (Wine takes the code page of a process from LC_ALL).
LANGUAGES = [
    ("ENU", "en_US.UTF-8"),
    ("FRA", "fr_FR.UTF-8"),
    ("DEU", "de_DE.UTF-8"),
    ("ITA", "it_IT.UTF-8"),
    ("ESP", "es_ES.UTF-8"),
    ("CHN", "zh_CN.UTF-8"),
]
MAIN_PAGE = "Main Dialog"
CHECK_PROGRAM = Path(os.environ.get("DISCMENU_CHECK_PROGRAM",
                                    SOURCE_DIR / "build" / "linux" / "discmenu-check"))
PAGE_SIZE = (597, 340)
SUBPAGE, CLOSE = 1, 2
# Entries from the eighth on are drawn over the help strip; the eighth is the last one that
# lies inside the page and can be clicked.
VISIBLE_ENTRIES, CLICKABLE_ENTRIES = 7, 8
NEUTRAL_POINT = (100, 100)  # over the background picture, where the pointer makes nothing hot


class PreviewError(Exception):
    pass


# The language files ------------------------------------------------------------------------

def read_languages(disc):
    """The languages of the disc as discmenu-check reads them: for each language code, its file
    name, whether the file could be read, and its pages from the main page on, each as a list of
    (type, execute) of its entries, as the menu reads them."""
    if not CHECK_PROGRAM.is_file():
        raise PreviewError(f"{CHECK_PROGRAM} is missing; run make linux first")
    result = subprocess.run([str(CHECK_PROGRAM), "--json", str(disc)], capture_output=True,
                            text=True, encoding="utf-8")
    if result.returncode not in (0, 1, 2):  # clean, warnings, errors: all give the pages
        raise PreviewError(f"discmenu-check could not read the disc: {result.stderr.strip()}")
    languages = {}
    for language in json.loads(result.stdout)["languages"]:
        pages = {page["name"]: [(entry["type"], entry["execute"]) for entry in page["entries"]]
                 for page in language["pages"]}
        languages[language["code"]] = (language["file"], language["read"], pages)
    return languages


def find_file(disc, name):
    """The disc's file of that name in any letter case, as Windows finds it."""
    for path in disc.iterdir():
        if path.name.lower() == name.lower() and path.is_file():
            return path
    return None


def safe_name(text):
    return re.sub(r"[^A-Za-z0-9._-]+", "_", text).strip("_") or "page"


# Pictures --------------------------------------------------------------------------------------

def write_png(path, shot, left, top, width, height):
    """Writes that rectangle of the screenshot as an 8-bit RGB PNG."""
    rows = b"".join(b"\0" + shot.pixels[3 * ((top + y) * shot.width + left):
                                         3 * ((top + y) * shot.width + left + width)]
                    for y in range(height))

    def chunk(tag, data):
        return struct.pack(">I", len(data)) + tag + data + struct.pack(">I", zlib.crc32(tag + data))

    path.write_bytes(b"\x89PNG\r\n\x1a\n"
                     + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
                     + chunk(b"IDAT", zlib.compress(rows, 9)) + chunk(b"IEND", b""))


def contact_sheet(out, rows, columns, shots, missing):
    """One picture of every page: a row per language, a column per page, each labelled; an
    empty cell where a language has no such page."""
    arguments = ["montage", "-font", "DejaVu-Sans", "-pointsize", "15", "-background", "white"]
    for code in rows:
        for page in columns:
            path = shots.get((code, page))
            label = f"{code}: {page}" + (" (no language file)" if code in missing else "")
            # ImageMagick reads % and \ in a label as escapes.
            label = label.replace("%", "%%").replace("\\", "\\\\") if path else ""
            arguments += ["-label", label, str(path) if path else "null:"]
    sheet = out / "contact-sheet.png"
    arguments += ["-tile", f"{len(columns)}x{len(rows)}", "-geometry", "+10+8",
                  "-define", "png:exclude-chunks=date,time", str(sheet)]
    result = subprocess.run(arguments, capture_output=True, text=True)
    if result.returncode != 0:
        raise PreviewError(f"montage could not make the contact sheet: {result.stderr.strip()}")
    return sheet


# The menu on screen ----------------------------------------------------------------------------

class Previewer:
    def __init__(self, wine, disc, out):
        self.wine, self.disc, self.out = wine, disc, out
        self.shots = {}  # (language code, page name) -> PNG path
        self.missing = set()  # codes of the languages without a file on the disc
        self.notes = []
        self.windows_disc = None  # the disc's folder in the prefix, as Windows names it

    def at(self, page, x, y):
        return page.left + x, page.top + y

    @staticmethod
    def wait_for(value, timeout=30):
        """The first thing that value() gives other than None or empty, or None when nothing
        came in time."""
        deadline = time.monotonic() + timeout
        while True:
            result = value()
            if result or time.monotonic() > deadline:
                return result or None
            time.sleep(0.2)

    def install_windows(self):
        return {w.hwnd: w for w in self.wine.windows("Install")}

    def painted(self, page, entry_count):
        """Whether the page shows its own drawing: the help strip and, down the entry column,
        an entry in its normal state where the page has one and white where it has none.
        That also tells a page from the one it opened over, whose clicked entry is still hot."""
        shot = self.wine.screenshot()
        if not near(shot.pixel(*self.at(page, 2, 300)), STRIP_TOP):
            return None
        for index in range(VISIBLE_ENTRIES):
            expected = NORMAL_TOP if index < entry_count else WHITE
            pixel = shot.pixel(*self.at(page, ENTRY_LEFT + 2, ENTRY_TOP + ENTRY_PITCH * index))
            if not near(pixel, expected):
                return None
        return shot

    def capture(self, code, label, page, entry_count):
        if (page.width, page.height) != PAGE_SIZE:
            raise PreviewError(f"{code}: page {label!r} is {page.width} x {page.height}, "
                               f"not {PAGE_SIZE[0]} x {PAGE_SIZE[1]}")
        self.wine.move_pointer(*self.at(page, *NEUTRAL_POINT))
        shot = self.wait_for(lambda: self.painted(page, entry_count))
        if shot is None:
            raise PreviewError(f"{code}: page {label!r} was not painted as expected "
                               f"(help strip, {entry_count} entries)")
        path = self.out / f"{code}-{safe_name(label)}.png"
        taken = {p.name.lower() for p in self.shots.values()}
        number = 2
        while path.name.lower() in taken:
            path = self.out / f"{code}-{safe_name(label)}-{number}.png"
            number += 1
        write_png(path, shot, page.left, page.top, *PAGE_SIZE)
        self.shots[(code, label)] = path

    def close(self, page, entries):
        """Closes the page at its first exit entry, else asks it to close."""
        exits = [i for i, (kind, _) in enumerate(entries)
                 if kind == CLOSE and i < CLICKABLE_ENTRIES]
        if exits:
            self.wine.click(*self.at(page, 500, ENTRY_TOP + ENTRY_PITCH * exits[0] + 18))
        else:
            self.wine.probe("close", "#" + page.hwnd)
        if not self.wine.wait_until(lambda: page.hwnd not in self.install_windows(), timeout=30):
            raise PreviewError(f"a page did not close (window {page.hwnd})")

    def walk(self, code, pages, label, page, seen):
        """Captures the page, then opens each sub-page that no page has opened yet by clicking
        its entry, captures it and what it opens in turn, and closes it again."""
        entries = pages.get(label, [])
        self.capture(code, label, page, len(entries))
        for index, (kind, target) in enumerate(entries):
            if kind != SUBPAGE or target in seen:
                continue
            seen.add(target)
            if index >= CLICKABLE_ENTRIES:
                self.notes.append(f"{code}: entry {index} of {label!r} opens {target!r} "
                                  "but lies below the page; not shown")
                continue
            before = self.install_windows()
            self.wine.click(*self.at(page, 500, ENTRY_TOP + ENTRY_PITCH * index + 18))
            opened = self.wait_for(lambda: [w for h, w in self.install_windows().items()
                                            if h not in before])
            if opened is None:
                raise PreviewError(f"{code}: entry {index} of {label!r} did not open "
                                   f"page {target!r}")
            self.walk(code, pages, target, opened[0], seen)
            self.close(opened[0], pages.get(target, []))

    def language(self, code, locale, file_name, read, pages):
        if not read:
            self.missing.add(code)
            self.notes.append(f"{code}: no readable {file_name} on the disc; the program shows "
                              "its built-in texts and no entries")
        self.wine.set_registry_string(FIRST_KEY, "ForceLanguage", code)
        program = self.wine.start(self.windows_disc + "Install.exe", "-InfPath",
                                  self.windows_disc, env={"LC_ALL": locale})
        self.wait_for(lambda: self.install_windows() or program.poll() is not None, timeout=60)
        windows = list(self.install_windows().values())
        if not windows:
            others = [w.caption for w in self.wine.windows()]
            raise PreviewError(f"{code}: the program did not show its page "
                               f"(exit code {program.poll()}, windows: {others})")
        page = windows[0]
        self.walk(code, pages, MAIN_PAGE, page, {MAIN_PAGE})
        self.close(page, pages.get(MAIN_PAGE, []))
        try:
            program.wait(timeout=30)
        except subprocess.TimeoutExpired:
            raise PreviewError(f"{code}: the program did not end after its page closed")

    def run(self, program, languages):
        self.windows_disc = self.wine.install_disc()
        copy = self.wine.unix_path(self.windows_disc)
        on_disc = find_file(copy, "Install.exe")
        if on_disc is None:
            print(f"The disc has no Install.exe: using {program}")
        elif filecmp.cmp(on_disc, program, shallow=False):
            print(f"The disc's Install.exe is the one just built: {program}")
        else:
            print(f"The disc's Install.exe is not the one just built: using {program} instead")
        if on_disc is not None:
            on_disc.unlink()
        shutil.copyfile(program, copy / "Install.exe")
        for code, locale in LANGUAGES:
            self.language(code, locale, *languages[code])
            pages = [label for (c, label) in self.shots if c == code]
            print(f"{code}: {len(pages)} page(s): {', '.join(pages)}", flush=True)


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("disc", nargs="?", default=str(SOURCE_DIR / "build" / "disc"),
                        help="the disc's root folder (default: the sample disc build/disc)")
    parser.add_argument("--out", default=str(SOURCE_DIR / "build" / "preview"),
                        help="where the pictures go (default: build/preview)")
    arguments = parser.parse_args()
    disc, out = Path(arguments.disc).resolve(), Path(arguments.out).resolve()
    program = harness.BUILD_DIR / "Install.exe"

    if not disc.is_dir():
        sys.exit(f"preview: {disc} is not a folder")
    try:
        languages = read_languages(disc)
    except PreviewError as error:
        sys.exit(f"preview: {error}")
    if not any(read for _, read, _ in languages.values()):
        sys.exit(f"preview: {disc} has no language file "
                 f"({', '.join(file for file, _, _ in languages.values())})")
    if not program.is_file():
        sys.exit(f"preview: {program} is missing; run make mingw first")
    out.mkdir(parents=True, exist_ok=True)
    for old in out.glob("*.png"):
        old.unlink()

    # A stop from outside still ends Wine, the window manager and the X server.
    signal.signal(signal.SIGTERM, lambda *_: sys.exit("preview: stopped"))
    harness.DISC_DIR = disc
    print(f"Previewing {disc} with Wine and Xvfb, running {harness.RUNTIME_NOTE} ...", flush=True)
    wine = harness.WineDesktop()
    previewer = Previewer(wine, disc, out)
    try:
        previewer.run(program, languages)
    except PreviewError as error:
        sys.exit(f"preview: {error}")
    finally:
        wine.close()

    columns = list(dict.fromkeys(label for _, label in previewer.shots))
    try:
        sheet = contact_sheet(out, [code for code, _ in LANGUAGES], columns,
                              previewer.shots, previewer.missing)
    except PreviewError as error:
        sys.exit(f"preview: {error}")
    if "CHN" not in previewer.missing and shutil.which("fc-list") and not subprocess.run(
            ["fc-list", ":lang=zh"], capture_output=True, text=True).stdout.strip():
        previewer.notes.append("CHN: this machine has no Chinese font, so Chinese characters "
                               "show as boxes (their number and places are right)")
    for note in previewer.notes:
        print("Note:", note)
    print("Files written:")
    for path in list(previewer.shots.values()) + [sheet]:
        print(" ", path)


if __name__ == "__main__":
    main()
