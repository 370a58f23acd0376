// StandInEditor: a plain editor for a plug-in that has none of its own: one knob per
// host parameter in a grid, drawn without pictures. It lets the toolkit's controls,
// the editor base and the automated edits run against the real effect.
#pragma once

#include "gui/editor_base.h"
#include "gui/gui_listener.h"

namespace hardening {

class StandInEditor : public gui::EditorBase, private gui::GuiListener {
public:
    static constexpr int kColumns = 8;
    static constexpr int kCell = 48;

    // Attaches itself to the effect, which owns it from then on.
    explicit StandInEditor(frame::EffectBase* effect);

    VstIntPtr openView(void* parent) override;
    // Each knob follows its parameter's value.
    void refreshFromEffect() override;

private:
    // A knob moved by the user: an automated edit of its parameter.
    void controlChanged(gui::GuiCanvas* canvas, gui::GuiControl* control) override;
};

}  // namespace hardening
