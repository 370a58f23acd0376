// GuiSwingMeter: one needle on a linear dial that rises at most 0.1 per redraw and
// falls at once. It erases its old needle by copying its rect of the panel picture.
#pragma once

#include "gui/gui_control.h"

namespace gui {

class GuiSwingMeter : public GuiControl {
public:
    // background: the panel picture (retained), copied at the rect from the rect's own
    // top-left; pivot in frame coordinates.
    GuiSwingMeter(const GuiRect& size, GuiBitmap* background, int pivotX, int pivotY, float innerRadius,
                  float outerRadius);

    // The needle for the value 0..1, after the rise limit.
    void paint(GuiCanvas* canvas) override;

    // 216° at 0, −36° at 1, clockwise through 252°. Radians.
    static float needleAngle(float value) noexcept;
    float riseLimit() const noexcept { return riseLimit_; }

private:
    GuiPoint pivot_;
    float inner_, outer_;
    float previous_ = 1e-6f;
    float riseLimit_ = 0.1f;
};

}  // namespace gui
