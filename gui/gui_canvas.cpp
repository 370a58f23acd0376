#include "gui/gui_canvas.h"

#include <algorithm>

#include "gui/font_table.h"
#include "gui/gui_frame.h"
#include "gui/raster.h"

namespace gui {
namespace {
constexpr GuiRect kClipWithoutFrame{0, 0, 1000, 1000};
}

GuiCanvas::GuiCanvas(GuiFrame* frame) : GuiCanvas(frame, frame ? &frame->surface() : nullptr) {}

GuiCanvas::GuiCanvas(GuiFrame* frame, Surface* surface)
    : frame_(frame),
      surface_(surface),
      framesSurface_(frame && surface == &frame->surface()),
      clip_(frame ? frame->getBounds() : kClipWithoutFrame),
      font_(&glyphFaceFor(0, 0, 0)) {
    static Surface empty;  // a canvas over nothing draws nowhere
    if (!surface_) surface_ = &empty;
    fontHeight_ = font_->pixelHeight;
}

void GuiCanvas::selectFont(int index, int height, int face) noexcept {
    if (index < 0 || index >= kFontCount) index = 0;
    fontIndex_ = index;
    fontHeight_ = height > 0 ? height : kFontTable[index].height;
    underline_ = (face & kFaceUnderline) != 0;
    font_ = &glyphFaceFor(index, fontHeight_, face);
}

void GuiCanvas::setClipRect(const GuiRect& rect) noexcept { clip_ = toDevice(rect); }

GuiRect GuiCanvas::clipRect() const noexcept { return clip_.offset(-offset_.h, -offset_.v); }

void GuiCanvas::touch(const GuiRect& deviceRect) noexcept {
    if (!framesSurface_) return;
    const GuiRect r = deviceRect.intersect(clip_).intersect(surface_->bounds());
    if (!r.isEmpty()) frame_->addDamage(r);
}

void GuiCanvas::strokeDevice(GuiPoint a, GuiPoint b) noexcept {
    const LinePen pen{frameColour_.pixel(), lineWidth_, lineStyle_ == kLineDotted};
    drawLine(*surface_, a, b, pen, dotPhase_, clip_);
    const int grow = lineWidth_ / 2 + 1;
    touch({std::min(a.h, b.h) - grow, std::min(a.v, b.v) - grow, std::max(a.h, b.h) + grow,
           std::max(a.v, b.v) + grow});
}

void GuiCanvas::moveTo(GuiPoint p) noexcept {
    pen_ = p;
    dotPhase_ = 0;
}

void GuiCanvas::lineTo(GuiPoint p) noexcept {
    strokeDevice(toDevice(pen_), toDevice(p));
    pen_ = p;
}

void GuiCanvas::polyline(std::span<const GuiPoint> points) noexcept {
    if (points.empty()) return;
    int phase = 0;
    std::swap(phase, dotPhase_);
    for (size_t i = 1; i < points.size(); ++i) strokeDevice(toDevice(points[i - 1]), toDevice(points[i]));
    dotPhase_ = phase;
}

void GuiCanvas::frameRect(const GuiRect& r) noexcept {
    const GuiPoint corners[5] = {{r.left, r.top}, {r.right, r.top}, {r.right, r.bottom}, {r.left, r.bottom},
                                 {r.left, r.top}};
    polyline(corners);
}

void GuiCanvas::fillRect(const GuiRect& r) noexcept {
    const GuiRect area = toDevice({r.left + 1, r.top + 1, r.right, r.bottom});
    surface_->fill(area, fillColour_.pixel(), clip_);
    touch(area);
}

void GuiCanvas::fillEllipse(const GuiRect& r) noexcept {
    const GuiRect box = toDevice(r.offset(1, 1));
    gui::fillEllipse(*surface_, box, fillColour_.pixel(), clip_);
    touch(box);
}

void GuiCanvas::setPixel(GuiPoint p, GuiColour c) noexcept {
    const GuiPoint d = toDevice(p);
    if (!clip_.intersect({d.h, d.v, d.h + 1, d.v + 1}).isEmpty()) surface_->setPixel(d.h, d.v, c.pixel());
    touch({d.h, d.v, d.h + 1, d.v + 1});
}

GuiColour GuiCanvas::pixel(GuiPoint p) const noexcept {
    const GuiPoint d = toDevice(p);
    return GuiColour::fromPixel(surface_->pixel(d.h, d.v));
}

int GuiCanvas::textWidth(const char* text) const noexcept { return gui::textWidth(*font_, text); }

void GuiCanvas::paintString(const char* text, const GuiRect& rect, bool opaque, int alignment) noexcept {
    if (!text) return;
    GuiRect box = toDevice(rect);
    if (alignment == kAlignLeft) box.left += 1;
    const int width = textWidth(text);
    const int height = lineHeight();
    int x = box.left;
    if (alignment == kAlignCentre)
        x = box.left + (box.width() - width) / 2;
    else if (alignment == kAlignRight)
        x = box.right - width;
    const int y = box.top + (box.height() - height) / 2;
    const GuiRect clip = clip_.intersect(box);
    if (clip.isEmpty()) return;
    const GuiRect cell{x, y, x + width, y + height};
    if (opaque) surface_->fill(cell, fillColour_.pixel(), clip);
    const int baseline = y + font_->ascent;
    drawText(*surface_, *font_, text, {x, y}, baseline, fontColour_.pixel(), clip);
    if (underline_) {
        const int top = baseline + font_->underlineOffset;
        surface_->fill({x, top, x + width, top + font_->underlineThickness}, fontColour_.pixel(), clip);
    }
    touch(clip);  // glyphs may overhang their cell, never the rect
}

void GuiCanvas::copyTo(GuiCanvas& dest, const GuiRect& destRect, GuiPoint source) const noexcept {
    const GuiRect area = dest.toDevice(destRect);
    dest.surface_->copyFrom(*surface_, area, source, dest.clip_);
    dest.touch(area);
}

int GuiCanvas::buttonState() const noexcept { return frame_ ? frame_->pointerState().buttons : 0; }

GuiPoint GuiCanvas::cursorInView() const noexcept { return frame_ ? frame_->pointerState().where : GuiPoint{}; }

}  // namespace gui
