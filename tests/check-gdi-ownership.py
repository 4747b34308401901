#!/usr/bin/env python3
"""Fails where the program's code makes, selects or frees a drawing object or device context
outside the owners of framework/win32/Gdi.h.

Every creating call must hand its handle straight to an owner: constructed from it
(`CFont(CreateFontA(...))`, `const CPen pen(CreatePen(...))`), reset to it
(`m_brush.reset(CreateSolidBrush(...))`) or a member of owner type initialised with it. Calls
that select, release or delete belong in the owners alone. Usage: check-gdi-ownership.py
SOURCE_DIR [FOLDER...]
"""

import re
import sys
from pathlib import Path

OWNER_HEADER = "framework/win32/Gdi.h"
OWNER_TYPES = r"(?:CBitmap|CPalette|CFont|CPen|CBrush)"
CREATING = (
    "CreateBitmap", "CreateBitmapIndirect", "CreateBrushIndirect", "CreateCompatibleBitmap",
    "CreateDIBitmap", "CreateDIBSection", "CreateFontA", "CreateFontIndirectA",
    "CreateHalftonePalette", "CreateHatchBrush", "CreatePalette", "CreatePatternBrush",
    "CreatePen", "CreatePenIndirect", "CreateSolidBrush", "LoadBitmapA",
)
# LoadImageA makes a drawing object only for IMAGE_BITMAP; icons and cursors are not counted.
CREATING_BITMAP_IMAGE = "LoadImageA"
OWNERS_ONLY = (
    "SelectObject", "SelectPalette", "DeleteObject", "DeleteDC", "GetDC", "GetDCEx",
    "GetWindowDC", "ReleaseDC", "BeginPaint", "EndPaint", "CreateCompatibleDC", "CreateDCA",
    "CreateICA",
)
DEFAULT_FOLDERS = ("app", "menu", "docs", "usb", "framework", "platform", "check")


def strip_comments(text):
    text = re.sub(r"/\*.*?\*/", " ", text, flags=re.S)
    return re.sub(r"//[^\n]*", " ", text)


def owner_members(files):
    """Names of the data members declared with an owner type."""
    names = set()
    for path in files:
        for match in re.finditer(OWNER_TYPES + r"\s+(m_\w+)\s*[;{]", strip_comments(
                path.read_text(encoding="utf-8", errors="replace"))):
            names.add(match.group(1))
    return names


def handed_to_owner(before, members):
    """Whether the text just before a call hands its result to an owner."""
    cast = r"(?:static_cast<\w+>\(\s*)?"
    owner = (r"(?:\b" + OWNER_TYPES + r"(?:\s+\w+)?\(|\.reset\(|\b(?:" +
             "|".join(map(re.escape, sorted(members))) + r")\()") if members else \
        r"(?:\b" + OWNER_TYPES + r"(?:\s+\w+)?\(|\.reset\()"
    return re.search(owner + r"\s*" + cast + r"$", before) is not None


def findings(source_dir, folders):
    files = sorted(p for folder in folders for p in (source_dir / folder).rglob("*")
                   if p.suffix in (".cpp", ".h"))
    members = owner_members(files)
    found = []
    for path in files:
        relative = path.relative_to(source_dir).as_posix()
        if relative == OWNER_HEADER:
            continue
        text = strip_comments(path.read_text(encoding="utf-8", errors="replace"))
        for match in re.finditer(r"\b(\w+)\s*\(", text):
            name = match.group(1)
            line = text.count("\n", 0, match.start()) + 1
            if name in OWNERS_ONLY:
                found.append(f"{relative}:{line}: {name} outside the owners")
                continue
            creating = name in CREATING or (
                name == CREATING_BITMAP_IMAGE and "IMAGE_BITMAP" in text[match.end():][:200])
            before = re.sub(r"\s+", " ", text[max(0, match.start() - 200):match.start()])
            if creating and not handed_to_owner(before, members):
                found.append(f"{relative}:{line}: {name} not handed straight to an owner")
    return found


def main(argv):
    if len(argv) < 2:
        print(__doc__)
        return 2
    source_dir = Path(argv[1])
    folders = argv[2:] or DEFAULT_FOLDERS
    found = findings(source_dir, folders)
    for finding in found:
        print(finding)
    print(f"{len(found)} finding(s)")
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
