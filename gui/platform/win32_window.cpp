// The native window on Win32: a child of the host's window, of a class the module
// registers while any of its windows is open, showing the frame's surface through
// SetDIBitsToDevice. The host's message loop calls our window procedure, so presses
// and paints reach the frame as they arrive; a control's tracking loop runs inside
// the press and pumps only WM_PAINT, as a native control's would.
#define WIN32_LEAN_AND_MEAN
#define NOMINMAX
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <memory>
#include <vector>

#include "gui/platform/window.h"

namespace gui::platform {

// What a window of the module's class stands for (a frame's window or a pop-up
// panel); its window procedure is the target's message.
class MessageTarget {
public:
    virtual LRESULT message(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) = 0;

protected:
    ~MessageTarget() = default;
};

struct NativeWindow final : MessageTarget {
    HWND hwnd = nullptr;  // null once the window is gone
    EventSink* sink = nullptr;
    int width = 0, height = 0;
    bool destroyed = false;  // the host destroyed it under us
    bool pressing = false;   // a press is being handled: a control may be tracking the pointer
    bool painting = false;
    // Messages being handled; the editor may close the window from inside one (the
    // host's idle during a drag), and then it is deleted when the outermost returns.
    int depth = 0;
    bool closed = false;

    LRESULT message(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) override;
    LRESULT handle(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
};

namespace {

int gClassUsers = 0;  // frames' windows of the class; the class lives while one is open
constexpr int kPaintsPerPump = 8;  // WM_PAINTs one tracking pass dispatches at most

HINSTANCE moduleInstance() {
    static const char anchor = 0;  // any address inside this module
    static HINSTANCE instance = [] {
        HMODULE module = nullptr;
        GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                           &anchor, &module);
        return module;
    }();
    return instance;
}

LRESULT CALLBACK windowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lp);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* target = reinterpret_cast<MessageTarget*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (msg == WM_NCDESTROY) SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
    return target ? target->message(hwnd, msg, wp, lp) : DefWindowProcA(hwnd, msg, wp, lp);
}

// Registers the class for the first window; later ones share it. A class left behind
// by an earlier load of this very module (same name, same procedure) is taken over.
bool acquireClass() {
    if (gClassUsers == 0) {
        WNDCLASSEXA wc{};
        wc.cbSize = sizeof wc;
        wc.style = CS_GLOBALCLASS;
        wc.lpfnWndProc = windowProc;
        wc.hInstance = moduleInstance();
        wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
        wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
        wc.lpszClassName = windowClassName();
        if (!RegisterClassExA(&wc)) {
            WNDCLASSEXA existing{};
            existing.cbSize = sizeof existing;
            if (GetLastError() != ERROR_CLASS_ALREADY_EXISTS ||
                !GetClassInfoExA(moduleInstance(), windowClassName(), &existing) || existing.lpfnWndProc != windowProc)
                return false;
        }
    }
    ++gClassUsers;
    return true;
}

void releaseClass() {
    if (gClassUsers > 0 && --gClassUsers == 0) UnregisterClassA(windowClassName(), moduleInstance());
}

// Copies an area of the surface to `at` in a device context. The surface's rows are a
// top-down 32-bit DIB as they are (0x00RRGGBB is blue, green, red, spare in memory).
void blit(HDC dc, const Surface& pixels, const GuiRect& area, POINT at) {
    const GuiRect r = area.intersect(pixels.bounds());
    if (r.isEmpty()) return;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = pixels.width();
    info.bmiHeader.biHeight = -r.height();  // the rows of the area, first row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    SetDIBitsToDevice(dc, at.x, at.y, static_cast<DWORD>(r.width()), static_cast<DWORD>(r.height()), r.left, 0, 0,
                      static_cast<UINT>(r.height()), pixels.row(r.top), &info, DIB_RGB_COLORS);
}

GuiPoint pointOf(LPARAM lp) {  // client coordinates, signed
    return {static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
}

bool keyDown(int key) { return (GetAsyncKeyState(key) & 0x8000) != 0; }

}  // namespace

LRESULT NativeWindow::message(HWND window, UINT msg, WPARAM wp, LPARAM lp) {
    ++depth;
    const LRESULT result = handle(window, msg, wp, lp);
    if (--depth == 0 && closed) delete this;
    return result;
}

