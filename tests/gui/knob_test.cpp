// The knob as a user drives it: linear and circular drags through the scripted
// pointer, Shift, control-click, wheel and keys, and what it draws.
#include <cmath>

#include "gui/gui_knob.h"
#include "support/control_fixture.h"

namespace {

using gui::GuiKnob;
using gui::GuiPoint;
using gui_test::beginOf;
using gui_test::endOf;

constexpr double kPi = 3.14159265358979323846;
constexpr int kTag = 3;

struct KnobTest : gui_test::ControlTest {
    GuiKnob* makeKnob(gui::GuiBitmap* handle = nullptr) {
        gui::GuiBitmap* face = picture(9010);
        auto* knob = add(new GuiKnob({100, 100, 148, 148}, &listener, kTag, face, handle, {0, 0}));
        face->release();
        settle();
        return knob;
    }
    // A point at an angle (degrees, counter-clockwise from 3 o'clock) and radius from the knob's centre.
    static GuiPoint at(double degrees, double radius) {
        const double a = degrees * kPi / 180.0;
        return {static_cast<int>(std::lround(124 + radius * std::cos(a))),
                static_cast<int>(std::lround(124 - radius * std::sin(a)))};
    }
};

TEST_F(KnobTest, LinearDragOf200PixelsCoversTheRangeAndShiftNeeds300) {
    editor->setDragMode(2);
    GuiKnob* knob = makeKnob();
    input.press({124, 124}).moveTo({224, 124}).moveTo({324, 124}).release();
    click();
    EXPECT_FLOAT_EQ(knob->getValue(), 1.0f);
    const std::vector<float> seen = listener.values();
    EXPECT_NE(std::find(seen.begin(), seen.end(), 0.5f), seen.end());
    EXPECT_EQ(edits(), (std::vector{beginOf(kTag), endOf(kTag)}));
    frame->repaintDirty();
    EXPECT_EQ(pixel(131, 131), gui::kWhite.pixel());  // the pointer drawn at the end of the travel

    knob->setValue(0.0f);
    input.clear();
    input.press({124, 124}, gui::kButtonLeft | gui::kKeyShift).moveTo({324, 124}).hold(1);
    input.moveTo({424, 124}).release();
    listener.changes.clear();
    click();
    ASSERT_GE(listener.changes.size(), 2u);
    bool sawTwoThirds = false;
    for (const auto& c : listener.changes) sawTwoThirds |= std::fabs(c.value - 2.0f / 3.0f) < 1e-5f;
    EXPECT_TRUE(sawTwoThirds);
    EXPECT_FLOAT_EQ(knob->getValue(), 1.0f);

    // up counts like right; left and down bring it back
    knob->setValue(0.0f);
    input.clear();
    input.press({124, 124}).moveTo({124, 24}).hold(1).moveTo({74, 24}).release();
    click();
    EXPECT_FLOAT_EQ(knob->getValue(), 0.25f);
}

TEST_F(KnobTest, PressingShiftMidDragGoesOnWithoutAJump) {
    editor->setDragMode(2);
    GuiKnob* knob = makeKnob();
    // 100 px at 1/200, Shift down, 1 px still at the old rate, then 30 px at 1/300
    input.press({124, 124}).moveTo({224, 124}).hold(1).setModifiers(gui::kKeyShift).hold(1);
    input.moveTo({225, 124}).hold(1).moveTo({255, 124}).release();
    click();
    float last = 0.0f;
    for (const auto& c : listener.changes) {
        EXPECT_LE(std::fabs(c.value - last), 0.5f + 1e-5f) << "jumped";
        EXPECT_LE(c.value, 0.605f + 1e-5f);
        last = c.value;
    }
    EXPECT_NEAR(knob->getValue(), 0.605f, 1e-5f);
}

TEST_F(KnobTest, CircularDragAcrossTheDeadZoneSticksAtTheEnd) {
    GuiKnob* knob = makeKnob();  // drag mode 0: circular
    input.press(at(-40, 20)).hold(1).moveTo(at(-80, 20)).moveTo(at(250, 20)).moveTo(at(180, 20)).release();
    click();
    ASSERT_FALSE(listener.changes.empty());
    for (const auto& c : listener.changes)
        if (c.value != 0.0f) {
            EXPECT_GT(c.value, 0.9f) << "jumped round to the start";
        }
    EXPECT_FLOAT_EQ(knob->getValue(), 1.0f);
    EXPECT_EQ(edits(), (std::vector{beginOf(kTag), endOf(kTag)}));

    // the click itself sets the value of the angle clicked; Alt gives a linear drag
    knob->setValue(0.0f);
    input.clear();
    input.press(at(90, 20)).release();
    click();
    EXPECT_NEAR(knob->getValue(), 0.5f, 0.01f);
    input.clear();
    input.press(at(90, 20), gui::kButtonLeft | gui::kKeyAlt).moveTo({144, 104}).release();
    click();
    EXPECT_NEAR(knob->getValue(), 0.6f, 0.011f);
}

TEST_F(KnobTest, ControlClickSetsTheDefaultWithoutBeginOrEndEdit) {
    GuiKnob* knob = makeKnob();
    knob->setValue(0.2f);
    knob->setResetValue(0.75f);
    settle();
    input.press({124, 124}, gui::kButtonLeft | gui::kKeyControl).release();
    click();
    EXPECT_FLOAT_EQ(knob->getValue(), 0.75f);
    EXPECT_TRUE(edits().empty());
    EXPECT_EQ(listener.values(), (std::vector{0.2f, 0.75f}));  // before and after the change
    // Control with another modifier is no reset: a drag
    input.clear();
    input.press({124, 124}, gui::kButtonLeft | gui::kKeyControl | gui::kKeyShift).release();
    click();
    EXPECT_EQ(edits().size(), 2u);
}

TEST_F(KnobTest, AnglesMapToValuesWithTheDeadZoneAtTheBottom) {
    GuiKnob* knob = makeKnob();
    const auto valueAt = [&](double degrees) {
        const GuiPoint p = at(degrees, 20);
        return knob->valueForPoint({p.h - 100, p.v - 100});
    };
    EXPECT_NEAR(valueAt(225), 0.0f, 0.01f);
    EXPECT_NEAR(valueAt(90), 0.5f, 0.01f);
    EXPECT_NEAR(valueAt(-45), 1.0f, 0.01f);
    EXPECT_NEAR(valueAt(180), 1.0f / 6.0f, 0.01f);
    EXPECT_FLOAT_EQ(valueAt(255), 0.0f);  // dead zone, start side
    EXPECT_FLOAT_EQ(valueAt(285), 1.0f);  // dead zone, end side
    for (float v : {0.0f, 0.3f, 1.0f}) {
        knob->setValue(v);
        const double a = 225.0 * kPi / 180.0 - v * 1.5 * kPi;  // 225° turning clockwise through 270°
        const GuiPoint p = knob->pointForValue();
        EXPECT_EQ(p.h, static_cast<int>(24 + std::cos(a) * 21 + 0.5)) << v;
        EXPECT_EQ(p.v, static_cast<int>(24 - std::sin(a) * 21 + 0.5)) << v;
    }
    // a range of 0..10 keeps the angles
    knob->setMax(10.0f);
    EXPECT_NEAR(valueAt(90), 5.0f, 0.05f);
    knob->setValue(5.0f);
    EXPECT_EQ(knob->pointForValue(), (GuiPoint{24, 3}));
}

TEST_F(KnobTest, WheelAndArrowKeysStepByTheIncrementAndATenthWithShift) {
    GuiKnob* knob = makeKnob();
    input.press({124, 124}, 0);  // the pointer rests over the knob, no button
    EXPECT_TRUE(frame->wheelTurned(nullptr, {}, 2.0f));
    EXPECT_NEAR(knob->getValue(), 0.2f, 1e-6f);
    EXPECT_EQ(listener.changes.size(), 2u);  // before and after
    EXPECT_EQ(editor->keyPressed({0, VKEY_UP, 0}), 1);
    EXPECT_EQ(editor->keyPressed({0, VKEY_LEFT, MODIFIER_SHIFT}), 1);
    EXPECT_NEAR(knob->getValue(), 0.29f, 1e-6f);
    EXPECT_FALSE(listener.changes.back().withCanvas);  // keys come without a canvas
    EXPECT_EQ(editor->keyPressed({'a', 0, 0}), -1);
    for (int i = 0; i < 20; ++i) editor->keyPressed({0, VKEY_RIGHT, 0});
    EXPECT_FLOAT_EQ(knob->getValue(), 1.0f);
    knob->setClickable(false);
    EXPECT_EQ(editor->keyPressed({0, VKEY_DOWN, 0}), -1);
    EXPECT_FALSE(frame->wheelTurned(nullptr, {}, -1.0f));
    EXPECT_FLOAT_EQ(knob->getValue(), 1.0f);
}

TEST_F(KnobTest, DrawsAShadowedPointerLineOrAKeyedHandle) {
    GuiKnob* knob = makeKnob();
    knob->setValue(0.5f);  // straight up
    frame->repaintDirty();
    EXPECT_EQ(pixel(124, 110), gui::kWhite.pixel());
    EXPECT_EQ(pixel(123, 110), gui::kGrey.pixel());
    EXPECT_EQ(pixel(125, 110), gui::kGrey.pixel());
    const gui::Surface& face = knob->getPicture()->pixels();
    EXPECT_EQ(pixel(120, 110), face.pixel(20, 10));  // the face beside it

    gui::GuiBitmap* handle = picture(9001);  // 8 × 4: red, white (the key) with one blue pixel
    knob->setPointerPicture(handle);
    handle->release();
    frame->repaintDirty();
    // inset 6: the handle centred 6 px inside the rim at the top
    EXPECT_EQ(pixel(120, 104), gui::kRed.pixel());
    EXPECT_EQ(pixel(125, 105), gui::kBlue.pixel());
    EXPECT_EQ(pixel(126, 104), face.pixel(26, 4));  // white of the handle is see-through
}

}  // namespace
