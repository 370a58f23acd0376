#include "gui/gui_cycle_button.h"

#include "gui/gui_bitmap.h"
#include "gui/gui_canvas.h"

namespace gui {

GuiCycleButton::GuiCycleButton(const GuiRect& size, GuiListener* listener, int tag, GuiBitmap* picture,
                               int stateCount)
    : GuiControl(size, listener, tag, nullptr), picture_(picture), states_(stateCount > 0 ? stateCount : 1) {
    if (picture_) picture_->retain();
    max_ = static_cast<float>(states_ - 1);
}

GuiCycleButton::~GuiCycleButton() {
    if (picture_) picture_->release();
}

void GuiCycleButton::paint(GuiCanvas* canvas) {
    if (canvas && picture_) {
        // a value between two states (a host's automation) shows the state it counts as,
        // the one a click steps on from, never a picture cut between two images
        const int state = value_ >= 0.0f && value_ < static_cast<float>(states_) ? static_cast<int>(value_) : 0;
        const int top = picture_->height() * state / states_;
        picture_->paintTo(*canvas, size_, {0, top});
    }
    setNeedsPaint(false);
}

void GuiCycleButton::mousePressed(GuiCanvas* canvas, GuiPoint) {
    if (!mouseEnabled_ || !canvas || !(canvas->buttonState() & kButtonLeft)) return;
    notify(canvas);
    int state = value_ >= 0.0f && value_ < static_cast<float>(states_) ? static_cast<int>(value_) : states_ - 1;
    value_ = static_cast<float>((state + 1) % states_);
    paint(canvas);
    notify(canvas);
}

}  // namespace gui
