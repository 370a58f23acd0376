// The treble enhancer's panel in a real X11 window under a private Xvfb, worked with
// the real pointer (XTest): each step of the script runs at one host idle, so steps
// reach controls while they track the pointer.
#include <gtest/gtest.h>
#include <unistd.h>

#include <deque>
#include <functional>

#include "glister/glister_params.h"
#include "gui/gui_option_menu.h"
#include "tests/gui/support/xvfb_environment.h"
#include "tests/support/loaded_editor_test.h"

// Xlib's macros (None, Bool, Status) come last, after everything they could break
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#undef Status

namespace {

using namespace testing_support;
using namespace glister;
using gui::GuiPoint;

auto* const gXvfb =
    static_cast<gui_test::XvfbEnvironment*>(::testing::AddGlobalTestEnvironment(new gui_test::XvfbEnvironment));

class GlisterX11 : public LoadedEditorTest {
protected:
    GlisterX11() : LoadedEditorTest("glister") {}

    void SetUp() override {
        if (!gui_test::XvfbServer::installed()) GTEST_SKIP() << "Xvfb is not installed, no X server to test against";
        ASSERT_TRUE(gXvfb->started()) << gXvfb->error();
        LoadedEditorTest::SetUp();
        dpy = XOpenDisplay(nullptr);
        ASSERT_NE(dpy, nullptr);
        parent = XCreateSimpleWindow(dpy, DefaultRootWindow(dpy), 20, 20, 622, 287, 0, 0, 0x303030);
        XMapWindow(dpy, parent);
        XSync(dpy, False);
        host.onIdle = [this] { next(); };
        ASSERT_EQ(dispatch(effect, effEditOpen, 0, 0, reinterpret_cast<void*>(parent)), 1);
        editor()->setClock(&clock);
        for (int i = 0; i < 3000 && frame()->isFirstDrawPending(); ++i) idleAWhile();
    }
    void TearDown() override {
        host.onIdle = nullptr;
        LoadedEditorTest::TearDown();
        if (dpy) XCloseDisplay(dpy);
    }

    void move(GuiPoint p) {
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
    void drag(GuiPoint from, GuiPoint to) {
        move(from);
        button(true);
        move({(from.h + to.h) / 2, (from.v + to.v) / 2});
        move(to);
        move(to);  // resting there a moment before letting go
        button(false);
    }
    void click(GuiPoint p) { drag(p, p); }
    void next() {
        if (steps.empty()) return;
        auto step = std::move(steps.front());
        steps.pop_front();
        step();
    }
    void idleAWhile() {
        dispatch(effect, effEditIdle);
        usleep(2000);
    }
    // A step at each host idle until the script has run, then a few more idles to deliver the last.
    void play() {
        for (int i = 0; i < 3000 && !steps.empty(); ++i) {
            next();
            idleAWhile();
        }
        ASSERT_TRUE(steps.empty());
        for (int i = 0; i < 20; ++i) idleAWhile();
    }
    int count(VstInt32 opcode, VstInt32 index) const {
        int n = 0;
        for (const HostCall& c : host.callsWith(opcode)) n += c.index == index;
        return n;
    }
    GuiPoint at(int tag) const { return centre(control(tag)->getBounds()); }

    Display* dpy = nullptr;
    Window parent = 0;
    std::deque<std::function<void()>> steps;
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
