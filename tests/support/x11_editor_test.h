// A built plug-in's editor as a Linux host shows it: opened in a parent window of the
// test's own under a private Xvfb and worked with the real pointer (XTest). The test
// writes a script of pointer steps; each runs at one host idle, from inside a
// control's tracking loop too, so steps reach controls while they track the pointer.
// The script's click and drag hide the headless ones of LoadedEditorTest.
// Link tarn_x11_test_support.
#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "tests/support/loaded_editor_test.h"

struct _XDisplay;  // Xlib's Display, kept out of here with Xlib's macros

namespace testing_support {

class X11EditorTest : public LoadedEditorTest {
protected:
    using WindowId = unsigned long;  // an X window

    // The plug-in's name and its panel's size, which the parent window takes.
    X11EditorTest(std::string name, int width, int height);

    // Skips when no Xvfb is installed; opens the parent window and the editor in it.
    void SetUp() override;
    void TearDown() override;
    // effEditOpen in the parent window, then the host's idle until the first paint.
    void open();

    // Script steps: the pointer to p (parent window pixels), the left button.
    void move(gui::GuiPoint p);
    void button(bool down);
    void click(gui::GuiPoint p);
    // Pressed at from, moved halfway and on to to, let go there.
    void drag(gui::GuiPoint from, gui::GuiPoint to);
    // Runs the next step of the script, if any.
    void next();
    // The host's idle until done (at most about 6 s).
    bool until(const std::function<bool()>& done);
    // Runs the script to its end, and the idles that deliver its last step.
    void play();

    // The pointer to p in a window's own pixels, at once.
    void pointTo(WindowId window, gui::GuiPoint p);
    // The pop-up panels on the screen now.
    std::vector<WindowId> popupWindows() const;

    // The values the host was sent for one parameter, in order.
    std::vector<float> automated(VstInt32 index) const;
    // How often the host got opcode for one parameter.
    int count(VstInt32 opcode, VstInt32 index) const;
    gui::GuiPoint at(int tag) const { return centre(control(tag)->getBounds()); }

    _XDisplay* dpy = nullptr;
    WindowId parent = 0;
    std::deque<std::function<void()>> steps;

private:
    int width_, height_;
};

}  // namespace testing_support
