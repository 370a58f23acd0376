"""The shared parts of every Tarn panel: screws, knob caps with their scale ring, LED
lenses, rubber keys, fader caps, the program rocker and the A/B memory keys. They are
written once into gui/art/parts.svg (definitions plus a preview sheet) and used by the
product pictures as <use xlink:href="parts.svg#part-..."/>."""

from svg import SANS, Svg, num, polar

# Knob geometry shared with the toolkit: the pointer turns from 225 degrees (minimum)
# clockwise through 270 degrees; a 36 px knob's pointer starts at the centre pixel,
# so the cap's centre is the rectangle's top-left plus 18.5.
KNOB_SIZE = 36
KNOB_CENTRE = 18.5
KNOB_START = 225.0
KNOB_SPAN = -270.0
CAP_RADIUS = 14.0

GAP = "#141517"          # the well around every key
LEGEND = "#d6d9dd"       # key legends
LEGEND_DIM = "#9ea3a9"

LEDS = {
    # name: (core, mid, edge, glow)
    "blue": ("#d8efff", "#3f9dff", "#1248a8", "#3d8eff"),
    "orange": ("#fff1c8", "#ff8c1f", "#a93805", "#ff7a18"),
    "teal": ("#d4fff6", "#25cdb2", "#066e5d", "#20d3b6"),
    "green": ("#eaffcc", "#86c846", "#3b6c12", "#8ed84b"),
    "red": ("#ffd9cf", "#ff3a26", "#961006", "#ff2c18"),
    "amber": ("#fff4c6", "#ffb41f", "#a35c00", "#ffab14"),
}

KEY_SIZES = [(40, 13), (56, 14), (48, 22), (48, 20), (27, 15), (13, 13)]


def _shade(hex_colour, f):
    c = [int(hex_colour[i:i + 2], 16) for i in (1, 3, 5)]
    return "#%02x%02x%02x" % tuple(max(0, min(254, int(round(v * f)))) for v in c)


def knob_tick_angles(count=11):
    return [KNOB_START + KNOB_SPAN * i / (count - 1) for i in range(count)]


