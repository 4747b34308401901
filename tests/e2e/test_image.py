"""The disc as it ships: a copy of the sample disc signed with a throwaway certificate
(tools/disc-image/sign.sh) and made into a disc image (make-iso.sh). The image's Joliet tree,
the one Windows reads, holds the disc folder's files; extracted with xorriso and started from
there as a user starts a disc, the menu shows its first page, and the copy it runs from in the
temporary folder is byte for byte the signed program, so it keeps its signature."""

import re
import shutil
import subprocess
import tempfile
from pathlib import Path

from harness import DISC_DIR, SOURCE_DIR, WineTestCase
from test_menu import STRIP_TOP, inf_value, near

TOOLS = SOURCE_DIR / "tools" / "disc-image"


def xorriso(image, *commands):
    """xorriso over the image's Joliet tree, with names in UTF-8."""
    return subprocess.run(["xorriso", "-no_rc", "-local_charset", "UTF-8", "-read_fs", "norock",
                           "-indev", str(image), *commands],
                          capture_output=True, text=True, check=True).stdout


def folder_tree(folder):
    return sorted("/" + path.relative_to(folder).as_posix() for path in folder.rglob("*"))


class ImageTest(WineTestCase):
    def make_signed_image(self, work):
        disc = work / "disc"
        shutil.copytree(DISC_DIR, disc)
        subprocess.run(["openssl", "req", "-x509", "-newkey", "rsa:2048", "-nodes",
                        "-keyout", work / "signer.key", "-out", work / "signer.crt", "-days", "2",
                        "-subj", "/CN=Throwaway Publisher"], check=True, capture_output=True)
        subprocess.run(["openssl", "pkcs12", "-export", "-inkey", work / "signer.key",
                        "-in", work / "signer.crt", "-passout", "pass:", "-out",
                        work / "signer.pfx"], check=True, capture_output=True)
        # No password, and no terminal to ask for one at.
        subprocess.run([TOOLS / "sign.sh", disc, work / "signer.pfx"], check=True,
                       capture_output=True, stdin=subprocess.DEVNULL)
        image = work / "disc.iso"
        subprocess.run([TOOLS / "make-iso.sh", disc, image], check=True, capture_output=True)
        return disc, image

    def test_the_signed_image_opens_like_the_disc_and_runs_the_signed_program(self):
        work = Path(tempfile.mkdtemp(prefix="discmenu-image."))
        self.addCleanup(shutil.rmtree, work, ignore_errors=True)
        disc, image = self.make_signed_image(work)
        signed = (disc / "Install.exe").read_bytes()

        listed = [line.strip("'") for line in xorriso(image, "-find", "/").splitlines()]
        self.assertEqual(sorted(path for path in listed if path != "/"), folder_tree(disc))

        # Extracted as a disc reads: read-only, as xorriso gives the image's permissions.
        extracted = self.wine.c_drive() / "image"
        xorriso(image, "-osirrox", "on", "-extract", "/", str(extracted))
        self.addCleanup(subprocess.run, ["chmod", "-R", "u+w", str(extracted)])
        self.assertEqual(folder_tree(extracted), folder_tree(disc))
        self.assertEqual((extracted / "Install.exe").read_bytes(), signed)

        self.assertEqual(self.wine.start("C:\\image\\Install.exe").wait(timeout=30), 0)
        page = self.wine.wait_window("Install")
        self.assertEqual((page.width, page.height), (597, 340))
        self.assertTrue(self.wine.wait_until(
            lambda: near(self.wine.screenshot().pixel(page.left + 2, page.top + 300), STRIP_TOP),
            timeout=15), "the page was not painted")
        controls = self.wine.controls("Install")
        self.assertEqual(controls[1003].text, inf_value("Inst.inf", "IDS_LABEL"))
        self.assertEqual(controls[1001].text, "English")

        # The menu runs from its copy in the temporary folder, wherever that lies: the command
        # line names it.
        command_lines = self.wine.command_lines("Install.exe")
        self.assertEqual(len(command_lines), 1, command_lines)
        running = re.fullmatch(r'"([^"]+)" -InfPath "C:\\image\\"', command_lines[0])
        self.assertIsNotNone(running, command_lines[0])
        copy = self.wine.unix_path(running[1])
        self.assertNotEqual(copy, extracted / "Install.exe")
        self.assertEqual(copy.read_bytes(), signed, "the copy keeps the signed bytes")
