// GuiSplash: a small area that, clicked, shows a picture over a larger display rect
// as the frame's modal view; the next click on it closes it again.
#pragma once

#include "gui/gui_control.h"

namespace gui {

class GuiSplash : public GuiControl {
public:
    // picture: shown from offset at displayRect while open; retained.
    GuiSplash(const GuiRect& size, GuiListener* listener, int tag, GuiBitmap* picture, const GuiRect& displayRect,
              GuiPoint offset);

    void paint(GuiCanvas* canvas) override;
    // Only while the left button is down over it.
    bool contains(GuiPoint where, int buttons) const override;
    void mousePressed(GuiCanvas* canvas, GuiPoint where) override;
    // Closes it from outside (an editor closing, a key).
    virtual void closeSplash();

    bool isOpen() const noexcept { return value_ != 0.0f; }
    const GuiRect& displayRect() const noexcept { return displayRect_; }

protected:
    GuiRect displayRect_;
    GuiRect savedSize_;
    GuiPoint offset_;
};

}  // namespace gui
