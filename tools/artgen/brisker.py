"""Tarn Brisker, the compressor: brushed steel, deep blue titles, blue LEDs."""
from pathlib import Path

import common
import meters
import panel
from parts import knob, screw
from svg import SANS, Svg, num, text_width

W, H = 435, 247
FINISH = panel.Finish(top="#d3d6da", bottom="#a7abb1", texture="brushed", texture_opacity=0.22,
                      title="#1b3786", accent="blue", ring="#2a2d32", tick="#34373c",
                      strip_top="#7c8188", strip_bottom="#62666d", bezel="#24262a", name="#1b3786",
                      slot="#17181b")
FINISH.track = "#b4b8bd"

KNOB_LEFTS = [76, 124, 180, 227, 274, 321, 376, 21]
KNOB_TOP = 162
KEYS = {  # picture id: (left, top, width, height of one image)
    12129: (197, 130, 40, 13), 12130: (74, 130, 40, 13), 12131: (136, 130, 40, 13),
    12132: (258, 130, 40, 13), 12133: (320, 130, 40, 13), 12134: (189, 103, 56, 14),
}
FACES = [(69, 18, 136, 111, 130, 88, "L"), (233, 18, 298, 111, 292, 88, "R")]  # face, pivot, lamp
FACE_W, FACE_H = 132, 81
SLIDERS = [(27, 26, 115), (382, 26, 115)]  # left, first, last handle top
LEVEL_FEED = 1.58    # needle 1 = level * 1.58: a full-scale sine's mean level reads 0 dB
GR_FEED = 0.1995     # needle 3 = gain reduction * 0.1995: no reduction sits at 0 on the blue scale


def face_pivot(face):
    fx, fy, px, py = face[:4]
    return px - fx + 0.5, py - fy


def write_panel(path):
    svg = Svg(W, H)
    f = FINISH
    panel.plate(svg, f, 0, 0, W, H, "brisker")
    panel.strip(svg, f, "brisker", 1, 232, W - 2, H - 233)
    panel.bevel(svg, W, H)

    # meter bezels (the face pictures fill them; the lamps reach two rows into them)
    for fx, fy, *_ in FACES:
        svg.px(fx - 2, fy - 2, FACE_W + 4, FACE_H + 5, f.bezel)
        svg.hline(fx - 2, fx + FACE_W + 2, fy + FACE_H + 3, "#ffffff", 0.5)
        svg.vline(fx + FACE_W + 2, fy - 2, fy + FACE_H + 2, "#ffffff", 0.5)
        svg.hline(fx - 3, fx + FACE_W + 1, fy - 3, "#000000", 0.25)
        svg.vline(fx - 3, fy - 2, fy + FACE_H + 2, "#000000", 0.25)

    # section frames
    for x1, x2 in ((11, 64), (368, 425)):
        panel.groove(svg, f, panel.rect_points(x1, 6, x2, 213))
        panel.divider(svg, f, x1, x2, 145)
    panel.groove(svg, f, [(67, 124), (186, 124), (186, 145), (170, 145), (170, 213), (67, 213)], "SIDE CHAIN")
    panel.groove(svg, f, [(188, 124), (309, 124), (309, 145), (315, 145), (315, 213), (172, 213), (172, 145),
                          (188, 145)], "DYNAMICS")
    panel.groove(svg, f, [(311, 124), (365, 124), (365, 213), (317, 213), (317, 145), (311, 145)], "OUTPUT")

    # slider slots with their scales
    for left, first, last in SLIDERS:
        panel.vertical_slot(svg, f, left, first, 26, first, last)

    # key wells
    for left, top, w, h in KEYS.values():
        panel.key_well(svg, left, top, w, h)

    # knob caps with scale rings
    for left in KNOB_LEFTS:
        knob(svg, left, KNOB_TOP, f.ring)

    # program row: the menu's light window, and wells for the rocker and memory keys
    menu = (98, 233, 111, 11)
    svg.px(menu[0], menu[1], menu[2], menu[3], "#e8e3d3")
    svg.hline(menu[0] - 1, menu[0] + menu[2], menu[1] - 1, "#000000", 0.55)
    svg.vline(menu[0] - 1, menu[1], menu[1] + menu[3], "#000000", 0.55)
    svg.hline(menu[0], menu[0] + menu[2], menu[1] + menu[3], "#ffffff", 0.3)
    svg.vline(menu[0] + menu[2], menu[1] - 1, menu[1] + menu[3] - 1, "#ffffff", 0.3)
    svg.hline(menu[0], menu[0] + menu[2] - 1, menu[1], "#000000", 0.12)
    panel.key_well(svg, 222, 233, 33, 13)
    for left in (263, 280, 304, 322):
        panel.key_well(svg, left, 233, 13, 13)

    # product name where the about screen opens
    cx = (134 + 299) / 2.0
    tarn_w = text_width("TARN", 6.0, spacing=1.0)
    name_w = text_width("BRISKER", 9.0, spacing=2.2)
    total = tarn_w + 6 + name_w
    x0 = cx - total / 2.0
    svg.text(x0, 226, "TARN", 6.0, f.name, anchor="start", spacing=1.0)
    svg.text(x0 + tarn_w + 6, 226, "BRISKER", 9.0, f.name, anchor="start", spacing=2.2)

    for x, y in ((5, 5), (W - 6, 5), (5, H - 8), (W - 6, H - 8)):
        screw(svg, x, y)
    svg.write(path, common.NOTE)


