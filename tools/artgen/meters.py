"""Analogue meter faces whose printed scales sit where the toolkit's needles point.

The log dial of GuiNeedleMeter and GuiTwinNeedleMeter: for a fed value v,
    p = log10(v) / 1.9 + 1            (limited to -0.043 .. 1.043)
    angle = 135 deg - p * 90 deg      (counter-clockwise from three o'clock)
so a value in decibels, dB = 20 log10(v), lies at 45 deg - dB * 90 / 38.
A needle is drawn from the pivot with truncated coordinates and a second time one
pixel to the right, so its visual axis runs through (pivot x + 0.5, pivot y).

The swing dial of GuiSwingMeter: angle = 216 deg - value * 252 deg for value 0..1.
"""
import math

from svg import SANS, polar

IVORY_TOP = "#f3ead0"
IVORY_BOTTOM = "#e7dbbb"
INK = "#26231d"
RED = "#c42a1c"
GR_BLUE = "#2f3590"

DECADES = 1.9


def log_angle(v):
    p = math.log10(v) / DECADES + 1.0
    p = max(-0.043, min(1.043, p))
    return 135.0 - p * 90.0


def db_angle(db, gain=1.0):
    """Where the needle points when the editor feeds gain * 10^(dB/20)."""
    return log_angle(gain * 10.0 ** (db / 20.0))


def swing_angle(value):
    return 216.0 - value * 252.0


def label(svg, cx, cy, r, deg, s, size, fill, family=SANS, weight="bold"):
    """A scale number centred on the point at radius r, angle deg."""
    x, y = polar(cx, cy, r, deg)
    svg.text(x, y + 0.36 * size, s, size, fill, weight=weight, family=family)


def ticks(svg, cx, cy, angles, r1, r2, colour, width):
    for a in angles:
        x1, y1 = polar(cx, cy, r1, a)
        x2, y2 = polar(cx, cy, r2, a)
        svg.line(x1, y1, x2, y2, colour, width)


def ivory(svg, ident, w, h):
    svg.define('<linearGradient id="%s-ivory" x1="0" y1="0" x2="0" y2="1">'
               '<stop offset="0" stop-color="%s"/><stop offset="1" stop-color="%s"/></linearGradient>'
               % (ident, IVORY_TOP, IVORY_BOTTOM))
    svg.define('<linearGradient id="%s-inner" x1="0" y1="0" x2="0" y2="1">'
               '<stop offset="0" stop-color="#000" stop-opacity="0.3"/>'
               '<stop offset="1" stop-color="#000" stop-opacity="0"/></linearGradient>' % ident)
    svg.px(0, 0, w, h, "url(#%s-ivory)" % ident)
    svg.px(0, 0, w, 5, "url(#%s-inner)" % ident)
    svg.vline(0, 0, h - 1, "#000000", 0.12)
    svg.vline(w - 1, 0, h - 1, "#000000", 0.08)


def level_scale(svg, cx, cy, r_base=76.5, gain=1.0):
    """The decibel scale of a level needle fed gain * linear level (0 dB = fed 1.0)."""
    top = 10.0 ** (1.043 * DECADES - DECADES) * 1.0  # the needle's stop above full scale
    over_db = 20.0 * math.log10(top)
    svg.arc(cx, cy, r_base, db_angle(-38), db_angle(0), INK, 0.8)
    svg.band(cx, cy, r_base - 0.4, r_base + 3.6, db_angle(0), db_angle(over_db), RED)
    minors = [-36, -34, -32, -28, -26, -24, -22, -18, -16, -14, -12, -9, -8, -7, -5, -4, -2, -1]
    majors = [-30, -20, -10, -6, -3, 0]
    ticks(svg, cx, cy, [db_angle(d) for d in minors], r_base - 3.2, r_base + 0.4, INK, 0.8)
    ticks(svg, cx, cy, [db_angle(d) for d in majors], r_base - 5.2, r_base + 3.4, INK, 1.1)
    ticks(svg, cx, cy, [db_angle(-38)], r_base - 5.2, r_base + 0.4, INK, 1.1)
    for d in majors:
        label(svg, cx, cy, r_base + 8.6, db_angle(d), "%d" % d if d else "0", 6.5, INK)


def gr_scale(svg, cx, cy, feed, r_base=55.0):
    """Gain reduction in dB for a needle fed reduction (a linear gain <= 1) * feed. The
    short needle ends on the ticks; the numbers stand outside its reach."""
    svg.arc(cx, cy, r_base, db_angle(0, feed), db_angle(-24, feed), GR_BLUE, 0.8)
    minors = [1, 2, 3, 4, 6, 7, 8, 9, 12.5, 17.5, 22.5]
    majors = [0, 5, 10, 15, 20]
    ticks(svg, cx, cy, [db_angle(-g, feed) for g in minors], r_base - 0.4, r_base + 3.0, GR_BLUE, 0.8)
    ticks(svg, cx, cy, [db_angle(-g, feed) for g in majors], r_base - 0.4, r_base + 4.8, GR_BLUE, 1.1)
    for g in majors:
        label(svg, cx, cy, r_base + 9.6, db_angle(-g, feed), "%d" % g, 6.0, GR_BLUE)


def shroud(svg, cx, cy, r, colour):
    """The dark cover over the needles' roots, in the bezel's colour."""
    svg.circle(cx, cy, r, colour)
    svg.arc(cx, cy, r - 0.6, 170, 10, "#ffffff", 0.7, 'stroke-opacity="0.16"')


def lamp(svg, colour, housing, w, h, cx, cy, r):
    """A two-image lamp picture, unlit above lit, on the housing colour."""
    from parts import led
    svg.px(0, 0, w, 2 * h, housing)
    led(svg, colour, False, cx, cy, r)
    led(svg, colour, True, cx, cy + h, r)
