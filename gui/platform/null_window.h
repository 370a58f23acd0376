// Extras of the headless window: it records what was presented and takes events
// and a pointer from the caller, so editor tests run without a window system.
#pragma once

#include <vector>

#include "gui/platform/window.h"

namespace gui::platform {

// Every area presented since the window opened (or since clearPresented), in order.
const std::vector<GuiRect>& presented(const NativeWindow* window);
void clearPresented(NativeWindow* window);
// The pixels of the last present, as a screen would show them.
const Surface& screen(const NativeWindow* window);
// Queued for the next pollEvents.
void postEvent(NativeWindow* window, const Event& event);
// What pointerState answers from now on.
void setPointer(NativeWindow* window, PointerState state);
// The parent a window was opened in.
void* parentOf(const NativeWindow* window);
// The panels the last pop-up menu showed (owner window coordinates), in the order they opened.
const std::vector<GuiRect>& popupPanels(const NativeWindow* window);
// Makes the window behave as destroyed by its host.
void destroyFromHost(NativeWindow* window);

}  // namespace gui::platform
