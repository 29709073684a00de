#!/usr/bin/env python3
"""Leaves a linked DLL exporting only the functions its module-definition file names.

Zig's unwinder for Windows marks its functions dllexport, so every DLL linked with Zig's runtime exports them beside
the ones its .def file names, and no linker option takes them out again. This rewrites the export directory in place
to hold the named functions alone, by name and ordinal; the code stays, unreachable from outside.

    keep_exports.py DLL DEF

Fails, changing nothing, when the image is not a PE file or lacks one of the names. A DLL that exports those alone
is written back unchanged.
"""
import struct
import sys


def main(path, keep):
    with open(path, "rb") as f:
        image = bytearray(f.read())

    def u16(offset):
        return struct.unpack_from("<H", image, offset)[0]

    def u32(offset):
        return struct.unpack_from("<I", image, offset)[0]

    if image[:2] != b"MZ" or image[u32(0x3C):u32(0x3C) + 4] != b"PE\0\0":
        raise SystemExit(f"{path}: not a PE image")
    header = u32(0x3C) + 4
    sections = u16(header + 2)
    optional = header + 20
    optional_size = u16(header + 16)
    directories = optional + (112 if u16(optional) == 0x20B else 96)
    exports_rva = u32(directories)
    if not exports_rva:
        raise SystemExit(f"{path}: no export directory")

    table = optional + optional_size
    spans = []
    for i in range(sections):
        entry = table + 40 * i
        virtual_size, rva, raw_size, raw = struct.unpack_from("<IIII", image, entry + 8)
        spans.append((rva, max(virtual_size, raw_size), raw))

    def at(rva):
        for start, size, raw in spans:
            if start <= rva < start + size:
                return raw + rva - start
        raise SystemExit(f"{path}: address 0x{rva:x} is in no section")

    directory = at(exports_rva)
    functions_count, names_count, functions, names, ordinals = struct.unpack_from("<IIIII", image, directory + 20)

    def name(i):
        start = at(u32(at(names) + 4 * i))
        return bytes(image[start:image.index(0, start)]).decode("ascii")

    found = {}
    for i in range(names_count):
        found[name(i)] = (u32(at(names) + 4 * i), u16(at(ordinals) + 2 * i))
    missing = [n for n in keep if n not in found]
    if missing:
        raise SystemExit(f"{path}: does not export {', '.join(missing)}")

    kept = sorted(keep)  # the loader looks names up by binary search
    addresses = [u32(at(functions) + 4 * found[n][1]) for n in kept]
    for i, n in enumerate(kept):
        struct.pack_into("<I", image, at(functions) + 4 * i, addresses[i])
        struct.pack_into("<I", image, at(names) + 4 * i, found[n][0])
        struct.pack_into("<H", image, at(ordinals) + 2 * i, i)
    struct.pack_into("<II", image, directory + 20, len(kept), len(kept))

    with open(path, "wb") as f:
        f.write(image)


def names_of(definition):
    names, exports = [], False
    with open(definition) as f:
        for line in f:
            words = line.split(";")[0].split()
            if words and words[0] in ("LIBRARY", "NAME", "EXPORTS"):
                exports = words[0] == "EXPORTS"
            elif words and exports:
                names.append(words[0].split("=")[0].split("@")[0])
    return names


if __name__ == "__main__":
    if len(sys.argv) != 3:
        raise SystemExit(__doc__)
    main(sys.argv[1], names_of(sys.argv[2]))
