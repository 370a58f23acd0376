// GuiCanvas: the stateful drawing interface of the views. It draws into a Surface
// (the frame's backing store or an off-screen's) with a drawing offset, a pen, a
// brush and a font from the toolkit's tables, and reports the live pointer that
// controls read while they track the mouse.
#pragma once

#include <span>

#include "gui/glyph_face.h"
#include "gui/gui_types.h"
#include "gui/surface.h"

namespace gui {

class GuiFrame;

inline constexpr int kLineSolid = 0;
inline constexpr int kLineDotted = 1;

inline constexpr int kAlignLeft = 0;
inline constexpr int kAlignCentre = 1;
inline constexpr int kAlignRight = 2;

class GuiCanvas {
public:
    // A canvas over the frame's own surface; the frame learns what was drawn.
    explicit GuiCanvas(GuiFrame* frame);
    // A canvas over any surface (an off-screen); frame may be null.
    GuiCanvas(GuiFrame* frame, Surface* surface);
    virtual ~GuiCanvas() = default;
    GuiCanvas(const GuiCanvas&) = delete;
    GuiCanvas& operator=(const GuiCanvas&) = delete;

    // Pen, brush and text state.
    void setLineStyle(int style) noexcept { lineStyle_ = style; }
    void setLineWidth(int width) noexcept { lineWidth_ = width < 1 ? 1 : width; }
    void setFrameColour(GuiColour c) noexcept { frameColour_ = c; }
    void setFillColour(GuiColour c) noexcept { fillColour_ = c; }  // also the opaque text background
    void setFontColour(GuiColour c) noexcept { fontColour_ = c; }
    int lineStyle() const noexcept { return lineStyle_; }
    int lineWidth() const noexcept { return lineWidth_; }
    GuiColour frameColour() const noexcept { return frameColour_; }
    GuiColour fillColour() const noexcept { return fillColour_; }
    GuiColour fontColour() const noexcept { return fontColour_; }

    // index 0..7 (else 0); height 0 means the table's; face bits 1 bold, 2 italic, 4 underline.
    void selectFont(int index, int height = 0, int face = 0) noexcept;
    int fontIndex() const noexcept { return fontIndex_; }
    int fontHeight() const noexcept { return fontHeight_; }
    // Height of a text line in the current font.
    int lineHeight() const noexcept { return font_->ascent + font_->descent; }

    // Added to every coordinate passed in.
    void setOffset(GuiPoint offset) noexcept { offset_ = offset; }
    GuiPoint offset() const noexcept { return offset_; }
    // Drawing stays inside this rect (canvas coordinates).
    void setClipRect(const GuiRect& rect) noexcept;
    GuiRect clipRect() const noexcept;

    // Lines with the current pen; the end point itself is not drawn.
    void moveTo(GuiPoint p) noexcept;
    void lineTo(GuiPoint p) noexcept;
    GuiPoint penPosition() const noexcept { return pen_; }
    void polyline(std::span<const GuiPoint> points) noexcept;
    // Outline left,top → right,top → right,bottom → left,bottom → left,top.
    void frameRect(const GuiRect& r) noexcept;
    // The brush over (left + 1, top + 1) .. (right, bottom): the outline's row and column stay.
    void fillRect(const GuiRect& r) noexcept;
    // The ellipse in (left + 1, top + 1, right + 1, bottom + 1) with the brush, no outline.
    void fillEllipse(const GuiRect& r) noexcept;
    void setPixel(GuiPoint p, GuiColour c) noexcept;
    GuiColour pixel(GuiPoint p) const noexcept;

    int textWidth(const char* text) const noexcept;
    // One line, vertically centred in rect and kept inside it. Alignment 0 left (one
    // pixel in from the rect's left), 1 centre, 2 right; opaque fills the text cell with
    // the fill colour. Nothing for a null text.
    void paintString(const char* text, const GuiRect& rect, bool opaque = false, int alignment = kAlignCentre) noexcept;

    // Copies the area of destRect's size at source (this canvas) into destRect of dest.
    void copyTo(GuiCanvas& dest, const GuiRect& destRect, GuiPoint source) const noexcept;

    // The live pointer: ButtonState bits (1 left, 2 middle, 4 right, 8 Shift,
    // 16 Control, 32 Alt) and the cursor relative to the window. 0 and (0,0) without a frame.
    int buttonState() const noexcept;
    GuiPoint cursorInView() const noexcept;

    GuiFrame* frame() const noexcept { return frame_; }
    Surface& surface() noexcept { return *surface_; }
    const Surface& surface() const noexcept { return *surface_; }

    // Marks surface pixels as drawn (device coordinates); the frame sends them to the screen.
    void touch(const GuiRect& deviceRect) noexcept;

private:
    GuiRect toDevice(const GuiRect& r) const noexcept { return r.offset(offset_.h, offset_.v); }
    GuiPoint toDevice(GuiPoint p) const noexcept { return {p.h + offset_.h, p.v + offset_.v}; }
    void strokeDevice(GuiPoint a, GuiPoint b) noexcept;

    GuiFrame* frame_;
    Surface* surface_;
    bool framesSurface_;  // drawing here changes what the frame shows
    GuiPoint offset_{};
    GuiRect clip_;  // device coordinates
    GuiPoint pen_{};
    int dotPhase_ = 0;
    int lineStyle_ = kLineSolid;
    int lineWidth_ = 1;
    GuiColour frameColour_ = kWhite;
    GuiColour fillColour_ = kBlack;
    GuiColour fontColour_ = kWhite;
    int fontIndex_ = 0;
    int fontHeight_ = 0;
    bool underline_ = false;
    const GlyphFace* font_;
};

}  // namespace gui
