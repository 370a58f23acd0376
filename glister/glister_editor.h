// GlisterEditor: the treble enhancer's panel. The four sections side by side
// (hiss reduction, transients, stereo enhancer, harmonics) with their sliders,
// knobs and switches, the output column, the two indicator lamps, the mix
// slider, the program row and the about screen.
#pragma once

#include "gui/panel_editor.h"

namespace gui {
class GuiLamp;
}

namespace glister {

class GlisterEffect;

class GlisterEditor : public gui::PanelEditor {
public:
    explicit GlisterEditor(GlisterEffect* effect);

    void closeView() override;

private:
    void buildPanel(gui::GuiFrame& frame) override;
    void feedMeters() override;
    void restMeters() override;

    GlisterEffect* effect_;
    gui::GuiLamp* lamps_[2] = {nullptr, nullptr};
};

}  // namespace glister
