"""Reads back what Windows shows of an executable, and the manifest it runs with.

usage: windows_properties.py --version <x.y.z> --product <name>
                             --description <text> --license <LICENSE> <exe>

The version resource must give FileVersion and ProductVersion <x.y.z>, both
as text and in the fixed numbers, ProductName <name>, FileDescription
<text>, OriginalFilename the executable's own file name and LegalCopyright
the copyright line of <LICENSE>. The application manifest, resource 1 of
type RT_MANIFEST, must ask to run as the invoker and name Windows 10 and 11
among the supported systems.
"""

import argparse
import os
import sys
import xml.etree.ElementTree as ElementTree

import pefile

RT_MANIFEST = 24
WINDOWS_10_AND_11 = "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"
NAMESPACES = {
    "v1": "urn:schemas-microsoft-com:asm.v1",
    "v3": "urn:schemas-microsoft-com:asm.v3",
    "compatibility": "urn:schemas-microsoft-com:compatibility.v1",
}


def version_strings(pe):
    strings = {}
    for info in getattr(pe, "FileInfo", []):
        for entry in info:
            for table in getattr(entry, "StringTable", []):
                strings.update((key.decode(), value.decode())
                               for key, value in table.entries.items())
    return strings


def fixed_version(most, least):
    return f"{most >> 16}.{most & 0xFFFF}.{least >> 16}.{least & 0xFFFF}"


def manifest(pe):
    if not hasattr(pe, "DIRECTORY_ENTRY_RESOURCE"):
        return None
    for kind in pe.DIRECTORY_ENTRY_RESOURCE.entries:
        if kind.id != RT_MANIFEST:
            continue
        for resource in kind.directory.entries:
            if resource.id == 1:
                data = resource.directory.entries[0].data.struct
                return pe.get_data(data.OffsetToData, data.Size)
    return None


def main():
    parser = argparse.ArgumentParser()
    for option in ("--version", "--product", "--description", "--license"):
        parser.add_argument(option, required=True)
    parser.add_argument("exe")
    args = parser.parse_args()

    with open(args.license) as license_file:
        copyright_line = next(line.strip() for line in license_file
                              if line.startswith("Copyright "))
    expected = {
        "FileVersion": args.version,
        "ProductVersion": args.version,
        "ProductName": args.product,
        "FileDescription": args.description,
        "OriginalFilename": os.path.basename(args.exe),
        "LegalCopyright": copyright_line,
    }

    pe = pefile.PE(args.exe)
    failures = []
    strings = version_strings(pe)
    for key, value in expected.items():
        if strings.get(key) != value:
            failures.append(f"{key}: expected {value!r}, got {strings.get(key)!r}")

    numbers = ".".join((args.version.split(".") + ["0"] * 4)[:4])
    if not getattr(pe, "VS_FIXEDFILEINFO", None):
        failures.append("no fixed version numbers")
    else:
        fixed = pe.VS_FIXEDFILEINFO[0]
        for what, most, least in (("file", fixed.FileVersionMS, fixed.FileVersionLS),
                                  ("product", fixed.ProductVersionMS, fixed.ProductVersionLS)):
            if fixed_version(most, least) != numbers:
                failures.append(f"fixed {what} version: expected {numbers}, "
                                f"got {fixed_version(most, least)}")

    text = manifest(pe)
    if text is None:
        failures.append("no application manifest (resource 1 of type RT_MANIFEST)")
    else:
        root = ElementTree.fromstring(text)
        level = root.find(".//v3:requestedExecutionLevel", NAMESPACES)
        if level is None or level.get("level") != "asInvoker":
            failures.append("the manifest does not ask to run asInvoker")
        systems = [os_.get("Id") for os_ in root.iterfind(".//compatibility:supportedOS",
                                                          NAMESPACES)]
        if WINDOWS_10_AND_11 not in systems:
            failures.append(f"the manifest names no Windows 10 and 11 "
                            f"({WINDOWS_10_AND_11}) among {systems}")

    if failures:
        sys.exit(f"{args.exe}:\n" + "\n".join(failures))


if __name__ == "__main__":
    main()
