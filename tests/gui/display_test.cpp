// The value display: its text from the converter, styles, borders, shadow, and
// which setters make it dirty. Texts are compared with a reference drawing.
#include <cstdio>
#include <cstring>

#include "gui/gui_canvas.h"
#include "gui/gui_display.h"
#include "gui/font_table.h"
#include "support/control_fixture.h"

namespace {

using gui::GuiColour;
using gui::GuiRect;

constexpr GuiRect kRect{10, 10, 90, 30};
constexpr uint32_t kFace = 0xD4D0C8;  // the frame's own background

struct DisplayTest : gui_test::ControlTest {
    gui::GuiDisplay* display(int style = 0) {
        auto* d = add(new gui::GuiDisplay(kRect, nullptr, style));
        settle();
        return d;
    }
    // The text as the canvas draws it in font 3 in the rect, on the frame's face colour.
    gui::Surface reference(const char* text, GuiColour colour, int align = gui::kAlignCentre) {
        gui::GuiFrame other({0, 0, 400, 300}, nullptr, nullptr);
        gui::GuiCanvas c(&other);
        c.selectFont(3);
        c.setFontColour(colour);
        c.paintString(text, kRect, false, align);
        return other.surface();
    }
    int count(uint32_t colour, const GuiRect& r) const {
        int n = 0;
        for (int y = r.top; y <= r.bottom; ++y)
            for (int x = r.left; x <= r.right; ++x) n += pixel(x, y) == colour;
        return n;
    }
    // Ours has ink (anything but our background) exactly where the reference has ink
    // (anything but the frame's face), over the display's rect.
    bool showsText(const gui::Surface& ref, uint32_t ourBackground) const {
        int ink = 0;
        for (int y = kRect.top + 1; y < kRect.bottom; ++y)
            for (int x = kRect.left + 1; x < kRect.right; ++x) {
                const bool refInk = ref.pixel(x, y) != kFace;
                ink += refInk;
                if (refInk != (pixel(x, y) != ourBackground)) return false;
            }
        return ink > 20;
    }
};

void decibels(float value, char* text) { std::snprintf(text, 16, "%+.1f dB", static_cast<double>(value) * 10.0); }
void withUnit(float value, char* text, void* unit) {
    std::snprintf(text, 32, "%.0f %s", static_cast<double>(value) * 100.0, static_cast<const char*>(unit));
}

TEST_F(DisplayTest, DrawsTheValueWhiteInABlackBoxOrThroughAConverter) {
    gui::GuiDisplay* d = display();
    d->setValue(0.5f);
    frame->repaintDirty();
    EXPECT_TRUE(showsText(reference("0.50", gui::kWhite), 0u));
    EXPECT_FALSE(showsText(reference("0.60", gui::kWhite), 0u));
    EXPECT_EQ(pixel(12, 12), 0u);        // the back colour
    EXPECT_EQ(pixel(10, 20), 0u);        // the outline
    EXPECT_EQ(pixel(9, 20), kFace);      // nothing outside

    d->setConverter(decibels);
    d->setNeedsPaint(true);
    frame->repaintDirty();
    EXPECT_TRUE(showsText(reference("+5.0 dB", gui::kWhite), 0u));
    static char unit[] = "%";
    d->setConverter(withUnit, unit);  // the one with user data wins
    d->setAlignment(gui::kAlignLeft);
    frame->repaintDirty();
    EXPECT_TRUE(showsText(reference("50 %", gui::kWhite, gui::kAlignLeft), 0u));
}

TEST_F(DisplayTest, ShadowBordersAndNoTextStyles) {
    gui::GuiDisplay* d = display(gui::kDisplayShadowText | gui::kDisplaySunken);
    d->setFillColour(gui::kBlue);
    d->setBorderColour(gui::kYellow);
    d->setValue(0.25f);
    frame->repaintDirty();
    int reddish = 0;  // the shadow, one pixel down and right, red blended over blue
    for (int y = kRect.top + 1; y < kRect.bottom; ++y)
        for (int x = kRect.left + 1; x < kRect.right; ++x) reddish += (pixel(x, y) >> 16) > 0x80 && (pixel(x, y) & 0xFF) < 0x80;
    EXPECT_GT(reddish, 5);
    // sunken: the back colour along the left and top, the border colour along the right and bottom
    EXPECT_EQ(pixel(10, 20), gui::kBlue.pixel());
    EXPECT_EQ(pixel(50, 10), gui::kBlue.pixel());
    EXPECT_EQ(pixel(90, 20), gui::kYellow.pixel());
    EXPECT_EQ(pixel(50, 30), gui::kYellow.pixel());
    d->setDisplayStyle(gui::kDisplayRaised | gui::kDisplayNoText);
    frame->repaintDirty();
    EXPECT_EQ(pixel(10, 20), gui::kYellow.pixel());
    EXPECT_EQ(pixel(90, 20), gui::kBlue.pixel());
    const GuiRect inside{kRect.left + 1, kRect.top + 1, kRect.right - 1, kRect.bottom - 1};
    EXPECT_EQ(count(gui::kBlue.pixel(), inside), inside.width() * inside.height() + inside.width() + inside.height() + 1);
}

TEST_F(DisplayTest, Style0x1000DrawsNothingAndIsNeverDirtyByItself) {
    auto* d = new gui::GuiDisplay(kRect, nullptr, gui::kDisplayNoDraw);
    EXPECT_FALSE(d->needsPaint());
    add(d);
    settle();
    EXPECT_EQ(pixel(12, 12), kFace);
    d->setValue(0.9f);
    EXPECT_TRUE(d->needsPaint());  // a new value still asks for a redraw
    frame->repaintDirty();
    EXPECT_EQ(count(kFace, kRect), (kRect.width() + 1) * (kRect.height() + 1));
    EXPECT_FALSE(d->needsPaint());
}

TEST_F(DisplayTest, OnlyRealChangesOfTheLookMakeItDirty) {
    gui::GuiDisplay* d = display();
    d->setTextColour(gui::kWhite);
    d->setFillColour(GuiColour{0, 0, 0, 99});  // the spare byte does not count
    d->setAlignment(gui::kAlignCentre);
    d->setFontIndex(3);
    d->setConverter(decibels);
    d->setTextClear(false);
    EXPECT_FALSE(d->needsPaint());
    d->setTextColour(gui::kGreen);
    EXPECT_TRUE(d->needsPaint());
    frame->repaintDirty();
    d->setFontFace(gui::kFaceBold);
    EXPECT_TRUE(d->needsPaint());
}

TEST_F(DisplayTest, TransparentDisplayWithoutPictureDrawsOnlyTheText) {
    gui::GuiDisplay* d = display();
    d->setTransparent(true);
    settle();
    EXPECT_EQ(pixel(12, 12), kFace);
    EXPECT_TRUE(showsText(reference("0.00", gui::kWhite), kFace));
    gui_test::Picture panel(9002);
    d->setPicture(panel);
    d->setPictureOffset({5, 6});
    d->setTransparent(false);
    d->setTextClear(false);  // the text cell filled with the back colour
    d->setNeedsPaint(true);
    frame->repaintDirty();
    EXPECT_EQ(pixel(11, 11), panel->pixels().pixel(6, 7));
    EXPECT_GT(count(0u, kRect), 20);
}

}  // namespace
