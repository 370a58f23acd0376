#include "glister/panel_texts.h"

#include <cmath>

#include "frame/number_text.h"
#include "frame/text.h"

namespace glister {

void captionText(float x, char* text) {
    static constexpr const char* kCaptions[] = {
        "threshold", "attenuation", "speed",      "min.freq", "ratio",   "filt.slope",    "hi.damp",
        "adjust",    "filt.slope",  "enhance",    "frequency", "Q",      "drive",         "first out",
        "adjust",    "output",      "over enhanced", "peak over", "mix",
    };
    constexpr int kCount = static_cast<int>(sizeof kCaptions / sizeof kCaptions[0]);
    text[0] = '\0';
    // a small negative value truncates to 0 like any other integer part; NaN picks nothing
    if (!(x > -1.0f && x < static_cast<float>(kCount))) return;
    frame::copyText(text, frame::kNumberTextSize, kCaptions[static_cast<int>(std::trunc(x))]);
}

void dbPerOctaveText(float x, char* text) {
    text[0] = '\0';
    frame::appendShortNumber(text, frame::kNumberTextSize, x);
    frame::appendText(text, frame::kNumberTextSize, "dB/oct");
}

}  // namespace glister
