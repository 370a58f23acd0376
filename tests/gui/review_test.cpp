// Draws a test frame (background picture, lines, ellipses, texts in every font) and
// writes it as a PNG for people to look at.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

#include "gui/font_table.h"
#include "gui/gui_bitmap.h"
#include "gui/gui_canvas.h"
#include "gui/gui_frame.h"
#include "gui/gui_offscreen.h"
#include "gui/surface_png.h"
#include "gui_test_pictures.h"

namespace {

using gui::GuiColour;
using gui::GuiRect;

// Every font of the table, each line in its own font with its name.
class FontSampler : public gui::GuiView {
public:
    using GuiView::GuiView;
    void paint(gui::GuiCanvas* c) override {
        int top = size_.top;
        for (int i = 0; i < gui::kFontCount; ++i) {
            c->selectFont(i);
            char text[96];
            std::snprintf(text, sizeof text, i == 7 ? "%d abgdDWmp 123" : "%d %s %d px - Gain 12.5 dB",
                          i, gui::kFontTable[i].face, gui::kFontTable[i].height);
            c->setFontColour({245, 240, 220, 0});
            const int h = c->lineHeight() + 2;
            c->paintString(text, {size_.left, top, size_.right, top + h}, false, gui::kAlignLeft);
            top += h;
        }
        c->selectFont(3, 0, gui::kFaceItalic | gui::kFaceUnderline);
        c->paintString("italic, underlined", {size_.left, top, size_.right, top + 16}, false, gui::kAlignLeft);
        setNeedsPaint(false);
    }
};

// Lines, outlines, ellipses, a dotted line and an off-screen composition.
class ShapeSampler : public gui::GuiView {
public:
    ShapeSampler(const GuiRect& r, gui::GuiBitmap* keyed) : GuiView(r), keyed_(keyed) {}
    void paint(gui::GuiCanvas* c) override {
        const int x = size_.left, y = size_.top;
        c->setFrameColour({250, 210, 100, 0});
        c->frameRect({x, y, x + 120, y + 80});
        c->setFillColour({40, 60, 120, 0});
        c->fillRect({x, y, x + 120, y + 80});
        c->setFillColour({220, 80, 80, 0});
        c->fillEllipse({x + 10, y + 10, x + 50, y + 50});
        c->setFillColour({80, 180, 80, 0});
        c->fillEllipse({x + 60, y + 20, x + 110, y + 45});
        c->setLineStyle(gui::kLineDotted);
        c->moveTo({x + 5, y + 70});
        c->lineTo({x + 115, y + 70});
        c->setLineStyle(gui::kLineSolid);
        c->setLineWidth(3);
        c->moveTo({x + 10, y + 60});
        c->lineTo({x + 110, y + 55});
        c->setLineWidth(1);
        for (int i = 0; i < 5; ++i) {  // a knob's shadowed pointer line
            const int dx = i == 0 ? -1 : i == 1 ? 1 : 0, dy = i == 2 ? -1 : i == 3 ? 1 : 0;
            c->setFrameColour(i < 4 ? GuiColour{110, 100, 70, 0} : GuiColour{250, 210, 100, 0});
            c->moveTo({x + 30 + dx, y + 30 + dy});
            c->lineTo({x + 45 + dx, y + 15 + dy});
        }
        gui::GuiOffscreen off(ownerFrame(), 40, 20, {30, 30, 30, 0});
        keyed_->paintKeyed(off, {4, 4, 36, 16}, {0, 0});
        off.copyTo(*c, {x + 130, y, x + 170, y + 20}, {0, 0});
        keyed_->paintTo(*c, {x + 130, y + 30, x + 138, y + 34}, {0, 0});
        setNeedsPaint(false);
    }

private:
    gui::GuiBitmap* keyed_;
};

TEST(ReviewPicture, TestFrameIsWrittenAsPng) {
    auto* frame = new gui::GuiFrame({0, 0, 400, 300}, nullptr, nullptr);
    auto* panel = new gui::GuiBitmap(gui_test::kPictures, 9002);
    auto* keyed = new gui::GuiBitmap(gui_test::kPictures, 9001);
    ASSERT_EQ(panel->width(), 400);
    frame->setPicture(panel);
    panel->release();
    frame->appendChild(new FontSampler({16, 16, 280, 200}));
    frame->appendChild(new ShapeSampler({16, 200, 390, 290}, keyed));
    frame->paint(nullptr);

    const gui::Surface& s = frame->surface();
    EXPECT_EQ(s.pixel(3, 150), panel->pixels().pixel(3, 150));  // background where nothing else is
    constexpr GuiColour kEllipse{220, 80, 80, 0};
    EXPECT_EQ(s.pixel(16 + 20, 200 + 30), kEllipse.pixel());  // inside the red ellipse
    int textPixels = 0;
    for (int y = 16; y < 200; ++y)
        for (int x = 16; x < 280; ++x) textPixels += s.pixel(x, y) == 0xF5F0DC;
    EXPECT_GT(textPixels, 500);

    const std::filesystem::path dir = TARN_REVIEW_DIR;
    std::filesystem::create_directories(dir);
    const std::string path = (dir / "toolkit_test_frame.png").string();
    std::string error;
    ASSERT_TRUE(gui::writePng(s, path, &error)) << error;
    EXPECT_GT(std::filesystem::file_size(path), 10000u);
    EXPECT_FALSE(gui::writePng(s, (dir / "no-such-dir" / "x.png").string(), &error));
    EXPECT_FALSE(error.empty());
    frame->release();
    keyed->release();
}

}  // namespace
