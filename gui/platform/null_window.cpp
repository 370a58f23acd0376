// The headless window: no window system, a screen of its own that present copies
// into, and events that the caller posts.
#include <cstdio>
#include <deque>

#include "gui/platform/null_window.h"

namespace gui::platform {

struct NativeWindow {
    void* parent = nullptr;
    EventSink* sink = nullptr;
    Surface screen;
    std::vector<GuiRect> presented;
    std::deque<Event> queue;
    std::vector<GuiRect> popupPanels;
    PointerState pointer;
    bool destroyed = false;
    bool polling = false;
    bool painting = false;
};

namespace {
int gOpenCount = 0;

void deliver(NativeWindow* w, const Event& event) {
    if (event.type == Event::Type::destroyed) w->destroyed = true;
    w->sink->handleEvent(event);
}
}  // namespace

const char* windowClassName() {
    static char name[32] = "";
    if (!name[0])
        std::snprintf(name, sizeof name, "Plugin%08x",
                      static_cast<unsigned>(reinterpret_cast<uintptr_t>(&gOpenCount) & 0xFFFFFFFFu));
    return name;
}

int openWindowCount() { return gOpenCount; }

int doubleClickTimeMs() { return 500; }  // the usual system setting

Status openWindow(void* parent, int width, int height, EventSink& sink, NativeWindow** out) {
    if (const Status checked = checkOpenArguments(parent, width, height, out); checked != Status::ok) return checked;
    auto* w = new NativeWindow;
    w->parent = parent;
    w->sink = &sink;
    w->screen = Surface(width, height);
    ++gOpenCount;
    *out = w;
    return Status::ok;
}

void closeWindow(NativeWindow* w) {
    if (!w) return;
    --gOpenCount;
    delete w;
}

void present(NativeWindow* w, const Surface& pixels, const GuiRect& dirty) {
    if (!w || w->destroyed) return;
    const GuiRect r = dirty.intersect(pixels.bounds()).intersect(w->screen.bounds());
    if (r.isEmpty()) return;
    w->screen.copyFrom(pixels, r, {r.left, r.top}, r);
    w->presented.push_back(r);
}

Status pollEvents(NativeWindow* w, PollMode mode) {
    if (!w) return Status::closed;
    bool& busy = mode == PollMode::all ? w->polling : w->painting;
    if (busy) return Status::nested;
    busy = true;
    GuiRect exposed{};
    std::deque<Event> later;
    while (!w->queue.empty() && !w->destroyed) {
        const Event e = w->queue.front();
        w->queue.pop_front();
        if (e.type == Event::Type::expose)
            exposed = exposed.unite(e.area);
        else if (mode == PollMode::all)
            deliver(w, e);
        else
            later.push_back(e);  // a tracking loop only pumps paint
    }
    w->queue.insert(w->queue.begin(), later.begin(), later.end());
    if (!exposed.isEmpty() && !w->destroyed) deliver(w, {Event::Type::expose, {}, 0, exposed});
    busy = false;
    return w->destroyed ? Status::closed : Status::ok;
}

PointerState pointerState(NativeWindow* w) { return w ? w->pointer : PointerState{}; }

// The pop-up takes the pointer presses and releases queued for the owner, in order;
// when they run out before the menu is done, the menu is dismissed.
Status trackPopup(NativeWindow* w, PopupSink& sink) {
    if (!w) return Status::closed;
    if (w->destroyed) return Status::closed;
    sink.setScreenArea({-0x10000, -0x10000, 0x10000, 0x10000});
    w->popupPanels.clear();
    const bool wasPolling = w->polling;
    w->polling = true;  // the events are the menu's while it is open
    for (int i = 0; i < sink.panelCount(); ++i) w->popupPanels.push_back(sink.panelRect(i));
    bool running = sink.pointer({PopupPointer::Type::move, w->pointer.where, 0});
    std::deque<Event> later;
    while (running && !w->queue.empty()) {
        const Event e = w->queue.front();
        w->queue.pop_front();
        if (e.type != Event::Type::pointerDown && e.type != Event::Type::pointerUp) {
            later.push_back(e);
            continue;
        }
        w->pointer.where = e.where;
        running = sink.pointer({PopupPointer::Type::move, e.where, 0});
        if (!running) break;
        const bool down = e.type == Event::Type::pointerDown;
        running = sink.pointer({down ? PopupPointer::Type::press : PopupPointer::Type::release, e.where, e.button});
        for (int i = static_cast<int>(w->popupPanels.size()); i < sink.panelCount(); ++i)
            w->popupPanels.push_back(sink.panelRect(i));
        if (!sink.idle()) break;
    }
    if (running) sink.pointer({PopupPointer::Type::cancel, w->pointer.where, 0});
    w->queue.insert(w->queue.begin(), later.begin(), later.end());
    w->polling = wasPolling;
    return Status::ok;
}

const std::vector<GuiRect>& popupPanels(const NativeWindow* w) {
    static const std::vector<GuiRect> none;
    return w ? w->popupPanels : none;
}

const std::vector<GuiRect>& presented(const NativeWindow* w) {
    static const std::vector<GuiRect> none;
    return w ? w->presented : none;
}

void clearPresented(NativeWindow* w) {
    if (w) w->presented.clear();
}

const Surface& screen(const NativeWindow* w) {
    static const Surface none;
    return w ? w->screen : none;
}

void postEvent(NativeWindow* w, const Event& event) {
    if (w) w->queue.push_back(event);
}

void setPointer(NativeWindow* w, PointerState state) {
    if (w) w->pointer = state;
}

void* parentOf(const NativeWindow* w) { return w ? w->parent : nullptr; }

void destroyFromHost(NativeWindow* w) {
    if (w && !w->destroyed) deliver(w, {Event::Type::destroyed, {}, 0, {}});
}

}  // namespace gui::platform
