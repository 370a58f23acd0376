#include "frame/text.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace frame {

void copyText(char* dst, size_t capacity, const char* src) noexcept {
    if (!dst || capacity == 0) return;
    size_t n = 0;
    if (src) {
        while (n + 1 < capacity && src[n] != '\0') {
            dst[n] = src[n];
            ++n;
        }
    }
    dst[n] = '\0';
}

void appendText(char* dst, size_t capacity, const char* src) noexcept {
    if (!dst || capacity == 0) return;
    const size_t used = strnlen(dst, capacity);
    if (used >= capacity) {
        dst[capacity - 1] = '\0';
        return;
    }
    copyText(dst + used, capacity - used, src);
}

void formatText(char* dst, size_t capacity, const char* format, ...) noexcept {
    if (!dst || capacity == 0) return;
    va_list args;
    va_start(args, format);
    std::vsnprintf(dst, capacity, format, args);
    va_end(args);
}

}  // namespace frame
