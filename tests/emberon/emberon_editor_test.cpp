// The saturator's panel in the built module, opened headless: every control where
// the layout puts it with the effect's values, the meter tap, the memories, the
// meters with and without signal, and review pictures of the panel.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <numbers>
#include <string>

#include "emberon/emberon_params.h"
#include "gui/gui_about_splash.h"
#include "gui/gui_display.h"
#include "gui/gui_option_menu.h"
#include "gui/gui_popup_menu.h"
#include "gui/gui_twin_needle_meter.h"
#include "gui/surface_png.h"
#include "tests/support/loaded_editor_test.h"
#include "tests/support/render.h"

namespace {

using namespace testing_support;
using gui::GuiRect;

// Each control in creation order: tag, rect, and for bound controls the parameter's
// name and value display texts as "Current" shows them.
struct Placed {
    int tag;
    GuiRect rect;
    const char* name = nullptr;
    const char* value = nullptr;
};
const Placed kControls[] = {
    {19, {98, 233, 209, 244}},  {18, {222, 233, 255, 246}}, {20, {263, 233, 276, 246}}, {21, {280, 233, 293, 246}},
    {22, {304, 233, 317, 246}}, {23, {322, 233, 335, 246}}, {0, {197, 130, 237, 143}},  {13, {116, 130, 156, 143}},
    {14, {279, 130, 319, 143}}, {12, {189, 103, 245, 117}},
    {1, {21, 162, 57, 198}, "input", "0.0dB"},     {8, {76, 162, 112, 198}, "freq", "163Hz"},
    {11, {124, 162, 160, 198}, "warmth", "0%"},    {6, {171, 162, 207, 198}, "adjust", "0.0dB"},
    {9, {226, 162, 262, 198}, "freq", "4500Hz"},   {10, {274, 162, 310, 198}, "compress", "0%"},
    {7, {321, 162, 357, 198}, "adjust", "0.0dB"},  {2, {376, 162, 412, 198}, "output", "0.0dB"},
    {4, {382, 26, 408, 130}, "shape", "valve1"},   {3, {27, 26, 53, 130}, "drive", "50%"},
    {5, {330, 215, 408, 231}, "mix", "100%"},      {16, {134, 217, 299, 227}},
};
constexpr int kChildren = 46;  // program row 6, meters 2, switches 3, tap 1, knobs 8 x 3, sliders 3 x 3, about

class EmberonEditorTest : public LoadedEditorTest {
protected:
    EmberonEditorTest() : LoadedEditorTest("emberon") {}