def write_face(path, face):
    svg = Svg(FACE_W, FACE_H)
    cx, cy = face_pivot(face)
    meters.ivory(svg, "face", FACE_W, FACE_H)
    meters.level_scale(svg, cx, cy, gain=1.0)
    meters.gr_scale(svg, cx, cy, GR_FEED)
    meters.shroud(svg, cx, cy, 29.0, FINISH.bezel)
    svg.text(4, 77, "LEVEL dB", 6.0, meters.INK, anchor="start")
    svg.text(FACE_W - 4, 77, "GR dB", 6.0, meters.GR_BLUE, anchor="end")
    svg.text(7, 13, face[6], 9.0, meters.INK, anchor="start")
    svg.write(path, common.NOTE)


def write_about(path):
    w, h = 312, 110
    svg = Svg(w, h)
    f = FINISH
    panel.plate(svg, f, 0, 0, w, h, "about")
    panel.bevel(svg, w, h)
    svg.hline(1, w - 2, 1, "#ffffff", 0.3)
    svg.text(w / 2.0, 12, "TARN", 7.0, f.name, spacing=2.0)
    svg.text(w / 2.0, 84, "BRISKER", 22.0, f.name, spacing=4.0)
    svg.hline(40, w - 41, 87, f.name, 0.55)
    for x, y in ((5, 5), (w - 6, 5), (5, h - 6), (w - 6, h - 6)):
        screw(svg, x, y)
    svg.write(path, common.NOTE)


def write_all(root):
    art = Path(root) / "brisker" / "art"
    write_panel(art / "12128_panel.svg")
    a = FINISH.accent
    common.write_key(art / "12129_process.svg", 40, 13, [("PROCESS", False), ("PROCESS", True)], a)
    common.write_key(art / "12130_del.svg", 40, 13, [("DEL", False), ("DEL", True)], a)
    common.write_key(art / "12131_scl.svg", 40, 13, [("SCL", False), ("SCL", True)], a)
    common.write_key(art / "12132_rms_peak.svg", 40, 13, [("PEAK", False), ("RMS", True)], a)
    common.write_key(art / "12133_output_stage.svg", 40, 13, [("OFF", False), ("LIM", True), ("SAT", True)], a)
    common.write_key(art / "12134_pre_post.svg", 56, 14, [("PRE", False), ("POST", True)], a)
    common.write_use(art / "12137_slider_handle.svg", 26, 15, "part-fader-v26")
    common.write_mix_track(art / "12138_mix_track.svg", FINISH)
    common.write_use(art / "12139_mix_handle.svg", 15, 16, "part-fader-h15")
    common.write_lamp(art / "12140_clip_lamp_left.svg", "red", FINISH.bezel, 12, 13, 3.6)
    common.write_lamp(art / "12141_clip_lamp_right.svg", "red", FINISH.bezel, 12, 13, 3.6)
    write_face(art / "12143_meter_left.svg", FACES[0])
    write_face(art / "12144_meter_right.svg", FACES[1])
    write_about(art / "12145_about.svg")
    common.write_use(art / "12590_program_step.svg", 33, 39, "part-rocker")
    for pid, name in ((12591, "store_a"), (12592, "store_b"), (12593, "recall_a"), (12594, "recall_b")):
        common.write_use(art / ("%d_%s.svg" % (pid, name)), 13, 26, "part-" + name.replace("_", "-"))
