// Pixel-level drawing used by the canvas: lines with width and dot pattern, filled
// ellipses and anti-aliased text. Coordinates are surface pixels; everything stays
// inside the clip rect.
#pragma once

#include <cstdint>

#include "gui/glyph_face.h"
#include "gui/gui_types.h"
#include "gui/surface.h"

namespace gui {

struct LinePen {
    uint32_t colour = 0;
    int width = 1;
    bool dotted = false;
};

// Dots of a dotted pen: this many pixels on, then as many off.
inline constexpr int kDotLength = 3;

// A line from a to b. A one-pixel pen leaves out the end point (so joined segments
// draw each corner once); a wider pen draws round discs along the line, ends included.
// phase carries the dot pattern from one segment to the next.
void drawLine(Surface& s, GuiPoint a, GuiPoint b, const LinePen& pen, int& phase, const GuiRect& clip) noexcept;

// The ellipse inscribed in the half-open box: every pixel whose centre lies inside.
void fillEllipse(Surface& s, const GuiRect& box, uint32_t colour, const GuiRect& clip) noexcept;

// Text on one baseline starting at the pen x; coverage blended in the colour.
void drawText(Surface& s, const GlyphFace& face, const char* text, GuiPoint pen, int baseline, uint32_t colour,
              const GuiRect& clip) noexcept;

}  // namespace gui
