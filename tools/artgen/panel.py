"""The family look of a Tarn faceplate: gradient plate with its texture, bevel, engraved
section frames with titles, program strip, slider slots, key wells and rack screws."""
from svg import SANS, num, text_width

TITLE_SIZE = 7.0
TITLE_SPACING = 0.7


class Finish:
    def __init__(self, **kw):
        # plate: top and bottom colours, texture ("brushed" or "grain") and its strength
        self.top = kw["top"]
        self.bottom = kw["bottom"]
        self.texture = kw.get("texture", "grain")
        self.texture_opacity = kw.get("texture_opacity", 0.1)
        self.groove_dark = kw.get("groove_dark", ("#000000", 0.38))
        self.groove_light = kw.get("groove_light", ("#ffffff", 0.5))
        self.title = kw["title"]              # section title colour
        self.accent = kw["accent"]            # LED colour name of the product
        self.ring = kw["ring"]                # knob scale ring colour
        self.tick = kw.get("tick", self.ring)  # slider scale ticks
        self.strip_top = kw["strip_top"]
        self.strip_bottom = kw["strip_bottom"]
        self.bezel = kw["bezel"]              # meter bezel and lamp housing
        self.label = kw.get("label")          # light plates behind the editor's black texts
        self.name = kw["name"]                # product name colour on the panel
        self.slot = kw.get("slot", "#15161a")


def plate(svg, finish, x, y, w, h, ident):
    """The faceplate gradient and texture over a rectangle."""
    svg.define('<linearGradient id="%s-plate" x1="0" y1="0" x2="0" y2="1">'
               '<stop offset="0" stop-color="%s"/><stop offset="1" stop-color="%s"/></linearGradient>'
               % (ident, finish.top, finish.bottom))
    if finish.texture == "brushed":
        freq = "0.0035 0.9"
        octaves = 2
    else:
        freq = "0.9"
        octaves = 1
    svg.px(x, y, w, h, "url(#%s-plate)" % ident)
    # the texture: the noise's red channel lightens, its inverse darkens
    svg.define('<filter id="%s-light" filterUnits="userSpaceOnUse" x="%d" y="%d" width="%d" height="%d" '
               'color-interpolation-filters="sRGB">'
               '<feTurbulence type="fractalNoise" baseFrequency="%s" numOctaves="%d" seed="11"/>'
               '<feColorMatrix type="matrix" values="0 0 0 0 1  0 0 0 0 1  0 0 0 0 1  2.2 0 0 0 -1.1"/>'
               '</filter>' % (ident, x, y, w, h, freq, octaves))
    svg.define('<filter id="%s-dark" filterUnits="userSpaceOnUse" x="%d" y="%d" width="%d" height="%d" '
               'color-interpolation-filters="sRGB">'
               '<feTurbulence type="fractalNoise" baseFrequency="%s" numOctaves="%d" seed="11"/>'
               '<feColorMatrix type="matrix" values="0 0 0 0 0  0 0 0 0 0  0 0 0 0 0  -2.2 0 0 0 1.1"/>'
               '</filter>' % (ident, x, y, w, h, freq, octaves))
    svg.add('<rect x="%d" y="%d" width="%d" height="%d" filter="url(#%s-light)" opacity="%s"/>'
            % (x, y, w, h, ident, num(finish.texture_opacity)))
    svg.add('<rect x="%d" y="%d" width="%d" height="%d" filter="url(#%s-dark)" opacity="%s"/>'
            % (x, y, w, h, ident, num(finish.texture_opacity)))


def bevel(svg, w, h):
    svg.hline(0, w - 1, 0, "#ffffff", 0.55)
    svg.vline(0, 1, h - 1, "#ffffff", 0.4)
    svg.hline(1, w - 1, h - 1, "#000000", 0.5)
    svg.vline(w - 1, 1, h - 2, "#000000", 0.5)


