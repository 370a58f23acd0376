// The X11 window under a virtual X server of the test's own: a test parent window
// plays the host, XTest plays the user.
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <functional>

#include "gui/editor_base.h"
#include "gui/gui_frame.h"
#include "support/test_effect.h"
#include "support/test_views.h"
#include "support/xvfb_environment.h"

// Xlib's macros (None, Bool, Status) come last, after everything they could break
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#undef Status

namespace {

using gui::GuiPoint;
using gui::GuiRect;
using gui_test::RecordingView;
using gui_test::TrackingView;

auto* const gXvfb =
    static_cast<gui_test::XvfbEnvironment*>(::testing::AddGlobalTestEnvironment(new gui_test::XvfbEnvironment));

constexpr int kWidth = 120, kHeight = 80;

struct X11Test : ::testing::Test {
    Display* dpy = nullptr;
    Window parent = 0;

    void SetUp() override {
        if (!gui_test::XvfbServer::installed()) GTEST_SKIP() << "Xvfb is not installed, no X server to test against";
        ASSERT_TRUE(gXvfb->started()) << gXvfb->error();
        dpy = XOpenDisplay(nullptr);
        ASSERT_NE(dpy, nullptr);
        parent = makeHostWindow(30, 40);
    }
    void TearDown() override {
        if (dpy) XCloseDisplay(dpy);
        EXPECT_EQ(gui_test::liveViews(), 0);
    }