LRESULT NativeWindow::handle(HWND window, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_ERASEBKGND: return 1;  // the surface covers every pixel: no flash of the class brush
        case WM_PAINT: {
            PAINTSTRUCT ps;
            BeginPaint(window, &ps);
            const GuiRect area{ps.rcPaint.left, ps.rcPaint.top, ps.rcPaint.right, ps.rcPaint.bottom};
            if (!destroyed && !closed && !area.isEmpty()) {
                Event e;
                e.type = Event::Type::expose;
                e.area = area;
                sink->handleEvent(e);
            }
            EndPaint(window, &ps);
            return 0;
        }
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN: {
            // a press arriving while another is tracked (a host pumping input in its
            // idle) is not a second click of ours
            if (pressing || destroyed || closed) return 0;
            pressing = true;
            Event e;
            e.type = Event::Type::pointerDown;
            e.where = pointOf(lp);
            e.button = msg == WM_LBUTTONDOWN ? kButtonLeft : msg == WM_RBUTTONDOWN ? kButtonRight : kButtonMiddle;
            sink->handleEvent(e);
            pressing = false;
            return 0;
        }
        case WM_DESTROY:
            if (!destroyed && !closed) {
                destroyed = true;
                Event e;
                e.type = Event::Type::destroyed;
                sink->handleEvent(e);
            }
            return 0;
        case WM_NCDESTROY: hwnd = nullptr; return DefWindowProcA(window, msg, wp, lp);
        default: return DefWindowProcA(window, msg, wp, lp);
    }
}

const char* windowClassName() {
    static char name[32] = "";
    if (!name[0])
        std::snprintf(name, sizeof name, "Plugin%08x",
                      static_cast<unsigned>(reinterpret_cast<uintptr_t>(moduleInstance()) & 0xFFFFFFFFu));
    return name;
}

int openWindowCount() { return gClassUsers; }

int doubleClickTimeMs() { return static_cast<int>(GetDoubleClickTime()); }

Status openWindow(void* parent, int width, int height, EventSink& sink, NativeWindow** out) {
    if (const Status checked = checkOpenArguments(parent, width, height, out); checked != Status::ok) return checked;
    const HWND parentWindow = static_cast<HWND>(parent);
    if (!IsWindow(parentWindow)) return Status::badParent;
    if (!acquireClass()) return Status::createFailed;
    auto* w = new NativeWindow;
    w->sink = &sink;
    w->width = width;
    w->height = height;
    w->hwnd = CreateWindowExA(0, windowClassName(), "Window", WS_CHILD | WS_VISIBLE, 0, 0, width, height, parentWindow,
                              nullptr, moduleInstance(), static_cast<MessageTarget*>(w));
    if (!w->hwnd) {
        delete w;
        releaseClass();
        return Status::createFailed;
    }
    *out = w;
    return Status::ok;
}

void closeWindow(NativeWindow* w) {
    if (!w || w->closed) return;
    w->closed = true;
    if (HWND hwnd = w->hwnd) {
        w->hwnd = nullptr;
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);  // the frame hears nothing more of it
        DestroyWindow(hwnd);
    }
    releaseClass();
    if (w->depth == 0) delete w;  // else when its message returns
}

void present(NativeWindow* w, const Surface& pixels, const GuiRect& dirty) {
    if (!w || !w->hwnd) return;
    const GuiRect r = dirty.intersect({0, 0, w->width, w->height});
    if (r.isEmpty()) return;
    if (HDC dc = GetDC(w->hwnd)) {
        blit(dc, pixels, r, {r.left, r.top});
        ReleaseDC(w->hwnd, dc);
    }
}

// The host's message loop delivers everything to the window procedure; only a
// control's tracking loop, which holds the thread, dispatches paints itself.
Status pollEvents(NativeWindow* w, PollMode mode) {
    if (!w) return Status::closed;
    if (mode == PollMode::paintOnly) {
        if (w->painting) return Status::nested;
        w->painting = true;
        MSG msg;
        for (int i = 0; i < kPaintsPerPump && w->hwnd && PeekMessageA(&msg, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE); ++i)
            DispatchMessageA(&msg);
        w->painting = false;
    }
    return w->destroyed ? Status::closed : Status::ok;
}

