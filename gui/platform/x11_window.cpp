// The native window on X11. Each window has a display connection of its own, so the
// host's connection is never touched; errors on ours are trapped around each call
// instead of reaching the process-wide default handler, which would end the host.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <dlfcn.h>
#undef Status  // Xlib's macro for int; the contract has a Status of its own

#include <bit>
#include <cstdint>
#include <cstdio>

#include "gui/platform/window.h"

namespace gui::platform {

struct NativeWindow {
    Display* display = nullptr;
    Window window = 0;
    Visual* visual = nullptr;
    Colormap colormap = 0;
    bool ownColormap = false;
    GC gc = nullptr;
    EventSink* sink = nullptr;
    int width = 0, height = 0;
    bool destroyed = false;  // the host destroyed it under us
    bool polling = false;
    bool painting = false;
};

namespace {

int gOpenCount = 0;

// Collects the errors of our own connections while installed; others go on to the
// handler that was there before.
class ErrorTrap {
public:
    explicit ErrorTrap(Display* display) : display_(display) {
        previous_ = XSetErrorHandler(&ErrorTrap::handle);
        outer_ = active_;
        active_ = this;
    }
    ~ErrorTrap() {
        XSync(display_, False);
        active_ = outer_;
        XSetErrorHandler(previous_);
    }
    // Waits for the server and tells whether one of our requests failed.
    bool failed() {
        XSync(display_, False);
        return errors_ > 0;
    }

private:
    static int handle(Display* display, XErrorEvent* event) {
        for (ErrorTrap* t = active_; t; t = t->outer_)
            if (t->display_ == display) {
                ++t->errors_;
                return 0;
            }
        return active_ && active_->previous_ ? active_->previous_(display, event) : 0;
    }

