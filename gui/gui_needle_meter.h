// GuiNeedleMeter: an analogue meter with three needles on a logarithmic dial and a
// lamp, drawn over its own background picture about a pivot. The view's size rect
// is only its origin; it draws at the picture's and the lamp's rects.
#pragma once

#include "gui/gui_dial_meter.h"

namespace gui {

class GuiNeedleMeter : public GuiDialMeter {
public:
    // Pictures retained; pivot in frame coordinates; every needle starts at the inner radius.
    GuiNeedleMeter(const GuiRect& origin, GuiBitmap* background, GuiPoint lampPosition, GuiBitmap* lamp, int pivotX,
                   int pivotY, float innerRadius, float outerRadius);

    void paint(GuiCanvas* canvas) override;

    // Linear amplitudes (1.0 = full scale), kept within 1e-9..10. Needle 2 drives the lamp.
    virtual void setNeedle1(float value);
    virtual void setNeedle2(float value);
    virtual void setNeedle3(float value);
    virtual void setNeedle4(float value);

    float needle(int index) const noexcept { return index >= 1 && index <= 4 ? needles_[index - 1] : 0.0f; }

private:
    float needles_[4] = {1e-7f, 1e-7f, 1e-7f, 1e-7f};
};

}  // namespace gui
