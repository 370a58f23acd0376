// A small Windows host for the editor window tests: it loads a plug-in DLL through
// VSTPluginMain, opens its editor in a top-level window of its own, pumps messages
// and effEditIdle, plays mouse input with SendInput, records the edits the plug-in
// reports and grabs the editor's pixels from its window.
//   tarn_editor_host shot PLUGIN.dll OUT.ppm [--spread] [--set I=V ...]
//   tarn_editor_host input PLUGIN.dll STEPS [--spread] [--set I=V ...] [--knob-mode N] [--expect LINE ...]
//                          [--shot OUT.ppm]
//   tarn_editor_host lifecycle PLUGIN.dll
// STEPS is "move X Y, down, up, wait MS, ..." in editor coordinates. The edits print
// as "begin I", "automate I V" and "end I"; the --expect lines must all appear, in order.
#define WIN32_LEAN_AND_MEAN
#define NOMINMAX
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <string>
#include <vector>

#include "frame/vst2.h"
#include "pixmap.h"

namespace {

using editor_window::Pixmap;
using PluginMain = AEffect*(VSTCALLBACK*)(audioMasterCallback);

constexpr DWORD kSettleMs = 600;  // pumping after an editor opens or a script ends
constexpr DWORD kStepMs = 120;    // between two steps of a script
constexpr int kBorder = 40;       // where the host's windows start on the screen

std::vector<std::string> gEdits;  // what the plug-in reported, in order
void (*gOnIdle)() = nullptr;       // runs inside audioMasterIdle: the script while a control holds the thread

VstIntPtr VSTCALLBACK hostCallback(AEffect*, VstInt32 opcode, VstInt32 index, VstIntPtr, void*, float opt) {
    char line[64];
    switch (opcode) {
        case audioMasterVersion: return 2400;
        case audioMasterAutomate:
            std::snprintf(line, sizeof line, "automate %d %g", index, static_cast<double>(opt));
            gEdits.push_back(line);
            return 0;
        case audioMasterBeginEdit:
        case audioMasterEndEdit:
            std::snprintf(line, sizeof line, "%s %d", opcode == audioMasterBeginEdit ? "begin" : "end", index);
            gEdits.push_back(line);
            return 0;
        case audioMasterIdle:
            if (gOnIdle) gOnIdle();
            return 0;
        default: return 0;
    }
}

VstIntPtr dispatch(AEffect* e, VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0, void* ptr = nullptr) {
    return e->dispatcher(e, opcode, index, value, ptr, 0.0f);
}

// The plug-in module, loaded once; each Effect is one instance of it.
class Plugin {
public:
    bool load(const char* path) {
        module_ = LoadLibraryA(path);
        if (module_)
            main_ = reinterpret_cast<PluginMain>(reinterpret_cast<void (*)()>(GetProcAddress(module_, "VSTPluginMain")));
        if (!main_) std::fprintf(stderr, "tarn_editor_host: cannot load VSTPluginMain of %s\n", path);
        char name[32];
        std::snprintf(name, sizeof name, "Plugin%08x", static_cast<unsigned>(reinterpret_cast<uintptr_t>(module_)));
        className_ = name;
        return main_ != nullptr;
    }
    AEffect* create() const { return main_ ? main_(hostCallback) : nullptr; }
    // The editor windows' class: "Plugin%08x" of the module's instance handle.
    const char* className() const { return className_.c_str(); }
    bool classRegistered() const {
        WNDCLASSEXA info{};
        info.cbSize = sizeof info;
        return GetClassInfoExA(module_, className_.c_str(), &info) != 0;
    }

private:
    HMODULE module_ = nullptr;
    PluginMain main_ = nullptr;
    std::string className_;
};

LRESULT CALLBACK hostWindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_CLOSE) return 0;  // the test decides when its windows go
    return DefWindowProcA(hwnd, msg, wp, lp);
}

// A top-level window of the host with an effect's editor in it.
struct EditorWindow {
    AEffect* effect = nullptr;
    HWND top = nullptr;
    HWND child = nullptr;  // the editor's own window
    int width = 0, height = 0;

