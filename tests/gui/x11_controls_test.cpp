// Controls in a real X11 window under a virtual X server of the test's own: the
// user (XTest) drags a knob and picks an entry from an option menu's pop-up. The
// test's moves happen in the host's idle, which the controls keep running while
// they hold the pointer.
#include <gtest/gtest.h>
#include <unistd.h>

#include <functional>

#include "gui/gui_knob.h"
#include "gui/gui_option_menu.h"
#include "support/control_fixture.h"
#include "support/xvfb_environment.h"

// Xlib's macros (None, Bool, Status) come last, after everything they could break
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include "support/xtest_pointer.h"

namespace {

using gui::GuiPoint;

auto* const gXvfb =
    static_cast<gui_test::XvfbEnvironment*>(::testing::AddGlobalTestEnvironment(new gui_test::XvfbEnvironment));

constexpr int kWidth = 300, kHeight = 200;
constexpr gui::GuiRect kMenuRect{20, 100, 140, 120};

// The editor of a plug-in with one knob and one option menu.
class ControlsEditor : public gui::EditorBase {
public:
    ControlsEditor(frame::EffectBase* effect, gui::GuiListener* listener) : EditorBase(effect), listener_(listener) {}
    VstIntPtr openView(void* parent) override {
        EditorBase::openView(parent);
        auto* frame = new gui::GuiFrame({0, 0, kWidth, kHeight}, parent, this);
        knob = new gui::GuiKnob({20, 20, 68, 68}, listener_, 2, nullptr, nullptr, {0, 0});
        frame->appendChild(knob);
        menu = new gui::GuiOptionMenu(kMenuRect, listener_, 3, nullptr, nullptr, 0);
        for (const char* e : {"Soft", "Medium", "Hard"}) menu->insertItem(e);
        frame->appendChild(menu);
        setFrame(frame);
        return 1;
    }
    gui::GuiKnob* knob = nullptr;
    gui::GuiOptionMenu* menu = nullptr;

private:
    gui::GuiListener* listener_;
};

struct X11ControlTest : ::testing::Test {
    Display* dpy = nullptr;
    Window parent = 0;
    gui_test::TestEffect* effect = nullptr;
    ControlsEditor* editor = nullptr;
    gui_test::RecordingListener listener;

