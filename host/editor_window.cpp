#include "host/editor_window.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>

#include "host/host_error.h"

namespace host {
namespace {

constexpr auto kMapTimeout = std::chrono::seconds(5);
constexpr auto kPollPause = std::chrono::milliseconds(5);

// The X server's errors would end the process through Xlib's default handler;
// a host outlives its plug-ins' mistakes, so they are counted instead.
int xErrors = 0;
int countError(Display*, XErrorEvent*) {
    ++xErrors;
    return 0;
}

// Eight bits of a pixel's channel under mask.
uint8_t channel(unsigned long pixel, unsigned long mask) {
    if (mask == 0) return 0;
    int shift = 0;
    while (((mask >> shift) & 1) == 0) ++shift;
    unsigned long value = (pixel & mask) >> shift;
    unsigned long top = mask >> shift;
    return static_cast<uint8_t>(value * 255 / top);
}

}  // namespace

struct EditorWindow::X11 {
    Display* display = nullptr;
    Window window = 0;
    XErrorHandler previousHandler = nullptr;
};

std::unique_ptr<EditorWindow> EditorWindow::open(Plugin& plugin) {
    if ((plugin.effect()->flags & effFlagsHasEditor) == 0) {
        throw HostError("'" + plugin.displayName() + "' has no editor (its record lacks effFlagsHasEditor)");
    }
    std::unique_ptr<EditorWindow> window(new EditorWindow(plugin));
    window->openEditor();
    return window;
}

EditorWindow::EditorWindow(Plugin& plugin) : plugin_(plugin), x_(std::make_unique<X11>()) {
    const char* name = std::getenv("DISPLAY");
    if (name == nullptr || *name == '\0') {
        throw HostError("no X display: DISPLAY is not set (without a display, run under a virtual one: "
                        "xvfb-run -a tarn snapshot ...)");
    }
    x_->display = XOpenDisplay(name);
    if (x_->display == nullptr) {
        throw HostError(std::string("cannot open the X display '") + name +
                        "' (without a display, run under a virtual one: xvfb-run -a tarn snapshot ...)");
    }
    x_->previousHandler = XSetErrorHandler(countError);
}

EditorWindow::~EditorWindow() {
    if (editorOpen_) plugin_.dispatch(effEditClose);
    if (x_->display != nullptr) {
        if (x_->window != 0) XDestroyWindow(x_->display, x_->window);
        XCloseDisplay(x_->display);
        XSetErrorHandler(x_->previousHandler);
    }
}

bool EditorWindow::editorRect(int& width, int& height) {
    ERect* rect = nullptr;
    plugin_.dispatch(effEditGetRect, 0, 0, &rect);
    if (rect == nullptr) return false;
    width = rect->right - rect->left;
    height = rect->bottom - rect->top;
    return width > 0 && height > 0;
}

void EditorWindow::openEditor() {
    Display* display = x_->display;
    // some editors know their size only once open: a placeholder size until then
    bool sized = editorRect(width_, height_);
    int screen = DefaultScreen(display);
    x_->window = XCreateSimpleWindow(display, RootWindow(display, screen), 0, 0, sized ? width_ : 100,
                                     sized ? height_ : 100, 0, BlackPixel(display, screen),
                                     BlackPixel(display, screen));
    std::string title = "tarn snapshot: " + plugin_.displayName();
    XStoreName(display, x_->window, title.c_str());
    XSelectInput(display, x_->window, StructureNotifyMask);
    XSync(display, False);

    plugin_.dispatch(effEditOpen, 0, 0, reinterpret_cast<void*>(x_->window));
    editorOpen_ = true;
    int openWidth = 0, openHeight = 0;
    if (!editorRect(openWidth, openHeight)) {
        throw HostError("'" + plugin_.displayName() + "' reports no size for its editor (effEditGetRect)");
    }
    if (!sized || openWidth != width_ || openHeight != height_) {
        width_ = openWidth;
        height_ = openHeight;
        XResizeWindow(display, x_->window, static_cast<unsigned>(width_), static_cast<unsigned>(height_));
    }
    XMapRaised(display, x_->window);
    waitUntilMapped();

    Window root = 0, parent = 0, *children = nullptr;
    unsigned count = 0;
    XQueryTree(display, x_->window, &root, &parent, &children, &count);
    if (children != nullptr) XFree(children);
    if (count == 0) {
        throw HostError("'" + plugin_.displayName() + "' did not open its editor in the window it was given");
    }
}

void EditorWindow::waitUntilMapped() {
    auto deadline = std::chrono::steady_clock::now() + kMapTimeout;
    while (std::chrono::steady_clock::now() < deadline) {
        plugin_.dispatch(effEditIdle);
        while (XPending(x_->display) > 0) {
            XEvent event;
            XNextEvent(x_->display, &event);
            if (event.type == MapNotify && event.xmap.window == x_->window) return;
        }
        std::this_thread::sleep_for(kPollPause);
    }
    throw HostError("the X server did not show tarn's editor window");
}

void EditorWindow::idle() {
    plugin_.dispatch(effEditIdle);
    while (XPending(x_->display) > 0) {
        XEvent event;
        XNextEvent(x_->display, &event);
    }
}

WindowPixels EditorWindow::capture() {
    XSync(x_->display, False);
    XImage* image = XGetImage(x_->display, x_->window, 0, 0, static_cast<unsigned>(width_),
                              static_cast<unsigned>(height_), AllPlanes, ZPixmap);
    if (image == nullptr) {
        throw HostError("cannot read the editor window's pixels from the X server (is the window off screen?)");
    }
    WindowPixels pixels;
    pixels.width = width_;
    pixels.height = height_;
    pixels.rgb.reserve(static_cast<size_t>(width_) * static_cast<size_t>(height_) * 3);
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            unsigned long pixel = XGetPixel(image, x, y);
            pixels.rgb.push_back(channel(pixel, image->red_mask));
            pixels.rgb.push_back(channel(pixel, image->green_mask));
            pixels.rgb.push_back(channel(pixel, image->blue_mask));
        }
    }
    XDestroyImage(image);
    return pixels;
}

}  // namespace host
