#include "frame/value_to_text.h"

#include <cmath>
#include <limits>

#include "frame/text.h"

namespace frame {
namespace {

constexpr size_t kCap = kNumberTextSize;

// Integer part, clamped so that absurd values cannot overflow the conversion.
int wholePart(double x) noexcept {
    if (!(x == x)) return 0;
    if (x >= 2147483647.0) return std::numeric_limits<int>::max();
    if (x <= -2147483648.0) return std::numeric_limits<int>::min();
    return static_cast<int>(x);
}

}  // namespace

void pickName(float x, char* text, const char* const* names, int count) {
    text[0] = '\0';
    if (!(x == x)) return;
    const int i = wholePart(x);
    if (i >= 0 && i < count) copyText(text, kCap, names[i]);
}

void controlNameText(float x, char* text) {
    static const char* const kNames[] = {"gain",    "compress", "slope",      "freq",    "Q",      "attack",
                                         "hold",    "release",  "make-up",    "saturation", "process", "stereo",
                                         "output",  "input",    "mix",        "M-hold",  "M-time"};
    pickName(x, text, kNames, 17);
}

void shortNumberText(float x, char* text) {
    text[0] = '\0';
    appendShortNumber(text, kCap, x);
}

void makeUpText(float x, char* text) {
    text[0] = '\0';
    if (x < 0.125) {
        copyText(text, kCap, "auto");
    } else if (x >= 0.15) {
        const double db = 20.0 * std::log10(std::pow(10.0, (x - 0.166666) * 2.88));
        appendShortNumber(text, kCap, db);
        appendText(text, kCap, "dB");
    }
}

void slopeText(float x, char* text) {
    if (x <= 0.0f)
        copyText(text, kCap, "soft");
    else if (x >= 1.0f)
        copyText(text, kCap, "hard");
    else
        formatText(text, kCap, "%d%%", wholePart(x * 100.0));
}

void attackText(float x, char* text) {
    text[0] = '\0';
    if (x < 0.0416666) {
        copyText(text, kCap, "fast");
    } else if (x < 0.125) {
        copyText(text, kCap, "slow");
    } else if (x >= 0.15) {
        const double a = (x - 0.16666) * 1.2;
        double t = a * a * a * a * 0.9999 + 0.0001;
        if (t < 0.00011) t = 0.00011;
        appendShortNumber(text, kCap, t * 1000.0);
        appendText(text, kCap, "ms");
    }
}

void releaseText(float x, char* text) {
    text[0] = '\0';
    if (x < 0.0416666) {
        copyText(text, kCap, "fast");
    } else if (x < 0.125) {
        copyText(text, kCap, "slow");
    } else if (x >= 0.15) {
        const double a = (x - 0.16666) * 1.2;
        appendShortNumber(text, kCap, (a * a * a * a * 9.99 + 0.01) * 1000.0);
        appendText(text, kCap, "ms");
    }
}

void holdText(float x, char* text) {
    text[0] = '\0';
    const double v = x;
    appendShortNumber(text, kCap, v * v * v * v * 1000.0);
    appendText(text, kCap, "ms");
}

void saturationModelText(float x, char* text) {
    static const char* const kNames[] = {"none", "valve1", "valve2", "valve3", "tape1", "tape2", "tape3", "digital"};
    pickName(x, text, kNames, 8);
}

void hertzText(float x, char* text) {
    formatText(text, kCap, "%dHz", wholePart(x + 0.5));
}

void percentText(float x, char* text) {
    formatText(text, kCap, "%d%%", wholePart(x * 100.0));
}

void frequencyText(float value, char* text) {
    const double x = value;
    const int whole = wholePart(x);
    const double fraction = x - whole;
    if (x < 0.2)
        formatText(text, kCap, "%d.%dHz", whole, wholePart(fraction * 1000.0));
    else if (x < 1.0)
        formatText(text, kCap, "%d.%dHz", whole, wholePart(fraction * 100.0));
    else if (x < 10.0)
        formatText(text, kCap, "%d.%dHz", whole, wholePart(fraction * 10.0));
    else if (x < 1000.0)
        formatText(text, kCap, "%dHz", whole);
    else {
        const int k = wholePart(x * 0.001);
        formatText(text, kCap, "%d.%dkHz", k, wholePart((x - 1000.0 * k) * 0.01));
    }
}

void amountText(float x, char* text) {
    if (x <= 0.0001)
        copyText(text, kCap, "closed");
    else if (x < 1.0)
        formatText(text, kCap, "%d%%", wholePart(x * 100.0));
    else
        copyText(text, kCap, "thru");
}

void decibelText(float x, char* text) {
    if (x > 1e-8) {
        const double a = 20.0 * std::log10(static_cast<double>(x));
        const int whole = wholePart(a);
        const int tenth = wholePart(std::fabs((a - whole) * 10.0));
        if (a >= 0.0 || a <= -1.0)
            formatText(text, kCap, "%d.%ddB", whole, tenth);
        else
            formatText(text, kCap, "-%d.%ddB", whole, tenth);
    } else {
        copyText(text, kCap, "-oo dB");
    }
}

}  // namespace frame
