#include "gui/gui_on_off_button.h"

#include "gui/gui_bitmap.h"
#include "gui/gui_canvas.h"

namespace gui {

GuiOnOffButton::GuiOnOffButton(const GuiRect& size, GuiListener* listener, int tag, GuiBitmap* background)
    : GuiControl(size, listener, tag, background) {}

void GuiOnOffButton::paint(GuiCanvas* canvas) {
    if (canvas && background_) {
        const int top = value_ == 0.0f ? 0 : background_->height() / 2;
        drawPicture(*canvas, background_, size_, {0, top});
    }
    setNeedsPaint(false);
}

void GuiOnOffButton::mousePressed(GuiCanvas* canvas, GuiPoint) {
    if (!mouseEnabled_ || !canvas || !(canvas->buttonState() & kButtonLeft)) return;
    // off is a value that truncates to 0; a value beyond any int turns off too
    value_ = (value_ > -1.0f && value_ < 1.0f) ? 1.0f : 0.0f;
    notify(canvas);
    trackingIdle(canvas);
}

}  // namespace gui
