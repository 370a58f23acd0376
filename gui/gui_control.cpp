#include "gui/gui_control.h"

#include <algorithm>

#include "gui/editor_base.h"
#include "gui/gui_bitmap.h"
#include "gui/gui_canvas.h"
#include "gui/gui_frame.h"
#include "gui/platform/window.h"

namespace gui {
namespace {
constexpr int kShortestDoubleClickMs = 250;
constexpr float kFineFactor = 0.1f;  // wheel and keys with Shift
}  // namespace

GuiControl::GuiControl(const GuiRect& size, GuiListener* listener, int tag, GuiBitmap* background)
    : GuiView(size),
      listener_(listener),
      tag_(tag),
      doubleClickTime_(std::max(kShortestDoubleClickMs, platform::doubleClickTimeMs())),
      background_(background) {
    if (background_) background_->retain();
}

GuiControl::~GuiControl() {
    if (background_) background_->release();
}

void GuiControl::pumpIdle() {
    if (frame_) frame_->pumpIdle();
}

void GuiControl::setPicture(GuiBitmap* picture) {
    if (picture) picture->retain();
    if (background_) background_->release();
    background_ = picture;
}

void GuiControl::clampValue() {
    if (value_ > max_)
        value_ = max_;
    else if (value_ < min_)
        value_ = min_;
}

bool GuiControl::needsPaint() const { return oldValue_ != value_ || dirty_; }

void GuiControl::setNeedsPaint(bool dirty) {
    dirty_ = dirty;
    if (dirty)
        oldValue_ = value_ != -1.0f ? -1.0f : 0.0f;  // anything but the value
    else
        oldValue_ = value_;
}

void GuiControl::notify(GuiCanvas* canvas) {
    if (listener_) listener_->controlChanged(canvas, this);
}

void GuiControl::beginEdit() const {
    if (EditorBase* editor = ownerEditor(); editor && editor->effect()) editor->effect()->beginEdit(tag_);
}

void GuiControl::endEdit() const {
    if (EditorBase* editor = ownerEditor(); editor && editor->effect()) editor->effect()->endEdit(tag_);
}

void GuiControl::trackingIdle(GuiCanvas* canvas) {
    if (frame_)
        pumpIdle();
    else if (canvas && canvas->frame())
        canvas->frame()->advanceInput();
}

void GuiControl::drawPicture(GuiCanvas& canvas, const GuiBitmap* picture, const GuiRect& dest,
                             GuiPoint source) const {
    if (!picture) return;
    if (transparent_)
        picture->paintKeyed(canvas, dest, source);
    else
        picture->paintTo(canvas, dest, source);
}

bool GuiControl::applyWheel(GuiCanvas* canvas, float distance) {
    if (!mouseEnabled_) return false;
    const int buttons = canvas ? canvas->buttonState() : 0;
    value_ += distance * wheelIncrement_ * ((buttons & kKeyShift) ? kFineFactor : 1.0f);
    clampValue();
    notifyIfDirty(canvas);
    return true;
}

int GuiControl::keyDirection(const VstKeyCode& key) noexcept {
    switch (key.virt) {
        case VKEY_LEFT:
        case VKEY_DOWN: return -1;
        case VKEY_UP:
        case VKEY_RIGHT: return 1;
        default: return 0;
    }
}

int GuiControl::applyKey(const VstKeyCode& key) {
    const int step = keyDirection(key);
    if (!mouseEnabled_ || step == 0) return -1;
    value_ += static_cast<float>(step) * wheelIncrement_ * ((key.modifier & MODIFIER_SHIFT) ? kFineFactor : 1.0f);
    clampValue();
    notifyIfDirty(nullptr);
    return 1;
}

}  // namespace gui
