// The bass enhancer's panel as a Linux host shows it: the built module's editor in a
// parent window of the test's own under a private Xvfb, worked with the real pointer
// (XTest) while the host idles.
#include <gtest/gtest.h>

#include "rumbler/rumbler_params.h"
#include "tests/support/x11_editor_test.h"

namespace {

using namespace testing_support;

class RumblerX11 : public X11EditorTest {
protected:
    RumblerX11() : X11EditorTest("rumbler", 344, 175) {}
};

TEST_F(RumblerX11, ADragOnTheTuneKnobSendsBeginAutomatesAndEnd) {
    host.clear();
    const gui::GuiPoint knob = centre(control(rumbler::kTune)->getBounds());
    move(knob);
    button(true);
    move({knob.h + 15, knob.v});
    move({knob.h + 30, knob.v});  // linear: +0.15
    button(false);
    ASSERT_TRUE(until([&] {
        next();
        return steps.empty() && count(audioMasterEndEdit, rumbler::kTune) == 1;
    }));

    const auto edits = editsOf(rumbler::kTune);
    ASSERT_GE(edits.size(), 3u);
    EXPECT_EQ(edits.front().opcode, audioMasterBeginEdit);
    for (size_t i = 1; i + 1 < edits.size(); ++i) EXPECT_EQ(edits[i].opcode, audioMasterAutomate);
    EXPECT_NEAR(edits[edits.size() - 2].opt, 0.15f, 1e-5f);
    EXPECT_NEAR(effect->getParameter(effect, rumbler::kTune), 0.15f, 1e-5f);
    for (const HostCall& c : host.callsWith(audioMasterAutomate)) EXPECT_EQ(c.index, rumbler::kTune);
}

}  // namespace
