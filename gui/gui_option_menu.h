// GuiOptionMenu: a display that shows the current entry of a list and pops the list
// up when clicked. Entries may be separators ("-"), sub-menus ("-M" and a menu of
// their own), greyed ("-G") or titles ("-T"); they can be numbered, ticked and laid
// out in columns.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "gui/gui_display.h"

namespace gui {

class GuiPopupMenu;
struct PopupLevel;

// Style bits, besides the display's.
inline constexpr int kMenuMultipleCheck = 0x1;  // setValue flips the entry's tick
inline constexpr int kMenuPopupAbove = 0x200;   // the pop-up opens at the view's top, not below it
inline constexpr int kMenuCheckCurrent = 0x400; // the current entry shows a tick

inline constexpr int kMenuMaxEntries = 1024;

class GuiOptionMenu : public GuiDisplay {
public:
    // openBackground: drawn under the current entry while the pop-up is open (may be
    // null); retained.
    GuiOptionMenu(const GuiRect& size, GuiListener* listener, int tag, GuiBitmap* background,
                  GuiBitmap* openBackground, int style);
    ~GuiOptionMenu() override;

    void paint(GuiCanvas* canvas) override;
    void mousePressed(GuiCanvas* canvas, GuiPoint where) override;
    // Shows the pop-up and applies the choice (the option menu's click).
    void gainFocus(GuiCanvas* canvas) override;
    // The entry int(value) becomes current; values outside the entries change nothing.
    void setValue(float value) override;

    // A position ≥ 0 inserts there (at most at the end), a negative one appends. False
    // at 1024 entries or without memory.
    virtual bool insertItem(const char* text, int position = -1);
    // Appends an entry that opens the sub-menu (retained).
    virtual bool insertItem(GuiOptionMenu* subMenu, const char* text);
    // The current index, counting separators and titles or not; its text into text
    // (kDisplayTextSize bytes) when given.
    virtual int getSelected(char* text = nullptr, bool countSeparators = true) const;
    virtual bool selectItem(int index, bool countSeparators = true);
    virtual bool getItemText(int index, char* text) const;
    virtual bool setItemText(int index, const char* text);
    virtual bool removeItem(int index);
    virtual void clearItems();
    virtual int itemCount() const { return static_cast<int>(entries_.size()); }
    // The first entry whose stored text is exactly text, or −1.
    virtual int findItem(const char* text) const;
    virtual bool setItemTick(int index, bool ticked);
    // Clears every tick and sets this one.
    virtual bool tickOnly(int index);
    virtual bool isItemTicked(int index) const;
    // Entries per column of the pop-up; −1 for one column.
    virtual void setColumnLength(int count) { itemsPerColumn_ = count; }
    virtual int getColumnLength() const { return itemsPerColumn_; }
    virtual bool isOwnerDrawn() const { return false; }
    // 2, 3 or 4: entries are stored as "1 text", "01 text" or "001 text"; 0 none.
    virtual void setNumbering(int mode) { prefixNumbers_ = mode; }

    int currentIndex() const noexcept { return current_; }
    // What the last pop-up chose: the command id and the menu (this one or a sub-menu) owning it.
    int lastChosenId() const noexcept { return lastChosenId_; }
    GuiOptionMenu* lastChosenMenu() const noexcept { return lastChosenMenu_; }
    GuiOptionMenu* subMenu(int index) const;

    // The pop-up for this menu and its sub-menus, opening at `at` (frame coordinates).
    std::unique_ptr<GuiPopupMenu> makePopup(GuiPoint at, bool rightButton) const;
    // The menu owning a command id of its pop-up and the entry's index there.
    GuiOptionMenu* findChosen(int id, int& index);

private:
    void addLevels(std::vector<PopupLevel>& levels, int& nextId, int depth) const;
    GuiOptionMenu* findChosen(int id, int& nextId, int& index, int depth);
    // The entry's text as shown: no number prefix, no marker.
    const char* shownText(int index) const;
    bool validIndex(int index) const noexcept { return index >= 0 && index < itemCount(); }

    std::vector<std::string> entries_;
    std::vector<bool> ticks_;
    std::vector<GuiOptionMenu*> subMenus_;
    GuiBitmap* openBackground_;
    int current_ = -1;
    int lastChosenId_ = -1;
    GuiOptionMenu* lastChosenMenu_ = nullptr;
    int itemsPerColumn_ = -1;
    int prefixNumbers_ = 0;
    int lastButtons_ = kButtonRight;
};

}  // namespace gui
