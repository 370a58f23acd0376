"""The panel plan that the compressor and the saturator share (435 x 247): two meters
under a bridge, a vertical slider at each side, a row of keys over a row of eight knobs,
the mix slider and the product name above the program row."""
import common
import meters
import panel
from parts import knob, screw
from svg import Svg

W, H = 435, 247
KNOB_TOP = 162
FACES = [(69, 18, 136, 111, 130, 88, "L"), (233, 18, 298, 111, 292, 88, "R")]  # face, pivot, lamp
FACE_W, FACE_H = 132, 81
SLIDERS = [(27, 26, 115), (382, 26, 115)]  # left, first and last handle top
ABOUT_AREA = (134, 217, 299, 227)
MENU = (98, 233, 111, 11)
ROCKER = (222, 233)
MEMORY = (263, 280, 304, 322)
PROGRAM_TOP = 233
COLUMNS = ((11, 64), (368, 425))   # the slider columns' frames, rows 6 to 213


def face_pivot(face):
    """The needles' visual axis inside the face: a needle is drawn twice, one pixel
    apart to the right, from truncated coordinates, so it centres half a pixel right
    of the pivot."""
    fx, fy, px, py = face[:4]
    return px - fx + 0.5, py - fy


def write_panel(path, ident, finish, name, frames, keys, knob_lefts, slider_steps, plates=()):
    """frames: (points, title) of the middle sections; keys: (left, top, w, h) wells;
    slider_steps: (steps, majors) of the left and the right slider's scale; plates: the
    (x, y, w, h) light plates behind the editor's texts, for dark finishes."""
    svg = Svg(W, H)
    f = finish
    panel.plate(svg, f, 0, 0, W, H, ident)
    panel.strip(svg, f, ident, 1, 232, W - 2, H - 233)
    panel.bevel(svg, W, H)
    for fx, fy, *_ in FACES:
        panel.meter_bezel(svg, f, fx, fy, FACE_W, FACE_H)
    for x1, x2 in COLUMNS:
        panel.groove(svg, f, panel.rect_points(x1, 6, x2, 213))
        panel.divider(svg, f, x1, x2, 145)
    for points, title in frames:
        panel.groove(svg, f, points, title)
    for (left, first, last), (steps, majors) in zip(SLIDERS, slider_steps):
        panel.vertical_slot(svg, f, left, first, 26, first, last, steps=steps, majors=majors)
    for left, top, w, h in keys:
        panel.key_well(svg, left, top, w, h)
    for x, y, w, h in plates:
        panel.label_plate(svg, f, x, y, w, h)
    for left in knob_lefts:
        knob(svg, left, KNOB_TOP, f.ring)
    panel.program_row(svg, f, MENU, ROCKER, MEMORY, PROGRAM_TOP)
    panel.name_mark(svg, f, ABOUT_AREA, name)
    for x, y in ((5, 5), (W - 6, 5), (5, H - 8), (W - 6, H - 8)):
        screw(svg, x, y)
    svg.write(path, common.NOTE)


def write_face(path, face, finish, scales, legends):
    """scales(svg, cx, cy) prints the scales; legends: (text, colour, anchor) at the
    lower corners."""
    svg = Svg(FACE_W, FACE_H)
    cx, cy = face_pivot(face)
    meters.ivory(svg, "face", FACE_W, FACE_H)
    scales(svg, cx, cy)
    meters.shroud(svg, cx, cy, 29.0, finish.bezel)
    for text, colour, anchor in legends:
        inset = 0
        if isinstance(anchor, tuple):
            anchor, inset = anchor
        x = 4 + inset if anchor == "start" else FACE_W - 4 - inset
        svg.text(x, 77, text, 6.0, colour, anchor=anchor)
    svg.text(7, 13, face[6], 9.0, meters.INK, anchor="start")
    svg.write(path, common.NOTE)


def write_lamps(art, ids, finish):
    for pid, side in zip(ids, ("left", "right")):
        common.write_lamp(art / ("%d_clip_lamp_%s.svg" % (pid, side)), "red", finish.bezel, 12, 13, 3.6)
