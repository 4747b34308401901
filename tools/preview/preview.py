#!/usr/bin/env python3
"""Renders every page of a disc's menu in every language to PNG files, with the real
Install.exe under Wine: each page as it opens, and each of its entries hot with the help text it
shows; puts them together on one contact sheet, marked with what discmenu-check finds. For each
language a sheet of every message the page can show, as it would read.

    preview.py [DISC_DIR] [--out DIR] [--dpi DPI] [--program INSTALL_EXE]

Which pages there are and which entry opens each sub-page comes from discmenu-check --json
(build/linux/discmenu-check, `make linux`), which reads the language files with the menu's
own reader; what the pictures show is what the program draws. The messages' texts are the ones
discmenu-check reads as the menu shows them (the file's, or the built-in one), with example
values in their blanks. The checker's findings are
printed, written to findings.txt and shown under the contact sheet. The menu runs on the
end-to-end tests' desktop (tests/e2e/harness.py): a throwaway Wine prefix, an X server and a
window manager of its own, the disc copied into the prefix, the probe to find the windows and
real pointer events to open the sub-pages.
"""

import argparse
import json
import os
import re
import shutil
import signal
import struct
import subprocess
import sys
import tempfile
import time
import zlib
from pathlib import Path

SOURCE_DIR = Path(__file__).resolve().parents[2]
sys.path.insert(0, str(SOURCE_DIR / "tests" / "e2e"))
sys.path.insert(0, str(SOURCE_DIR / "tools" / "brand"))

import harness  # noqa: E402
import pe_resources  # noqa: E402
from test_menu import ENTRY_LEFT, ENTRY_PITCH, ENTRY_TOP, FIRST_KEY, WHITE  # noqa: E402

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
# The languages' names, which name their documentation folders.
LANGUAGE_NAMES = ["English", "Fran\u00e7ais", "Deutsch", "Italiano", "Espa\u00f1ol", "Chinese"]
MAIN_PAGE = "Main Dialog"
CHECK_PROGRAM = Path(os.environ.get("DISCMENU_CHECK_PROGRAM",
                                    SOURCE_DIR / "build" / "linux" / "discmenu-check"))
PAGE_SIZE = (597, 340)
# The screen resolution the pages are drawn at (--dpi); every length above and below is one of
# the 96-DPI design, and px() gives it at this resolution as the program scales it.
DPI = 96


def px(length):
    return (length * DPI + 48) // 96


def page_size():
    return px(PAGE_SIZE[0]), px(PAGE_SIZE[1])
SUBPAGE, CLOSE = 1, 2
# Entries from the eighth on are drawn over the help strip; the eighth is the last one that
# lies inside the page and can be clicked.
VISIBLE_ENTRIES, CLICKABLE_ENTRIES = 7, 8
NEUTRAL_POINT = (100, 100)  # over the background picture, where the pointer makes nothing hot
ENTRY_SIZE = (185, 37)
HELP_STRIP_TOP, HELP_STRIP_HEIGHT = 300, 40
# A row of the help picture: the entry's hot face, a gap, and the help strip as it shows then.
HELP_FACE_WIDTH = ENTRY_SIZE[0] + 8
HELP_ROW_PITCH = HELP_STRIP_HEIGHT + 4
# A page on the contact sheet: framed in the colour of its worst finding, its help rows beside.
FRAME, CELL_GAP = 4, 12
FRAME_COLOURS = {"error": (220, 0, 0), "warning": (255, 140, 0), "note": (40, 110, 220)}
SEVERITIES = ("error", "warning", "note")
# A page is painted once its pixels stay the same over this many screenshots this far apart.
STABLE_SHOTS, STABLE_INTERVAL = 3, 0.15


# The messages: the application's name, which is the caption of a message without one of its
# own, and the example values put into the blanks.
APPLICATION_NAME = "Install"
EXAMPLE_DISC = "D:\\"
EXAMPLE_TEMP = "C:\\Users\\Name\\AppData\\Local\\Temp\\discmenu.0123456789abcdef\\"
JAVA_INSTALLER = "j2re-1_4_1_01-windows-i586-i.exe"
MESSAGES_FONT = "DejaVu-Sans"
CHINESE_FONT = "/usr/share/fonts/truetype/wqy/wqy-microhei.ttc"  # fonts-wqy-microhei
MESSAGE_WIDTH = 90  # characters a line of the sheet holds


