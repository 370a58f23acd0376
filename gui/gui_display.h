// GuiDisplay: the text of a value over a picture or a filled box, optionally with
// a three-dimensional border and a shadow under the text. A converter turns the
// value into the text.
#pragma once

#include "frame/value_to_text.h"
#include "gui/gui_control.h"

namespace gui {

// A converter that also gets a pointer of the caller's.
using ValueToTextWithData = void (*)(float value, char* text, void* userData);

// Style bits.
inline constexpr int kDisplayShadowText = 0x4;
inline constexpr int kDisplaySunken = 0x80;    // three-dimensional border, pressed in
inline constexpr int kDisplayRaised = 0x100;   // three-dimensional border, standing out
inline constexpr int kDisplayNoText = 0x800;   // the background only
inline constexpr int kDisplayNoDraw = 0x1000;  // nothing at all, and never dirty by itself

inline constexpr int kDisplayTextSize = 256;  // every text buffer of the displays

class GuiDisplay : public GuiControl {
public:
    GuiDisplay(const GuiRect& size, GuiBitmap* background = nullptr, int style = 0);
    // For derived controls that take clicks.
    GuiDisplay(const GuiRect& size, GuiListener* listener, int tag, GuiBitmap* background, int style);

    void paint(GuiCanvas* canvas) override;

    virtual void setFontIndex(int index);
    virtual void setTextColour(GuiColour colour);
    virtual void setFillColour(GuiColour colour);
    virtual void setBorderColour(GuiColour colour);
    virtual void setTextShadowColour(GuiColour colour);
    // kAlignLeft, kAlignCentre or kAlignRight.
    virtual void setAlignment(int alignment);
    virtual void setConverter(ValueToTextWithData converter, void* userData);
    virtual void setConverter(frame::ValueToText converter);
    virtual void setDisplayStyle(int style);
    // Bits 1 bold, 2 italic, 4 underline.
    virtual void setFontFace(int face);
    // Text drawn without filling its background (true) or over the back colour.
    virtual void setTextClear(bool clear);

    int displayStyle() const noexcept { return style_; }
    int alignment() const noexcept { return alignment_; }
    int fontIndex() const noexcept { return fontIndex_; }
    GuiColour textColour() const noexcept { return fontColour_; }
    GuiColour backColour() const noexcept { return backColour_; }

    // The value's text as shown: the converter's, or "%2.2f".
    void valueText(char (&text)[kDisplayTextSize]) const;

protected:
    // Background (the given picture, else the control's), border and text.
    void paintText(GuiCanvas* canvas, const char* text, GuiBitmap* picture = nullptr);
    void paintBorder(GuiCanvas& canvas) const;
    void markIfChanged(bool changed) {
        if (changed) setNeedsPaint(true);
    }

    frame::ValueToText converter_ = nullptr;
    ValueToTextWithData dataConverter_ = nullptr;
    void* userData_ = nullptr;
    int alignment_ = 1;
    int style_;
    int fontIndex_ = 3;
    int fontFace_ = 0;
    GuiColour fontColour_ = kWhite;
    GuiColour backColour_ = kBlack;
    GuiColour frameColour_ = kBlack;
    GuiColour shadowColour_ = kRed;
    bool textTransparent_ = true;
};

}  // namespace gui
