// The treble enhancer panel's own converters: the caption words and the filter
// slopes in dB per octave. Both write at most frame::kNumberTextSize bytes.
#pragma once

namespace glister {

// The integer part of x picks the caption: 0 "threshold" .. 18 "mix"; any other
// value writes an empty text.
void captionText(float x, char* text);

// The short number text of x followed by "dB/oct": 6 gives "6.00dB/oct", 12 "12.0dB/oct".
void dbPerOctaveText(float x, char* text);

}  // namespace glister
