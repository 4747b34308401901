#!/usr/bin/env python3
"""Makes the bitmap files the program carries from the pictures of a brand folder, for the
build (res/CMakeLists.txt): a folder that the resources take their pictures from in place of
the brand folder.

    brand_pictures.py BRAND_DIR OUT_DIR

For each picture of the page, the brand folder may hold it as a PNG file (as designers deliver
them) or as a bitmap file, at its size (`name.png` or `name.bmp`) and at twice it
(`name@2x.png` or `name@2x.bmp`); a PNG file goes before a bitmap file of the same name.

- A PNG file is converted exactly: its pixels at the picture's bit depth (24 bits, or 8 bits
  with a colour table of the colours the picture holds, at most 256; a picture of more colours
  gets the 256 most frequent, each other pixel the one nearest to its shade), its transparency
  flattened onto the colour that lies behind the picture on the page (white, the dialog's
  background, for every picture). It must have the picture's size.
- A bitmap file is taken as it is (discmenu-check --brand checks its size and bit depth).
- A picture given at its size but not at twice it gets, as its 2x picture, its own picture
  enlarged to twice the size (smoothly): never the sample's, which shows another product.
- A picture the folder does not hold at all stays the sample's, at both sizes.

Install.ico and brand.ini are copied. Nothing but Python's own library is needed.
"""

import shutil
import struct
import sys
import zlib
from pathlib import Path

WHITE = (255, 255, 255)

# The pictures of the page: name, size, bits per pixel, whether the program carries a 2x form,
# and the colour behind it on the page (its transparent pixels are flattened onto that).
PICTURES = [
    ("Background", 400, 300, 24, True, WHITE),
    ("BackgroundLumo", 400, 300, 8, True, WHITE),
    ("BackgroundSpare", 400, 300, 8, False, WHITE),
    ("EntryNormal", 185, 40, 24, True, WHITE),
    ("EntryHot", 185, 40, 24, True, WHITE),
    ("HelpStrip", 600, 40, 24, True, WHITE),
]
COPIED = ["Install.ico", "brand.ini"]
PIXELS_PER_METRE = 2835  # 72 dots per inch, as the sample's pictures say


class PictureError(Exception):
    pass


# An image here: width, height and rows of (red, green, blue) tuples. ---------------------------

