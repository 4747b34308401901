"""The pictures of a brand folder made into the bitmap files the program carries
(tools/brand/brand_pictures.py): PNG files of every colour type converted exactly, their
transparency flattened onto the page's white, a picture without its 2x form enlarged from its
own, and the folder that results checked clean by discmenu-check --brand. Given the brand
tool's picture maker (discmenu-brand-pictures), every row also checks that it writes the very
bytes this tool writes, and refuses what this tool refuses, with the same reason.

    test_brand_pictures.py [DISCMENU_CHECK_PROGRAM [BRAND_PICTURES_PROGRAM]]
"""

import os
import struct
import subprocess
import sys
import tempfile
import unittest
import zlib
from pathlib import Path

SOURCE_DIR = Path(__file__).resolve().parents[2]
sys.path.insert(0, str(SOURCE_DIR / "tools" / "brand"))
import brand_pictures  # noqa: E402

CHECK_PROGRAM = os.environ.get("DISCMENU_CHECK_PROGRAM")
BRAND_PICTURES_PROGRAM = os.environ.get("DISCMENU_BRAND_PICTURES_PROGRAM")
# What the build copies beside the pictures, and a picture the program carries at one size
# only: the brand tool writes neither as a picture.
NOT_PICTURES = {"Install.ico", "brand.ini", "BackgroundSpare@2x.bmp"}


