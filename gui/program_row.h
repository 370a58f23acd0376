// The program row every editor has: an option menu of the bank's slots, a rocker
// stepping through them and four keys storing and recalling the A/B memories. It
// turns their clicks into the effect's program commands and keeps the menu's entry
// texts in step with the bank.
#pragma once

#include "frame/effect_base.h"
#include "gui/panel_layout.h"

namespace gui {

class GuiBitmap;
class GuiControl;
class GuiFrame;
class GuiListener;
class GuiOptionMenu;

class ProgramRow {
public:
    // Appends the menu, the rocker and the keys to the frame; the menu is drawn on
    // the panel picture and shows entry 0.
    void build(GuiFrame& frame, GuiListener* listener, frame::EffectBase& effect, GuiBitmap* panel,
               const ProgramRowLayout& layout);
    // True for the six command tags.
    bool handles(int tag) const noexcept { return tag >= firstTag_ && tag < firstTag_ + 6; }
    // Runs the command of a row control that changed; the menu shows the entry it leaves current.
    void run(GuiControl* control);
    // Entry 0 "Current" or "* " and the name, entries 1 and 2 "Memo A" / "Memo B" or
    // "A:" / "B:" and the name, then the slot names.
    void refresh();
    // The controls are gone with the frame.
    void forget() noexcept;

    GuiOptionMenu* menu() const noexcept { return menu_; }

private:
    void show(int entry);

    frame::EffectBase* effect_ = nullptr;
    GuiOptionMenu* menu_ = nullptr;
    int firstTag_ = -100;
};

}  // namespace gui
