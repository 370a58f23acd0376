#include "gui/gui_view.h"

#include "gui/gui_frame.h"

namespace gui {

const char* const kMsgCheckIfViewContainer = "kMsgCheckIfViewContainer";

GuiView::GuiView(const GuiRect& size) : size_(size), mouseRect_(size) {}

void GuiView::paint(GuiCanvas*) { setNeedsPaint(false); }

void GuiView::paintRect(GuiCanvas* canvas, const GuiRect&) { paint(canvas); }

bool GuiView::overlaps(const GuiRect& rect) const { return size_.overlaps(rect); }

void GuiView::mousePressed(GuiCanvas*, GuiPoint) {}

void GuiView::repaintIfDirty(GuiCanvas* canvas) {
    if (!needsPaint()) return;
    paint(canvas);
    setNeedsPaint(false);
}

long GuiView::message(GuiView*, const char*) { return 0; }

int GuiView::keyPressed(const VstKeyCode&) { return -1; }

int GuiView::keyReleased(const VstKeyCode&) { return -1; }

bool GuiView::dropped(void*, int, int, GuiPoint) { return false; }

bool GuiView::wheelTurned(GuiCanvas*, GuiPoint, float) { return false; }

void GuiView::dropFocus() {}

void GuiView::gainFocus(GuiCanvas*) {}

bool GuiView::needsPaint() const { return dirty_; }

void GuiView::setNeedsPaint(bool dirty) { dirty_ = dirty; }

void GuiView::setClickable(bool enabled) { mouseEnabled_ = enabled; }

bool GuiView::isClickable() const { return mouseEnabled_; }

void GuiView::setMouseRect(const GuiRect& rect) { mouseRect_ = rect; }

GuiRect GuiView::getMouseRect() const { return mouseRect_; }

bool GuiView::contains(GuiPoint where, int) const { return size_.contains(where); }

void GuiView::setTransparent(bool transparent) { transparent_ = transparent; }

bool GuiView::isTransparent() const { return transparent_; }

void GuiView::setBounds(const GuiRect& rect) {
    size_ = rect;
    setNeedsPaint(true);
}

GuiRect GuiView::getBounds() const { return size_; }

void GuiView::setParent(GuiView* parent) { parent_ = parent; }

void GuiView::setOwnerFrame(GuiFrame* frame) { frame_ = frame; }

EditorBase* GuiView::ownerEditor() const { return frame_ ? frame_->editor() : nullptr; }

bool GuiView::detachedFrom(GuiView*) { return true; }

bool GuiView::attachedTo(GuiView*) { return true; }

void GuiView::release() {
    if (refCount_ > 0 && --refCount_ == 0) delete this;
}

void GuiView::retain() { ++refCount_; }

int GuiView::refCount() const { return refCount_; }

}  // namespace gui
