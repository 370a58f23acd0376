// BriskerEditor: the compressor's panel. Two needle meters over the program row,
// the switches, the side-chain and time knobs, the compress and slope sliders, the
// mix slider and the about screen.
#pragma once

#include "gui/panel_editor.h"

namespace gui {
class GuiNeedleMeter;
}

namespace brisker {

class BriskerEffect;

class BriskerEditor : public gui::PanelEditor {
public:
    explicit BriskerEditor(BriskerEffect* effect);

    void closeView() override;

private:
    void buildPanel(gui::GuiFrame& frame) override;
    void feedMeters() override;

    BriskerEffect* effect_;
    gui::GuiNeedleMeter* meters_[2] = {nullptr, nullptr};
};

}  // namespace brisker