    bool open(const Plugin& plugin, AEffect* e, int x) {
        effect = e;
        ERect* rect = nullptr;
        if (!effect || !(effect->flags & effFlagsHasEditor) || !dispatch(effect, effEditGetRect, 0, 0, &rect) || !rect)
            return false;
        width = rect->right - rect->left;
        height = rect->bottom - rect->top;
        RECT outer{0, 0, width, height};
        AdjustWindowRect(&outer, WS_OVERLAPPEDWINDOW, FALSE);
        top = CreateWindowExA(0, "TarnEditorHost", "Tarn editor host", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, x,
                              kBorder, outer.right - outer.left, outer.bottom - outer.top, nullptr, nullptr,
                              GetModuleHandleA(nullptr), nullptr);
        ShowWindow(top, SW_SHOWNORMAL);
        SetForegroundWindow(top);
        dispatch(effect, effEditOpen, 0, 0, top);
        child = FindWindowExA(top, nullptr, plugin.className(), "Window");
        return child != nullptr;
    }
    void closeEditor() {
        if (effect) dispatch(effect, effEditClose);
    }
    ~EditorWindow() {
        if (top && IsWindow(top)) DestroyWindow(top);
    }
};

void registerHostClass() {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = hostWindowProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1));
    wc.lpszClassName = "TarnEditorHost";
    RegisterClassExA(&wc);
}

// What a host does between user actions: its messages, then every open editor's idle.
void pump(const std::vector<AEffect*>& editors, DWORD ms) {
    const DWORD start = GetTickCount();
    do {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        for (AEffect* e : editors) dispatch(e, effEditIdle);
        if (gOnIdle) gOnIdle();
        Sleep(10);
    } while (GetTickCount() - start < ms);
}

// The window's pixels as the screen shows them.
Pixmap grab(HWND window) {
    RECT r{};
    GetClientRect(window, &r);
    Pixmap image{r.right, r.bottom, {}};
    if (image.width <= 0 || image.height <= 0) return image;
    HDC screen = GetDC(window);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = image.width;
    info.bmiHeader.biHeight = -image.height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, dib);
    BitBlt(memory, 0, 0, image.width, image.height, screen, 0, 0, SRCCOPY);
    GdiFlush();
    const auto* p = static_cast<const uint32_t*>(bits);
    for (size_t i = 0; i < static_cast<size_t>(image.width) * static_cast<size_t>(image.height); ++i)
        image.pixels.push_back(p[i] & 0xFFFFFF);
    SelectObject(memory, old);
    DeleteObject(dib);
    DeleteDC(memory);
    ReleaseDC(window, screen);
    return image;
}

// Mouse input for the editor's window, one step per call once the last one had time
// to arrive; called from the host's loop and from audioMasterIdle alike.
class Script {
public:
    Script(HWND child, const std::string& text) : child_(child) {
        std::stringstream all(text);
        for (std::string step; std::getline(all, step, ',');) {
            std::stringstream words(step);
            std::string verb;
            Step s;
            if (!(words >> verb)) continue;
            if (verb == "move" && words >> s.x >> s.y) s.kind = Step::move;
            else if (verb == "down") s.kind = Step::down;
            else if (verb == "up") s.kind = Step::up;
            else if (verb == "wait" && words >> s.x) s.kind = Step::wait;
            else bad_ = verb;
            steps_.push_back(s);
        }
    }
    const std::string& badStep() const { return bad_; }
    bool done() const { return next_ >= steps_.size(); }

    void advance() {
        if (busy_ || done() || GetTickCount() - last_ < delay_) return;
        busy_ = true;
        const Step& s = steps_[next_++];
        delay_ = kStepMs;
        INPUT in{};
        in.type = INPUT_MOUSE;
        switch (s.kind) {
            case Step::move: {
                POINT p{s.x, s.y};
                ClientToScreen(child_, &p);
                // absolute input runs over 0..65535 across the primary screen
                const LONG w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
                in.mi.dx = (p.x * 65536 + w - 1) / w;
                in.mi.dy = (p.y * 65536 + h - 1) / h;
                in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
                SendInput(1, &in, sizeof in);
                break;
            }
            case Step::down:
            case Step::up:
                in.mi.dwFlags = s.kind == Step::down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
                SendInput(1, &in, sizeof in);
                break;
            case Step::wait: delay_ = static_cast<DWORD>(s.x); break;
        }
        last_ = GetTickCount();
        busy_ = false;
    }

private:
    struct Step {
        enum Kind { move, down, up, wait } kind = wait;
        int x = 0, y = 0;
    };
    HWND child_;
    std::vector<Step> steps_;
    size_t next_ = 0;
    DWORD last_ = GetTickCount(), delay_ = kStepMs;
    bool busy_ = false;
    std::string bad_;
};

