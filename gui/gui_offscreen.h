// GuiOffscreen: a canvas over a surface of its own, for composing a view (background
// and handle) before one copy to the screen.
#pragma once

#include "gui/gui_canvas.h"

namespace gui {

class GuiOffscreen : public GuiCanvas {
public:
    // A width × height surface filled with the colour; clip (0, 0, width, height).
    GuiOffscreen(GuiFrame* frame, int width, int height, GuiColour colour = kBlack);

    int width() const noexcept { return pixels_.width(); }
    int height() const noexcept { return pixels_.height(); }

private:
    Surface pixels_;  // the base keeps its address only; it is built before any drawing
};

}  // namespace gui
