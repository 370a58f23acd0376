// The number texts that every display is built on.
#pragma once

#include <cstddef>

namespace frame {

// Largest text any converter writes, terminating zero included.
constexpr size_t kNumberTextSize = 16;

// Eight-character number text, truncating: "0.500000", "-1.50000", "1234.500".
// Appends to dst; a magnitude above 99999999 appends nothing.
void appendNumber8(char* dst, size_t capacity, double x) noexcept;

// Fixed-decimals number text (0, 1, 2 or 4 decimals), rounding half up with the
// threshold 0.49999: 612.37 -> "612", -0.05 -> "-0.1", 12.345 -> "12.35".
void appendFixed(char* dst, size_t capacity, double x, int decimals) noexcept;

// The eight-character text cut to its first four characters; a trailing point goes too.
void appendShortNumber(char* dst, size_t capacity, double x) noexcept;

// An output gain in decibels, 20*log10(gain), as the eight-character number
// text; "-oo" for a gain of 0 or below. Every plug-in's host texts may use it.
void appendGainDecibels(char* dst, size_t capacity, double gain) noexcept;

}  // namespace frame
