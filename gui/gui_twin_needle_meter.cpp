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
    : GuiDialMeter(origin, background, lampPosition, lamp, pivotX, pivotY, innerRadius, outerRadius) {}

void GuiTwinNeedleMeter::setNeedleA(float value) { storeNeedle(values_, 0, value); }
void GuiTwinNeedleMeter::setLampValue(float value) { storeNeedle(values_, 1, value); }
void GuiTwinNeedleMeter::setNeedleB(float value) { storeNeedle(values_, 2, value); }

void GuiTwinNeedleMeter::paint(GuiCanvas* canvas) {
    if (!canvas) return;
    paintFace(*canvas, values_, 3, values_[1] > 0.5f);
    drawNeedle(*canvas, pivot_, inner_, outer_, logNeedleAngle(values_[0]), kNeedleA, true);
    drawNeedle(*canvas, pivot_, inner_, outer_, logNeedleAngle(values_[2]), kNeedleB, true);
    setNeedsPaint(false);
}

}  // namespace gui
