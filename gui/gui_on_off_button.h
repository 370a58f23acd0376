// GuiOnOffButton: a latching button. Its picture holds the off image above the on
// image, each half the picture's height.
#pragma once

#include "gui/gui_control.h"

namespace gui {

class GuiOnOffButton : public GuiControl {
public:
    GuiOnOffButton(const GuiRect& size, GuiListener* listener, int tag, GuiBitmap* background);

    void paint(GuiCanvas* canvas) override;
    // Flips between 0 and 1 at once; no drag, no begin or end edit.
    void mousePressed(GuiCanvas* canvas, GuiPoint where) override;
};

}  // namespace gui
