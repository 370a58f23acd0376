// Sliders: where the handle is drawn for a value in each orientation, how the
// pointer maps back to a value, free and handle-only clicks, the end of a drag, Shift,
// reset, wheel.
#include <cmath>

#include "gui/gui_slider.h"
#include "support/control_fixture.h"

namespace {

using gui_test::beginOf;
using gui_test::endOf;

constexpr uint32_t kHandleStripe = 0xC04020, kHandleFace = 0xD8CFA8, kTrack = 0x4A4538;

struct SliderTest : gui_test::ControlTest {
    gui_test::Picture track{9013};   // 24 × 120
    gui_test::Picture handle{9014};  // 20 × 10, white edge as the key
    // 24 × 120 at (200, 20); the handle travels 110 px from the top, 2 px in from the left
    gui::GuiSlider* vertical(int style) {
        auto* s = add(new gui::GuiVerticalSlider({200, 20, 224, 140}, &listener, 7, 20, 130, handle, track, {0, 0},
                                                 style));
        s->setThumbOffset({2, 0});
        settle();
        return s;
    }
    // the view row where the handle's stripe is drawn, −1 when none
    int stripeRow() const {
        for (int y = 20; y < 140; ++y)
            if (pixel(212, y) == kHandleStripe) return y;
        return -1;
    }
};

TEST_F(SliderTest, Style64PutsZeroAtTheBottomAndMapsThePointerTheSameWay) {
    gui::GuiSlider* slider = vertical(gui::kSliderMinBottom);
    EXPECT_EQ(slider->handleRect(), (gui::GuiRect{202, 130, 222, 140}));
    EXPECT_EQ(stripeRow(), 134);
    EXPECT_EQ(pixel(212, 131), kHandleFace);
    EXPECT_EQ(pixel(201, 135), kTrack);  // the key colour of the handle shows the track
    slider->setValue(1.0f);
    frame->repaintDirty();
    EXPECT_EQ(stripeRow(), 24);
    EXPECT_EQ(pixel(212, 135), track->pixels().pixel(12, 115));  // the old handle is gone

    // a free click centres the handle on the pointer
    input.press({212, 134}).release();
    click();
    EXPECT_FLOAT_EQ(slider->getValue(), 0.0f);
    input.clear();
    input.press({212, 79}).moveTo({212, 90}).hold(1).release();
    listener.changes.clear();
    click();
    EXPECT_FLOAT_EQ(listener.changes.front().value, 0.5f);
    EXPECT_FLOAT_EQ(slider->getValue(), 0.4f);
    EXPECT_EQ(edits(), (std::vector{beginOf(7), endOf(7), beginOf(7), endOf(7)}));
    frame->repaintDirty();
    EXPECT_EQ(stripeRow(), 20 + 66 + 4);  // 110 × 0.6, truncated
}

TEST_F(SliderTest, Style32AndHorizontalSlidersPutZeroAtTheTopAndLeft) {
    gui::GuiSlider* slider = vertical(gui::kSliderMinTop);
    EXPECT_EQ(stripeRow(), 24);
    input.press({212, 134}).release();
    click();
    EXPECT_FLOAT_EQ(slider->getValue(), 1.0f);

    auto* across = add(new gui::GuiHorizontalSlider({20, 200, 160, 210}, &listener, 1, 20, 140, handle, nullptr,
                                                    {0, 0}));
    across->setValue(0.25f);
    frame->repaintDirty();
    EXPECT_EQ(across->handleRect(), (gui::GuiRect{50, 200, 70, 210}));
    EXPECT_EQ(pixel(60, 204), kHandleStripe);
    EXPECT_EQ(pixel(30, 204), 0u);  // no background picture: black
    input.clear();
    input.press({29 + 60, 205}).release();  // centre at 90: (90 − 20 − 9) / 120
    click();
    EXPECT_NEAR(across->getValue(), 0.5f, 1e-6f);
}

// A value a host sent out of range, or not a number, puts the handle at an end.
TEST_F(SliderTest, ValuesBeyondTheRangeDrawTheHandleAtAnEnd) {
    gui::GuiSlider* slider = vertical(gui::kSliderMinBottom);
    for (float beyond : {1e30f, INFINITY}) {
        slider->setValue(beyond);
        frame->repaintDirty();
        EXPECT_EQ(stripeRow(), 24) << beyond;
    }
    for (float beyond : {-6.5e23f, -INFINITY, NAN}) {
        slider->setValue(beyond);
        frame->repaintDirty();
        EXPECT_EQ(stripeRow(), 134) << beyond;
    }
}

TEST_F(SliderTest, ShiftMakesTheDragTenTimesFinerFromWhereItWas) {
    gui::GuiSlider* slider = vertical(gui::kSliderMinBottom);
    input.press({212, 79}).hold(1).setModifiers(gui::kKeyShift).hold(1).moveTo({212, 24}).hold(1).release();
    click();
    EXPECT_NEAR(slider->getValue(), 0.55f, 1e-6f);  // half of the way up, a tenth of it
}

TEST_F(SliderTest, ADragLetGoRightAfterItsLastMoveEndsThere) {
    gui::GuiSlider* slider = vertical(gui::kSliderMinBottom);
    input.press({212, 79}).moveTo({212, 85}).moveTo({212, 90}).release();
    click();
    EXPECT_FLOAT_EQ(slider->getValue(), 0.4f);  // 11 px down from the middle of 110
}

TEST_F(SliderTest, WithoutFreeClickOnlyTheHandleCanBeGrabbed) {
    gui::GuiSlider* slider = vertical(gui::kSliderMinBottom);
    slider->setFreeClick(false);
    slider->setValue(0.5f);
    settle();
    const gui::GuiRect h = slider->handleRect();
    input.press({212, h.top - 20}).moveTo({212, 20}).release();
    click();
    EXPECT_FLOAT_EQ(slider->getValue(), 0.5f);
    EXPECT_TRUE(edits().empty());
    input.clear();
    input.press({212, h.top + 2}).moveTo({212, h.top + 2 - 11}).hold(1).release();  // grabbed, 11 px up
    click();
    EXPECT_NEAR(slider->getValue(), 0.6f, 1e-6f);
}

TEST_F(SliderTest, ControlClickResetsAndWheelAndKeysStep) {
    gui::GuiSlider* slider = vertical(gui::kSliderMinBottom);
    slider->setResetValue(0.3f);
    input.press({212, 50}, gui::kButtonLeft | gui::kKeyControl).release();
    click();
    EXPECT_FLOAT_EQ(slider->getValue(), 0.3f);
    EXPECT_TRUE(edits().empty());
    EXPECT_EQ(listener.values(), std::vector{0.3f});  // no call before the change
    input.clear();
    input.press({212, 50}, gui::kKeyShift);
    frame->wheelTurned(nullptr, {}, 1.0f);
    EXPECT_NEAR(slider->getValue(), 0.31f, 1e-6f);
    EXPECT_EQ(editor->keyPressed({0, VKEY_DOWN, 0}), 1);
    EXPECT_NEAR(slider->getValue(), 0.21f, 1e-6f);
    EXPECT_EQ(listener.changes.size(), 3u);
}

}  // namespace
