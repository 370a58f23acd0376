// The bass enhancer's panel in the built module, opened headless: every control where
// the layout puts it with the effect's values, the A/B memory, the lift meter and clip
// lamp with and without signal, and review pictures of the panel.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <string>

#include "gui/gui_about_splash.h"
#include "gui/gui_display.h"
#include "gui/gui_option_menu.h"
#include "gui/gui_popup_menu.h"
#include "gui/surface_png.h"
#include "rumbler/rumbler_params.h"
#include "tests/support/loaded_editor_test.h"
#include "tests/support/render.h"

namespace {

using namespace testing_support;
using gui::GuiRect;

// Each child of the frame in creation order that the test looks at, by index: its
// rect, the tag of a bound control, and the name and value texts as "Current" shows them.
struct Placed {
    int child;
    GuiRect rect;
    int tag = -1;
    const char* name = nullptr;  // the display after a knob or slider, before a switch
    const char* value = nullptr;
};
const Placed kChildren[] = {
    {0, {55, 161, 166, 172}, 12},     {1, {179, 161, 212, 174}, 11},     {2, {220, 161, 233, 174}, 13},
    {3, {237, 161, 250, 174}, 14},    {4, {261, 161, 274, 174}, 15},     {5, {279, 161, 292, 174}, 16},
    {6, {110, 28, 156, 77}},  // lift meter
    {7, {39, 93, 75, 129}, 3, "tune", "20Hz"},      {10, {114, 93, 150, 129}, 4, "threshold", "-48.0dB"},
    {13, {191, 30, 227, 66}, 5, "colour", "0%"},    {16, {191, 94, 227, 130}, 6, "bass", "0.0dB"},
    {19, {268, 93, 304, 129}, 1, "gain", "0.0dB"},  {23, {273, 36, 300, 51}, 7, "saturation"},
    {25, {44, 36, 71, 51}, 0, "process"},           {26, {112, 146, 232, 154}, 9},
    {27, {272, 52, 302, 82}},  // clip lamp
    {28, {250, 144, 319, 160}, 2, "mix", "100%"},   {30, {319, 145, 349, 159}},  // mix value display
};
constexpr int kChildCount = 31;  // program row 6, meter, knobs 5 x 3, switches 2 x 2, about, lamp, slider 3

class RumblerEditorTest : public LoadedEditorTest {
protected:
    RumblerEditorTest() : LoadedEditorTest("rumbler") {}

