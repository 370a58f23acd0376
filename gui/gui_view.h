// GuiView: the common base of everything drawn in an editor. Views are reference
// counted (one reference after construction) and attached to one GuiFrame.
#pragma once

#include "frame/vst2.h"
#include "gui/gui_types.h"

namespace gui {

class EditorBase;
class GuiCanvas;
class GuiFrame;

// The message a container view answers with 1; compared by pointer identity.
extern const char* const kMsgCheckIfViewContainer;

class GuiView {
public:
    explicit GuiView(const GuiRect& size);
    virtual ~GuiView() = default;
    GuiView(const GuiView&) = delete;
    GuiView& operator=(const GuiView&) = delete;

    // Draws the view; this default only clears dirty.
    virtual void paint(GuiCanvas* canvas);
    // Draws the part within rect; this default draws all of it.
    virtual void paintRect(GuiCanvas* canvas, const GuiRect& rect);
    // True when the size rect overlaps rect, edges inclusive.
    virtual bool overlaps(const GuiRect& rect) const;
    // A mouse button went down at where; controls track the pointer themselves from here.
    virtual void mousePressed(GuiCanvas* canvas, GuiPoint where);
    // paint, then setNeedsPaint(false), when needsPaint.
    virtual void repaintIfDirty(GuiCanvas* canvas);
    virtual long message(GuiView* sender, const char* message);
    // −1 when not handled.
    virtual int keyPressed(const VstKeyCode& key);
    virtual int keyReleased(const VstKeyCode& key);
    virtual bool dropped(void* items, int count, int type, GuiPoint where);
    virtual bool wheelTurned(GuiCanvas* canvas, GuiPoint where, float distance);
    virtual void dropFocus();
    virtual void gainFocus(GuiCanvas* canvas);
    virtual bool needsPaint() const;
    virtual void setNeedsPaint(bool dirty);
    virtual void setClickable(bool enabled);
    virtual bool isClickable() const;
    // Kept for callers; hit testing uses the size rect.
    virtual void setMouseRect(const GuiRect& rect);
    virtual GuiRect getMouseRect() const;
    // True when where lies in the size rect, edges inclusive.
    virtual bool contains(GuiPoint where, int buttons) const;
    // A transparent view draws its pictures colour-keyed.
    virtual void setTransparent(bool transparent);
    virtual bool isTransparent() const;
    // Moves the view and marks it dirty.
    virtual void setBounds(const GuiRect& rect);
    virtual GuiRect getBounds() const;
    virtual void setParent(GuiView* parent);
    virtual void setOwnerFrame(GuiFrame* frame);
    // The frame's editor, or null without a frame.
    virtual EditorBase* ownerEditor() const;
    // Called when taken out of / put into a frame.
    virtual bool detachedFrom(GuiView* parent);
    virtual bool attachedTo(GuiView* parent);
    // Subtracts one reference (when positive) and destroys the view at zero.
    virtual void release();
    virtual void retain();
    virtual int refCount() const;

    GuiFrame* ownerFrame() const noexcept { return frame_; }
    GuiView* parentView() const noexcept { return parent_; }

protected:
    GuiRect size_;
    GuiRect mouseRect_;
    GuiFrame* frame_ = nullptr;
    GuiView* parent_ = nullptr;
    bool dirty_ = false;
    bool mouseEnabled_ = true;
    bool transparent_ = false;

private:
    int refCount_ = 1;
};

}  // namespace gui
