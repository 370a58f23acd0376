#include "tests/support/x11_editor_test.h"

#include <unistd.h>

#include "tests/gui/support/xvfb_environment.h"

// Xlib's macros (None, Bool, Status) come last, after everything they could break
#include "tests/gui/support/xtest_pointer.h"

namespace testing_support {
namespace {

// one server for the whole test program, started before its first test
auto* const gXvfb =
    static_cast<gui_test::XvfbEnvironment*>(::testing::AddGlobalTestEnvironment(new gui_test::XvfbEnvironment));

}  // namespace

X11EditorTest::X11EditorTest(std::string name, int width, int height)
    : LoadedEditorTest(std::move(name)), width_(width), height_(height) {}

void X11EditorTest::SetUp() {
    if (!gui_test::XvfbServer::installed()) GTEST_SKIP() << "Xvfb is not installed, no X server to test against";
    ASSERT_TRUE(gXvfb->started()) << gXvfb->error();
    LoadedEditorTest::SetUp();
    if (HasFatalFailure()) return;
    dpy = XOpenDisplay(nullptr);
    ASSERT_NE(dpy, nullptr);
    parent = XCreateSimpleWindow(dpy, DefaultRootWindow(dpy), 50, 50, static_cast<unsigned>(width_),
                                 static_cast<unsigned>(height_), 0, 0, 0x303030);
    XMapWindow(dpy, parent);
    XSync(dpy, False);
    host.onIdle = [this] { next(); };
    open();
}

void X11EditorTest::TearDown() {
    host.onIdle = nullptr;
    LoadedEditorTest::TearDown();
    if (dpy) XCloseDisplay(dpy);
}

void X11EditorTest::open() {
    ASSERT_EQ(dispatch(effect, effEditOpen, 0, 0, reinterpret_cast<void*>(parent)), 1);
    editor()->setClock(&clock);
    ASSERT_TRUE(until([&] { return !frame()->isFirstDrawPending(); }));
}

void X11EditorTest::move(gui::GuiPoint p) {
    steps.push_back([this, p] { pointTo(parent, p); });
}

void X11EditorTest::button(bool down) {
    steps.push_back([this, down] { gui_test::pressLeftButton(dpy, down); });
}

void X11EditorTest::click(gui::GuiPoint p) {
    move(p);
    button(true);
    button(false);
}

void X11EditorTest::drag(gui::GuiPoint from, gui::GuiPoint to) {
    move(from);
    button(true);
    move({(from.h + to.h) / 2, (from.v + to.v) / 2});
    move(to);
    button(false);
}

void X11EditorTest::next() {
    if (steps.empty()) return;
    auto step = std::move(steps.front());
    steps.pop_front();
    step();
}

bool X11EditorTest::until(const std::function<bool()>& done) {
    for (int i = 0; i < 3000 && !done(); ++i) {
        dispatch(effect, effEditIdle);
        usleep(2000);
    }
    return done();
}

void X11EditorTest::play() {
    ASSERT_TRUE(until([&] {
        next();
        return steps.empty();
    }));
    for (int i = 0; i < 20; ++i) {
        dispatch(effect, effEditIdle);
        usleep(2000);
    }
}

void X11EditorTest::pointTo(WindowId window, gui::GuiPoint p) { gui_test::movePointer(dpy, window, p); }

std::vector<X11EditorTest::WindowId> X11EditorTest::popupWindows() const { return gui_test::popupWindows(dpy); }

std::vector<float> X11EditorTest::automated(VstInt32 index) const {
    std::vector<float> out;
    for (const HostCall& c : host.callsWith(audioMasterAutomate))
        if (c.index == index) out.push_back(c.opt);
    return out;
}

int X11EditorTest::count(VstInt32 opcode, VstInt32 index) const {
    int n = 0;
    for (const HostCall& c : host.callsWith(opcode)) n += c.index == index;
    return n;
}

}  // namespace testing_support
