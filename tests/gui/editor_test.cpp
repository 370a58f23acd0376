// The editor base as the dispatcher drives it: attach, open and close, idle with
// refresh and redraw, and the throttled idle that tracking loops pump.
#include <gtest/gtest.h>

#include <algorithm>
#include <thread>

#include "gui/editor_base.h"
#include "gui/gui_frame.h"
#include "gui/idle_clock.h"
#include "gui/platform/null_window.h"
#include "gui/scripted_input.h"
#include "support/test_effect.h"
#include "support/test_views.h"

namespace {

using gui::GuiPoint;
using gui_test::RecordingView;
using gui_test::TrackingView;

class FakeClock : public gui::IdleClock {
public:
    uint64_t nowMs() override { return now; }
    void sleepMs(int ms) override {
        sleeps.push_back(ms);
        now += static_cast<uint64_t>(ms);
    }
    uint64_t now = 1000;
    std::vector<int> sleeps;
};

// An editor with one view, the shape a plug-in's editor has.
class TestEditor : public gui::EditorBase {
public:
    explicit TestEditor(frame::EffectBase* effect) : EditorBase(effect) { rect_ = {0, 0, 80, 120}; }
    VstIntPtr openView(void* parent) override {
        EditorBase::openView(parent);
        auto* frame = new gui::GuiFrame({0, 0, 120, 80}, parent, this);
        view = new TrackingView({10, 10, 50, 50});
        frame->appendChild(view);
        setFrame(frame);
        return 1;
    }
    void refreshFromEffect() override { ++refreshes; }
    TrackingView* view = nullptr;
    int refreshes = 0;
};

int kParent;

struct EditorTest : ::testing::Test {
    gui_test::TestEffect* effect = new gui_test::TestEffect;
    TestEditor* editor = new TestEditor(effect);
    FakeClock clock;
    EditorTest() { editor->setClock(&clock); }
    ~EditorTest() override {
        delete effect;  // takes the editor with it
        EXPECT_EQ(gui_test::liveViews(), 0);
        EXPECT_EQ(gui::platform::openWindowCount(), 0);
    }
    VstIntPtr dispatch(VstInt32 opcode, void* ptr = nullptr) { return effect->dispatch(opcode, 0, 0, ptr, 0.0f); }
};

TEST_F(EditorTest, AttachesToTheEffectAndReportsItsRect) {
    EXPECT_EQ(effect->editor(), editor);
    EXPECT_TRUE(effect->record()->flags & effFlagsHasEditor);
    ERect* rect = nullptr;
    EXPECT_EQ(dispatch(effEditGetRect, &rect), 1);
    ASSERT_NE(rect, nullptr);
    EXPECT_EQ(rect->right, 120);
    EXPECT_EQ(rect->bottom, 80);
}

TEST_F(EditorTest, OpenIdleAndCloseThroughTheDispatcher) {
    EXPECT_EQ(dispatch(effEditIdle), 0);  // nothing open yet
    dispatch(effEditOpen, &kParent);
    ASSERT_NE(editor->frame(), nullptr);
    EXPECT_EQ(editor->parentWindow(), &kParent);
    EXPECT_EQ(gui_test::liveViews(), 1);
    // the first idle refreshes from the effect; the frame waits for its first paint
    EXPECT_EQ(dispatch(effEditIdle), 0);
    EXPECT_EQ(editor->refreshes, 1);
    gui::platform::postEvent(editor->frame()->nativeWindow(),
                             {gui::platform::Event::Type::expose, {}, 0, {0, 0, 120, 80}});
    dispatch(effEditIdle);
    EXPECT_EQ(editor->view->paints, 1);
    EXPECT_EQ(editor->refreshes, 1);
    // a host parameter change posts a refresh for the next idle only
    editor->parameterChanged(0, 0.5f);
    EXPECT_EQ(editor->refreshes, 1);
    editor->view->setNeedsPaint(true);
    EXPECT_EQ(dispatch(effEditIdle), 1);
    EXPECT_EQ(editor->refreshes, 2);
    EXPECT_EQ(editor->view->paints, 2);
    dispatch(effEditClose);
    EXPECT_EQ(editor->frame(), nullptr);
    EXPECT_EQ(gui_test::liveViews(), 0);
}

// Automation from the host's audio thread while the editor idles on its own: under the
// thread sanitizer an unsynchronised access fails this.
TEST_F(EditorTest, ParameterChangesFromTheAudioThreadReachTheNextIdle) {
    dispatch(effEditOpen, &kParent);
    std::thread audio([this] {
        for (int i = 0; i < 20000; ++i) editor->parameterChanged(0, 0.5f);
    });
    for (int i = 0; i < 2000; ++i) editor->onHostIdle();
    audio.join();
    editor->onHostIdle();
    EXPECT_GT(editor->refreshes, 0);
    EXPECT_FALSE(editor->isUpdatePending());
    dispatch(effEditClose);
}

TEST_F(EditorTest, OpeningAgainClosesTheEarlierFrame) {
    dispatch(effEditOpen, &kParent);
    dispatch(effEditOpen, &kParent);
    EXPECT_EQ(gui_test::liveViews(), 1);
    EXPECT_EQ(gui::platform::openWindowCount(), 1);
}

TEST_F(EditorTest, KeysAndDragModeGoWhereTheyBelong) {
    EXPECT_EQ(effect->dispatch(effEditKeyDown, 'a', 0, nullptr, 0.0f), -1);  // no frame
    dispatch(effEditOpen, &kParent);
    editor->view->keyAnswer = 1;
    EXPECT_EQ(effect->dispatch(effEditKeyDown, 'a', 0, nullptr, 0.0f), 1);
    EXPECT_EQ(editor->view->keys.back(), 'a');
    EXPECT_EQ(effect->dispatch(effSetEditKnobMode, 0, 2, nullptr, 0.0f), 1);
    EXPECT_EQ(gui::EditorBase::dragMode(), 2);
    effect->dispatch(effSetEditKnobMode, 0, 0, nullptr, 0.0f);
}

TEST_F(EditorTest, PumpIdleInATightLoopRunsAboutEvery50Ms) {
    std::vector<uint64_t> runs;
    gui_test::hostLog().onIdle = [&] { runs.push_back(clock.now); };
    // a tracking loop doing 1 ms of work per pass for two simulated seconds
    const uint64_t end = clock.now + 2000;
    int calls = 0;
    while (clock.now < end) {
        editor->pumpIdle();
        clock.now += 1;
        ++calls;
    }
    ASSERT_GE(runs.size(), 30u);
    EXPECT_LE(runs.size(), 41u);
    for (size_t i = 1; i < runs.size(); ++i) {
        EXPECT_GE(runs[i] - runs[i - 1], 50u) << i;
        EXPECT_LE(runs[i] - runs[i - 1], 56u) << i;
    }
    // every call before the next idle time sleeps 4 ms: all but the very first
    EXPECT_EQ(clock.sleeps.size(), static_cast<size_t>(calls) - 1);
    EXPECT_TRUE(std::all_of(clock.sleeps.begin(), clock.sleeps.end(), [](int ms) { return ms == 4; }));
}

TEST_F(EditorTest, PumpIdleSurvivesClockValuesNearZeroAndLargeJumps) {
    clock.now = 0;
    editor->setClock(&clock);
    editor->pumpIdle();
    EXPECT_EQ(gui_test::hostLog().idleCalls, 1);
    clock.now = 0xFFFFFFF0ull;  // where a 32-bit tick count would wrap
    editor->pumpIdle();
    clock.now += 40;
    editor->pumpIdle();
    EXPECT_EQ(gui_test::hostLog().idleCalls, 2);
    clock.now += 60;
    editor->pumpIdle();
    EXPECT_EQ(gui_test::hostLog().idleCalls, 3);
}

TEST_F(EditorTest, HostIdleInsidePumpIdleDoesNotRecurse) {
    dispatch(effEditOpen, &kParent);
    editor->frame()->paint(nullptr);
    VstIntPtr inner = -1;
    gui_test::hostLog().onIdle = [&] {
        editor->view->setNeedsPaint(true);
        inner = dispatch(effEditIdle);
    };
    editor->pumpIdle();
    EXPECT_EQ(inner, 0);
    EXPECT_EQ(editor->view->paints, 1);
}

TEST_F(EditorTest, TrackingLoopFollowsTheScriptAndRedrawsOnIdle) {
    dispatch(effEditOpen, &kParent);
    gui::GuiFrame* frame = editor->frame();
    frame->paint(nullptr);
    gui::ScriptedInput input;
    input.press({20, 20}).moveTo({25, 20}).hold(2).moveTo({30, 22}).setModifiers(gui::kKeyShift).release();
    frame->setInput(&input);
    editor->view->onPass = [&](int) { clock.now += 30; };  // each pass takes 30 ms
    frame->pointerPressed({20, 20});
    const std::vector<GuiPoint> expected{{20, 20}, {25, 20}, {30, 22}};
    EXPECT_EQ(editor->view->track, expected);
    EXPECT_TRUE(input.finished() || input.current().buttons == gui::kKeyShift);
    EXPECT_GE(gui_test::hostLog().idleCalls, 2);  // the host kept running
    EXPECT_GE(editor->view->paints, 2);           // and the view was redrawn while tracking
}

TEST_F(EditorTest, ScriptWithoutReleaseStillEndsTheLoop) {
    dispatch(effEditOpen, &kParent);
    gui::ScriptedInput input;
    input.press({20, 20}).moveTo({40, 40});
    editor->frame()->setInput(&input);
    editor->frame()->pointerPressed({20, 20});
    EXPECT_EQ(editor->view->track.size(), 2u);
    EXPECT_TRUE(input.finished());
    EXPECT_EQ(input.current().buttons, 0);
}

}  // namespace
