#include "gui/gui_lamp.h"

#include "gui/gui_bitmap.h"
#include "gui/gui_canvas.h"

namespace gui {

GuiLamp::GuiLamp(const GuiRect& origin, GuiBitmap* picture)
    : GuiControl(origin, nullptr, 0, nullptr), picture_(picture) {
    const int w = picture_ ? picture_->width() : 0, h = picture_ ? picture_->height() / 2 : 0;
    lampRect_ = {origin.left, origin.top, origin.left + w, origin.top + h};
    if (picture_) picture_->retain();
}

GuiLamp::~GuiLamp() {
    if (picture_) picture_->release();
}

void GuiLamp::paint(GuiCanvas* canvas) {
    if (canvas && picture_) picture_->paintTo(*canvas, lampRect_, {0, value_ > 0.5f ? picture_->height() / 2 : 0});
    setNeedsPaint(false);
}

}  // namespace gui
