#include "glister/panel_texts.h"

#include <iterator>

#include "frame/number_text.h"
#include "frame/text.h"
#include "frame/value_to_text.h"

namespace glister {

void captionText(float x, char* text) {
    static constexpr const char* kCaptions[] = {
        "threshold", "attenuation", "speed",      "min.freq", "ratio",   "filt.slope",    "hi.damp",
        "adjust",    "filt.slope",  "enhance",    "frequency", "Q",      "drive",         "first out",
        "adjust",    "output",      "over enhanced", "peak over", "mix",
    };
    frame::pickName(x, text, kCaptions, static_cast<int>(std::size(kCaptions)));
}

void dbPerOctaveText(float x, char* text) {
    text[0] = '\0';
    frame::appendShortNumber(text, frame::kNumberTextSize, x);
    frame::appendText(text, frame::kNumberTextSize, "dB/oct");
}

}  // namespace glister
