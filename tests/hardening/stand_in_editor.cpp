#include "tests/hardening/stand_in_editor.h"

#include "gui/gui_control.h"
#include "gui/gui_frame.h"
#include "gui/gui_knob.h"

namespace hardening {

StandInEditor::StandInEditor(frame::EffectBase* effect) : EditorBase(effect) {
    const int count = effect->parameterCount();
    const int rows = (count + kColumns - 1) / kColumns;
    rect_ = {0, 0, static_cast<VstInt16>(kCell * (rows > 0 ? rows : 1)), static_cast<VstInt16>(kCell * kColumns)};
}

VstIntPtr StandInEditor::openView(void* parent) {
    EditorBase::openView(parent);
    auto* frame = new gui::GuiFrame({rect_.left, rect_.top, rect_.right, rect_.bottom}, parent, this);
    setFrame(frame);
    for (int index = 0; index < effect()->parameterCount(); ++index) {
        const int left = (index % kColumns) * kCell, top = (index / kColumns) * kCell;
        auto* knob = new gui::GuiKnob({left + 4, top + 4, left + kCell - 4, top + kCell - 4}, this, index, nullptr,
                                      nullptr, {0, 0});
        knob->setValue(effect()->parameterValue(index));
        frame->appendChild(knob);
    }
    return 1;
}

void StandInEditor::refreshFromEffect() {
    gui::GuiFrame* frame = this->frame();
    if (!frame) return;
    for (int i = 0; i < frame->childCount(); ++i) {
        if (auto* control = dynamic_cast<gui::GuiControl*>(frame->childAt(i)))
            control->setValue(effect()->parameterValue(control->tag()));
    }
}

void StandInEditor::controlChanged(gui::GuiCanvas*, gui::GuiControl* control) {
    effect()->automate(control->tag(), control->getValue());
}

}  // namespace hardening
