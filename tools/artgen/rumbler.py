"""Tarn Rumbler, the bass enhancer: graphite, moss green."""
from pathlib import Path

import common
import meters
import panel
from parts import knob, screw
from svg import Svg

W, H = 344, 175
FINISH = panel.Finish(top="#4c4f53", bottom="#2f3134", texture="grain", texture_opacity=0.1,
                      groove_dark=("#000000", 0.6), groove_light=("#ffffff", 0.14),
                      title="#93bb5c", accent="green", ring="#b8bfae", tick="#b8bfae",
                      strip_top="#26282b", strip_bottom="#1a1b1d", bezel="#141517",
                      label=("#e0e4d5", "#0b0c0d"), name="#93bb5c", slot="#0c0d0e")
FINISH.track = "#3b3e42"
FINISH.card = ("#eceee3", "#d9ddcc")

KNOBS = [(39, 93), (114, 93), (191, 30), (191, 94), (268, 93)]
NAME_DISPLAYS = [(34, 81), (109, 81), (186, 18), (186, 81), (262, 81), (262, 21), (34, 21)]
VALUE_DISPLAYS = [(33, 127), (108, 127), (185, 63), (185, 127), (261, 127)]
KEYS = [(44, 36, 27, 15), (273, 36, 27, 15)]
LAMP = (272, 52, 30, 30)
MIX = (250, 144)
FRAMES = [
    (panel.rect_points(26, 11, 172, 142), "LEVELLER"),
    (panel.rect_points(176, 11, 244, 142), "BASS"),
    (panel.rect_points(250, 11, 319, 142), "OUTPUT"),
]
# The lift meter: GuiSwingMeter about the pivot (133, 51), needle 20 px, one pixel
# wide, starting at the pivot pixel (whose centre is the dial's centre). The editor
# feeds log10(g) * 0.4166667, so a lift of L dB (L = 20 log10 g) sits at value L / 48.
PIVOT = (133.5, 51.5)
NEEDLE = 20.0
LIFT_RANGE_DB = 48.0


def plates():
    out = []
    for left, top in NAME_DISPLAYS:
        out.append((left + 3, top + 2, 44, 10))
    for left, top in VALUE_DISPLAYS:
        out.append((left + 3, top + 2, 44, 11))
    out.append((233, 146, 16, 12))   # "mix"
    out.append((320, 146, 22, 12))   # the mix value, left-aligned
    return out


def lift_dial(svg, f):
    cx, cy = PIVOT
    svg.define('<radialGradient id="dial-face" cx="0.45" cy="0.4" r="0.65">'
               '<stop offset="0" stop-color="%s"/><stop offset="1" stop-color="%s"/></radialGradient>'
               % (meters.IVORY_TOP, meters.IVORY_BOTTOM))
    svg.circle(cx + 0.6, cy + 0.8, 28.2, "#000000", 'fill-opacity="0.35"')
    svg.circle(cx, cy, 27.6, f.bezel)
    svg.circle(cx, cy, 27.1, "none", 'stroke="#ffffff" stroke-opacity="0.12" stroke-width="0.6"')
    svg.circle(cx, cy, 25.4, "url(#dial-face)")
    svg.arc(cx, cy, NEEDLE + 4.0, meters.swing_angle(0), meters.swing_angle(1), meters.INK, 0.7)
    for k in range(17):
        lift = 3.0 * k
        a = meters.swing_angle(lift / LIFT_RANGE_DB)
        major = k % 4 == 0
        mid = k % 2 == 0
        r1 = NEEDLE + (0.3 if major else (1.3 if mid else 2.0))
        meters.ticks(svg, cx, cy, [a], r1, NEEDLE + 4.0, meters.INK, 1.1 if major else 0.8)
        if major:
            meters.label(svg, cx, cy, 31.8, a, "%d" % lift, 6.5, f.tick)
    svg.text(cx, cy + 15.5, "LIFT dB", 5.5, meters.INK)
    svg.circle(cx, cy, 2.4, "#1b1c1e")
    svg.circle(cx - 0.5, cy - 0.6, 0.9, "#ffffff", 'fill-opacity="0.25"')


def write_panel(path):
    svg = Svg(W, H)
    f = FINISH
    panel.plate(svg, f, 0, 0, W, H, "rumbler")
    panel.strip(svg, f, "rumbler", 1, 160, W - 2, H - 161)
    panel.bevel(svg, W, H)
    for points, title in FRAMES:
        panel.groove(svg, f, points, title)
    lift_dial(svg, f)
    # the clip lamp's well
    x, y, w, h = LAMP
    svg.px(x - 1, y - 1, w + 2, h + 2, "#000000", 0.3)
    svg.hline(x - 1, x + w, y + h, "#ffffff", 0.18)
    svg.vline(x + w, y - 1, y + h - 1, "#ffffff", 0.18)
    for left, top, w, h in KEYS:
        panel.key_well(svg, left, top, w, h)
    for p in plates():
        panel.label_plate(svg, f, *p)
    for left, top in KNOBS:
        knob(svg, left, top, f.ring)
    panel.program_row(svg, f, (55, 161, 111, 11), (179, 161), (220, 237, 261, 279), 161)
    panel.name_mark(svg, f, (112, 146, 232, 154), "RUMBLER", size=8.0, spacing=2.0)
    for x, y in ((5, 5), (W - 6, 5), (5, H - 9), (W - 6, H - 9)):
        screw(svg, x, y)
    svg.write(path, common.NOTE)


def write_lamp(path):
    """The clip lamp, 30 x 30 images: a red lens in a dark housing with a bright ring."""
    from parts import led
    w = h = 30
    svg = Svg(w, 2 * h)
    svg.define('<radialGradient id="ring" cx="0.4" cy="0.35" r="0.7">'
               '<stop offset="0" stop-color="#d9dcdf"/><stop offset="0.6" stop-color="#8a8e93"/>'
               '<stop offset="1" stop-color="#3d4043"/></radialGradient>')
    for i, lit in enumerate((False, True)):
        y = i * h
        svg.px(0, y, w, h, FINISH.bezel)
        svg.circle(15, y + 15, 11.2, "url(#ring)")
        svg.circle(15, y + 15, 9.6, "#050505")
        led(svg, "red", lit, 15, y + 15, 8.6)
    svg.write(path, common.NOTE)


def write_all(root):
    art = Path(root) / "rumbler" / "art"
    write_panel(art / "19128_panel.svg")
    write_lamp(art / "19129_clip_lamp.svg")
    a = FINISH.accent
    common.write_key(art / "19130_process.svg", 27, 15, [(None, False), (None, True)], a, led_r=3.0)
    common.write_key(art / "19131_saturation.svg", 27, 15, [(None, False), (None, True)], a, led_r=3.0)
    common.write_mix_track(art / "19134_mix_track.svg", FINISH, w=69, travel=54)
    common.write_use(art / "19135_mix_handle.svg", 15, 16, "part-fader-h15")
    common.write_about_card(art / "19200_about.svg", FINISH, "RUMBLER", 343, 122, (10, 17, 332, 116), 92,
                            "about", "#4f6f2a", name_size=20.0)
    common.write_use(art / "19590_program_step.svg", 33, 39, "part-rocker")
    for pid, name in ((19591, "store_a"), (19592, "store_b"), (19593, "recall_a"), (19594, "recall_b")):
        common.write_use(art / ("%d_%s.svg" % (pid, name)), 13, 26, "part-" + name.replace("_", "-"))
