// The treble enhancer's panel in a real X11 window under a private Xvfb, worked with
// the real pointer (XTest): each step of the script runs at one host idle, so steps
// reach controls while they track the pointer.
#include <gtest/gtest.h>

#include "glister/glister_params.h"
#include "gui/gui_option_menu.h"
#include "tests/support/x11_editor_test.h"

namespace {

using namespace testing_support;
using namespace glister;
using gui::GuiPoint;

class GlisterX11 : public X11EditorTest {
protected:
    GlisterX11() : X11EditorTest("glister", 622, 287) {}
};

TEST_F(GlisterX11, EveryControlWorksFromTheMouse) {
    // each vertical slider: its handle up 20 of its 156 pixels, grabbed within a pixel of its centre
    for (VstInt32 slider : {kHissThresh, kTransAdjust, kHarmFreq, kHarmAdjust}) {
        host.clear();
        const float before = effect->getParameter(effect, slider);
        const int handleCentre = 196 - static_cast<int>(before * 156.0f) + 7;
        drag({at(slider).h, handleCentre}, {at(slider).h, handleCentre - 20});
        play();
        const auto edits = editsOf(slider);
        ASSERT_GE(edits.size(), 3u) << "slider " << slider;
        EXPECT_EQ(edits.front().opcode, audioMasterBeginEdit);
        for (size_t i = 1; i + 1 < edits.size(); ++i) EXPECT_EQ(edits[i].opcode, audioMasterAutomate);
        EXPECT_EQ(edits.back().opcode, audioMasterEndEdit);
        EXPECT_NEAR(effect->getParameter(effect, slider), before + 20.0f / 156.0f, 2.5f / 156.0f)
            << "slider " << slider;
    }
    host.clear();
    const VstInt32 knobs[] = {kHissAttenuation, kHissSpeed, kHissMinFreq, kTransRatio, kTransSlope, kTransHiDamp,
                              kEnhSlope,        kEnhEnhance, kHarmQ,      kHarmDrive,  kHarmFirstOut, kOutput};
    for (VstInt32 knob : knobs) drag(at(knob), {at(knob).h + 10, at(knob).v - 10});
    const VstInt32 buttons[] = {kSaturation, kProcess, kHarmProcess, kEnhProcess, kTransProcess, kHissProcess};
    for (VstInt32 b : buttons) click(at(b));
    click({control(kMix)->getBounds().left + 20, at(kMix).v});
    play();
    for (VstInt32 knob : knobs) {
        EXPECT_EQ(count(audioMasterBeginEdit, knob), 1) << "knob " << knob;
        EXPECT_EQ(count(audioMasterEndEdit, knob), 1) << "knob " << knob;
    }
    for (VstInt32 b : buttons) EXPECT_EQ(count(audioMasterAutomate, b), 1) << "button " << b;
    EXPECT_LT(effect->getParameter(effect, kMix), 0.5f);

    click({control(26)->getBounds().left + 3, at(26).v});  // the rocker back from entry 0
    click(at(24));                                          // the about screen
    play();
    EXPECT_EQ(editor()->programMenu()->currentIndex(), 40);
    EXPECT_NE(frame()->modalView(), nullptr);
}

}  // namespace
