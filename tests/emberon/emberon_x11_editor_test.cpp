// The saturator's panel as a Linux host shows it: the built module's editor in a
// parent window of the test's own under a private Xvfb, clicked with the real
// pointer (XTest) while the host idles.
#include <gtest/gtest.h>
#include <unistd.h>

#include "emberon/emberon_params.h"
#include "tests/gui/support/xvfb_environment.h"
#include "tests/support/loaded_editor_test.h"

// Xlib's macros (None, Bool, Status) come last, after everything they could break
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#undef Status

namespace {

using namespace testing_support;

auto* const gXvfb =
    static_cast<gui_test::XvfbEnvironment*>(::testing::AddGlobalTestEnvironment(new gui_test::XvfbEnvironment));

class EmberonX11 : public LoadedEditorTest {
protected:
    EmberonX11() : LoadedEditorTest("emberon") {}

    void SetUp() override {
        if (!gui_test::XvfbServer::installed()) GTEST_SKIP() << "Xvfb is not installed, no X server to test against";
        ASSERT_TRUE(gXvfb->started()) << gXvfb->error();
        LoadedEditorTest::SetUp();
        dpy = XOpenDisplay(nullptr);
        ASSERT_NE(dpy, nullptr);
        parent = XCreateSimpleWindow(dpy, DefaultRootWindow(dpy), 50, 50, 435, 247, 0, 0, 0x303030);
        XMapWindow(dpy, parent);
        XSync(dpy, False);
    }
    void TearDown() override {
        LoadedEditorTest::TearDown();
        if (dpy) XCloseDisplay(dpy);
    }
    // The host's idle until done (at most about 6 s).
    template <class Done>
    bool until(Done done) {
        for (int i = 0; i < 3000 && !done(); ++i) {
            dispatch(effect, effEditIdle);
            usleep(2000);
        }
        return done();
    }

    Display* dpy = nullptr;
    Window parent = 0;
};

TEST_F(EmberonX11, AClickOnTheBassSwitchSendsItsAutomatedEdit) {
    ASSERT_EQ(dispatch(effect, effEditOpen, 0, 0, reinterpret_cast<void*>(parent)), 1);
    ASSERT_TRUE(until([&] { return !frame()->isFirstDrawPending(); }));
    ASSERT_EQ(effect->getParameter(effect, emberon::kBassOn), 0.0f);
    host.clear();

    const gui::GuiPoint at = centre(control(emberon::kBassOn)->getBounds());
    int x = 0, y = 0;
    Window child = 0;
    XTranslateCoordinates(dpy, parent, DefaultRootWindow(dpy), at.h, at.v, &x, &y, &child);
    XTestFakeMotionEvent(dpy, -1, x, y, CurrentTime);
    XTestFakeButtonEvent(dpy, 1, True, CurrentTime);
    XSync(dpy, False);
    // the switch reads the live button, so it stays down until the host's idle has run
    const bool edited = until([&] { return !host.callsWith(audioMasterAutomate).empty(); });
    XTestFakeButtonEvent(dpy, 1, False, CurrentTime);
    XSync(dpy, False);
    for (int i = 0; i < 20; ++i) dispatch(effect, effEditIdle);
    ASSERT_TRUE(edited);

    const auto sent = host.callsWith(audioMasterAutomate);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].index, emberon::kBassOn);
    EXPECT_EQ(sent[0].opt, 1.0f);
    EXPECT_EQ(effect->getParameter(effect, emberon::kBassOn), 1.0f);
}

}  // namespace
