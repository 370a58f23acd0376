// A built plug-in loaded through its entry point with its editor open headless (no
// parent window): the frame draws into its own surface and takes the pointer from a
// script, so a test clicks and drags the real module's controls and reads what the
// host was told. The test reaches the module's editor through the effect record. It
// calls only virtual functions of the module's objects and reads their members: the
// module's own statics (picture table, knob mode) are not the test's copies.
// Link gui_headless (the script and the toolkit's types) and tarn_test_support.
#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "frame/effect_base.h"
#include "gui/gui_control.h"
#include "gui/gui_frame.h"
#include "gui/idle_clock.h"
#include "gui/panel_editor.h"
#include "gui/scripted_input.h"
#include "tests/support/loaded_plugin_test.h"

namespace testing_support {

// Every reading 100 ms after the last: each pass of a tracking loop runs the idle.
class SteppingClock : public gui::IdleClock {
public:
    uint64_t nowMs() override { return now_ += 100; }
    void sleepMs(int ms) override { now_ += static_cast<uint64_t>(ms); }

private:
    uint64_t now_ = 1000;
};

class LoadedEditorTest : public LoadedPluginTest {
protected:
    using LoadedPluginTest::LoadedPluginTest;

    void TearDown() override {
        if (effect && editor() && editor()->frame()) dispatch(effect, effEditClose);
        LoadedPluginTest::TearDown();
    }

    gui::PanelEditor* editor() const {
        frame::EffectBase* base = frame::EffectBase::fromRecord(effect);
        return base && base->editor() ? static_cast<gui::PanelEditor*>(base->editor()) : nullptr;
    }
    gui::GuiFrame* frame() const { return editor() ? editor()->frame() : nullptr; }

    // effEditOpen without a window, then the first full paint a window's expose would do.
    void openEditor() {
        ASSERT_NE(editor(), nullptr);
        ASSERT_EQ(dispatch(effect, effEditOpen), 1);
        ASSERT_NE(frame(), nullptr);
        editor()->setClock(&clock);
        frame()->setInput(&script);
        frame()->paint(nullptr);
    }
    void closeEditor() { dispatch(effect, effEditClose); }
    VstIntPtr idle() { return dispatch(effect, effEditIdle); }

    // Runs the script as the window runs a press: the click at its first step, then the
    // control tracks the rest.
    void runScript() { frame()->mousePressed(nullptr, script.current().where); }
    void click(gui::GuiPoint where, int buttons = gui::kButtonLeft) {
        script.clear();
        script.press(where, buttons).release();
        runScript();
    }
    // Pressed at from, moved in steps to to, released there.
    void drag(gui::GuiPoint from, gui::GuiPoint to, int steps = 10) {
        script.clear();
        script.press(from);
        for (int i = 1; i <= steps; ++i)
            script.moveTo({from.h + (to.h - from.h) * i / steps, from.v + (to.v - from.v) * i / steps});
        script.release();
        runScript();
    }
    static gui::GuiPoint centre(const gui::GuiRect& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

    gui::GuiControl* control(int tag) const { return editor()->controlOf(tag); }
    // A view's place in the frame's creation order; -1 when it is not a child.
    int childIndex(const gui::GuiView* v) const {
        for (int i = 0; i < frame()->childCount(); ++i)
            if (frame()->childAt(i) == v) return i;
        return -1;
    }
    // The calls for one parameter index among begin edit, automate and end edit, in order.
    std::vector<HostCall> editsOf(VstInt32 index) const {
        std::vector<HostCall> out;
        for (const HostCall& c : host.calls)
            if (c.index == index && (c.opcode == audioMasterBeginEdit || c.opcode == audioMasterAutomate ||
                                     c.opcode == audioMasterEndEdit))
                out.push_back(c);
        return out;
    }

    SteppingClock clock;
    gui::ScriptedInput script;
};

}  // namespace testing_support
