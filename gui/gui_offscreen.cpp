#include "gui/gui_offscreen.h"

#include <algorithm>

namespace gui {

GuiOffscreen::GuiOffscreen(GuiFrame* frame, int width, int height, GuiColour colour)
    : GuiCanvas(frame, &pixels_), pixels_(std::max(0, width), std::max(0, height), colour.pixel()) {
    setClipRect({0, 0, pixels_.width(), pixels_.height()});
}

}  // namespace gui
