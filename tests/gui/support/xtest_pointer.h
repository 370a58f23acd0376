// The real pointer under a test's X server, moved and pressed through XTest, and the
// pop-up panels it can reach. Include it last: it brings Xlib and its macros.
#pragma once

#include <vector>

#include "gui/gui_types.h"

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#undef Status

namespace gui_test {

// The pointer to p in the window's own pixels.
inline void movePointer(Display* dpy, Window window, gui::GuiPoint p) {
    int x = 0, y = 0;
    Window child = 0;
    XTranslateCoordinates(dpy, window, DefaultRootWindow(dpy), p.h, p.v, &x, &y, &child);
    XTestFakeMotionEvent(dpy, -1, x, y, CurrentTime);
    XSync(dpy, False);
}

// The left button down or up.
inline void pressLeftButton(Display* dpy, bool down) {
    XTestFakeButtonEvent(dpy, 1, down ? True : False, CurrentTime);
    XSync(dpy, False);
}

// The mapped override-redirect windows on the screen: a pop-up menu's panels.
inline std::vector<Window> popupWindows(Display* dpy) {
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

}  // namespace gui_test
