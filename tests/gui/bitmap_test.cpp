// Pictures from the test table (SVG sources rasterized by the build): copied and
// colour-keyed blits, missing numbers, reference counting.
#include <gtest/gtest.h>

#include "gui/gui_bitmap.h"
#include "gui/gui_canvas.h"
#include "gui/gui_frame.h"
#include "gui_test_pictures.h"

namespace {

using gui::GuiRect;

constexpr uint32_t kRed = 0xFF0000, kWhite = 0xFFFFFF, kBlue = 0x0000FF, kBack = 0x102030;

struct BitmapTest : ::testing::Test {
    gui::GuiFrame* frame = new gui::GuiFrame({0, 0, 20, 10}, nullptr, nullptr);
    gui::GuiCanvas canvas{frame};
    gui::GuiBitmap* keyed = new gui::GuiBitmap(gui_test::kPictures, 9001);
    BitmapTest() { frame->surface().fill(kBack); }
    ~BitmapTest() override {
        keyed->release();
        frame->release();
    }
    uint32_t at(int x, int y) const { return frame->surface().pixel(x, y); }
};

TEST_F(BitmapTest, PictureComesFromTheTableByNumber) {
    ASSERT_TRUE(keyed->isLoaded());
    EXPECT_EQ(keyed->resourceId(), 9001);
    EXPECT_EQ(keyed->width(), 8);
    EXPECT_EQ(keyed->height(), 4);
    EXPECT_EQ(keyed->pixels().pixel(0, 0), kRed);
    EXPECT_EQ(keyed->pixels().pixel(4, 0), kWhite);
    EXPECT_EQ(keyed->pixels().pixel(5, 1), kBlue);
}

TEST_F(BitmapTest, CopyShowsKeyPixelsWhite) {
    keyed->paintTo(canvas, {2, 2, 10, 6}, {0, 0});
    EXPECT_EQ(at(2, 2), kRed);
    EXPECT_EQ(at(6, 2), kWhite);
    EXPECT_EQ(at(7, 3), kBlue);
    EXPECT_EQ(at(10, 2), kBack);
    EXPECT_EQ(at(1, 2), kBack);
    EXPECT_EQ(at(2, 6), kBack);
}

TEST_F(BitmapTest, KeyedDrawingShowsTheDestinationThroughKeyPixels) {
    keyed->paintKeyed(canvas, {2, 2, 10, 6}, {0, 0});
    EXPECT_EQ(at(2, 2), kRed);
    EXPECT_EQ(at(5, 5), kRed);
    EXPECT_EQ(at(6, 2), kBack);
    EXPECT_EQ(at(9, 5), kBack);
    EXPECT_EQ(at(7, 3), kBlue);
}

TEST_F(BitmapTest, SourcePointAndDestinationSizeSelectTheArea) {
    // a 2 × 1 area from (4, 1): white, blue
    keyed->paintTo(canvas, {0, 0, 2, 1}, {4, 1});
    EXPECT_EQ(at(0, 0), kWhite);
    EXPECT_EQ(at(1, 0), kBlue);
    EXPECT_EQ(at(2, 0), kBack);
    EXPECT_EQ(at(0, 1), kBack);
    // an area reaching past the picture copies only what the picture has
    keyed->paintTo(canvas, {10, 0, 20, 10}, {6, 2});
    EXPECT_EQ(at(11, 1), kWhite);
    EXPECT_EQ(at(12, 1), kBack);
    EXPECT_EQ(at(11, 2), kBack);
}

TEST_F(BitmapTest, DrawingIsClippedToTheSurfaceAndOffset) {
    canvas.setOffset({15, 8});
    keyed->paintTo(canvas, {0, 0, 8, 4}, {0, 0});
    EXPECT_EQ(at(15, 8), kRed);
    EXPECT_EQ(at(19, 9), kWhite);
    canvas.setOffset({-6, -3});
    keyed->paintTo(canvas, {0, 0, 8, 4}, {0, 0});
    EXPECT_EQ(at(0, 0), kWhite);  // picture pixel (6, 3)
    EXPECT_EQ(at(2, 0), kBack);
}

TEST_F(BitmapTest, MissingNumberIsAnEmptyPictureThatDrawsNothing) {
    gui::GuiBitmap* missing = new gui::GuiBitmap(gui_test::kPictures, 4242);
    EXPECT_FALSE(missing->isLoaded());
    EXPECT_EQ(missing->width(), 0);
    EXPECT_EQ(missing->height(), 0);
    missing->paintTo(canvas, {0, 0, 20, 10}, {0, 0});
    missing->paintKeyed(canvas, {0, 0, 20, 10}, {0, 0});
    EXPECT_EQ(at(0, 0), kBack);
    EXPECT_TRUE(frame->damage().isEmpty());
    missing->release();
}

TEST_F(BitmapTest, InstalledTableServesPlainResourceNumbers) {
    gui::PictureTable::install(nullptr);
    gui::GuiBitmap* none = new gui::GuiBitmap(9001);
    EXPECT_FALSE(none->isLoaded());
    none->release();
    gui::PictureTable::install(&gui_test::kPictures);
    gui::GuiBitmap* found = new gui::GuiBitmap(9001);
    EXPECT_EQ(found->width(), 8);
    found->release();
    gui::PictureTable::install(nullptr);
}

TEST_F(BitmapTest, TransparentSourcePixelsBecomeTheColourKey) {
    gui::GuiBitmap* alpha = new gui::GuiBitmap(gui_test::kPictures, 9003);
    ASSERT_EQ(alpha->width(), 6);
    EXPECT_EQ(alpha->pixels().pixel(0, 0), kWhite);
    EXPECT_EQ(alpha->pixels().pixel(2, 2), 0x00FF00u);
    alpha->paintKeyed(canvas, {0, 0, 6, 6}, {0, 0});
    EXPECT_EQ(at(0, 0), kBack);
    EXPECT_EQ(at(3, 3), 0x00FF00u);
    alpha->release();
}

TEST_F(BitmapTest, BlendedDrawingMixesWithConstantOpacity) {
    frame->surface().fill(0x000000);
    keyed->paintBlended(canvas, {0, 0, 1, 1}, {0, 0}, 128);
    EXPECT_EQ(at(0, 0), 0x800000u);
}

TEST_F(BitmapTest, FrameBackgroundHoldsAReference) {
    EXPECT_EQ(keyed->refCount(), 1);
    frame->setPicture(keyed);
    EXPECT_EQ(keyed->refCount(), 2);
    frame->setPicture(nullptr);
    EXPECT_EQ(keyed->refCount(), 1);
    frame->setPicture(keyed);
    frame->release();  // a closing frame lets its background go
    frame = new gui::GuiFrame({0, 0, 20, 10}, nullptr, nullptr);
    EXPECT_EQ(keyed->refCount(), 1);
}

}  // namespace
