// Pixel tests of the canvas's drawing operations on a frame without a window.
#include <gtest/gtest.h>

#include "gui/gui_canvas.h"
#include "gui/gui_frame.h"
#include "gui/gui_offscreen.h"

namespace {

using gui::GuiCanvas;
using gui::GuiColour;
using gui::GuiPoint;
using gui::GuiRect;

constexpr uint32_t kBack = 0x000000;
constexpr uint32_t kInk = 0x00FF00;

struct CanvasTest : ::testing::Test {
    GuiRect size{0, 0, 40, 30};
    gui::GuiFrame* frame = new gui::GuiFrame(size, nullptr, nullptr);
    gui::Surface& s = frame->surface();
    GuiCanvas canvas{frame};

    CanvasTest() {
        s.fill(kBack);
        canvas.setFrameColour(GuiColour::fromPixel(kInk));
        canvas.setFillColour(GuiColour::fromPixel(kInk));
    }
    ~CanvasTest() override { frame->release(); }

    // The inked pixels as a set of rows of '#' and '.' over a window of the surface.
    std::string picture(int w, int h) const {
        std::string out;
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) out += s.pixel(x, y) == kBack ? '.' : '#';
            out += '\n';
        }
        return out;
    }
    int inked() const {
        int n = 0;
        for (int y = 0; y < s.height(); ++y)
            for (int x = 0; x < s.width(); ++x) n += s.pixel(x, y) != kBack;
        return n;
    }
};

TEST_F(CanvasTest, FillRectLeavesOutTheOutlineRowAndColumn) {
    canvas.fillRect({0, 0, 10, 10});
    EXPECT_EQ(inked(), 81);
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 12; ++x)
            EXPECT_EQ(s.pixel(x, y) == kInk, x >= 1 && x <= 9 && y >= 1 && y <= 9) << x << "," << y;
}

TEST_F(CanvasTest, FrameRectOutlinesBothCornersInclusive) {
    canvas.frameRect({1, 1, 5, 4});
    EXPECT_EQ(picture(7, 6),
              ".......\n"
              ".#####.\n"
              ".#...#.\n"
              ".#...#.\n"
              ".#####.\n"
              ".......\n");
}

TEST_F(CanvasTest, LineToLeavesOutTheEndPoint) {
    canvas.moveTo({0, 0});
    canvas.lineTo({5, 0});
    canvas.moveTo({0, 2});
    canvas.lineTo({3, 5});
    EXPECT_EQ(picture(7, 6),
              "#####..\n"
              ".......\n"
              "#......\n"
              ".#.....\n"
              "..#....\n"
              ".......\n");
    EXPECT_EQ(canvas.penPosition(), (GuiPoint{3, 5}));
}

TEST_F(CanvasTest, JoinedSegmentsDrawEachCornerOnce) {
    // with a not-xor-like check: each pixel of the polyline drawn exactly once
    canvas.moveTo({1, 1});
    canvas.lineTo({6, 1});
    canvas.lineTo({6, 4});
    canvas.lineTo({1, 4});
    EXPECT_EQ(inked(), 5 + 3 + 5);
    EXPECT_EQ(s.pixel(1, 4), kBack);  // the last end point stays undrawn
    EXPECT_EQ(s.pixel(6, 1), kInk);
}

TEST_F(CanvasTest, DottedLinesAlternateThreeOnThreeOff) {
    canvas.setLineStyle(gui::kLineDotted);
    canvas.moveTo({0, 0});
    canvas.lineTo({14, 0});
    EXPECT_EQ(picture(15, 1), "###...###...##.\n");
}

TEST_F(CanvasTest, WideLinesAreAsThickAsThePen) {
    canvas.setLineWidth(3);
    canvas.moveTo({5, 5});
    canvas.lineTo({15, 5});
    for (int y = 2; y < 9; ++y) EXPECT_EQ(s.pixel(10, y) == kInk, y >= 4 && y <= 6) << y;
    // a wide pen's round cap covers the end point
    EXPECT_EQ(s.pixel(15, 5), kInk);
}

