// What the effect and the dispatcher may ask of an editor. The toolkit's
// EditorBase derives from this; an effect without an editor holds none.
#pragma once

#include "frame/vst2.h"

namespace frame {

class EditorInterface {
public:
    virtual ~EditorInterface() = default;
    // effEditGetRect: hands out the address of the editor's own rectangle.
    virtual VstIntPtr reportSize(ERect** rect) {
        if (rect) *rect = nullptr;
        return 0;
    }
    // effEditOpen with the host's parent window (HWND or X11 Window id).
    virtual VstIntPtr openView(void* parent) {
        (void)parent;
        return 0;
    }
    virtual void closeView() {}
    // effEditIdle: redraws what changed.
    virtual VstIntPtr onHostIdle() { return 0; }
    virtual void refreshFromEffect() {}
    virtual void requestRefresh() {}
    virtual VstIntPtr keyPressed(const VstKeyCode& key) {
        (void)key;
        return -1;
    }
    virtual VstIntPtr keyReleased(const VstKeyCode& key) {
        (void)key;
        return -1;
    }
    virtual VstIntPtr setDragMode(VstIntPtr mode) {
        (void)mode;
        return 0;
    }
    virtual VstIntPtr wheelTurned(float distance) {
        (void)distance;
        return 0;
    }
    // A parameter changed (from the host or a program load); the view follows on the next idle.
    virtual void parameterChanged(VstInt32 index, float value) {
        (void)index;
        (void)value;
    }
    virtual void repaintAll() {}
    // The signal path was reset: meters and lamps go back to rest.
    virtual void resetMeters() {}
    virtual void pumpIdle() {}
};

}  // namespace frame
