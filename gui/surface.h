// An in-memory pixel surface: what the toolkit draws into instead of a native
// device context. Pixels are 0x00RRGGBB, rows top to bottom, no padding.
#pragma once

#include <cstdint>
#include <vector>

#include "gui/gui_types.h"

namespace gui {

class Surface {
public:
    Surface() = default;
    Surface(int width, int height, uint32_t fill = 0);

    int width() const noexcept { return width_; }
    int height() const noexcept { return height_; }
    GuiRect bounds() const noexcept { return {0, 0, width_, height_}; }
    const uint32_t* data() const noexcept { return pixels_.data(); }
    uint32_t* row(int y) noexcept { return pixels_.data() + static_cast<size_t>(y) * width_; }
    const uint32_t* row(int y) const noexcept { return pixels_.data() + static_cast<size_t>(y) * width_; }

    // 0 outside the surface.
    uint32_t pixel(int x, int y) const noexcept;
    void setPixel(int x, int y, uint32_t p) noexcept;

    // Fills the half-open rect, limited to the clip and the surface.
    void fill(const GuiRect& rect, uint32_t p, const GuiRect& clip) noexcept;
    void fill(uint32_t p) noexcept;

    // Copies the area of dest's size at `from` in src into dest, limited to the clip and
    // both surfaces; pixels equal to key are skipped when keyed.
    void copyFrom(const Surface& src, const GuiRect& dest, GuiPoint from, const GuiRect& clip) noexcept;
    void copyKeyedFrom(const Surface& src, const GuiRect& dest, GuiPoint from, uint32_t key,
                       const GuiRect& clip) noexcept;
    // Mixes src over the area with a constant opacity 0..255.
    void blendFrom(const Surface& src, const GuiRect& dest, GuiPoint from, int alpha, const GuiRect& clip) noexcept;

    // The part of dest that a copy from src at `from` would write, with the matching source point.
    GuiRect copyArea(const Surface& src, const GuiRect& dest, GuiPoint& from, const GuiRect& clip) const noexcept;

private:
    int width_ = 0, height_ = 0;
    std::vector<uint32_t> pixels_;
};

// Coverage blend of one channel set: c over d with a = 0..255, rounded.
inline uint32_t blendPixel(uint32_t d, uint32_t c, unsigned a) noexcept {
    const unsigned inv = 255 - a;
    const unsigned r = (((c >> 16) & 255) * a + ((d >> 16) & 255) * inv + 127) / 255;
    const unsigned g = (((c >> 8) & 255) * a + ((d >> 8) & 255) * inv + 127) / 255;
    const unsigned b = ((c & 255) * a + (d & 255) * inv + 127) / 255;
    return (r << 16) | (g << 8) | b;
}

}  // namespace gui
