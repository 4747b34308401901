"""The disc preview (tools/preview/preview.py, `make preview`): every page of the sample disc in
every language as a picture of the page, and the contact sheet of them all."""

import struct
import subprocess
import sys
import tempfile
import unittest
from pathlib import Path

from harness import DISC_DIR, SOURCE_DIR

PREVIEW = SOURCE_DIR / "tools" / "preview" / "preview.py"
CODES = ["ENU", "FRA", "DEU", "ITA", "ESP", "CHN"]


def png_size(path):
    """Width and height from the PNG's header chunk."""
    return struct.unpack(">II", path.read_bytes()[16:24])


class PreviewTest(unittest.TestCase):
    def preview(self, disc, out):
        return subprocess.run([sys.executable, str(PREVIEW), str(disc), "--out", str(out)],
                              capture_output=True, text=True, timeout=600)

    def test_every_page_of_the_sample_disc_in_every_language_and_the_contact_sheet(self):
        with tempfile.TemporaryDirectory() as folder:
            out = Path(folder)
            result = self.preview(DISC_DIR, out)
            self.assertEqual(result.returncode, 0, result.stdout + result.stderr)
            pages = [f"{code}-{page}.png" for code in CODES
                     for page in ("Main_Dialog", "Lumo_Dialog")]
            self.assertEqual(sorted(p.name for p in out.glob("*.png")),
                             sorted(pages + ["contact-sheet.png"]))
            for name in pages:
                self.assertEqual(png_size(out / name), (597, 340), name)
                self.assertIn(str(out / name), result.stdout, "listed as written")
            self.assertIn("Install.exe is the one just built", result.stdout)
            # The languages and the two pages look different.
            picture = {name: (out / name).read_bytes() for name in pages}
            self.assertEqual(len(set(picture.values())), len(pages))
            # Two columns of pages, six rows, with room for the labels.
            width, height = png_size(out / "contact-sheet.png")
            self.assertGreater(width, 2 * 597)
            self.assertLess(width, 3 * 597)
            self.assertGreater(height, 6 * 340)
            self.assertLess(height, 7 * 340)

    def test_a_folder_without_language_files_is_refused(self):
        with tempfile.TemporaryDirectory() as disc, tempfile.TemporaryDirectory() as out:
            result = self.preview(disc, out)
            self.assertNotEqual(result.returncode, 0)
            self.assertIn("has no language file", result.stderr)


if __name__ == "__main__":
    unittest.main()
