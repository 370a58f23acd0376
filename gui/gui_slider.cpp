#include "gui/gui_slider.h"

#include "gui/gui_bitmap.h"
#include "gui/gui_frame.h"
#include "gui/gui_offscreen.h"

namespace gui {

GuiSlider::GuiSlider(const GuiRect& size, GuiListener* listener, int tag, int firstPosition, int lastPosition,
                     GuiBitmap* handle, GuiBitmap* background, GuiPoint offset, int style)
    : GuiControl(size, listener, tag, background),
      handle_(handle),
      travel_(lastPosition - firstPosition),
      firstRelative_(firstPosition - ((style & kSliderHorizontal) ? size.left : size.top)),
      style_(style) {
    backgroundOffset_ = offset;
    if (handle_) {
        handle_->retain();
        handleWidth_ = handle_->width();
        handleHeight_ = handle_->height();
    }
    computeLimits();
}

GuiSlider::~GuiSlider() {
    if (handle_) handle_->release();
}

void GuiSlider::computeLimits() {
    minPos_ = firstRelative_ + (horizontal() ? handleOffset_.h : handleOffset_.v);
    maxPos_ = minPos_ + travel_ + (horizontal() ? handleWidth_ : handleHeight_);
}

void GuiSlider::setThumbOffset(GuiPoint offset) {
    handleOffset_ = offset;
    computeLimits();
    setNeedsPaint(true);
}

bool GuiSlider::attachedTo(GuiView* parent) {
    offscreen_ = std::make_unique<GuiOffscreen>(frame_, size_.width(), size_.height(), kBlack);
    return GuiControl::attachedTo(parent);
}

bool GuiSlider::detachedFrom(GuiView* parent) {
    offscreen_.reset();
    return GuiControl::detachedFrom(parent);
}

GuiRect GuiSlider::handleRectInView() const {
    // a value beyond the range puts the handle at its end, one that is not a number at
    // the start, and the conversion to pixels stays defined
    float value = value_ >= 0.0f ? value_ : 0.0f;
    if (value > 1.0f) value = 1.0f;
    const float fraction = reversed() ? 1.0f - value : value;
    const int pos = static_cast<int>(static_cast<float>(travel_) * fraction);
    // along the axis: from the value, kept within the travel; across it: the thumb offset
    int start = pos + (horizontal() ? handleOffset_.h : handleOffset_.v);
    if (start < minPos_) start = minPos_;
    int end = start + (horizontal() ? handleWidth_ : handleHeight_);
    if (end > maxPos_) end = maxPos_;
    if (horizontal()) return {start, handleOffset_.v, end, handleOffset_.v + handleHeight_};
    return {handleOffset_.h, start, handleOffset_.h + handleWidth_, end};
}

GuiRect GuiSlider::handleRect() const { return handleRectInView().offset(size_.left, size_.top); }

void GuiSlider::paint(GuiCanvas* canvas) {
    if (canvas) {
        if (!offscreen_ || offscreen_->width() != size_.width() || offscreen_->height() != size_.height())
            offscreen_ = std::make_unique<GuiOffscreen>(frame_, size_.width(), size_.height(), kBlack);
        GuiOffscreen& off = *offscreen_;
        const GuiRect whole{0, 0, size_.width(), size_.height()};
        if (background_) {
            drawPicture(off, background_, whole, backgroundOffset_);
        } else {
            off.setFillColour(kBlack);
            off.fillRect({-1, -1, whole.right, whole.bottom});
        }
        if (handle_) {
            const GuiRect h = handleRectInView();
            if (transparentHandle_)
                handle_->paintKeyed(off, h, {0, 0});
            else
                handle_->paintTo(off, h, {0, 0});
        }
        off.copyTo(*canvas, size_, {0, 0});
    }
    setNeedsPaint(false);
}

void GuiSlider::mousePressed(GuiCanvas* canvas, GuiPoint where) {
    if (!mouseEnabled_ || !canvas) return;
    const int buttons = canvas->buttonState();
    if (isResetClick(buttons)) {
        value_ = defaultValue_;
        notifyIfDirty(canvas);
        return;
    }
    if (!(buttons & kButtonLeft)) return;
    float reference = static_cast<float>(horizontal() ? handleOffset_.h + size_.left : handleOffset_.v + size_.top);
    if (freeClick_) {
        // the handle's centre follows the pointer from the first pass
        reference += static_cast<float>((horizontal() ? handleWidth_ : handleHeight_) / 2 - 1);
    } else {
        const GuiRect h = handleRect();
        if (!h.contains(where)) return;
        reference += static_cast<float>(horizontal() ? where.h - h.left : where.v - h.top);
    }
    beginEdit();
    if (frame_) frame_->setFocused(this);
    track(canvas, reference, where);
    endEdit();
}

void GuiSlider::track(GuiCanvas* canvas, float reference, GuiPoint where) {
    const float travel = travel_ > 0 ? static_cast<float>(travel_) : 1.0f;
    float startValue = value_;
    int remembered = canvas->buttonState();
    GuiPoint p = where;
    for (int now = remembered;; now = canvas->buttonState()) {
        // The pass that sees the button up takes the pointer as it is after that poll, so
        // a movement made just before letting go still lands. Letting go is no change of
        // state for Shift (with Shift still down, that would move the value once more).
        // A frame closing under the drag reads as up: that drag ends where it is.
        const bool released = !(now & kButtonLeft);
        if (released) {
            const GuiFrame* frame = canvas->frame();
            if (!frame || frame->isClosing() || !frame->isWindowOpen()) return;
            p = canvas->cursorInView();
            now |= kButtonLeft;
        }
        // Shift scales the movement from where the value was when Shift went down
        if (!(now & kKeyShift)) {
            startValue = value_;
        } else if (now != remembered) {
            remembered = now;
            startValue = value_;
        }
        const float f = (static_cast<float>(horizontal() ? p.h : p.v) - reference) / travel;
        value_ = reversed() ? 1.0f - f : f;
        if (now & kKeyShift) value_ = startValue + (value_ - startValue) / zoomFactor_;
        clampValue();
        notifyIfDirty(canvas);
        if (released) return;
        p = canvas->cursorInView();
        trackingIdle(canvas);
    }
}

bool GuiSlider::wheelTurned(GuiCanvas* canvas, GuiPoint, float distance) { return applyWheel(canvas, distance); }

int GuiSlider::keyPressed(const VstKeyCode& key) { return applyKey(key); }

}  // namespace gui
