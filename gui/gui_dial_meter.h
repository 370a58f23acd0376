// GuiDialMeter: what the needle meters share, a background picture and a
// two-state lamp drawn at their own rects, and needles turning about a pivot.
// The view's size rect is only its origin.
#pragma once

#include "gui/gui_control.h"

namespace gui {

class GuiDialMeter : public GuiControl {
public:
    // Pictures retained; pivot in frame coordinates.
    GuiDialMeter(const GuiRect& origin, GuiBitmap* background, GuiPoint lampPosition, GuiBitmap* lamp, int pivotX,
                 int pivotY, float innerRadius, float outerRadius);
    ~GuiDialMeter() override;

    bool overlaps(const GuiRect& rect) const override;

    const GuiRect& backgroundRect() const noexcept { return backgroundRect_; }
    const GuiRect& lampRect() const noexcept { return lampRect_; }

protected:
    // Stores values[index] kept within the dial's range; the control's value becomes
    // the sum of the needles up to it, so any change makes the meter dirty.
    void storeNeedle(float* values, int index, float value);
    // Floors every value at the dial's start, then paints the face and the lamp.
    void paintFace(GuiCanvas& canvas, float* values, int count, bool lampLit);

    GuiPoint pivot_;
    float inner_, outer_;

private:
    GuiRect backgroundRect_;
    GuiBitmap* lamp_;
    GuiRect lampRect_;
};

}  // namespace gui