    static std::string shown(gui::GuiView* v) {
        char t[gui::kDisplayTextSize];
        static_cast<gui::GuiDisplay*>(v)->valueText(t);
        return t;
    }
    std::string text(VstInt32 param) const { return shown(editor()->valueDisplayOf(param)); }
    std::string entry(int index) const {
        char t[gui::kDisplayTextSize] = "";
        editor()->programMenu()->getItemText(index, t);
        return t;
    }
    gui::GuiControl* child(int i) const { return static_cast<gui::GuiControl*>(frame()->childAt(i)); }
    static void writeReview(const gui::Surface& s, const char* name) {
        const std::filesystem::path dir = TARN_REVIEW_DIR;
        std::filesystem::create_directories(dir);
        std::string error;
        EXPECT_TRUE(gui::writePng(s, (dir / name).string(), &error)) << error;
    }
};

TEST_F(RumblerEditorTest, OpensEveryControlInPlaceShowingTheEffectsValues) {
    ERect* rect = nullptr;
    ASSERT_EQ(dispatch(effect, effEditGetRect, 0, 0, &rect), 1);
    EXPECT_EQ(rect->right - rect->left, 344);
    EXPECT_EQ(rect->bottom - rect->top, 175);
    openEditor();
    ASSERT_EQ(frame()->childCount(), kChildCount);
    for (const Placed& p : kChildren) {
        gui::GuiControl* c = child(p.child);
        EXPECT_EQ(c->getBounds(), p.rect) << "child " << p.child;
        if (p.tag < 0) continue;
        EXPECT_EQ(control(p.tag), c) << "tag " << p.tag;
        if (!p.name) continue;
        EXPECT_EQ(c->getValue(), effect->getParameter(effect, p.tag)) << "tag " << p.tag;
        EXPECT_EQ(shown(frame()->childAt(p.child + (p.value ? 1 : -1))), p.name);
        if (p.value) {
            EXPECT_EQ(shown(frame()->childAt(p.child + 2)), p.value) << "tag " << p.tag;
        }
    }
    EXPECT_EQ(editor()->valueDisplayOf(rumbler::kMix), child(30));
    // the threshold's other end, and every display fed its physical value
    effect->setParameter(effect, rumbler::kThreshold, 1.0f);
    effect->setParameter(effect, rumbler::kTune, 0.5f);
    effect->setParameter(effect, rumbler::kBass, 0.25f);
    effect->setParameter(effect, rumbler::kColour, 0.33f);
    idle();
    EXPECT_EQ(text(rumbler::kThreshold), "0.0dB");
    EXPECT_EQ(text(rumbler::kTune), "165Hz");
    EXPECT_EQ(text(rumbler::kBass), "-6.0dB");
    EXPECT_EQ(text(rumbler::kColour), "33%");
    EXPECT_EQ(editor()->about()->title(), "Tarn Rumbler ");
    writeReview(frame()->surface(), "rumbler_rest.png");

    click(centre(control(9)->getBounds()));
    EXPECT_EQ(frame()->modalView(), control(9));
    idle();
    writeReview(frame()->surface(), "rumbler_about.png");
}

TEST_F(RumblerEditorTest, StoreBKeepsCurrentAndRecallBLoadsItWithAutomatedEdits) {
    openEditor();
    effect->setParameter(effect, rumbler::kTune, 0.6f);
    click(centre(control(14)->getBounds()));  // store B
    EXPECT_EQ(editor()->programMenu()->currentIndex(), 2);
    EXPECT_EQ(entry(2), "B:Current");
    effect->setParameter(effect, rumbler::kTune, 0.2f);
    host.clear();
    click(centre(control(16)->getBounds()));  // recall B
    EXPECT_EQ(editor()->programMenu()->currentIndex(), 2);
    const auto edits = editsOf(rumbler::kTune);
    ASSERT_EQ(edits.size(), 4u);
    EXPECT_EQ(edits[0].opcode, audioMasterBeginEdit);
    EXPECT_EQ(edits[1].opt, 0.2f);  // the present value first, then the memory's
    EXPECT_EQ(edits[2].opt, 0.6f);
    EXPECT_EQ(edits[3].opcode, audioMasterEndEdit);
    idle();
    EXPECT_EQ(control(rumbler::kTune)->getValue(), 0.6f);
    EXPECT_EQ(text(rumbler::kTune), "229Hz");  // 20 + 580 x 0.36, rounded
}

// Silence leaves the leveller at its floor gain, 256 sqrt(T): with the threshold at
// -48 dB that is a lift of 24 dB, half the dial. A sine over full scale with the
// saturation off lights the clip lamp. A suspend puts both back to rest.
TEST_F(RumblerEditorTest, LiftMeterShowsTheFloorInSilenceAndTheLampAnOverload) {
    startProcessing(effect, 44100.0f, 512);
    openEditor();
    const gui::Surface rest = frame()->surface();
    render(effect, makeStereo(8192), 512);
    for (int i = 0; i < 10; ++i) idle();  // the needle rises 0.1 per redraw
    const double floorGain = std::sqrt(1.5258789e-05) * std::pow(10.0, -1.2) * 65536.00026843545;
    EXPECT_FLOAT_EQ(child(6)->getValue(), static_cast<float>(std::log10(floorGain) * 0.4166666666666667));
    EXPECT_NEAR(child(6)->getValue(), 0.5f, 0.01f);
    EXPECT_EQ(child(27)->getValue(), 0.0f);

    // a treble sine over full scale: its faint share below 20 Hz is lifted by almost 40 dB
    ASSERT_EQ(effect->getParameter(effect, rumbler::kSaturation), 0.0f);
    effect->setParameter(effect, rumbler::kThreshold, 1.0f);
    render(effect, sine(8192, 2000.0, 44100.0, 1.2f), 512);
    for (int i = 0; i < 10; ++i) idle();
    EXPECT_GT(child(6)->getValue(), 0.7f);
    EXPECT_EQ(child(27)->getValue(), 1.0f);
    int lit = 0;
    for (int y = 52; y < 82; ++y)
        for (int x = 272; x < 302; ++x) lit += frame()->surface().pixel(x, y) != rest.pixel(x, y);
    EXPECT_GT(lit, 100);
    writeReview(frame()->surface(), "rumbler_signal.png");

    // the program menu open under the panel, as the pop-up shows it on the screen
    const GuiRect m = control(12)->getBounds();
    auto popup = editor()->programMenu()->makePopup({m.left, m.bottom}, false);
    popup->setScreenArea({-100000, -100000, 100000, 100000});
    popup->pointer({gui::platform::PopupPointer::Type::move, centre(popup->itemRect(0, 8)), 0});
    const GuiRect panel = popup->panelRect(0);
    gui::Surface screen(std::max(344, panel.right + 1), std::max(175, panel.bottom + 1), 0x404040);
    screen.copyFrom(frame()->surface(), {0, 0, 344, 175}, {0, 0}, screen.bounds());
    screen.copyFrom(popup->panelPixels(0), panel, {0, 0}, screen.bounds());
    writeReview(screen, "rumbler_menu.png");

    dispatch(effect, effMainsChanged, 0, 0);
    idle();
    EXPECT_LE(child(6)->getValue(), 1e-6f);
    EXPECT_LT(child(27)->getValue(), 0.5f);
    for (const GuiRect& r : {child(6)->getBounds(), child(27)->getBounds()})
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                ASSERT_EQ(frame()->surface().pixel(x, y), rest.pixel(x, y)) << x << "," << y;
}

}  // namespace
