// EmberonEditor: the saturator's panel. Two twin-needle meters with the meter-tap
// button between them, the bass and treble sections' switches and knobs, the drive
// and shape sliders at the sides, the mix slider, the program row and the about screen.
#pragma once

#include "gui/panel_editor.h"

namespace gui {
class GuiTwinNeedleMeter;
}

namespace emberon {

class EmberonEffect;

class EmberonEditor : public gui::PanelEditor {
public:
    explicit EmberonEditor(EmberonEffect* effect);

    void closeView() override;

private:
    void buildPanel(gui::GuiFrame& frame) override;
    void feedMeters() override;
    void restMeters() override;

    EmberonEffect* effect_;
    gui::GuiTwinNeedleMeter* meters_[2] = {nullptr, nullptr};
};

}  // namespace emberon
