// The test plug-in's panel: a knob with its value display, an on/off button and an
// option menu over a background picture, each bound to one parameter.
#pragma once

#include "gui/editor_base.h"
#include "gui/gui_listener.h"
#include "gui/gui_types.h"

namespace gui {
class GuiDisplay;
class GuiKnob;
class GuiOnOffButton;
class GuiOptionMenu;
}  // namespace gui

namespace panel_test {

// Where the controls sit, for the tests that click them.
inline constexpr gui::GuiRect kKnobRect{20, 20, 68, 68};
inline constexpr gui::GuiRect kProcessRect{100, 30, 130, 50};
inline constexpr gui::GuiRect kModeRect{150, 30, 260, 50};
inline constexpr int kPanelWidth = 400, kPanelHeight = 300;

class PanelEditor : public gui::EditorBase, private gui::GuiListener {
public:
    explicit PanelEditor(frame::EffectBase* effect);

    VstIntPtr openView(void* parent) override;
    void closeView() override;
    void refreshFromEffect() override;

private:
    void controlChanged(gui::GuiCanvas* canvas, gui::GuiControl* control) override;

    gui::GuiKnob* knob_ = nullptr;
    gui::GuiDisplay* gainText_ = nullptr;
    gui::GuiOnOffButton* process_ = nullptr;
    gui::GuiOptionMenu* mode_ = nullptr;
};

}  // namespace panel_test
