// The toolkit's font table: eight entries by index, each a face and a default pixel
// height, looked up among the glyph faces rendered at build time.
#pragma once

#include "gui/glyph_face.h"

namespace gui {

inline constexpr int kFontCount = 8;

// Face bits of selectFont.
inline constexpr int kFaceBold = 1;
inline constexpr int kFaceItalic = 2;
inline constexpr int kFaceUnderline = 4;

struct FontEntry {
    const char* face;
    int height;  // pixels
    bool alwaysBold;
};

inline constexpr FontEntry kFontTable[kFontCount] = {
    {"Arial", 12, true}, {"Arial", 18, false}, {"Arial", 14, false}, {"Arial", 12, false},
    {"Arial", 11, false}, {"Arial", 10, false}, {"Arial", 9, false}, {"Symbol", 13, false},
};

// The glyph face for a font index (outside 0..7 means 0), a pixel height (0 means the
// table's) and face bits. Heights that were not rendered use the nearest rendered one
// of the same face.
const GlyphFace& glyphFaceFor(int index, int height, int faceBits) noexcept;

// Width in pixels of an 8-bit text in a face.
int textWidth(const GlyphFace& face, const char* text) noexcept;

// Metrics of one 8-bit code; codes below 32 have none (null).
inline const GlyphMetrics* glyphFor(const GlyphFace& face, unsigned char code) noexcept {
    return code < kFirstGlyphCode ? nullptr : &face.glyphs[code - kFirstGlyphCode];
}

}  // namespace gui
