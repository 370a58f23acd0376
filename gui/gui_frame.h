// GuiFrame: the root view of an editor. It owns the native child window and the
// surface the window shows, keeps the child views, the modal and the focus view,
// dispatches the pointer and keys, and redraws what is dirty.
#pragma once

#include <vector>

#include "gui/gui_view.h"
#include "gui/platform/window.h"
#include "gui/surface.h"

namespace gui {

class GuiBitmap;
class ScriptedInput;

class GuiFrame : public GuiView, private platform::EventSink {
public:
    // Opens a child window of size's width and height in the host's parent window.
    // A null parent makes a frame without a window: it draws into its surface only and
    // reads the pointer from a ScriptedInput (tests, previews).
    GuiFrame(const GuiRect& size, void* parentWindow, EditorBase* editor);
    // Releases the children and the background and destroys the window.
    ~GuiFrame() override;

    // GuiView
    void paint(GuiCanvas* canvas) override;
    void paintRect(GuiCanvas* canvas, const GuiRect& rect) override;
    void mousePressed(GuiCanvas* canvas, GuiPoint where) override;
    void repaintIfDirty(GuiCanvas* canvas) override;
    int keyPressed(const VstKeyCode& key) override;
    int keyReleased(const VstKeyCode& key) override;
    bool dropped(void* items, int count, int type, GuiPoint where) override;
    bool wheelTurned(GuiCanvas* canvas, GuiPoint where, float distance) override;

    // Children in insertion order; the frame takes over the caller's reference.
    virtual bool appendChild(GuiView* view);
    virtual bool removeChild(GuiView* view, bool release = true);
    virtual void clearChildren(bool release = true);
    virtual bool hasChild(const GuiView* view) const;
    virtual int childCount() const;
    virtual GuiView* childAt(int index) const;  // null outside 0..count−1

    // The background, drawn at (0, 0) under all views; retained.
    void setPicture(GuiBitmap* picture);
    GuiBitmap* picture() const noexcept { return background_; }
    // At most one modal view: it gets every click and is drawn on top. False when
    // another one is set already.
    bool setModal(GuiView* view);
    GuiView* modalView() const noexcept { return modal_; }
    // The view holding the keyboard focus; the old one is told to drop it.
    void setFocused(GuiView* view);
    GuiView* focusView() const noexcept { return focus_; }
    // The modal view, else the last child under the pointer, else null.
    GuiView* childUnderCursor() const;
    // The pointer relative to the window.
    GuiPoint cursorPosition() const { return pointerState().where; }

    // Draws a child (or everything with null) at once.
    void repaint(GuiView* view = nullptr);
    // Draws the dirty views; false (nothing drawn) while the window is closed or
    // before the first full paint.
    bool repaintDirty();

    // The editor lets the frame go. Inside an event (a control tracking the pointer, an
    // open pop-up menu) the frame lives on until the event returns: from here on the
    // buttons read as up, so every tracking loop and pop-up ends at its next pass,
    // and nothing more is handled, drawn to the window or given the host's idle.
    void close() noexcept { closing_ = true; }
    bool isClosing() const noexcept { return closing_; }

    EditorBase* editor() const noexcept { return editor_; }
    void* parentWindow() const noexcept { return parentWindow_; }
    bool isWindowOpen() const noexcept { return windowOpen_; }
    bool isFirstDrawPending() const noexcept { return firstDrawPending_; }
    bool hasNativeWindow() const noexcept { return window_ != nullptr; }
    platform::Status windowStatus() const noexcept { return windowStatus_; }
    platform::NativeWindow* nativeWindow() const noexcept { return window_; }

    // What the views draw into, the size of the frame.
    Surface& surface() noexcept { return surface_; }
    const Surface& surface() const noexcept { return surface_; }

    // The live pointer: from the script when one is set, else from the window.
    PointerState pointerState() const;
    // Takes the pointer from a script (not owned) instead of the window; null ends it.
    void setInput(ScriptedInput* input) noexcept { input_ = input; }
    ScriptedInput* input() const noexcept { return input_; }
    // One pass of a control's tracking loop: the editor's pumpIdle, or without an
    // editor just the next step of a scripted pointer.
    void pumpIdle();
    // Moves a scripted pointer one step on (the editor's pumpIdle calls this).
    void advanceInput() noexcept;

    // A mouse button went down at where: what the window does on a native press.
    void pointerPressed(GuiPoint where);
    // Handles the window's pending events (presses, exposes); a paint-only pass serves
    // tracking loops.
    platform::Status processEvents(platform::PollMode mode = platform::PollMode::all);

    // Surface pixels that changed and are not yet on the screen: a few separate areas
    // (two meters apart are sent as two, not as one rect over the panel between them).
    void addDamage(const GuiRect& area) noexcept;
    // All of them in one rect.
    const GuiRect& damage() const noexcept { return damage_; }
    // Sends the changed pixels to the window.
    void flush();

private:
    void handleEvent(const platform::Event& event) override;
    void paintBackground(GuiCanvas& canvas, const GuiRect& area);
    void dispatchTo(GuiView* view, GuiCanvas* canvas, GuiPoint where);

    EditorBase* editor_;
    void* parentWindow_;
    GuiBitmap* background_ = nullptr;
    std::vector<GuiView*> children_;
    GuiView* modal_ = nullptr;
    GuiView* focus_ = nullptr;
    bool firstDrawPending_ = true;
    bool windowOpen_ = true;
    platform::NativeWindow* window_ = nullptr;
    platform::Status windowStatus_ = platform::Status::ok;
    Surface surface_;
    static constexpr int kDamageAreas = 8;
    GuiRect damage_{};
    GuiRect damageAreas_[kDamageAreas]{};
    int damageCount_ = 0;
    ScriptedInput* input_ = nullptr;
    bool closing_ = false;
};

}  // namespace gui
