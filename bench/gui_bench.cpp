// The toolkit's drawing passes on a panel the size of the plug-ins' (622 × 287)
// with 40 simple views: a full repaint, and an idle pass with nothing dirty. Then
// the compressor's panel (435 × 247): an editor idle with both needle meters moving,
// which must draw and present only the meters' faces and lamps, and a full repaint.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <vector>

#include "gui/gui_bitmap.h"
#include "gui/gui_canvas.h"
#include "gui/gui_frame.h"
#include "gui/gui_needle_meter.h"
#include "gui/platform/null_window.h"

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

// A panel laid out like the compressor's: two needle meters with faces and lamps of
// their real sizes, and 30 views (knobs and displays) that stay at rest.
struct MeterPanel {
    static constexpr int kW = 435, kH = 247;
    std::vector<unsigned char> panelRgb, faceRgb, lampRgb;
    gui::PictureEntry entries[3]{};
    gui::PictureTable table;
    gui::GuiFrame* frame;
    gui::GuiNeedleMeter* meters[2];
    int parent = 0;  // a host window for the headless backend, which records what it presents

    static std::vector<unsigned char> shaded(int w, int h, int base) {
        std::vector<unsigned char> rgb(static_cast<size_t>(w) * h * 3);
        for (size_t i = 0; i < rgb.size(); ++i) rgb[i] = static_cast<unsigned char>(base + (i / 3) % 37);
        return rgb;
    }
    MeterPanel() : panelRgb(shaded(kW, kH, 150)), faceRgb(shaded(132, 81, 200)), lampRgb(shaded(12, 26, 60)) {
        entries[0] = {1, kW, kH, panelRgb.data()};
        entries[1] = {2, 132, 81, faceRgb.data()};
        entries[2] = {3, 12, 26, lampRgb.data()};
        table = gui::PictureTable(entries);
        auto* panel = new gui::GuiBitmap(table, 1);
        auto* face = new gui::GuiBitmap(table, 2);
        auto* lamp = new gui::GuiBitmap(table, 3);
        frame = new gui::GuiFrame({0, 0, kW, kH}, &parent, nullptr);
        frame->setPicture(panel);
        for (int m = 0; m < 2; ++m) {
            const int x = m ? 233 : 69;
            meters[m] = new gui::GuiNeedleMeter({x, 18, x, 18}, face, {x + 61, 88}, lamp, x + 67, 111, 30.0f, 85.0f);
            frame->appendChild(meters[m]);
        }
        for (int i = 0; i < 30; ++i) {
            const int left = 15 + (i % 8) * 52, top = 130 + (i / 8) * 26;
            frame->appendChild(new SimpleView({left, top, left + 50, top + 24}, panel, i));
        }
        panel->release();
        face->release();
        lamp->release();
        frame->paint(nullptr);
        gui::platform::clearPresented(frame->nativeWindow());
    }
    ~MeterPanel() { frame->release(); }
    // What an editor's idle does: the meter feed, then the redraw of what changed.
    void idle(int step) {
        const float level = 0.05f + 0.9f * static_cast<float>(step % 20) / 20.0f;
        for (gui::GuiNeedleMeter* m : meters) {
            m->setNeedle1(level * 1.58f);
            m->setNeedle2(step % 40 < 20 ? 1.0f : 0.0f);
            m->setNeedle3(0.1995f / (1.0f + level));
            m->setNeedle4(level + 0.05f);
        }
        frame->repaintDirty();
    }
    // True when every area sent to the window lies within a meter's face or lamp (and
    // the pixel around it that a needle's damage rect takes in).
    bool presentedOnlyMeters() const {
        for (const gui::GuiRect& r : gui::platform::presented(frame->nativeWindow())) {
            bool inside = false;
            for (const gui::GuiNeedleMeter* m : meters) {
                const gui::GuiRect a = m->backgroundRect().unite(m->lampRect());
                const gui::GuiRect area{a.left - 1, a.top - 1, a.right + 1, a.bottom + 1};
                inside |= r.left >= area.left && r.top >= area.top && r.right <= area.right && r.bottom <= area.bottom;
            }
            if (!inside) return false;
        }
        return !gui::platform::presented(frame->nativeWindow()).empty();
    }
};

void BM_EditorIdleMetersMoving(benchmark::State& state) {
    MeterPanel panel;
    int step = 0;
    for (auto _ : state) {
        panel.idle(++step);
        if (step % 64 == 0) {
            state.PauseTiming();
            if (!panel.presentedOnlyMeters()) state.SkipWithError("an idle presented more than the meters");
            gui::platform::clearPresented(panel.frame->nativeWindow());
            state.ResumeTiming();
        }
    }
}
BENCHMARK(BM_EditorIdleMetersMoving)->Unit(benchmark::kMicrosecond);

void BM_EditorFullRepaint(benchmark::State& state) {
    MeterPanel panel;
    for (auto _ : state) {
        panel.frame->paint(nullptr);
        benchmark::DoNotOptimize(panel.frame->surface().data());
    }
}
BENCHMARK(BM_EditorFullRepaint)->Unit(benchmark::kMicrosecond);

}  // namespace