def read_png(data, behind):
    """The pixels of a PNG file, its transparency flattened onto the colour `behind`."""
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise PictureError("not a PNG file")
    position, header, palette, transparency, compressed = 8, None, [], None, []
    while position + 8 <= len(data):
        length, kind = struct.unpack(">I4s", data[position:position + 8])
        body = data[position + 8:position + 8 + length]
        position += 12 + length
        if kind == b"IHDR":
            header = struct.unpack(">IIBBBBB", body)
        elif kind == b"PLTE":
            palette = [tuple(body[i:i + 3]) for i in range(0, len(body) - 2, 3)]
        elif kind == b"tRNS":
            transparency = body
        elif kind == b"IDAT":
            compressed.append(body)
        elif kind == b"IEND":
            break
    if header is None:
        raise PictureError("a PNG file without its header")
    width, height, depth, colour_type, _, _, interlace = header
    channels = {0: 1, 2: 3, 3: 1, 4: 2, 6: 4}.get(colour_type)
    if channels is None or interlace != 0 or depth not in (1, 2, 4, 8, 16):
        raise PictureError("a PNG file the build cannot read (interlaced, or of an unknown "
                           "colour type or depth): save it again without interlacing")
    try:
        raw = zlib.decompress(b"".join(compressed))
    except zlib.error as error:
        raise PictureError(f"a damaged PNG file ({error})")
    bits = depth * channels
    stride = (width * bits + 7) // 8
    unit = max(1, bits // 8)  # the bytes a filter looks back
    if len(raw) < height * (stride + 1):
        raise PictureError("a PNG file whose pixels are cut short")
    rows, previous = [], bytearray(stride)
    for y in range(height):
        start = y * (stride + 1)
        row = unfilter(raw[start], bytearray(raw[start + 1:start + 1 + stride]), previous, unit)
        rows.append(pixels_of_row(row, width, depth, colour_type, palette, transparency, behind))
        previous = row
    return width, height, rows


def unfilter(kind, row, previous, unit):
    if kind == 1:
        for i in range(unit, len(row)):
            row[i] = (row[i] + row[i - unit]) & 0xFF
    elif kind == 2:
        for i in range(len(row)):
            row[i] = (row[i] + previous[i]) & 0xFF
    elif kind == 3:
        for i in range(len(row)):
            left = row[i - unit] if i >= unit else 0
            row[i] = (row[i] + ((left + previous[i]) >> 1)) & 0xFF
    elif kind == 4:
        for i in range(len(row)):
            a = row[i - unit] if i >= unit else 0
            b = previous[i]
            c = previous[i - unit] if i >= unit else 0
            p = a + b - c
            pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
            row[i] = (row[i] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 0xFF
    elif kind != 0:
        raise PictureError(f"a PNG file with an unknown row filter {kind}")
    return row


def flatten(colour, alpha, behind):
    return tuple((c * alpha + b * (255 - alpha) + 127) // 255 for c, b in zip(colour, behind))


def pixels_of_row(row, width, depth, colour_type, palette, transparency, behind):
    if depth < 8:  # grey or palette indices, several to a byte
        per_byte, mask = 8 // depth, (1 << depth) - 1
        samples = [(row[x // per_byte] >> (8 - depth * (x % per_byte + 1))) & mask
                   for x in range(width)]
    elif depth == 16:  # the high byte of each sample
        samples = row[0::2]
    else:
        samples = row
    if colour_type == 3:
        alphas = transparency or b""
        pixels = []
        for index in samples[:width]:
            if index >= len(palette):
                raise PictureError("a PNG file with a pixel outside its colour table")
            alpha = alphas[index] if index < len(alphas) else 255
            pixels.append(flatten(palette[index], alpha, behind))
        return pixels
    if colour_type in (0, 4):
        step = 1 if colour_type == 0 else 2
        scale = 255 // ((1 << depth) - 1) if depth < 8 else 1
        key = None
        if colour_type == 0 and transparency and len(transparency) >= 2:
            key = struct.unpack(">H", transparency[:2])[0]
            key = key * scale if depth < 8 else (key >> 8 if depth == 16 else key)
        pixels = []
        for x in range(width):
            grey = samples[step * x] * scale
            alpha = samples[step * x + 1] if step == 2 else (0 if grey == key else 255)
            pixels.append(flatten((grey, grey, grey), alpha, behind))
        return pixels
    step = 3 if colour_type == 2 else 4
    key = None
    if colour_type == 2 and transparency and len(transparency) >= 6:
        values = struct.unpack(">HHH", transparency[:6])
        key = tuple(v >> 8 for v in values) if depth == 16 else values
    pixels = []
    for x in range(width):
        colour = tuple(samples[step * x:step * x + 3])
        alpha = samples[step * x + 3] if step == 4 else (0 if colour == key else 255)
        pixels.append(flatten(colour, alpha, behind))
    return pixels


def read_bmp(data):
    """The pixels of a bitmap file of 8, 24 or 32 bits per pixel, stored either way up."""
    if data[:2] != b"BM" or len(data) < 54:
        raise PictureError("not a bitmap file")
    offset, = struct.unpack_from("<I", data, 10)
    header, width, height, _, bits = struct.unpack_from("<IiiHH", data, 14)
    used, = struct.unpack_from("<I", data, 46)
    bottom_up, height = height > 0, abs(height)
    stride = (width * bits + 31) // 32 * 4
    if bits == 8:
        table = 14 + header
        count = used or 256
        palette = [tuple(data[table + 4 * i:table + 4 * i + 3][::-1]) for i in range(count)]
    elif bits not in (24, 32):
        raise PictureError(f"a bitmap file of {bits} bits per pixel, which the build cannot "
                           "enlarge")
    rows = []
    for y in range(height):
        start = offset + stride * ((height - 1 - y) if bottom_up else y)
        row = data[start:start + stride]
        if bits == 8:
            rows.append([palette[i] for i in row[:width]])
        else:
            size = bits // 8
            rows.append([tuple(row[size * x:size * x + 3][::-1]) for x in range(width)])
    return width, height, rows


def enlarged(image):
    """The image at twice its size, each new pixel blended from the two nearest of each
    direction (three quarters of the nearer, a quarter of the other): smooth, as the page
    enlarges a picture."""
    width, height, rows = image

    def double(line):
        out = []
        last = len(line) - 1
        for i, here in enumerate(line):
            before, after = line[max(i - 1, 0)], line[min(i + 1, last)]
            out.append(tuple((3 * h + b + 2) // 4 for h, b in zip(here, before)))
            out.append(tuple((3 * h + a + 2) // 4 for h, a in zip(here, after)))
        return out

    wide = [double(row) for row in rows]
    columns = [double([row[x] for row in wide]) for x in range(2 * width)]
    return 2 * width, 2 * height, [[columns[x][y] for x in range(2 * width)]
                                   for y in range(2 * height)]


# Bitmap files as the program carries them ------------------------------------------------------

def bmp_headers(width, height, bits, image_size, table_entries):
    offset = 14 + 40 + 4 * table_entries
    return (b"BM" + struct.pack("<IHHI", offset + image_size, 0, 0, offset) +
            struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 0, image_size,
                        PIXELS_PER_METRE, PIXELS_PER_METRE, table_entries, 0))


def bmp_24(image):
    """A 24-bit bitmap file, bottom-up, as the sample's pictures are."""
    width, height, rows = image
    stride = (3 * width + 3) // 4 * 4
    body = bytearray()
    for row in reversed(rows):
        line = bytearray()
        for red, green, blue in row:
            line += bytes((blue, green, red))
        body += line + bytes(stride - len(line))
    return bmp_headers(width, height, 24, len(body), 0) + bytes(body)


def palette_of(rows, palette=None):
    """The colour table of an 8-bit picture: `palette` when given, else the picture's own
    colours (most frequent first), or its 256 most frequent when it holds more."""
    if palette is None:
        counts = {}
        for row in rows:
            for colour in row:
                counts[colour] = counts.get(colour, 0) + 1
        palette = sorted(counts, key=lambda colour: (-counts[colour], colour))[:256]
    return palette


def bmp_8(image, palette=None):
    """An 8-bit bitmap file with all 256 colour-table entries, as the sample's are; each pixel
    the nearest colour of the table."""
    width, height, rows = image
    palette = palette_of(rows, palette)
    index = {colour: i for i, colour in enumerate(palette)}
    # A colour outside the table takes the entry nearest to the middle of its cube of
    # 16 x 16 x 16 values, looked up once per cube: a picture of many colours is mapped in
    # seconds (reduce it to 256 colours yourself for a finer choice).
    cubes = {}

    def nearest(colour):
        found = index.get(colour)
        if found is not None:
            return found
        cube = (colour[0] >> 4, colour[1] >> 4, colour[2] >> 4)
        if cube not in cubes:
            middle = tuple(16 * c + 8 for c in cube)
            cubes[cube] = min(range(len(palette)), key=lambda i: sum(
                (a - b) * (a - b) for a, b in zip(middle, palette[i])))
        return cubes[cube]

    stride = (width + 3) // 4 * 4
    body = bytearray()
    for row in reversed(rows):
        line = bytes(nearest(colour) for colour in row)
        body += line + bytes(stride - len(line))
    table = b"".join(bytes((b, g, r, 0)) for r, g, b in palette) + bytes(4 * (256 - len(palette)))
    return bmp_headers(width, height, 8, len(body), 256) + table + bytes(body), palette


# The brand folder ------------------------------------------------------------------------------

def source(folder, stem):
    """The picture's file in the folder: its PNG file where there is one, else its bitmap."""
    for extension in (".png", ".bmp"):
        path = folder / (stem + extension)
        if path.is_file():
            return path
    return None


def write_picture(path, image, bits, palette=None):
    """Writes `image` as the bitmap file `path`, an 8-bit one with the colour table `palette`
    when given (else its own); returns the colour table of an 8-bit one."""
    if bits == 24:
        path.write_bytes(bmp_24(image))
        return None
    data, palette = bmp_8(image, palette)
    path.write_bytes(data)
    return palette


def prepare(brand, out):
    """Writes the pictures of the brand folder `brand` into `out` as the program carries them;
    returns what it did, a line each."""
    done = []
    out.mkdir(parents=True, exist_ok=True)
    for old in out.iterdir():
        if old.is_file():
            old.unlink()
    for name, width, height, bits, double, behind in PICTURES:
        palette = None
        single = source(brand, name)
        for stem, path, scale in ((name, single, 1), (name + "@2x", source(brand, name + "@2x"), 2)):
            target = out / (stem + ".bmp")
            if path is not None and path.suffix == ".bmp":
                shutil.copyfile(path, target)
                done.append(f"{stem}.bmp: taken as it is")
                continue
            if path is not None:
                image = read_png(path.read_bytes(), behind)
                size = (width * scale, height * scale)
                if image[:2] != size:
                    raise PictureError(f"{path.name} is {image[0]} x {image[1]} pixels, not "
                                       f"{size[0]} x {size[1]}")
                written = write_picture(target, image, bits)
                palette = written if scale == 1 else palette
                done.append(f"{stem}.bmp: converted from {path.name}")
            elif scale == 2 and single is not None and double:
                one = (read_png(single.read_bytes(), behind) if single.suffix == ".png"
                       else read_bmp(single.read_bytes()))
                write_picture(target, enlarged(one), bits, palette)
                done.append(f"{stem}.bmp: {single.name} enlarged to twice its size")
    for name in COPIED:
        if (brand / name).is_file():
            shutil.copyfile(brand / name, out / name)
    return done


def main():
    if len(sys.argv) != 3:
        sys.exit("usage: brand_pictures.py BRAND_DIR OUT_DIR")
    brand, out = Path(sys.argv[1]), Path(sys.argv[2])
    try:
        for line in prepare(brand, out):
            print(f"brand pictures: {line}")
    except PictureError as error:
        sys.exit(f"brand pictures: {brand}: {error}")


if __name__ == "__main__":
    main()
