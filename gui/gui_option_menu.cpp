#include "gui/gui_option_menu.h"

#include <cstdio>
#include <cstring>
#include <new>

#include "gui/gui_bitmap.h"
#include "gui/gui_canvas.h"
#include "gui/gui_frame.h"
#include "gui/gui_popup_menu.h"

namespace gui {
namespace {
constexpr size_t kGrowth = 32;
constexpr int kMaxColumnsEntries = 160;  // longer menus stay in one column
constexpr int kMaxDepth = 8;             // sub-menus nested deeper (or in a loop) are left out
constexpr int kMenuButton = 64;          // a press from a menu key, besides left and right

bool isSeparator(const std::string& s) { return s == "-"; }
bool hasMarker(const std::string& s, char m) { return s.size() >= 2 && s[0] == '-' && s[1] == m; }
bool isTitle(const std::string& s) { return hasMarker(s, 'T'); }

// "%1d %s", "%02d %s" or "%03d %s" for modes 2, 3 and 4; the text alone otherwise.
std::string numbered(const char* prefix, int mode, int number, const char* text) {
    char buf[kDisplayTextSize];
    switch (mode) {
        case 2: std::snprintf(buf, sizeof buf, "%s%1d %s", prefix, number, text); break;
        case 3: std::snprintf(buf, sizeof buf, "%s%02d %s", prefix, number, text); break;
        case 4: std::snprintf(buf, sizeof buf, "%s%03d %s", prefix, number, text); break;
        default: std::snprintf(buf, sizeof buf, "%s%s", prefix, text); break;
    }
    return buf;
}

void copyText(char* out, const std::string& s) {
    const size_t n = std::min(s.size(), static_cast<size_t>(kDisplayTextSize - 1));
    std::memcpy(out, s.data(), n);
    out[n] = 0;
}
}  // namespace

GuiOptionMenu::GuiOptionMenu(const GuiRect& size, GuiListener* listener, int tag, GuiBitmap* background,
                             GuiBitmap* openBackground, int style)
    : GuiDisplay(size, listener, tag, background, style), openBackground_(openBackground) {
    if (openBackground_) openBackground_->retain();
}

GuiOptionMenu::~GuiOptionMenu() {
    for (GuiOptionMenu* menu : subMenus_) menu->release();
    if (openBackground_) openBackground_->release();
}

GuiOptionMenu* GuiOptionMenu::subMenu(int index) const {
    return index >= 0 && index < static_cast<int>(subMenus_.size()) ? subMenus_[static_cast<size_t>(index)] : nullptr;
}

bool GuiOptionMenu::insertItem(const char* text, int position) {
    if (!text || itemCount() >= kMenuMaxEntries) return false;
    const int at = position < 0 ? itemCount() : std::min(position, itemCount());
    // appended entries are numbered by where they land, like inserted ones
    std::string entry = numbered("", prefixNumbers_, at + 1, text);
    try {
        if (entries_.size() == entries_.capacity()) {
            entries_.reserve(entries_.capacity() + kGrowth);
            ticks_.reserve(entries_.capacity());
        }
        entries_.insert(entries_.begin() + at, std::move(entry));
        ticks_.insert(ticks_.begin() + at, false);
    } catch (const std::bad_alloc&) {
        if (entries_.size() > ticks_.size()) entries_.erase(entries_.begin() + at);
        return false;
    }
    if (position >= 0 && current_ >= at) ++current_;
    if (current_ < 0) current_ = 0;
    return true;
}

bool GuiOptionMenu::insertItem(GuiOptionMenu* subMenu, const char* text) {
    if (!subMenu || !text || subMenu == this || itemCount() >= kMenuMaxEntries) return false;
    try {
        subMenus_.reserve(subMenus_.size() + 10);
        entries_.push_back(numbered("-M", prefixNumbers_, itemCount() + 1, text));
        ticks_.push_back(false);
    } catch (const std::bad_alloc&) {
        if (entries_.size() > ticks_.size()) entries_.pop_back();
        return false;
    }
    subMenus_.push_back(subMenu);
    subMenu->retain();
    return true;
}

int GuiOptionMenu::getSelected(char* text, bool countSeparators) const {
    if (text) {
        text[0] = 0;
        if (validIndex(current_)) copyText(text, entries_[static_cast<size_t>(current_)]);
    }
    if (countSeparators || current_ < 0) return current_;
    int index = 0;
    for (int k = 0; k < current_ && k < itemCount(); ++k)
        if (!isSeparator(entries_[static_cast<size_t>(k)]) && !isTitle(entries_[static_cast<size_t>(k)])) ++index;
    return index;
}

bool GuiOptionMenu::selectItem(int index, bool countSeparators) {
    if (!countSeparators) {
        int counted = -1, real = -1;
        for (int k = 0; k < itemCount() && counted < index; ++k)
            if (!isSeparator(entries_[static_cast<size_t>(k)]) && !isTitle(entries_[static_cast<size_t>(k)])) {
                ++counted;
                real = k;
            }
        if (counted != index) return false;
        index = real;
    }
    if (!validIndex(index)) return false;
    const std::string& e = entries_[static_cast<size_t>(index)];
    if (isSeparator(e) || isTitle(e)) return false;
    current_ = index;
    setNeedsPaint(true);
    return true;
}

bool GuiOptionMenu::getItemText(int index, char* text) const {
    if (!text || !validIndex(index)) return false;
    copyText(text, entries_[static_cast<size_t>(index)]);
    return true;
}

bool GuiOptionMenu::setItemText(int index, const char* text) {
    if (!text || !validIndex(index)) return false;
    entries_[static_cast<size_t>(index)].assign(text, strnlen(text, kDisplayTextSize - 1));
    if (index == current_) setNeedsPaint(true);
    return true;
}

bool GuiOptionMenu::removeItem(int index) {
    if (!validIndex(index)) return false;
    // a sub-menu entry takes its menu along, so that the later ones keep theirs
    if (hasMarker(entries_[static_cast<size_t>(index)], 'M')) {
        size_t sub = 0;
        for (int k = 0; k < index; ++k) sub += hasMarker(entries_[static_cast<size_t>(k)], 'M') ? 1 : 0;
        if (sub < subMenus_.size()) {
            subMenus_[sub]->release();
            subMenus_.erase(subMenus_.begin() + static_cast<long>(sub));
        }
    }
    entries_.erase(entries_.begin() + index);
    ticks_.erase(ticks_.begin() + index);
    if (current_ >= index) --current_;
    if (entries_.empty())
        current_ = -1;
    else if (current_ < 0)
        current_ = 0;
    setNeedsPaint(true);
    return true;
}

void GuiOptionMenu::clearItems() {
    entries_.clear();
    ticks_.clear();
    for (GuiOptionMenu* menu : subMenus_) menu->release();
    subMenus_.clear();
    current_ = -1;
    setNeedsPaint(true);
}

int GuiOptionMenu::findItem(const char* text) const {
    if (!text) return -1;
    for (int k = 0; k < itemCount(); ++k)
        if (entries_[static_cast<size_t>(k)] == text) return k;
    return -1;
}

bool GuiOptionMenu::setItemTick(int index, bool ticked) {
    if (!validIndex(index)) return false;
    ticks_[static_cast<size_t>(index)] = ticked;
    return true;
}

bool GuiOptionMenu::tickOnly(int index) {
    if (!validIndex(index)) return false;
    ticks_.assign(ticks_.size(), false);
    ticks_[static_cast<size_t>(index)] = true;
    return true;
}

bool GuiOptionMenu::isItemTicked(int index) const { return validIndex(index) && ticks_[static_cast<size_t>(index)]; }

void GuiOptionMenu::setValue(float value) {
    if (!(value > -1.0f && value < static_cast<float>(itemCount()))) return;  // NaN too
    current_ = static_cast<int>(value);
    if (style_ & kMenuMultipleCheck) ticks_[static_cast<size_t>(current_)] = !ticks_[static_cast<size_t>(current_)];
    value_ = value;
    setNeedsPaint(true);
}

const char* GuiOptionMenu::shownText(int index) const {
    const std::string& e = entries_[static_cast<size_t>(index)];
    size_t skip = hasMarker(e, 'M') || hasMarker(e, 'G') || hasMarker(e, 'T') ? 2 : 0;
    if (prefixNumbers_ >= 2 && prefixNumbers_ <= 4 && e.size() >= skip + static_cast<size_t>(prefixNumbers_))
        skip += static_cast<size_t>(prefixNumbers_);
    return e.c_str() + skip;
}

void GuiOptionMenu::paint(GuiCanvas* canvas) { paintText(canvas, validIndex(current_) ? shownText(current_) : nullptr); }

void GuiOptionMenu::mousePressed(GuiCanvas* canvas, GuiPoint) {
    if (!mouseEnabled_ || !frame_ || !canvas) return;
    lastButtons_ = canvas->buttonState();
    if (!(lastButtons_ & (kButtonLeft | kButtonRight | kMenuButton))) return;
    if (openBackground_) {
        paintText(canvas, validIndex(current_) ? entries_[static_cast<size_t>(current_)].c_str() : nullptr,
                  openBackground_);
        frame_->flush();
    }
    frame_->setFocused(this);
    gainFocus(canvas);
}

void GuiOptionMenu::gainFocus(GuiCanvas* canvas) {
    lastChosenId_ = -1;
    lastChosenMenu_ = nullptr;
    if (!frame_) return;
    const GuiPoint at{size_.left, (style_ & kMenuPopupAbove) ? size_.top : size_.bottom};
    const int id = makePopup(at, (lastButtons_ & kButtonRight) != 0)->run(*frame_);
    frame_->setFocused(nullptr);
    if (openBackground_) setNeedsPaint(true);  // the normal background returns
    if (id < 0) return;
    int index = -1;
    GuiOptionMenu* owner = findChosen(id, index);
    if (!owner) return;
    lastChosenId_ = id;
    lastChosenMenu_ = owner;
    owner->setValue(static_cast<float>(index));
    if (listener_) {
        GuiCanvas own(frame_);
        listener_->controlChanged(canvas ? canvas : &own, owner);
    }
}

std::unique_ptr<GuiPopupMenu> GuiOptionMenu::makePopup(GuiPoint at, bool rightButton) const {
    std::vector<PopupLevel> levels;
    int nextId = 0;
    addLevels(levels, nextId, 0);
    return std::make_unique<GuiPopupMenu>(std::move(levels), at, rightButton);
}

// A menu takes the ids of all its entries before its sub-menus take theirs, in order.
void GuiOptionMenu::addLevels(std::vector<PopupLevel>& levels, int& nextId, int depth) const {
    const size_t me = levels.size();
    levels.emplace_back();
    const int base = nextId;
    nextId += itemCount();
    const bool columns = itemsPerColumn_ > 0 && itemCount() < kMaxColumnsEntries;
    std::vector<PopupItem> items;
    size_t sub = 0;
    for (int k = 0; k < itemCount(); ++k) {
        const std::string& e = entries_[static_cast<size_t>(k)];
        PopupItem item;
        item.id = base + k;
        if (isSeparator(e)) {
            item.kind = PopupItem::Kind::separator;
            items.push_back(std::move(item));
            continue;
        }
        item.columnBreak = columns && k > 0 && k % itemsPerColumn_ == 0;
        item.text = e;
        if (hasMarker(e, 'M')) {
            GuiOptionMenu* menu = sub < subMenus_.size() ? subMenus_[sub] : nullptr;
            ++sub;
            if (!menu || depth >= kMaxDepth) continue;  // a sub-menu that cannot be built is left out
            item.kind = PopupItem::Kind::subMenu;
            item.subMenu = static_cast<int>(levels.size());
            menu->addLevels(levels, nextId, depth + 1);
        } else if (hasMarker(e, 'G')) {
            item.kind = PopupItem::Kind::greyed;
        } else if (hasMarker(e, 'T')) {
            item.kind = PopupItem::Kind::title;
        } else {
            item.checked = ((style_ & kMenuMultipleCheck) && ticks_[static_cast<size_t>(k)]) ||
                           ((style_ & kMenuCheckCurrent) && k == current_);
        }
        if (item.kind != PopupItem::Kind::plain) item.text.erase(0, 2);
        items.push_back(std::move(item));
    }
    levels[me].items = std::move(items);
}

GuiOptionMenu* GuiOptionMenu::findChosen(int id, int& index) {
    int nextId = 0;
    return findChosen(id, nextId, index, 0);
}

GuiOptionMenu* GuiOptionMenu::findChosen(int id, int& nextId, int& index, int depth) {
    const int base = nextId;
    nextId += itemCount();
    if (id >= base && id < nextId) {
        index = id - base;
        return this;
    }
    size_t sub = 0;
    for (const std::string& e : entries_) {
        if (isSeparator(e) || !hasMarker(e, 'M')) continue;
        GuiOptionMenu* menu = sub < subMenus_.size() ? subMenus_[sub] : nullptr;
        ++sub;
        if (!menu || depth >= kMaxDepth) continue;
        if (GuiOptionMenu* owner = menu->findChosen(id, nextId, index, depth + 1)) return owner;
    }
    return nullptr;
}

}  // namespace gui