Script* gScript = nullptr;

struct Options {
    bool spread = false;
    std::vector<std::pair<int, float>> sets;
    std::vector<std::string> expects;
    std::string shot;
    int knobMode = -1;
    bool ok = true;
};

Options parseOptions(int argc, char** argv, int first) {
    Options o;
    for (int i = first; i < argc; ++i) {
        if (std::strcmp(argv[i], "--spread") == 0) {
            o.spread = true;
            continue;
        }
        const bool hasValue = i + 1 < argc;
        int index = 0;
        float value = 0;
        if (hasValue && std::strcmp(argv[i], "--set") == 0 && std::sscanf(argv[i + 1], "%d=%f", &index, &value) == 2)
            o.sets.push_back({index, value});
        else if (hasValue && std::strcmp(argv[i], "--expect") == 0)
            o.expects.push_back(argv[i + 1]);
        else if (hasValue && std::strcmp(argv[i], "--shot") == 0)
            o.shot = argv[i + 1];
        else if (hasValue && std::strcmp(argv[i], "--knob-mode") == 0)
            o.knobMode = std::atoi(argv[i + 1]);
        else
            o.ok = false;
        ++i;
    }
    return o;
}

bool writeShot(HWND child, const std::string& path) {
    std::string error;
    if (editor_window::writePpm(path, grab(child), error)) return true;
    std::fprintf(stderr, "tarn_editor_host: %s\n", error.c_str());
    return false;
}

// Opens the editor at the given values, plays the script, and checks and shows what
// the plug-in reported; with --shot the pixels at the end.
int runEditor(const Plugin& plugin, const std::string& steps, const Options& o) {
    AEffect* effect = plugin.create();
    if (!effect) return std::fprintf(stderr, "tarn_editor_host: VSTPluginMain answered null\n"), 1;
    if (o.spread) editor_window::setSpread(effect);
    for (const auto& [index, value] : o.sets) effect->setParameter(effect, index, value);
    if (o.knobMode >= 0) dispatch(effect, effSetEditKnobMode, 0, o.knobMode);
    EditorWindow window;
    if (!window.open(plugin, effect, kBorder))
        return std::fprintf(stderr, "tarn_editor_host: no editor window of class %s\n", plugin.className()), 1;
    pump({effect}, kSettleMs);
    Script script(window.child, steps);
    if (!script.badStep().empty())
        return std::fprintf(stderr, "tarn_editor_host: unknown step '%s'\n", script.badStep().c_str()), 2;
    gScript = &script;
    gOnIdle = [] { gScript->advance(); };
    for (int i = 0; i < 200 && !script.done(); ++i) pump({effect}, 50);
    pump({effect}, kSettleMs);
    gOnIdle = nullptr;
    bool ok = script.done();
    if (!ok) std::fprintf(stderr, "tarn_editor_host: the script did not run to its end\n");
    for (const std::string& line : gEdits) std::printf("%s\n", line.c_str());
    size_t at = 0;
    for (const std::string& expected : o.expects) {
        while (at < gEdits.size() && gEdits[at] != expected) ++at;
        if (at == gEdits.size()) {
            std::fprintf(stderr, "tarn_editor_host: expected \"%s\" (in order) among the edits above\n",
                         expected.c_str());
            ok = false;
            break;
        }
        ++at;
    }
    if (!o.shot.empty()) ok = writeShot(window.child, o.shot) && ok;
    window.closeEditor();
    dispatch(effect, effClose);
    return ok ? 0 : 1;
}

int gFailures = 0;

void check(bool ok, const char* what) {
    std::printf("%s: %s\n", ok ? "ok" : "FAILED", what);
    if (!ok) ++gFailures;
}

// An editor draws again when its window is exposed, and shows something.
bool redraws(const EditorWindow& w, const std::vector<AEffect*>& open) {
    const Pixmap before = grab(w.child);
    InvalidateRect(w.child, nullptr, TRUE);
    pump(open, 200);
    const Pixmap after = grab(w.child);
    bool varied = false;
    for (uint32_t p : after.pixels) varied |= p != after.pixels.front();
    return varied && after.pixels == before.pixels;
}

