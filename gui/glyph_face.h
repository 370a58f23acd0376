// Glyph tables of the toolkit's fonts, rendered at build time (anti-aliased coverage)
// so that text looks the same everywhere and no font is needed at run time.
#pragma once

#include <cstdint>

namespace gui {

inline constexpr int kFirstGlyphCode = 32;  // the tables hold the 8-bit codes 32..255
inline constexpr int kGlyphCount = 224;

struct GlyphMetrics {
    int16_t advance;  // pen advance in pixels
    int16_t left;     // bitmap left relative to the pen
    int16_t top;      // bitmap top above the baseline
    uint16_t width, height;
    uint32_t offset;  // first coverage byte of the bitmap, width × height bytes
};

struct GlyphFace {
    const char* family;  // "Arial" or "Symbol"
    int16_t pixelHeight;  // character (em) height
    bool bold;
    bool italic;
    int16_t ascent;  // text cell above and below the baseline
    int16_t descent;
    int16_t underlineOffset;  // rows below the baseline
    int16_t underlineThickness;
    const GlyphMetrics* glyphs;  // kGlyphCount entries, code − kFirstGlyphCode
    const uint8_t* coverage;
};

// Defined by the generated font tables.
extern const GlyphFace kGlyphFaces[];
extern const int kGlyphFaceCount;

}  // namespace gui