def groove(svg, finish, points, title=None, title_at=None, gap=4):
    """An engraved frame through the given corner pixels (a closed polygon of horizontal
    and vertical edges): a dark line with a light line below/right of it. A title cuts
    the first edge, centred at title_at (x) or at the edge's middle."""
    dark, dark_op = finish.groove_dark
    light, light_op = finish.groove_light
    edges = []
    for i in range(len(points)):
        (x1, y1), (x2, y2) = points[i], points[(i + 1) % len(points)]
        edges.append((x1, y1, x2, y2))
    cut = None
    if title:
        x1, y1, x2, y2 = edges[0]
        assert y1 == y2, "the titled edge is horizontal"
        cx = title_at if title_at is not None else (x1 + x2) / 2.0
        tw = text_width(title, TITLE_SIZE, SANS, "bold", TITLE_SPACING) - TITLE_SPACING
        cut = (int(cx - tw / 2.0) - gap, int(cx + tw / 2.0) + gap)
        svg.text(cx + TITLE_SPACING / 2.0, y1 + 3, title, TITLE_SIZE, finish.title, spacing=TITLE_SPACING)

    def segments(x1, x2, first):
        lo, hi = min(x1, x2), max(x1, x2)
        if first and cut:
            return [(lo, cut[0] - 1), (cut[1] + 1, hi)]
        return [(lo, hi)]

    for layer, (colour, op) in (("light", (light, light_op)), ("dark", (dark, dark_op))):
        for i, (x1, y1, x2, y2) in enumerate(edges):
            d = 1 if layer == "light" else 0
            if y1 == y2:
                for a, b in segments(x1, x2, i == 0):
                    svg.hline(a, b + d, y1 + d, colour, op)
            else:
                svg.vline(x1 + d, min(y1, y2), max(y1, y2) + d, colour, op)


def divider(svg, finish, x1, x2, y):
    """A horizontal engraved line across a frame, pixels x1..x2 on row y."""
    dark, dark_op = finish.groove_dark
    light, light_op = finish.groove_light
    svg.hline(x1 + 1, x2 - 1, y + 1, light, light_op)
    svg.hline(x1 + 1, x2 - 1, y, dark, dark_op)


def rect_points(x1, y1, x2, y2):
    return [(x1, y1), (x2, y1), (x2, y2), (x1, y2)]


def strip(svg, finish, ident, x, y, w, h):
    """The darker program strip with a shadow line on top."""
    svg.define('<linearGradient id="%s-strip" x1="0" y1="0" x2="0" y2="1">'
               '<stop offset="0" stop-color="%s"/><stop offset="1" stop-color="%s"/></linearGradient>'
               % (ident, finish.strip_top, finish.strip_bottom))
    svg.px(x, y, w, h, "url(#%s-strip)" % ident)
    svg.hline(x, x + w - 1, y - 1, "#000000", 0.45)
    svg.hline(x, x + w - 1, y, "#ffffff", 0.12)


def key_well(svg, x, y, w, h):
    """The engraved edge round a key: a light pixel line below and right of it."""
    svg.hline(x, x + w, y + h, "#ffffff", 0.35)
    svg.vline(x + w, y, y + h - 1, "#ffffff", 0.35)
    svg.hline(x - 1, x + w - 1, y - 1, "#000000", 0.25)
    svg.vline(x - 1, y, y + h - 1, "#000000", 0.25)


def label_plate(svg, finish, x, y, w, h):
    """A light plate behind a display whose text the editor writes in black."""
    if not finish.label:
        return
    fill, edge = finish.label
    svg.px(x, y, w, h, fill)
    svg.hline(x, x + w - 1, y, "#000000", 0.18)
    svg.hline(x, x + w - 1, y + h - 1, "#ffffff", 0.25)
    svg.hline(x - 1, x + w, y - 1, edge, 0.8)
    svg.hline(x - 1, x + w, y + h, "#ffffff", 0.22)
    svg.vline(x - 1, y, y + h - 1, edge, 0.8)
    svg.vline(x + w, y, y + h - 1, "#ffffff", 0.22)


def slider_rows(first, last, values, line_row=7):
    """The rows of a vertical slider's handle centre line (value 0 at the bottom) for
    the values, as the slider computes the handle's place: first + int(travel * (1 - v))."""
    travel = last - first
    return [first + int(travel * (1.0 - v)) + line_row for v in values]


