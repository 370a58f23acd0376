#include "tests/hardening/editor_driver.h"

#include "frame/effect_base.h"
#include "gui/editor_base.h"
#include "gui/gui_frame.h"

namespace hardening {

EditorDriver::EditorDriver(AEffect* effect) : effect_(effect) {
    frame::EffectBase* base = frame::EffectBase::fromRecord(effect);
    editor_ = base ? dynamic_cast<gui::EditorBase*>(base->editor()) : nullptr;
    if (editor_) editor_->setClock(&clock_);
}

EditorDriver::~EditorDriver() {
    if (!editor_) return;
    if (gui::GuiFrame* frame = openFrame()) frame->setInput(nullptr);
    editor_->setClock(nullptr);
}

VstIntPtr EditorDriver::dispatch(VstInt32 opcode, void* ptr) {
    return effect_->dispatcher(effect_, opcode, 0, 0, ptr, 0.0f);
}

gui::GuiFrame* EditorDriver::openFrame() const noexcept { return editor_ ? editor_->frame() : nullptr; }

bool EditorDriver::isOpen() const noexcept { return openFrame() != nullptr; }

void EditorDriver::open() {
    if (!editor_) return;
    ERect* rect = nullptr;
    dispatch(effEditGetRect, &rect);
    if (rect) area_ = {rect->left, rect->top, rect->right, rect->bottom};
    dispatch(effEditOpen, nullptr);
    script_.clear();
    if (gui::GuiFrame* frame = openFrame()) {
        frame->setInput(&script_);
        editor_->repaintAll();  // what a new window's first expose does
    }
}

void EditorDriver::idle() {
    if (editor_) dispatch(effEditIdle);
}

void EditorDriver::close() {
    if (!editor_) return;
    if (gui::GuiFrame* frame = openFrame()) frame->setInput(nullptr);
    dispatch(effEditClose);
}

void EditorDriver::drag(gui::GuiPoint from, std::span<const gui::GuiPoint> path, int buttons) {
    gui::GuiFrame* frame = openFrame();
    if (!frame) return;
    script_.clear();
    script_.press(from, buttons);
    for (gui::GuiPoint p : path) script_.moveTo(p);
    script_.release();
    frame->setInput(&script_);
    frame->pointerPressed(from);
}

void EditorDriver::wheel(gui::GuiPoint where, float distance) {
    gui::GuiFrame* frame = openFrame();
    if (!frame) return;
    script_.clear();
    script_.moveTo(where);
    frame->setInput(&script_);
    editor_->wheelTurned(distance);
}

}  // namespace hardening
