#include "gui/program_row.h"

#include <cstdio>
#include <cstring>

#include "gui/gui_bitmap.h"
#include "gui/gui_frame.h"
#include "gui/gui_kick_button.h"
#include "gui/gui_option_menu.h"
#include "gui/gui_rocker_switch.h"

namespace gui {
namespace {

constexpr int kKeySize = 13;
constexpr int kRockerWidth = 33;
enum Command { kStep, kPick, kStoreA, kStoreB, kRecallA, kRecallB };

// A slot's entry text: its own name while it still has its fresh one, else the marker and the name.
void entryText(const frame::ProgramBank& bank, int slot, char (&text)[kDisplayTextSize]) {
    static constexpr const char* kFresh[] = {"Current", "Memo A", "Memo B"};
    static constexpr const char* kMarker[] = {"* ", "A:", "B:"};
    const char* name = bank.name(slot);
    if (slot < 3 && std::strcmp(name, kFresh[slot]) != 0)
        std::snprintf(text, sizeof text, "%s%s", kMarker[slot], name);
    else
        std::snprintf(text, sizeof text, "%s", name);
}

GuiBitmap* picture(int id) { return new GuiBitmap(id); }

}  // namespace

void ProgramRow::build(GuiFrame& frame, GuiListener* listener, frame::EffectBase& effect, GuiBitmap* panel,
                       const ProgramRowLayout& layout) {
    effect_ = &effect;
    firstTag_ = layout.firstTag;
    menu_ = new GuiOptionMenu(layout.menu, listener, firstTag_ + kPick, panel, nullptr, kMenuCheckCurrent);
    menu_->alignPictureOffset();
    menu_->setAlignment(kAlignCentre);
    menu_->setFontIndex(kPanelFont);
    menu_->setTextColour(kMenuTextColour);
    menu_->setBorderColour(kKnobShadowColour);
    menu_->setColumnLength(layout.columnLength);
    char text[kDisplayTextSize];
    for (int slot = 0; slot < effect.bank().size(); ++slot) {
        entryText(effect.bank(), slot, text);
        menu_->insertItem(text);
    }
    menu_->setValue(0.0f);
    frame.appendChild(menu_);

    const GuiPoint r = layout.rocker;
    GuiBitmap* rocker = picture(layout.rockerPicture);
    frame.appendChild(new GuiRockerSwitch({r.h, r.v, r.h + kRockerWidth, r.v + kKeySize}, listener,
                                          firstTag_ + kStep, kKeySize, rocker, {0, 0}, kRockerHorizontal));
    rocker->release();
    for (int k = 0; k < 4; ++k) {
        GuiBitmap* key = picture(layout.rockerPicture + 1 + k);
        const int left = layout.keys[static_cast<size_t>(k)];
        frame.appendChild(new GuiKickButton({left, r.v, left + kKeySize, r.v + kKeySize}, listener,
                                            firstTag_ + kStoreA + k, kKeySize, key, {0, 0}));
        key->release();
    }
}

void ProgramRow::refresh() {
    if (!menu_ || !effect_) return;
    char text[kDisplayTextSize], shown[kDisplayTextSize];
    for (int slot = 0; slot < effect_->bank().size() && slot < menu_->itemCount(); ++slot) {
        entryText(effect_->bank(), slot, text);
        menu_->getItemText(slot, shown);
        if (std::strcmp(text, shown) != 0) menu_->setItemText(slot, text);
    }
}

void ProgramRow::show(int entry) {
    refresh();
    if (menu_) menu_->setValue(static_cast<float>(entry));
}

// The rocker and the keys tell both their press and their return to 0: only the
// press is a command.
void ProgramRow::run(GuiControl* control) {
    if (!effect_ || !control || !handles(control->tag())) return;
    const float v = control->getValue();
    const int shown = menu_ ? menu_->currentIndex() : 0;
    switch (control->tag() - firstTag_) {
        case kStep:
            if (v != 0.0f) show(effect_->stepProgram(shown, v < 0.0f ? -1 : 1));
            break;
        case kPick: show(effect_->pickProgram(static_cast<int>(v))); break;
        case kStoreA:
            if (v != 0.0f) show(effect_->storeMemo(frame::ProgramBank::kMemoA, shown));
            break;
        case kStoreB:
            if (v != 0.0f) show(effect_->storeMemo(frame::ProgramBank::kMemoB, shown));
            break;
        case kRecallA:
            if (v != 0.0f) show(effect_->recallMemo(frame::ProgramBank::kMemoA));
            break;
        case kRecallB:
            if (v != 0.0f) show(effect_->recallMemo(frame::ProgramBank::kMemoB));
            break;
        default: break;
    }
}

void ProgramRow::forget() noexcept { menu_ = nullptr; }

}  // namespace gui
