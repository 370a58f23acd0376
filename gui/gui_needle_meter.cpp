#include "gui/gui_needle_meter.h"

#include "gui/gui_bitmap.h"
#include "gui/gui_canvas.h"
#include "gui/gui_needle_scale.h"

namespace gui {
namespace {
constexpr GuiColour kPeakNeedle{220, 80, 80, 0};    // needle 4
constexpr GuiColour kLevelNeedle{80, 80, 80, 0};    // needle 1
constexpr GuiColour kShortNeedle{80, 80, 180, 0};   // needle 3, 0.7 of the length
constexpr float kShortLength = 0.7f;
}  // namespace

GuiNeedleMeter::GuiNeedleMeter(const GuiRect& origin, GuiBitmap* background, GuiPoint lampPosition, GuiBitmap* lamp,
                               int pivotX, int pivotY, float innerRadius, float outerRadius)
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

GuiNeedleMeter::~GuiNeedleMeter() {
    if (lamp_) lamp_->release();
}

bool GuiNeedleMeter::overlaps(const GuiRect& rect) const {
    return size_.overlaps(rect) || backgroundRect_.overlaps(rect) || lampRect_.overlaps(rect);
}

// The value only carries the sum of the needles, so that any change makes the meter dirty.
void GuiNeedleMeter::setNeedle(int index, float value) {
    needles_[index - 1] = limitNeedleValue(value);
    float sum = 0.0f;
    for (int i = 0; i < index; ++i) sum += needles_[i];
    setValue(sum);
}

void GuiNeedleMeter::setNeedle1(float value) { setNeedle(1, value); }
void GuiNeedleMeter::setNeedle2(float value) { setNeedle(2, value); }
void GuiNeedleMeter::setNeedle3(float value) { setNeedle(3, value); }
void GuiNeedleMeter::setNeedle4(float value) { setNeedle(4, value); }

void GuiNeedleMeter::paint(GuiCanvas* canvas) {
    if (!canvas) return;
    canvas->setLineStyle(kLineSolid);
    canvas->setLineWidth(1);
    for (float& n : needles_)
        if (!(n >= kNeedleFloor)) n = kNeedleFloor;
    if (background_) background_->paintTo(*canvas, backgroundRect_, {0, 0});
    if (lamp_) lamp_->paintTo(*canvas, lampRect_, {0, needles_[1] > 0.5f ? lamp_->height() / 2 : 0});
    drawNeedle(*canvas, pivot_, inner_, outer_, logNeedleAngle(needles_[3]), kPeakNeedle, true);
    drawNeedle(*canvas, pivot_, inner_, outer_, logNeedleAngle(needles_[0]), kLevelNeedle, true);
    drawNeedle(*canvas, pivot_, inner_, kShortLength * outer_, logNeedleAngle(needles_[2]), kShortNeedle, true);
    setNeedsPaint(false);
}

}  // namespace gui
