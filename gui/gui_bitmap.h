// GuiBitmap: a reference-counted picture found by resource number in the
// deliverable's picture table, copied or drawn colour-keyed onto a canvas.
#pragma once

#include "gui/gui_types.h"
#include "gui/picture_table.h"
#include "gui/surface.h"

namespace gui {

class GuiCanvas;

class GuiBitmap {
public:
    // From the module's installed table; 0 × 0 and drawing nothing when the number is missing.
    explicit GuiBitmap(int resourceId);
    GuiBitmap(const PictureTable& table, int resourceId);
    virtual ~GuiBitmap() = default;
    GuiBitmap(const GuiBitmap&) = delete;
    GuiBitmap& operator=(const GuiBitmap&) = delete;

    void retain() noexcept { ++refCount_; }
    // At zero the picture is freed.
    void release() noexcept;
    int refCount() const noexcept { return refCount_; }

    int resourceId() const noexcept { return resourceId_; }
    int width() const noexcept { return pixels_.width(); }
    int height() const noexcept { return pixels_.height(); }
    bool isLoaded() const noexcept { return width() > 0 && height() > 0; }
    GuiColour colourKey() const noexcept { return colourKey_; }
    const Surface& pixels() const noexcept { return pixels_; }

    // The area of dest's size at source, copied into dest (plus the canvas offset).
    void paintTo(GuiCanvas& canvas, const GuiRect& dest, GuiPoint source) const noexcept;
    // The same, but pixels equal to the colour key leave the destination as it was.
    void paintKeyed(GuiCanvas& canvas, const GuiRect& dest, GuiPoint source) const noexcept;
    // Mixed over the destination with constant opacity 0..255.
    void paintBlended(GuiCanvas& canvas, const GuiRect& dest, GuiPoint source, int alpha) const noexcept;

private:
    void load(const PictureTable* table);

    int resourceId_;
    int refCount_ = 1;
    GuiColour colourKey_ = kColourKey;
    Surface pixels_;
};

}  // namespace gui
