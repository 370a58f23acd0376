#include "gui/gui_bitmap.h"

#include "gui/gui_canvas.h"

namespace gui {

GuiBitmap::GuiBitmap(int resourceId) : resourceId_(resourceId) { load(PictureTable::installed()); }

GuiBitmap::GuiBitmap(const PictureTable& table, int resourceId) : resourceId_(resourceId) { load(&table); }

void GuiBitmap::load(const PictureTable* table) {
    const PictureEntry* entry = table ? table->find(resourceId_) : nullptr;
    if (!entry || entry->width <= 0 || entry->height <= 0 || !entry->rgb) return;
    // converted once here, so that drawing is a plain copy
    pixels_ = Surface(entry->width, entry->height);
    const unsigned char* rgb = entry->rgb;
    for (int y = 0; y < entry->height; ++y) {
        uint32_t* row = pixels_.row(y);
        for (int x = 0; x < entry->width; ++x, rgb += 3)
            row[x] = (uint32_t(rgb[0]) << 16) | (uint32_t(rgb[1]) << 8) | uint32_t(rgb[2]);
    }
}

void GuiBitmap::release() noexcept {
    if (refCount_ > 0 && --refCount_ == 0) delete this;
}

void GuiBitmap::paintTo(GuiCanvas& canvas, const GuiRect& dest, GuiPoint source) const noexcept {
    if (!isLoaded()) return;
    const GuiRect area = dest.offset(canvas.offset().h, canvas.offset().v);
    const GuiRect clip = canvas.clipRect().offset(canvas.offset().h, canvas.offset().v);
    canvas.surface().copyFrom(pixels_, area, source, clip);
    canvas.touch(area);
}

void GuiBitmap::paintKeyed(GuiCanvas& canvas, const GuiRect& dest, GuiPoint source) const noexcept {
    if (!isLoaded()) return;
    const GuiRect area = dest.offset(canvas.offset().h, canvas.offset().v);
    const GuiRect clip = canvas.clipRect().offset(canvas.offset().h, canvas.offset().v);
    canvas.surface().copyKeyedFrom(pixels_, area, source, colourKey_.pixel(), clip);
    canvas.touch(area);
}

void GuiBitmap::paintBlended(GuiCanvas& canvas, const GuiRect& dest, GuiPoint source, int alpha) const noexcept {
    if (!isLoaded()) return;
    const GuiRect area = dest.offset(canvas.offset().h, canvas.offset().v);
    const GuiRect clip = canvas.clipRect().offset(canvas.offset().h, canvas.offset().v);
    canvas.surface().blendFrom(pixels_, area, source, alpha, clip);
    canvas.touch(area);
}

}  // namespace gui
