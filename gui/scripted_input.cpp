#include "gui/scripted_input.h"

namespace gui {

ScriptedInput& ScriptedInput::press(GuiPoint where, int buttons) {
    steps_.push_back({where, buttons});
    return *this;
}

ScriptedInput& ScriptedInput::moveTo(GuiPoint where) {
    steps_.push_back({where, last().buttons});
    return *this;
}

ScriptedInput& ScriptedInput::setModifiers(int modifiers) {
    const PointerState p = last();
    steps_.push_back({p.where, (p.buttons & kMouseButtons) | (modifiers & ~kMouseButtons)});
    return *this;
}

ScriptedInput& ScriptedInput::release() {
    const PointerState p = last();
    steps_.push_back({p.where, p.buttons & ~kMouseButtons});
    return *this;
}

ScriptedInput& ScriptedInput::hold(int passes) {
    for (int i = 0; i < passes; ++i) steps_.push_back(last());
    return *this;
}

PointerState ScriptedInput::current() const noexcept {
    if (steps_.empty()) return {};
    if (position_ < steps_.size()) return steps_[position_];
    const PointerState p = steps_.back();
    if (position_ > steps_.size()) return {p.where, 0};
    return {p.where, p.buttons & ~kMouseButtons};
}

void ScriptedInput::advance() noexcept {
    if (position_ <= steps_.size()) ++position_;
}

void ScriptedInput::rewind() noexcept { position_ = 0; }

void ScriptedInput::clear() noexcept {
    steps_.clear();
    position_ = 0;
}

}  // namespace gui
