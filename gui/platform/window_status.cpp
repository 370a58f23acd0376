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

}  // namespace gui::platform
