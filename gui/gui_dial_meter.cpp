#include "gui/gui_dial_meter.h"

#include "gui/gui_bitmap.h"
#include "gui/gui_canvas.h"
#include "gui/gui_needle_scale.h"

namespace gui {

GuiDialMeter::GuiDialMeter(const GuiRect& origin, GuiBitmap* background, GuiPoint lampPosition, GuiBitmap* lamp,
                           int pivotX, int pivotY, float innerRadius, float outerRadius)
    : GuiControl(origin, nullptr, 0, background),
      pivot_{pivotX, pivotY},
      inner_(innerRadius),
      outer_(outerRadius),
      lamp_(lamp) {
    const int bw = background ? background->width() : 0, bh = background ? background->height() : 0;
    backgroundRect_ = {origin.left, origin.top, origin.left + bw, origin.top + bh};
    const int lw = lamp ? lamp->width() : 0, lh = lamp ? lamp->height() / 2 : 0;
    lampRect_ = {lampPosition.h, lampPosition.v, lampPosition.h + lw, lampPosition.v + lh};
    if (lamp_) lamp_->retain();
}

GuiDialMeter::~GuiDialMeter() {
    if (lamp_) lamp_->release();
}

bool GuiDialMeter::overlaps(const GuiRect& rect) const {
    return size_.overlaps(rect) || backgroundRect_.overlaps(rect) || lampRect_.overlaps(rect);
}

void GuiDialMeter::storeNeedle(float* values, int index, float value) {
    values[index] = limitNeedleValue(value);
    float sum = 0.0f;
    for (int i = 0; i <= index; ++i) sum += values[i];
    setValue(sum);
}

void GuiDialMeter::paintFace(GuiCanvas& canvas, float* values, int count, bool lampLit) {
    canvas.setLineStyle(kLineSolid);
    canvas.setLineWidth(1);
    for (int i = 0; i < count; ++i)
        if (!(values[i] >= kNeedleFloor)) values[i] = kNeedleFloor;
    if (background_) background_->paintTo(canvas, backgroundRect_, {0, 0});
    if (lamp_) lamp_->paintTo(canvas, lampRect_, {0, lampLit ? lamp_->height() / 2 : 0});
}

}  // namespace gui
