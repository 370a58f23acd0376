#include "gui/gui_about_splash.h"

#include "gui/gui_canvas.h"

namespace gui {
namespace {
constexpr int kLineHeight = 15;
constexpr int kLineSpacing = 16;
constexpr int kCreditGap = 40;  // below the web address
constexpr int kTextFont = 4;    // Arial 11
constexpr int kCreditFont = 6;  // Arial 9
}  // namespace

GuiAboutSplash::GuiAboutSplash(const GuiRect& size, GuiListener* listener, int tag, GuiBitmap* picture,
                               const GuiRect& displayRect, GuiPoint offset, GuiPoint textOffset)
    : GuiSplash(size, listener, tag, picture, displayRect, offset), textOffset_(textOffset) {}

void GuiAboutSplash::setProduct(const char* title, GuiColour textColour, GuiColour creditColour) {
    title_ = title ? title : "";
    textColour_ = textColour;
    creditColour_ = creditColour;
    setNeedsPaint(true);
}

void GuiAboutSplash::setMakerLine(const char* line) {
    maker_ = line ? line : kAboutMakerLine;
    setNeedsPaint(true);
}

void GuiAboutSplash::paint(GuiCanvas* canvas) {
    if (canvas && value_ != 0.0f) {
        GuiSplash::paint(canvas);
        const int left = displayRect_.left + textOffset_.h;
        const int top = displayRect_.top + textOffset_.v;
        // as wide as the open splash, whose size rect is the display rect then
        const auto line = [&](int y) { return GuiRect{left, y, left + size_.width(), y + kLineHeight}; };
        const std::string heading = title_ + kAboutVersion;
        canvas->selectFont(kTextFont);
        canvas->setFontColour(textColour_);
        canvas->paintString(heading.c_str(), line(top), false, kAlignCentre);
        canvas->paintString(maker_.c_str(), line(top + kLineSpacing), false, kAlignCentre);
        canvas->paintString(kAboutWebLine, line(top + 2 * kLineSpacing), false, kAlignCentre);
        canvas->selectFont(kCreditFont);
        canvas->setFontColour(creditColour_);
        canvas->paintString(kAboutCreditLine, line(top + 2 * kLineSpacing + kCreditGap), false, kAlignCentre);
    }
    setNeedsPaint(false);
}

}  // namespace gui
