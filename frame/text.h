// Bounded text copies into caller buffers. Every copy writes a terminating
// zero and never more than the capacity the caller states.
#pragma once

#include <cstddef>

namespace frame {

// Copies src into dst[0..capacity-1], cut to fit. Null or zero-sized buffers get nothing.
void copyText(char* dst, size_t capacity, const char* src) noexcept;

// Appends src to the text already in dst, cut to fit the capacity.
void appendText(char* dst, size_t capacity, const char* src) noexcept;

// snprintf into dst, never throwing, always terminated.
void formatText(char* dst, size_t capacity, const char* format, ...) noexcept
#if defined(__GNUC__)
    __attribute__((format(printf, 3, 4)))
#endif
    ;

}  // namespace frame
