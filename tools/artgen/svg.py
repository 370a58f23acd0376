"""A very small SVG writer for pixel art: integer-pixel rectangles that stay crisp,
anti-aliased shapes where curves need it, texts measured with the font's own widths."""
import math
from pathlib import Path

from fontmetrics import Font

FONT_DIR = Path("/usr/share/fonts/truetype/liberation")
SANS = "Liberation Sans"
NARROW = "Liberation Sans Narrow"
_FONTS = {}


def font(family, weight):
    name = {"Liberation Sans": "LiberationSans", "Liberation Sans Narrow": "LiberationSansNarrow"}[family]
    key = (name, weight)
    if key not in _FONTS:
        _FONTS[key] = Font(str(FONT_DIR / ("%s-%s.ttf" % (name, "Bold" if weight == "bold" else "Regular"))))
    return _FONTS[key]


def text_width(s, size, family=SANS, weight="bold", spacing=0.0):
    return font(family, weight).width(s, size, spacing)


def num(x):
    s = ("%.3f" % x).rstrip("0").rstrip(".")
    return "0" if s in ("-0", "") else s


def polar(cx, cy, r, deg):
    """A point at angle deg (counter-clockwise from three o'clock, y up) on screen."""
    a = math.radians(deg)
    return cx + r * math.cos(a), cy - r * math.sin(a)


class Svg:
    def __init__(self, width, height, title=None):
        self.width, self.height = width, height
        self.title = title
        self.defs = []
        self.body = []

    def add(self, s):
        self.body.append(s)

    def define(self, s):
        self.defs.append(s)

    # ---- crisp pixels: x, y, w, h in whole pixels
    def px(self, x, y, w, h, fill, opacity=None):
        if w <= 0 or h <= 0:
            return
        op = "" if opacity is None else ' fill-opacity="%s"' % num(opacity)
        self.add('<rect x="%s" y="%s" width="%s" height="%s" fill="%s"%s shape-rendering="crispEdges"/>'
                 % (num(x), num(y), num(w), num(h), fill, op))

    def hline(self, x1, x2, y, fill, opacity=None):
        """Pixels x1..x2 (inclusive) on row y."""
        self.px(min(x1, x2), y, abs(x2 - x1) + 1, 1, fill, opacity)

    def vline(self, x, y1, y2, fill, opacity=None):
        self.px(x, min(y1, y2), 1, abs(y2 - y1) + 1, fill, opacity)

    # ---- smooth shapes
    def rect(self, x, y, w, h, fill, extra=""):
        self.add('<rect x="%s" y="%s" width="%s" height="%s" fill="%s"%s/>'
                 % (num(x), num(y), num(w), num(h), fill, (" " + extra) if extra else ""))

    def circle(self, cx, cy, r, fill, extra=""):
        self.add('<circle cx="%s" cy="%s" r="%s" fill="%s"%s/>'
                 % (num(cx), num(cy), num(r), fill, (" " + extra) if extra else ""))

    def line(self, x1, y1, x2, y2, stroke, width=1.0, extra=""):
        self.add('<line x1="%s" y1="%s" x2="%s" y2="%s" stroke="%s" stroke-width="%s"%s/>'
                 % (num(x1), num(y1), num(x2), num(y2), stroke, num(width), (" " + extra) if extra else ""))

    def path(self, d, fill="none", extra=""):
        self.add('<path d="%s" fill="%s"%s/>' % (d, fill, (" " + extra) if extra else ""))

    def arc(self, cx, cy, r, deg1, deg2, stroke, width, extra=""):
        """An arc from deg1 to deg2 (degrees, counter-clockwise positive)."""
        x1, y1 = polar(cx, cy, r, deg1)
        x2, y2 = polar(cx, cy, r, deg2)
        large = 1 if abs(deg2 - deg1) > 180 else 0
        sweep = 0 if deg2 > deg1 else 1
        self.path("M%s %s A%s %s 0 %d %d %s %s" % (num(x1), num(y1), num(r), num(r), large, sweep, num(x2), num(y2)),
                  extra='stroke="%s" stroke-width="%s"%s' % (stroke, num(width), (" " + extra) if extra else ""))

    def band(self, cx, cy, r1, r2, deg1, deg2, fill, extra=""):
        """A ring segment between radii r1 < r2 from deg1 to deg2."""
        a1 = polar(cx, cy, r2, deg1)
        a2 = polar(cx, cy, r2, deg2)
        b2 = polar(cx, cy, r1, deg2)
        b1 = polar(cx, cy, r1, deg1)
        large = 1 if abs(deg2 - deg1) > 180 else 0
        s = 0 if deg2 > deg1 else 1
        d = "M%s %s A%s %s 0 %d %d %s %s L%s %s A%s %s 0 %d %d %s %s Z" % (
            num(a1[0]), num(a1[1]), num(r2), num(r2), large, s, num(a2[0]), num(a2[1]),
            num(b2[0]), num(b2[1]), num(r1), num(r1), large, 1 - s, num(b1[0]), num(b1[1]))
        self.path(d, fill, extra)

    def text(self, x, y, s, size, fill, weight="bold", anchor="middle", family=SANS, spacing=0.0, extra=""):
        """Text with its baseline at y."""
        esc = s.replace("&", "&amp;").replace("<", "&lt;").replace(">", "&gt;")
        sp = ' letter-spacing="%s"' % num(spacing) if spacing else ""
        self.add('<text x="%s" y="%s" font-family="%s" font-size="%s" font-weight="%s" text-anchor="%s" fill="%s"%s%s>%s</text>'
                 % (num(x), num(y), family, num(size), weight, anchor, fill, sp,
                    (" " + extra) if extra else "", esc))

    def use(self, ref, x=0, y=0, extra=""):
        """A shared part from gui/art/parts.svg (or a local id when ref starts with #)."""
        href = ref if ref.startswith("#") else "parts.svg#" + ref
        pos = ""
        if x or y:
            pos = ' x="%s" y="%s"' % (num(x), num(y))
        self.add('<use xlink:href="%s"%s%s/>' % (href, pos, (" " + extra) if extra else ""))

    def group(self, extra=""):
        self.add("<g %s>" % extra)

    def end(self):
        self.add("</g>")

    def write(self, path, comment=None):
        out = ['<?xml version="1.0" encoding="UTF-8"?>']
        if comment:
            out.append("<!-- %s -->" % comment)
        out.append('<svg xmlns="http://www.w3.org/2000/svg" xmlns:xlink="http://www.w3.org/1999/xlink" '
                   'width="%dpx" height="%dpx" viewBox="0 0 %d %d">' % (self.width, self.height, self.width, self.height))
        if self.defs:
            out.append("<defs>")
            out.extend(self.defs)
            out.append("</defs>")
        out.extend(self.body)
        out.append("</svg>")
        Path(path).parent.mkdir(parents=True, exist_ok=True)
        Path(path).write_text("\n".join(out) + "\n")
