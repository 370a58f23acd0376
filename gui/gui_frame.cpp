#include "gui/gui_frame.h"

#include <algorithm>
#include <new>

#include "gui/editor_base.h"
#include "gui/gui_bitmap.h"
#include "gui/gui_canvas.h"
#include "gui/scripted_input.h"

namespace gui {
namespace {
constexpr GuiColour kButtonFace{212, 208, 200, 0};  // what shows where the frame has no picture
constexpr size_t kChildGrowth = 20;

// Keeps the frame for the length of an event: the host may close the editor from
// inside it (a tracking loop gives the host its idle), and the frame must outlive
// the loop. The release may be the last one, so nothing may follow it.
class Hold {
public:
    explicit Hold(GuiView& view) : view_(view) { view_.retain(); }
    ~Hold() { view_.release(); }
    Hold(const Hold&) = delete;
    Hold& operator=(const Hold&) = delete;

private:
    GuiView& view_;
};
}  // namespace

GuiFrame::GuiFrame(const GuiRect& size, void* parentWindow, EditorBase* editor)
    : GuiView(size),
      editor_(editor),
      parentWindow_(parentWindow),
      surface_(size.width(), size.height(), kButtonFace.pixel()) {
    frame_ = this;
    if (parentWindow_)
        windowStatus_ = platform::openWindow(parentWindow_, surface_.width(), surface_.height(), *this, &window_);
}

GuiFrame::~GuiFrame() {
    clearChildren(true);
    setModal(nullptr);
    if (background_) background_->release();
    background_ = nullptr;
    if (window_) platform::closeWindow(window_);
    window_ = nullptr;
}

// Children.

bool GuiFrame::appendChild(GuiView* view) {
    if (!view) return false;
    try {
        if (children_.size() == children_.capacity()) children_.reserve(children_.capacity() + kChildGrowth);
        children_.push_back(view);
    } catch (const std::bad_alloc&) {
        return false;
    }
    view->setOwnerFrame(this);
    view->attachedTo(this);
    return true;
}

bool GuiFrame::removeChild(GuiView* view, bool release) {
    const auto it = std::find(children_.begin(), children_.end(), view);
    if (it == children_.end()) return false;
    children_.erase(it);
    // a view that goes away can no longer hold the focus or the pointer
    if (focus_ == view) focus_ = nullptr;
    if (modal_ == view) modal_ = nullptr;
    view->detachedFrom(this);
    if (release) view->release();
    return true;
}

void GuiFrame::clearChildren(bool release) {
    if (focus_) {
        GuiView* focus = focus_;
        focus_ = nullptr;
        focus->dropFocus();
    }
    if (modal_ && hasChild(modal_)) modal_ = nullptr;
    std::vector<GuiView*> children;
    children.swap(children_);
    for (GuiView* view : children) {
        view->detachedFrom(this);
        if (release) view->release();
    }
}

bool GuiFrame::hasChild(const GuiView* view) const {
    return view && std::find(children_.begin(), children_.end(), view) != children_.end();
}

int GuiFrame::childCount() const { return static_cast<int>(children_.size()); }

GuiView* GuiFrame::childAt(int index) const {
    if (index < 0 || index >= childCount()) return nullptr;
    return children_[static_cast<size_t>(index)];
}

void GuiFrame::setPicture(GuiBitmap* picture) {
    if (picture) picture->retain();
    if (background_) background_->release();
    background_ = picture;
    setNeedsPaint(true);
}

bool GuiFrame::setModal(GuiView* view) {
    if (modal_ && view) return false;
    if (modal_) modal_->detachedFrom(this);
    modal_ = view;
    if (modal_) modal_->attachedTo(this);
    return true;
}

void GuiFrame::setFocused(GuiView* view) {
    GuiView* old = focus_;
    focus_ = view;
    if (old && old != view) old->dropFocus();
}

GuiView* GuiFrame::childUnderCursor() const {
    if (modal_) return modal_;
    const GuiPoint where = cursorPosition();
    for (auto it = children_.rbegin(); it != children_.rend(); ++it)
        if ((*it)->getBounds().contains(where)) return *it;
    return nullptr;
}

// Events.

void GuiFrame::dispatchTo(GuiView* view, GuiCanvas* canvas, GuiPoint where) {
    view->retain();  // the view may leave the frame while it tracks the pointer
    view->mousePressed(canvas, where);
    view->release();
}

void GuiFrame::mousePressed(GuiCanvas* canvas, GuiPoint where) {
    if (closing_) return;
    const Hold hold(*this);
    GuiCanvas own(this);
    if (!canvas) canvas = &own;
    if (focus_) {
        GuiView* focus = focus_;
        focus_ = nullptr;
        focus->dropFocus();
    }
    const int buttons = canvas->buttonState();
    if (modal_) {
        if (modal_->contains(where, buttons)) dispatchTo(modal_, canvas, where);
        return;
    }
    for (auto it = children_.rbegin(); it != children_.rend(); ++it) {
        GuiView* view = *it;
        if (view->isClickable() && view->contains(where, buttons)) {
            dispatchTo(view, canvas, where);
            return;
        }
    }
}

int GuiFrame::keyPressed(const VstKeyCode& key) {
    if (focus_) {
        if (const int r = focus_->keyPressed(key); r != -1) return r;
    }
    if (modal_) {
        if (const int r = modal_->keyPressed(key); r != -1) return r;
    }
    for (auto it = children_.rbegin(); it != children_.rend(); ++it)
        if (const int r = (*it)->keyPressed(key); r != -1) return r;
    return -1;
}

int GuiFrame::keyReleased(const VstKeyCode& key) {
    if (focus_) {
        if (const int r = focus_->keyReleased(key); r != -1) return r;
    }
    if (modal_) {
        if (const int r = modal_->keyReleased(key); r != -1) return r;
    }
    for (auto it = children_.rbegin(); it != children_.rend(); ++it)
        if (const int r = (*it)->keyReleased(key); r != -1) return r;
    return -1;
}

bool GuiFrame::dropped(void* items, int count, int type, GuiPoint where) {
    if (modal_ || focus_) return false;
    for (auto it = children_.rbegin(); it != children_.rend(); ++it) {
        GuiView* view = *it;
        if (view->isClickable() && view->getBounds().contains(where) && view->dropped(items, count, type, where))
            return true;
    }
    return false;
}

bool GuiFrame::wheelTurned(GuiCanvas* canvas, GuiPoint, float distance) {
    GuiView* view = closing_ ? nullptr : childUnderCursor();
    if (!view) return false;
    const Hold hold(*this);
    GuiCanvas own(this);
    const bool handled = view->wheelTurned(canvas ? canvas : &own, cursorPosition(), distance);
    flush();
    return handled;
}

void GuiFrame::pointerPressed(GuiPoint where) {
    const Hold hold(*this);
    {
        GuiCanvas canvas(this);
        mousePressed(&canvas, where);
    }
    flush();
}

PointerState GuiFrame::pointerState() const {
    PointerState state;
    if (input_)
        state = input_->current();
    else if (window_)
        state = platform::pointerState(window_);
    if (closing_) state.buttons = 0;
    return state;
}

void GuiFrame::advanceInput() noexcept {
    if (input_) input_->advance();
}

void GuiFrame::pumpIdle() {
    if (closing_) {
        advanceInput();
        return;
    }
    if (editor_)
        editor_->pumpIdle();
    else
        advanceInput();
    flush();
}

platform::Status GuiFrame::processEvents(platform::PollMode mode) {
    if (!window_ || closing_) return platform::Status::ok;
    const Hold hold(*this);
    const platform::Status status = platform::pollEvents(window_, mode);
    flush();
    return status;
}

void GuiFrame::handleEvent(const platform::Event& event) {
    if (closing_ && event.type != platform::Event::Type::destroyed) return;
    switch (event.type) {
        case platform::Event::Type::pointerDown: pointerPressed(event.where); break;
        case platform::Event::Type::expose: {
            if (!windowOpen_) break;
            GuiCanvas canvas(this);
            paintRect(&canvas, event.area);
            addDamage(event.area.intersect(surface_.bounds()));
            flush();
            break;
        }
        case platform::Event::Type::destroyed:
            windowOpen_ = false;
            parentWindow_ = nullptr;
            break;
        case platform::Event::Type::pointerUp: break;
    }
}

// Drawing.

void GuiFrame::paintBackground(GuiCanvas& canvas, const GuiRect& area) {
    if (background_ && background_->isLoaded()) {
        background_->paintTo(canvas, area, {area.left, area.top});
    } else {
        canvas.setFillColour(kButtonFace);
        canvas.fillRect({area.left - 1, area.top - 1, area.right, area.bottom});  // fillRect leaves out a row and column
    }
}

void GuiFrame::paint(GuiCanvas* canvas) {
    GuiCanvas own(this);
    if (!canvas) canvas = &own;
    firstDrawPending_ = false;
    paintBackground(*canvas, {0, 0, size_.width(), size_.height()});
    for (GuiView* view : children_) view->paint(canvas);
    if (modal_) modal_->paint(canvas);
    dirty_ = false;
    if (canvas == &own) flush();  // a caller with a canvas of its own sends the pixels itself
}

void GuiFrame::paintRect(GuiCanvas* canvas, const GuiRect& rect) {
    GuiCanvas own(this);
    if (!canvas) canvas = &own;
    firstDrawPending_ = false;
    paintBackground(*canvas, rect);
    for (GuiView* view : children_)
        if (view->overlaps(rect)) view->paintRect(canvas, rect);
    if (modal_ && modal_->overlaps(rect)) modal_->paint(canvas);
    if (canvas == &own) flush();
}

void GuiFrame::repaintIfDirty(GuiCanvas* canvas) {
    if (!windowOpen_) return;
    if (modal_) {
        modal_->repaintIfDirty(canvas);
    } else if (dirty_) {
        paint(canvas);
        dirty_ = false;
    } else {
        for (GuiView* view : children_) view->repaintIfDirty(canvas);
    }
}

bool GuiFrame::repaintDirty() {
    if (!windowOpen_ || firstDrawPending_) return false;
    bool needed = modal_ || dirty_;
    for (size_t i = 0; !needed && i < children_.size(); ++i) needed = children_[i]->needsPaint();
    if (!needed) return false;
    GuiCanvas canvas(this);
    repaintIfDirty(&canvas);
    flush();
    return true;
}

void GuiFrame::repaint(GuiView* view) {
    if (!windowOpen_) return;
    GuiCanvas canvas(this);
    if (!view)
        paint(&canvas);
    else if (hasChild(view))
        view->paint(&canvas);
    flush();
}

// An area joins one it touches; when all are taken, the one whose bounds grow least.
void GuiFrame::addDamage(const GuiRect& area) noexcept {
    if (area.isEmpty()) return;
    damage_ = damage_.unite(area);
    const auto grown = [&](int i) {
        const GuiRect u = damageAreas_[i].unite(area);
        return static_cast<long>(u.width()) * u.height() -
               static_cast<long>(damageAreas_[i].width()) * damageAreas_[i].height();
    };
    int into = -1;
    for (int i = 0; i < damageCount_ && into < 0; ++i)
        if (damageAreas_[i].overlaps(area)) into = i;
    if (into < 0 && damageCount_ < kDamageAreas) {
        damageAreas_[damageCount_++] = area;
        return;
    }
    if (into < 0) {
        into = 0;
        for (int i = 1; i < damageCount_; ++i)
            if (grown(i) < grown(into)) into = i;
    }
    damageAreas_[into] = damageAreas_[into].unite(area);
}

void GuiFrame::flush() {
    if (damage_.isEmpty() || closing_) return;
    if (window_ && windowOpen_)
        for (int i = 0; i < damageCount_; ++i) platform::present(window_, surface_, damageAreas_[i]);
    damage_ = {};
    damageCount_ = 0;
}

}  // namespace gui
