// ScriptedInput: a pointer that follows a script instead of the user, for frames
// without a window (tests, previews). Each step is the pointer as a tracking loop
// reads it; the frame moves to the next step once per pass of the loop (its pumpIdle).
// After the last step the mouse buttons are up, and one pass later the modifier keys
// too, so every tracking loop ends (the rocker's runs while any key is held).
#pragma once

#include <cstddef>
#include <vector>

#include "gui/gui_types.h"

namespace gui {

class ScriptedInput {
public:
    // A button goes down at where (ButtonState bits, modifiers included).
    ScriptedInput& press(GuiPoint where, int buttons = kButtonLeft);
    // The pointer moves, buttons and modifiers as they were.
    ScriptedInput& moveTo(GuiPoint where);
    // Modifier keys (kKeyShift, kKeyControl, kKeyAlt) change, the mouse buttons stay.
    ScriptedInput& setModifiers(int modifiers);
    // All mouse buttons go up; the modifiers stay.
    ScriptedInput& release();
    // The state stays as it is for this many further passes.
    ScriptedInput& hold(int passes);

    // The pointer as it is now.
    PointerState current() const noexcept;
    // One tracking pass later.
    void advance() noexcept;
    // Back to the first step.
    void rewind() noexcept;
    // Past the last step: the mouse buttons are up.
    bool finished() const noexcept { return position_ >= steps_.size(); }
    size_t position() const noexcept { return position_; }
    void clear() noexcept;

private:
    PointerState last() const noexcept { return steps_.empty() ? PointerState{} : steps_.back(); }

    std::vector<PointerState> steps_;
    size_t position_ = 0;
};

}  // namespace gui
