// The saturator's panel as a Linux host shows it: the built module's editor in a
// parent window of the test's own under a private Xvfb, clicked with the real
// pointer (XTest) while the host idles.
#include <gtest/gtest.h>

#include "emberon/emberon_params.h"
#include "tests/support/x11_editor_test.h"

namespace {

using namespace testing_support;

class EmberonX11 : public X11EditorTest {
protected:
    EmberonX11() : X11EditorTest("emberon", 435, 247) {}
};

TEST_F(EmberonX11, AClickOnTheBassSwitchSendsItsAutomatedEdit) {
    ASSERT_EQ(effect->getParameter(effect, emberon::kBassOn), 0.0f);
    host.clear();

    move(at(emberon::kBassOn));
    button(true);
    play();
    // the switch reads the live button, so it stays down until the host's idle has run
    const bool edited = until([&] { return !host.callsWith(audioMasterAutomate).empty(); });
    button(false);
    play();
    ASSERT_TRUE(edited);

    const auto sent = host.callsWith(audioMasterAutomate);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].index, emberon::kBassOn);
    EXPECT_EQ(sent[0].opt, 1.0f);
    EXPECT_EQ(effect->getParameter(effect, emberon::kBassOn), 1.0f);
}

}  // namespace