    static inline ErrorTrap* active_ = nullptr;
    Display* display_;
    XErrorHandler previous_;
    ErrorTrap* outer_;
    int errors_ = 0;
};

int buttonBit(unsigned button) {
    switch (button) {
        case Button1: return kButtonLeft;
        case Button2: return kButtonMiddle;
        case Button3: return kButtonRight;
        default: return 0;  // wheel and extra buttons are not clicks
    }
}

// X reports logical buttons, with any user swap of left and right already applied.
int buttonState(unsigned mask) {
    int state = 0;
    if (mask & Button1Mask) state |= kButtonLeft;
    if (mask & Button2Mask) state |= kButtonMiddle;
    if (mask & Button3Mask) state |= kButtonRight;
    if (mask & ShiftMask) state |= kKeyShift;
    if (mask & ControlMask) state |= kKeyControl;
    if (mask & Mod1Mask) state |= kKeyAlt;
    return state;
}

bool findVisual(Display* display, NativeWindow& w) {
    XVisualInfo info{};
    const int screen = DefaultScreen(display);
    if (!XMatchVisualInfo(display, screen, 24, TrueColor, &info)) return false;
    if (info.red_mask != 0xFF0000 || info.green_mask != 0x00FF00 || info.blue_mask != 0x0000FF) return false;
    w.visual = info.visual;
    if (info.visual == DefaultVisual(display, screen)) {
        w.colormap = DefaultColormap(display, screen);
    } else {
        w.colormap = XCreateColormap(display, RootWindow(display, screen), info.visual, AllocNone);
        w.ownColormap = true;
    }
    return true;
}

void release(NativeWindow* w) {
    if (w->display) {
        ErrorTrap trap(w->display);
        if (w->gc) XFreeGC(w->display, w->gc);
        if (w->window && !w->destroyed) XDestroyWindow(w->display, w->window);
        if (w->ownColormap) XFreeColormap(w->display, w->colormap);
    }
    if (w->display) XCloseDisplay(w->display);
    delete w;
}

Status createChild(NativeWindow& w, Window parent) {
    ErrorTrap trap(w.display);
    XSetWindowAttributes attrs{};
    attrs.colormap = w.colormap;
    attrs.background_pixmap = None;  // the surface paints every pixel; no flash of a background
    attrs.border_pixel = 0;
    attrs.event_mask = ExposureMask | ButtonPressMask | ButtonReleaseMask | StructureNotifyMask;
    w.window = XCreateWindow(w.display, parent, 0, 0, static_cast<unsigned>(w.width), static_cast<unsigned>(w.height), 0,
                             24, InputOutput, w.visual, CWColormap | CWBackPixmap | CWBorderPixel | CWEventMask, &attrs);
    if (trap.failed() || !w.window) {
        w.window = 0;
        return Status::badParent;
    }
    XClassHint hint{};
    hint.res_name = const_cast<char*>(windowClassName());
    hint.res_class = const_cast<char*>(windowClassName());
    XSetClassHint(w.display, w.window, &hint);
    XStoreName(w.display, w.window, "Window");
    w.gc = XCreateGC(w.display, w.window, 0, nullptr);
    XMapWindow(w.display, w.window);
    return trap.failed() ? Status::createFailed : Status::ok;
}

}  // namespace

const char* windowClassName() {
    static char name[32] = "";
    if (!name[0]) {
        Dl_info info{};
        const void* base = dladdr(reinterpret_cast<const void*>(&windowClassName), &info) ? info.dli_fbase : nullptr;
        std::snprintf(name, sizeof name, "Plugin%08x", static_cast<unsigned>(reinterpret_cast<uintptr_t>(base)));
    }
    return name;
}

int openWindowCount() { return gOpenCount; }

Status openWindow(void* parent, int width, int height, EventSink& sink, NativeWindow** out) {
    if (!out) return Status::createFailed;
    *out = nullptr;
    if (!parent) return Status::badParent;
    if (width <= 0 || height <= 0) return Status::createFailed;
    auto* w = new NativeWindow;
    w->sink = &sink;
    w->width = width;
    w->height = height;
    w->display = XOpenDisplay(nullptr);
    if (!w->display) {
        release(w);
        return Status::noDisplay;
    }
    if (!findVisual(w->display, *w)) {
        release(w);
        return Status::noVisual;
    }
    const Status status = createChild(*w, static_cast<Window>(reinterpret_cast<uintptr_t>(parent)));
    if (status != Status::ok) {
        release(w);
        return status;
    }
    ++gOpenCount;
    *out = w;
    return Status::ok;
}

void closeWindow(NativeWindow* w) {
    if (!w) return;
    --gOpenCount;
    release(w);
}

void present(NativeWindow* w, const Surface& pixels, const GuiRect& dirty) {
    if (!w || w->destroyed) return;
    const GuiRect r = dirty.intersect(pixels.bounds()).intersect({0, 0, w->width, w->height});
    if (r.isEmpty()) return;
    ErrorTrap trap(w->display);
    // an image over the surface's own memory: nothing is converted or copied on our side
    XImage* image = XCreateImage(w->display, w->visual, 24, ZPixmap, 0,
                                 reinterpret_cast<char*>(const_cast<uint32_t*>(pixels.data())),
                                 static_cast<unsigned>(pixels.width()), static_cast<unsigned>(pixels.height()), 32,
                                 pixels.width() * 4);
    if (!image) return;
    image->byte_order = std::endian::native == std::endian::little ? LSBFirst : MSBFirst;
    XPutImage(w->display, w->window, w->gc, image, r.left, r.top, r.left, r.top, static_cast<unsigned>(r.width()),
              static_cast<unsigned>(r.height()));
    image->data = nullptr;  // the surface keeps its pixels
    XDestroyImage(image);
}

Status pollEvents(NativeWindow* w, PollMode mode) {
    if (!w) return Status::closed;
    bool& busy = mode == PollMode::all ? w->polling : w->painting;
    if (busy) return Status::nested;
    busy = true;
    GuiRect exposed{};
    {
        ErrorTrap trap(w->display);
        XEvent ev;
        while (!w->destroyed &&
               (mode == PollMode::all ? XPending(w->display) > 0 : XCheckTypedWindowEvent(w->display, w->window, Expose, &ev))) {
            if (mode == PollMode::all) XNextEvent(w->display, &ev);
            if (ev.xany.window != w->window) continue;
            switch (ev.type) {
                case Expose:
                    exposed = exposed.unite({ev.xexpose.x, ev.xexpose.y, ev.xexpose.x + ev.xexpose.width,
                                             ev.xexpose.y + ev.xexpose.height});
                    break;
                case ButtonPress:
                case ButtonRelease: {
                    const int bit = buttonBit(ev.xbutton.button);
                    if (!bit) break;
                    Event e;
                    e.type = ev.type == ButtonPress ? Event::Type::pointerDown : Event::Type::pointerUp;
                    e.where = {ev.xbutton.x, ev.xbutton.y};
                    e.button = bit;
                    w->sink->handleEvent(e);
                    break;
                }
                case DestroyNotify:
                    if (ev.xdestroywindow.window == w->window) {
                        w->destroyed = true;
                        Event e;
                        e.type = Event::Type::destroyed;
                        w->sink->handleEvent(e);
                    }
                    break;
                default: break;
            }
        }
    }
    if (!exposed.isEmpty() && !w->destroyed) {
        Event e;
        e.type = Event::Type::expose;
        e.area = exposed;
        w->sink->handleEvent(e);
    }
    busy = false;
    return w->destroyed ? Status::closed : Status::ok;
}

PointerState pointerState(NativeWindow* w) {
    PointerState state;
    if (!w || w->destroyed) return state;
    ErrorTrap trap(w->display);
    Window root = 0, child = 0;
    int rootX = 0, rootY = 0, x = 0, y = 0;
    unsigned mask = 0;
    if (XQueryPointer(w->display, w->window, &root, &child, &rootX, &rootY, &x, &y, &mask)) state.where = {x, y};
    state.buttons = buttonState(mask);
    return state;
}

}  // namespace gui::platform
