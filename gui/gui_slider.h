// GuiSlider: a handle picture moving over a background along one axis, composed in
// an off-screen and copied to the screen in one piece. A click anywhere moves the
// handle's centre to the pointer (free click); Shift makes the drag ten times finer.
// GuiVerticalSlider and GuiHorizontalSlider only add their axis to the style.
#pragma once

#include <memory>

#include "gui/gui_control.h"

namespace gui {

class GuiOffscreen;

// Style bits.
inline constexpr int kSliderHorizontal = 1;
inline constexpr int kSliderVertical = 2;
inline constexpr int kSliderMinLeft = 8;     // value 0 at the left
inline constexpr int kSliderMinRight = 16;   // value 0 at the right
inline constexpr int kSliderMinTop = 32;     // value 0 at the top
inline constexpr int kSliderMinBottom = 64;  // value 0 at the bottom

class GuiSlider : public GuiControl {
public:
    // firstPosition, lastPosition: the handle's travel along the axis in frame
    // coordinates; the handle picture is retained; offset: the background's offset.
    GuiSlider(const GuiRect& size, GuiListener* listener, int tag, int firstPosition, int lastPosition,
              GuiBitmap* handle, GuiBitmap* background, GuiPoint offset, int style);
    ~GuiSlider() override;

    void paint(GuiCanvas* canvas) override;
    void mousePressed(GuiCanvas* canvas, GuiPoint where) override;
    bool wheelTurned(GuiCanvas* canvas, GuiPoint where, float distance) override;
    int keyPressed(const VstKeyCode& key) override;
    // The off-screen lives while the slider is in a frame.
    bool attachedTo(GuiView* parent) override;
    bool detachedFrom(GuiView* parent) override;

    // Where the handle sits across the axis (and its start along it).
    void setThumbOffset(GuiPoint offset);
    GuiPoint thumbOffset() const noexcept { return handleOffset_; }
    void setFreeClick(bool free) noexcept { freeClick_ = free; }
    bool isFreeClick() const noexcept { return freeClick_; }
    void setTransparentHandle(bool transparent) noexcept { transparentHandle_ = transparent; }
    void setFineFactor(float factor) noexcept { zoomFactor_ = factor; }
    float fineFactor() const noexcept { return zoomFactor_; }
    // The handle's rect for the current value, in frame coordinates.
    GuiRect handleRect() const;
    int style() const noexcept { return style_; }

private:
    bool horizontal() const noexcept { return (style_ & kSliderHorizontal) != 0; }
    bool reversed() const noexcept { return (style_ & (kSliderMinRight | kSliderMinBottom)) != 0; }
    GuiRect handleRectInView() const;  // relative to the view's top-left
    void computeLimits();
    void track(GuiCanvas* canvas, float reference, GuiPoint where);

    GuiPoint handleOffset_{};
    GuiBitmap* handle_;
    int handleWidth_ = 1, handleHeight_ = 1;
    int travel_;
    int firstRelative_;
    int minPos_ = 0, maxPos_ = 0;
    float zoomFactor_ = 10.0f;
    bool transparentHandle_ = true;
    bool freeClick_ = true;
    int style_;
    std::unique_ptr<GuiOffscreen> offscreen_;
};

class GuiVerticalSlider : public GuiSlider {
public:
    GuiVerticalSlider(const GuiRect& size, GuiListener* listener, int tag, int firstPosition, int lastPosition,
                      GuiBitmap* handle, GuiBitmap* background, GuiPoint offset, int style = kSliderMinBottom)
        : GuiSlider(size, listener, tag, firstPosition, lastPosition, handle, background, offset,
                    style | kSliderVertical) {}
};

class GuiHorizontalSlider : public GuiSlider {
public:
    GuiHorizontalSlider(const GuiRect& size, GuiListener* listener, int tag, int firstPosition, int lastPosition,
                        GuiBitmap* handle, GuiBitmap* background, GuiPoint offset, int style = kSliderMinLeft)
        : GuiSlider(size, listener, tag, firstPosition, lastPosition, handle, background, offset,
                    style | kSliderHorizontal) {}
};

}  // namespace gui
