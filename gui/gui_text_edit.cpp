#include "gui/gui_text_edit.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "gui/font_table.h"
#include "gui/gui_canvas.h"
#include "gui/gui_frame.h"
#include "gui/idle_clock.h"

namespace gui {
namespace {
// VST virtual keys beyond the ones the frame's header names
constexpr unsigned char kVkeyEnter = 19;
constexpr unsigned char kVkeyDelete = 22;
constexpr GuiColour kSelection{10, 36, 106, 0};
constexpr const char* kLooseFocus = "LooseFocus";
}  // namespace

GuiTextEdit::GuiTextEdit(const GuiRect& size, GuiListener* listener, int tag, const char* text, GuiBitmap* background,
                         int style)
    : GuiDisplay(size, listener, tag, background, style) {
    setText(text);
}

void GuiTextEdit::setText(const char* text) {
    text_.assign(text ? text : "", text ? strnlen(text, kTextEditMaxLength) : 0);
    setNeedsPaint(true);
}

void GuiTextEdit::paint(GuiCanvas* canvas) {
    if (editing_) {
        if (canvas) paintEditor(*canvas);
        setNeedsPaint(false);
        return;
    }
    char shown[kDisplayTextSize] = {};
    if (textDataConverter_)
        textDataConverter_(text_.c_str(), shown, textUserData_);
    else if (textConverter_)
        textConverter_(text_.c_str(), shown);
    else
        std::snprintf(shown, sizeof shown, "%s", text_.c_str());
    shown[kDisplayTextSize - 1] = 0;
    paintText(canvas, shown);
}

// The field: the back colour, the text (white on the selection colour while all of it
// is selected) and the caret; text wider than the field scrolls to keep the caret in view.
void GuiTextEdit::paintEditor(GuiCanvas& canvas) {
    const GuiRect saved = canvas.clipRect();
    canvas.setClipRect(size_.intersect(saved));
    canvas.setFillColour(backColour_);
    canvas.fillRect({size_.left - 1, size_.top - 1, size_.right, size_.bottom});
    const int height = std::min(size_.height() - 2, kFontTable[fontIndex_ >= 0 && fontIndex_ < kFontCount ? fontIndex_ : 0].height);
    canvas.selectFont(fontIndex_, std::max(height, 1), fontFace_ & ~kFaceBold);
    const int width = canvas.textWidth(edit_.c_str());
    const int before = canvas.textWidth(edit_.substr(0, caret_).c_str());
    int x = size_.left + 1;
    if (width < size_.width() - 2) {
        if (alignment_ == kAlignCentre) x = size_.left + (size_.width() - width) / 2;
        if (alignment_ == kAlignRight) x = size_.right - width - 1;
    } else {
        x -= std::max(0, before - (size_.width() - 3));
    }
    const GuiRect line{x, size_.top, x + width + 1, size_.bottom};
    const bool selected = allSelected_ && !edit_.empty();
    if (selected) {
        const int h = canvas.lineHeight();
        const int top = size_.top + (size_.height() - h) / 2;
        canvas.setFillColour(kSelection);
        canvas.fillRect({x - 1, top - 1, x + width, top + h});
    }
    canvas.setFontColour(selected ? kWhite : fontColour_);
    canvas.paintString(edit_.c_str(), {line.left - 1, line.top, line.right, line.bottom}, false, kAlignLeft);
    const int caretX = x + before;
    canvas.setFrameColour(fontColour_);
    canvas.moveTo({caretX, size_.top + 2});
    canvas.lineTo({caretX, size_.bottom - 2});
    canvas.setClipRect(saved);
}

bool GuiTextEdit::isDoubleClick() {
    const long now = static_cast<long>(IdleClock::system().nowMs() & 0x7FFFFFFF);
    if (lastClickTime_ >= 0 && now - lastClickTime_ >= 0 && now - lastClickTime_ <= doubleClickTime_) {
        lastClickTime_ = -1;
        return true;
    }
    lastClickTime_ = now;
    return false;
}

void GuiTextEdit::mousePressed(GuiCanvas* canvas, GuiPoint) {
    if (!mouseEnabled_ || !canvas || !(canvas->buttonState() & kButtonLeft)) return;
    if (frame_ && frame_->focusView() == this) return;
    if ((style_ & kTextEditDoubleClick) && !isDoubleClick()) return;
    if (frame_) frame_->setFocused(this);
    gainFocus(canvas);
}

void GuiTextEdit::gainFocus(GuiCanvas*) {
    edit_ = text_;
    caret_ = edit_.size();
    allSelected_ = true;
    editing_ = true;
    setNeedsPaint(true);
}

void GuiTextEdit::dropFocus() {
    if (!editing_) return;
    editing_ = false;
    if (frame_ && frame_->focusView() == this) frame_->setFocused(nullptr);
    const bool changed = edit_ != text_;
    text_ = edit_;
    setNeedsPaint(true);
    if (changed) notify(nullptr);
    if (parent_)
        parent_->message(this, kLooseFocus);
    else if (frame_)
        frame_->message(this, kLooseFocus);
}

void GuiTextEdit::typeCharacter(char c) {
    if (allSelected_) {
        edit_.clear();
        caret_ = 0;
        allSelected_ = false;
    }
    if (edit_.size() >= static_cast<size_t>(kTextEditMaxLength)) return;
    edit_.insert(caret_, 1, c);
    ++caret_;
}

void GuiTextEdit::erase(bool before) {
    if (allSelected_) {
        edit_.clear();
        caret_ = 0;
        allSelected_ = false;
    } else if (before && caret_ > 0) {
        edit_.erase(--caret_, 1);
    } else if (!before && caret_ < edit_.size()) {
        edit_.erase(caret_, 1);
    }
}

int GuiTextEdit::keyPressed(const VstKeyCode& key) {
    if (!editing_) return -1;
    switch (key.virt) {
        case VKEY_RETURN:
        case kVkeyEnter: dropFocus(); return 1;
        case VKEY_ESCAPE:
            edit_ = text_;  // nothing changes
            dropFocus();
            return 1;
        case VKEY_SPACE: typeCharacter(' '); break;
        case VKEY_BACK: erase(true); break;
        case kVkeyDelete: erase(false); break;
        case VKEY_LEFT: caret_ = allSelected_ ? 0 : (caret_ > 0 ? caret_ - 1 : 0); allSelected_ = false; break;
        case VKEY_RIGHT: caret_ = allSelected_ ? edit_.size() : std::min(caret_ + 1, edit_.size()); allSelected_ = false; break;
        case VKEY_HOME: caret_ = 0; allSelected_ = false; break;
        case VKEY_END: caret_ = edit_.size(); allSelected_ = false; break;
        default: {
            const int c = key.character;
            if (key.virt != 0 || c < 32 || c > 255 || c == 127) return -1;
            typeCharacter(static_cast<char>(c));
            break;
        }
    }
    setNeedsPaint(true);
    return 1;
}

}  // namespace gui
