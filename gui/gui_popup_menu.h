// GuiPopupMenu: the pop-up of an option menu, drawn by the toolkit. It lays out its
// entries in columns, draws each open level (the menu and the sub-menus the pointer
// opened) into a panel of its own, and turns the pointer into a choice. The platform
// shows the panels; a frame whose pointer follows a script runs it without a window.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "gui/gui_offscreen.h"
#include "gui/platform/window.h"

namespace gui {

class GuiFrame;

struct PopupItem {
    enum class Kind { plain, separator, subMenu, greyed, title };
    std::string text;  // as shown
    Kind kind = Kind::plain;
    bool checked = false;
    bool columnBreak = false;  // starts a new column
    int id = -1;               // the command id the menu answers when this entry is chosen
    int subMenu = -1;          // index of the sub-menu's level (Kind::subMenu)
};

// One menu of the tree; level 0 is the one that opens first.
struct PopupLevel {
    std::vector<PopupItem> items;
};

class GuiPopupMenu final : public platform::PopupSink {
public:
    // at: the first panel's top-left in owner window coordinates. rightButton: the right
    // button chooses as well as the left.
    GuiPopupMenu(std::vector<PopupLevel> levels, GuiPoint at, bool rightButton);
    ~GuiPopupMenu();

    // Runs the menu for the frame until it is done; the chosen id, or −1.
    int run(GuiFrame& frame);
    // The id chosen so far, −1 while none.
    int chosen() const noexcept { return chosen_; }
    // The rect of an entry of an open panel in owner window coordinates (empty when
    // not open), for scripts and tests that point at entries.
    GuiRect itemRect(int panel, int item) const;
    // The entry under the pointer in an open panel, −1 for none.
    int hoveredItem(int panel) const;

    // PopupSink
    void setScreenArea(const GuiRect& area) override;
    int panelCount() const override { return static_cast<int>(open_.size()); }
    GuiRect panelRect(int index) const override;
    const Surface& panelPixels(int index) const override;
    bool pointer(const platform::PopupPointer& event) override;
    bool idle() override;

private:
    struct Panel {
        int level = 0;
        int hover = -1;
        GuiRect rect;                 // owner window coordinates
        std::vector<GuiRect> items;   // relative to the panel
        std::vector<GuiRect> columns; // relative to the panel
        std::unique_ptr<GuiOffscreen> pixels;
    };

    void openLevel(int level, GuiPoint at, const GuiRect* beside);
    void layout(Panel& panel) const;
    void draw(Panel& panel) const;
    void drawItem(GuiOffscreen& off, const PopupItem& item, const GuiRect& r, bool highlighted) const;
    void hover(GuiPoint where);
    // The panel and entry under where; false when no panel is there.
    bool hit(GuiPoint where, int& panel, int& item) const;
    bool runScripted(GuiFrame& frame);

    std::vector<PopupLevel> levels_;
    std::vector<Panel> open_;
    GuiPoint at_;
    GuiRect screen_{-100000, -100000, 100000, 100000};
    bool rightButton_;
    GuiPoint start_{};     // where the pointer was when the menu opened
    bool hasStart_ = false;
    bool armed_ = false;   // the pointer moved or a button went down in the menu
    int chosen_ = -1;
    GuiFrame* frame_ = nullptr;
};

}  // namespace gui
