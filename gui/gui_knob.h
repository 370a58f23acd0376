// GuiKnob: a rotary knob drawn as a background picture with a pointer line or a
// handle picture. Dragged in a circle (the value follows the pointer's angle) or
// linearly (right and up increase it), finer with Shift; control-click resets it.
#pragma once

#include "gui/gui_control.h"

namespace gui {

class GuiKnob : public GuiControl {
public:
    // offset: where drawing starts inside the background picture. The handle picture
    // (may be null) is retained.
    GuiKnob(const GuiRect& size, GuiListener* listener, int tag, GuiBitmap* background, GuiBitmap* handle,
            GuiPoint offset);
    ~GuiKnob() override;

    void paint(GuiCanvas* canvas) override;
    void mousePressed(GuiCanvas* canvas, GuiPoint where) override;
    bool wheelTurned(GuiCanvas* canvas, GuiPoint where, float distance) override;
    int keyPressed(const VstKeyCode& key) override;
    // The angle coefficients follow a new range.
    void setMin(float value) override;
    void setMax(float value) override;

    virtual void paintPointer(GuiCanvas* canvas);
    // Radians: 0 at three o'clock, counter-clockwise positive.
    virtual void setArcStart(float radians);
    virtual float getArcStart() const { return startAngle_; }
    // Negative turns clockwise.
    virtual void setArcSpan(float radians);
    virtual float getArcSpan() const { return rangeAngle_; }
    // The pointer's outer end for the current value, relative to the view's top-left.
    virtual GuiPoint pointForValue() const;
    // The value whose pointer points at p (relative to the top-left); the dead zone
    // gives min on the start side and max on the end side.
    virtual float valueForPoint(GuiPoint p) const;
    virtual void setPointerInset(int inset);
    virtual void setPointerShadowColour(GuiColour colour);
    virtual void setPointerColour(GuiColour colour);
    // Releases the old handle and retains the new one; the inset follows its width.
    virtual void setPointerPicture(GuiBitmap* handle);
    // How many times finer a Shift drag is than a plain one.
    virtual void setFineFactor(float factor) { zoomFactor_ = factor; }
    virtual float getFineFactor() const { return zoomFactor_; }

private:
    void computeCoefficients();
    template <class Step>
    void trackMoves(GuiCanvas* canvas, GuiPoint where, Step step);
    void trackCircular(GuiCanvas* canvas, GuiPoint where);
    void trackLinear(GuiCanvas* canvas, GuiPoint where, int buttons);
    float linearRate(int buttons) const;

    GuiPoint offset_;
    GuiColour handleColour_ = kWhite;
    GuiColour shadowColour_ = kGrey;
    GuiBitmap* handle_;
    int inset_;
    float startAngle_;
    float rangeAngle_;
    float halfAngle_ = 0.0f;
    float a_ = 0.0f, b_ = 0.0f;
    float radius_;
    float zoomFactor_ = 1.5f;
};

}  // namespace gui
