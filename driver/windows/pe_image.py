#!/usr/bin/env python3
"""Sets and checks what the GNU tools do not for vxdriver.sys: the PE image checksum, and the
version resource's fixed version and file description.

  pe_image.py set-checksum IMAGE
  pe_image.py check IMAGE VERSION DESCRIPTION     e.g. check vxdriver.sys 2.0.0.0 手持机驱动程序
"""
import struct
import sys


def checksum_offset(image):
    pe = struct.unpack_from("<I", image, 0x3C)[0]
    if image[pe:pe + 4] != b"PE\0\0":
        raise SystemExit("not a PE image")
    return pe + 4 + 20 + 64  # signature, file header, then the optional header's CheckSum


def compute_checksum(image):
    """The PE checksum: 16-bit one's-complement-style sum of the file (CheckSum taken as 0),
    folded to 16 bits, plus the file length."""
    offset = checksum_offset(image)
    data = bytearray(image)
    data[offset:offset + 4] = b"\0\0\0\0"
    if len(data) % 2:
        data.append(0)
    total = 0
    for (word,) in struct.iter_unpack("<H", data):
        total += word
        total = (total & 0xFFFF) + (total >> 16)
    total = (total & 0xFFFF) + (total >> 16)
    return (total + len(image)) & 0xFFFFFFFF


def set_checksum(path):
    with open(path, "rb") as f:
        image = bytearray(f.read())
    struct.pack_into("<I", image, checksum_offset(image), compute_checksum(image))
    with open(path, "wb") as f:
        f.write(image)


def check(path, version, description):
    with open(path, "rb") as f:
        image = f.read()
    errors = []
    stored = struct.unpack_from("<I", image, checksum_offset(image))[0]
    if stored != compute_checksum(image):
        errors.append(f"image checksum {stored:#x} is wrong (should be {compute_checksum(image):#x})")

    # VS_FIXEDFILEINFO: signature, structure version, then file and product versions (MS, LS).
    fixed = image.find(struct.pack("<I", 0xFEEF04BD))
    parts = [int(p) for p in version.split(".")]
    ms, ls = (parts[0] << 16) | parts[1], (parts[2] << 16) | parts[3]
    if fixed < 0:
        errors.append("no version resource")
    else:
        file_ms, file_ls, product_ms, product_ls = struct.unpack_from("<IIII", image, fixed + 8)
        if (file_ms, file_ls) != (ms, ls):
            errors.append("file version is not " + version)
        if (product_ms, product_ls) != (ms, ls):
            errors.append("product version is not " + version)

    # The string table holds the key and its value as zero-terminated UTF-16LE, the value
    # aligned on 32 bits after the key.
    key = "FileDescription\0".encode("utf-16-le")
    at = image.find(key)
    if at < 0:
        errors.append("no FileDescription in the version resource")
    else:
        value_at = at + len(key)
        value_at += (-value_at) % 4
        value = image[value_at:value_at + 2 * (len(description) + 1)].decode("utf-16-le", "replace")
        if value != description + "\0":
            errors.append(f"FileDescription is {value!r}, not {description!r}")

    for error in errors:
        print(f"{path}: {error}", file=sys.stderr)
    return 1 if errors else 0


def main(argv):
    if len(argv) == 3 and argv[1] == "set-checksum":
        set_checksum(argv[2])
        return 0
    if len(argv) == 5 and argv[1] == "check":
        return check(argv[2], argv[3], argv[4])
    print(__doc__, file=sys.stderr)
    return 2


if __name__ == "__main__":
    sys.exit(main(sys.argv))
