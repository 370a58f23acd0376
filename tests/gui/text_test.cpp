// Text placement and the font table, checked against the glyph metrics that the
// build rendered.
#include <gtest/gtest.h>

#include <cstring>

#include "gui/font_table.h"
#include "gui/gui_canvas.h"
#include "gui/gui_frame.h"

namespace {

using gui::GuiRect;

constexpr uint32_t kBack = 0x000000;

struct Ink {
    int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;  // inclusive
    bool any() const { return right >= 0; }
};

Ink inkOf(const gui::Surface& s, uint32_t back = kBack) {
    Ink ink;
    for (int y = 0; y < s.height(); ++y)
        for (int x = 0; x < s.width(); ++x)
            if (s.pixel(x, y) != back) {
                ink.left = std::min(ink.left, x), ink.right = std::max(ink.right, x);
                ink.top = std::min(ink.top, y), ink.bottom = std::max(ink.bottom, y);
            }
    return ink;
}

struct TextTest : ::testing::Test {
    gui::GuiFrame* frame = new gui::GuiFrame({0, 0, 200, 60}, nullptr, nullptr);
    gui::GuiCanvas canvas{frame};
    TextTest() {
        frame->surface().fill(kBack);
        canvas.selectFont(3);  // Arial 12
        canvas.setFontColour(gui::kWhite);
    }
    ~TextTest() override { frame->release(); }
    const gui::GlyphFace& face() const { return gui::glyphFaceFor(3, 0, 0); }
    const gui::GlyphMetrics& glyph(char c) const { return *gui::glyphFor(face(), static_cast<unsigned char>(c)); }
};

TEST_F(TextTest, WidthIsTheSumOfTheAdvances) {
    EXPECT_EQ(canvas.textWidth("HI"), glyph('H').advance + glyph('I').advance);
    EXPECT_EQ(canvas.textWidth(""), 0);
    EXPECT_EQ(canvas.textWidth(nullptr), 0);
    EXPECT_GT(glyph('W').advance, glyph('i').advance);
}

// 'H' stands on the baseline with ink in its first and last bitmap column.
TEST_F(TextTest, LeftAlignmentStartsOnePixelIntoTheRect) {
    const GuiRect rect{20, 10, 120, 30};
    canvas.paintString("H", rect, false, gui::kAlignLeft);
    const Ink ink = inkOf(frame->surface());
    ASSERT_TRUE(ink.any());
    EXPECT_EQ(ink.left, rect.left + 1 + glyph('H').left);
    const int cell = face().ascent + face().descent;
    const int baseline = rect.top + (rect.height() - cell) / 2 + face().ascent;
    EXPECT_EQ(ink.bottom, baseline - 1);
    EXPECT_EQ(ink.top, baseline - glyph('H').top);
}

TEST_F(TextTest, CentreAndRightAlignmentUseTheTextWidth) {
    const GuiRect rect{20, 10, 121, 30};
    const int width = canvas.textWidth("HH");
    canvas.paintString("HH", rect, false, gui::kAlignCentre);
    Ink ink = inkOf(frame->surface());
    EXPECT_EQ(ink.left, rect.left + (rect.width() - width) / 2 + glyph('H').left);

    frame->surface().fill(kBack);
    canvas.paintString("HH", rect, false, gui::kAlignRight);
    ink = inkOf(frame->surface());
    EXPECT_EQ(ink.left, rect.right - width + glyph('H').left);
    EXPECT_LT(ink.right, rect.right);
}

TEST_F(TextTest, OffsetAndOpaqueBackground) {
    canvas.setOffset({5, 5});
    canvas.setFillColour(gui::kBlue);
    const GuiRect rect{0, 0, 60, 20};
    canvas.paintString("Ab", rect, true, gui::kAlignLeft);
    const int cell = face().ascent + face().descent;
    const int top = 5 + (20 - cell) / 2;
    const int left = 5 + 1;
    const gui::Surface& s = frame->surface();
    // the text cell is filled, nothing around it
    EXPECT_EQ(s.pixel(left, top), gui::kBlue.pixel());
    EXPECT_EQ(s.pixel(left + canvas.textWidth("Ab") - 1, top + cell - 1), gui::kBlue.pixel());
    EXPECT_EQ(s.pixel(left - 1, top), kBack);
    EXPECT_EQ(s.pixel(left + canvas.textWidth("Ab"), top), kBack);
    EXPECT_EQ(s.pixel(left, top - 1), kBack);
}

TEST_F(TextTest, TextStaysInsideItsRect) {
    const GuiRect rect{30, 20, 50, 32};
    canvas.paintString("WWWWWWWWWWWWWWWW", rect, false, gui::kAlignCentre);
    const Ink ink = inkOf(frame->surface());
    ASSERT_TRUE(ink.any());
    EXPECT_GE(ink.left, rect.left);
    EXPECT_LT(ink.right, rect.right);
    EXPECT_GE(ink.top, rect.top);
    EXPECT_LT(ink.bottom, rect.bottom);
}

TEST_F(TextTest, GlyphsAreAntiAliasedInTheFontColour) {
    canvas.setFontColour({200, 100, 50, 0});
    canvas.paintString("Oslo", {0, 0, 200, 60}, false, gui::kAlignLeft);
    int full = 0, partial = 0;
    const gui::Surface& s = frame->surface();
    for (int y = 0; y < s.height(); ++y)
        for (int x = 0; x < s.width(); ++x) {
            const uint32_t p = s.pixel(x, y);
            if (p == 0xC86432) ++full;
            else if (p != kBack) {
                ++partial;
                // a blend towards the font colour keeps its channel order
                const gui::GuiColour c = gui::GuiColour::fromPixel(p);
                EXPECT_GE(c.red, c.green);
                EXPECT_GE(c.green, c.blue);
            }
        }
    EXPECT_GT(full, 0);
    EXPECT_GT(partial, 0);
}

TEST_F(TextTest, NullTextDrawsNothingAndUnderlineDrawsALine) {
    canvas.paintString(nullptr, {0, 0, 100, 20});
    EXPECT_FALSE(inkOf(frame->surface()).any());
    canvas.selectFont(3, 0, gui::kFaceUnderline);
    canvas.paintString(" ", {0, 0, 100, 20}, false, gui::kAlignLeft);  // a blank has no ink of its own
    const Ink ink = inkOf(frame->surface());
    ASSERT_TRUE(ink.any());
    EXPECT_EQ(ink.right - ink.left + 1, glyph(' ').advance);
}

TEST(FontTable, IndexHeightAndFaceChooseTheRenderedFace) {
    for (int i = 0; i < gui::kFontCount; ++i) {
        const gui::GlyphFace& f = gui::glyphFaceFor(i, 0, 0);
        EXPECT_EQ(f.pixelHeight, gui::kFontTable[i].height) << i;
        EXPECT_STREQ(f.family, i == 7 ? "Symbol" : "Arial") << i;
        EXPECT_EQ(f.bold, i == 0) << i;  // index 0 is always bold
        EXPECT_FALSE(f.italic);
        // cell height a little over the em height, as with the system's fonts
        EXPECT_GE(f.ascent + f.descent, f.pixelHeight);
        EXPECT_LE(f.ascent + f.descent, f.pixelHeight * 5 / 4 + 1);
    }
    EXPECT_EQ(&gui::glyphFaceFor(-1, 0, 0), &gui::glyphFaceFor(0, 0, 0));
    EXPECT_EQ(&gui::glyphFaceFor(8, 0, 0), &gui::glyphFaceFor(0, 0, 0));
    EXPECT_TRUE(gui::glyphFaceFor(3, 0, gui::kFaceBold).bold);
    EXPECT_TRUE(gui::glyphFaceFor(3, 0, gui::kFaceItalic).italic);
    // heights that were not rendered take the nearest one
    EXPECT_EQ(gui::glyphFaceFor(3, 13, 0).pixelHeight, 12);
    EXPECT_EQ(gui::glyphFaceFor(3, 40, 0).pixelHeight, 18);
    EXPECT_EQ(gui::glyphFaceFor(3, 14, 0).pixelHeight, 14);
}

TEST(FontTable, SymbolFaceShowsGreekForLatinLetters) {
    const gui::GlyphFace& symbol = gui::glyphFaceFor(7, 0, 0);
    const gui::GlyphFace& arial = gui::glyphFaceFor(3, 13, 0);
    // 'm' is μ: a descender below the baseline, which the Latin letter lacks
    const gui::GlyphMetrics& mu = *gui::glyphFor(symbol, 'm');
    const gui::GlyphMetrics& em = *gui::glyphFor(arial, 'm');
    EXPECT_GT(mu.height - mu.top, 1);
    EXPECT_LE(em.height - em.top, 0);
    EXPECT_LT(mu.advance, em.advance);
}

TEST(FontTable, CanvasSelectsFontsByIndex) {
    gui::GuiFrame* frame = new gui::GuiFrame({0, 0, 10, 10}, nullptr, nullptr);
    gui::GuiCanvas canvas(frame);
    canvas.selectFont(1);
    EXPECT_EQ(canvas.fontIndex(), 1);
    EXPECT_EQ(canvas.fontHeight(), 18);
    const int wide = canvas.textWidth("Level");
    canvas.selectFont(6);
    EXPECT_LT(canvas.textWidth("Level"), wide);
    canvas.selectFont(12, 0, 0);
    EXPECT_EQ(canvas.fontIndex(), 0);
    EXPECT_EQ(canvas.fontHeight(), 12);
    frame->release();
}

}  // namespace
