// The maker's meters and indicators, and the splash and about screens: needle
// angles by pixels, setter limits, lamp thresholds, the swing meter's rise, and
// the modal opening and closing of the splash.
#include <cmath>

#include "gui/gui_about_splash.h"
#include "gui/gui_lamp.h"
#include "gui/gui_needle_meter.h"
#include "gui/gui_needle_scale.h"
#include "gui/gui_splash.h"
#include "gui/gui_swing_meter.h"
#include "gui/gui_twin_needle_meter.h"
#include "support/control_fixture.h"

namespace {

using gui::GuiPoint;
using gui::GuiRect;

constexpr double kPi = 3.14159265358979323846;
constexpr uint32_t kNeedle1 = 0x505050, kNeedle4 = 0xDC5050, kUnlit = 0x402020, kLit = 0x20C040;

// Where the log dial points, written out: p = log10(v) / 1.9 + 1 within −0.043..1.043.
double dialAngle(double v) {
    const double p = std::clamp(std::log10(std::max(v, 1e-8)) / 1.9 + 1.0, -0.043, 1.043);
    return 3.0 * kPi / 4.0 - p * kPi / 2.0;
}

struct MeterTest : gui_test::ControlTest {
    gui_test::Picture face{9016};  // 120 × 70
    gui_test::Picture lamp{9011};  // 30 × 40: two images of 20
    static constexpr GuiPoint kPivot{160, 170};
    // A point on the needle at radius r, the way the meter truncates it.
    static GuiPoint along(double angle, double r) {
        return {static_cast<int>(kPivot.h + r * std::cos(angle)), static_cast<int>(kPivot.v - r * std::sin(angle))};
    }
};

TEST_F(MeterTest, NeedleAnglesAtZeroOneAndTen) {
    EXPECT_NEAR(gui::logNeedleAngle(1.0f), kPi / 4, 1e-6);
    EXPECT_NEAR(gui::logNeedleAngle(10.0f), 3 * kPi / 4 - 1.043 * kPi / 2, 1e-6);  // just past full scale
    EXPECT_NEAR(gui::logNeedleAngle(0.0f), 3 * kPi / 4 + 0.043 * kPi / 2, 1e-6);   // just before the left end
    EXPECT_NEAR(gui::logNeedleAngle(std::pow(10.0f, -1.9f)), 3 * kPi / 4, 1e-5);

    auto* meter = add(new gui::GuiNeedleMeter({100, 110, 100, 110}, face, {230, 110}, lamp, kPivot.h, kPivot.v,
                                              10.0f, 55.0f));
    meter->setNeedle3(0.1f);  // the short needle out of the way, near the top
    for (float v : {0.0f, 1.0f, 10.0f}) {
        meter->setNeedle1(v);
        meter->setNeedle4(1e-9f);  // drawn first, under needle 1
        settle();
        const double a = dialAngle(v);
        for (double r : {20.0, 35.0, 50.0}) {
            const GuiPoint p = along(a, r);
            const bool onNeedle = pixel(p.h, p.v) == kNeedle1 || pixel(p.h + 1, p.v) == kNeedle1 ||
                                  pixel(p.h - 1, p.v) == kNeedle1;
            EXPECT_TRUE(onNeedle) << "value " << v << " radius " << r;
        }
    }
    EXPECT_EQ(pixel(101, 111), face->pixels().pixel(1, 1));  // the face at the origin's top-left
}

TEST_F(MeterTest, SettersLimitTheirValuesAndNeedle2DrivesTheLamp) {
    auto* meter = add(new gui::GuiNeedleMeter({100, 110, 100, 110}, face, {230, 110}, lamp, kPivot.h, kPivot.v,
                                              10.0f, 55.0f));
    meter->setNeedle1(25.0f);
    meter->setNeedle3(-1.0f);
    meter->setNeedle4(std::nanf(""));
    EXPECT_FLOAT_EQ(meter->needle(1), 10.0f);
    EXPECT_FLOAT_EQ(meter->needle(3), 1e-9f);
    EXPECT_FLOAT_EQ(meter->needle(4), 1e-9f);
    meter->setNeedle2(0.5f);
    settle();
    EXPECT_FLOAT_EQ(meter->needle(3), 1e-8f);  // raised when drawn
    EXPECT_EQ(pixel(235, 115), kUnlit);        // exactly 0.5 is not lit
    meter->setNeedle2(0.51f);
    EXPECT_TRUE(meter->needsPaint());
    frame->repaintDirty();
    EXPECT_EQ(pixel(235, 112), kLit);
    // needle 4 in its own colour over needle 1
    meter->setNeedle1(1e-9f);
    meter->setNeedle4(1.0f);
    frame->repaintDirty();
    const GuiPoint p = along(kPi / 4, 40);
    EXPECT_TRUE(pixel(p.h, p.v) == kNeedle4 || pixel(p.h + 1, p.v) == kNeedle4);
}

TEST_F(MeterTest, TwinMeterAndLamp) {
    auto* twin = add(new gui::GuiTwinNeedleMeter({100, 110, 100, 110}, face, {230, 110}, lamp, kPivot.h, kPivot.v,
                                                 10.0f, 55.0f));
    twin->setNeedleA(1.0f);
    twin->setLampValue(0.9f);
    twin->setNeedleB(20.0f);
    EXPECT_FLOAT_EQ(twin->needleB(), 10.0f);
    settle();
    EXPECT_EQ(pixel(235, 112), kLit);
    const GuiPoint a = along(kPi / 4, 40);
    EXPECT_TRUE(pixel(a.h, a.v) == kNeedle4 || pixel(a.h + 1, a.v) == kNeedle4);
    const GuiPoint b = along(dialAngle(10.0), 40);
    EXPECT_TRUE(pixel(b.h, b.v) == kNeedle1 || pixel(b.h + 1, b.v) == kNeedle1);

    auto* indicator = add(new gui::GuiLamp({300, 20, 300, 20}, lamp));
    EXPECT_EQ(indicator->lampRect(), (GuiRect{300, 20, 330, 40}));
    indicator->setValue(0.5f);
    settle();
    EXPECT_EQ(pixel(305, 25), kUnlit);
    indicator->setValue(0.75f);
    frame->repaintDirty();
    EXPECT_EQ(pixel(305, 23), kLit);
    // an expose anywhere over the lamp draws it, though its size rect is only its origin
    EXPECT_TRUE(indicator->overlaps({320, 35, 325, 38}));
}

TEST_F(MeterTest, SwingMeterRisesATenthPerRedrawAndFallsAtOnce) {
    gui_test::Picture panel(9002);
    auto* swing = add(new gui::GuiSwingMeter({100, 100, 220, 170}, panel, 160, 165, 5.0f, 60.0f));
    settle();
    std::vector<float> drawn;
    for (int i = 0; i < 11; ++i) {
        swing->setValue(1.0f);
        frame->repaintDirty();
        drawn.push_back(swing->getValue());
    }
    for (int i = 0; i < 9; ++i) EXPECT_NEAR(drawn[static_cast<size_t>(i)], 0.1f * static_cast<float>(i + 1), 1e-4f);
    EXPECT_FLOAT_EQ(drawn[9], 1.0f);  // the tenth redraw reaches the top
    EXPECT_FLOAT_EQ(drawn[10], 1.0f);
    swing->setValue(0.0f);
    frame->repaintDirty();
    EXPECT_FLOAT_EQ(swing->getValue(), 1e-6f);  // down in one redraw
    // the editor feeds it each idle; at 0.5 it points straight up, in black, over the panel
    for (int i = 0; i < 6; ++i) {
        swing->setValue(0.5f);
        frame->repaintDirty();
    }
    EXPECT_FLOAT_EQ(swing->getValue(), 0.5f);
    EXPECT_NEAR(gui::GuiSwingMeter::needleAngle(0.5f), kPi / 2, 1e-6);
    EXPECT_TRUE(pixel(159, 130) == 0u || pixel(160, 130) == 0u);  // cos(π/2) in float is a hair below 0
    EXPECT_EQ(pixel(170, 130), panel->pixels().pixel(170, 130));
}

TEST_F(MeterTest, SplashOpensAsTheModalViewAndClosesOnTheNextClick) {
    gui_test::Picture splashPicture(9017);
    const GuiRect display{60, 40, 300, 180};
    auto* splash = add(new gui::GuiSplash({10, 10, 30, 30}, &listener, 11, splashPicture, display, {0, 0}));
    settle();
    input.press({20, 20}).release();
    click();
    EXPECT_EQ(frame->modalView(), splash);
    EXPECT_EQ(splash->getBounds(), display);
    EXPECT_FLOAT_EQ(splash->getValue(), 1.0f);
    frame->repaintDirty();
    EXPECT_EQ(pixel(100, 100), splashPicture->pixels().pixel(40, 60));
    EXPECT_FALSE(splash->contains({100, 100}, 0));  // only with the left button down
    input.clear();
    input.press({100, 100}).release();
    click();
    EXPECT_EQ(frame->modalView(), nullptr);
    EXPECT_EQ(splash->getBounds(), (GuiRect{10, 10, 30, 30}));
    EXPECT_EQ(pixel(100, 100), 0xD4D0C8u);  // the frame redrawn without it
    EXPECT_EQ(listener.values(), (std::vector{1.0f, 0.0f}));
    // closed from outside while open
    input.clear();
    input.press({20, 20}).release();
    click();
    splash->closeSplash();
    EXPECT_EQ(frame->modalView(), nullptr);
    EXPECT_FLOAT_EQ(splash->getValue(), 0.0f);
}

TEST_F(MeterTest, AboutScreenDrawsNoTextWhileClosedAndItsLinesWhenOpen) {
    gui_test::Picture splashPicture(9017);
    const GuiRect display{60, 40, 300, 180};
    auto* about = add(new gui::GuiAboutSplash({10, 10, 30, 30}, nullptr, 0, splashPicture, display, {0, 0}, {0, 20}));
    about->setProduct("Tarn Brisker ", {45, 45, 120, 0}, {60, 60, 60, 0});
    settle();
    const gui::Surface closed = frame->surface();
    about->setNeedsPaint(true);
    frame->repaintDirty();
    about->paint(nullptr);
    EXPECT_TRUE(std::equal(closed.data(), closed.data() + closed.width() * closed.height(), frame->surface().data()));

    input.press({20, 20}).release();
    click();
    frame->repaintDirty();
    const auto inked = [&](int top, int bottom) {
        int n = 0;
        for (int y = top; y < bottom; ++y)
            for (int x = display.left; x < display.right; ++x) n += pixel(x, y) != splashPicture->pixels().pixel(x - 60, y - 40);
        return n;
    };
    EXPECT_GT(inked(60, 75), 50);      // title and version
    EXPECT_GT(inked(76, 91), 50);      // the maker
    EXPECT_GT(inked(92, 107), 50);     // the web address
    EXPECT_EQ(inked(108, 131), 0);     // the gap
    EXPECT_GT(inked(132, 147), 50);    // the credit line
    EXPECT_EQ(about->title(), "Tarn Brisker ");
}

}  // namespace
