// The native window on X11. Each window has a display connection of its own, so the
// host's connection is never touched; errors on ours are trapped around each call
// instead of reaching the process-wide default handler, which would end the host.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>
#include <dlfcn.h>
#include <poll.h>
#undef Status  // Xlib's macro for int; the contract has a Status of its own

#include <bit>
#include <cstdint>
#include <cstdio>
#include <vector>

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

// Copies an area of the surface to a window of ours (same visual as the frame's).
void putPixels(NativeWindow& w, Window target, const Surface& pixels, const GuiRect& r) {
    // an image over the surface's own memory: nothing is converted or copied on our side
    XImage* image = XCreateImage(w.display, w.visual, 24, ZPixmap, 0,
                                 reinterpret_cast<char*>(const_cast<uint32_t*>(pixels.data())),
                                 static_cast<unsigned>(pixels.width()), static_cast<unsigned>(pixels.height()), 32,
                                 pixels.width() * 4);
    if (!image) return;
    image->byte_order = std::endian::native == std::endian::little ? LSBFirst : MSBFirst;
    XPutImage(w.display, target, w.gc, image, r.left, r.top, r.left, r.top, static_cast<unsigned>(r.width()),
              static_cast<unsigned>(r.height()));
    image->data = nullptr;  // the surface keeps its pixels
    XDestroyImage(image);
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

int doubleClickTimeMs() { return 500; }  // X has no setting of its own; the usual one elsewhere

Status openWindow(void* parent, int width, int height, EventSink& sink, NativeWindow** out) {
    if (const Status checked = checkOpenArguments(parent, width, height, out); checked != Status::ok) return checked;
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
    putPixels(*w, w->window, pixels, r);
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

namespace {

constexpr int kPopupWaitMs = 20;  // between host idles while the menu waits

// The panels of a pop-up menu: override-redirect windows on the frame's connection,
// above every other window, with the pointer and keyboard grabbed by the frame's
// window so that a click anywhere reaches the menu.
class X11Popup {
public:
    X11Popup(NativeWindow& owner, PopupSink& sink) : w_(owner), sink_(sink) {}
    ~X11Popup() {
        for (const Panel& p : panels_) XDestroyWindow(w_.display, p.window);
    }
    X11Popup(const X11Popup&) = delete;
    X11Popup& operator=(const X11Popup&) = delete;

    void run();

private:
    struct Panel {
        Window window = 0;
        GuiRect rect{};
    };

    void sync();
    void show(size_t index);
    bool nextEvent(XEvent& ev);
    bool ownerGone();
    bool handle(const XEvent& ev);  // false once the menu is done
    GuiPoint fromRoot(int x, int y) const { return {x - origin_.h, y - origin_.v}; }

    NativeWindow& w_;
    PopupSink& sink_;
    std::vector<Panel> panels_;
    GuiPoint origin_{};  // the owner window's top-left on the screen
};

void X11Popup::run() {
    Display* d = w_.display;
    const Window root = DefaultRootWindow(d);
    Window child = 0;
    int ox = 0, oy = 0;
    XTranslateCoordinates(d, w_.window, root, 0, 0, &ox, &oy, &child);
    origin_ = {ox, oy};
    XWindowAttributes screen{};
    XGetWindowAttributes(d, root, &screen);
    sink_.setScreenArea({-ox, -oy, screen.width - ox, screen.height - oy});
    sync();
    const unsigned pointerMask = ButtonPressMask | ButtonReleaseMask | PointerMotionMask;
    XGrabPointer(d, w_.window, False, pointerMask, GrabModeAsync, GrabModeAsync, None, None, CurrentTime);
    XGrabKeyboard(d, w_.window, False, GrabModeAsync, GrabModeAsync, CurrentTime);
    bool running = true;
    Window r = 0, c = 0;
    int rx = 0, ry = 0, x = 0, y = 0;
    unsigned mask = 0;
    if (XQueryPointer(d, w_.window, &r, &c, &rx, &ry, &x, &y, &mask))
        running = sink_.pointer({PopupPointer::Type::move, {x, y}, 0});
    while (running) {
        XEvent ev;
        if (nextEvent(ev)) {
            running = handle(ev);
            if (running) sync();
            continue;
        }
        if (ownerGone()) {
            sink_.pointer({PopupPointer::Type::cancel, {}, 0});
            break;
        }
        if (!sink_.idle()) {
            sink_.pointer({PopupPointer::Type::cancel, {}, 0});
            break;
        }
        XFlush(d);
        pollfd p{ConnectionNumber(d), POLLIN, 0};
        poll(&p, 1, kPopupWaitMs);
    }
    XUngrabKeyboard(d, CurrentTime);
    XUngrabPointer(d, CurrentTime);
}

// Panels follow the menu: new levels get windows, closed ones lose theirs, and every
// panel shows its current pixels.
void X11Popup::sync() {
    const size_t count = static_cast<size_t>(sink_.panelCount());
    while (panels_.size() > count) {
        XDestroyWindow(w_.display, panels_.back().window);
        panels_.pop_back();
    }
    for (size_t i = 0; i < count; ++i) {
        const GuiRect rect = sink_.panelRect(static_cast<int>(i));
        if (rect.isEmpty()) continue;
        if (i == panels_.size()) {
            XSetWindowAttributes a{};
            a.override_redirect = True;
            a.colormap = w_.colormap;
            a.background_pixmap = None;
            a.border_pixel = 0;
            a.save_under = True;
            a.event_mask = ExposureMask | ButtonPressMask | ButtonReleaseMask | PointerMotionMask;
            const Window win = XCreateWindow(
                w_.display, DefaultRootWindow(w_.display), origin_.h + rect.left, origin_.v + rect.top,
                static_cast<unsigned>(rect.width()), static_cast<unsigned>(rect.height()), 0, 24, InputOutput, w_.visual,
                CWOverrideRedirect | CWColormap | CWBackPixmap | CWBorderPixel | CWSaveUnder | CWEventMask, &a);
            XMapRaised(w_.display, win);
            panels_.push_back({win, rect});
        } else if (!(panels_[i].rect == rect)) {
            XMoveResizeWindow(w_.display, panels_[i].window, origin_.h + rect.left, origin_.v + rect.top,
                              static_cast<unsigned>(rect.width()), static_cast<unsigned>(rect.height()));
            panels_[i].rect = rect;
        }
        show(i);
    }
}

void X11Popup::show(size_t index) {
    if (index >= panels_.size()) return;
    const Surface& pixels = sink_.panelPixels(static_cast<int>(index));
    putPixels(w_, panels_[index].window, pixels, pixels.bounds());
}

bool X11Popup::nextEvent(XEvent& ev) {
    Display* d = w_.display;
    if (XCheckWindowEvent(d, w_.window, ButtonPressMask | ButtonReleaseMask | PointerMotionMask | KeyPressMask, &ev))
        return true;
    for (const Panel& p : panels_)
        if (XCheckWindowEvent(d, p.window, ExposureMask | ButtonPressMask | ButtonReleaseMask | PointerMotionMask, &ev))
            return true;
    return false;
}

// The host destroyed the frame's window: the frame must still learn of it.
bool X11Popup::ownerGone() {
    XEvent ev;
    if (w_.destroyed) return true;
    if (!XCheckTypedWindowEvent(w_.display, w_.window, DestroyNotify, &ev)) return false;
    XPutBackEvent(w_.display, &ev);
    return true;
}

bool X11Popup::handle(const XEvent& ev) {
    switch (ev.type) {
        case MotionNotify:
            return sink_.pointer({PopupPointer::Type::move, fromRoot(ev.xmotion.x_root, ev.xmotion.y_root), 0});
        case ButtonPress:
        case ButtonRelease: {
            const int bit = buttonBit(ev.xbutton.button);
            if (!bit) return true;
            const GuiPoint where = fromRoot(ev.xbutton.x_root, ev.xbutton.y_root);
            if (!sink_.pointer({PopupPointer::Type::move, where, 0})) return false;
            const auto type = ev.type == ButtonPress ? PopupPointer::Type::press : PopupPointer::Type::release;
            return sink_.pointer({type, where, bit});
        }
        case KeyPress: {
            XKeyEvent key = ev.xkey;
            if (XLookupKeysym(&key, 0) != XK_Escape) return true;
            return sink_.pointer({PopupPointer::Type::cancel, {}, 0});
        }
        case Expose:
            for (size_t i = 0; i < panels_.size(); ++i)
                if (panels_[i].window == ev.xexpose.window) show(i);
            return true;
        default: return true;
    }
}

}  // namespace

Status trackPopup(NativeWindow* w, PopupSink& sink) {
    if (!w || w->destroyed) return Status::closed;
    // the frame's own event handling stays out while the menu owns the events
    const bool wasPolling = w->polling;
    w->polling = true;
    {
        ErrorTrap trap(w->display);
        X11Popup popup(*w, sink);
        popup.run();
    }
    w->polling = wasPolling;
    return w->destroyed ? Status::closed : Status::ok;
}

}  // namespace gui::platform
