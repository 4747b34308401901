"""discmenu-brand under Wine: the sample's Install.exe branded with the second sample brand
carries the very resources of the program built from that brand (every type, name, language
and byte), its pictures decode to the brand's, a signature of the input is removed and said
so, and a brand that the brand check refuses, or a wrong command line, writes nothing.

    test_brand_tool.py WINE_RUN BRAND_TOOL INSTALL_EXE BRAND_DIR REFERENCE_EXE WORK_DIR
"""

import shutil
import struct
import subprocess
import sys
import unittest
import zlib
from pathlib import Path

HERE = Path(__file__).resolve().parent
sys.path.insert(0, str(HERE))
sys.path.insert(0, str(HERE.parents[1] / "tools" / "brand"))
import brand_pictures  # noqa: E402
import pe_resources  # noqa: E402

WINE_RUN = BRAND_TOOL = INSTALL = BRAND = REFERENCE = WORK = None
ZBITMAP = "ZBITMAP"
US_ENGLISH = 0x0409


def run_tool(*arguments):
    return subprocess.run([WINE_RUN, BRAND_TOOL, *map(str, arguments)], capture_output=True,
                          text=True, timeout=600)


def with_signature(program, table):
    """The program file `program` with `table` appended as its certificate table."""
    data = bytearray(program)
    pe, = struct.unpack_from("<I", data, 0x3C)
    magic, = struct.unpack_from("<H", data, pe + 24)
    entry = pe + 24 + (96 if magic == 0x10B else 112) + 4 * 8
    struct.pack_into("<II", data, entry, len(data), len(table))
    return bytes(data) + table


def certificate_entry(program):
    pe, = struct.unpack_from("<I", program, 0x3C)
    magic, = struct.unpack_from("<H", program, pe + 24)
    return struct.unpack_from("<II", program, pe + 24 + (96 if magic == 0x10B else 112) + 32)


def checksum(program):
    """The PE checksum of `program`, its own field taken as zero."""
    pe, = struct.unpack_from("<I", program, 0x3C)
    at = pe + 24 + 64
    data = program[:at] + b"\0\0\0\0" + program[at + 4:]
    if len(data) % 2:
        data += b"\0"
    total = 0
    for (word,) in struct.iter_unpack("<H", data):
        total += word
        total = (total & 0xFFFF) + (total >> 16)
    return total + len(program), struct.unpack_from("<I", program, at)[0]


class BrandToolTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        shutil.rmtree(WORK, ignore_errors=True)
        WORK.mkdir(parents=True)
        cls.input = WORK / "Install.exe"
        shutil.copyfile(INSTALL, cls.input)
        cls.branded = WORK / "Branded.exe"
        cls.result = run_tool(BRAND, cls.input, "-o", cls.branded)

    def test_the_branded_program_carries_the_resources_of_the_brands_own_build(self):
        self.assertEqual(self.result.returncode, 0, self.result.stderr)
        self.assertIn('branded as "Harbor Suite 5"', self.result.stdout)
        self.assertEqual(self.input.read_bytes(), INSTALL.read_bytes(), "the input untouched")
        branded = pe_resources.resources(self.branded.read_bytes())
        reference = pe_resources.resources(REFERENCE.read_bytes())
        differing = sorted((key for key in set(branded) | set(reference)
                            if branded.get(key) != reference.get(key)), key=str)
        self.assertEqual(differing, [], "resources that differ (type, name, language)")
        self.assertEqual(branded[(10, "BRAND", US_ENGLISH)], (BRAND / "brand.ini").read_bytes())

    def test_its_pictures_decode_to_the_brands_pictures(self):
        self.assertEqual(self.result.returncode, 0, self.result.stderr)
        made = WORK / "pictures"
        brand_pictures.prepare(BRAND, made)
        branded = pe_resources.resources(self.branded.read_bytes())
        ids = {"Background": 130, "EntryNormal": 131, "HelpStrip": 132, "BackgroundLumo": 133,
               "EntryHot": 134, "BackgroundSpare": 135}
        checked = 0
        for path in sorted(made.glob("*.bmp")):
            stem = path.stem.replace("@2x", "")
            number = ids[stem] + (100 if path.stem.endswith("@2x") else 0)
            stored = branded[(ZBITMAP, number, US_ENGLISH)]
            length, = struct.unpack_from("<I", stored)
            bitmap = zlib.decompress(stored[4:])
            self.assertEqual(len(bitmap), length, path.name)
            self.assertEqual(bitmap, path.read_bytes()[14:], path.name)
            checked += 1
        self.assertEqual(checked, 10, "every picture of the second sample brand")

    def test_the_branded_program_has_its_checksum(self):
        self.assertEqual(self.result.returncode, 0, self.result.stderr)
        expected, written = checksum(self.branded.read_bytes())
        self.assertEqual(written, expected)

    def test_a_signature_is_removed_and_said_so(self):
        signed = WORK / "Signed.exe"
        original = INSTALL.read_bytes()
        signed.write_bytes(with_signature(original, b"\x08\0\0\0\0\2\2\0" + bytes(504)))
        result = run_tool(BRAND, signed)
        self.assertEqual(result.returncode, 0, result.stderr)
        self.assertIn("removed the signature of", result.stdout)
        self.assertIn("sign " + str(signed) + " again", result.stdout)
        self.assertEqual(certificate_entry(signed.read_bytes()), (0, 0))
        self.assertEqual(pe_resources.resources(signed.read_bytes()),
                         pe_resources.resources(self.branded.read_bytes()))

    def test_a_refused_brand_or_command_line_writes_nothing(self):
        refused = WORK / "refused-brand"
        shutil.copytree(BRAND, refused, dirs_exist_ok=True)
        (refused / "EntryHot.bmp").write_bytes(brand_pictures.bmp_24(
            (10, 10, [[(1, 2, 3)] * 10] * 10)))
        out = WORK / "Refused.exe"
        for arguments, status, message in [
                ((refused, self.input, "-o", out), 1, "brand-picture-size"),
                ((WORK / "no-such-folder", self.input, "-o", out), 2, "is not a folder"),
                ((BRAND, WORK / "no-such.exe", "-o", out), 2, "nothing was written"),
                ((BRAND, self.input, "-o"), 2, "usage: discmenu-brand")]:
            with self.subTest(message):
                result = run_tool(*arguments)
                self.assertEqual(result.returncode, status, result.stdout + result.stderr)
                self.assertIn(message, result.stderr)
                self.assertFalse(out.exists())
                self.assertEqual(list(WORK.glob("*.branding")), [], "no copy left behind")
        self.assertEqual(self.input.read_bytes(), INSTALL.read_bytes(), "the input untouched")


if __name__ == "__main__":
    if len(sys.argv) != 7:
        sys.exit(__doc__)
    WINE_RUN, BRAND_TOOL = sys.argv[1], sys.argv[2]
    INSTALL, BRAND, REFERENCE, WORK = map(Path, sys.argv[3:7])
    unittest.main(argv=sys.argv[:1])
