"""Writes one face of a font file as a font file of its own under a new family name.

Usage: rename-typeface.py SOURCE SOURCE_FAMILY NEW_FAMILY OUTPUT

SOURCE may be a collection (.ttc): the face whose family is SOURCE_FAMILY is
taken. Only the naming is changed; the glyphs and every other table are copied
as they are. Both licences of the fonts used here (SIL OFL for Noto, the
Bitstream Vera terms for DejaVu) allow modified copies under names other than
their reserved ones.
"""

import os
import sys

from fontTools.ttLib import TTCollection, TTFont

# The names that identify a face: family, unique id, full name, PostScript
# name, and the typographic and WWS family and style names.
IDENTIFYING_NAME_IDS = (1, 3, 4, 6, 16, 17, 21, 22)
FAMILY, UNIQUE_ID, FULL_NAME, POSTSCRIPT_NAME = 1, 3, 4, 6
STYLE = 2
WINDOWS_UNICODE_ENGLISH = (3, 1, 0x409)
MACINTOSH_ROMAN_ENGLISH = (1, 0, 0)


def open_faces(source):
    # Tables are read on demand and written back untouched, which keeps this quick.
    options = dict(lazy=True, recalcBBoxes=False, recalcTimestamp=False)
    if source.lower().endswith(".ttc"):
        return TTCollection(source, **options).fonts
    return [TTFont(source, **options)]


def main(source, source_family, new_family, output):
    faces = [face for face in open_faces(source) if face["name"].getDebugName(FAMILY) == source_family]
    if not faces:
        sys.exit(f"{source} has no face of the family {source_family!r}")

    face = faces[0]
    names = face["name"]
    style = names.getDebugName(STYLE)
    postscript_name = new_family.replace(" ", "") + "-" + style.replace(" ", "")
    full_name = new_family if style == "Regular" else f"{new_family} {style}"

    names.names = [record for record in names.names if record.nameID not in IDENTIFYING_NAME_IDS]
    for name_id, text in ((FAMILY, new_family), (UNIQUE_ID, postscript_name),
                          (FULL_NAME, full_name), (POSTSCRIPT_NAME, postscript_name)):
        names.setName(text, name_id, *WINDOWS_UNICODE_ENGLISH)
        names.setName(text, name_id, *MACINTOSH_ROMAN_ENGLISH)

    # Written whole or not at all, so that an interrupted build leaves no half font behind.
    partial = output + ".partial"
    face.save(partial, reorderTables=False)
    os.replace(partial, output)


if __name__ == "__main__":
    if len(sys.argv) != 5:
        sys.exit(__doc__)
    main(*sys.argv[1:])
