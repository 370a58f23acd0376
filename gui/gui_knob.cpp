#include "gui/gui_knob.h"

#include <cmath>

#include "gui/editor_base.h"
#include "gui/gui_bitmap.h"
#include "gui/gui_canvas.h"
#include "gui/gui_frame.h"

namespace gui {
namespace {
constexpr float kPi = 3.14159265358979f;
constexpr float kTwoPi = 2.0f * kPi;
constexpr float kPixelsForFullRange = 200.0f;  // a plain linear drag over the whole range
constexpr int kLinearDragMode = 2;             // the host's knob mode for linear dragging

int insetFor(const GuiBitmap* handle) {
    return handle ? static_cast<int>(handle->width() * 0.5f + 2.5f) : 3;
}
}  // namespace

GuiKnob::GuiKnob(const GuiRect& size, GuiListener* listener, int tag, GuiBitmap* background, GuiBitmap* handle,
                 GuiPoint offset)
    : GuiControl(size, listener, tag, background),
      offset_(offset),
      handle_(handle),
      inset_(insetFor(handle)),
      startAngle_(5.0f * kPi / 4.0f),
      rangeAngle_(-3.0f * kPi / 2.0f),
      radius_(static_cast<float>(size.width()) / 2.0f) {
    if (handle_) handle_->retain();
    computeCoefficients();
}

GuiKnob::~GuiKnob() {
    if (handle_) handle_->release();
}

void GuiKnob::computeCoefficients() {
    a_ = (max_ - min_) / rangeAngle_;
    b_ = min_ - a_ * startAngle_;
    halfAngle_ = (kTwoPi - std::fabs(rangeAngle_)) / 2.0f;
}

void GuiKnob::setMin(float value) {
    GuiControl::setMin(value);
    computeCoefficients();
}

void GuiKnob::setMax(float value) {
    GuiControl::setMax(value);
    computeCoefficients();
}

void GuiKnob::setArcStart(float radians) {
    startAngle_ = radians;
    computeCoefficients();
    setNeedsPaint(true);
}

void GuiKnob::setArcSpan(float radians) {
    if (radians == 0.0f || !std::isfinite(radians)) return;  // a knob needs some travel
    rangeAngle_ = radians;
    computeCoefficients();
    setNeedsPaint(true);
}

void GuiKnob::setPointerInset(int inset) {
    inset_ = inset;
    setNeedsPaint(true);
}

void GuiKnob::setPointerShadowColour(GuiColour colour) {
    shadowColour_ = colour;
    setNeedsPaint(true);
}

void GuiKnob::setPointerColour(GuiColour colour) {
    handleColour_ = colour;
    setNeedsPaint(true);
}

void GuiKnob::setPointerPicture(GuiBitmap* handle) {
    if (handle) handle->retain();
    if (handle_) handle_->release();
    handle_ = handle;
    if (handle_) inset_ = insetFor(handle_);
    setNeedsPaint(true);
}

GuiPoint GuiKnob::pointForValue() const {
    float alpha = a_ != 0.0f ? (value_ - b_) / a_ : startAngle_;
    if (!std::isfinite(alpha)) alpha = startAngle_;
    const float reach = radius_ - static_cast<float>(inset_);
    return {static_cast<int32_t>(radius_ + std::cos(alpha) * reach + 0.5f),
            static_cast<int32_t>(radius_ - std::sin(alpha) * reach + 0.5f)};
}

float GuiKnob::valueForPoint(GuiPoint p) const {
    float alpha = std::atan2(radius_ - static_cast<float>(p.v), static_cast<float>(p.h) - radius_);
    if (alpha < 0.0f) alpha += kTwoPi;
    alpha -= startAngle_;
    // the turn is measured from the start; n is it wrapped into one revolution
    const float range = rangeAngle_;
    const float ends[2] = {rangeAngle_ >= 0.0f ? min_ : max_, rangeAngle_ >= 0.0f ? max_ : min_};
    if (range < 0.0f) alpha -= range;
    float n = alpha;
    if (n < 0.0f)
        n += kTwoPi;
    else if (n > kTwoPi)
        n -= kTwoPi;
    const float span = std::fabs(range);
    const float limit = span + halfAngle_;
    if (n > limit) return ends[0];
    if (n > span) return ends[1];
    const float origin = range >= 0.0f ? min_ : max_;
    if (alpha <= limit) {
        if (alpha < -halfAngle_) alpha += kTwoPi;
        return alpha * a_ + origin;
    }
    return (alpha - kTwoPi) * a_ + origin;
}

void GuiKnob::paint(GuiCanvas* canvas) {
    if (canvas) {
        if (background_) drawPicture(*canvas, background_, size_, offset_);
        paintPointer(canvas);
    }
    setNeedsPaint(false);
}

void GuiKnob::paintPointer(GuiCanvas* canvas) {
    if (!canvas) return;
    const GuiPoint end = pointForValue();
    if (handle_) {
        const int left = size_.left + end.h - handle_->width() / 2;
        const int top = size_.top + end.v - handle_->height() / 2;
        handle_->paintKeyed(*canvas, {left, top, left + handle_->width(), top + handle_->height()}, {0, 0});
        return;
    }
    const GuiPoint centre{size_.left + size_.width() / 2, size_.top + size_.height() / 2};
    const GuiPoint tip{size_.left + end.h, size_.top + end.v};
    // a one-pixel shadow outline, then the line itself
    constexpr GuiPoint kShifts[5] = {{-1, 0}, {1, 0}, {0, -1}, {0, 1}, {0, 0}};
    for (int i = 0; i < 5; ++i) {
        canvas->setFrameColour(i < 4 ? shadowColour_ : handleColour_);
        canvas->moveTo({centre.h + kShifts[i].h, centre.v + kShifts[i].v});
        canvas->lineTo({tip.h + kShifts[i].h, tip.v + kShifts[i].v});
    }
}

float GuiKnob::linearRate(int buttons) const {
    const float pixels = (buttons & kKeyShift) ? zoomFactor_ * kPixelsForFullRange : kPixelsForFullRange;
    return (max_ - min_) / pixels;
}

void GuiKnob::mousePressed(GuiCanvas* canvas, GuiPoint where) {
    if (!mouseEnabled_ || !canvas) return;
    const int buttons = canvas->buttonState();
    if (!(buttons & kButtonLeft)) return;
    if (isResetClick(buttons)) {
        notify(canvas);
        value_ = defaultValue_;
        notifyIfDirty(canvas);
        return;
    }
    const bool alt = (buttons & kKeyAlt) != 0;
    const bool linear = EditorBase::dragMode() == kLinearDragMode ? !alt : alt;
    beginEdit();
    if (frame_) frame_->setFocused(this);
    if (linear)
        trackLinear(canvas, where, buttons);
    else
        trackCircular(canvas, where);
    endEdit();
}

// The tracking loop both drag modes share: each pass reads the live button state,
// moves the value when the pointer moved (the pass that sees the button up still
// takes the last position), and gives the host its idle.
template <class Step>
void GuiKnob::trackMoves(GuiCanvas* canvas, GuiPoint where, Step step) {
    GuiPoint p = where;
    bool first = true;
    GuiPoint previous{};
    int now = 0;
    do {
        now = canvas->buttonState();
        if (first || !(p == previous)) {
            first = false;
            previous = p;
            notify(canvas);
            step(p, now);
            notifyIfDirty(canvas);
        }
        p = canvas->cursorInView();
        trackingIdle(canvas);
    } while (now & kButtonLeft);
}

// Right and up increase the value. A change of Shift moves the start value so that
// the value goes on from where it is at the new rate.
void GuiKnob::trackLinear(GuiCanvas* canvas, GuiPoint where, int buttons) {
    float startValue = value_;
    float rate = linearRate(buttons);
    int remembered = buttons;
    trackMoves(canvas, where, [&](GuiPoint p, int now) {
        const float d = static_cast<float>((p.h - where.h) - (p.v - where.v));
        if (now != remembered) {
            const float newRate = linearRate(now);
            startValue = (rate - newRate) * d + startValue;
            rate = newRate;
            remembered = now;
        }
        value_ = d * rate + startValue;
        clampValue();
    });
}

// The value follows the pointer's angle; a jump of more than half the range (across
// the dead zone) sticks at the end instead of wrapping round.
void GuiKnob::trackCircular(GuiCanvas* canvas, GuiPoint where) {
    const GuiPoint origin{size_.left, size_.top};
    float reference = valueForPoint({where.h - origin.h, where.v - origin.v});
    const float half = (max_ - min_) / 2.0f;
    trackMoves(canvas, where, [&](GuiPoint p, int) {
        const float v = valueForPoint({p.h - origin.h, p.v - origin.v});
        if (reference - v > half) {
            value_ = max_;
        } else if (v - reference > half) {
            value_ = min_;
        } else {
            value_ = v;
            reference = v;
        }
    });
}

bool GuiKnob::wheelTurned(GuiCanvas* canvas, GuiPoint, float distance) {
    if (!mouseEnabled_) return false;
    notify(canvas);
    return applyWheel(canvas, distance);
}

int GuiKnob::keyPressed(const VstKeyCode& key) {
    if (!mouseEnabled_ || keyDirection(key) == 0) return -1;
    notify(nullptr);
    return applyKey(key);
}

}  // namespace gui
