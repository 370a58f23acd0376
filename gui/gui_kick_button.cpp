#include "gui/gui_kick_button.h"

#include "gui/gui_canvas.h"

namespace gui {

GuiKickButton::GuiKickButton(const GuiRect& size, GuiListener* listener, int tag, int imageHeight,
                             GuiBitmap* background, GuiPoint offset)
    : GuiControl(size, listener, tag, background), imageHeight_(imageHeight), offset_(offset) {}

void GuiKickButton::paint(GuiCanvas* canvas) {
    clampValue();
    if (canvas) {
        const GuiPoint source{offset_.h, offset_.v + (value_ != 0.0f ? imageHeight_ : 0)};
        drawPicture(*canvas, background_, size_, source);
    }
    setNeedsPaint(false);
}

// A plain left click tracks the pointer: pressed while over the button, released
// outside. With a modifier the value flips once. Either way it ends at 0.
void GuiKickButton::mousePressed(GuiCanvas* canvas, GuiPoint where) {
    if (!mouseEnabled_ || !canvas) return;
    const int buttons = canvas->buttonState();
    if (!(buttons & kButtonLeft)) return;
    const float remembered = value_;
    const float pressed = remembered == 0.0f ? 1.0f : 0.0f;
    if (buttons == kButtonLeft) {
        beginEdit();
        GuiPoint p = where;
        do {
            value_ = size_.contains(p) ? pressed : remembered;
            notifyIfDirty(canvas);
            p = canvas->cursorInView();
            trackingIdle(canvas);
        } while (canvas->buttonState() == kButtonLeft);
        endEdit();
    } else {
        value_ = pressed;
        notify(canvas);
    }
    value_ = 0.0f;
    notify(canvas);
}

}  // namespace gui
