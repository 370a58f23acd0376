#include "gui/platform/window.h"

namespace gui::platform {

const char* describe(Status status) {
    switch (status) {
        case Status::ok: return "ok";
        case Status::noDisplay: return "cannot connect to the window system";
        case Status::badParent: return "the host's window does not exist";
        case Status::noVisual: return "no 24-bit true-colour visual";
        case Status::createFailed: return "the window could not be created";
        case Status::nested: return "called from inside its own event dispatch";
        case Status::closed: return "the window has been destroyed";
    }
    return "unknown status";
}

Status checkOpenArguments(void* parent, int width, int height, NativeWindow** out) {
    if (!out) return Status::createFailed;
    *out = nullptr;
    if (!parent) return Status::badParent;
    if (width <= 0 || height <= 0) return Status::createFailed;
    return Status::ok;
}

}  // namespace gui::platform
