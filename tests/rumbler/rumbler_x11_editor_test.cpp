// The bass enhancer's panel as a Linux host shows it: the built module's editor in a
// parent window of the test's own under a private Xvfb, worked with the real pointer
// (XTest) while the host idles.
#include <gtest/gtest.h>
#include <unistd.h>

#include <deque>
#include <functional>

#include "rumbler/rumbler_params.h"
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

class RumblerX11 : public LoadedEditorTest {
protected:
    RumblerX11() : LoadedEditorTest("rumbler") {}

    void SetUp() override {
        if (!gui_test::XvfbServer::installed()) GTEST_SKIP() << "Xvfb is not installed, no X server to test against";
        ASSERT_TRUE(gXvfb->started()) << gXvfb->error();
        LoadedEditorTest::SetUp();
        dpy = XOpenDisplay(nullptr);
        ASSERT_NE(dpy, nullptr);
        parent = XCreateSimpleWindow(dpy, DefaultRootWindow(dpy), 50, 50, 344, 175, 0, 0, 0x303030);
        XMapWindow(dpy, parent);
        XSync(dpy, False);
    }
    void TearDown() override {
        host.onIdle = nullptr;
        LoadedEditorTest::TearDown();
        if (dpy) XCloseDisplay(dpy);
    }
    // The user's script: each step runs at one host idle, from inside a tracking loop too.
    void move(gui::GuiPoint p) {
        steps.push_back([this, p] {
            int x = 0, y = 0;
            Window child = 0;
            XTranslateCoordinates(dpy, parent, DefaultRootWindow(dpy), p.h, p.v, &x, &y, &child);
            XTestFakeMotionEvent(dpy, -1, x, y, CurrentTime);
            XSync(dpy, False);
        });
    }
    void button(bool down) {
        steps.push_back([this, down] {
            XTestFakeButtonEvent(dpy, 1, down ? True : False, CurrentTime);
            XSync(dpy, False);
        });
    }
    void next() {
        if (steps.empty()) return;
        auto step = std::move(steps.front());
        steps.pop_front();
        step();
    }
    int count(VstInt32 opcode) const {
        int n = 0;
        for (const HostCall& c : host.callsWith(opcode)) n += c.index == rumbler::kTune;
        return n;
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
    std::deque<std::function<void()>> steps;
};

TEST_F(RumblerX11, ADragOnTheTuneKnobSendsBeginAutomatesAndEnd) {
    ASSERT_EQ(dispatch(effect, effEditOpen, 0, 0, reinterpret_cast<void*>(parent)), 1);
    ASSERT_TRUE(until([&] { return !frame()->isFirstDrawPending(); }));
    host.clear();
    host.onIdle = [this] { next(); };
    const gui::GuiPoint knob = centre(control(rumbler::kTune)->getBounds());
    move(knob);
    button(true);
    move({knob.h + 15, knob.v});
    move({knob.h + 30, knob.v});  // linear: +0.15
    button(false);
    ASSERT_TRUE(until([&] {
        next();
        return steps.empty() && count(audioMasterEndEdit) == 1;
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