class PreviewError(Exception):
    pass


# The language files ------------------------------------------------------------------------

def run_check(disc, *options):
    if not CHECK_PROGRAM.is_file():
        raise PreviewError(f"{CHECK_PROGRAM} is missing; run make linux first")
    result = subprocess.run([str(CHECK_PROGRAM), *options, str(disc)], capture_output=True,
                            text=True, encoding="utf-8")
    if result.returncode not in (0, 1, 2):  # clean, warnings, errors: all give the pages
        raise PreviewError(f"discmenu-check could not read the disc: {result.stderr.strip()}")
    return result.stdout


def read_disc(disc):
    """The disc as discmenu-check reads it: for each language code, its file name, whether the
    file could be read, and its pages from the main page on, each as a list of (type, execute)
    of its entries, as the menu reads them; and its report as JSON (with each language's texts
    as the menu shows them) and as text."""
    report = json.loads(run_check(disc, "--json"))
    languages = {}
    for language in report["languages"]:
        pages = {page["name"]: [(entry["type"], entry["execute"]) for entry in page["entries"]]
                 for page in language["pages"]}
        languages[language["code"]] = (language["file"], language["read"], pages)
    return languages, report, run_check(disc)


def findings_by_page(report):
    """How many findings of each severity show on each page, by (language code, page name): a
    finding shows on a page when one of its places is the page's section of the language's
    file; one about the file's texts, prompts or the file as a whole shows on its main page."""
    code_of = {language["file"].lower(): language["code"] for language in report["languages"]}
    pages_of = {language["code"]: [page["name"] for page in language["pages"]]
                for language in report["languages"]}
    counts = {}
    for finding in report["findings"]:
        shown = set()
        places = finding.get("places") or [finding]  # "places" is newer than the first place
        for place in places:
            code = code_of.get(place["file"].lower())
            if code is None:
                continue
            page = next((name for name in pages_of[code]
                         if name.lower() == place["section"].lower()), MAIN_PAGE)
            shown.add((code, page))
        for key in shown:
            severities = counts.setdefault(key, dict.fromkeys(SEVERITIES, 0))
            severities[finding["severity"]] += 1
    return counts


def cell_label(code, page, missing, entry_count, counts):
    """The label of a page on the contact sheet: language and section, what is missing, and how
    many findings show on it."""
    label = f"{code}: {page}" + (" (no language file)" if missing else "")
    if entry_count == 0:
        label += " \u2014 no entries"
    found = ", ".join(f"{n} {severity}{'' if n == 1 else 's'}"
                      for severity, n in (counts or {}).items() if n)
    return label + (f" \u2014 {found}" if found else "")


RT_RCDATA = 10


def forced_language_key(program):
    """The first key the program reads ForceLanguage from: its brand's, from the brand.ini it
    carries as its resource BRAND (written by the build or by discmenu-brand), else the sample
    product's."""
    try:
        found = pe_resources.resources(Path(program).read_bytes())
    except (OSError, ValueError, struct.error):
        found = {}
    ini = next((body for (kind, name, _), body in found.items()
                if kind == RT_RCDATA and name == "BRAND"), None)
    key = brand_value(ini, "Registry", "LanguageKey") if ini is not None else ""
    return "HKLM\\" + key if key else FIRST_KEY


def brand_value(data, section, name):
    """A value of the brand.ini text `data` as the program reads it: names in any letter case,
    blanks around names and values dropped, one pair of quotes removed, the first of a name in
    the first section of a name; empty when it is not there."""
    for mark, encoding in ((b"\xef\xbb\xbf", "utf-8"), (b"\xff\xfe", "utf-16-le"),
                           (b"\xfe\xff", "utf-16-be")):
        if data.startswith(mark):
            text = data[len(mark):].decode(encoding, "replace")
            break
    else:
        try:
            text = data.decode("utf-8")
        except UnicodeDecodeError:
            text = data.decode("cp1252", "replace")
    current, seen = None, set()
    for line in re.split(r"[\r\n]", text):
        line = line.strip()
        if line.startswith("[") and "]" in line:
            header = line[1:line.rindex("]")].strip().lower()
            current = None if header in seen else header
            seen.add(header)
        elif current == section.lower() and "=" in line:
            key, value = (part.strip() for part in line.split("=", 1))
            if key.lower() == name.lower():
                if len(value) >= 2 and value[0] == value[-1] and value[0] in "'\"":
                    value = value[1:-1]
                return value
    return ""


