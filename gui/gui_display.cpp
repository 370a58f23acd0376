#include "gui/gui_display.h"

#include <cstdio>
#include <cstring>

#include "gui/gui_canvas.h"

namespace gui {

GuiDisplay::GuiDisplay(const GuiRect& size, GuiBitmap* background, int style)
    : GuiDisplay(size, nullptr, 0, background, style) {}

GuiDisplay::GuiDisplay(const GuiRect& size, GuiListener* listener, int tag, GuiBitmap* background, int style)
    : GuiControl(size, listener, tag, background), style_(style) {
    if (style_ & kDisplayNoDraw) setNeedsPaint(false);  // never redrawn on its own
}

void GuiDisplay::setFontIndex(int index) {
    markIfChanged(index != fontIndex_);
    fontIndex_ = index;
}

void GuiDisplay::setTextColour(GuiColour colour) {
    markIfChanged(!colour.sameRgb(fontColour_));
    fontColour_ = colour;
}

void GuiDisplay::setFillColour(GuiColour colour) {
    markIfChanged(!colour.sameRgb(backColour_));
    backColour_ = colour;
}

void GuiDisplay::setBorderColour(GuiColour colour) {
    markIfChanged(!colour.sameRgb(frameColour_));
    frameColour_ = colour;
}

void GuiDisplay::setTextShadowColour(GuiColour colour) {
    markIfChanged(!colour.sameRgb(shadowColour_));
    shadowColour_ = colour;
}

void GuiDisplay::setAlignment(int alignment) {
    markIfChanged(alignment != alignment_);
    alignment_ = alignment;
}

void GuiDisplay::setConverter(ValueToTextWithData converter, void* userData) {
    dataConverter_ = converter;
    userData_ = userData;
}

void GuiDisplay::setConverter(frame::ValueToText converter) { converter_ = converter; }

void GuiDisplay::setDisplayStyle(int style) {
    markIfChanged(style != style_);
    style_ = style;
}

void GuiDisplay::setFontFace(int face) {
    markIfChanged(face != fontFace_);
    fontFace_ = face;
}

void GuiDisplay::setTextClear(bool clear) { textTransparent_ = clear; }

void GuiDisplay::valueText(char (&text)[kDisplayTextSize]) const {
    std::memset(text, 0, sizeof text);
    if (dataConverter_)
        dataConverter_(value_, text, userData_);
    else if (converter_)
        converter_(value_, text);
    else
        std::snprintf(text, sizeof text, "%2.2f", static_cast<double>(value_));
    text[kDisplayTextSize - 1] = 0;
}

void GuiDisplay::paint(GuiCanvas* canvas) {
    char text[kDisplayTextSize];
    valueText(text);
    paintText(canvas, text);
}

void GuiDisplay::paintBorder(GuiCanvas& canvas) const {
    const GuiRect& r = size_;
    const bool sunken = (style_ & kDisplaySunken) != 0;
    canvas.setFrameColour(sunken ? backColour_ : frameColour_);
    canvas.moveTo({r.left, r.bottom});
    canvas.lineTo({r.left, r.top});
    canvas.lineTo({r.right + 1, r.top});
    canvas.setFrameColour(sunken ? frameColour_ : backColour_);
    canvas.moveTo({r.right, r.top + 1});
    canvas.lineTo({r.right, r.bottom});
    canvas.lineTo({r.left, r.bottom});
}

void GuiDisplay::paintText(GuiCanvas* canvas, const char* text, GuiBitmap* picture) {
    setNeedsPaint(false);
    if ((style_ & kDisplayNoDraw) || !canvas) return;
    const bool threeD = (style_ & (kDisplaySunken | kDisplayRaised)) != 0;
    if (GuiBitmap* pic = picture ? picture : background_) {
        drawPicture(*canvas, pic, size_, backgroundOffset_);
    } else if (!transparent_) {
        canvas->setFillColour(backColour_);
        canvas->fillRect(size_);
        if (!threeD) {
            canvas->setFrameColour(frameColour_);
            canvas->frameRect(size_);
        }
    }
    if (threeD) paintBorder(*canvas);
    if ((style_ & kDisplayNoText) || !text || !text[0]) return;
    canvas->selectFont(fontIndex_, 0, fontFace_);
    if (style_ & kDisplayShadowText) {
        canvas->setFontColour(shadowColour_);
        canvas->paintString(text, size_.offset(1, 1), false, alignment_);
    }
    canvas->setFontColour(fontColour_);
    canvas->setFillColour(backColour_);
    canvas->paintString(text, size_, !textTransparent_, alignment_);
}

}  // namespace gui