// The live buttons are the physical ones; with the buttons swapped in the system
// settings the physical right one is the user's left.
PointerState pointerState(NativeWindow* w) {
    PointerState state;
    if (!w || w->destroyed || !w->hwnd) return state;
    POINT p{};
    if (GetCursorPos(&p) && ScreenToClient(w->hwnd, &p)) state.where = {p.x, p.y};
    const bool swapped = GetSystemMetrics(SM_SWAPBUTTON) != 0;
    if (keyDown(VK_LBUTTON)) state.buttons |= swapped ? kButtonRight : kButtonLeft;
    if (keyDown(VK_RBUTTON)) state.buttons |= swapped ? kButtonLeft : kButtonRight;
    if (keyDown(VK_MBUTTON)) state.buttons |= kButtonMiddle;
    if (keyDown(VK_SHIFT)) state.buttons |= kKeyShift;
    if (keyDown(VK_CONTROL)) state.buttons |= kKeyControl;
    if (keyDown(VK_MENU)) state.buttons |= kKeyAlt;
    return state;
}

namespace {

constexpr DWORD kPopupWaitMs = 20;  // between host idles while the menu waits

// One panel of a pop-up menu: a top-most pop-up window that never takes the focus
// and shows the panel's pixels.
class PopupPanel final : public MessageTarget {
public:
    PopupPanel(PopupSink& sink, int index) : sink_(sink), index_(index) {}
    ~PopupPanel() {
        if (hwnd) {
            SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
            DestroyWindow(hwnd);
        }
    }
    PopupPanel(const PopupPanel&) = delete;
    PopupPanel& operator=(const PopupPanel&) = delete;

    void show() {
        if (HDC dc = GetDC(hwnd)) {
            draw(dc);
            ReleaseDC(hwnd, dc);
        }
    }
    LRESULT message(HWND window, UINT msg, WPARAM wp, LPARAM lp) override {
        switch (msg) {
            case WM_ERASEBKGND: return 1;
            case WM_MOUSEACTIVATE: return MA_NOACTIVATE;
            case WM_PAINT: {
                PAINTSTRUCT ps;
                draw(BeginPaint(window, &ps));
                EndPaint(window, &ps);
                return 0;
            }
            case WM_NCDESTROY: hwnd = nullptr; return DefWindowProcA(window, msg, wp, lp);
            default: return DefWindowProcA(window, msg, wp, lp);
        }
    }

    HWND hwnd = nullptr;
    GuiRect rect{};

private:
    void draw(HDC dc) {
        if (!dc || index_ >= sink_.panelCount()) return;
        const Surface& pixels = sink_.panelPixels(index_);
        blit(dc, pixels, pixels.bounds(), {0, 0});
    }

    PopupSink& sink_;
    int index_;
};

// A pop-up menu of the toolkit's own over the frame's window. The frame's window
// captures the mouse while the menu is open, so every click, on a panel or anywhere
// else, comes to the menu; keys are the menu's too (Escape dismisses it). Other
// messages go on to their windows, and the host keeps its idle.
class Win32Popup {
public:
    Win32Popup(NativeWindow& owner, PopupSink& sink) : w_(owner), sink_(sink) {}
    void run();

private:
    void sync();
    bool handle(const MSG& msg);  // false once the menu is done
    bool ownerGone() const { return !w_.hwnd || w_.destroyed; }
    GuiPoint fromScreen(POINT p) const { return {p.x - origin_.x, p.y - origin_.y}; }