    static std::string shown(const gui::GuiDisplay* d) {
        char t[gui::kDisplayTextSize];
        d->valueText(t);
        return t;
    }
    std::string text(VstInt32 param) const { return shown(editor()->valueDisplayOf(param)); }
    gui::GuiTwinNeedleMeter* meter(int side) const {
        return static_cast<gui::GuiTwinNeedleMeter*>(frame()->childAt(6 + side));
    }
    void writeReview(const gui::Surface& s, const char* name) const {
        const std::filesystem::path dir = TARN_REVIEW_DIR;
        std::filesystem::create_directories(dir);
        std::string error;
        EXPECT_TRUE(gui::writePng(s, (dir / name).string(), &error)) << error;
    }
};

TEST_F(EmberonEditorTest, OpensEveryControlInPlaceAndReopensFromTheCurrentValues) {
    EXPECT_TRUE(effect->flags & effFlagsHasEditor);
    openEditor();
    ASSERT_EQ(frame()->childCount(), kChildren);
    EXPECT_EQ(frame()->getBounds(), (GuiRect{0, 0, 435, 247}));
    int previous = -1;
    for (const Placed& p : kControls) {
        gui::GuiControl* c = control(p.tag);
        ASSERT_NE(c, nullptr) << "tag " << p.tag;
        EXPECT_EQ(c->getBounds(), p.rect) << "tag " << p.tag;
        EXPECT_GT(childIndex(c), previous) << "tag " << p.tag << " out of creation order";
        previous = childIndex(c);
        if (!p.name) continue;
        EXPECT_EQ(c->getValue(), effect->getParameter(effect, p.tag)) << "tag " << p.tag;
        // the name display follows the control, the value display follows the name
        const gui::GuiDisplay* value = editor()->valueDisplayOf(p.tag);
        EXPECT_EQ(childIndex(value), previous + 2) << "tag " << p.tag;
        EXPECT_EQ(shown(static_cast<gui::GuiDisplay*>(frame()->childAt(previous + 1))), p.name);
        EXPECT_EQ(shown(value), p.value) << "tag " << p.tag;
    }
    EXPECT_EQ(control(emberon::kPrePost)->getValue(), 1.0f);  // after the output gain
    EXPECT_EQ(editor()->about()->title(), "Tarn Emberon ");
    writeReview(frame()->surface(), "emberon_rest.png");

    // the shape snaps to its curves: 0.7 shows tape2 at 5/7
    effect->setParameter(effect, emberon::kShape, 0.7f);
    idle();
    EXPECT_EQ(control(emberon::kShape)->getValue(), 5.0f / 7.0f);
    EXPECT_EQ(text(emberon::kShape), "tape2");

    // a new panel draws the same pixels, from the values of the moment
    const gui::Surface first = frame()->surface();
    closeEditor();
    openEditor();
    EXPECT_EQ(std::memcmp(frame()->surface().data(), first.data(), sizeof(uint32_t) * 435 * 247), 0);
    closeEditor();
    effect->setParameter(effect, emberon::kTrebleComp, 0.25f);
    openEditor();
    EXPECT_EQ(text(emberon::kTrebleComp), "25%");
    EXPECT_EQ(text(emberon::kShape), "tape2");

    click(centre(control(16)->getBounds()));
    EXPECT_EQ(frame()->modalView(), control(16));
    idle();
    writeReview(frame()->surface(), "emberon_about.png");
}

// The panel reads gains as 20 log10, the host's text as 6 dB per doubling.
TEST_F(EmberonEditorTest, GainKnobAtItsTopReadsTwelveDecibelsOnThePanelAndForTheHost) {
    openEditor();
    const gui::GuiPoint knob = centre(control(emberon::kBassAdjust)->getBounds());
    host.clear();
    drag(knob, {knob.h + 150, knob.v});  // linear: past the top
    const auto edits = editsOf(emberon::kBassAdjust);
    ASSERT_GE(edits.size(), 3u);
    EXPECT_EQ(edits.front().opcode, audioMasterBeginEdit);
    EXPECT_EQ(edits.back().opcode, audioMasterEndEdit);
    EXPECT_EQ(effect->getParameter(effect, emberon::kBassAdjust), 1.0f);
    idle();
    EXPECT_EQ(text(emberon::kBassAdjust), "12.0dB");
    EXPECT_EQ(dispatchText(effect, effGetParamDisplay, emberon::kBassAdjust), "12.0");
    // between the ends the two scales part: 10^0.3 is 6.0 dB, but 5.98 on the host's
    effect->setParameter(effect, emberon::kInput, 0.75f);
    idle();
    EXPECT_EQ(text(emberon::kInput), "5.9dB");  // truncated
    EXPECT_EQ(dispatchText(effect, effGetParamDisplay, emberon::kInput), "6.0");
}

TEST_F(EmberonEditorTest, StoreAThenRecallAShowsEntryOne) {
    openEditor();
    effect->setParameter(effect, emberon::kDrive, 0.8f);
    click(centre(control(20)->getBounds()));  // store A
    const GuiRect rocker = control(18)->getBounds();
    click({rocker.right - 2, centre(rocker).v});  // on to entry 2, "Memo B"
    EXPECT_EQ(editor()->programMenu()->currentIndex(), 2);
    EXPECT_EQ(effect->getParameter(effect, emberon::kDrive), 0.5f);
    click(centre(control(22)->getBounds()));  // recall A
    EXPECT_EQ(editor()->programMenu()->currentIndex(), 1);
    EXPECT_EQ(effect->getParameter(effect, emberon::kDrive), 0.8f);
    idle();
    EXPECT_EQ(text(emberon::kDrive), "80%");
}

// The third state of the tap meters the curve's input: the input times 0.1995 x the
// drive factor (1 + 31 x 0.5^2). A suspend puts the needles and lamps back to rest.
TEST_F(EmberonEditorTest, MeterTapsThirdStateMetersTheCurveInputAndSuspendRestsTheMeters) {
    startProcessing(effect, 44100.0f, 512);
    openEditor();
    const gui::Surface rest = frame()->surface();
    host.clear();
    click(centre(control(emberon::kPrePost)->getBounds()));
    std::vector<float> sent;
    for (const HostCall& c : host.callsWith(audioMasterAutomate)) {
        EXPECT_EQ(c.index, emberon::kPrePost);
        sent.push_back(c.opt);
    }
    EXPECT_EQ(sent, (std::vector<float>{1.0f, 2.0f}));  // old state, then new
    EXPECT_EQ(effect->getParameter(effect, emberon::kPrePost), 2.0f);

    const float amplitude = 0.6f;
    const double curveIn = amplitude * 0.1995 * (1.0 + 31.0 * 0.25);
    // two seconds: the held peak of the curve filter's settling after resume has fallen back
    render(effect, sine(88200, 1000.0, 44100.0, amplitude), 512);
    idle();
    for (int side : {0, 1}) {
        EXPECT_NEAR(meter(side)->needleB(), curveIn, 0.01 * curveIn);
        EXPECT_NEAR(meter(side)->needleA(), curveIn * 2.0 / std::numbers::pi * 1.58, 0.03 * curveIn);
        EXPECT_EQ(meter(side)->lampValue(), 1.0f);  // the curve's input passes full scale
    }
    writeReview(frame()->surface(), "emberon_signal.png");

    // the program menu open under the panel, as the pop-up shows it on the screen
    const GuiRect m = control(19)->getBounds();
    auto popup = editor()->programMenu()->makePopup({m.left, m.bottom}, false);
    popup->setScreenArea({-100000, -100000, 100000, 100000});
    popup->pointer({gui::platform::PopupPointer::Type::move, centre(popup->itemRect(0, 15)), 0});
    const GuiRect panel = popup->panelRect(0);
    gui::Surface screen(std::max(435, panel.right + 1), panel.bottom + 1, 0x404040);
    screen.copyFrom(frame()->surface(), {0, 0, 435, 247}, {0, 0}, screen.bounds());
    screen.copyFrom(popup->panelPixels(0), panel, {0, 0}, screen.bounds());
    writeReview(screen, "emberon_menu.png");

    dispatch(effect, effMainsChanged, 0, 0);
    idle();
    for (int side : {0, 1}) {
        EXPECT_LE(meter(side)->needleA(), 1e-8f);
        EXPECT_LE(meter(side)->lampValue(), 1e-8f);
        EXPECT_LE(meter(side)->needleB(), 1e-8f);
    }
    for (int y = 18; y < 99; ++y)
        for (int x = 69; x < 365; ++x) ASSERT_EQ(frame()->surface().pixel(x, y), rest.pixel(x, y)) << x << "," << y;
}

}  // namespace
