#!/usr/bin/env python3
"""Takes the link time out of a PE image, as GNU ld's --no-insert-timestamp leaves it.

Zig's linker stamps every image with the time it was linked, and takes no option against it, so two builds of one
commit would differ. This sets to zero the file header's time stamp and those of the export, resource and debug
directories, the places a linker writes the time. Zero is what binutils writes too. The linker's build id (the
CodeView record's GUID) is a hash of the image it wrote, stamp included: it becomes a hash of the image without
the time.

    clear_link_time.py IMAGE

Fails, changing nothing, when the file is not a PE image or a directory lies outside its sections.
"""
import hashlib
import struct
import sys

EXPORT, RESOURCE, DEBUG = 0, 2, 6  # data directories
CODEVIEW = 2  # debug directory entry type


def clear(image):
    def u16(offset):
        return struct.unpack_from("<H", image, offset)[0]

    def u32(offset):
        return struct.unpack_from("<I", image, offset)[0]

    if len(image) < 0x40 or image[:2] != b"MZ":
        raise ValueError("not a PE image")
    header = u32(0x3C) + 4
    if image[header - 4:header] != b"PE\0\0" or header + 20 > len(image):
        raise ValueError("not a PE image")
    sections = u16(header + 2)
    optional = header + 20
    optional_size = u16(header + 16)
    wide = u16(optional) == 0x20B
    directories = optional + (112 if wide else 96)
    count = u32(directories - 4)

    spans = []
    for i in range(sections):
        entry = optional + optional_size + 40 * i
        virtual_size, rva, raw_size, raw = struct.unpack_from("<IIII", image, entry + 8)
        spans.append((rva, min(max(virtual_size, raw_size), raw_size), raw))

    def at(rva, size):
        for start, length, raw in spans:
            if start <= rva and rva + size <= start + length:
                return raw + rva - start
        raise ValueError(f"address 0x{rva:x} is in no section")

    def directory(index):
        if index >= count:
            return 0, 0
        return struct.unpack_from("<II", image, directories + 8 * index)

    stamps = [header + 4]
    rva, size = directory(EXPORT)
    if rva:
        stamps.append(at(rva, 40) + 4)
    rva, size = directory(RESOURCE)
    if rva:
        stamps.append(at(rva, 16) + 4)
    rva, size = directory(DEBUG)
    ids = []
    if rva:
        start = at(rva, size)
        for entry in range(start, start + size // 28 * 28, 28):
            stamps.append(entry + 4)
            kind, length, data_rva = struct.unpack_from("<III", image, entry + 12)
            if kind == CODEVIEW and length >= 24:
                record = at(data_rva, length)
                if image[record:record + 4] == b"RSDS":
                    ids.append(record + 4)
    for offset in stamps:
        struct.pack_into("<I", image, offset, 0)
    for offset in ids:
        image[offset:offset + 16] = bytes(16)
    digest = hashlib.sha256(image).digest()[:16]
    for offset in ids:
        image[offset:offset + 16] = digest
    return image


def main(path):
    with open(path, "rb") as f:
        image = bytearray(f.read())
    try:
        clear(image)
    except (ValueError, struct.error) as error:
        raise SystemExit(f"{path}: {error}")
    with open(path, "wb") as f:
        f.write(image)


if __name__ == "__main__":
    if len(sys.argv) != 2:
        raise SystemExit(__doc__)
    main(sys.argv[1])
