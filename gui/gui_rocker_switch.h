// GuiRockerSwitch: three positions (−1, 0, +1) that spring back to 0 on release.
// The picture holds the three images stacked from the offset: −1, 0, +1.
#pragma once

#include "gui/gui_control.h"

namespace gui {

inline constexpr int kRockerHorizontal = 1;  // style bit: left and right halves, else top and bottom

class GuiRockerSwitch : public GuiControl {
public:
    GuiRockerSwitch(const GuiRect& size, GuiListener* listener, int tag, int imageHeight, GuiBitmap* background,
                    GuiPoint offset, int style);

    void paint(GuiCanvas* canvas) override;
    // −1 over the first half, +1 over the second, until every button and modifier is up.
    void mousePressed(GuiCanvas* canvas, GuiPoint where) override;
    // One step: −1 for a positive distance, +1 otherwise, then back to 0.
    bool wheelTurned(GuiCanvas* canvas, GuiPoint where, float distance) override;

private:
    float positionAt(GuiPoint p, float outside) const;

    int imageHeight_;
    GuiPoint offset_;
    int style_;
};

}  // namespace gui
