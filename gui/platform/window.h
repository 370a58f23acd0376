// The whole native contract of the toolkit: a child window inside the host's window
// that shows the frame's surface and reports the pointer. x11_window.cpp implements it
// on Linux, win32_window.cpp on Windows, null_window.cpp headless; the build compiles
// exactly one into each library. Nothing outside gui/platform/ includes a native header.
#pragma once

#include "gui/gui_types.h"
#include "gui/surface.h"

namespace gui::platform {

struct NativeWindow;  // opaque; each platform file defines it

enum class Status {
    ok,
    noDisplay,     // the window system cannot be reached
    badParent,     // the host's window does not exist
    noVisual,      // no true-colour visual for the surface's pixels
    createFailed,  // the system refused the window
    nested,        // called from inside its own event dispatch
    closed,        // the window is gone (destroyed by the host)
};

struct Event {
    enum class Type {
        pointerDown,  // a mouse button went down at `where`
        pointerUp,
        expose,     // `area` must be drawn again (merged over one poll)
        destroyed,  // the window went away under us
    };
    Type type = Type::expose;
    GuiPoint where{};
    int button = 0;  // ButtonState bit of the button that changed
    GuiRect area{};
};

// The frame receives the events of its window through this.
class EventSink {
public:
    virtual void handleEvent(const Event& event) = 0;

protected:
    ~EventSink() = default;
};

enum class PollMode {
    all,        // every pending event
    paintOnly,  // only exposes, as a control's tracking loop pumps them
};

// The pointer as a pop-up menu of our own sees it, in owner window coordinates.
struct PopupPointer {
    enum class Type {
        move,
        press,    // `button` went down
        release,  // `button` went up
        cancel,   // Escape, or the pop-up can no longer be shown
    };
    Type type = Type::move;
    GuiPoint where{};
    int button = 0;  // ButtonState bit of the button that changed
};

// A pop-up menu drawn by the toolkit: it lays out and draws its panels (one per open
// level) and interprets the pointer; the platform only shows the panels above
// everything and feeds it the pointer.
class PopupSink {
public:
    // Where the panels must stay (the screen), in owner window coordinates; called
    // before the first look at the panels.
    virtual void setScreenArea(const GuiRect& area) = 0;
    virtual int panelCount() const = 0;
    // Owner window coordinates, the size of the panel's pixels.
    virtual GuiRect panelRect(int index) const = 0;
    virtual const Surface& panelPixels(int index) const = 0;
    // False once the menu is done (an entry chosen or the menu dismissed).
    virtual bool pointer(const PopupPointer& event) = 0;
    // Runs while the menu waits for the user, so that the host keeps running. False
    // when the menu must end at once (its editor was closed meanwhile): the platform
    // then takes the panels down and returns.
    virtual bool idle() = 0;

protected:
    ~PopupSink() = default;
};

// A visible child of parent (HWND or X11 Window id) at (0, 0), width × height, of the
// module's window class, titled "Window".
Status openWindow(void* parent, int width, int height, EventSink& sink, NativeWindow** out);
// The checks every backend's openWindow makes first: clears *out, then answers ok
// or why the arguments cannot make a window.
Status checkOpenArguments(void* parent, int width, int height, NativeWindow** out);
void closeWindow(NativeWindow* window);
// Copies the dirty area of the surface to the window; pixels only, no drawing.
void present(NativeWindow* window, const Surface& pixels, const GuiRect& dirty);
// Drains the pending events into the sink; never blocks. A nested call of the same
// mode returns Status::nested instead of recursing.
Status pollEvents(NativeWindow* window, PollMode mode);
// The live pointer: position relative to the window, ButtonState bits.
PointerState pointerState(NativeWindow* window);
// "Plugin%08x" with the module's instance handle.
const char* windowClassName();
// Number of windows of the module's class that are open.
int openWindowCount();
// The longest time between the two clicks of a double click, as the user set it.
int doubleClickTimeMs();
const char* describe(Status status);
// Shows a pop-up menu over the owner window and runs it until it is done; it blocks,
// as a native pop-up menu does. The panels are windows of their own above all others,
// and the pointer is the menu's while it is open.
Status trackPopup(NativeWindow* owner, PopupSink& sink);

}  // namespace gui::platform
