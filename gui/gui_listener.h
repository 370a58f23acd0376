// GuiListener: what a control tells when its value changes (the plug-in's editor).
#pragma once

namespace gui {

class GuiCanvas;
class GuiControl;

class GuiListener {
public:
    virtual ~GuiListener() = default;
    // The control's value changed or is about to; canvas is null when the change
    // came from the keyboard.
    virtual void controlChanged(GuiCanvas* canvas, GuiControl* control) = 0;
};

}  // namespace gui
