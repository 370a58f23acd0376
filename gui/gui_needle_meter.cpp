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
    : GuiDialMeter(origin, background, lampPosition, lamp, pivotX, pivotY, innerRadius, outerRadius) {}

void GuiNeedleMeter::setNeedle1(float value) { storeNeedle(needles_, 0, value); }
void GuiNeedleMeter::setNeedle2(float value) { storeNeedle(needles_, 1, value); }
void GuiNeedleMeter::setNeedle3(float value) { storeNeedle(needles_, 2, value); }
void GuiNeedleMeter::setNeedle4(float value) { storeNeedle(needles_, 3, value); }

void GuiNeedleMeter::paint(GuiCanvas* canvas) {
    if (!canvas) return;
    paintFace(*canvas, needles_, 4, needles_[1] > 0.5f);
    drawNeedle(*canvas, pivot_, inner_, outer_, logNeedleAngle(needles_[3]), kPeakNeedle, true);
    drawNeedle(*canvas, pivot_, inner_, outer_, logNeedleAngle(needles_[0]), kLevelNeedle, true);
    drawNeedle(*canvas, pivot_, inner_, kShortLength * outer_, logNeedleAngle(needles_[2]), kShortNeedle, true);
    setNeedsPaint(false);
}

}  // namespace gui
