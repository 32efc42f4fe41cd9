#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Writes a C++ source holding small faces cut from the installed CJK faces.

The game's fixed texts use a few hundred characters of faces that hold tens of thousands;
opening a whole face maps and touches megabytes of its tables. The cut faces keep only the
characters of the game's own sources (and the printable ASCII), with their outlines, hints,
metrics and layout rules unchanged, under a family name of their own; the installed face stays
the fallback for any other character, such as a name a pupil types.

usage: subset_faces.py OUTPUT.cpp SOURCE_DIR...
Without fontTools or fontconfig the source declares no faces and the installed ones serve alone.
"""
import io
import os
import subprocess
import sys

# (family of the cut face, installed family, weight as Qt counts it)
FACES = [
    ("Numora Sans", "Noto Sans CJK SC", 400),
    ("Numora Sans", "Noto Sans CJK SC", 700),
    ("Numora Serif", "Noto Serif CJK SC", 400),
    ("Numora Serif", "Noto Serif CJK SC", 700),
]


def characters(dirs):
    # "国" sets the room a CJK line keeps (platform/design_label.cpp).
    chars = set(chr(c) for c in range(0x20, 0x7F)) | {"国"}
    for top in dirs:
        for root, _, files in os.walk(top):
            for name in files:
                if name.endswith((".cpp", ".h")):
                    with open(os.path.join(root, name), encoding="utf-8") as source:
                        chars |= set(source.read())
    return "".join(sorted(c for c in chars if c.isprintable()))


def installed(family, weight):
    style = ":bold" if weight >= 700 else ":regular"
    out = subprocess.run(["fc-match", "-f", "%{file}\n%{index}\n%{family[0]}", family + style],
                         capture_output=True, text=True, check=True).stdout.split("\n")
    return out[0], int(out[1]), out[2]


def cut(path, index, text, family):
    from fontTools import subset
    from fontTools.ttLib import TTFont

    options = subset.Options()
    options.font_number = index
    options.name_IDs = ["*"]
    options.name_languages = ["*"]
    options.notdef_outline = True
    options.recalc_bounds = False
    options.recalc_timestamp = False
    options.layout_features = ["*"]
    font = subset.load_font(path, options)
    subsetter = subset.Subsetter(options)
    subsetter.populate(text=text)
    subsetter.subset(font)
    names = font["name"]
    style = names.getDebugName(2) or "Regular"
    for record in list(names.names):
        if record.nameID in (1, 16):
            record.string = family
        elif record.nameID in (4,):
            record.string = family + " " + style
        elif record.nameID in (3, 6):
            record.string = family.replace(" ", "") + "-" + style
    data = io.BytesIO()
    font.save(data)
    return data.getvalue()


def main():
    output, dirs = sys.argv[1], sys.argv[2:]
    faces = []
    try:
        text = characters(dirs)
        for family, source, weight in FACES:
            path, index, found = installed(source, weight)
            if found != source:
                raise LookupError(source + " is not installed")
            faces.append((family, source, weight, cut(path, index, text, family)))
    except (ImportError, OSError, LookupError, subprocess.CalledProcessError) as error:
        print("subset_faces.py: no cut faces:", error, file=sys.stderr)
        faces = []
    lines = [
        "// Written by cmake/subset_faces.py at build time; not edited by hand.",
        '#include "platform/cut_faces.h"',
        "namespace numora::platform {",
        "namespace {",
    ]
    for n, (_, _, _, data) in enumerate(faces):
        lines.append("alignas(4) const unsigned char kFace%d[] = {" % n)
        for start in range(0, len(data), 24):
            lines.append(",".join(str(b) for b in data[start:start + 24]) + ",")
        lines.append("};")
    lines.append("}  // namespace")
    lines.append("const std::vector<CutFace>& CutFaces() {")
    lines.append("  static const std::vector<CutFace> faces = {")
    for n, (family, source, weight, data) in enumerate(faces):
        lines.append('      {"%s", "%s", %d, kFace%d, %d},' % (family, source, weight, n, len(data)))
    lines.append("  };")
    lines.append("  return faces;")
    lines.append("}")
    lines.append("}  // namespace numora::platform")
    with open(output + ".tmp", "w", encoding="utf-8") as out:
        out.write("\n".join(lines) + "\n")
    os.replace(output + ".tmp", output)


if __name__ == "__main__":
    main()