def png(width, height, pixel, colour_type=2, depth=8, palette=None, transparency=None,
        interlace=0):
    """A PNG file whose sample values at (x, y) are pixel(x, y) (a tuple of the colour type's
    samples, or a palette index), its rows filtered with each of the five filters in turn."""
    channels = {0: 1, 2: 3, 3: 1, 4: 2, 6: 4}[colour_type]
    raw, previous = bytearray(), None
    for y in range(height):
        if depth < 8:
            bits = "".join(format(pixel(x, y)[0], f"0{depth}b") for x in range(width))
            bits += "0" * (-len(bits) % 8)
            row = bytes(int(bits[i:i + 8], 2) for i in range(0, len(bits), 8))
        else:
            size = depth // 8
            row = b"".join(value.to_bytes(size, "big") for x in range(width)
                           for value in pixel(x, y))
        kind = y % 5
        raw.append(kind)
        raw += filtered(kind, row, previous or bytes(len(row)), max(1, depth * channels // 8))
        previous = row

    def chunk(tag, data):
        return (struct.pack(">I", len(data)) + tag + data +
                struct.pack(">I", zlib.crc32(tag + data) & 0xFFFFFFFF))

    data = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(
        ">IIBBBBB", width, height, depth, colour_type, 0, 0, interlace))
    if palette:
        data += chunk(b"PLTE", b"".join(bytes(c) for c in palette))
    if transparency is not None:
        data += chunk(b"tRNS", transparency)
    return data + chunk(b"IDAT", zlib.compress(bytes(raw))) + chunk(b"IEND", b"")


def filtered(kind, row, previous, unit):
    out = bytearray()
    for i, value in enumerate(row):
        a = row[i - unit] if i >= unit else 0
        b = previous[i]
        c = previous[i - unit] if i >= unit else 0
        if kind == 1:
            value -= a
        elif kind == 2:
            value -= b
        elif kind == 3:
            value -= (a + b) >> 1
        elif kind == 4:
            p = a + b - c
            pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
            value -= a if pa <= pb and pa <= pc else b if pb <= pc else c
        out.append(value & 0xFF)
    return bytes(out)


def bmp(width, height, pixel):
    """A 24-bit bitmap file, bottom-up, of the colours pixel(x, y)."""
    image = (width, height, [[pixel(x, y) for x in range(width)] for y in range(height)])
    return brand_pictures.bmp_24(image)


def bitmap(path):
    """Width, height, bits per pixel, the colour-table entries and pixel(x, y) of a bitmap file
    the tool wrote."""
    data = path.read_bytes()
    offset, = struct.unpack_from("<I", data, 10)
    width, height, _, bits = struct.unpack_from("<iiHH", data, 18)
    used, = struct.unpack_from("<I", data, 46)
    stride = (width * bits + 31) // 32 * 4
    palette = [tuple(data[54 + 4 * i:57 + 4 * i][::-1]) for i in range(256)] if bits == 8 else []

    def pixel(x, y):
        start = offset + stride * (height - 1 - y)
        if bits == 8:
            return palette[data[start + x]]
        return tuple(data[start + 3 * x:start + 3 * x + 3][::-1])

    return width, height, bits, used, pixel


def gradient(width, height):
    return lambda x, y: (x * 255 // (width - 1), y * 255 // (height - 1), (x + y) % 256)


class BrandPicturesTest(unittest.TestCase):
    # Each row: what the brand folder holds, then for each file written its size, bit depth
    # and pixels to compare (x, y, colour), and the files that must not be written.
    ROWS = [
        ("a 24-bit PNG: the same pixels, and its own 2x picture enlarged from it",
         {"Background.png": png(400, 300, gradient(400, 300))},
         {"Background.bmp": (400, 300, 24, [(0, 0, (0, 0, 0)), (399, 299, (255, 255, 186)),
                                            (123, 45, (78, 38, 168))]),
          "Background@2x.bmp": (800, 600, 24, [(0, 0, (0, 0, 0)), (799, 599, (255, 255, 186))])},
         ["BackgroundLumo.bmp", "EntryNormal.bmp"]),
        ("transparent corners and a half-transparent edge flattened onto the white behind",
         {"EntryNormal.png": png(185, 40, lambda x, y: (0, 100, 200,
                                                         0 if x < 3 and y < 3 else
                                                         128 if x == 184 else 255), 6),
          "EntryNormal@2x.png": png(370, 80, lambda x, y: (2570, 5140, 7710, 65535), 6, 16)},
         {"EntryNormal.bmp": (185, 40, 24, [(0, 0, (255, 255, 255)), (2, 2, (255, 255, 255)),
                                           (3, 3, (0, 100, 200)), (184, 20, (127, 177, 227))]),
          "EntryNormal@2x.bmp": (370, 80, 24, [(0, 0, (10, 20, 30))])},
         []),
        ("a palette PNG with a transparent entry: 8 bits, its own colours exactly",
         {"BackgroundLumo.png": png(400, 300, lambda x, y: ((x // 50 + y // 100) % 4,), 3, 8,
                                    [(0, 58, 112), (0, 140, 196), (9, 9, 9), (250, 1, 2)],
                                    bytes([255, 255, 0]))},
         {"BackgroundLumo.bmp": (400, 300, 8, [(0, 0, (0, 58, 112)), (50, 0, (0, 140, 196)),
                                               (100, 0, (255, 255, 255)), (150, 0, (250, 1, 2))]),
          "BackgroundLumo@2x.bmp": (800, 600, 8, [(0, 0, (0, 58, 112))])},
         []),
        ("more than 256 colours into an 8-bit picture: its 256 most frequent; no 2x form",
         {"BackgroundSpare.png": png(400, 300, lambda x, y: (x % 256, y % 3, 7))},
         {"BackgroundSpare.bmp": (400, 300, 8, [(10, 0, (10, 0, 7)), (10, 1, (10, 1, 7))])},
         ["BackgroundSpare@2x.bmp"]),
        ("grey PNG files of 1 and 16 bits, one with a transparent grey",
         {"HelpStrip.png": png(600, 40, lambda x, y: (x % 2,), 0, 1),
          "EntryHot.png": png(185, 40, lambda x, y: (x * 300, 65535), 4, 16),
          "EntryHot@2x.png": png(370, 80, lambda x, y: (x % 256,), 0, 8,
                                 transparency=struct.pack(">H", 5))},
         {"HelpStrip.bmp": (600, 40, 24, [(0, 0, (0, 0, 0)), (1, 0, (255, 255, 255))]),
          "HelpStrip@2x.bmp": (1200, 80, 24, [(0, 0, (0, 0, 0)), (1199, 79, (255, 255, 255))]),
          "EntryHot.bmp": (185, 40, 24, [(0, 0, (0, 0, 0)), (100, 5, (117, 117, 117))]),
          "EntryHot@2x.bmp": (370, 80, 24, [(4, 0, (4, 4, 4)), (5, 0, (255, 255, 255))])},
         []),
        ("a bitmap taken as it is, its 2x picture enlarged from it, not the sample's",
         {"Background.bmp": bmp(400, 300, lambda x, y: (200, 0, 0) if x < 200 else (0, 0, 200))},
         {"Background.bmp": (400, 300, 24, [(0, 0, (200, 0, 0)), (399, 0, (0, 0, 200))]),
          "Background@2x.bmp": (800, 600, 24, [(0, 0, (200, 0, 0)), (398, 0, (200, 0, 0)),
                                               (399, 0, (150, 0, 50)), (400, 0, (50, 0, 150)),
                                               (799, 599, (0, 0, 200))])},
         []),
        ("a folder without pictures: the sample's stay at both sizes",
         {"brand.ini": b"[Product]\r\nName=Quarry Studio 2\r\n"},
         {},
         ["Background.bmp", "Background@2x.bmp", "HelpStrip@2x.bmp"]),
    ]

    def prepare(self, files):
        folder = Path(tempfile.mkdtemp(prefix="discmenu-brand-"))
        self.addCleanup(lambda: subprocess.run(["rm", "-rf", str(folder)]))
        brand, out = folder / "brand", folder / "out"
        brand.mkdir()
        for name, data in files.items():
            (brand / name).write_bytes(data)
        if BRAND_PICTURES_PROGRAM:
            self.compare_with_brand_tool(brand, folder / "tool")
        brand_pictures.prepare(brand, out)
        return out

    def compare_with_brand_tool(self, brand, tool_out):
        """The brand tool's pictures of the folder `brand` are this tool's, byte for byte; where
        this tool refuses the folder, the brand tool refuses it with the same reason."""
        tool_out.mkdir()
        result = subprocess.run([BRAND_PICTURES_PROGRAM, str(brand), str(tool_out)],
                                capture_output=True, text=True)
        out = tool_out.parent / "python"
        try:
            brand_pictures.prepare(brand, out)
        except brand_pictures.PictureError as error:
            self.assertEqual(result.returncode, 1, result.stdout)
            reason = str(error).split(" (")[0]
            self.assertIn(reason, result.stderr)
            return
        self.assertEqual(result.returncode, 0, result.stderr)
        expected = sorted(p.name for p in out.iterdir() if p.name not in NOT_PICTURES)
        self.assertEqual(sorted(p.name for p in tool_out.iterdir()), expected)
        for name in expected:
            self.assertEqual((tool_out / name).read_bytes(), (out / name).read_bytes(), name)

    def test_the_pictures_of_a_brand_folder(self):
        for description, files, written, absent in self.ROWS:
            with self.subTest(description):
                out = self.prepare(files)
                for name, (width, height, bits, pixels) in written.items():
                    w, h, b, used, pixel = bitmap(out / name)
                    self.assertEqual((w, h, b), (width, height, bits), name)
                    if bits == 8:
                        self.assertEqual(used, 256, "all 256 entries, as the sample's")
                    for x, y, colour in pixels:
                        self.assertEqual(pixel(x, y), colour, (name, x, y))
                for name in absent:
                    self.assertFalse((out / name).exists(), name)
                if CHECK_PROGRAM:
                    result = subprocess.run([CHECK_PROGRAM, "--brand", str(out)],
                                            capture_output=True, text=True)
                    self.assertLess(result.returncode, 2, result.stdout)  # no errors

    def test_a_png_file_at_a_wrong_size_or_interlaced_is_refused_naming_why(self):
        for files, message in [
                ({"Background.png": png(401, 300, gradient(401, 300))},
                 "Background.png is 401 x 300 pixels, not 400 x 300"),
                ({"HelpStrip@2x.png": png(600, 40, lambda x, y: (1, 2, 3))},
                 "HelpStrip@2x.png is 600 x 40 pixels, not 1200 x 80"),
                ({"EntryHot.png": png(185, 40, lambda x, y: (1, 2, 3), interlace=1)},
                 "without interlacing"),
                ({"EntryHot.png": b"GIF89a"}, "not a PNG file")]:
            with self.subTest(message):
                with self.assertRaises(brand_pictures.PictureError) as raised:
                    self.prepare(files)
                self.assertIn(message, str(raised.exception))


if __name__ == "__main__":
    if len(sys.argv) > 1:
        CHECK_PROGRAM = sys.argv.pop(1)
    if len(sys.argv) > 1:
        BRAND_PICTURES_PROGRAM = sys.argv.pop(1)
    unittest.main()
