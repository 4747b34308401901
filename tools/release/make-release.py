#!/usr/bin/env python3
"""The release kit for disc authors: one zip of everything an author needs to make a disc of
their own product, on Windows or on Linux, with no compiler.

    make-release.py --out ZIP --name FOLDER --file PATH ... --folder NAME=DIR ...

Each --file is put at the top of the kit's folder FOLDER, under its own name; each --folder
DIR goes below it as NAME, with everything under it. The zip is the same for the same files:
its entries are in name order and carry one fixed time, so that two builds of a release can
be compared byte for byte. A file that is missing fails the kit, naming it: a kit without its
brand tool is no kit.
"""

import argparse
import os
import sys
import zipfile

# The time every entry carries (the zip format starts in 1980).
FIXED_TIME = (1980, 1, 1, 0, 0, 0)


def entries(files, folders, top):
    """The kit's (name in the zip, path on disk) pairs, in name order."""
    found = [(f"{top}/{os.path.basename(path)}", path) for path in files]
    for name, folder in folders:
        for root, dirs, names in os.walk(folder):
            dirs.sort()
            for file_name in names:
                path = os.path.join(root, file_name)
                relative = os.path.relpath(path, folder).replace(os.sep, "/")
                found.append((f"{top}/{name}/{relative}", path))
    return sorted(found)


def write_zip(out, pairs):
    os.makedirs(os.path.dirname(os.path.abspath(out)), exist_ok=True)
    partial = out + ".part"
    with zipfile.ZipFile(partial, "w", zipfile.ZIP_DEFLATED) as kit:
        for name, path in pairs:
            info = zipfile.ZipInfo(name, FIXED_TIME)
            info.compress_type = zipfile.ZIP_DEFLATED
            # Read and write for everyone, and executable where the file is, as unzip sets it.
            mode = 0o755 if os.access(path, os.X_OK) else 0o644
            info.external_attr = (0o100000 | mode) << 16
            with open(path, "rb") as source:
                kit.writestr(info, source.read())
    os.replace(partial, out)


def folder_pair(text):
    name, sep, folder = text.partition("=")
    if not sep or not name or not folder:
        raise argparse.ArgumentTypeError(f"{text!r}: write NAME=DIR")
    return name, folder


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--out", required=True)
    parser.add_argument("--name", required=True, help="the folder the kit unpacks into")
    parser.add_argument("--file", action="append", default=[])
    parser.add_argument("--folder", action="append", default=[], type=folder_pair)
    args = parser.parse_args()
    missing = [path for path in args.file if not os.path.isfile(path)]
    missing += [folder for _, folder in args.folder if not os.path.isdir(folder)]
    if missing:
        for path in missing:
            print(f"make-release: {path} is missing: build it first", file=sys.stderr)
        return 1
    pairs = entries(args.file, args.folder, args.name)
    write_zip(args.out, pairs)
    print(f"make-release: {args.out}: {len(pairs)} files in {args.name}/")
    return 0


if __name__ == "__main__":
    sys.exit(main())
