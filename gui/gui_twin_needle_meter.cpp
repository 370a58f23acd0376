#include "gui/gui_twin_needle_meter.h"

#include "gui/gui_bitmap.h"
#include "gui/gui_canvas.h"
#include "gui/gui_needle_scale.h"

namespace gui {
namespace {
constexpr GuiColour kNeedleA{220, 80, 80, 0};
constexpr GuiColour kNeedleB{80, 80, 80, 0};
}  // namespace

GuiTwinNeedleMeter::GuiTwinNeedleMeter(const GuiRect& origin, GuiBitmap* background, GuiPoint lampPosition,
                                       GuiBitmap* lamp, int pivotX, int pivotY, float innerRadius, float outerRadius)
    : GuiControl(origin, nullptr, 0, background),
      lamp_(lamp),
      pivot_{pivotX, pivotY},
      inner_(innerRadius),
      outer_(outerRadius) {
    const int bw = background ? background->width() : 0, bh = background ? background->height() : 0;
    backgroundRect_ = {origin.left, origin.top, origin.left + bw, origin.top + bh};
    const int lw = lamp ? lamp->width() : 0, lh = lamp ? lamp->height() / 2 : 0;
    lampRect_ = {lampPosition.h, lampPosition.v, lampPosition.h + lw, lampPosition.v + lh};
    if (lamp_) lamp_->retain();
}

GuiTwinNeedleMeter::~GuiTwinNeedleMeter() {
    if (lamp_) lamp_->release();
}

bool GuiTwinNeedleMeter::overlaps(const GuiRect& rect) const {
    return size_.overlaps(rect) || backgroundRect_.overlaps(rect) || lampRect_.overlaps(rect);
}

void GuiTwinNeedleMeter::set(int index, float value) {
    values_[index] = limitNeedleValue(value);
    float sum = 0.0f;
    for (int i = 0; i <= index; ++i) sum += values_[i];
    setValue(sum);
}

void GuiTwinNeedleMeter::setNeedleA(float value) { set(0, value); }
void GuiTwinNeedleMeter::setLampValue(float value) { set(1, value); }
void GuiTwinNeedleMeter::setNeedleB(float value) { set(2, value); }

void GuiTwinNeedleMeter::paint(GuiCanvas* canvas) {
    if (!canvas) return;
    canvas->setLineStyle(kLineSolid);
    canvas->setLineWidth(1);
    for (float& v : values_)
        if (!(v >= kNeedleFloor)) v = kNeedleFloor;
    if (background_) background_->paintTo(*canvas, backgroundRect_, {0, 0});
    if (lamp_) lamp_->paintTo(*canvas, lampRect_, {0, values_[1] > 0.5f ? lamp_->height() / 2 : 0});
    drawNeedle(*canvas, pivot_, inner_, outer_, logNeedleAngle(values_[0]), kNeedleA, true);
    drawNeedle(*canvas, pivot_, inner_, outer_, logNeedleAngle(values_[2]), kNeedleB, true);
    setNeedsPaint(false);
}

}  // namespace gui
