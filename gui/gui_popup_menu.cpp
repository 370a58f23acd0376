#include "gui/gui_popup_menu.h"

#include <algorithm>

#include "gui/gui_frame.h"
#include "gui/scripted_input.h"

namespace gui {
namespace {
// the look of a classic system menu
constexpr GuiColour kFace{212, 208, 200, 0};
constexpr GuiColour kHighlight{10, 36, 106, 0};
constexpr GuiColour kLight{255, 255, 255, 0};
constexpr GuiColour kShadow{128, 128, 128, 0};
constexpr GuiColour kDark{64, 64, 64, 0};
constexpr GuiColour kText{0, 0, 0, 0};
constexpr int kFont = 3;
constexpr int kBorder = 3;
constexpr int kItemHeight = 18;
constexpr int kSeparatorHeight = 9;
constexpr int kTickMargin = 20;   // left of the text: the tick mark
constexpr int kArrowMargin = 22;  // right of the text: the sub-menu arrow
constexpr int kColumnGap = 4;
constexpr int kMinItemWidth = 60;

bool insideHalfOpen(const GuiRect& r, GuiPoint p) {
    return p.h >= r.left && p.h < r.right && p.v >= r.top && p.v < r.bottom;
}

void line(GuiCanvas& c, GuiColour colour, GuiPoint a, GuiPoint b) {
    c.setFrameColour(colour);
    c.moveTo(a);
    c.lineTo(b);
}

bool selectable(const PopupItem& item) {
    return item.kind != PopupItem::Kind::separator && item.kind != PopupItem::Kind::title;
}
}  // namespace

GuiPopupMenu::GuiPopupMenu(std::vector<PopupLevel> levels, GuiPoint at, bool rightButton)
    : levels_(std::move(levels)), at_(at), rightButton_(rightButton) {}

GuiPopupMenu::~GuiPopupMenu() = default;

void GuiPopupMenu::setScreenArea(const GuiRect& area) {
    screen_ = area;
    open_.clear();
    if (!levels_.empty()) openLevel(0, at_, nullptr);
}

GuiRect GuiPopupMenu::panelRect(int index) const {
    return index >= 0 && index < panelCount() ? open_[static_cast<size_t>(index)].rect : GuiRect{};
}

const Surface& GuiPopupMenu::panelPixels(int index) const {
    static const Surface none;
    return index >= 0 && index < panelCount() ? open_[static_cast<size_t>(index)].pixels->surface() : none;
}

GuiRect GuiPopupMenu::itemRect(int panel, int item) const {
    if (panel < 0 || panel >= panelCount()) return {};
    const Panel& p = open_[static_cast<size_t>(panel)];
    if (item < 0 || item >= static_cast<int>(p.items.size())) return {};
    return p.items[static_cast<size_t>(item)].offset(p.rect.left, p.rect.top);
}

int GuiPopupMenu::hoveredItem(int panel) const {
    return panel >= 0 && panel < panelCount() ? open_[static_cast<size_t>(panel)].hover : -1;
}

// Entries run down a column until an entry that starts a new one.
void GuiPopupMenu::layout(Panel& panel) const {
    const std::vector<PopupItem>& items = levels_[static_cast<size_t>(panel.level)].items;
    GuiOffscreen measure(nullptr, 1, 1);
    measure.selectFont(kFont);
    panel.items.assign(items.size(), GuiRect{});
    panel.columns.clear();
    int x = kBorder, bottom = kBorder + 4;
    for (size_t start = 0; start < items.size();) {
        size_t end = start + 1;
        while (end < items.size() && !items[end].columnBreak) ++end;
        int width = kMinItemWidth;
        for (size_t k = start; k < end; ++k)
            width = std::max(width, measure.textWidth(items[k].text.c_str()) + kTickMargin + kArrowMargin);
        int y = kBorder;
        for (size_t k = start; k < end; ++k) {
            const int h = items[k].kind == PopupItem::Kind::separator ? kSeparatorHeight : kItemHeight;
            panel.items[k] = {x, y, x + width, y + h};
            y += h;
        }
        panel.columns.push_back({x, kBorder, x + width, y});
        bottom = std::max(bottom, y);
        x += width + (end < items.size() ? kColumnGap : 0);
        start = end;
    }
    if (items.empty()) x += kMinItemWidth;
    panel.rect = {0, 0, x + kBorder, bottom + kBorder};
}

// The first level opens at `at`, a sub-menu beside its entry; both are moved so that
// they stay on the screen.
void GuiPopupMenu::openLevel(int level, GuiPoint at, const GuiRect* parentPanel) {
    Panel panel;
    panel.level = level;
    layout(panel);
    const int w = panel.rect.width(), h = panel.rect.height();
    int x = at.h, y = at.v;
    if (x + w > screen_.right) x = parentPanel ? parentPanel->left - w + kBorder : screen_.right - w;
    if (y + h > screen_.bottom) y = screen_.bottom - h;
    x = std::max(x, screen_.left);
    y = std::max(y, screen_.top);
    panel.rect = {x, y, x + w, y + h};
    panel.pixels = std::make_unique<GuiOffscreen>(nullptr, w, h, kFace);
    draw(panel);
    open_.push_back(std::move(panel));
}

void GuiPopupMenu::draw(Panel& panel) const {
    GuiOffscreen& off = *panel.pixels;
    const int w = off.width(), h = off.height();
    off.setFillColour(kFace);
    off.fillRect({-1, -1, w, h});
    line(off, kLight, {1, h - 2}, {1, 1});
    off.lineTo({w - 1, 1});
    line(off, kShadow, {w - 2, 1}, {w - 2, h - 2});
    off.lineTo({0, h - 2});
    line(off, kDark, {w - 1, 0}, {w - 1, h - 1});
    off.lineTo({-1, h - 1});
    for (size_t c = 1; c < panel.columns.size(); ++c) {
        const int x = panel.columns[c].left - kColumnGap / 2 - 1;
        line(off, kShadow, {x, kBorder}, {x, h - kBorder});
        line(off, kLight, {x + 1, kBorder}, {x + 1, h - kBorder});
    }
    const std::vector<PopupItem>& items = levels_[static_cast<size_t>(panel.level)].items;
    for (size_t k = 0; k < items.size(); ++k)
        drawItem(off, items[k], panel.items[k], static_cast<int>(k) == panel.hover);
}

void GuiPopupMenu::drawItem(GuiOffscreen& off, const PopupItem& item, const GuiRect& r, bool highlighted) const {
    if (item.kind == PopupItem::Kind::separator) {
        const int y = r.top + r.height() / 2 - 1;
        line(off, kShadow, {r.left + 1, y}, {r.right - 1, y});
        line(off, kLight, {r.left + 1, y + 1}, {r.right - 1, y + 1});
        return;
    }
    if (highlighted) {
        off.setFillColour(kHighlight);
        off.fillRect({r.left - 1, r.top - 1, r.right, r.bottom});
    }
    GuiColour text = highlighted ? kLight : kText;
    const GuiRect textRect{r.left + kTickMargin, r.top, r.right - kArrowMargin + 8, r.bottom};
    off.selectFont(kFont);
    if (item.kind == PopupItem::Kind::greyed) {
        if (!highlighted) {  // etched: a light copy one pixel down and right
            off.setFontColour(kLight);
            off.paintString(item.text.c_str(), textRect.offset(1, 1), false, kAlignLeft);
        }
        text = kShadow;
    }
    off.setFontColour(text);
    off.paintString(item.text.c_str(), textRect, false, kAlignLeft);
    if (item.checked) {
        const int x = r.left + 5, y = r.top + r.height() / 2;
        off.setLineWidth(2);
        line(off, text, {x, y}, {x + 3, y + 3});
        off.lineTo({x + 9, y - 4});
        off.setLineWidth(1);
    }
    if (item.kind == PopupItem::Kind::subMenu) {
        const int x = r.right - 12, y = r.top + r.height() / 2;
        for (int i = 0; i < 4; ++i) line(off, text, {x + i, y - 3 + i}, {x + i, y + 4 - i});
    }
}

bool GuiPopupMenu::hit(GuiPoint where, int& panel, int& item) const {
    for (int p = panelCount() - 1; p >= 0; --p) {
        const Panel& candidate = open_[static_cast<size_t>(p)];
        if (!insideHalfOpen(candidate.rect, where)) continue;
        panel = p;
        item = -1;
        const GuiPoint local{where.h - candidate.rect.left, where.v - candidate.rect.top};
        for (size_t k = 0; k < candidate.items.size(); ++k)
            if (insideHalfOpen(candidate.items[k], local)) item = static_cast<int>(k);
        return true;
    }
    return false;
}

// Highlights the entry under the pointer; a sub-menu entry opens its level beside it,
// any other entry closes the levels opened from this panel.
void GuiPopupMenu::hover(GuiPoint where) {
    int p = 0, i = -1;
    if (!hit(where, p, i) || i < 0) return;
    const auto pi = static_cast<size_t>(p);
    const PopupItem& item = levels_[static_cast<size_t>(open_[pi].level)].items[static_cast<size_t>(i)];
    const int highlight = selectable(item) ? i : -1;
    if (highlight != open_[pi].hover) {
        open_[pi].hover = highlight;
        draw(open_[pi]);
    }
    const bool opensLevel = item.kind == PopupItem::Kind::subMenu && item.subMenu >= 0 &&
                            item.subMenu < static_cast<int>(levels_.size());
    if (opensLevel && open_.size() > pi + 1 && open_[pi + 1].level == item.subMenu) return;
    open_.erase(open_.begin() + p + 1, open_.end());
    if (opensLevel) {
        const GuiRect parent = open_[pi].rect;
        const GuiRect entry = itemRect(p, i);
        openLevel(item.subMenu, {parent.right - kBorder, entry.top - kBorder}, &parent);
    }
}

bool GuiPopupMenu::pointer(const platform::PopupPointer& event) {
    using Type = platform::PopupPointer::Type;
    int p = 0, i = -1;
    switch (event.type) {
        case Type::move:
            if (!hasStart_) {
                start_ = event.where;
                hasStart_ = true;
            } else if (!(event.where == start_)) {
                armed_ = true;
            }
            hover(event.where);
            return true;
        case Type::press:
            if (!hit(event.where, p, i)) return false;  // a click outside dismisses the menu
            armed_ = true;
            hover(event.where);
            return true;
        case Type::release: {
            hover(event.where);
            const bool choosing = event.button == kButtonLeft || (rightButton_ && event.button == kButtonRight);
            // the release of the click that opened the menu chooses nothing until the pointer moved
            if (!choosing || !armed_ || !hit(event.where, p, i) || i < 0) return true;
            const PopupItem& item =
                levels_[static_cast<size_t>(open_[static_cast<size_t>(p)].level)].items[static_cast<size_t>(i)];
            if (item.kind != PopupItem::Kind::plain) return true;
            chosen_ = item.id;
            return false;
        }
        case Type::cancel: return false;
    }
    return false;
}

bool GuiPopupMenu::idle() {
    if (!frame_) return false;
    frame_->pumpIdle();
    return !frame_->isClosing();
}

int GuiPopupMenu::run(GuiFrame& frame) {
    frame_ = &frame;
    chosen_ = -1;
    if (frame.input())
        runScripted(frame);
    else if (frame.nativeWindow())
        platform::trackPopup(frame.nativeWindow(), *this);
    open_.clear();
    frame_ = nullptr;
    return chosen_;
}

// The pointer of a script: each pass of the loop is one step of it.
bool GuiPopupMenu::runScripted(GuiFrame& frame) {
    using Type = platform::PopupPointer::Type;
    setScreenArea(screen_);
    PointerState last = frame.pointerState();
    if (!pointer({Type::move, last.where, 0})) return true;
    for (;;) {
        if (!idle()) {
            pointer({Type::cancel, last.where, 0});
            return false;
        }
        const PointerState now = frame.pointerState();
        if (!(now.where == last.where) && !pointer({Type::move, now.where, 0})) return true;
        const int changed = (now.buttons ^ last.buttons) & kMouseButtons;
        for (int bit : {kButtonLeft, kButtonMiddle, kButtonRight}) {
            if (!(changed & bit)) continue;
            if (!pointer({(now.buttons & bit) ? Type::press : Type::release, now.where, bit})) return true;
        }
        last = now;
        if (!frame.input() || frame.input()->finished()) {
            pointer({Type::cancel, now.where, 0});
            return false;
        }
    }
}

}  // namespace gui
