#include "frame/number_text.h"

#include <cmath>
#include <cstdint>
#include <cstring>

#include "frame/text.h"

namespace frame {
namespace {

// Writes the eight-character text of x into out (at least 16 bytes); returns its length.
size_t number8(char* out, double x) noexcept {
    out[0] = '\0';
    double magnitude = std::fabs(x);
    if (!(magnitude <= 99999999.0)) return 0;  // NaN lands here too
    size_t len = 0;
    if (x < 0.0) out[len++] = '-';
    const auto whole = static_cast<uint32_t>(magnitude);
    char digits[12];
    int count = 0;
    uint32_t w = whole;
    do {
        digits[count++] = static_cast<char>('0' + w % 10);
        w /= 10;
    } while (w != 0);
    while (count > 0) out[len++] = digits[--count];
    out[len++] = '.';
    if (len < 8) {
        const int remaining = static_cast<int>(8 - len);
        double scale = 1.0;
        for (int i = 0; i < remaining; ++i) scale *= 10.0;
        auto fraction = static_cast<uint64_t>((magnitude - static_cast<double>(whole)) * scale);
        for (int i = remaining - 1; i >= 0; --i) {
            out[len + static_cast<size_t>(i)] = static_cast<char>('0' + fraction % 10);
            fraction /= 10;
        }
        len += static_cast<size_t>(remaining);
    }
    out[len] = '\0';
    return len;
}

}  // namespace

void appendNumber8(char* dst, size_t capacity, double x) noexcept {
    char text[kNumberTextSize];
    number8(text, x);
    appendText(dst, capacity, text);
}

void appendFixed(char* dst, size_t capacity, double x, int decimals) noexcept {
    const double scale = std::pow(10.0, decimals);
    const double inverse = std::pow(0.1, decimals);
    const double s = x * scale;
    const double fraction = s - std::trunc(s);
    if (fraction >= 0.49999)
        x = (s + 1.0) * inverse;
    else if (fraction <= -0.49999)
        x = (s - 1.0) * inverse;
    char text[kNumberTextSize];
    const size_t len = number8(text, x);
    if (const char* point = static_cast<const char*>(std::memchr(text, '.', len))) {
        size_t keep = static_cast<size_t>(point - text);
        keep += decimals > 0 ? 1 + static_cast<size_t>(decimals) : 0;
        if (keep < len) text[keep] = '\0';
    }
    appendText(dst, capacity, text);
}

void appendShortNumber(char* dst, size_t capacity, double x) noexcept {
    char text[kNumberTextSize];
    const size_t len = number8(text, x);
    if (len > 4) text[4] = '\0';
    if (len >= 4 && text[3] == '.') text[3] = '\0';
    appendText(dst, capacity, text);
}

void appendGainDecibels(char* dst, size_t capacity, double gain) noexcept {
    if (!(gain > 0.0)) {
        appendText(dst, capacity, "-oo");
        return;
    }
    appendNumber8(dst, capacity, 20.0 * std::log10(gain));
}

}  // namespace frame