    void SetUp() override {
        if (!gui_test::XvfbServer::installed()) GTEST_SKIP() << "Xvfb is not installed, no X server to test against";
        ASSERT_TRUE(gXvfb->started()) << gXvfb->error();
        dpy = XOpenDisplay(nullptr);
        ASSERT_NE(dpy, nullptr);
        parent = XCreateSimpleWindow(dpy, DefaultRootWindow(dpy), 100, 100, kWidth, kHeight, 0, 0, 0x303030);
        XMapWindow(dpy, parent);
        XSync(dpy, False);
        effect = new gui_test::TestEffect;
        editor = new ControlsEditor(effect, &listener);
        effect->dispatch(effEditOpen, 0, 0, reinterpret_cast<void*>(parent), 0.0f);
        ASSERT_TRUE(until([&] { return !editor->frame()->isFirstDrawPending(); }));
    }
    void TearDown() override {
        if (effect) {
            effect->dispatch(effEditClose, 0, 0, nullptr, 0.0f);
            delete effect;
        }
        if (dpy) XCloseDisplay(dpy);
    }
    // The host's idle until done (at most about 5 s).
    bool until(const std::function<bool()>& done) {
        for (int i = 0; i < 2500 && !done(); ++i) {
            effect->dispatch(effEditIdle, 0, 0, nullptr, 0.0f);
            usleep(2000);
        }
        return done();
    }
    Window frameWindow() {
        Window root = 0, up = 0, *kids = nullptr;
        unsigned n = 0;
        Window child = 0;
        if (XQueryTree(dpy, parent, &root, &up, &kids, &n) && kids) {
            if (n > 0) child = kids[0];
            XFree(kids);
        }
        return child;
    }
    std::vector<Window> popupWindows() { return gui_test::popupWindows(dpy); }
    void moveTo(Window w, GuiPoint p) { gui_test::movePointer(dpy, w, p); }
    void button(bool down) { gui_test::pressLeftButton(dpy, down); }
};

TEST_F(X11ControlTest, ARealDragTurnsTheKnobAndReportsTheEditToTheHost) {
    effect->dispatch(effSetEditKnobMode, 0, 2, nullptr, 0.0f);  // linear
    const Window child = frameWindow();
    int step = 0;
    gui_test::hostLog().onIdle = [&] {
        switch (step++) {
            case 0: moveTo(child, {144, 44}); break;
            case 2: moveTo(child, {244, 44}); break;
            case 4: button(false); break;
            default: if (step > 200) button(false);
        }
    };
    moveTo(child, {44, 44});
    button(true);
    EXPECT_TRUE(until([&] { return gui_test::hostLog().edits.size() >= 2; }));
    button(false);
    gui_test::hostLog().onIdle = nullptr;
    EXPECT_FLOAT_EQ(editor->knob->getValue(), 1.0f);
    EXPECT_EQ(gui_test::hostLog().edits, (std::vector{gui_test::beginOf(2), gui_test::endOf(2)}));
    bool sawHalf = false;
    for (const auto& c : listener.changes) sawHalf |= c.control == editor->knob && c.value == 0.5f;
    EXPECT_TRUE(sawHalf);
    editor->setDragMode(0);
}

TEST_F(X11ControlTest, APickFromTheRealPopupReachesTheListener) {
    const Window child = frameWindow();
    int step = 0;
    std::vector<Window> panels;
    uint32_t panelCorner = 0;
    GuiPoint panelAt{}, frameAt{};
    gui_test::hostLog().onIdle = [&] {
        switch (step++) {
            case 0: button(false); break;  // the opening click ends; the menu stays open
            case 1: {
                panels = popupWindows();
                if (panels.size() != 1) break;
                Window unused = 0;
                XTranslateCoordinates(dpy, panels[0], DefaultRootWindow(dpy), 0, 0, &panelAt.h, &panelAt.v, &unused);
                XTranslateCoordinates(dpy, child, DefaultRootWindow(dpy), 0, 0, &frameAt.h, &frameAt.v, &unused);
                XImage* img = XGetImage(dpy, panels[0], 5, 5, 1, 1, AllPlanes, ZPixmap);
                if (img) {
                    panelCorner = static_cast<uint32_t>(XGetPixel(img, 0, 0) & 0xFFFFFF);
                    XDestroyImage(img);
                }
                moveTo(panels[0], {30, 3 + 2 * 18 + 9});  // over "Hard"
                break;
            }
            case 2: button(true); break;
            case 3: button(false); break;
            default:
                if (step > 200) {  // something went wrong: dismiss the menu
                    moveTo(child, {290, 190});
                    button(true);
                    button(false);
                }
        }
    };
    moveTo(child, {60, 110});
    button(true);
    EXPECT_TRUE(until([&] { return step > 3 && popupWindows().empty(); }));
    gui_test::hostLog().onIdle = nullptr;
    ASSERT_EQ(panels.size(), 1u);
    EXPECT_EQ(panelCorner, 0xD4D0C8u);  // the panel shows the menu's pixels
    EXPECT_EQ(panelAt, (GuiPoint{frameAt.h + kMenuRect.left, frameAt.v + kMenuRect.bottom}));  // below the menu
    ASSERT_EQ(listener.changes.size(), 1u);
    EXPECT_EQ(listener.changes[0].control, editor->menu);
    EXPECT_FLOAT_EQ(listener.changes[0].value, 2.0f);
    EXPECT_EQ(editor->menu->currentIndex(), 2);
    EXPECT_EQ(editor->frame()->focusView(), nullptr);
}

}  // namespace