    Window makeHostWindow(int x, int y) {
        const int screen = DefaultScreen(dpy);
        Window w = XCreateSimpleWindow(dpy, RootWindow(dpy, screen), x, y, 300, 200, 0, 0, 0x303030);
        XMapWindow(dpy, w);
        XSync(dpy, False);
        return w;
    }
    std::vector<Window> childrenOf(Window w) {
        Window root = 0, up = 0, *kids = nullptr;
        unsigned n = 0;
        std::vector<Window> out;
        if (XQueryTree(dpy, w, &root, &up, &kids, &n) && kids) {
            out.assign(kids, kids + n);
            XFree(kids);
        }
        return out;
    }
    // Lets the frame handle its events until the condition holds (at most 3 s).
    bool waitFor(gui::GuiFrame* frame, const std::function<bool()>& done) {
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(3);
        while (std::chrono::steady_clock::now() < end) {
            frame->processEvents();
            if (done()) return true;
            usleep(2000);
        }
        return false;
    }
    GuiPoint onScreen(Window w, GuiPoint p) {
        int x = 0, y = 0;
        Window child = 0;
        XTranslateCoordinates(dpy, w, DefaultRootWindow(dpy), p.h, p.v, &x, &y, &child);
        return {x, y};
    }
    void moveTo(Window w, GuiPoint p) {
        const GuiPoint s = onScreen(w, p);
        XTestFakeMotionEvent(dpy, -1, s.h, s.v, CurrentTime);
        XSync(dpy, False);
    }
    void button(unsigned b, bool down) {
        XTestFakeButtonEvent(dpy, b, down ? True : False, CurrentTime);
        XSync(dpy, False);
    }
    // Every pixel of the window equals the surface.
    bool windowShows(Window w, const gui::Surface& s) {
        XImage* img = XGetImage(dpy, w, 0, 0, static_cast<unsigned>(s.width()), static_cast<unsigned>(s.height()),
                                AllPlanes, ZPixmap);
        if (!img) return false;
        bool same = true;
        for (int y = 0; y < s.height() && same; ++y)
            for (int x = 0; x < s.width() && same; ++x) same = (XGetPixel(img, x, y) & 0xFFFFFF) == s.pixel(x, y);
        XDestroyImage(img);
        return same;
    }
    gui::GuiFrame* openFrame(Window host) {
        return new gui::GuiFrame({0, 0, kWidth, kHeight}, reinterpret_cast<void*>(host), nullptr);
    }
};

TEST_F(X11Test, OpensAChildOfTheHostWindowWithClassAndTitle) {
    gui::GuiFrame* frame = openFrame(parent);
    ASSERT_EQ(frame->windowStatus(), gui::platform::Status::ok) << gui::platform::describe(frame->windowStatus());
    const std::vector<Window> kids = childrenOf(parent);
    ASSERT_EQ(kids.size(), 1u);
    XWindowAttributes attrs{};
    XGetWindowAttributes(dpy, kids[0], &attrs);
    EXPECT_EQ(attrs.x, 0);
    EXPECT_EQ(attrs.y, 0);
    EXPECT_EQ(attrs.width, kWidth);
    EXPECT_EQ(attrs.height, kHeight);
    EXPECT_EQ(attrs.map_state, IsViewable);
    XClassHint hint{};
    ASSERT_TRUE(XGetClassHint(dpy, kids[0], &hint));
    EXPECT_STREQ(hint.res_class, gui::platform::windowClassName());
    EXPECT_EQ(std::string(hint.res_class).rfind("Plugin", 0), 0u);
    EXPECT_EQ(std::string(hint.res_class).size(), 14u);  // "Plugin" and eight hex digits
    XFree(hint.res_name);
    XFree(hint.res_class);
    char* title = nullptr;
    ASSERT_TRUE(XFetchName(dpy, kids[0], &title));
    EXPECT_STREQ(title, "Window");
    XFree(title);
    frame->release();
}

TEST_F(X11Test, ExposeDrawsTheFrameAndRepaintsWhatWasLost) {
    gui::GuiFrame* frame = openFrame(parent);
    frame->appendChild(new RecordingView({10, 10, 60, 40}, gui::kRed));
    frame->appendChild(new RecordingView({50, 30, 110, 70}, gui::kBlue));
    ASSERT_TRUE(waitFor(frame, [&] { return !frame->isFirstDrawPending(); }));
    const Window child = childrenOf(parent).at(0);
    EXPECT_TRUE(windowShows(child, frame->surface()));
    EXPECT_EQ(frame->surface().pixel(55, 35), gui::kBlue.pixel());

    // scribble over the window from outside, then expose it
    GC gc = XCreateGC(dpy, child, 0, nullptr);
    XSetForeground(dpy, gc, 0x00FF00);
    XFillRectangle(dpy, child, gc, 0, 0, kWidth, kHeight);
    XFreeGC(dpy, gc);
    XSync(dpy, False);
    EXPECT_FALSE(windowShows(child, frame->surface()));
    XClearArea(dpy, child, 0, 0, 0, 0, True);
    XSync(dpy, False);
    EXPECT_TRUE(waitFor(frame, [&] { return windowShows(child, frame->surface()); }));
    frame->release();
}

TEST_F(X11Test, RealButtonPressReachesTheTopmostViewWithTheLiveState) {
    gui::GuiFrame* frame = openFrame(parent);
    auto* below = new RecordingView({10, 10, 60, 60});
    auto* above = new RecordingView({40, 40, 100, 70});
    frame->appendChild(below);
    frame->appendChild(above);
    ASSERT_TRUE(waitFor(frame, [&] { return !frame->isFirstDrawPending(); }));
    const Window child = childrenOf(parent).at(0);

    moveTo(child, {50, 50});
    button(1, true);
    EXPECT_TRUE(waitFor(frame, [&] { return !above->presses.empty(); }));
    button(1, false);
    EXPECT_TRUE(below->presses.empty());
    ASSERT_EQ(above->presses.size(), 1u);
    EXPECT_EQ(above->presses[0], (GuiPoint{50, 50}));
    EXPECT_EQ(above->buttonsSeen[0] & gui::kMouseButtons, gui::kButtonLeft);
    EXPECT_EQ(above->cursorsSeen[0], (GuiPoint{50, 50}));

    moveTo(child, {20, 20});
    button(3, true);
    EXPECT_TRUE(waitFor(frame, [&] { return !below->presses.empty(); }));
    button(3, false);
    ASSERT_EQ(below->buttonsSeen.size(), 1u);
    EXPECT_EQ(below->buttonsSeen[0] & gui::kMouseButtons, gui::kButtonRight);
    frame->release();
}

// An editor the way a plug-in has one: the frame and a view are built in effEditOpen.
class TrackingEditor : public gui::EditorBase {
public:
    using EditorBase::EditorBase;
    VstIntPtr openView(void* parent) override {
        EditorBase::openView(parent);
        auto* frame = new gui::GuiFrame({0, 0, kWidth, kHeight}, parent, this);
        view = new TrackingView({0, 0, kWidth, kHeight});
        view->maxPasses = 20000;
        frame->appendChild(view);
        setFrame(frame);
        return 1;
    }
    TrackingView* view = nullptr;
};

TEST_F(X11Test, EditorOpenedByTheHostTracksTheRealPointerUntilRelease) {
    auto* effect = new gui_test::TestEffect;
    auto* editor = new TrackingEditor(effect);
    const auto idle = [&] { return effect->dispatch(effEditIdle, 0, 0, nullptr, 0.0f); };
    effect->dispatch(effEditOpen, 0, 0, reinterpret_cast<void*>(parent), 0.0f);
    ASSERT_NE(editor->frame(), nullptr);
    gui::GuiFrame* frame = editor->frame();
    TrackingView* view = editor->view;
    const auto until = [&](const std::function<bool()>& done) {
        for (int i = 0; i < 1500 && !done(); ++i) {
            idle();
            usleep(2000);
        }
        return done();
    };
    ASSERT_TRUE(until([&] { return !frame->isFirstDrawPending(); }));
    const Window child = childrenOf(parent).at(0);
    view->onPass = [&](int pass) {
        if (pass == 0) moveTo(child, {90, 15});
        if (view->track.size() >= 2 || pass > 5000) button(1, false);
    };
    moveTo(child, {30, 60});
    button(1, true);
    EXPECT_TRUE(until([&] { return !view->presses.empty(); }));
    button(1, false);
    const std::vector<GuiPoint> expected{{30, 60}, {90, 15}};
    EXPECT_EQ(view->track, expected);
    EXPECT_GE(gui_test::hostLog().idleCalls, 1);  // the host's idle ran during the drag
    effect->dispatch(effEditClose, 0, 0, nullptr, 0.0f);
    XSync(dpy, False);
    EXPECT_TRUE(childrenOf(parent).empty());
    delete effect;
}

TEST_F(X11Test, SwappedButtonsReportThePhysicalRightButtonAsLeft) {
    unsigned char map[32];
    const int n = XGetPointerMapping(dpy, map, 32);
    ASSERT_GE(n, 3);
    std::swap(map[0], map[2]);
    ASSERT_EQ(XSetPointerMapping(dpy, map, n), MappingSuccess);
    XSync(dpy, False);
    gui::GuiFrame* frame = openFrame(parent);
    auto* view = new RecordingView({0, 0, kWidth, kHeight});
    frame->appendChild(view);
    const Window child = childrenOf(parent).at(0);
    moveTo(child, {10, 10});
    button(3, true);  // the physical right button
    EXPECT_TRUE(waitFor(frame, [&] { return !view->presses.empty(); }));
    button(3, false);
    ASSERT_EQ(view->buttonsSeen.size(), 1u);
    EXPECT_EQ(view->buttonsSeen[0] & gui::kMouseButtons, gui::kButtonLeft);
    std::swap(map[0], map[2]);
    XSetPointerMapping(dpy, map, n);
    frame->release();
}

TEST_F(X11Test, ClosingDestroysTheWindowCleanly) {
    gui::GuiFrame* frame = openFrame(parent);
    frame->appendChild(new RecordingView({0, 0, 10, 10}));
    ASSERT_EQ(childrenOf(parent).size(), 1u);
    EXPECT_EQ(gui::platform::openWindowCount(), 1);
    frame->release();
    XSync(dpy, False);
    EXPECT_TRUE(childrenOf(parent).empty());
    EXPECT_EQ(gui::platform::openWindowCount(), 0);
}

TEST_F(X11Test, TwoFramesOfTheModuleOpenAtOnce) {
    const Window second = makeHostWindow(400, 40);
    gui::GuiFrame* a = openFrame(parent);
    gui::GuiFrame* b = openFrame(second);
    auto* viewB = new RecordingView({0, 0, kWidth, kHeight}, gui::kGreen);
    b->appendChild(viewB);
    EXPECT_EQ(gui::platform::openWindowCount(), 2);
    XClassHint hintA{}, hintB{};
    ASSERT_TRUE(XGetClassHint(dpy, childrenOf(parent).at(0), &hintA));
    ASSERT_TRUE(XGetClassHint(dpy, childrenOf(second).at(0), &hintB));
    EXPECT_STREQ(hintA.res_class, hintB.res_class);  // one class for the module
    for (char* p : {hintA.res_name, hintA.res_class, hintB.res_name, hintB.res_class}) XFree(p);
    ASSERT_TRUE(waitFor(a, [&] { return !a->isFirstDrawPending(); }));
    ASSERT_TRUE(waitFor(b, [&] { return !b->isFirstDrawPending(); }));
    // the first one closes; the second keeps drawing and taking clicks
    a->release();
    EXPECT_EQ(gui::platform::openWindowCount(), 1);
    const Window childB = childrenOf(second).at(0);
    viewB->colour_ = gui::kYellow;
    viewB->setNeedsPaint(true);
    EXPECT_TRUE(b->repaintDirty());
    XSync(dpy, False);
    EXPECT_TRUE(windowShows(childB, b->surface()));
    EXPECT_EQ(b->surface().pixel(5, 5), gui::kYellow.pixel());
    moveTo(childB, {7, 8});
    button(1, true);
    EXPECT_TRUE(waitFor(b, [&] { return !viewB->presses.empty(); }));
    button(1, false);
    b->release();
}

TEST_F(X11Test, HostDestroyingItsWindowStopsDrawingWithoutErrors) {
    gui::GuiFrame* frame = openFrame(parent);
    auto* view = new RecordingView({0, 0, 10, 10});
    frame->appendChild(view);
    ASSERT_TRUE(waitFor(frame, [&] { return !frame->isFirstDrawPending(); }));
    XDestroyWindow(dpy, parent);
    XSync(dpy, False);
    parent = 0;
    EXPECT_TRUE(waitFor(frame, [&] { return !frame->isWindowOpen(); }));
    view->setNeedsPaint(true);
    EXPECT_FALSE(frame->repaintDirty());
    frame->repaint(nullptr);
    EXPECT_EQ(frame->cursorPosition(), (GuiPoint{0, 0}));
    frame->release();  // destroying what is already gone raises no X error
}

TEST_F(X11Test, ParentThatDoesNotExistLeavesAFrameWithoutWindow) {
    gui::GuiFrame* frame = openFrame(static_cast<Window>(0x7FFFFFF0));
    EXPECT_EQ(frame->windowStatus(), gui::platform::Status::badParent);
    EXPECT_FALSE(frame->hasNativeWindow());
    EXPECT_EQ(gui::platform::openWindowCount(), 0);
    frame->paint(nullptr);
    frame->release();
}

}  // namespace
