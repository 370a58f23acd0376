// Converters from a value to a short display text, handed to editor displays.
// Each writes a zero-terminated text of at most kNumberTextSize bytes into text.
#pragma once

#include "frame/number_text.h"

namespace frame {

using ValueToText = void (*)(float value, char* text);

// The name at the value's integer part (-0.5 truncates to 0 like 0.5 does); an empty
// text outside the list or for NaN. Each product's name displays are built on it.
void pickName(float x, char* text, const char* const* names, int count);

void controlNameText(float x, char* text);      // compressor control names by index
void shortNumberText(float x, char* text);      // "12.3", "0.11", "123"
void makeUpText(float x, char* text);           // "auto" or dB
void slopeText(float x, char* text);            // "soft", "hard" or percent
void attackText(float x, char* text);           // "fast", "slow" or ms
void releaseText(float x, char* text);          // "fast", "slow" or ms
void holdText(float x, char* text);             // ms
void saturationModelText(float x, char* text);  // "none" .. "digital"
void hertzText(float x, char* text);            // "440Hz"
void percentText(float x, char* text);          // "50%"
void frequencyText(float x, char* text);        // "612Hz", "2.0kHz", "0.50Hz"
void amountText(float x, char* text);           // "closed", "25%", "thru"
void decibelText(float x, char* text);          // "-6.0dB", "-oo dB"

}  // namespace frame
