"""The resources of a Windows program, read from its file: every (type, name, language) with its
bytes, as the resource section's directory lists them. Names and types are numbers, or strings
for the named ones. Every offset is checked; a file that is no PE file with a resource section
raises ValueError.

    pe_resources.py PROGRAM      lists them, one line each
"""

import struct
import sys


def sections(data):
    """The PE file's sections (virtual address, virtual size, file offset, file size) and its
    data directories (address, size)."""
    if data[:2] != b"MZ" or len(data) < 0x40:
        raise ValueError("no MZ header")
    pe, = struct.unpack_from("<I", data, 0x3C)
    if data[pe:pe + 4] != b"PE\0\0":
        raise ValueError("no PE signature")
    count, = struct.unpack_from("<H", data, pe + 6)
    optional_size, = struct.unpack_from("<H", data, pe + 20)
    optional = pe + 24
    magic, = struct.unpack_from("<H", data, optional)
    directories_at = optional + (96 if magic == 0x10B else 112)
    directory_count, = struct.unpack_from("<I", data, directories_at - 4)
    directories = [struct.unpack_from("<II", data, directories_at + 8 * i)
                   for i in range(directory_count)]
    table = optional + optional_size
    found = []
    for i in range(count):
        _, virtual_size, address, raw_size, raw_offset = struct.unpack_from(
            "<8sIIII", data, table + 40 * i)
        found.append((address, virtual_size, raw_offset, raw_size))
    return found, directories


def file_offset(found, address):
    for start, virtual_size, raw_offset, raw_size in found:
        if start <= address < start + max(virtual_size, raw_size):
            return raw_offset + address - start
    raise ValueError(f"address {address:#x} in no section")


def resources(data):
    """{(type, name, language): bytes} of the program `data`."""
    found, directories = sections(data)
    if len(directories) < 3 or directories[2][0] == 0:
        raise ValueError("no resource section")
    root = file_offset(found, directories[2][0])

    def entries(offset):
        named, numbered = struct.unpack_from("<HH", data, offset + 12)
        for i in range(named + numbered):
            key, target = struct.unpack_from("<II", data, offset + 16 + 8 * i)
            if key & 0x80000000:
                at = root + (key & 0x7FFFFFFF)
                length, = struct.unpack_from("<H", data, at)
                key = data[at + 2:at + 2 + 2 * length].decode("utf-16-le")
            yield key, target

    result = {}
    for kind, types in entries(root):
        for name, names in entries(root + (types & 0x7FFFFFFF)):
            for language, leaf in entries(root + (names & 0x7FFFFFFF)):
                address, size = struct.unpack_from("<II", data, root + leaf)
                start = file_offset(found, address)
                if start + size > len(data):
                    raise ValueError(f"resource {kind}/{name} runs past the file's end")
                result[(kind, name, language)] = data[start:start + size]
    return result


def main():
    data = open(sys.argv[1], "rb").read()
    for (kind, name, language), body in sorted(resources(data).items(), key=str):
        print(f"{kind}\t{name}\t{language:#06x}\t{len(body)}")


if __name__ == "__main__":
    main()