    NativeWindow& w_;
    PopupSink& sink_;
    std::vector<std::unique_ptr<PopupPanel>> panels_;
    POINT origin_{};  // the owner window's top-left on the screen
};

void Win32Popup::run() {
    ClientToScreen(w_.hwnd, &origin_);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    if (GetMonitorInfoA(MonitorFromWindow(w_.hwnd, MONITOR_DEFAULTTONEAREST), &monitor)) screen = monitor.rcMonitor;
    sink_.setScreenArea({screen.left - origin_.x, screen.top - origin_.y, screen.right - origin_.x,
                         screen.bottom - origin_.y});
    sync();
    SetCapture(w_.hwnd);
    POINT p{};
    GetCursorPos(&p);
    bool running = sink_.pointer({PopupPointer::Type::move, fromScreen(p), 0});
    while (running) {
        MSG msg;
        if (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            running = handle(msg);
            if (running && !ownerGone()) sync();
            continue;
        }
        // the host destroyed the window, or the user went elsewhere (another window took
        // the mouse), or the editor was closed in the host's idle
        if (ownerGone() || GetCapture() != w_.hwnd || !sink_.idle()) {
            sink_.pointer({PopupPointer::Type::cancel, {}, 0});
            break;
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, kPopupWaitMs, QS_ALLINPUT);
    }
    if (!ownerGone() && GetCapture() == w_.hwnd) ReleaseCapture();
}

// Panels follow the menu: new levels get windows, closed ones lose theirs, and every
// panel shows its current pixels.
void Win32Popup::sync() {
    const size_t count = static_cast<size_t>(sink_.panelCount());
    if (panels_.size() > count) panels_.resize(count);
    for (size_t i = 0; i < count; ++i) {
        const GuiRect rect = sink_.panelRect(static_cast<int>(i));
        if (rect.isEmpty()) continue;
        if (i == panels_.size()) {
            auto panel = std::make_unique<PopupPanel>(sink_, static_cast<int>(i));
            panel->rect = rect;
            panel->hwnd = CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, windowClassName(), "",
                                          WS_POPUP, origin_.x + rect.left, origin_.y + rect.top, rect.width(),
                                          rect.height(), GetAncestor(w_.hwnd, GA_ROOT), nullptr, moduleInstance(),
                                          static_cast<MessageTarget*>(panel.get()));
            if (!panel->hwnd) continue;
            ShowWindow(panel->hwnd, SW_SHOWNOACTIVATE);
            panels_.push_back(std::move(panel));
        } else if (i < panels_.size() && !(panels_[i]->rect == rect)) {
            SetWindowPos(panels_[i]->hwnd, nullptr, origin_.x + rect.left, origin_.y + rect.top, rect.width(),
                         rect.height(), SWP_NOZORDER | SWP_NOACTIVATE);
            panels_[i]->rect = rect;
        }
        if (i < panels_.size()) panels_[i]->show();
    }
}

bool Win32Popup::handle(const MSG& msg) {
    using Type = PopupPointer::Type;
    const UINT m = msg.message;
    if (m == WM_QUIT) {
        PostQuitMessage(static_cast<int>(msg.wParam));  // the host's loop must still see it
        return sink_.pointer({Type::cancel, {}, 0});
    }
    if ((m >= WM_MOUSEFIRST && m <= WM_MOUSELAST) || (m >= WM_NCMOUSEMOVE && m <= WM_NCMBUTTONDBLCLK)) {
        // buttons as the messages name them: already the user's, after any swap
        int bit = 0;
        bool down = false;
        switch (m) {
            case WM_LBUTTONDOWN: case WM_LBUTTONDBLCLK: case WM_NCLBUTTONDOWN: case WM_NCLBUTTONDBLCLK:
                bit = kButtonLeft, down = true; break;
            case WM_RBUTTONDOWN: case WM_RBUTTONDBLCLK: case WM_NCRBUTTONDOWN: case WM_NCRBUTTONDBLCLK:
                bit = kButtonRight, down = true; break;
            case WM_MBUTTONDOWN: case WM_MBUTTONDBLCLK: case WM_NCMBUTTONDOWN: case WM_NCMBUTTONDBLCLK:
                bit = kButtonMiddle, down = true; break;
            case WM_LBUTTONUP: case WM_NCLBUTTONUP: bit = kButtonLeft; break;
            case WM_RBUTTONUP: case WM_NCRBUTTONUP: bit = kButtonRight; break;
            case WM_MBUTTONUP: case WM_NCMBUTTONUP: bit = kButtonMiddle; break;
            default: break;
        }
        const GuiPoint where = fromScreen(msg.pt);
        if (!sink_.pointer({Type::move, where, 0})) return false;
        return bit ? sink_.pointer({down ? Type::press : Type::release, where, bit}) : true;
    }
    if (m >= WM_KEYFIRST && m <= WM_KEYLAST) {
        if ((m == WM_KEYDOWN || m == WM_SYSKEYDOWN) && msg.wParam == VK_ESCAPE)
            return sink_.pointer({Type::cancel, {}, 0});
        return true;
    }
    DispatchMessageA(&msg);
    return true;
}

}  // namespace

Status trackPopup(NativeWindow* w, PopupSink& sink) {
    if (!w || w->destroyed || !w->hwnd) return Status::closed;
    Win32Popup popup(*w, sink);
    popup.run();
    return w->destroyed || w->closed ? Status::closed : Status::ok;
}

}  // namespace gui::platform
