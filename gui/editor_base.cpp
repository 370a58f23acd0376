#include "gui/editor_base.h"

#include "gui/gui_frame.h"
#include "gui/idle_clock.h"

namespace gui {
namespace {
int gDragMode = 0;  // one per loaded module
constexpr int64_t kEarlySleepMs = 4;
constexpr int64_t kIdleSpacingMs = 100;  // next idle time after a run
constexpr int64_t kIdleSlackMs = 50;     // a run is due this long before the next idle time
}  // namespace

EditorBase::EditorBase(frame::EffectBase* effect)
    : effect_(effect), clock_(&IdleClock::system()), nextIdleMs_(clock_->nowMs()) {
    if (effect_) effect_->attachEditor(this);
}

EditorBase::~EditorBase() { setFrame(nullptr); }

void EditorBase::setClock(IdleClock* clock) noexcept {
    clock_ = clock ? clock : &IdleClock::system();
    nextIdleMs_ = clock_->nowMs();
}

void EditorBase::setFrame(GuiFrame* frame) {
    if (frame_ == frame) return;
    GuiFrame* old = frame_;
    frame_ = frame;
    if (old) {
        old->close();  // a loop still running in it ends; the frame goes when it returns
        old->release();
    }
}

VstIntPtr EditorBase::reportSize(ERect** rect) {
    if (rect) *rect = &rect_;
    return 1;
}

VstIntPtr EditorBase::openView(void* parent) {
    setFrame(nullptr);
    requestRefresh();
    parentWindow_ = parent;
    return 0;
}

void EditorBase::closeView() {
    setFrame(nullptr);
    parentWindow_ = nullptr;
}

VstIntPtr EditorBase::onHostIdle() {
    if (inIdle_) return 0;
    if (frame_) frame_->processEvents();
    if (updatePending_.exchange(false, std::memory_order_relaxed)) refreshFromEffect();
    return frame_ ? frame_->repaintDirty() : 0;
}

VstIntPtr EditorBase::keyPressed(const VstKeyCode& key) { return frame_ ? frame_->keyPressed(key) : -1; }

VstIntPtr EditorBase::keyReleased(const VstKeyCode& key) { return frame_ ? frame_->keyReleased(key) : -1; }

VstIntPtr EditorBase::setDragMode(VstIntPtr mode) {
    gDragMode = static_cast<int>(mode);
    return 1;
}

int EditorBase::dragMode() noexcept { return gDragMode; }

VstIntPtr EditorBase::wheelTurned(float distance) {
    return frame_ ? frame_->wheelTurned(nullptr, {0, 0}, distance) : 0;
}

void EditorBase::repaintAll() {
    if (frame_) frame_->repaint(nullptr);
}

void EditorBase::pumpIdle() {
    if (frame_) frame_->advanceInput();
    // signed differences on a 64-bit clock: no wrap-around to stall the idle
    int64_t now = static_cast<int64_t>(clock_->nowMs());
    const int64_t next = static_cast<int64_t>(nextIdleMs_);
    if (now < next) {
        clock_->sleepMs(static_cast<int>(kEarlySleepMs));
        now += kEarlySleepMs;
        if (now < next - kIdleSlackMs) return;
    }
    onHostIdle();
    if (frame_) frame_->processEvents(platform::PollMode::paintOnly);
    nextIdleMs_ = static_cast<uint64_t>(now + kIdleSpacingMs);
    inIdle_ = true;
    if (effect_) effect_->hostCall(audioMasterIdle);
    inIdle_ = false;
}

}  // namespace gui
