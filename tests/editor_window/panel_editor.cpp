#include "panel_editor.h"

#include <cstdio>

#include "gui/gui_bitmap.h"
#include "gui/gui_display.h"
#include "gui/gui_frame.h"
#include "gui/gui_knob.h"
#include "gui/gui_on_off_button.h"
#include "gui/gui_option_menu.h"
#include "panel_effect.h"
#include "panel_test_pictures.h"

namespace panel_test {
namespace {

enum Picture { kBackground = 9002, kKnobFace = 9010, kTwoState = 9011 };

void gainText(float value, char* text) { std::snprintf(text, 16, "%+.1f dB", static_cast<double>(value) * 24.0 - 12.0); }

}  // namespace

PanelEditor::PanelEditor(frame::EffectBase* effect) : EditorBase(effect) {
    static const gui::PictureTable table(panel_test::kPictures);
    gui::PictureTable::install(&table);
    rect_ = {0, 0, kPanelHeight, kPanelWidth};
}

VstIntPtr PanelEditor::openView(void* parent) {
    EditorBase::openView(parent);
    auto* frame = new gui::GuiFrame({0, 0, kPanelWidth, kPanelHeight}, parent, this);
    auto* background = new gui::GuiBitmap(kBackground);
    auto* knobFace = new gui::GuiBitmap(kKnobFace);
    auto* twoState = new gui::GuiBitmap(kTwoState);
    frame->setPicture(background);
    knob_ = new gui::GuiKnob(kKnobRect, this, kGain, knobFace, nullptr, {0, 0});
    frame->appendChild(knob_);
    gainText_ = new gui::GuiDisplay({20, 80, 120, 100}, nullptr, gui::kDisplaySunken);
    gainText_->setConverter(gainText);
    frame->appendChild(gainText_);
    process_ = new gui::GuiOnOffButton(kProcessRect, this, kProcess, twoState);
    frame->appendChild(process_);
    mode_ = new gui::GuiOptionMenu(kModeRect, this, kMode, nullptr, nullptr, 0);
    for (const char* entry : {"Soft", "Medium", "Hard"}) mode_->insertItem(entry);
    frame->appendChild(mode_);
    for (gui::GuiBitmap* picture : {background, knobFace, twoState}) picture->release();
    setFrame(frame);
    refreshFromEffect();
    return 1;
}

void PanelEditor::closeView() {
    knob_ = nullptr;
    gainText_ = nullptr;
    process_ = nullptr;
    mode_ = nullptr;
    EditorBase::closeView();
}

void PanelEditor::refreshFromEffect() {
    if (!frame()) return;
    knob_->setValue(effect()->parameterValue(kGain));
    gainText_->setValue(effect()->parameterValue(kGain));
    process_->setValue(effect()->parameterValue(kProcess));
    mode_->setValue(static_cast<float>(static_cast<int>(effect()->parameterValue(kMode) * (kModeCount - 1) + 0.5f)));
}

void PanelEditor::controlChanged(gui::GuiCanvas*, gui::GuiControl* control) {
    float value = control->getValue();
    if (control == mode_) value /= kModeCount - 1;
    effect()->automate(control->tag(), value);
    if (control == knob_) gainText_->setValue(value);
}

}  // namespace panel_test