def define_parts(svg):
    d = svg.define
    # ---- gradients
    d('<radialGradient id="part-g-screw" cx="0.38" cy="0.34" r="0.75">'
      '<stop offset="0" stop-color="#f4f5f6"/><stop offset="0.55" stop-color="#a9adb2"/>'
      '<stop offset="1" stop-color="#5b5f65"/></radialGradient>')
    d('<radialGradient id="part-g-shadow"><stop offset="0.55" stop-color="#000" stop-opacity="0.42"/>'
      '<stop offset="1" stop-color="#000" stop-opacity="0"/></radialGradient>')
    d('<radialGradient id="part-g-knob" cx="0.4" cy="0.32" r="0.78">'
      '<stop offset="0" stop-color="#5c6067"/><stop offset="0.6" stop-color="#2b2d32"/>'
      '<stop offset="1" stop-color="#121315"/></radialGradient>')
    d('<linearGradient id="part-g-knob-top" x1="0" y1="0" x2="0.4" y2="1">'
      '<stop offset="0" stop-color="#50545b"/><stop offset="1" stop-color="#1d1f22"/></linearGradient>')
    d('<linearGradient id="part-g-rubber" x1="0" y1="0" x2="0" y2="1">'
      '<stop offset="0" stop-color="#4a4d53"/><stop offset="0.45" stop-color="#33353a"/>'
      '<stop offset="1" stop-color="#222428"/></linearGradient>')
    d('<linearGradient id="part-g-rubber-down" x1="0" y1="0" x2="0" y2="1">'
      '<stop offset="0" stop-color="#232428"/><stop offset="1" stop-color="#2e3035"/></linearGradient>')
    d('<linearGradient id="part-g-fader" x1="0" y1="0" x2="0" y2="1">'
      '<stop offset="0" stop-color="#5d6168"/><stop offset="0.5" stop-color="#34373c"/>'
      '<stop offset="1" stop-color="#1f2124"/></linearGradient>')
    d('<linearGradient id="part-g-fader-h" x1="0" y1="0" x2="1" y2="0">'
      '<stop offset="0" stop-color="#5d6168"/><stop offset="0.5" stop-color="#34373c"/>'
      '<stop offset="1" stop-color="#1f2124"/></linearGradient>')
    for name, (core, mid, edge, glow) in LEDS.items():
        d('<radialGradient id="part-g-led-%s" cx="0.42" cy="0.38" r="0.62">'
          '<stop offset="0" stop-color="%s"/><stop offset="0.5" stop-color="%s"/>'
          '<stop offset="1" stop-color="%s"/></radialGradient>' % (name, core, mid, edge))
        d('<radialGradient id="part-g-glow-%s"><stop offset="0" stop-color="%s" stop-opacity="0.75"/>'
          '<stop offset="0.5" stop-color="%s" stop-opacity="0.28"/>'
          '<stop offset="1" stop-color="%s" stop-opacity="0"/></radialGradient>' % (name, glow, glow, glow))
        d('<radialGradient id="part-g-dark-%s" cx="0.4" cy="0.36" r="0.7">'
          '<stop offset="0" stop-color="%s"/><stop offset="1" stop-color="%s"/></radialGradient>'
          % (name, _shade(mid, 0.38), _shade(edge, 0.22)))

    # ---- screw, 7 px across, centred on a pixel centre
    d('<g id="part-screw">'
      '<circle r="3.6" fill="#000" fill-opacity="0.28" cx="0.4" cy="0.5"/>'
      '<circle r="3.5" fill="url(#part-g-screw)"/>'
      '<circle r="3.15" fill="none" stroke="#3d4044" stroke-opacity="0.45" stroke-width="0.6"/>'
      '<rect x="-2.5" y="-0.5" width="5" height="1" fill="#2b2d30" fill-opacity="0.85"/>'
      '<rect x="-0.5" y="-2.5" width="1" height="5" fill="#2b2d30" fill-opacity="0.85"/>'
      '</g>')

    # ---- knob cap: about 28 px across, knurled edge, soft shadow to the lower right
    knurl = []
    for i in range(40):
        a = 360.0 * i / 40
        x1, y1 = polar(0, 0, 11.9, a)
        x2, y2 = polar(0, 0, 13.7, a)
        knurl.append('<line x1="%s" y1="%s" x2="%s" y2="%s"/>' % (num(x1), num(y1), num(x2), num(y2)))
    d('<g id="part-knob">'
      '<circle cx="1.6" cy="2.1" r="16.2" fill="url(#part-g-shadow)"/>'
      '<circle r="%s" fill="url(#part-g-knob)"/>'
      '<g stroke="#08090a" stroke-opacity="0.75" stroke-width="0.75">%s</g>'
      '<circle r="%s" fill="none" stroke="#8a9098" stroke-opacity="0.35" stroke-width="0.6"/>'
      '<circle r="11.2" fill="url(#part-g-knob-top)" stroke="#0d0e10" stroke-opacity="0.8" stroke-width="0.6"/>'
      '<circle r="10.6" fill="none" stroke="#6c7179" stroke-opacity="0.45" stroke-width="0.5"/>'
      '<ellipse cx="-3.6" cy="-4.6" rx="4.8" ry="3.1" fill="#ffffff" fill-opacity="0.07"/>'
      '</g>' % (num(CAP_RADIUS), "".join(knurl), num(CAP_RADIUS - 0.3)))

    # ---- scale ring: eleven ticks, the two end ticks where the pointer lies at the
    # minimum and the maximum; drawn in the part's current colour
    ticks = []
    for i, a in enumerate(knob_tick_angles()):
        end = i in (0, 10)
        mid = i == 5
        r1, r2 = (15.4, 18.6) if end else ((15.6, 18.4) if mid else (15.8, 18.2))
        x1, y1 = polar(0, 0, r1, a)
        x2, y2 = polar(0, 0, r2, a)
        ticks.append('<line x1="%s" y1="%s" x2="%s" y2="%s" stroke-width="%s"/>'
                     % (num(x1), num(y1), num(x2), num(y2), "1.25" if end else "1"))
    d('<g id="part-knob-ring" stroke="currentColor" stroke-linecap="butt">%s</g>' % "".join(ticks))

    # ---- LED lenses at unit radius: use with transform="translate(x y) scale(r)"
    for name in LEDS:
        d('<g id="part-led-on-%s">'
          '<circle r="2" fill="url(#part-g-glow-%s)"/>'
          '<circle r="1.1" fill="#000" fill-opacity="0.3"/>'
          '<circle r="1" fill="url(#part-g-led-%s)"/>'
          '<ellipse cx="-0.32" cy="-0.38" rx="0.36" ry="0.24" fill="#fffef8" fill-opacity="0.6"/>'
          '</g>' % (name, name, name))
        d('<g id="part-led-off-%s">'
          '<circle r="1.14" fill="#000" fill-opacity="0.38"/>'
          '<circle r="1" fill="url(#part-g-dark-%s)"/>'
          '<ellipse cx="-0.3" cy="-0.36" rx="0.36" ry="0.22" fill="#fffef8" fill-opacity="0.32"/>'
          '</g>' % (name, name))

    # ---- rubber keys (up and pressed) of every size the panels use; they fill their
    # whole rectangle, the outermost pixels being the dark well
    for w, h in KEY_SIZES:
        for state, grad in (("", "part-g-rubber"), ("-down", "part-g-rubber-down")):
            parts = ['<rect width="%d" height="%d" fill="%s" shape-rendering="crispEdges"/>' % (w, h, GAP),
                     '<rect x="1" y="1" width="%d" height="%d" rx="1.6" fill="url(#%s)"/>' % (w - 2, h - 2, grad)]
            if not state:
                parts.append('<rect x="2" y="1" width="%d" height="1" fill="#ffffff" fill-opacity="0.16" '
                             'shape-rendering="crispEdges"/>' % (w - 4))
                parts.append('<rect x="2" y="%d" width="%d" height="1" fill="#000" fill-opacity="0.3" '
                             'shape-rendering="crispEdges"/>' % (h - 2, w - 4))
            else:
                parts.append('<rect x="2" y="1" width="%d" height="1" fill="#000" fill-opacity="0.35" '
                             'shape-rendering="crispEdges"/>' % (w - 4))
            d('<g id="part-key-%dx%d%s">%s</g>' % (w, h, state, "".join(parts)))

    # ---- fader caps (keyed: the corner pixels stay transparent, i.e. the colour key)
    for w in (26, 24):
        d('<g id="part-fader-v%d" shape-rendering="crispEdges">'
          '<rect x="1" y="0" width="%d" height="15" fill="#0e0f11"/>'
          '<rect x="0" y="1" width="%d" height="13" fill="#0e0f11"/>'
          '<rect x="1" y="1" width="%d" height="13" fill="url(#part-g-fader)"/>'
          '<rect x="2" y="1" width="%d" height="1" fill="#ffffff" fill-opacity="0.22"/>'
          '<rect x="2" y="3" width="%d" height="1" fill="#000" fill-opacity="0.3"/>'
          '<rect x="2" y="5" width="%d" height="1" fill="#000" fill-opacity="0.3"/>'
          '<rect x="2" y="9" width="%d" height="1" fill="#000" fill-opacity="0.3"/>'
          '<rect x="2" y="11" width="%d" height="1" fill="#000" fill-opacity="0.3"/>'
          '<rect x="1" y="7" width="%d" height="1" fill="#f2efe4"/>'
          '</g>' % (w, w - 2, w, w - 2, w - 4, w - 4, w - 4, w - 4, w - 4, w - 2))
    d('<g id="part-fader-h15" shape-rendering="crispEdges">'
      '<rect x="1" y="0" width="13" height="16" fill="#0e0f11"/>'
      '<rect x="0" y="1" width="15" height="14" fill="#0e0f11"/>'
      '<rect x="1" y="1" width="13" height="14" fill="url(#part-g-fader-h)"/>'
      '<rect x="1" y="1" width="1" height="14" fill="#ffffff" fill-opacity="0.2"/>'
      '<rect x="3" y="2" width="1" height="12" fill="#000" fill-opacity="0.3"/>'
      '<rect x="5" y="2" width="1" height="12" fill="#000" fill-opacity="0.3"/>'
      '<rect x="9" y="2" width="1" height="12" fill="#000" fill-opacity="0.3"/>'
      '<rect x="11" y="2" width="1" height="12" fill="#000" fill-opacity="0.3"/>'
      '<rect x="7" y="1" width="1" height="14" fill="#f2efe4"/>'
      '</g>')

    # ---- A/B memory keys, 13 x 26: the key up above, pressed below. Store: an arrow
    # down into the bar; recall: an arrow up out of it.
    for kind in ("store", "recall"):
        for letter in ("a", "b"):
            body = []
            for img, state in ((0, ""), (1, "-down")):
                y0 = 13 * img + (1 if state else 0)
                body.append('<use xlink:href="#part-key-13x13%s" y="%d"/>' % (state, 13 * img))
                colour = LEGEND if not state else LEGEND_DIM
                body.append('<text x="4.6" y="%s" font-family="%s" font-size="8" font-weight="bold" '
                            'text-anchor="middle" fill="%s">%s</text>' % (num(y0 + 9.6), SANS, colour, letter.upper()))
                # the bar (memory) and the arrow, crisp pixels: rows of (first, last) columns
                if kind == "store":
                    rows = {2: (10, 10), 3: (10, 10), 4: (10, 10), 5: (8, 12), 6: (9, 11), 7: (10, 10)}
                else:
                    rows = {2: (10, 10), 3: (9, 11), 4: (8, 12), 5: (10, 10), 6: (10, 10), 7: (10, 10)}
                rows[9] = (8, 12)
                for row, (c1, c2) in sorted(rows.items()):
                    body.append('<rect x="%d" y="%d" width="%d" height="1" fill="%s" shape-rendering="crispEdges"/>'
                                % (c1, y0 + row, c2 - c1 + 1, colour))
            d('<g id="part-%s-%s">%s</g>' % (kind, letter, "".join(body)))

    # ---- program step rocker, 33 x 39: left half pressed, at rest, right half pressed
    body = []
    for img in range(3):
        y = 13 * img
        body.append('<rect y="%d" width="33" height="13" fill="%s" shape-rendering="crispEdges"/>' % (y, GAP))
        for half in range(2):
            x = 1 + 16 * half
            pressed = (img == 0 and half == 0) or (img == 2 and half == 1)
            grad = "part-g-rubber-down" if pressed else "part-g-rubber"
            body.append('<rect x="%d" y="%d" width="15" height="11" rx="1.6" fill="url(#%s)"/>' % (x, y + 1, grad))
            if not pressed:
                body.append('<rect x="%d" y="%d" width="13" height="1" fill="#ffffff" fill-opacity="0.16" '
                            'shape-rendering="crispEdges"/>' % (x + 1, y + 1))
            cx = x + 7.5
            cy = y + 6.5 + (0.5 if pressed else 0)
            colour = "#f0e2b8" if pressed else LEGEND
            if half == 0:
                tri = "M%s %sL%s %sL%s %sZ" % (num(cx - 2.6), num(cy), num(cx + 1.8), num(cy - 2.8), num(cx + 1.8), num(cy + 2.8))
            else:
                tri = "M%s %sL%s %sL%s %sZ" % (num(cx + 2.6), num(cy), num(cx - 1.8), num(cy - 2.8), num(cx - 1.8), num(cy + 2.8))
            body.append('<path d="%s" fill="%s"/>' % (tri, colour))
    d('<g id="part-rocker">%s</g>' % "".join(body))


