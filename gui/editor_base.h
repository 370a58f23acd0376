// EditorBase: what the effect's dispatcher calls for the editor. A plug-in's editor
// derives from it, builds its GuiFrame in openView and lets it go in closeView.
#pragma once

#include <atomic>
#include <cstdint>

#include "frame/editor_interface.h"
#include "frame/effect_base.h"

namespace gui {

class GuiFrame;
class IdleClock;

class EditorBase : public frame::EditorInterface {
public:
    // Attaches itself to the effect, which owns it from then on (create it with new)
    // and marks the record as having an editor.
    explicit EditorBase(frame::EffectBase* effect);
    ~EditorBase() override;

    // effEditGetRect: the address of rect_, which the derived editor fills in.
    VstIntPtr reportSize(ERect** rect) override;
    // effEditOpen: requests a refresh and stores the host's window. A derived editor
    // calls this first, then creates its frame and views. A frame still open from an
    // earlier open is closed first.
    VstIntPtr openView(void* parent) override;
    // effEditClose: releases the frame (its views and window) if the derived editor
    // has not done so already. Derived editors call this at the end of their own.
    void closeView() override;
    // effEditIdle: handles the window's events, refreshes from the effect when asked
    // to, and redraws the dirty views.
    VstIntPtr onHostIdle() override;
    void refreshFromEffect() override {}
    // Any thread: the host may set parameters from its audio thread.
    void requestRefresh() override { updatePending_.store(true, std::memory_order_relaxed); }
    VstIntPtr keyPressed(const VstKeyCode& key) override;
    VstIntPtr keyReleased(const VstKeyCode& key) override;
    // Knob dragging mode for the whole module (effSetEditKnobMode).
    VstIntPtr setDragMode(VstIntPtr mode) override;
    VstIntPtr wheelTurned(float distance) override;
    void parameterChanged(VstInt32, float) override { requestRefresh(); }
    void repaintAll() override;
    // Called by controls once per pass of their mouse-tracking loops: at most about
    // every 50 ms it redraws dirty views, draws exposed areas and gives the host its
    // idle; calls in between sleep 4 ms.
    void pumpIdle() override;

    static int dragMode() noexcept;

    frame::EffectBase* effect() const noexcept { return effect_; }
    GuiFrame* frame() const noexcept { return frame_; }
    void* parentWindow() const noexcept { return parentWindow_; }
    bool isUpdatePending() const noexcept { return updatePending_.load(std::memory_order_relaxed); }
    // The clock pumpIdle reads and sleeps on (not owned); the system's by default.
    void setClock(IdleClock* clock) noexcept;

protected:
    // Takes ownership of the editor's frame (releasing one held before).
    void setFrame(GuiFrame* frame);

    ERect rect_{};

private:
    frame::EffectBase* effect_;
    void* parentWindow_ = nullptr;
    std::atomic<bool> updatePending_{false};
    GuiFrame* frame_ = nullptr;
    IdleClock* clock_;
    uint64_t nextIdleMs_;
    bool inIdle_ = false;
};

}  // namespace gui
