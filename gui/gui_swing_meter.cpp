#include "gui/gui_swing_meter.h"

#include "gui/gui_bitmap.h"
#include "gui/gui_canvas.h"
#include "gui/gui_needle_scale.h"

namespace gui {
namespace {
constexpr float kPi = 3.14159265358979f;
constexpr float kLowest = 1e-6f;
}  // namespace

GuiSwingMeter::GuiSwingMeter(const GuiRect& size, GuiBitmap* background, int pivotX, int pivotY, float innerRadius,
                             float outerRadius)
    : GuiControl(size, nullptr, 0, background), pivot_{pivotX, pivotY}, inner_(innerRadius), outer_(outerRadius) {
    value_ = kLowest;
}

float GuiSwingMeter::needleAngle(float value) noexcept { return 1.2f * kPi - value * 1.4f * kPi; }

void GuiSwingMeter::paint(GuiCanvas* canvas) {
    if (!canvas) return;
    if (value_ - previous_ > riseLimit_) value_ = previous_ + riseLimit_;
    canvas->setLineStyle(kLineSolid);
    canvas->setLineWidth(1);
    if (!(value_ >= kLowest)) value_ = kLowest;  // NaN too
    if (value_ > 1.0f) value_ = 1.0f;
    if (background_) background_->paintTo(*canvas, size_, {size_.left, size_.top});
    drawNeedle(*canvas, pivot_, inner_, outer_, needleAngle(value_), kBlack, false);
    previous_ = value_;
    setNeedsPaint(false);
}

}  // namespace gui
