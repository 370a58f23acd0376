"""Tarn Emberon, the saturator: warm dark copper, ember orange."""
from pathlib import Path

import bridge
import common
import meters
import panel
from svg import text_width

FINISH = panel.Finish(top="#77462d", bottom="#4a291a", texture="grain", texture_opacity=0.12,
                      groove_dark=("#000000", 0.55), groove_light=("#ffc9a3", 0.24),
                      title="#ff9038", accent="orange", ring="#e4b48f", tick="#e8c09f",
                      strip_top="#3a2217", strip_bottom="#28160e", bezel="#1d1410",
                      label=("#ecdfc4", "#1a0e08"), name="#ff9038", slot="#120b08")
FINISH.track = "#5b3523"
FINISH.card = ("#f0e5cf", "#e0d0b0")

KNOB_LEFTS = [21, 76, 124, 171, 226, 274, 321, 376]
DISPLAY_LEFTS = [15, 70, 118, 165, 220, 267, 315, 370]
KEYS = {13129: (197, 130, 40, 13), 13130: (116, 130, 40, 13), 13131: (279, 130, 40, 13),
        13132: (189, 103, 56, 14)}
FRAMES = [
    ([(67, 124), (190, 124), (190, 145), (216, 145), (216, 213), (67, 213)], "BASS"),
    ([(244, 124), (365, 124), (365, 213), (218, 213), (218, 145), (244, 145)], "TREBLE"),
]


def plates():
    """Light plates under the name and value displays (the editor writes them in black):
    44 px wide, centred in each 50 px display so that neighbours keep apart."""
    out = []
    for left in DISPLAY_LEFTS:
        out.append((left + 3, 150, 44, 11))
        out.append((left + 3, 198, 44, 12))
    for left in (15, 370):
        out.append((left + 3, 12, 44, 12))
        out.append((left + 3, 131, 44, 12))
    out.append((311, 217, 18, 12))   # "mix"
    out.append((409, 217, 24, 12))   # the mix value, left-aligned
    return out


def scales(svg, cx, cy):
    # needle A (red) = level * 1.58, needle B (dark) = held peak: one decibel scale
    meters.level_scale(svg, cx, cy)


def write_all(root):
    art = Path(root) / "emberon" / "art"
    bridge.write_panel(art / "13128_panel.svg", "emberon", FINISH, "EMBERON", FRAMES, KEYS.values(), KNOB_LEFTS,
                       [(10, (0, 5, 10)), (7, (0, 7))], plates())
    a = FINISH.accent
    common.write_key(art / "13129_process.svg", 40, 13, [("PROCESS", False), ("PROCESS", True)], a)
    common.write_key(art / "13130_bass_on.svg", 40, 13, [("BASS", False), ("BASS", True)], a)
    common.write_key(art / "13131_treble_on.svg", 40, 13, [("TREBLE", False), ("TREBLE", True)], a)
    common.write_key(art / "13132_pre_post.svg", 56, 14, [("PRE", False), ("POST", True), ("CURVE", True)], a)
    common.write_use(art / "13135_slider_handle.svg", 26, 15, "part-fader-v26")
    common.write_mix_track(art / "13136_mix_track.svg", FINISH)
    common.write_use(art / "13137_mix_handle.svg", 15, 16, "part-fader-h15")
    bridge.write_lamps(art, (13138, 13139), FINISH)
    peak_w = text_width("PEAK", 6.0)
    legends = [("LEVEL dB", meters.INK, "start"), ("PEAK", meters.INK, "end"),
               ("AVG", meters.RED, ("end", peak_w + 3))]
    bridge.write_face(art / "13141_meter_left.svg", bridge.FACES[0], FINISH, scales, legends)
    bridge.write_face(art / "13142_meter_right.svg", bridge.FACES[1], FINISH, scales, legends)
    common.write_about_card(art / "13143_about.svg", FINISH, "EMBERON", 312, 110, (10, 14, 301, 104), 84,
                            "about", "#9a4a1c")
    common.write_use(art / "13590_program_step.svg", 33, 39, "part-rocker")
    for pid, name in ((13591, "store_a"), (13592, "store_b"), (13593, "recall_a"), (13594, "recall_b")):
        common.write_use(art / ("%d_%s.svg" % (pid, name)), 13, 26, "part-" + name.replace("_", "-"))
