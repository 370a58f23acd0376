// The toolkit's drawing passes on a panel the size of the plug-ins' (622 × 287)
// with 40 simple views: a full repaint, and an idle pass with nothing dirty.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <vector>

#include "gui/gui_bitmap.h"
#include "gui/gui_canvas.h"
#include "gui/gui_frame.h"

namespace {

constexpr int kWidth = 622, kHeight = 287;

// A knob-like view: its piece of the panel, a shadowed pointer line, a value text.
class SimpleView : public gui::GuiView {
public:
    SimpleView(const gui::GuiRect& r, gui::GuiBitmap* panel, int index) : GuiView(r), panel_(panel) {
        std::snprintf(text_, sizeof text_, "%d.%d dB", index, index % 10);
    }
    void paint(gui::GuiCanvas* c) override {
        ++paints;
        panel_->paintTo(*c, size_, {size_.left, size_.top});
        const gui::GuiPoint centre{size_.left + 18, size_.top + 18};
        c->setFrameColour({110, 100, 70, 0});
        c->moveTo({centre.h - 1, centre.v});
        c->lineTo({centre.h + 9, centre.v - 11});
        c->setFrameColour({250, 210, 100, 0});
        c->moveTo(centre);
        c->lineTo({centre.h + 10, centre.v - 11});
        c->selectFont(6);
        c->setFontColour(gui::kBlack);
        c->paintString(text_, {size_.left, size_.bottom - 14, size_.right, size_.bottom});
        setNeedsPaint(false);
    }
    inline static long paints = 0;

private:
    gui::GuiBitmap* panel_;
    char text_[24];
};

struct Panel {
    std::vector<unsigned char> rgb;
    gui::PictureEntry entry{};
    gui::PictureTable table;
    gui::GuiBitmap* picture;
    gui::GuiFrame* frame;

    Panel() : rgb(static_cast<size_t>(kWidth) * kHeight * 3) {
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x) {
                unsigned char* p = &rgb[(static_cast<size_t>(y) * kWidth + x) * 3];
                p[0] = static_cast<unsigned char>(120 + y / 4);
                p[1] = static_cast<unsigned char>(110 + x / 8);
                p[2] = 90;
            }
        entry = {1, kWidth, kHeight, rgb.data()};
        table = gui::PictureTable(std::span<const gui::PictureEntry>(&entry, 1));
        picture = new gui::GuiBitmap(table, 1);
        frame = new gui::GuiFrame({0, 0, kWidth, kHeight}, nullptr, nullptr);
        frame->setPicture(picture);
        for (int i = 0; i < 40; ++i) {  // 10 columns × 4 rows of 50 × 60
            const int left = 11 + (i % 10) * 60, top = 10 + (i / 10) * 68;
            frame->appendChild(new SimpleView({left, top, left + 50, top + 60}, picture, i));
        }
    }
    ~Panel() {
        frame->release();
        picture->release();
    }
};

void BM_FullRepaint(benchmark::State& state) {
    Panel panel;
    for (auto _ : state) {
        panel.frame->paint(nullptr);
        benchmark::DoNotOptimize(panel.frame->surface().data());
    }
    state.counters["views"] = panel.frame->childCount();
}
BENCHMARK(BM_FullRepaint)->Unit(benchmark::kMicrosecond);

void BM_IdleNothingDirty(benchmark::State& state) {
    Panel panel;
    panel.frame->paint(nullptr);
    const long paintsBefore = SimpleView::paints;
    for (auto _ : state) benchmark::DoNotOptimize(panel.frame->repaintDirty());
    // nothing may be drawn, and no pixels may be waiting to be sent
    if (SimpleView::paints != paintsBefore || !panel.frame->damage().isEmpty())
        state.SkipWithError("an idle pass with nothing dirty drew something");
}
BENCHMARK(BM_IdleNothingDirty)->Unit(benchmark::kMicrosecond);

void BM_IdleOneDirtyView(benchmark::State& state) {
    Panel panel;
    panel.frame->paint(nullptr);
    gui::GuiView* view = panel.frame->childAt(17);
    for (auto _ : state) {
        view->setNeedsPaint(true);
        benchmark::DoNotOptimize(panel.frame->repaintDirty());
    }
}
BENCHMARK(BM_IdleOneDirtyView)->Unit(benchmark::kMicrosecond);

}  // namespace
