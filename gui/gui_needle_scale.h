// The dial of the analogue meters: where a needle points for a value, and how a
// needle is drawn between two radii about a pivot.
#pragma once

#include "gui/gui_types.h"

namespace gui {

class GuiCanvas;

// Needle values are kept within these before drawing.
inline constexpr float kNeedleFloor = 1e-8f;
inline constexpr float kNeedleCeiling = 10.0f;

// A setter's argument as stored: below the floor (or not a number) 1e-9, above the ceiling 10.
float limitNeedleValue(float value) noexcept;

// The logarithmic dial: 1.0 (full scale) points at 45°, 10^−1.9 (−38 dB) at 135°,
// with a small overshoot allowed at both ends. Radians, counter-clockwise from 3 o'clock.
float logNeedleAngle(float value) noexcept;

// The end of a needle at angle and radius: (pivot x + r cos θ, pivot y − r sin θ), truncated.
GuiPoint needlePoint(GuiPoint pivot, float radius, float angle) noexcept;

// A needle from the inner to the outer radius; wide needles are drawn a second time
// one pixel to the right.
void drawNeedle(GuiCanvas& canvas, GuiPoint pivot, float inner, float outer, float angle, GuiColour colour,
                bool wide);

}  // namespace gui
