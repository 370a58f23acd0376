#include "gui/gui_rocker_switch.h"

#include "gui/gui_canvas.h"

namespace gui {

GuiRockerSwitch::GuiRockerSwitch(const GuiRect& size, GuiListener* listener, int tag, int imageHeight,
                                 GuiBitmap* background, GuiPoint offset, int style)
    : GuiControl(size, listener, tag, background), imageHeight_(imageHeight), offset_(offset), style_(style) {
    min_ = -1.0f;
}

void GuiRockerSwitch::paint(GuiCanvas* canvas) {
    if (canvas) {
        int images = 0;  // −1 and anything else not exactly 0 or +1
        if (value_ == 1.0f)
            images = 2;
        else if (value_ == 0.0f)
            images = 1;
        drawPicture(*canvas, background_, size_, {offset_.h, offset_.v + images * imageHeight_});
    }
    setNeedsPaint(false);
}

float GuiRockerSwitch::positionAt(GuiPoint p, float outside) const {
    GuiRect first = size_;
    if (style_ & kRockerHorizontal)
        first.right = size_.left + size_.width() / 2;
    else
        first.bottom = size_.top + size_.height() / 2;
    if (first.contains(p)) return -1.0f;
    if (size_.contains(p)) return 1.0f;
    return outside;
}

void GuiRockerSwitch::mousePressed(GuiCanvas* canvas, GuiPoint where) {
    if (!mouseEnabled_ || !canvas || !(canvas->buttonState() & kButtonLeft)) return;
    const float remembered = value_;
    beginEdit();
    GuiPoint p = where;
    do {
        value_ = positionAt(p, remembered);
        notifyIfDirty(canvas);
        p = canvas->cursorInView();
        trackingIdle(canvas);
    } while (canvas->buttonState() != 0);
    endEdit();
    value_ = 0.0f;
    notify(canvas);
}

bool GuiRockerSwitch::wheelTurned(GuiCanvas* canvas, GuiPoint, float distance) {
    if (!mouseEnabled_) return false;
    value_ = distance > 0.0f ? -1.0f : 1.0f;
    notifyIfDirty(canvas);
    value_ = 0.0f;
    notify(canvas);
    return true;
}

}  // namespace gui