def pixels_of(shot, left, top, width, height):
    """The bytes of a rectangle of a screenshot, row by row."""
    stride = 3 * shot.width
    return b"".join(shot.pixels[stride * y + 3 * left:stride * y + 3 * (left + width)]
                    for y in range(top, top + height))


def plain(pixels, colour):
    """Whether every pixel of `pixels` (bytes, as pixels_of gives them) is `colour`."""
    return pixels == bytes(colour) * (len(pixels) // 3)


def find_file(disc, name):
    """The disc's file of that name in any letter case, as Windows finds it."""
    for path in disc.iterdir():
        if path.name.lower() == name.lower() and path.is_file():
            return path
    return None


def safe_name(text):
    return re.sub(r"[^A-Za-z0-9._-]+", "_", text).strip("_") or "page"


# Messages --------------------------------------------------------------------------------------

def fill_in(text, values):
    """`text` with its %s filled with `values` in order and %% as a percent sign, as the
    program fills its texts."""
    values = list(values)
    pieces = re.split(r"(%%|%s)", text)
    return "".join("%" if piece == "%%" else values.pop(0) if piece == "%s" and values
                   else piece for piece in pieces)


def page_messages(texts, language_name):
    """Every message a page in the language of `texts` (key -> text as the menu shows it) can
    show, as (what brings it up, caption, text), and what a screen reader says an entry does."""
    def t(key, *values):
        return fill_in(texts.get(key, ""), values)

    setup = EXAMPLE_DISC + "Disk1\\setup.exe"
    java = EXAMPLE_DISC + "SunInstall\\" + JAVA_INSTALLER
    document = EXAMPLE_DISC + "Documentation\\" + language_name + "\\UserManual.pdf"
    reason = "\r\n\r\n" + t("IDS_ERROR_CODE", "112")
    file_line = "\r\n\r\n" + t("IDS_FILE_LABEL") + " " + document
    return [
        ("the disc is missing", t("IDS_TITLE"), t("IDS_NOMEDIAINDEVICE")),
        ("a program cannot be started", t("IDS_ERROR_CAPTION"), t("IDS_CANNOT_START", setup)),
        ("the browser is too old for the Java runtime", t("IDS_TITLE"), t("IDS_WARNING")),
        ("no temporary folder for the Java runtime", t("IDS_ERROR_CAPTION"),
         t("IDS_JAVA_NO_TEMP", java)),
        ("the Java runtime cannot be copied", t("IDS_ERROR_CAPTION"),
         t("IDS_JAVA_COPY_FAILED", java, EXAMPLE_TEMP + JAVA_INSTALLER) + reason),
        ("the Java runtime cannot be started", t("IDS_ERROR_CAPTION"),
         t("IDS_JAVA_START_FAILED", EXAMPLE_TEMP + JAVA_INSTALLER) + reason),
        ("the manuals page is missing", t("IDS_ERROR_CAPTION"),
         t("IDS_NO_HTML_FILE") + "\r\n\r\n" + EXAMPLE_DISC + "Documentation\\" +
         language_name + "\\HTML\\manulist.htm"),
        ("a document without a program", t("IDS_TITLE"), t("IDS_NO_PDF_READER") + file_line),
        ("a manuals link to a program", t("IDS_TITLE"), t("IDS_LINK_TO_PROGRAM") + file_line),
        ("a manuals link out of the manuals' folder", t("IDS_TITLE"),
         t("IDS_LINK_OUTSIDE") + file_line),
        ("the product is not installed (USB drivers)", APPLICATION_NAME, t("IDS_NOVDINSTALL")),
        ("the USB drivers are installed", APPLICATION_NAME, t("IDS_FILECOPYSUCCESS")),
        ("the USB drivers fail", APPLICATION_NAME,
         t("IDS_USB_FAILED", t("IDS_USBTITLE"), t("IDS_ERROR_CODE", "5"))),
        ("the administrator rights are declined", APPLICATION_NAME, t("IDS_USB_DECLINED")),
        ("an unexpected error", t("IDS_STARTUP_CAPTION"),
         t("IDS_UNEXPECTED_ERROR") + "\r\n\r\n..."),
        ("a screen reader names an entry's action", None, t("IDS_PRESS")),
    ]


def messages_sheet(path, code, file_name, messages):
    """A picture of the messages: for each, what brings it up, its caption in brackets, and its
    text, lines wrapped as a reader would."""
    SPACE = ["-size", "1x10", "xc:white", "+size"]  # a label of no text draws nothing
    font = CHINESE_FONT if code == "CHN" and Path(CHINESE_FONT).is_file() else MESSAGES_FONT
    labels = ["-fill", "black", "-pointsize", "16",
              f"label:{escaped(f'{code}: the messages of {file_name} as they read')}",
              "-pointsize", "13"]
    for what, caption, text in messages:
        labels += [*SPACE, "-fill", "#606060", f"label:{escaped(what)}"]
        if caption is not None:
            labels += ["-fill", "#003399", f"label:{escaped('[' + caption + ']')}"]
        labels += ["-fill", "black"]
        for line in text.replace("\r\n", "\n").split("\n"):
            width = MESSAGE_WIDTH * 2 // 3 if code == "CHN" else MESSAGE_WIDTH  # wide characters
            while len(line) > width:
                cut = line.rfind(" ", 0, width)
                cut = cut if cut > 0 else width
                labels.append(f"label:{escaped(line[:cut])}")
                line = line[cut:].lstrip(" ")
            labels += [f"label:{escaped(line)}"] if line else SPACE
    result = subprocess.run(
        ["convert", "-background", "white", "-font", font, *labels, "-gravity", "west",
         "-append", "-bordercolor", "white", "-border", "12", "+repage", "-alpha", "off",
         "-depth", "8", "-define", "png:exclude-chunks=date,time", str(path)],
        capture_output=True)
    if result.returncode != 0:
        raise PreviewError("convert could not draw the messages: "
                           + result.stderr.decode(errors="replace").strip())


# Pictures --------------------------------------------------------------------------------------

class Canvas:
    """An RGB picture, white to begin with, that rectangles of screenshots and other canvases
    are copied into."""

    def __init__(self, width, height):
        self.width, self.height = width, height
        self.pixels = bytearray(b"\xff" * (3 * width * height))

    def paste(self, source, left, top, width, height, x=0, y=0):
        """Copies the rectangle (left, top, width, height) of `source` (a Canvas or a screenshot)
        to (x, y)."""
        for row in range(height):
            start = 3 * ((top + row) * source.width + left)
            at = 3 * ((y + row) * self.width + x)
            self.pixels[at:at + 3 * width] = source.pixels[start:start + 3 * width]

    def fill(self, left, top, width, height, colour):
        for row in range(top, top + height):
            at = 3 * (row * self.width + left)
            self.pixels[at:at + 3 * width] = bytes(colour) * width

    def frame(self, left, top, width, height, colour, thickness):
        """A frame of that thickness along the inside of the rectangle."""
        self.fill(left, top, width, thickness, colour)
        self.fill(left, top + height - thickness, width, thickness, colour)
        self.fill(left, top, thickness, height, colour)
        self.fill(left + width - thickness, top, thickness, height, colour)

    def write_png(self, path, compression=9):
        """Writes the picture as an 8-bit RGB PNG."""
        rows = b"".join(b"\0" + bytes(self.pixels[3 * y * self.width:3 * (y + 1) * self.width])
                        for y in range(self.height))

        def chunk(tag, data):
            return (struct.pack(">I", len(data)) + tag + data
                    + struct.pack(">I", zlib.crc32(tag + data)))

        path.write_bytes(b"\x89PNG\r\n\x1a\n"
                         + chunk(b"IHDR", struct.pack(">IIBBBBB", self.width, self.height,
                                                      8, 2, 0, 0, 0))
                         + chunk(b"IDAT", zlib.compress(rows, compression)) + chunk(b"IEND", b""))


def contact_cell(page, help_rows, colour):
    """A page on the contact sheet: the page as it opens, framed in the colour of its worst
    finding, and beside it its entries hot with their help texts."""
    width, height = page_size()
    cell = Canvas(2 * FRAME + width + CELL_GAP + (help_rows.width if help_rows else 0),
                  2 * FRAME + max(height, help_rows.height if help_rows else 0))
    cell.paste(page, 0, 0, width, height, FRAME, FRAME)
    if colour:
        cell.frame(0, 0, width + 2 * FRAME, height + 2 * FRAME, colour, FRAME)
    if help_rows:
        cell.paste(help_rows, 0, 0, help_rows.width, help_rows.height,
                   2 * FRAME + width + CELL_GAP, FRAME)
    return cell


def escaped(text):
    """`text` as ImageMagick takes it in a label or caption, where % and \\ are escapes."""
    return text.replace("%", "%%").replace("\\", "\\\\")


def contact_sheet(out, rows, columns, cells, labels, findings_text):
    """One picture of every page: a row per language, a column per page, each labelled; an
    empty cell where a language has no such page; the checker's findings below."""
    arguments = ["montage", "-font", "DejaVu-Sans", "-pointsize", "15", "-background", "white"]
    for code in rows:
        for page in columns:
            path = cells.get((code, page))
            arguments += ["-label", escaped(labels[(code, page)]) if path else "",
                          str(path) if path else "null:"]
    sheet = out / "contact-sheet.png"
    arguments += ["-tile", f"{len(columns)}x{len(rows)}", "-geometry", "+10+8", "miff:-"]
    montage = subprocess.run(arguments, capture_output=True)
    if montage.returncode != 0:
        raise PreviewError("montage could not make the contact sheet: "
                           + montage.stderr.decode(errors="replace").strip())
    # A label a line, as ImageMagick takes only a few thousand characters for one label.
    lines = [f"label:{escaped(line) or ' '}"
             for line in ["discmenu-check:", *findings_text.rstrip("\n").split("\n")]]
    result = subprocess.run(
        ["convert", "-", "-background", "white", "(", "-font", "DejaVu-Sans-Mono",
         "-pointsize", "13", *lines, ")", "-gravity", "west", "-append", "+repage",
         "-alpha", "off", "-depth", "8", "-define", "png:exclude-chunks=date,time", str(sheet)],
        input=montage.stdout, capture_output=True)
    if result.returncode != 0:
        raise PreviewError("convert could not add the findings to the contact sheet: "
                           + result.stderr.decode(errors="replace").strip())
    return sheet


# The menu on screen ----------------------------------------------------------------------------

class Previewer:
    def __init__(self, wine, disc, out):
        self.wine, self.disc, self.out = wine, disc, out
        self.shots = {}  # (language code, page name) -> PNG path
        self.pictures = {}  # (language code, page name) -> (the page's Canvas, its help rows)
        self.missing = set()  # codes of the languages without a readable file on the disc
        self.absent = set()  # codes of the languages without a file, which the chooser leaves out
        self.notes = []
        self.windows_disc = None  # the disc's folder in the prefix, as Windows names it
        self.rest = {}  # window handle -> a screenshot of that page with no entry hot
        self.program = None  # the Install.exe that draws the pages

    def at(self, page, x, y):
        return page.left + px(x), page.top + px(y)

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

    def client(self, shot, page):
        return pixels_of(shot, page.left, page.top, *page_size())

    def entry_region(self, shot, page, index):
        left, top = self.at(page, ENTRY_LEFT, ENTRY_TOP + ENTRY_PITCH * index)
        return pixels_of(shot, left, top, px(ENTRY_SIZE[0]), px(ENTRY_SIZE[1]))

    def settled(self, region_of):
        """A screenshot whose region_of(shot) came out the same in this and the last two
        screenshots, taken a moment apart: the window has drawn what it draws. None while it
        still changes."""
        shots = []
        for _ in range(STABLE_SHOTS):
            if shots:
                time.sleep(STABLE_INTERVAL)
            shots.append(self.wine.screenshot())
        regions = [region_of(shot) for shot in shots]
        return shots[-1] if all(region == regions[0] for region in regions) else None

    def painted(self, page, entry_count, covered=None):
        """Whether the page shows its own drawing, whatever the colours of the brand: its
        pixels have stopped changing, the help strip and each of its entries show something
        other than the white behind them, and the places without an entry show only that
        white. `covered` is the page this one opened over, as it looked when its entry was
        clicked: pixels that still show it (the clicked entry hot) are not this page's."""
        shot = self.settled(lambda s: self.client(s, page))
        if shot is None:
            return None
        if covered is not None and self.client(shot, page) == self.client(covered, page):
            return None
        strip_left, strip_top = self.at(page, 0, HELP_STRIP_TOP)
        if plain(pixels_of(shot, strip_left, strip_top, page_size()[0], px(HELP_STRIP_HEIGHT)),
                 WHITE):
            return None
        for index in range(VISIBLE_ENTRIES):
            if plain(self.entry_region(shot, page, index), WHITE) != (index >= entry_count):
                return None
        return shot

    def capture(self, code, label, page, entry_count, covered=None):
        """Takes the page at rest, then each entry hot. `covered`: see painted()."""
        size = page_size()
        if (page.width, page.height) != size:
            raise PreviewError(f"{code}: page {label!r} is {page.width} x {page.height}, "
                               f"not {size[0]} x {size[1]} at {DPI} DPI")
        self.wine.move_pointer(*self.at(page, *NEUTRAL_POINT))
        shot = self.wait_for(lambda: self.painted(page, entry_count, covered))
        if shot is None:
            raise PreviewError(f"{code}: page {label!r} was not painted as expected "
                               f"(help strip, {entry_count} entries)")
        path = self.out / f"{code}-{safe_name(label)}.png"
        taken = {p.name.lower() for p in self.shots.values()}
        number = 2
        while path.name.lower() in taken:
            path = self.out / f"{code}-{safe_name(label)}-{number}.png"
            number += 1
        picture = Canvas(*size)
        picture.paste(shot, page.left, page.top, *size)
        picture.write_png(path)
        self.shots[(code, label)] = path
        self.rest[page.hwnd] = shot
        help_rows = self.hover(code, label, page, entry_count, shot)
        if help_rows:
            help_rows.write_png(path.with_name(path.stem + "-help.png"))
        self.pictures[(code, label)] = (picture, help_rows)

    def hover(self, code, label, page, entry_count, at_rest):
        """Points at each entry that lies above the help strip, and returns a picture of a row
        for each: the entry's hot face beside the help strip as it shows then; None for a page
        without entries. `at_rest` is the page with no entry hot."""
        shown = min(entry_count, VISIBLE_ENTRIES)
        if entry_count > shown:
            self.notes.append(f"{code}: the entries of {label!r} from the eighth on lie over the "
                              "help strip or below the page; their help is not shown")
        if shown == 0:
            return None
        rows = Canvas(px(HELP_FACE_WIDTH) + page_size()[0],
                      shown * px(HELP_ROW_PITCH) - px(4))
        for index in range(shown):
            top = ENTRY_TOP + ENTRY_PITCH * index
            self.wine.xdotool("mousemove", "--sync", *self.at(page, 500, top + 18))
            shot = self.wait_for(lambda: self.hot(page, index, at_rest))
            if shot is None:
                raise PreviewError(f"{code}: entry {index} of page {label!r} did not turn hot "
                                   "under the pointer")
            y = index * px(HELP_ROW_PITCH)
            face_left, face_top = self.at(page, ENTRY_LEFT, top)
            rows.paste(shot, face_left, face_top, px(ENTRY_SIZE[0]), px(ENTRY_SIZE[1]),
                       0, y + px((HELP_STRIP_HEIGHT - ENTRY_SIZE[1]) // 2))
            rows.paste(shot, page.left, page.top + px(HELP_STRIP_TOP), page_size()[0],
                       px(HELP_STRIP_HEIGHT), px(HELP_FACE_WIDTH), y)
        return rows

    def hot(self, page, index, at_rest):
        """A screenshot that shows entry `index` hot, or None: its face no longer the one of
        the page at rest `at_rest`, and the page no longer changing (it draws the help strip in
        the same move)."""
        shot = self.settled(lambda s: self.client(s, page))
        if shot is None or (self.entry_region(shot, page, index) ==
                            self.entry_region(at_rest, page, index)):
            return None
        return shot

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

    def walk(self, code, pages, label, page, seen, covered=None):
        """Captures the page, then opens each sub-page that no page has opened yet by clicking
        its entry, captures it and what it opens in turn, and closes it again."""
        entries = pages.get(label, [])
        self.capture(code, label, page, len(entries), covered)
        for index, (kind, target) in enumerate(entries):
            if kind != SUBPAGE or target in seen:
                continue
            seen.add(target)
            if index >= CLICKABLE_ENTRIES:
                self.notes.append(f"{code}: entry {index} of {label!r} opens {target!r} "
                                  "but lies below the page; not shown")
                continue
            before = self.install_windows()
            self.wine.move_pointer(*self.at(page, 500, ENTRY_TOP + ENTRY_PITCH * index + 18))
            clicked = self.wait_for(lambda: self.hot(page, index, self.rest[page.hwnd]))
            if clicked is None:
                raise PreviewError(f"{code}: entry {index} of page {label!r} did not turn hot "
                                   "under the pointer")
            self.wine.click(*self.at(page, 500, ENTRY_TOP + ENTRY_PITCH * index + 18))
            opened = self.wait_for(lambda: [w for h, w in self.install_windows().items()
                                            if h not in before])
            if opened is None:
                raise PreviewError(f"{code}: entry {index} of {label!r} did not open "
                                   f"page {target!r}")
            self.walk(code, pages, target, opened[0], seen, clicked)
            self.close(opened[0], pages.get(target, []))

    def language(self, code, locale, file_name, read, pages):
        if not read:
            self.missing.add(code)
            self.notes.append(f"{code}: no readable {file_name} on the disc; the program shows "
                              "its built-in texts and no entries")
        self.wine.set_registry_string(forced_language_key(self.program), "ForceLanguage", code)
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
        self.program = program
        self.windows_disc = self.wine.install_disc()
        copy = self.wine.unix_path(self.windows_disc)
        on_disc = find_file(copy, "Install.exe")
        if on_disc is not None:
            on_disc.unlink()
        shutil.copyfile(program, copy / "Install.exe")
        for code, locale in LANGUAGES:
            file_name = languages[code][0]
            if find_file(copy, file_name) is None and not (copy / file_name).exists():
                self.absent.add(code)
                self.notes.append(f"{code}: no {file_name} on the disc; the chooser does not "
                                  "list the language")
                continue
            self.language(code, locale, *languages[code])
            pages = [label for (c, label) in self.shots if c == code]
            print(f"{code}: {len(pages)} page(s): {', '.join(pages)}", flush=True)


# The machine types of a PE file's header, by the build whose programs have them.
MACHINES = {"mingw": 0x14C, "mingw64": 0x8664}


def machine(path):
    """The machine type in the PE header of the program `path`, or None."""
    try:
        data = Path(path).read_bytes()[:4096]
        pe, = struct.unpack_from("<I", data, 0x3C)
        return struct.unpack_from("<H", data, pe + 4)[0] if data[pe:pe + 4] == b"PE\0\0" else None
    except (OSError, struct.error):
        return None


def drawing_program(disc):
    """The program that draws the pages: the disc's own Install.exe, the one that ships with
    its brand, where this machine runs that kind of program; else the one built here."""
    built = harness.BUILD_DIR / "Install.exe"
    on_disc = find_file(disc, "Install.exe")
    if on_disc is None:
        print(f"The disc has no Install.exe: the pages are drawn by {built}")
        return built
    if machine(on_disc) == MACHINES.get(harness.BUILD_DIR.name, machine(built)):
        print(f"The pages are drawn by the disc's own {on_disc}")
        return on_disc
    print(f"The disc's {on_disc.name} is not the kind of program that runs here "
          f"({harness.RUNTIME_NOTE}): the pages are drawn by {built}, with the look that build "
          "carries")
    return built


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("disc", nargs="?", default=str(SOURCE_DIR / "build" / "disc"),
                        help="the disc's root folder (default: the sample disc build/disc)")
    parser.add_argument("--out", default=str(SOURCE_DIR / "build" / "preview"),
                        help="where the pictures go (default: build/preview)")
    parser.add_argument("--dpi", type=int, default=96,
                        help="the screen resolution to draw the pages at (default: 96)")
    parser.add_argument("--program",
                        help="the Install.exe that draws the pages (default: the disc's own, "
                             "where this machine runs its kind of program; else the one built)")
    arguments = parser.parse_args()
    global DPI
    DPI = arguments.dpi
    if not 48 <= DPI <= 480:
        sys.exit(f"preview: {DPI} DPI is no screen resolution")
    disc, out = Path(arguments.disc).resolve(), Path(arguments.out).resolve()

    if not disc.is_dir():
        sys.exit(f"preview: {disc} is not a folder")
    try:
        languages, report, findings_text = read_disc(disc)
    except PreviewError as error:
        sys.exit(f"preview: {error}")
    if not any(read for _, read, _ in languages.values()):
        sys.exit(f"preview: {disc} has no language file "
                 f"({', '.join(file for file, _, _ in languages.values())})")
    program = Path(arguments.program).resolve() if arguments.program else drawing_program(disc)
    if not program.is_file():
        sys.exit(f"preview: {program} is missing; run make mingw first")
    out.mkdir(parents=True, exist_ok=True)
    for old in [*out.glob("*.png"), out / "findings.txt"]:
        old.unlink(missing_ok=True)

    # A stop from outside still ends Wine, the window manager and the X server.
    signal.signal(signal.SIGTERM, lambda *_: sys.exit("preview: stopped"))
    harness.DISC_DIR = disc
    print(f"Previewing {disc} with Wine and Xvfb, running {harness.RUNTIME_NOTE} ...", flush=True)
    # Room for the page and the sub-pages it opens at the resolution asked for.
    wine = harness.WineDesktop(max(1024, px(1024)), max(768, px(768)))
    wine.set_dpi(DPI)
    previewer = Previewer(wine, disc, out)
    try:
        previewer.run(program, languages)
    except PreviewError as error:
        sys.exit(f"preview: {error}")
    finally:
        wine.close()

    findings = out / "findings.txt"
    findings.write_text(findings_text, encoding="utf-8")
    message_sheets = []
    for language in report["languages"]:
        code = language["code"]
        if language["read"] and code not in previewer.absent:
            name = next(n for (c, _), n in zip(LANGUAGES, LANGUAGE_NAMES) if c == code)
            message_sheets.append(out / f"{code}-messages.png")
            try:
                messages_sheet(message_sheets[-1], code, language["file"],
                               page_messages(language["texts"], name))
            except PreviewError as error:
                sys.exit(f"preview: {error}")
    counts = findings_by_page(report)
    columns = list(dict.fromkeys(label for _, label in previewer.shots))
    cells, labels = {}, {}
    with tempfile.TemporaryDirectory() as folder:
        for (code, page), (picture, help_rows) in previewer.pictures.items():
            found = counts.get((code, page), {})
            worst = next((severity for severity in SEVERITIES if found.get(severity)), None)
            cells[(code, page)] = Path(folder) / f"{len(cells)}.png"
            contact_cell(picture, help_rows, FRAME_COLOURS.get(worst)).write_png(
                cells[(code, page)], compression=1)
            labels[(code, page)] = cell_label(code, page, code in previewer.missing,
                                              len(languages[code][2].get(page, [])), found)
        try:
            sheet = contact_sheet(out, [code for code, _ in LANGUAGES
                                        if code not in previewer.absent],
                                  columns, cells, labels, findings_text)
        except PreviewError as error:
            sys.exit(f"preview: {error}")
    if "CHN" not in previewer.missing and shutil.which("fc-list") and not subprocess.run(
            ["fc-list", ":lang=zh"], capture_output=True, text=True).stdout.strip():
        previewer.notes.append("CHN: this machine has no Chinese font, so Chinese characters "
                               "show as boxes (their number and places are right)")
    for note in previewer.notes:
        print("Note:", note)
    print("discmenu-check finds (also in findings.txt and under the contact sheet):")
    print(findings_text, end="")
    print("Files written:")
    written = [path for shot in previewer.shots.values()
               for path in (shot, shot.with_name(shot.stem + "-help.png")) if path.exists()]
    for path in written + message_sheets + [sheet, findings]:
        print(" ", path)


if __name__ == "__main__":
    main()
