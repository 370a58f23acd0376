// GuiControl: a view bound to a parameter tag with a float value. It is dirty when
// the value differs from the one last drawn, tells its listener about changes and
// brackets mouse drags with begin and end edit for the host.
#pragma once

#include "gui/gui_listener.h"
#include "gui/gui_view.h"

namespace gui {

class GuiBitmap;

class GuiControl : public GuiView {
public:
    // The background is retained while held.
    GuiControl(const GuiRect& size, GuiListener* listener, int tag, GuiBitmap* background);
    ~GuiControl() override;

    // The editor's pumpIdle, when the control has a frame with an editor.
    virtual void pumpIdle();
    virtual void setValue(float value) { value_ = value; }
    virtual float getValue() const { return value_; }
    virtual void setMin(float value) { min_ = value; }
    virtual float getMin() const { return min_; }
    virtual void setMax(float value) { max_ = value; }
    virtual float getMax() const { return max_; }
    // The value last drawn.
    virtual void setDrawnValue(float value) { oldValue_ = value; }
    virtual float getDrawnValue() const { return oldValue_; }
    // What a control-click resets to.
    virtual void setResetValue(float value) { defaultValue_ = value; }
    virtual float getResetValue() const { return defaultValue_; }
    virtual void setParamTag(int tag) { tag_ = tag; }
    // Releases the old picture and retains the new one.
    virtual void setPicture(GuiBitmap* picture);
    virtual GuiBitmap* getPicture() const { return background_; }
    // The point of the picture drawn at the view's top-left.
    virtual void setPictureOffset(GuiPoint offset) { backgroundOffset_ = offset; }
    // The picture offset becomes the size rect's top-left (a panel picture behind the view).
    virtual void alignPictureOffset() { backgroundOffset_ = {size_.left, size_.top}; }
    // Wheel and arrow-key increment.
    virtual void setStep(float step) { wheelIncrement_ = step; }
    virtual float getStep() const { return wheelIncrement_; }
    // Limits the value to min..max.
    virtual void clampValue();

    // Dirty when the value differs from the one last drawn, or when marked.
    bool needsPaint() const override;
    void setNeedsPaint(bool dirty) override;

    int tag() const noexcept { return tag_; }
    GuiListener* listener() const noexcept { return listener_; }
    void setListener(GuiListener* listener) noexcept { listener_ = listener; }
    GuiPoint pictureOffset() const noexcept { return backgroundOffset_; }

protected:
    // The listener's controlChanged, when there is one.
    void notify(GuiCanvas* canvas);
    void notifyIfDirty(GuiCanvas* canvas) {
        if (needsPaint()) notify(canvas);
    }
    // Begin and end edit of the tag, through the frame's editor's effect to the host.
    void beginEdit() const;
    void endEdit() const;
    // One pass of a tracking loop: pumpIdle; a control not (yet) in a frame still moves
    // the canvas frame's scripted pointer on, so that no loop can wait forever on it.
    void trackingIdle(GuiCanvas* canvas);
    // The picture area copied, or colour-keyed when the view is transparent.
    void drawPicture(GuiCanvas& canvas, const GuiBitmap* picture, const GuiRect& dest, GuiPoint source) const;
    // The wheel and arrow-key rules of knobs and sliders.
    bool applyWheel(GuiCanvas* canvas, float distance);
    int applyKey(const VstKeyCode& key);
    // −1 for left and down, +1 for up and right, 0 for any other key.
    static int keyDirection(const VstKeyCode& key) noexcept;
    static bool isResetClick(int buttons) noexcept { return buttons == (kButtonLeft | kKeyControl); }

    GuiListener* listener_;
    int tag_;
    float oldValue_ = 1.0f;
    float defaultValue_ = 0.5f;
    float value_ = 0.0f;
    float min_ = 0.0f;
    float max_ = 1.0f;
    float wheelIncrement_ = 0.1f;
    long lastClickTime_ = -1;
    int doubleClickTime_;
    GuiBitmap* background_;
    GuiPoint backgroundOffset_{};
};

}  // namespace gui
