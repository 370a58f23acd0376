// GuiCycleButton: a button that steps through N pictured states, one per click.
// Its picture holds the N images stacked, each picture height / N tall; the value
// is the state index 0..N−1.
#pragma once

#include "gui/gui_control.h"

namespace gui {

class GuiCycleButton : public GuiControl {
public:
    // picture retained; stateCount below 1 counts as 1.
    GuiCycleButton(const GuiRect& size, GuiListener* listener, int tag, GuiBitmap* picture, int stateCount);
    ~GuiCycleButton() override;

    void paint(GuiCanvas* canvas) override;
    // Tells the listener the old state, steps on (wrapping), draws at once and tells the new one.
    void mousePressed(GuiCanvas* canvas, GuiPoint where) override;

    int stateCount() const noexcept { return states_; }

private:
    GuiBitmap* picture_;
    int states_;
};

}  // namespace gui
