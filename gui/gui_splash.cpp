#include "gui/gui_splash.h"

#include "gui/gui_canvas.h"
#include "gui/gui_frame.h"

namespace gui {

GuiSplash::GuiSplash(const GuiRect& size, GuiListener* listener, int tag, GuiBitmap* picture,
                     const GuiRect& displayRect, GuiPoint offset)
    : GuiControl(size, listener, tag, picture), displayRect_(displayRect), savedSize_(size), offset_(offset) {}

void GuiSplash::paint(GuiCanvas* canvas) {
    if (canvas && value_ != 0.0f) drawPicture(*canvas, background_, displayRect_, offset_);
    setNeedsPaint(false);
}

bool GuiSplash::contains(GuiPoint where, int buttons) const {
    return size_.contains(where) && (buttons & kButtonLeft) != 0;
}

void GuiSplash::mousePressed(GuiCanvas* canvas, GuiPoint) {
    if (!mouseEnabled_ || !canvas || !(canvas->buttonState() & kButtonLeft)) return;
    if (value_ == 0.0f) {
        // opens only when the frame takes it as its modal view
        if (!frame_ || !frame_->setModal(this)) return;
        value_ = 1.0f;
        savedSize_ = size_;
        size_ = displayRect_;
        notify(canvas);
    } else {
        value_ = 0.0f;
        size_ = savedSize_;
        if (frame_) {
            if (frame_->modalView() == this) frame_->setModal(nullptr);
            frame_->repaint(nullptr);
        }
        notify(canvas);
    }
    setNeedsPaint(true);
}

void GuiSplash::closeSplash() {
    setNeedsPaint(true);
    if (value_ != 0.0f) size_ = savedSize_;
    value_ = 0.0f;
    if (frame_ && frame_->modalView() == this) {
        frame_->setModal(nullptr);
        frame_->repaint(nullptr);
    }
}

}  // namespace gui