TEST_F(CanvasTest, FillEllipseIsInscribedInTheRectMovedByOne) {
    canvas.fillEllipse({0, 0, 10, 10});  // drawn in (1, 1, 11, 11)
    int minX = 99, minY = 99, maxX = -1, maxY = -1;
    for (int y = 0; y < 14; ++y)
        for (int x = 0; x < 14; ++x)
            if (s.pixel(x, y) == kInk) {
                minX = std::min(minX, x), maxX = std::max(maxX, x);
                minY = std::min(minY, y), maxY = std::max(maxY, y);
                // symmetric about the box centre (6, 6)
                EXPECT_EQ(s.pixel(11 - 1 - (x - 1), y), kInk);
                EXPECT_EQ(s.pixel(x, 11 - 1 - (y - 1)), kInk);
            }
    EXPECT_EQ(minX, 1);
    EXPECT_EQ(maxX, 10);
    EXPECT_EQ(minY, 1);
    EXPECT_EQ(maxY, 10);
    EXPECT_EQ(s.pixel(1, 1), kBack);  // the corners stay out
    EXPECT_EQ(s.pixel(10, 10), kBack);
    EXPECT_EQ(s.pixel(6, 6), kInk);
    // a circle of radius 5 covers about 25π ≈ 79 pixels
    EXPECT_NEAR(inked(), 79, 6);
}

TEST_F(CanvasTest, OffsetMovesEveryOperation) {
    canvas.setOffset({10, 5});
    canvas.fillRect({0, 0, 3, 3});
    canvas.moveTo({0, 10});
    canvas.lineTo({3, 10});
    EXPECT_EQ(s.pixel(11, 6), kInk);
    EXPECT_EQ(s.pixel(12, 7), kInk);
    EXPECT_EQ(s.pixel(1, 1), kBack);
    EXPECT_EQ(s.pixel(10, 15), kInk);
    EXPECT_EQ(s.pixel(13, 15), kBack);
    EXPECT_EQ(canvas.pixel({1, 1}), GuiColour::fromPixel(kInk));
    EXPECT_EQ(inked(), 4 + 3);
}

TEST_F(CanvasTest, ClipRectLimitsDrawing) {
    canvas.setClipRect({5, 5, 8, 8});
    canvas.fillRect({0, 0, 20, 20});
    canvas.moveTo({0, 6});
    canvas.lineTo({20, 6});
    EXPECT_EQ(inked(), 9);
    EXPECT_EQ(s.pixel(5, 5), kInk);
    EXPECT_EQ(s.pixel(8, 8), kBack);
}

TEST_F(CanvasTest, DrawingFarOutsideTheSurfaceIsHarmless) {
    canvas.fillRect({-100000, -5, 100000, 2});
    canvas.fillEllipse({-50, -50, 1000000, 3});
    canvas.moveTo({-3000, -3000});
    canvas.lineTo({3000, 3000});
    canvas.setLineWidth(9);
    canvas.lineTo({-70, 90});
    canvas.paintString("outside", {-500, -500, -400, -480});
    canvas.setPixel({-1, -1}, gui::kRed);
    EXPECT_GT(inked(), 0);
    EXPECT_EQ(s.pixel(20, 25), kBack);
}

TEST_F(CanvasTest, DrawingTellsTheFrameWhatChanged) {
    EXPECT_TRUE(frame->damage().isEmpty());
    canvas.fillRect({4, 4, 10, 8});
    EXPECT_EQ(frame->damage(), (GuiRect{5, 5, 10, 8}));
    frame->flush();
    EXPECT_TRUE(frame->damage().isEmpty());
}

TEST(Offscreen, StartsFilledAndCopiesOneAreaToTheScreen) {
    gui::GuiFrame* frame = new gui::GuiFrame({0, 0, 30, 20}, nullptr, nullptr);
    frame->surface().fill(kBack);
    gui::GuiOffscreen off(frame, 8, 6, gui::kBlue);
    EXPECT_EQ(off.surface().pixel(0, 0), gui::kBlue.pixel());
    EXPECT_EQ(off.surface().pixel(7, 5), gui::kBlue.pixel());
    off.setFillColour(gui::kYellow);
    off.fillRect({-1, -1, 2, 2});  // the top-left 2 × 2
    // drawing on the off-screen leaves the screen alone
    EXPECT_TRUE(frame->damage().isEmpty());

    GuiCanvas screen(frame);
    screen.setOffset({1, 1});
    off.copyTo(screen, {10, 10, 14, 13}, {1, 1});
    const gui::Surface& s = frame->surface();
    EXPECT_EQ(s.pixel(11, 11), gui::kYellow.pixel());  // source (1, 1)
    EXPECT_EQ(s.pixel(12, 11), gui::kBlue.pixel());
    EXPECT_EQ(s.pixel(14, 13), gui::kBlue.pixel());
    EXPECT_EQ(s.pixel(15, 13), kBack);
    EXPECT_EQ(s.pixel(14, 14), kBack);
    EXPECT_EQ(frame->damage(), (GuiRect{11, 11, 15, 14}));
    frame->release();
}

}  // namespace
