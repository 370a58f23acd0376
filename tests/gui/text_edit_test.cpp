// The text field: editing through the host's keys, Return, Escape and the loss of
// focus, the listener and the "LooseFocus" message, and the double-click style.
#include <cstring>

#include "gui/gui_canvas.h"
#include "gui/gui_text_edit.h"
#include "support/control_fixture.h"

namespace {

using gui::GuiTextEdit;

// Counts the messages the frame's children send their container.
class MessageFrame : public gui::GuiFrame {
public:
    using GuiFrame::GuiFrame;
    long message(gui::GuiView*, const char* text) override {
        if (text && std::strcmp(text, "LooseFocus") == 0) ++looseFocus;
        return 0;
    }
    int looseFocus = 0;
};

struct TextEditTest : gui_test::ControlTest {
    MessageFrame* messages = new MessageFrame({0, 0, 400, 300}, nullptr, editor);
    TextEditTest() {
        frame = messages;
        editor->adopt(frame);
        frame->setInput(&input);
    }
    GuiTextEdit* field(int style = 0) {
        auto* f = add(new GuiTextEdit({20, 20, 160, 40}, &listener, 12, "Preset", nullptr, style));
        settle();
        return f;
    }
    int type(const char* text) {
        int handled = 0;
        for (const char* c = text; *c; ++c) handled += editor->keyPressed({*c, 0, 0}) == 1;
        return handled;
    }
    int key(unsigned char virt) { return static_cast<int>(editor->keyPressed({0, virt, 0})); }
};

TEST_F(TextEditTest, ClickSelectsAllTypingReplacesAndReturnCommits) {
    GuiTextEdit* f = field();
    EXPECT_EQ(type("x"), 0);  // not editing: keys go elsewhere
    input.press({50, 30}).release();
    click();
    ASSERT_TRUE(f->isEditing());
    EXPECT_EQ(frame->focusView(), f);
    EXPECT_TRUE(f->isAllSelected());
    frame->repaintDirty();
    int selection = 0;  // the selection colour behind the text
    for (int y = 20; y < 40; ++y)
        for (int x = 20; x < 160; ++x) selection += pixel(x, y) == 0x0A246Au;
    EXPECT_GT(selection, 50);
    EXPECT_EQ(type("Drums"), 5);
    EXPECT_EQ(f->editedText(), "Drums");
    EXPECT_EQ(key(VKEY_BACK), 1);
    EXPECT_EQ(key(VKEY_HOME), 1);
    EXPECT_EQ(key(VKEY_SPACE), 1);
    EXPECT_EQ(key(22), 1);  // Delete
    EXPECT_EQ(f->editedText(), " rum");
    EXPECT_STREQ(f->getText(), "Preset");  // nothing kept before the edit ends
    EXPECT_TRUE(listener.changes.empty());
    EXPECT_EQ(key(VKEY_RETURN), 1);
    EXPECT_FALSE(f->isEditing());
    EXPECT_EQ(frame->focusView(), nullptr);
    EXPECT_STREQ(f->getText(), " rum");
    ASSERT_EQ(listener.changes.size(), 1u);
    EXPECT_FALSE(listener.changes[0].withCanvas);
    EXPECT_EQ(messages->looseFocus, 1);
}

TEST_F(TextEditTest, EscapeKeepsTheOldTextAndAClickElsewhereCommits) {
    GuiTextEdit* f = field();
    input.press({50, 30}).release();
    click();
    type("abc");
    EXPECT_EQ(key(VKEY_ESCAPE), 1);
    EXPECT_STREQ(f->getText(), "Preset");
    EXPECT_TRUE(listener.changes.empty());  // unchanged: no call

    click();
    EXPECT_EQ(key(VKEY_END), 1);
    type("s");
    input.clear();
    input.press({300, 250}).release();
    click();  // the frame takes the focus away before anything else gets the click
    EXPECT_FALSE(f->isEditing());
    EXPECT_STREQ(f->getText(), "Presets");
    EXPECT_EQ(listener.changes.size(), 1u);
    EXPECT_EQ(messages->looseFocus, 2);
}

TEST_F(TextEditTest, TextStaysWithin255CharactersAndControlCodesAreNotTyped) {
    GuiTextEdit* f = field();
    input.press({50, 30}).release();
    click();
    const std::string many(300, 'k');
    type(many.c_str());
    EXPECT_EQ(f->editedText().size(), 255u);
    EXPECT_EQ(editor->keyPressed({7, 0, 0}), -1);
    EXPECT_EQ(editor->keyPressed({VKEY_TAB, VKEY_TAB, 0}), -1);
    key(VKEY_RETURN);
    EXPECT_EQ(std::strlen(f->getText()), 255u);
    f->setText(many.c_str());
    EXPECT_EQ(std::strlen(f->getText()), 255u);
}

TEST_F(TextEditTest, DoubleClickStyleNeedsTwoClicks) {
    GuiTextEdit* f = field(gui::kTextEditDoubleClick);
    input.press({50, 30}).release();
    click();
    EXPECT_FALSE(f->isEditing());
    input.rewind();
    click();
    EXPECT_TRUE(f->isEditing());
}

TEST_F(TextEditTest, ShowsItsTextThroughTheConverterWhenNotEditing) {
    GuiTextEdit* f = field();
    f->setTextConverter([](const char* text, char* shown) { std::snprintf(shown, 256, "<%s>", text); });
    f->setNeedsPaint(true);
    frame->repaintDirty();
    gui::GuiFrame other({0, 0, 400, 300}, nullptr, nullptr);
    auto* plain = new GuiTextEdit({20, 20, 160, 40}, nullptr, 0, "<Preset>", nullptr, 0);
    other.appendChild(plain);
    other.paint(nullptr);
    int same = 0, ink = 0;
    for (int y = 20; y < 40; ++y)
        for (int x = 20; x < 160; ++x) {
            same += pixel(x, y) == other.surface().pixel(x, y);
            ink += pixel(x, y) != 0;
        }
    EXPECT_EQ(same, 140 * 20);
    EXPECT_GT(ink, 30);
}

}  // namespace
