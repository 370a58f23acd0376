#!/usr/bin/env python3
"""Writes the panel pictures of the Tarn editors as SVG: the shared parts into
gui/art/parts.svg and each product's pictures into <product>/art/<id>_<name>.svg.

The SVG files in the repository are what the build renders; this generator is run by
hand after a change (python3 tools/artgen/artgen.py [product ...]) and needs only
Python's standard library and the Liberation fonts (for measuring texts). Meter scales
are computed from the toolkit's needle mappings (see meters.py), slider and knob scales
from the controls' geometry, never placed by eye."""
import sys

sys.dont_write_bytecode = True
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))

import brisker  # noqa: E402
import emberon  # noqa: E402
import glister  # noqa: E402
import rumbler  # noqa: E402
import parts  # noqa: E402

ROOT = Path(__file__).resolve().parents[2]
PRODUCTS = {"brisker": brisker, "emberon": emberon, "rumbler": rumbler, "glister": glister}


def main(argv):
    parts.write_parts(ROOT / "gui" / "art" / "parts.svg")
    names = argv or list(PRODUCTS)
    for name in names:
        if name not in PRODUCTS:
            sys.exit("unknown product %s (known: %s)" % (name, ", ".join(PRODUCTS)))
        PRODUCTS[name].write_all(ROOT)


if __name__ == "__main__":
    main(sys.argv[1:])
