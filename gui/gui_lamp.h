// GuiLamp: a two-image indicator. Its picture holds the unlit image above the lit
// one; the lamp is lit while the value is above 0.5.
#pragma once

#include "gui/gui_control.h"

namespace gui {

class GuiLamp : public GuiControl {
public:
    // Drawn at the origin rect's top-left, the picture's width and half its height; retained.
    GuiLamp(const GuiRect& origin, GuiBitmap* picture);
    ~GuiLamp() override;

    void paint(GuiCanvas* canvas) override;
    bool overlaps(const GuiRect& rect) const override { return lampRect_.overlaps(rect) || size_.overlaps(rect); }

    const GuiRect& lampRect() const noexcept { return lampRect_; }

private:
    GuiBitmap* picture_;
    GuiRect lampRect_;
};

}  // namespace gui
