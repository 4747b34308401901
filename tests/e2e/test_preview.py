"""The disc preview (tools/preview/preview.py, `make preview`): every page of the sample disc in
every language as a picture of the page and a picture of its entries hot with their help texts,
the contact sheet of them all with the checker's findings, and the marks on the sheet."""

import shutil
import struct
import subprocess
import sys
import tempfile
import unittest
import zlib
from pathlib import Path

from harness import BUILD_DIR, DISC_DIR, SECOND_BRAND_DIR, SOURCE_DIR, branded_program
from test_menu import ENTRY_LEFT, ENTRY_TOP, HOT_TOP, bmp_pixel, near

sys.path.insert(0, str(SOURCE_DIR / "tools" / "preview"))
import preview  # noqa: E402

PREVIEW = SOURCE_DIR / "tools" / "preview" / "preview.py"
CODES = ["ENU", "FRA", "DEU", "ITA", "ESP", "CHN"]
ENTRIES = {"Main_Dialog": 7, "Lumo_Dialog": 3}


def png_size(path):
    """Width and height from the PNG's header chunk."""
    return struct.unpack(">II", path.read_bytes()[16:24])


def png_rows(path):
    """The rows of pixels of a PNG the preview wrote (8-bit RGB, one IDAT chunk, no filters),
    each as bytes."""
    data = path.read_bytes()
    width, height = png_size(path)
    length = struct.unpack(">I", data[33:37])[0]
    assert data[37:41] == b"IDAT", path
    raw = zlib.decompress(data[41:41 + length])
    stride = 1 + 3 * width
    return [raw[y * stride + 1:(y + 1) * stride] for y in range(height)]


def region(rows, left, top, width, height):
    return [row[3 * left:3 * (left + width)] for row in rows[top:top + height]]


