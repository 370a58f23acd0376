#include "gui/surface.h"

#include <algorithm>
#include <cstring>

namespace gui {

Surface::Surface(int width, int height, uint32_t fill)
    : width_(std::max(0, width)),
      height_(std::max(0, height)),
      pixels_(static_cast<size_t>(width_) * height_, fill) {}

uint32_t Surface::pixel(int x, int y) const noexcept {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
    return row(y)[x];
}

void Surface::setPixel(int x, int y, uint32_t p) noexcept {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
    row(y)[x] = p;
}

void Surface::fill(const GuiRect& rect, uint32_t p, const GuiRect& clip) noexcept {
    const GuiRect r = rect.intersect(clip).intersect(bounds());
    for (int y = r.top; y < r.bottom; ++y) std::fill(row(y) + r.left, row(y) + r.right, p);
}

void Surface::fill(uint32_t p) noexcept { std::fill(pixels_.begin(), pixels_.end(), p); }

GuiRect Surface::copyArea(const Surface& src, const GuiRect& dest, GuiPoint& from, const GuiRect& clip) const noexcept {
    // the source area, moved onto the destination, limits the copy as well
    const GuiRect source = src.bounds().offset(dest.left - from.h, dest.top - from.v);
    const GuiRect r = dest.intersect(clip).intersect(bounds()).intersect(source);
    if (r.isEmpty()) return {};
    from = {from.h + (r.left - dest.left), from.v + (r.top - dest.top)};
    return r;
}

void Surface::copyFrom(const Surface& src, const GuiRect& dest, GuiPoint from, const GuiRect& clip) noexcept {
    const GuiRect r = copyArea(src, dest, from, clip);
    const size_t bytes = static_cast<size_t>(r.width()) * sizeof(uint32_t);
    // within one surface, a copy downwards runs bottom-up so it never reads rows it wrote
    const bool upwards = &src == this && r.top > from.v;
    for (int i = 0; i < r.height(); ++i) {
        const int y = upwards ? r.height() - 1 - i : i;
        std::memmove(row(r.top + y) + r.left, src.row(from.v + y) + from.h, bytes);
    }
}

void Surface::copyKeyedFrom(const Surface& src, const GuiRect& dest, GuiPoint from, uint32_t key,
                            const GuiRect& clip) noexcept {
    const GuiRect r = copyArea(src, dest, from, clip);
    for (int y = 0; y < r.height(); ++y) {
        const uint32_t* s = src.row(from.v + y) + from.h;
        uint32_t* d = row(r.top + y) + r.left;
        for (int x = 0; x < r.width(); ++x)
            if (s[x] != key) d[x] = s[x];
    }
}

void Surface::blendFrom(const Surface& src, const GuiRect& dest, GuiPoint from, int alpha,
                        const GuiRect& clip) noexcept {
    const unsigned a = static_cast<unsigned>(std::clamp(alpha, 0, 255));
    const GuiRect r = copyArea(src, dest, from, clip);
    for (int y = 0; y < r.height(); ++y) {
        const uint32_t* s = src.row(from.v + y) + from.h;
        uint32_t* d = row(r.top + y) + r.left;
        for (int x = 0; x < r.width(); ++x) d[x] = blendPixel(d[x], s[x], a);
    }
}

}  // namespace gui
