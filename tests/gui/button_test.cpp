// Buttons and switches: the latching and momentary buttons, the rocker that springs
// back, and the cycle button, clicked through the scripted pointer.
#include <cmath>

#include "gui/gui_cycle_button.h"
#include "gui/gui_kick_button.h"
#include "gui/gui_on_off_button.h"
#include "gui/gui_rocker_switch.h"
#include "support/control_fixture.h"

namespace {

using gui_test::beginOf;
using gui_test::endOf;

constexpr uint32_t kOffImage = 0x402020, kOnImage = 0x20C040;         // 9011, upper and lower half
constexpr uint32_t kFirst = 0xC03030, kMiddle = 0x808080, kLast = 0x3050C0;  // 9012, three images

struct ButtonTest : gui_test::ControlTest {
    gui_test::Picture twoState{9011};
    gui_test::Picture threeState{9012};
};

TEST_F(ButtonTest, OnOffButtonFlipsAtOnceAndShowsTheMatchingHalf) {
    auto* button = add(new gui::GuiOnOffButton({10, 10, 40, 30}, &listener, 2, twoState));
    settle();
    EXPECT_EQ(pixel(15, 15), kOffImage);
    input.press({20, 20}).hold(3).release();
    click();
    EXPECT_FLOAT_EQ(button->getValue(), 1.0f);
    EXPECT_EQ(listener.values(), std::vector{1.0f});
    EXPECT_TRUE(edits().empty());  // a switch, not a drag
    frame->repaintDirty();
    EXPECT_EQ(pixel(15, 12), kOnImage);
    button->setValue(2.5f);  // any value with a non-zero integer part counts as on
    input.rewind();
    click();
    EXPECT_FLOAT_EQ(button->getValue(), 0.0f);
    button->setClickable(false);
    input.rewind();
    click();
    EXPECT_FLOAT_EQ(button->getValue(), 0.0f);
    // values no int holds (a host's out-of-range parameter) count as on, not as undefined
    button->setClickable(true);
    for (float beyond : {1e30f, -INFINITY, NAN}) {
        button->setValue(beyond);
        input.rewind();
        click();
        EXPECT_FLOAT_EQ(button->getValue(), 0.0f) << beyond;
    }
}

TEST_F(ButtonTest, KickButtonIsPressedOnlyWhileThePointerIsOverIt) {
    auto* kick = add(new gui::GuiKickButton({50, 10, 80, 30}, &listener, 4, 20, twoState, {0, 0}));
    settle();
    bool drawnPressed = false;
    gui_test::hostLog().onIdle = [&] { drawnPressed |= pixel(55, 12) == kOnImage; };
    input.press({60, 20}).hold(1).moveTo({150, 150}).hold(1).moveTo({80, 30}).hold(1).release();
    click();
    EXPECT_TRUE(drawnPressed);
    const std::vector<float> seen = listener.values();
    ASSERT_GE(seen.size(), 4u);
    EXPECT_EQ(std::vector(seen.begin(), seen.begin() + 3), (std::vector{1.0f, 0.0f, 1.0f}));  // right edge counts
    EXPECT_FLOAT_EQ(seen.back(), 0.0f);
    EXPECT_FLOAT_EQ(kick->getValue(), 0.0f);
    EXPECT_EQ(edits(), (std::vector{beginOf(4), endOf(4)}));

    // with a modifier: once on, then off, no drag
    listener.changes.clear();
    input.clear();
    input.press({60, 20}, gui::kButtonLeft | gui::kKeyShift).release();
    click();
    EXPECT_EQ(listener.values(), (std::vector{1.0f, 0.0f}));
    EXPECT_EQ(edits().size(), 2u);
}

TEST_F(ButtonTest, RockerFollowsTheHalvesAndSpringsBack) {
    auto* rocker = add(new gui::GuiRockerSwitch({100, 10, 130, 50}, &listener, 5, 20, threeState, {0, 0}, 0));
    settle();
    EXPECT_EQ(pixel(105, 15), kMiddle);
    input.press({110, 15}).hold(1).moveTo({110, 45}).hold(1).moveTo({200, 45}).hold(1).release();
    click();
    const std::vector<float> seen = listener.values();
    ASSERT_EQ(seen.size(), 4u);
    EXPECT_EQ(seen, (std::vector{-1.0f, 1.0f, 0.0f, 0.0f}));  // top, bottom, outside, released
    EXPECT_EQ(edits(), (std::vector{beginOf(5), endOf(5)}));
    EXPECT_FLOAT_EQ(rocker->getValue(), 0.0f);

    // it holds on while a key is down after the button came up, and lets go with the key
    listener.changes.clear();
    input.clear();
    input.press({110, 45}, gui::kButtonLeft | gui::kKeyShift).release().hold(2);
    click();
    EXPECT_EQ(listener.values(), (std::vector{1.0f, 0.0f}));
    EXPECT_FLOAT_EQ(rocker->getValue(), 0.0f);

    rocker->setValue(1.0f);
    frame->repaintDirty();
    EXPECT_EQ(pixel(105, 15), kLast);
    rocker->setValue(-1.0f);
    frame->repaintDirty();
    EXPECT_EQ(pixel(105, 15), kFirst);
}

TEST_F(ButtonTest, RockerWheelStepNotifiesTwiceAndReturnsToZero) {
    auto* rocker = add(new gui::GuiRockerSwitch({100, 10, 130, 50}, &listener, 5, 20, threeState, {0, 0}, 0));
    settle();
    input.press({110, 20}, 0);
    EXPECT_TRUE(frame->wheelTurned(nullptr, {}, 1.0f));
    EXPECT_EQ(listener.values(), (std::vector{-1.0f, 0.0f}));
    EXPECT_FLOAT_EQ(rocker->getValue(), 0.0f);
    listener.changes.clear();
    frame->wheelTurned(nullptr, {}, -3.0f);
    EXPECT_EQ(listener.values(), (std::vector{1.0f, 0.0f}));
    EXPECT_TRUE(edits().empty());
}

TEST_F(ButtonTest, HorizontalRockerSplitsLeftAndRight) {
    add(new gui::GuiRockerSwitch({100, 10, 140, 30}, &listener, 5, 20, threeState, {0, 0}, gui::kRockerHorizontal));
    settle();
    input.press({105, 28}).hold(1).moveTo({135, 12}).hold(1).release();
    click();
    EXPECT_EQ(listener.values(), (std::vector{-1.0f, 1.0f, 0.0f}));
}

TEST_F(ButtonTest, CycleButtonWrapsAndNotifiesTheOldAndTheNewState) {
    auto* cycle = add(new gui::GuiCycleButton({150, 10, 180, 30}, &listener, 6, threeState, 3));
    cycle->setValue(2.0f);
    settle();
    EXPECT_EQ(pixel(155, 15), kLast);
    input.press({160, 20}).release();
    click();
    EXPECT_FLOAT_EQ(cycle->getValue(), 0.0f);
    EXPECT_EQ(listener.values(), (std::vector{2.0f, 0.0f}));
    EXPECT_EQ(pixel(155, 15), kFirst);  // drawn at once, before any idle
    EXPECT_TRUE(edits().empty());
    for (float expected : {1.0f, 2.0f, 0.0f}) {
        input.rewind();
        click();
        EXPECT_FLOAT_EQ(cycle->getValue(), expected);
    }
    EXPECT_EQ(pixel(155, 15), kFirst);
    cycle->setValue(1.9f);  // between two states: the whole image of state 1
    settle();
    EXPECT_EQ(pixel(155, 11), kMiddle);
    EXPECT_EQ(pixel(155, 28), kMiddle);
    cycle->setValue(7.0f);  // out of range: the next click starts again at 0
    input.rewind();
    click();
    EXPECT_FLOAT_EQ(cycle->getValue(), 0.0f);
    cycle->setTransparent(true);  // never keyed, whatever the view says
    cycle->setValue(1.0f);
    frame->repaintDirty();
    EXPECT_EQ(pixel(155, 15), kMiddle);
}

}  // namespace
