// GuiTwinNeedleMeter: an analogue meter with two needles on the logarithmic dial
// and a lamp, drawn over its own background picture about a pivot.
#pragma once

#include "gui/gui_dial_meter.h"

namespace gui {

class GuiTwinNeedleMeter : public GuiDialMeter {
public:
    // Pictures retained; pivot in frame coordinates.
    GuiTwinNeedleMeter(const GuiRect& origin, GuiBitmap* background, GuiPoint lampPosition, GuiBitmap* lamp,
                       int pivotX, int pivotY, float innerRadius, float outerRadius);

    void paint(GuiCanvas* canvas) override;

    // Linear amplitudes (1.0 = full scale), kept within 1e-9..10; the lamp is lit above 0.5.
    virtual void setNeedleA(float value);
    virtual void setLampValue(float value);
    virtual void setNeedleB(float value);

    float needleA() const noexcept { return values_[0]; }
    float lampValue() const noexcept { return values_[1]; }
    float needleB() const noexcept { return values_[2]; }

private:
    float values_[3] = {1e-8f, 1e-8f, 1e-8f};  // needle A, lamp, needle B
};

}  // namespace gui
