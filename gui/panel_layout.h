// The rows a product editor's layout is written in. A panel is data: each row says
// where a control sits, on which picture, and what it and its displays are fed, so
// that building it is one loop and the parameter-update rule is one lookup.
#pragma once

#include <array>

#include "frame/value_to_text.h"
#include "frame/vst2.h"
#include "gui/gui_canvas.h"
#include "gui/gui_types.h"

namespace gui {

// The look the four panels share.
inline constexpr GuiColour kKnobHandleColour{250, 210, 100, 0};
inline constexpr GuiColour kKnobShadowColour{110, 100, 70, 0};  // also the program menu's border
inline constexpr GuiColour kMenuTextColour{20, 20, 20, 0};
inline constexpr GuiColour kDisplayTextColour{0, 0, 0, 0};
inline constexpr int kKnobHandleInset = 5;
inline constexpr int kPanelFont = 6;  // Arial 9, every display and the program menu
inline constexpr int kKnobSize = 36;
inline constexpr int kDisplayWidth = 50, kDisplayHeight = 14;
inline constexpr int kLinearKnobs = 2;  // the knob drag mode every editor sets

// What a control or a value display shows of its parameter: the stored (normalized)
// value or the effect's physical value, times a scale.
struct Feed {
    enum Source : unsigned char { normalized, physical };
    Source source = physical;
    float scale = 1.0f;
};
inline constexpr Feed kNormalized{Feed::normalized, 1.0f};
inline constexpr Feed kPhysical{Feed::physical, 1.0f};

// A display showing a fixed word of the product's control-name converter. The
// display styles are GuiDisplay's style bits.
struct NameText {
    GuiRect rect;
    float word;
    int style = 0;
};

// A display showing the parameter's value through a converter.
struct ValueText {
    GuiRect rect;
    frame::ValueToText converter;
    Feed feed;
    int alignment = kAlignCentre;
    int style = 0;
};

// A 36 x 36 knob drawn on the panel picture, a 50 x 14 name display above and a
// 50 x 14 value display below. Its tag is its parameter index.
struct KnobRow {
    VstInt32 tag;
    GuiPoint knob;   // top-left of the knob
    GuiPoint name;   // top-left of the name display
    float word;      // what the name display shows
    GuiPoint value;  // top-left of the value display
    frame::ValueToText converter;
    Feed feed;       // what the value display is fed
    float reset;     // the control-click value
    int nameStyle = 0, valueStyle = 0;
};

// A slider with its name and value displays. A background picture of 0 means the
// panel picture at the slider's own position.
struct SliderRow {
    VstInt32 tag;
    GuiRect rect;
    bool vertical;
    int first, last;  // the handle's travel along the axis, in panel pixels
    int handlePicture;
    int backgroundPicture;
    int style;        // which end is 0 (kSliderMinBottom, kSliderMinLeft, ...)
    float reset;
    NameText name;
    ValueText value;
    // The name display goes in before the slider, so that a handle at the end of its
    // travel is drawn whole over a name display it reaches into.
    bool nameFirst = false;
};

// A latching button at a point; its rect is the picture's width and half its height.
struct SwitchRow {
    VstInt32 tag;
    GuiPoint at;
    int picture;
};

// An indicator lamp at a point (the picture's width and half its height) with its
// caption. The product's editor feeds it; it edits nothing.
struct LampRow {
    GuiPoint at;
    int picture;
    NameText caption;
};

// A needle meter: its face picture with the top-left at `face`, its lamp picture at
// `lamp` and the needles' pivot, all in panel pixels.
struct MeterRow {
    GuiPoint face;
    int facePicture;
    GuiPoint lamp;
    int lampPicture;
    GuiPoint pivot;
};

// A button stepping through the states of its picture. It edits `param` with its
// state times `sendScale` and shows what `feed` gives of it.
struct CycleRow {
    VstInt32 tag;
    GuiRect rect;
    int picture;
    int states;
    VstInt32 param;
    Feed feed;
    float sendScale;
};

// The program row: option menu, step rocker and the four memory keys, with the six
// command tags in the order step, pick, store A, store B, recall A, recall B.
struct ProgramRowLayout {
    GuiRect menu;
    int columnLength;        // entries per column of the pop-up
    GuiPoint rocker;         // top-left of the 33 x 13 rocker
    std::array<int, 4> keys; // left of store A, store B, recall A, recall B (13 x 13, the rocker's top)
    int firstTag;            // the step command's tag
    int rockerPicture;       // the keys' pictures follow it in the same order
};

// The about screen: a small clickable area opening the about picture over the panel.
struct AboutRow {
    GuiRect rect;
    int tag;
    int picture;
    GuiRect display;
    GuiPoint textOffset;
    const char* title;        // "Tarn Brisker " (with its blank; the version follows)
    const char* description;  // the maker's line: what the product is and who made it
    GuiColour textColour;
    GuiColour creditColour;
};

}  // namespace gui
