// A headless editor for control tests: an effect whose host logs begin and end
// edit, an editor owning a frame without window whose pointer follows a script,
// a clock that lets every pumpIdle run, and a listener that records each change.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <utility>
#include <vector>

#include "frame/effect_base.h"
#include "gui/editor_base.h"
#include "gui/gui_bitmap.h"
#include "gui/gui_control.h"
#include "gui/gui_frame.h"
#include "gui/idle_clock.h"
#include "gui/scripted_input.h"
#include "gui_test_pictures.h"
#include "test_effect.h"

namespace gui_test {

class HarnessEditor : public gui::EditorBase {
public:
    using EditorBase::EditorBase;
    void adopt(gui::GuiFrame* frame) { setFrame(frame); }
};

// Every reading is 100 ms after the last, so the throttled idle runs on each pass.
class SteppingClock : public gui::IdleClock {
public:
    uint64_t nowMs() override { return now += 100; }
    void sleepMs(int ms) override { now += static_cast<uint64_t>(ms); }
    uint64_t now = 1000;
};

struct Change {
    gui::GuiControl* control;
    float value;
    bool withCanvas;
};

class RecordingListener : public gui::GuiListener {
public:
    void controlChanged(gui::GuiCanvas* canvas, gui::GuiControl* control) override {
        changes.push_back({control, control->getValue(), canvas != nullptr});
    }
    std::vector<float> values() const {
        std::vector<float> out;
        for (const Change& c : changes) out.push_back(c.value);
        return out;
    }
    std::vector<Change> changes;
};

// A test picture held for the scope; controls retain what they keep.
class Picture {
public:
    explicit Picture(int id) : bitmap_(new gui::GuiBitmap(gui_test::kPictures, id)) {}
    ~Picture() { bitmap_->release(); }
    Picture(const Picture&) = delete;
    Picture& operator=(const Picture&) = delete;
    operator gui::GuiBitmap*() const { return bitmap_; }
    gui::GuiBitmap* operator->() const { return bitmap_; }

private:
    gui::GuiBitmap* bitmap_;
};

struct ControlTest : ::testing::Test {
    TestEffect* effect = new TestEffect;
    HarnessEditor* editor = new HarnessEditor(effect);
    SteppingClock clock;
    gui::GuiFrame* frame = new gui::GuiFrame({0, 0, 400, 300}, nullptr, editor);
    gui::ScriptedInput input;
    RecordingListener listener;

    ControlTest() {
        editor->setClock(&clock);
        editor->adopt(frame);
        frame->setInput(&input);
    }
    ~ControlTest() override {
        editor->setDragMode(0);
        delete effect;  // the editor, its frame and the views go with it
    }
    template <class View>
    View* add(View* view) {
        frame->appendChild(view);
        return view;
    }
    // A test picture; the caller hands it to a control and releases its own reference.
    static gui::GuiBitmap* picture(int id) { return new gui::GuiBitmap(gui_test::kPictures, id); }
    // Draws everything, so that nothing is dirty before the test acts.
    void settle() { frame->paint(nullptr); }
    // Runs the script from its first step as a click at its first position.
    void click() { frame->pointerPressed(input.current().where); }
    uint32_t pixel(int x, int y) const { return frame->surface().pixel(x, y); }
    std::vector<std::pair<VstInt32, VstInt32>> edits() const { return hostLog().edits; }
};

inline constexpr std::pair<VstInt32, VstInt32> beginOf(VstInt32 tag) { return {audioMasterBeginEdit, tag}; }
inline constexpr std::pair<VstInt32, VstInt32> endOf(VstInt32 tag) { return {audioMasterEndEdit, tag}; }

}  // namespace gui_test
