// Drives a plug-in's editor the way its user would, without a window system: the
// host opens it with no parent window, so the frame draws into its surface only and
// reads the pointer from a script. Every call does nothing when the plug-in has no
// editor or the editor is not open.
#pragma once

#include <span>

#include "frame/vst2.h"
#include "gui/gui_types.h"
#include "gui/idle_clock.h"
#include "gui/scripted_input.h"

namespace gui {
class EditorBase;
class GuiFrame;
}  // namespace gui

namespace hardening {

// Time that passes only by sleeping, so the editor's throttled idle runs every few
// passes of a tracking loop and never waits.
class SteppedClock : public gui::IdleClock {
public:
    uint64_t nowMs() override { return now_; }
    void sleepMs(int ms) override { now_ += static_cast<uint64_t>(ms > 0 ? ms : 1); }

private:
    uint64_t now_ = 1000;
};

class EditorDriver {
public:
    // The effect's record; the driver must go before the effect is closed.
    explicit EditorDriver(AEffect* effect);
    ~EditorDriver();
    EditorDriver(const EditorDriver&) = delete;
    EditorDriver& operator=(const EditorDriver&) = delete;

    bool hasEditor() const noexcept { return editor_ != nullptr; }
    bool isOpen() const noexcept;
    // effEditGetRect, then effEditOpen with no parent window, and the first full drawing.
    void open();
    // effEditIdle.
    void idle();
    // effEditClose.
    void close();
    // The editor's area as effEditGetRect last reported it (empty before).
    gui::GuiRect area() const noexcept { return area_; }

    // Buttons (and modifier bits) go down at from, the pointer follows path with
    // them held, then they go up; whatever is under from tracks it.
    void drag(gui::GuiPoint from, std::span<const gui::GuiPoint> path, int buttons);
    // The wheel turns by distance with the pointer at where.
    void wheel(gui::GuiPoint where, float distance);

private:
    gui::GuiFrame* openFrame() const noexcept;
    VstIntPtr dispatch(VstInt32 opcode, void* ptr = nullptr);

    AEffect* effect_;
    gui::EditorBase* editor_ = nullptr;
    gui::ScriptedInput script_;
    SteppedClock clock_;
    gui::GuiRect area_{};
};

}  // namespace hardening
