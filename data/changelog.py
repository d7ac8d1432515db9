#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Writes the Debian changelog from the release notes of the AppStream metadata.

changelog.py <metainfo.xml> <package> <maintainer> <output>

The notes are written once, in the metadata; the package's changelog is made
from them, so the two cannot tell different stories. Each release becomes one
entry, newest first as in the metadata: a paragraph becomes a "*" item, a list
item a "-" item under the paragraph before it.
"""
import datetime
import email.utils
import sys
import textwrap
import xml.etree.ElementTree as ET

WIDTH = 78  # Debian's tools warn from 80 columns on


def text_of(element):
    return " ".join("".join(element.itertext()).split())


def wrapped(text, first_indent, indent):
    return textwrap.wrap(text, WIDTH, initial_indent=first_indent, subsequent_indent=indent,
                         break_on_hyphens=False)


def untranslated(elements):
    return [e for e in elements if "{http://www.w3.org/XML/1998/namespace}lang" not in e.attrib]


def items(description):
    lines = []
    below_paragraph = False
    for block in untranslated(description) if description is not None else []:
        if block.tag == "p":
            lines += wrapped(text_of(block), "  * ", "    ")
            below_paragraph = True
        elif block.tag in ("ul", "ol"):
            first, rest = ("    - ", "      ") if below_paragraph else ("  * ", "    ")
            for item in untranslated(block.findall("li")):
                lines += wrapped(text_of(item), first, rest)
    return lines or ["  * New release."]


def release_time(release):
    if "timestamp" in release.attrib:
        return datetime.datetime.fromtimestamp(int(release.get("timestamp")), datetime.timezone.utc)
    day = datetime.date.fromisoformat(release.get("date")[:10])
    return datetime.datetime(day.year, day.month, day.day, tzinfo=datetime.timezone.utc)


def entry(release, package, maintainer):
    when = email.utils.format_datetime(release_time(release))
    return "\n".join([f"{package} ({release.get('version')}) unstable; urgency=medium", "",
                      *items(release.find("description")), "",
                      f" -- {maintainer}  {when}", ""])


def main(metainfo, package, maintainer, output):
    releases = ET.parse(metainfo).getroot().findall("releases/release")
    if not releases:
        sys.exit(f"{metainfo} has no release")
    with open(output, "w", encoding="utf-8") as out:
        out.write("\n".join(entry(r, package, maintainer) for r in releases))


if __name__ == "__main__":
    if len(sys.argv) != 5:
        sys.exit(__doc__.splitlines()[2])
    main(*sys.argv[1:])
