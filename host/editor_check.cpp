// The editor check of tarn validate: the editor opens in a window of ours and closes
// again, 20 times, and leaves no window, file descriptor or heap memory behind.
#include <X11/Xlib.h>
#include <dirent.h>
#include <malloc.h>
#include <unistd.h>

#include <cstdlib>

#include "host/allocation_counter.h"
#include "host/validate_checks.h"

namespace host {
namespace {

constexpr int kCycles = 20;
// Caches that fill over the first opens are not leaks: the heap is measured over the
// second half of the cycles only, descriptors after the first two.
constexpr int kWarmUpCycles = 2;
constexpr int kHeapFrom = kCycles / 2;
constexpr int kIdlesPerCycle = 5;
// Heap growth per cycle that counts as a leak. A leaked picture, surface or window
// record is far bigger; Mesa's GLX itself keeps about 2 KiB per context made and
// destroyed, which every OpenGL editor shows.
constexpr size_t kLeakPerCycle = 8192;

int openDescriptors() {
    int count = 0;
    if (DIR* dir = opendir("/proc/self/fd")) {
        while (readdir(dir) != nullptr) ++count;
        closedir(dir);
    }
    return count;
}

size_t heapInUse() {
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

int childWindows(Display* display, Window parent) {
    Window root = 0, up = 0;
    Window* children = nullptr;
    unsigned count = 0;
    if (XQueryTree(display, parent, &root, &up, &children, &count) == 0) return -1;
    if (children) XFree(children);
    return static_cast<int>(count);
}

int gXErrors = 0;
int countXError(Display*, XErrorEvent*) {
    ++gXErrors;
    return 0;
}

}  // namespace

CheckResult editorCycles(const std::string& path, const CheckProgress& progress) {
    ProcessHarness harness(path);
    Plugin& plugin = harness.plugin();
    if ((plugin.effect()->flags & effFlagsHasEditor) == 0) return {Verdict::kSkipped, "the plug-in has no editor"};
    const char* name = std::getenv("DISPLAY");
    if (name == nullptr || *name == '\0') return {Verdict::kSkipped, "no X display (DISPLAY is not set)"};
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) return {Verdict::kSkipped, std::string("cannot open the X display ") + name};
    XSetErrorHandler(countXError);
    const Window parent =
        XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 1024, 768, 0, 0, 0);
    XMapWindow(display, parent);
    XSync(display, False);

    std::string fault;
    int descriptors = 0;
    size_t heap = 0;
    for (int cycle = 0; cycle < kCycles && fault.empty(); ++cycle) {
        progress.step("open " + std::to_string(cycle + 1));
        ERect* rect = nullptr;
        plugin.dispatch(effEditGetRect, 0, 0, &rect);
        plugin.dispatch(effEditOpen, 0, 0, reinterpret_cast<void*>(parent));
        for (int idle = 0; idle < kIdlesPerCycle; ++idle) {
            plugin.dispatch(effEditIdle);
            harness.process(512, whiteNoise);
            XSync(display, False);
            usleep(2000);
        }
        progress.step("close " + std::to_string(cycle + 1));
        plugin.dispatch(effEditClose);
        plugin.dispatch(effEditIdle);
        XSync(display, False);
        const int left = childWindows(display, parent);
        if (left > 0) fault = std::to_string(left) + " window(s) left in the host's window after close " + std::to_string(cycle + 1);
        if (cycle + 1 == kWarmUpCycles) descriptors = openDescriptors();
        if (cycle + 1 == kHeapFrom) heap = heapInUse();
    }
    const int moreDescriptors = openDescriptors() - descriptors;
    const size_t nowHeap = heapInUse();
    XDestroyWindow(display, parent);
    XCloseDisplay(display);

    if (fault.empty() && moreDescriptors > 0) {
        fault = std::to_string(moreDescriptors) + " more file descriptors open after " +
                std::to_string(kCycles - kWarmUpCycles) + " cycles";
    }
    const bool heapMeasured = allocationCountingAvailable();  // a sanitizer's heap has no mallinfo
    const long perCycle = (static_cast<long>(nowHeap) - static_cast<long>(heap)) / (kCycles - kHeapFrom);
    const std::string growth =
        perCycle > 0 ? "the heap grows by " + std::to_string(perCycle) + " bytes per open and close" : "no heap growth";
    if (fault.empty() && heapMeasured && perCycle > static_cast<long>(kLeakPerCycle)) fault = growth;
    if (fault.empty() && gXErrors > 0) fault = std::to_string(gXErrors) + " X errors";
    if (!fault.empty()) return {Verdict::kFailed, fault};
    return {Verdict::kPassed, std::to_string(kCycles) + " cycles" + (heapMeasured ? ", " + growth : std::string())};
}

}  // namespace host