// Two editors of one module at once, closed in either order; a host that destroys
// its window before effEditClose; a host that closes the plug-in with its editor open.
int lifecycle(const Plugin& plugin) {
    for (const bool firstGoesFirst : {true, false}) {
        EditorWindow a, b;
        const bool opened = a.open(plugin, plugin.create(), kBorder) &&
                            b.open(plugin, plugin.create(), kBorder + a.width + 2 * kBorder);
        check(opened, "two editors of one module open child windows of its class, titled \"Window\"");
        if (!opened) return 1;
        pump({a.effect, b.effect}, kSettleMs);
        RECT r{};
        GetWindowRect(a.child, &r);
        POINT origin{0, 0};
        ClientToScreen(a.top, &origin);
        check(r.left == origin.x && r.top == origin.y && r.right - r.left == a.width && r.bottom - r.top == a.height,
              "the editor's window sits at the host window's top-left, at the editor's size");
        check(plugin.classRegistered() && IsWindowVisible(a.child) && IsWindowVisible(b.child),
              "both windows are visible and share the registered class");
        EditorWindow& first = firstGoesFirst ? a : b;
        EditorWindow& second = firstGoesFirst ? b : a;
        first.closeEditor();
        pump({second.effect}, 200);
        check(!IsWindow(first.child) && plugin.classRegistered(),
              firstGoesFirst ? "closing the first editor keeps the class" : "closing the second editor keeps the class");
        check(redraws(second, {second.effect}), "the other editor still draws");
        second.closeEditor();
        check(!plugin.classRegistered(), "closing the last editor unregisters the class");
        dispatch(a.effect, effClose);
        dispatch(b.effect, effClose);
    }
    {
        EditorWindow w;
        check(w.open(plugin, plugin.create(), kBorder), "an editor opens");
        pump({w.effect}, kSettleMs);
        DestroyWindow(w.top);
        check(!IsWindow(w.child), "the host destroying its window takes the editor's window with it");
        pump({w.effect}, 300);  // the host's idle goes on with the window gone
        w.closeEditor();
        check(!plugin.classRegistered(), "effEditClose after the window went unregisters the class");
        EditorWindow again;
        check(again.open(plugin, w.effect, kBorder), "the same effect opens its editor again in a new window");
        pump({again.effect}, kSettleMs);
        check(redraws(again, {again.effect}), "the reopened editor draws");
        again.closeEditor();
        dispatch(w.effect, effClose);
        check(!plugin.classRegistered(), "no class is left registered");
    }
    {
        EditorWindow w;
        check(w.open(plugin, plugin.create(), kBorder), "an editor opens");
        pump({w.effect}, kSettleMs);
        dispatch(w.effect, effClose);  // no effEditClose first
        check(!IsWindow(w.child) && !plugin.classRegistered(),
              "effClose with the editor open destroys its window and unregisters the class");
    }
    std::printf("%d failed\n", gFailures);
    return gFailures ? 1 : 0;
}

int usage() {
    std::fprintf(stderr,
                 "usage: tarn_editor_host shot PLUGIN.dll OUT.ppm [--spread] [--set I=V ...]\n"
                 "       tarn_editor_host input PLUGIN.dll STEPS [--spread] [--set I=V ...] [--knob-mode N]\n"
                 "                              [--expect LINE ...] [--shot OUT.ppm]\n"
                 "       tarn_editor_host lifecycle PLUGIN.dll\n"
                 "STEPS: \"move X Y, down, up, wait MS\" in editor coordinates\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) return usage();
    std::setvbuf(stdout, nullptr, _IONBF, 0);  // in step with stderr
    const std::string command = argv[1];
    registerHostClass();
    Plugin plugin;
    if (!plugin.load(argv[2])) return 1;
    if (command == "lifecycle" && argc == 3) return lifecycle(plugin);
    if ((command != "shot" && command != "input") || argc < 4) return usage();
    Options o = parseOptions(argc, argv, 4);
    if (!o.ok) return usage();
    if (command == "shot") {
        o.shot = argv[3];
        return runEditor(plugin, "", o);
    }
    return runEditor(plugin, argv[3], o);
}
