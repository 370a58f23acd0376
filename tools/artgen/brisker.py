"""Tarn Brisker, the compressor: brushed steel, deep blue titles, blue LEDs."""
from pathlib import Path

import bridge
import common
import meters
import panel

FINISH = panel.Finish(top="#d3d6da", bottom="#a7abb1", texture="brushed", texture_opacity=0.22,
                      title="#1b3786", accent="blue", ring="#2a2d32", tick="#34373c",
                      strip_top="#7c8188", strip_bottom="#62666d", bezel="#24262a", name="#1b3786",
                      slot="#17181b")
FINISH.track = "#b4b8bd"

KNOB_LEFTS = [76, 124, 180, 227, 274, 321, 376, 21]
KEYS = {  # picture id: (left, top, width, height of one image)
    12129: (197, 130, 40, 13), 12130: (74, 130, 40, 13), 12131: (136, 130, 40, 13),
    12132: (258, 130, 40, 13), 12133: (320, 130, 40, 13), 12134: (189, 103, 56, 14),
}
FRAMES = [
    ([(67, 124), (186, 124), (186, 145), (170, 145), (170, 213), (67, 213)], "SIDE CHAIN"),
    ([(188, 124), (309, 124), (309, 145), (315, 145), (315, 213), (172, 213), (172, 145), (188, 145)], "DYNAMICS"),
    ([(311, 124), (365, 124), (365, 213), (317, 213), (317, 145), (311, 145)], "OUTPUT"),
]
# What the editor feeds the meter: needle 1 = level * 1.58 (the mean level of a full-scale
# sine, 2/pi, then reads 1.0, the dial's 0 dB), needle 4 = held peak as it is, needle 3 =
# gain reduction * 0.1995 (the ratio of compressed to input envelope, 1 without reduction).
LEVEL_FEED = 1.58
GR_FEED = 0.1995


def scales(svg, cx, cy):
    meters.level_scale(svg, cx, cy)
    meters.gr_scale(svg, cx, cy, GR_FEED)


def write_all(root):
    art = Path(root) / "brisker" / "art"
    bridge.write_panel(art / "12128_panel.svg", "brisker", FINISH, "BRISKER", FRAMES, KEYS.values(), KNOB_LEFTS,
                       [(10, (0, 5, 10)), (10, (0, 5, 10))])
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
    bridge.write_lamps(art, (12140, 12141), FINISH)
    legends = [("LEVEL dB", meters.INK, "start"), ("GR dB", meters.GR_BLUE, "end")]
    bridge.write_face(art / "12143_meter_left.svg", bridge.FACES[0], FINISH, scales, legends)
    bridge.write_face(art / "12144_meter_right.svg", bridge.FACES[1], FINISH, scales, legends)
    common.write_about(art / "12145_about.svg", FINISH, "BRISKER")
    common.write_use(art / "12590_program_step.svg", 33, 39, "part-rocker")
    for pid, name in ((12591, "store_a"), (12592, "store_b"), (12593, "recall_a"), (12594, "recall_b")):
        common.write_use(art / ("%d_%s.svg" % (pid, name)), 13, 26, "part-" + name.replace("_", "-"))
