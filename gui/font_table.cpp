#include "gui/font_table.h"

#include <cstdlib>
#include <cstring>

namespace gui {

const GlyphFace& glyphFaceFor(int index, int height, int faceBits) noexcept {
    if (index < 0 || index >= kFontCount) index = 0;
    const FontEntry& entry = kFontTable[index];
    if (height <= 0) height = entry.height;
    const bool bold = entry.alwaysBold || (faceBits & kFaceBold) != 0;
    const bool italic = (faceBits & kFaceItalic) != 0;
    const GlyphFace* best = &kGlyphFaces[0];
    int bestDistance = 1 << 30;
    for (int i = 0; i < kGlyphFaceCount; ++i) {
        const GlyphFace& f = kGlyphFaces[i];
        if (f.bold != bold || f.italic != italic || std::strcmp(f.family, entry.face) != 0) continue;
        const int distance = std::abs(f.pixelHeight - height);
        if (distance < bestDistance) {
            best = &f;
            bestDistance = distance;
        }
    }
    return *best;
}

int textWidth(const GlyphFace& face, const char* text) noexcept {
    if (!text) return 0;
    int width = 0;
    for (const char* p = text; *p; ++p)
        if (const GlyphMetrics* g = glyphFor(face, static_cast<unsigned char>(*p))) width += g->advance;
    return width;
}

}  // namespace gui
