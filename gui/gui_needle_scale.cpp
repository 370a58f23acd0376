#include "gui/gui_needle_scale.h"

#include <cmath>

#include "gui/gui_canvas.h"

namespace gui {
namespace {
constexpr float kPi = 3.14159265358979f;
constexpr float kDecadesOnScale = 1.9f;
constexpr float kLowest = -0.043f;  // position limits: a little beyond both ends
constexpr float kHighest = 1.043f;
}  // namespace

float limitNeedleValue(float value) noexcept {
    if (!(value >= kNeedleFloor)) return 1e-9f;
    return value > kNeedleCeiling ? kNeedleCeiling : value;
}

float logNeedleAngle(float value) noexcept {
    if (!(value >= kNeedleFloor)) value = kNeedleFloor;
    float p = std::log10(value) / kDecadesOnScale + 1.0f;
    if (p < kLowest) p = kLowest;
    if (p > kHighest) p = kHighest;
    return 3.0f * kPi / 4.0f - p * kPi / 2.0f;
}

GuiPoint needlePoint(GuiPoint pivot, float radius, float angle) noexcept {
    return {static_cast<int32_t>(static_cast<float>(pivot.h) + radius * std::cos(angle)),
            static_cast<int32_t>(static_cast<float>(pivot.v) - radius * std::sin(angle))};
}

void drawNeedle(GuiCanvas& canvas, GuiPoint pivot, float inner, float outer, float angle, GuiColour colour,
                bool wide) {
    const GuiPoint a = needlePoint(pivot, inner, angle);
    const GuiPoint b = needlePoint(pivot, outer, angle);
    canvas.setFrameColour(colour);
    for (int dx = 0; dx <= (wide ? 1 : 0); ++dx) {
        canvas.moveTo({a.h + dx, a.v});
        canvas.lineTo({b.h + dx, b.v});
    }
}

}  // namespace gui
