// The compressor's panel as a Linux host shows it: the built module's editor in a
// parent window of the test's own under a private Xvfb, worked with the real pointer
// (XTest). Each step of the user's script runs at the host's next idle, so steps
// reach controls while they track the pointer.
#include <gtest/gtest.h>
#include <unistd.h>

#include <deque>
#include <functional>
#include <string>

#include "brisker/brisker_params.h"
#include "gui/gui_option_menu.h"
#include "gui/gui_popup_menu.h"
#include "tests/gui/support/xvfb_environment.h"
#include "tests/support/loaded_editor_test.h"

// Xlib's macros (None, Bool, Status) come last, after everything they could break
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#undef Status

namespace {

using namespace testing_support;
using gui::GuiPoint;
using gui::GuiRect;

auto* const gXvfb =
    static_cast<gui_test::XvfbEnvironment*>(::testing::AddGlobalTestEnvironment(new gui_test::XvfbEnvironment));

class BriskerX11 : public LoadedEditorTest {
protected:
    BriskerX11() : LoadedEditorTest("brisker") {}

    void SetUp() override {
        if (!gui_test::XvfbServer::installed()) GTEST_SKIP() << "Xvfb is not installed, no X server to test against";
        ASSERT_TRUE(gXvfb->started()) << gXvfb->error();
        LoadedEditorTest::SetUp();
        dpy = XOpenDisplay(nullptr);
        ASSERT_NE(dpy, nullptr);
        parent = XCreateSimpleWindow(dpy, DefaultRootWindow(dpy), 50, 50, 435, 247, 0, 0, 0x303030);
        XMapWindow(dpy, parent);
        XSync(dpy, False);
        host.onIdle = [this] { next(); };
        open();
    }
    void TearDown() override {
        host.onIdle = nullptr;
        LoadedEditorTest::TearDown();
        if (dpy) XCloseDisplay(dpy);
    }
    void open() {
        ASSERT_EQ(dispatch(effect, effEditOpen, 0, 0, reinterpret_cast<void*>(parent)), 1);
        editor()->setClock(&clock);
        ASSERT_TRUE(until([&] { return !frame()->isFirstDrawPending(); }));
    }

    // The user's script: each step runs at one host idle (from inside a tracking loop too).
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
    void click(GuiPoint p) {
        move(p);
        button(true);
        button(false);
    }
    void drag(GuiPoint from, GuiPoint to) {
        move(from);
        button(true);
        move({(from.h + to.h) / 2, (from.v + to.v) / 2});
        move(to);
        button(false);
    }
    void next() {
        if (steps.empty()) return;
        auto step = std::move(steps.front());
        steps.pop_front();
        step();
    }
    // The host's idle until done (at most about 6 s).
    bool until(const std::function<bool()>& done) {
        for (int i = 0; i < 3000 && !done(); ++i) {
            dispatch(effect, effEditIdle);
            usleep(2000);
        }
        return done();
    }
    // Runs the script to its end, and the idles that deliver its last step.
    void play() {
        ASSERT_TRUE(until([&] {
            next();
            return steps.empty();
        }));
        for (int i = 0; i < 20; ++i) {
            dispatch(effect, effEditIdle);
            usleep(1000);
        }
    }
    std::vector<float> automated(VstInt32 index) const {
        std::vector<float> out;
        for (const HostCall& c : host.callsWith(audioMasterAutomate))
            if (c.index == index) out.push_back(c.opt);
        return out;
    }
    int count(VstInt32 opcode, VstInt32 index) const {
        int n = 0;
        for (const HostCall& c : host.callsWith(opcode)) n += c.index == index;
        return n;
    }
    GuiPoint at(int tag) const { return centre(control(tag)->getBounds()); }
    std::vector<Window> popupWindows() const {
        Window root = 0, up = 0, *kids = nullptr;
        unsigned n = 0;
        std::vector<Window> out;
        if (XQueryTree(dpy, DefaultRootWindow(dpy), &root, &up, &kids, &n) && kids) {
            for (unsigned i = 0; i < n; ++i) {
                XWindowAttributes a{};
                if (XGetWindowAttributes(dpy, kids[i], &a) && a.override_redirect && a.map_state == IsViewable)
                    out.push_back(kids[i]);
            }
            XFree(kids);
        }
        return out;
    }

