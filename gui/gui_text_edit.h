// GuiTextEdit: a one-line text field. Shown as a display while idle; clicked, it
// becomes an editor drawn by the toolkit with the whole text selected and a caret,
// taking keys from the host until Return, Escape or the loss of focus ends the edit.
#pragma once

#include <string>

#include "gui/gui_display.h"

namespace gui {

// Style bit: editing starts on a double click only.
inline constexpr int kTextEditDoubleClick = 0x2000;
inline constexpr int kTextEditMaxLength = 255;

// Converters from the stored text to the text shown.
using TextToText = void (*)(const char* text, char* shown);
using TextToTextWithData = void (*)(const char* text, char* shown, void* userData);

class GuiTextEdit : public GuiDisplay {
public:
    GuiTextEdit(const GuiRect& size, GuiListener* listener, int tag, const char* text, GuiBitmap* background,
                int style);

    void paint(GuiCanvas* canvas) override;
    void mousePressed(GuiCanvas* canvas, GuiPoint where) override;
    // Starts editing.
    void gainFocus(GuiCanvas* canvas) override;
    // Ends editing: keeps the edited text, tells the listener when it changed and sends
    // "LooseFocus" to the parent (or the frame).
    void dropFocus() override;
    // While editing: characters, Backspace, Delete, arrows, Home, End, Return, Escape.
    int keyPressed(const VstKeyCode& key) override;

    // At most 255 characters are kept.
    void setText(const char* text);
    const char* getText() const noexcept { return text_.c_str(); }
    void setTextConverter(TextToText converter) noexcept { textConverter_ = converter; }
    void setTextConverter(TextToTextWithData converter, void* userData) noexcept {
        textDataConverter_ = converter;
        textUserData_ = userData;
    }

    bool isEditing() const noexcept { return editing_; }
    const std::string& editedText() const noexcept { return edit_; }
    size_t caret() const noexcept { return caret_; }
    bool isAllSelected() const noexcept { return allSelected_; }

private:
    void paintEditor(GuiCanvas& canvas);
    void typeCharacter(char c);
    void erase(bool before);
    bool isDoubleClick();

    std::string text_;
    std::string edit_;
    size_t caret_ = 0;
    bool allSelected_ = false;
    bool editing_ = false;
    TextToText textConverter_ = nullptr;
    TextToTextWithData textDataConverter_ = nullptr;
    void* textUserData_ = nullptr;
};

}  // namespace gui