def vertical_slot(svg, finish, left, top, width, first, last, handle_h=15, line_row=7, ticks_left=True,
                  ticks_right=True, tick_len=5, tick_gap=3, steps=10, majors=(0, 5, 10)):
    """The slot of a vertical slider (value 0 at the bottom) with its scale: a tick for
    each step of the travel (tenths unless steps says otherwise), on the row where the
    handle's centre line lies for that value."""
    cx = left + width // 2  # the slot's two middle columns are cx - 1 and cx (even widths)
    rows = slider_rows(first, last, [k / float(steps) for k in range(steps + 1)], line_row)
    top_row, bottom_row = rows[steps], rows[0]
    x1, x2 = cx - 2, cx + 1
    svg.px(x1 - 1, top_row - 5, 6, bottom_row - top_row + 11, "#000000", 0.22)
    svg.px(x1, top_row - 4, 4, bottom_row - top_row + 9, finish.slot)
    svg.hline(x1, x2, top_row - 4, "#000000")
    svg.hline(x1 - 1, x2 + 1, bottom_row + 6, "#ffffff", 0.45)
    svg.vline(x2 + 2, top_row - 4, bottom_row + 5, "#ffffff", 0.45)
    for k, row in enumerate(rows):
        n = tick_len + (2 if k in majors else 0)
        if ticks_left:
            svg.hline(x1 - tick_gap - n, x1 - tick_gap - 1, row, finish.tick)
        if ticks_right:
            svg.hline(x2 + tick_gap + 1, x2 + tick_gap + n, row, finish.tick)
    return rows


def horizontal_slot_ticks(first_col, travel, line_col=7):
    return [first_col + int(travel * k / 10.0) + line_col for k in range(11)]


def program_row(svg, finish, menu, rocker, keys, key_top):
    """The program menu's light window (the menu writes dark text over the panel), and
    the wells of the step rocker and the four memory keys."""
    x, y, w, h = menu
    svg.px(x, y, w, h, "#e8e3d3")
    svg.hline(x - 1, x + w, y - 1, "#000000", 0.55)
    svg.vline(x - 1, y, y + h, "#000000", 0.55)
    svg.hline(x, x + w, y + h, "#ffffff", 0.3)
    svg.vline(x + w, y - 1, y + h - 1, "#ffffff", 0.3)
    svg.hline(x, x + w - 1, y, "#000000", 0.12)
    key_well(svg, rocker[0], rocker[1], 33, 13)
    for left in keys:
        key_well(svg, left, key_top, 13, 13)


def name_mark(svg, finish, rect, name, size=9.0, spacing=2.2):
    """TARN and the product name, centred in the about screen's click area."""
    x1, y1, x2, y2 = rect
    cx = (x1 + x2) / 2.0
    tarn_w = text_width("TARN", size * 2 / 3, spacing=1.0)
    name_w = text_width(name, size, spacing=spacing)
    x0 = cx - (tarn_w + 6 + name_w) / 2.0
    base = (y1 + y2) / 2.0 + 0.36 * size
    svg.text(x0, base, "TARN", size * 2 / 3, finish.name, anchor="start", spacing=1.0)
    svg.text(x0 + tarn_w + 6, base, name, size, finish.name, anchor="start", spacing=spacing)


def meter_bezel(svg, finish, fx, fy, fw, fh):
    """The dark bezel round a meter face; it reaches three rows below the face, where
    the face's lamp overlaps it."""
    svg.px(fx - 2, fy - 2, fw + 4, fh + 5, finish.bezel)
    svg.hline(fx - 2, fx + fw + 2, fy + fh + 3, "#ffffff", 0.5)
    svg.vline(fx + fw + 2, fy - 2, fy + fh + 2, "#ffffff", 0.5)
    svg.hline(fx - 3, fx + fw + 1, fy - 3, "#000000", 0.25)
    svg.vline(fx - 3, fy - 2, fy + fh + 2, "#000000", 0.25)
