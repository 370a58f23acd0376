// GuiAboutSplash: the about screen every plug-in shows over its panel: the splash
// picture with the product's name and version, the maker and the credit line.
#pragma once

#include <string>

#include "gui/gui_splash.h"

namespace gui {

inline constexpr const char* kAboutVersion = "1.8.4.D";
inline constexpr const char* kAboutMakerLine = "Made by Tarn Audio";
inline constexpr const char* kAboutWebLine = "www.tarn-audio.com";
inline constexpr const char* kAboutCreditLine = "VST PlugIn Technology by Steinberg";

class GuiAboutSplash : public GuiSplash {
public:
    // textOffset: where the first line starts, relative to the display rect's top-left.
    GuiAboutSplash(const GuiRect& size, GuiListener* listener, int tag, GuiBitmap* picture,
                   const GuiRect& displayRect, GuiPoint offset, GuiPoint textOffset);

    // Nothing while closed; open, the picture and four centred lines.
    void paint(GuiCanvas* canvas) override;

    // The product title ("Tarn Brisker ", with its trailing blank) and the plug-in's colours.
    void setProduct(const char* title, GuiColour textColour, GuiColour creditColour);
    const std::string& title() const noexcept { return title_; }
    // The second line, naming the maker; null keeps the line's common one.
    void setMakerLine(const char* line);
    const std::string& makerLine() const noexcept { return maker_; }

private:
    GuiPoint textOffset_;
    std::string title_ = "Tarn ";
    std::string maker_ = kAboutMakerLine;
    GuiColour textColour_{45, 45, 120, 0};
    GuiColour creditColour_{60, 60, 60, 0};
};

}  // namespace gui
