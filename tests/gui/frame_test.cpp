// The frame without a native window and over the headless window: dispatch,
// modal and focus views, the drawing passes and what reaches the screen.
#include <gtest/gtest.h>

#include "gui/gui_canvas.h"
#include "gui/gui_frame.h"
#include "gui/platform/null_window.h"
#include "gui/scripted_input.h"
#include "support/test_views.h"

namespace {

using gui::GuiPoint;
using gui::GuiRect;
using gui_test::RecordingView;
namespace platform = gui::platform;

int kParent;  // stands for the host's window

struct FrameTest : ::testing::Test {
    gui::GuiFrame* frame = new gui::GuiFrame({0, 0, 100, 80}, &kParent, nullptr);
    gui::ScriptedInput input;
    FrameTest() { frame->setInput(&input); }
    ~FrameTest() override {
        if (frame) frame->release();
        EXPECT_EQ(gui_test::liveViews(), 0);
    }
    RecordingView* add(const GuiRect& r, gui::GuiColour c = gui::kRed) {
        auto* v = new RecordingView(r, c);
        EXPECT_TRUE(frame->appendChild(v));
        return v;
    }
    void click(GuiPoint p, int buttons = gui::kButtonLeft) {
        input.clear();
        input.press(p, buttons).release();
        frame->pointerPressed(p);
    }
    const std::vector<GuiRect>& presented() const { return platform::presented(frame->nativeWindow()); }
};

TEST_F(FrameTest, OpensAHeadlessWindowInTheParent) {
    ASSERT_TRUE(frame->hasNativeWindow());
    EXPECT_EQ(frame->windowStatus(), platform::Status::ok);
    EXPECT_EQ(platform::parentOf(frame->nativeWindow()), &kParent);
    EXPECT_EQ(platform::openWindowCount(), 1);
    EXPECT_TRUE(frame->isWindowOpen());
    EXPECT_TRUE(frame->isFirstDrawPending());
}

TEST_F(FrameTest, ClickGoesToTheLastAddedOfOverlappingViews) {
    RecordingView* first = add({10, 10, 50, 50});
    RecordingView* second = add({30, 30, 70, 70});
    RecordingView* apart = add({80, 0, 90, 10});
    click({40, 40});
    EXPECT_TRUE(first->presses.empty());
    ASSERT_EQ(second->presses.size(), 1u);
    EXPECT_EQ(second->presses[0], (GuiPoint{40, 40}));
    EXPECT_EQ(second->buttonsSeen[0], gui::kButtonLeft);  // the live state, read by the view
    // edges are inclusive
    click({10, 10});
    click({50, 50});
    EXPECT_EQ(first->presses.size(), 1u);
    EXPECT_EQ(second->presses.size(), 2u);
    // a view that is not clickable lets the click through to the one below
    second->setClickable(false);
    click({40, 40});
    EXPECT_EQ(first->presses.size(), 2u);
    click({75, 75});
    EXPECT_TRUE(apart->presses.empty());
}

TEST_F(FrameTest, ModalViewAloneGetsClicksAndOnlyWhenHit) {
    RecordingView* below = add({0, 0, 100, 80});
    auto* modal = new RecordingView({20, 20, 40, 40});
    ASSERT_TRUE(frame->setModal(modal));
    auto* other = new RecordingView({0, 0, 5, 5});
    EXPECT_FALSE(frame->setModal(other));  // one at a time
    click({10, 10});
    click({30, 30});
    EXPECT_TRUE(below->presses.empty());
    EXPECT_EQ(modal->presses.size(), 1u);
    EXPECT_EQ(frame->childUnderCursor(), modal);
    ASSERT_TRUE(frame->setModal(nullptr));
    click({10, 10});
    EXPECT_EQ(below->presses.size(), 1u);
    modal->release();
    other->release();
}

TEST_F(FrameTest, KeysGoToFocusThenModalThenChildrenFromTheLast) {
    RecordingView* a = add({0, 0, 10, 10});
    RecordingView* b = add({0, 0, 10, 10});
    const VstKeyCode key{'x', 0, 0};
    EXPECT_EQ(frame->keyPressed(key), -1);
    a->keyAnswer = 1;
    EXPECT_EQ(frame->keyPressed(key), 1);
    b->keyAnswer = 2;
    EXPECT_EQ(frame->keyPressed(key), 2);
    frame->setFocused(a);
    EXPECT_EQ(frame->keyPressed(key), 1);
    // a click takes the focus away
    click({50, 50});
    EXPECT_EQ(frame->focusView(), nullptr);
    EXPECT_EQ(a->focusDrops, 1);
}

TEST_F(FrameTest, RemovingTheFocusOrModalViewForgetsIt) {
    RecordingView* a = add({0, 0, 10, 10});
    RecordingView* b = add({0, 0, 10, 10});
    frame->setFocused(a);
    ASSERT_TRUE(frame->setModal(b));
    a->retain();
    EXPECT_TRUE(frame->removeChild(a, true));
    EXPECT_EQ(a->refCount(), 1);
    EXPECT_EQ(frame->focusView(), nullptr);
    EXPECT_TRUE(frame->removeChild(b));
    EXPECT_EQ(frame->modalView(), nullptr);
    auto* stranger = new RecordingView({0, 0, 1, 1});
    EXPECT_FALSE(frame->removeChild(stranger));
    stranger->release();
    click({5, 5});  // nothing left to reach, nothing dangling
    a->release();
    EXPECT_EQ(frame->childCount(), 0);
    EXPECT_EQ(frame->childAt(0), nullptr);
}

TEST_F(FrameTest, RepaintDirtyDrawsNothingBeforeTheFirstFullPaint) {
    RecordingView* a = add({10, 10, 20, 20});
    RecordingView* b = add({30, 10, 40, 20}, gui::kBlue);
    a->setNeedsPaint(true);
    EXPECT_FALSE(frame->repaintDirty());
    EXPECT_EQ(a->paints, 0);
    EXPECT_TRUE(presented().empty());

    frame->paint(nullptr);
    EXPECT_FALSE(frame->isFirstDrawPending());
    EXPECT_EQ(a->paints, 1);
    EXPECT_EQ(b->paints, 1);
    ASSERT_EQ(presented().size(), 1u);
    EXPECT_EQ(presented()[0], (GuiRect{0, 0, 100, 80}));

    // only the dirty view is drawn, and only its pixels go to the screen
    platform::clearPresented(frame->nativeWindow());
    b->setNeedsPaint(true);
    EXPECT_TRUE(frame->repaintDirty());
    EXPECT_EQ(a->paints, 1);
    EXPECT_EQ(b->paints, 2);
    ASSERT_EQ(presented().size(), 1u);
    EXPECT_EQ(presented()[0], (GuiRect{30, 10, 40, 20}));
    EXPECT_EQ(platform::screen(frame->nativeWindow()).pixel(35, 15), gui::kBlue.pixel());

    // nothing dirty: no drawing, no pixels sent
    platform::clearPresented(frame->nativeWindow());
    EXPECT_FALSE(frame->repaintDirty());
    EXPECT_TRUE(presented().empty());
    EXPECT_EQ(b->paints, 2);
}

TEST_F(FrameTest, ExposeDrawsTheAreaAndEndsFirstDrawPending) {
    RecordingView* inside = add({10, 10, 20, 20});
    RecordingView* outside = add({60, 60, 70, 70});
    platform::postEvent(frame->nativeWindow(), {platform::Event::Type::expose, {}, 0, {0, 0, 30, 30}});
    platform::postEvent(frame->nativeWindow(), {platform::Event::Type::expose, {}, 0, {5, 5, 40, 25}});
    EXPECT_EQ(frame->processEvents(), platform::Status::ok);
    EXPECT_FALSE(frame->isFirstDrawPending());
    EXPECT_EQ(inside->paints, 1);  // two exposes merged into one pass
    EXPECT_EQ(outside->paints, 0);
    ASSERT_EQ(presented().size(), 1u);
    EXPECT_EQ(presented()[0], (GuiRect{0, 0, 40, 30}));
    EXPECT_EQ(platform::screen(frame->nativeWindow()).pixel(15, 15), gui::kRed.pixel());
}

TEST_F(FrameTest, PressFromTheWindowReachesTheViewWithTheLivePointer) {
    frame->setInput(nullptr);
    RecordingView* v = add({10, 10, 20, 20});
    platform::setPointer(frame->nativeWindow(), {{12, 13}, gui::kButtonLeft | gui::kKeyShift});
    platform::postEvent(frame->nativeWindow(), {platform::Event::Type::pointerDown, {12, 13}, gui::kButtonLeft, {}});
    frame->processEvents();
    ASSERT_EQ(v->presses.size(), 1u);
    EXPECT_EQ(v->buttonsSeen[0], gui::kButtonLeft | gui::kKeyShift);
    EXPECT_EQ(v->cursorsSeen[0], (GuiPoint{12, 13}));
}

TEST_F(FrameTest, NestedEventPollingIsRefused) {
    RecordingView* v = add({0, 0, 50, 50});
    platform::Status nested = platform::Status::ok;
    v->onPress = [&](gui::GuiCanvas*) { nested = frame->processEvents(); };
    platform::postEvent(frame->nativeWindow(), {platform::Event::Type::pointerDown, {5, 5}, 1, {}});
    platform::postEvent(frame->nativeWindow(), {platform::Event::Type::pointerDown, {6, 6}, 1, {}});
    frame->processEvents();
    EXPECT_EQ(nested, platform::Status::nested);
    EXPECT_EQ(v->presses.size(), 2u);  // one after the other, not inside each other
}

TEST_F(FrameTest, HostDestroyingTheWindowStopsAllDrawing) {
    RecordingView* v = add({0, 0, 10, 10});
    frame->paint(nullptr);
    platform::destroyFromHost(frame->nativeWindow());
    EXPECT_FALSE(frame->isWindowOpen());
    EXPECT_EQ(frame->parentWindow(), nullptr);
    v->setNeedsPaint(true);
    EXPECT_FALSE(frame->repaintDirty());
    EXPECT_EQ(v->paints, 1);
}

TEST_F(FrameTest, ClosingReleasesEveryChildAndTheWindow) {
    add({0, 0, 10, 10});
    RecordingView* kept = add({0, 0, 10, 10});
    add({0, 0, 10, 10});
    kept->retain();  // someone else still holds this one
    EXPECT_EQ(gui_test::liveViews(), 3);
    frame->release();
    frame = nullptr;
    EXPECT_EQ(gui_test::liveViews(), 1);
    EXPECT_EQ(platform::openWindowCount(), 0);
    EXPECT_EQ(kept->refCount(), 1);
    kept->release();
}

TEST_F(FrameTest, ManyChildrenGrowTheArray) {
    for (int i = 0; i < 45; ++i) add({i, 0, i + 1, 1});
    EXPECT_EQ(frame->childCount(), 45);
    EXPECT_NE(frame->childAt(44), nullptr);
    EXPECT_EQ(frame->childAt(45), nullptr);
    EXPECT_EQ(frame->childAt(-1), nullptr);
    EXPECT_FALSE(frame->appendChild(nullptr));
}

TEST(FrameWithoutWindow, DrawsIntoItsSurface) {
    auto* frame = new gui::GuiFrame({0, 0, 20, 20}, nullptr, nullptr);
    EXPECT_FALSE(frame->hasNativeWindow());
    auto* v = new RecordingView({5, 5, 10, 10}, gui::kGreen);
    frame->appendChild(v);
    frame->paint(nullptr);
    EXPECT_EQ(frame->surface().pixel(7, 7), gui::kGreen.pixel());
    EXPECT_NE(frame->surface().pixel(2, 2), gui::kGreen.pixel());
    v->setNeedsPaint(true);
    EXPECT_TRUE(frame->repaintDirty());
    EXPECT_TRUE(frame->damage().isEmpty());
    frame->release();
}

}  // namespace
