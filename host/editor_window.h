// A plug-in's editor in a window of tarn's own, opened the way a Linux VST 2
// host does it: an X11 top-level window as the parent, effEditGetRect for its
// size, effEditOpen with the window's id, effEditIdle to let it draw.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "host/plugin.h"

namespace host {

struct WindowPixels {
    int width = 0, height = 0;
    std::vector<uint8_t> rgb;  // rows top to bottom, three bytes a pixel
};

class EditorWindow {
public:
    // Opens the X display named by DISPLAY, the window and the plug-in's editor
    // in it. Throws HostError when the plug-in has no editor, there is no X
    // display, or the editor does not open.
    static std::unique_ptr<EditorWindow> open(Plugin& plugin);
    ~EditorWindow();  // closes the editor, then the window
    EditorWindow(const EditorWindow&) = delete;
    EditorWindow& operator=(const EditorWindow&) = delete;

    // effEditIdle, then the window's own pending events.
    void idle();
    // The window's pixels as the X server shows them, the editor's included.
    WindowPixels capture();

    int width() const noexcept { return width_; }
    int height() const noexcept { return height_; }

private:
    struct X11;
    explicit EditorWindow(Plugin& plugin);
    void openEditor();
    bool editorRect(int& width, int& height);
    void waitUntilMapped();

    Plugin& plugin_;
    std::unique_ptr<X11> x_;
    int width_ = 0, height_ = 0;
    bool editorOpen_ = false;
};

}  // namespace host