def led(svg, colour, lit, cx, cy, r):
    svg.use("part-led-%s-%s" % ("on" if lit else "off", colour),
            extra='transform="translate(%s %s) scale(%s)"' % (num(cx), num(cy), num(r)))


def knob(svg, left, top, ring_colour=None):
    """A knob cap (and its scale ring) centred on the 36 x 36 knob rectangle."""
    cx, cy = left + KNOB_CENTRE, top + KNOB_CENTRE
    if ring_colour:
        svg.use("part-knob-ring", cx, cy, 'color="%s"' % ring_colour)
    svg.use("part-knob", cx, cy)


def screw(svg, cx, cy):
    """A rack screw whose centre pixel is (cx, cy)."""
    svg.use("part-screw", cx + 0.5, cy + 0.5)


def write_parts(path):
    svg = Svg(320, 140)
    define_parts(svg)
    # a preview sheet: rsvg-convert parts.svg shows every part
    svg.px(0, 0, 320, 140, "#b9bdc2")
    screw(svg, 8, 8)
    knob(svg, 20, 4, "#2a2c30")
    x = 64
    for name in LEDS:
        led(svg, name, False, x, 10, 4)
        led(svg, name, True, x, 26, 4)
        x += 14
    y = 44
    x = 4
    for w, h in KEY_SIZES:
        svg.use("part-key-%dx%d" % (w, h), x, y)
        svg.use("part-key-%dx%d-down" % (w, h), x, y + h + 2)
        x += w + 4
    svg.use("part-fader-v26", 4, 90)
    svg.use("part-fader-v24", 34, 90)
    svg.use("part-fader-h15", 62, 90)
    for i, name in enumerate(("store-a", "store-b", "recall-a", "recall-b")):
        svg.use("part-" + name, 84 + 16 * i, 90)
    svg.use("part-rocker", 150, 90)
    svg.write(path, "Shared parts of the Tarn panels. Generated by tools/artgen/artgen.py; the build "
                    "inlines these definitions into each product picture that uses parts.svg#part-...")
