// GuiKickButton: a momentary button. It shows the pressed image while the pointer
// is held over it and falls back to 0 on release. The picture holds the released
// image at the offset and the pressed one an image height below.
#pragma once

#include "gui/gui_control.h"

namespace gui {

class GuiKickButton : public GuiControl {
public:
    GuiKickButton(const GuiRect& size, GuiListener* listener, int tag, int imageHeight, GuiBitmap* background,
                  GuiPoint offset);

    void paint(GuiCanvas* canvas) override;
    void mousePressed(GuiCanvas* canvas, GuiPoint where) override;

private:
    int imageHeight_;
    GuiPoint offset_;
};

}  // namespace gui
