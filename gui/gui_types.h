// Rectangles, points, colours and button bits shared by every part of the toolkit.
#pragma once

#include <algorithm>
#include <cstdint>

namespace gui {

struct GuiPoint {
    int32_t h = 0;  // x
    int32_t v = 0;  // y
    friend bool operator==(const GuiPoint&, const GuiPoint&) = default;
};

// Left, top, right, bottom in pixels of the editor window. Containment is inclusive
// on all four edges; drawing treats right and bottom as the first pixel outside.
struct GuiRect {
    int32_t left = 0, top = 0, right = 0, bottom = 0;

    constexpr int32_t width() const noexcept { return right - left; }
    constexpr int32_t height() const noexcept { return bottom - top; }
    constexpr bool isEmpty() const noexcept { return right <= left || bottom <= top; }
    constexpr bool contains(GuiPoint p) const noexcept {
        return p.h >= left && p.h <= right && p.v >= top && p.v <= bottom;
    }
    // Overlap with edges inclusive, as the views test it.
    constexpr bool overlaps(const GuiRect& r) const noexcept {
        return left <= r.right && r.left <= right && top <= r.bottom && r.top <= bottom;
    }
    constexpr GuiRect offset(int32_t dh, int32_t dv) const noexcept {
        return {left + dh, top + dv, right + dh, bottom + dv};
    }
    // Half-open intersection, empty when they do not share a pixel.
    constexpr GuiRect intersect(const GuiRect& r) const noexcept {
        GuiRect out{std::max(left, r.left), std::max(top, r.top), std::min(right, r.right), std::min(bottom, r.bottom)};
        if (out.isEmpty()) return {};
        return out;
    }
    // Smallest rect holding both; an empty operand is ignored.
    constexpr GuiRect unite(const GuiRect& r) const noexcept {
        if (r.isEmpty()) return *this;
        if (isEmpty()) return r;
        return {std::min(left, r.left), std::min(top, r.top), std::max(right, r.right), std::max(bottom, r.bottom)};
    }
    friend bool operator==(const GuiRect&, const GuiRect&) = default;
};

// Red, green, blue and a spare byte that drawing ignores.
struct GuiColour {
    uint8_t red = 0, green = 0, blue = 0, unused = 0;

    // The surface's pixel format: 0x00RRGGBB.
    constexpr uint32_t pixel() const noexcept {
        return (uint32_t(red) << 16) | (uint32_t(green) << 8) | uint32_t(blue);
    }
    static constexpr GuiColour fromPixel(uint32_t p) noexcept {
        return {uint8_t(p >> 16), uint8_t(p >> 8), uint8_t(p), 0};
    }
    constexpr bool sameRgb(const GuiColour& c) const noexcept {
        return red == c.red && green == c.green && blue == c.blue;
    }
    friend bool operator==(const GuiColour&, const GuiColour&) = default;
};

inline constexpr GuiColour kColourKey{255, 255, 255, 0};
inline constexpr GuiColour kWhite{255, 255, 255, 0};
inline constexpr GuiColour kGrey{127, 127, 127, 0};
inline constexpr GuiColour kRed{255, 0, 0, 0};
inline constexpr GuiColour kGreen{0, 255, 0, 0};
inline constexpr GuiColour kBlue{0, 0, 255, 0};
inline constexpr GuiColour kYellow{255, 255, 0, 0};
inline constexpr GuiColour kMagenta{255, 0, 255, 0};
inline constexpr GuiColour kCyan{0, 255, 255, 0};
inline constexpr GuiColour kBlack{0, 0, 0, 0};

// ButtonState bits: the live mouse buttons and modifier keys.
inline constexpr int kButtonLeft = 1;
inline constexpr int kButtonMiddle = 2;
inline constexpr int kButtonRight = 4;
inline constexpr int kKeyShift = 8;
inline constexpr int kKeyControl = 16;
inline constexpr int kKeyAlt = 32;
inline constexpr int kMouseButtons = kButtonLeft | kButtonMiddle | kButtonRight;

// The pointer as a tracking control sees it: position relative to the window, ButtonState bits.
struct PointerState {
    GuiPoint where;
    int buttons = 0;
};

}  // namespace gui
