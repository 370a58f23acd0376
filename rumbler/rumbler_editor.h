// RumblerEditor: the bass enhancer's panel. The lift meter in the leveller's frame
// with the tune and threshold knobs, colour and bass in the middle, the output's
// gain knob, saturation switch, clip lamp and mix slider, the program row and the
// about screen.
#pragma once

#include "gui/panel_editor.h"

namespace gui {
class GuiLamp;
class GuiSwingMeter;
}  // namespace gui

namespace rumbler {

class RumblerEffect;

class RumblerEditor : public gui::PanelEditor {
public:
    explicit RumblerEditor(RumblerEffect* effect);

    void closeView() override;

private:
    void buildPanel(gui::GuiFrame& frame) override;
    void feedMeters() override;
    void restMeters() override;

    RumblerEffect* effect_;
    gui::GuiSwingMeter* lift_ = nullptr;
    gui::GuiLamp* clip_ = nullptr;
};

}  // namespace rumbler