class PreviewTest(unittest.TestCase):
    def preview(self, disc, out, *options):
        return subprocess.run([sys.executable, str(PREVIEW), str(disc), "--out", str(out),
                               *options], capture_output=True, text=True, timeout=600)

    def test_another_brand_with_its_own_buttons_at_96_and_192_dpi(self):
        # The disc's program given the second sample brand by the brand tool, whose faces, help
        # strip and text colours are its own, over the sample disc in English only. The preview
        # reads the brand's language key from the brand resource the tool wrote into it.
        brand = SECOND_BRAND_DIR
        with tempfile.TemporaryDirectory() as folder:
            program = branded_program(brand, Path(folder) / "Install.exe")
            disc = Path(folder) / "disc"
            shutil.copytree(DISC_DIR, disc)
            for other in ("Inst40c.inf", "Inst407.inf", "Inst410.inf", "Inst40a.inf",
                          "Inst804.inf"):
                (disc / other).unlink()
            for dpi, scale, suffix in ((96, 1, ""), (192, 2, "@2x")):
                with self.subTest(dpi=dpi):
                    out = Path(folder) / str(dpi)
                    result = self.preview(disc, out, "--dpi", str(dpi), "--program", str(program))
                    self.assertEqual(result.returncode, 0, result.stdout + result.stderr)
                    names = sorted(p.name for p in out.glob("*.png"))
                    self.assertEqual(names, ["ENU-Lumo_Dialog-help.png", "ENU-Lumo_Dialog.png",
                                             "ENU-Main_Dialog-help.png", "ENU-Main_Dialog.png",
                                             "ENU-messages.png", "contact-sheet.png"])
                    page = out / "ENU-Main_Dialog.png"
                    self.assertEqual(png_size(page), (597 * scale, 340 * scale))
                    rows = png_rows(page)
                    # Its own normal face, beside the text, and its own help strip.
                    for picture, x, y, left, top in (
                            ("EntryNormal", 2, 2, ENTRY_LEFT, ENTRY_TOP),
                            ("HelpStrip", 2, 2, 0, 300)):
                        expected = bmp_pixel(brand / f"{picture}{suffix}.bmp", x, y)
                        at = 3 * (left * scale + x)
                        shown = tuple(rows[top * scale + y][at:at + 3])
                        self.assertTrue(near(shown, expected), (picture, shown, expected))

    def test_the_disc_s_own_program_draws_where_this_machine_runs_its_kind(self):
        # The program that ships draws the pages (one branded from the release kit, say); one
        # of the other kind (a 32-bit program where only the x86_64 one runs) cannot, and the
        # one built here does, as where the disc has none.
        built = BUILD_DIR / "Install.exe"
        with tempfile.TemporaryDirectory() as folder:
            disc = Path(folder)
            self.assertEqual(preview.drawing_program(disc), built, "no program on the disc")
            shutil.copy(built, disc / "install.EXE")
            self.assertEqual(preview.drawing_program(disc), disc / "install.EXE")
            data = bytearray(built.read_bytes())
            pe = struct.unpack_from("<I", data, 0x3C)[0]
            other = 0x14C if struct.unpack_from("<H", data, pe + 4)[0] == 0x8664 else 0x8664
            struct.pack_into("<H", data, pe + 4, other)
            (disc / "install.EXE").write_bytes(data)
            self.assertEqual(preview.drawing_program(disc), built, "a program of the other kind")

    def test_every_page_of_the_sample_disc_in_every_language_and_the_contact_sheet(self):
        with tempfile.TemporaryDirectory() as folder:
            out = Path(folder)
            result = self.preview(DISC_DIR, out)
            self.assertEqual(result.returncode, 0, result.stdout + result.stderr)
            pages = [f"{code}-{page}.png" for code in CODES for page in ENTRIES]
            helps = [name.replace(".png", "-help.png") for name in pages]
            messages = [f"{code}-messages.png" for code in CODES]
            self.assertEqual(sorted(p.name for p in out.glob("*.png")),
                             sorted(pages + helps + messages + ["contact-sheet.png"]))
            for name in pages + helps + messages + ["contact-sheet.png", "findings.txt"]:
                self.assertIn(str(out / name), result.stdout, "listed as written")
            self.assertIn(f"drawn by the disc's own {DISC_DIR / 'Install.exe'}", result.stdout)
            for name in pages:
                self.assertEqual(png_size(out / name), (597, 340), name)
            # The languages and the two pages look different.
            picture = {name: (out / name).read_bytes() for name in pages + helps + messages}
            self.assertEqual(len(set(picture.values())), len(pages + helps + messages))
            for name in messages:
                width, height = png_size(out / name)
                self.assertTrue(400 < width < 1200 and height > 16 * 40, (name, width, height))

            # A row a hot entry: its face, hot, beside the help strip as it shows then, each
            # strip another help text than the others and than the page's own.
            for name in pages:
                help_name = name.replace(".png", "-help.png")
                count = ENTRIES[name[4:-4]]
                self.assertEqual(png_size(out / help_name), (185 + 8 + 597, 44 * count - 4))
                rows = png_rows(out / help_name)
                strips = [region(rows, 193, 44 * i, 597, 40) for i in range(count)]
                strips.append(region(png_rows(out / name), 0, 300, 597, 40))
                self.assertEqual(len({bytes(b"".join(s)) for s in strips}), count + 1, help_name)
                for i in range(count):
                    top = rows[44 * i + 1]
                    self.assertTrue(near(tuple(top[6:9]), HOT_TOP), (help_name, i, top[6:9]))

            # The checker's findings: printed, in findings.txt and under the sheet.
            findings = (out / "findings.txt").read_text(encoding="utf-8")
            self.assertRegex(findings, r"\(unsigned\)\nChecked 6 language files and 12 pages: "
                                       r"0 errors, 0 warnings, 1 note\.\n$")
            self.assertIn(findings, result.stdout)
            # Two columns of a page and its help texts, six rows, and the findings below.
            width, height = png_size(out / "contact-sheet.png")
            self.assertGreater(width, 2 * (597 + 790))
            self.assertLess(width, 3 * (597 + 790))
            self.assertGreater(height, 6 * 340 + 2 * 15)
            self.assertLess(height, 7 * 340 + 3 * 40)

    def test_the_messages_read_as_the_program_fills_them(self):
        for text, values, expected in [("%s (100%%)", ["a"], "a (100%)"),
                                       ("%s: %s", ["a"], "a: %s"),
                                       ("none", ["a"], "none"),
                                       ("%%s %s", ["a"], "%s a")]:
            self.assertEqual(preview.fill_in(text, values), expected, text)
        texts = {"IDS_ERROR_CAPTION": "Erreur", "IDS_CANNOT_START": "Impossible d'ouvrir %s.",
                 "IDS_USB_FAILED": "%s : \u00e9chec. Erreur : %s", "IDS_USBTITLE": "Pilotes",
                 "IDS_ERROR_CODE": "erreur %s", "IDS_PRESS": "Appuyer"}
        messages = {what: (caption, text)
                    for what, caption, text in preview.page_messages(texts, "Fran\u00e7ais")}
        self.assertEqual(messages["a program cannot be started"],
                         ("Erreur", "Impossible d'ouvrir D:\\Disk1\\setup.exe."))
        self.assertEqual(messages["the USB drivers fail"],
                         ("Install", "Pilotes : \u00e9chec. Erreur : erreur 5"))
        self.assertEqual(messages["a screen reader names an entry's action"], (None, "Appuyer"))

    def test_a_folder_without_language_files_is_refused(self):
        with tempfile.TemporaryDirectory() as disc, tempfile.TemporaryDirectory() as out:
            result = self.preview(disc, out)
            self.assertNotEqual(result.returncode, 0)
            self.assertIn("has no language file", result.stderr)

    def test_the_contact_sheet_marks_empty_pages_and_the_findings_of_each(self):
        report = {
            "languages": [
                {"code": "ENU", "file": "Inst.inf", "read": True, "pages": [
                    {"name": "Main Dialog", "entries": []}, {"name": "Tools", "entries": []}]},
                {"code": "ESP", "file": "Inst40a.inf", "read": False, "pages": []}],
            "findings": [
                {"severity": "error", "file": "Inst.inf", "section": "tools", "key": "k",
                 "places": [{"file": "Inst.inf", "section": "tools", "key": "k"},
                            {"file": "INST.INF", "section": "Main Dialog", "key": "k"}]},
                {"severity": "warning", "file": "Inst.inf", "section": "RES_STR", "key": "k"},
                {"severity": "warning", "file": "Inst.inf", "section": "Tools", "key": "a"},
                {"severity": "warning", "file": "Inst.inf", "section": "Tools", "key": "b"},
                {"severity": "note", "file": "Inst40a.inf", "section": "", "key": ""},
                {"severity": "warning", "file": "Install.exe", "section": "", "key": ""}]}
        counts = preview.findings_by_page(report)
        self.assertEqual(counts, {
            ("ENU", "Tools"): {"error": 1, "warning": 2, "note": 0},
            ("ENU", "Main Dialog"): {"error": 1, "warning": 1, "note": 0},
            ("ESP", "Main Dialog"): {"error": 0, "warning": 0, "note": 1}})
        for arguments, label in [
                (("ENU", "Main Dialog", False, 7, {}), "ENU: Main Dialog"),
                (("ENU", "Tools", False, 0, counts[("ENU", "Tools")]),
                 "ENU: Tools \u2014 no entries \u2014 1 error, 2 warnings"),
                (("ESP", "Main Dialog", True, 0, counts[("ESP", "Main Dialog")]),
                 "ESP: Main Dialog (no language file) \u2014 no entries \u2014 1 note")]:
            self.assertEqual(preview.cell_label(*arguments), label)


if __name__ == "__main__":
    unittest.main()
