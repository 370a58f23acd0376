#include "gui/raster.h"

#include <cmath>
#include <cstdlib>

#include "gui/font_table.h"

namespace gui {
namespace {

void plot(Surface& s, int x, int y, uint32_t colour, const GuiRect& clip) noexcept {
    if (x >= clip.left && x < clip.right && y >= clip.top && y < clip.bottom) s.row(y)[x] = colour;
}

// A disc of the pen's width centred on (x, y); even widths lean right and down.
void stamp(Surface& s, int x, int y, int width, uint32_t colour, const GuiRect& clip) noexcept {
    const double r = width / 2.0;
    const int lo = -(width - 1) / 2;
    for (int dy = lo; dy < lo + width; ++dy)
        for (int dx = lo; dx < lo + width; ++dx) {
            const double cx = dx - lo + 0.5 - r, cy = dy - lo + 0.5 - r;
            if (cx * cx + cy * cy <= r * r + 0.25) plot(s, x + dx, y + dy, colour, clip);
        }
}

}  // namespace

void drawLine(Surface& s, GuiPoint a, GuiPoint b, const LinePen& pen, int& phase, const GuiRect& clip) noexcept {
    const GuiRect c = clip.intersect(s.bounds());
    if (c.isEmpty()) return;
    const bool wide = pen.width > 1;
    // Bresenham over the major axis; x, y walk from a towards b.
    const int dx = std::abs(b.h - a.h), dy = -std::abs(b.v - a.v);
    const int sx = a.h < b.h ? 1 : -1, sy = a.v < b.v ? 1 : -1;
    int err = dx + dy, x = a.h, y = a.v;
    for (;;) {
        const bool atEnd = x == b.h && y == b.v;
        if (atEnd && !wide) break;
        const bool on = !pen.dotted || (phase / kDotLength) % 2 == 0;
        if (on) {
            if (wide)
                stamp(s, x, y, pen.width, pen.colour, c);
            else
                plot(s, x, y, pen.colour, c);
        }
        ++phase;
        if (atEnd) break;
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y += sy;
        }
    }
}

void fillEllipse(Surface& s, const GuiRect& box, uint32_t colour, const GuiRect& clip) noexcept {
    if (box.isEmpty()) return;
    const GuiRect c = clip.intersect(s.bounds()).intersect(box);
    const double rx = box.width() / 2.0, ry = box.height() / 2.0;
    const double cx = box.left + rx, cy = box.top + ry;
    for (int y = c.top; y < c.bottom; ++y) {
        const double ny = (y + 0.5 - cy) / ry;
        const double span = 1.0 - ny * ny;
        if (span < 0) continue;
        const double half = rx * std::sqrt(span);
        // pixels whose centre x + 0.5 lies within cx ± half
        const int x0 = std::max(c.left, static_cast<int>(std::ceil(cx - half - 0.5)));
        const int x1 = std::min(c.right - 1, static_cast<int>(std::floor(cx + half - 0.5)));
        uint32_t* row = s.row(y);
        for (int x = x0; x <= x1; ++x) row[x] = colour;
    }
}

void drawText(Surface& s, const GlyphFace& face, const char* text, GuiPoint pen, int baseline, uint32_t colour,
              const GuiRect& clip) noexcept {
    const GuiRect c = clip.intersect(s.bounds());
    if (!text || c.isEmpty()) return;
    int x = pen.h;
    for (const char* p = text; *p; ++p) {
        const GlyphMetrics* g = glyphFor(face, static_cast<unsigned char>(*p));
        if (!g) continue;
        const int left = x + g->left, top = baseline - g->top;
        const uint8_t* cover = face.coverage + g->offset;
        const int y0 = std::max(top, c.top), y1 = std::min(top + int(g->height), c.bottom);
        const int x0 = std::max(left, c.left), x1 = std::min(left + int(g->width), c.right);
        for (int y = y0; y < y1; ++y) {
            const uint8_t* src = cover + (y - top) * g->width;
            uint32_t* dst = s.row(y);
            for (int px = x0; px < x1; ++px) {
                const unsigned a = src[px - left];
                if (a == 255)
                    dst[px] = colour;
                else if (a)
                    dst[px] = blendPixel(dst[px], colour, a);
            }
        }
        x += g->advance;
    }
}

}  // namespace gui