    Display* dpy = nullptr;
    Window parent = 0;
    std::deque<std::function<void()>> steps;
};

TEST_F(BriskerX11, EveryControlWorksFromTheMouse) {
    host.clear();
    click(at(brisker::kProcess));
    play();
    EXPECT_EQ(automated(brisker::kProcess), (std::vector<float>{0.0f}));

    for (int tag : {brisker::kDel, brisker::kScl, brisker::kRmsPeak, brisker::kPrePost}) click(at(tag));
    click(at(19));  // the output stage: LIM to SAT
    for (int tag : {brisker::kScFreq, brisker::kScQ, brisker::kAttack, brisker::kHold, brisker::kRelease,
                    brisker::kMakeUp, brisker::kOutput, brisker::kInput}) {
        const GuiPoint c = at(tag);
        drag(c, {c.h + 20, c.v - 20});  // linear: +0.2
    }
    const GuiRect compress = control(brisker::kCompress)->getBounds();
    drag({centre(compress).h, compress.top + 60}, {centre(compress).h, compress.top + 20});
    click(at(brisker::kSlope));
    click(at(brisker::kMix));
    play();
    for (int tag : {brisker::kDel, brisker::kScl, brisker::kRmsPeak, brisker::kPrePost})
        EXPECT_EQ(automated(tag).size(), 1u) << "tag " << tag;
    EXPECT_EQ(automated(brisker::kLimSat), (std::vector<float>{0.5f, 1.0f}));
    for (int tag : {brisker::kScFreq, brisker::kScQ, brisker::kAttack, brisker::kHold, brisker::kRelease,
                    brisker::kMakeUp, brisker::kOutput, brisker::kInput, brisker::kCompress, brisker::kSlope,
                    brisker::kMix}) {
        EXPECT_EQ(count(audioMasterBeginEdit, tag), 1) << "tag " << tag;
        EXPECT_EQ(count(audioMasterEndEdit, tag), 1) << "tag " << tag;
        EXPECT_FALSE(automated(tag).empty()) << "tag " << tag;
    }
    EXPECT_NEAR(effect->getParameter(effect, brisker::kScFreq), 0.7f, 1e-5f);
    EXPECT_NEAR(effect->getParameter(effect, brisker::kSlope), 0.5f, 0.05f);

    // the program row: step on, store A, recall A, and the about screen
    host.clear();
    click({control(21)->getBounds().right - 3, at(21).v});
    play();
    EXPECT_EQ(editor()->programMenu()->currentIndex(), 1);
    EXPECT_EQ(host.callsWith(audioMasterBeginEdit).size(), 17u);
    click(at(23));
    click(at(26));
    play();
    char text[gui::kDisplayTextSize];
    editor()->programMenu()->getItemText(1, text);
    EXPECT_STREQ(text, "Memo A");  // stored while entry 1 was shown: the memory keeps its name
    EXPECT_EQ(editor()->programMenu()->currentIndex(), 2);
    click(at(18));
    play();
    EXPECT_NE(frame()->modalView(), nullptr);
    click({200, 60});
    play();
    EXPECT_EQ(frame()->modalView(), nullptr);

    // a pick from the real pop-up
    const GuiRect menu = control(22)->getBounds();
    auto layout = editor()->programMenu()->makePopup({0, 0}, false);
    layout->setScreenArea({-100000, -100000, 100000, 100000});
    const GuiPoint entry = centre(layout->itemRect(0, 14));  // "acc guitar2"
    std::vector<Window> panels;
    click(centre(menu));
    steps.push_back([&] {
        panels = popupWindows();
        if (panels.empty()) return;
        int x = 0, y = 0;
        Window child = 0;
        XTranslateCoordinates(dpy, panels[0], DefaultRootWindow(dpy), entry.h, entry.v, &x, &y, &child);
        XTestFakeMotionEvent(dpy, -1, x, y, CurrentTime);
        XSync(dpy, False);
    });
    button(true);
    button(false);
    play();
    ASSERT_EQ(panels.size(), 1u);
    EXPECT_TRUE(popupWindows().empty());
    EXPECT_EQ(editor()->programMenu()->currentIndex(), 14);
    editor()->programMenu()->getItemText(0, text);
    EXPECT_STREQ(text, "* acc guitar2");
}

// The host closes the editor from inside its idle while a knob is being dragged, and
// again while the program menu is open: the drag and the menu end, the frame goes
// afterwards, and the editor opens again.
TEST_F(BriskerX11, HostClosesTheEditorInsideItsIdleDuringADragAndAnOpenMenu) {
    host.clear();
    const GuiPoint knob = at(brisker::kHold);
    move(knob);
    button(true);
    move({knob.h + 30, knob.v});
    steps.push_back([this] { dispatch(effect, effEditClose); });
    play();
    EXPECT_EQ(frame(), nullptr);
    EXPECT_EQ(count(audioMasterBeginEdit, brisker::kHold), 1);
    EXPECT_EQ(count(audioMasterEndEdit, brisker::kHold), 1);
    EXPECT_NEAR(effect->getParameter(effect, brisker::kHold), 0.15f, 1e-5f);
    button(false);
    play();

    open();
    click(at(22));
    std::vector<Window> panels;
    steps.push_back([&] { panels = popupWindows(); });
    steps.push_back([this] { dispatch(effect, effEditClose); });
    play();
    EXPECT_EQ(panels.size(), 1u);
    EXPECT_TRUE(popupWindows().empty());
    EXPECT_EQ(frame(), nullptr);
    open();
    EXPECT_EQ(frame()->childCount(), 48);
}

}  // namespace
