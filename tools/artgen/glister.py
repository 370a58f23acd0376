"""Tarn Glister, the treble enhancer: pale silver, teal."""
from pathlib import Path

import common
import panel
from parts import knob, led, screw
from svg import Svg

W, H = 622, 287
FINISH = panel.Finish(top="#e6e9ec", bottom="#c2c7cc", texture="brushed", texture_opacity=0.14,
                      groove_dark=("#000000", 0.3), groove_light=("#ffffff", 0.75),
                      title="#0d7c76", accent="teal", ring="#3a3f44", tick="#3d4247",
                      strip_top="#9ca3aa", strip_bottom="#858c94", bezel="#2a2e32", name="#0d7c76",
                      slot="#1b1e21")
FINISH.track = "#cdd1d5"
LAMP_PLATE = "#b7bcc2"

SLIDERS = [30, 222, 376, 472]            # left; 24 wide, handle travel 40..196
SLIDER_FIRST, SLIDER_LAST = 40, 196
KNOBS = [(71, 42), (71, 108), (71, 173), (167, 42), (167, 108), (167, 173), (292, 42), (292, 173),
         (417, 42), (417, 108), (417, 173), (542, 173)]
KEYS = {17133: (541, 230, 48, 22), 17134: (70, 230, 48, 22), 17135: (166, 230, 48, 22),
        17136: (291, 230, 48, 22), 17137: (416, 230, 48, 22), 17138: (541, 53, 48, 20)}
LAMPS = [(302, 118), (553, 118)]
FRAMES = [
    (panel.rect_points(9, 14, 127, 254), "HISS REDUCTION"),
    (panel.rect_points(153, 14, 263, 254), "TRANSIENTS"),
    (panel.rect_points(268, 14, 351, 254), "ENHANCER"),
    (panel.rect_points(356, 14, 512, 254), "HARMONICS"),
    (panel.rect_points(520, 14, 604, 254), "OUTPUT"),
]


def write_panel(path):
    svg = Svg(W, H)
    f = FINISH
    panel.plate(svg, f, 0, 0, W, H, "glister")
    panel.strip(svg, f, "glister", 1, 273, W - 2, H - 274)
    panel.bevel(svg, W, H)
    for points, title in FRAMES:
        panel.groove(svg, f, points, title)
    for left in SLIDERS:
        panel.vertical_slot(svg, f, left, SLIDER_FIRST, 24, SLIDER_FIRST, SLIDER_LAST)
    for left, top, w, h in KEYS.values():
        panel.key_well(svg, left, top, w, h)
    for x, y in LAMPS:  # a flat plate the lamp pictures continue
        svg.px(x - 1, y - 1, 18, 18, LAMP_PLATE)
        svg.hline(x - 2, x + 16, y - 2, "#000000", 0.3)
        svg.vline(x - 2, y - 1, y + 16, "#000000", 0.3)
        svg.hline(x - 1, x + 17, y + 17, "#ffffff", 0.7)
        svg.vline(x + 17, y - 1, y + 16, "#ffffff", 0.7)
    for left, top in KNOBS:
        knob(svg, left, top, f.ring)
    panel.program_row(svg, f, (191, 273, 111, 11), (315, 273), (356, 373, 397, 415), 273)
    panel.name_mark(svg, f, (242, 257, 378, 268), "GLISTER")
    for x, y in ((5, 5), (W - 6, 5), (5, H - 8), (W - 6, H - 8)):
        screw(svg, x, y)
    svg.write(path, common.NOTE)


def write_lamp(path, colour):
    w = h = 16
    svg = Svg(w, 2 * h)
    for i, lit in enumerate((False, True)):
        y = i * h
        svg.px(0, y, w, h, LAMP_PLATE)
        svg.circle(8, y + 8, 6.6, "#5d6268")
        svg.circle(8, y + 8, 6.0, "#101214")
        led(svg, colour, lit, 8, y + 8, 5.2)
    svg.write(path, common.NOTE)


def write_all(root):
    art = Path(root) / "glister" / "art"
    write_panel(art / "17128_panel.svg")
    common.write_use(art / "17130_slider_handle.svg", 24, 15, "part-fader-v24")
    common.write_mix_track(art / "17131_mix_track.svg", FINISH)
    common.write_use(art / "17132_mix_handle.svg", 15, 16, "part-fader-h15")
    a = FINISH.accent
    keys = [(17133, "process", "PROCESS"), (17134, "hiss_process", "HISS"), (17135, "trans_process", "TRANS"),
            (17136, "enh_process", "ENHANCE"), (17137, "harm_process", "HARM")]
    for pid, name, legend in keys:
        common.write_key(art / ("%d_%s.svg" % (pid, name)), 48, 22, [(legend, False), (legend, True)], a,
                         legend_size=7.0, led_r=3.0)
    common.write_key(art / "17138_saturation.svg", 48, 20, [("SATURATE", False), ("SATURATE", True)], a,
                     legend_size=7.0, led_r=3.0)
    write_lamp(art / "17139_over_enhanced_lamp.svg", "amber")
    write_lamp(art / "17140_peak_over_lamp.svg", "red")
    common.write_about(art / "17199_about.svg", FINISH, "GLISTER")
    common.write_use(art / "17590_program_step.svg", 33, 39, "part-rocker")
    for pid, name in ((17591, "store_a"), (17592, "store_b"), (17593, "recall_a"), (17594, "recall_b")):
        common.write_use(art / ("%d_%s.svg" % (pid, name)), 13, 26, "part-" + name.replace("_", "-"))
