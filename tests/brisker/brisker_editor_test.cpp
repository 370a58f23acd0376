// The compressor's panel in the built module, opened headless: every control where
// the layout puts it, values in from the host and out as automated edits, the
// program row, the meters, and review pictures of the panel.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <string>

#include "brisker/brisker_params.h"
#include "gui/gui_about_splash.h"
#include "gui/gui_display.h"
#include "gui/gui_needle_meter.h"
#include "gui/gui_option_menu.h"
#include "gui/gui_popup_menu.h"
#include "gui/surface_png.h"
#include "tests/support/loaded_editor_test.h"
#include "tests/support/render.h"

namespace {

using namespace testing_support;
using gui::GuiPoint;
using gui::GuiRect;

struct Placed {
    int tag;
    GuiRect rect;
};

// Where the layout puts each control (creation order), and each value display.
constexpr Placed kControls[] = {
    {22, {98, 233, 209, 244}},   {21, {222, 233, 255, 246}},  {23, {263, 233, 276, 246}},
    {24, {280, 233, 293, 246}},  {25, {304, 233, 317, 246}},  {26, {322, 233, 335, 246}},
    {0, {197, 130, 237, 143}},   {14, {74, 130, 114, 143}},   {15, {136, 130, 176, 143}},
    {13, {258, 130, 298, 143}},  {12, {189, 103, 245, 117}},  {19, {320, 130, 360, 143}},
    {9, {76, 162, 112, 198}},    {10, {124, 162, 160, 198}},  {4, {180, 162, 216, 198}},
    {11, {227, 162, 263, 198}},  {5, {274, 162, 310, 198}},   {6, {321, 162, 357, 198}},
    {8, {376, 162, 412, 198}},   {1, {21, 162, 57, 198}},     {3, {382, 26, 408, 130}},
    {2, {27, 26, 53, 130}},      {7, {330, 215, 408, 231}},   {18, {134, 217, 299, 227}},
};
constexpr Placed kValueDisplays[] = {
    {9, {70, 197, 120, 211}},  {10, {118, 197, 168, 211}}, {4, {173, 197, 223, 211}}, {11, {220, 197, 270, 211}},
    {5, {267, 197, 317, 211}}, {6, {315, 197, 365, 211}},  {8, {370, 197, 420, 211}}, {1, {15, 197, 65, 211}},
    {3, {370, 130, 420, 144}}, {2, {15, 130, 65, 144}},    {7, {408, 216, 438, 230}},
};
constexpr int kChildren = 48;  // program row 6, meters 2, buttons 6, knobs 8 x 3, sliders 3 x 3, about

class BriskerEditorTest : public LoadedEditorTest {
protected:
    BriskerEditorTest() : LoadedEditorTest("brisker") {}

    std::string text(VstInt32 param) const {
        char t[gui::kDisplayTextSize];
        editor()->valueDisplayOf(param)->valueText(t);
        return t;
    }
    std::string entry(int index) const {
        char t[gui::kDisplayTextSize] = "";
        editor()->programMenu()->getItemText(index, t);
        return t;
    }
    gui::GuiNeedleMeter* meter(int side) const { return static_cast<gui::GuiNeedleMeter*>(frame()->childAt(6 + side)); }
    // The pop-up as the menu lays it out under itself, for pointing at its entries.
    std::unique_ptr<gui::GuiPopupMenu> popup() const {
        const GuiRect m = control(22)->getBounds();
        auto p = editor()->programMenu()->makePopup({m.left, m.bottom}, false);
        p->setScreenArea({-100000, -100000, 100000, 100000});
        return p;
    }
    void pick(int index) {
        const GuiPoint at = centre(popup()->itemRect(0, index));
        const GuiPoint menu = centre(control(22)->getBounds());
        script.clear();
        script.press(menu).release().moveTo(at).press(at).release();
        runScript();
    }
    static void writeReview(const gui::Surface& s, const char* name) {
        const std::filesystem::path dir = TARN_REVIEW_DIR;
        std::filesystem::create_directories(dir);
        std::string error;
        EXPECT_TRUE(gui::writePng(s, (dir / name).string(), &error)) << error;
    }
    void writeReview(const char* name) const { writeReview(frame()->surface(), name); }
};

TEST_F(BriskerEditorTest, OpensWithEveryControlInPlaceShowingTheEffectsValues) {
    EXPECT_TRUE(effect->flags & effFlagsHasEditor);
    ERect* rect = nullptr;
    ASSERT_EQ(dispatch(effect, effEditGetRect, 0, 0, &rect), 1);
    EXPECT_EQ(rect->right - rect->left, 435);
    EXPECT_EQ(rect->bottom - rect->top, 247);
    effect->setParameter(effect, brisker::kOutput, 0.0f);  // a value the factory program does not have
    openEditor();
    ASSERT_EQ(frame()->childCount(), kChildren);
    EXPECT_EQ(frame()->getBounds(), (GuiRect{0, 0, 435, 247}));

    int previous = -1;
    for (const Placed& p : kControls) {
        gui::GuiControl* c = control(p.tag);
        ASSERT_NE(c, nullptr) << "tag " << p.tag;
        EXPECT_EQ(c->tag(), p.tag);
        EXPECT_EQ(c->getBounds(), p.rect) << "tag " << p.tag;
        EXPECT_GT(childIndex(c), previous) << "tag " << p.tag << " out of creation order";
        previous = childIndex(c);
        if (p.tag <= brisker::kLimSat) {
            EXPECT_EQ(c->getValue(), effect->getParameter(effect, p.tag)) << "tag " << p.tag;
        }
    }
    EXPECT_EQ(control(19)->getValue(), 1.0f);  // LIM of "Current", mode 1
    for (const Placed& p : kValueDisplays) EXPECT_EQ(editor()->valueDisplayOf(p.tag)->getBounds(), p.rect);
    // what the factory program shows, through each display's converter
    EXPECT_EQ(text(brisker::kScFreq), "612Hz");
    EXPECT_EQ(text(brisker::kInput), "0.0dB");
    EXPECT_EQ(text(brisker::kOutput), "-12.0dB");  // the gain's floor: never -oo dB
    EXPECT_EQ(text(brisker::kMix), "100%");
    EXPECT_EQ(text(brisker::kRelease), "slow");
    EXPECT_EQ(entry(0), "Current");
    EXPECT_EQ(editor()->programMenu()->currentIndex(), 0);
    EXPECT_EQ(editor()->about()->title(), "Tarn Brisker ");
}

TEST_F(BriskerEditorTest, HostChangesReachControlAndDisplayAtTheNextIdle) {
    openEditor();
    effect->setParameter(effect, brisker::kInput, 0.75f);
    effect->setParameter(effect, brisker::kLimSat, 1.0f);
    effect->setParameter(effect, brisker::kAttack, 0.1f);  // stored as the "slow" step
    EXPECT_EQ(control(brisker::kInput)->getValue(), 0.5f);  // not before the idle
    idle();
    EXPECT_EQ(control(brisker::kInput)->getValue(), 0.75f);
    EXPECT_EQ(text(brisker::kInput), "5.9dB");  // the converter truncates the float gain, 1.9952
    EXPECT_EQ(control(19)->getValue(), 2.0f);
    EXPECT_FLOAT_EQ(control(brisker::kAttack)->getValue(), 0.0833333f);
    EXPECT_EQ(text(brisker::kAttack), "slow");
    effect->setParameter(effect, brisker::kInput, 0.5f);
    idle();
    EXPECT_EQ(text(brisker::kInput), "0.0dB");
}

TEST_F(BriskerEditorTest, ControlsSendAutomatedEdits) {
    openEditor();
    const GuiRect knob = control(brisker::kScFreq)->getBounds();
    host.clear();
    drag(centre(knob), {centre(knob).h + 40, centre(knob).v});  // linear: 40 of 200 pixels
    const auto edits = editsOf(brisker::kScFreq);
    ASSERT_GE(edits.size(), 3u);
    EXPECT_EQ(edits.front().opcode, audioMasterBeginEdit);
    EXPECT_EQ(edits.back().opcode, audioMasterEndEdit);
    for (size_t i = 1; i + 1 < edits.size(); ++i) EXPECT_EQ(edits[i].opcode, audioMasterAutomate);
    EXPECT_NEAR(edits[edits.size() - 2].opt, 0.7f, 1e-5f);
    EXPECT_NEAR(effect->getParameter(effect, brisker::kScFreq), 0.7f, 1e-5f);

    // the output stage steps SAT, off, LIM from LIM, and sends 1.0, 0, 0.5
    host.clear();
    for (int i = 0; i < 3; ++i) click(centre(control(19)->getBounds()));
    std::vector<float> sent;
    for (const HostCall& c : host.callsWith(audioMasterAutomate)) sent.push_back(c.opt);
    EXPECT_EQ(sent, (std::vector<float>{0.5f, 1.0f, 1.0f, 0.0f, 0.0f, 0.5f}));  // old state, then new
    EXPECT_TRUE(host.callsWith(audioMasterBeginEdit).empty());
}

TEST_F(BriskerEditorTest, ProgramRowLoadsStoresAndRecalls) {
    openEditor();
    host.clear();
    pick(12);  // "de-esser"
    EXPECT_EQ(editor()->programMenu()->currentIndex(), 12);
    EXPECT_EQ(entry(0), "* de-esser");
    EXPECT_NEAR(effect->getParameter(effect, brisker::kScFreq), 0.9166f, 1e-6f);
    EXPECT_EQ(host.callsWith(audioMasterBeginEdit).size(), 17u);
    EXPECT_EQ(host.callsWith(audioMasterAutomate).size(), 34u);  // the present values, then the program's
    EXPECT_EQ(host.callsWith(audioMasterEndEdit).size(), 17u);
    idle();
    EXPECT_EQ(text(brisker::kScFreq), "8798Hz");

    click(centre(control(23)->getBounds()));  // store A
    EXPECT_EQ(entry(1), "A:de-esser");
    EXPECT_EQ(editor()->programMenu()->currentIndex(), 1);
    const GuiRect rocker = control(21)->getBounds();
    click({rocker.right - 2, centre(rocker).v});  // the rocker's right half steps on from the entry shown
    EXPECT_EQ(editor()->programMenu()->currentIndex(), 2);
    EXPECT_EQ(entry(0), "* Memo B");
    click(centre(control(25)->getBounds()));  // recall A
    EXPECT_EQ(editor()->programMenu()->currentIndex(), 1);
    EXPECT_NEAR(effect->getParameter(effect, brisker::kScFreq), 0.9166f, 1e-6f);

    closeEditor();
    openEditor();  // a new panel shows what the bank holds
    EXPECT_EQ(entry(1), "A:de-esser");
    EXPECT_EQ(entry(0), "* de-esser");
}

TEST_F(BriskerEditorTest, ReopeningDrawsTheSamePanelAndTheAboutScreenOpens) {
    openEditor();
    writeReview("brisker_rest.png");
    const gui::Surface first = frame()->surface();
    closeEditor();
    EXPECT_EQ(frame(), nullptr);
    openEditor();
    ASSERT_EQ(frame()->surface().width(), first.width());
    EXPECT_EQ(std::memcmp(frame()->surface().data(), first.data(), sizeof(uint32_t) * 435 * 247), 0);

    click(centre(control(18)->getBounds()));
    EXPECT_EQ(frame()->modalView(), control(18));
    idle();
    writeReview("brisker_about.png");
    click({200, 60});  // anywhere on the about screen closes it
    EXPECT_EQ(frame()->modalView(), nullptr);
}

TEST_F(BriskerEditorTest, MetersRestInSilenceAndMoveWithALoudSignal) {
    startProcessing(effect, 44100.0f, 512);
    openEditor();
    render(effect, makeStereo(22050), 512);
    idle();
    for (int side : {0, 1}) {
        EXPECT_LT(meter(side)->needle(1), 1e-3f);
        EXPECT_LE(meter(side)->needle(2), 1e-8f);  // lamp off
        EXPECT_NEAR(meter(side)->needle(3), 0.1995f, 1e-3f);  // no gain reduction
    }
    const gui::Surface quiet = frame()->surface();

    // metering the input, which stays over the limiter's 0.841 for more than 15 ms
    effect->setParameter(effect, brisker::kPrePost, 0.0f);
    effect->setParameter(effect, brisker::kInput, 1.0f);
    render(effect, sine(22050, 1000.0, 44100.0, 1.0f), 512);
    idle();
    for (int side : {0, 1}) {
        EXPECT_GT(meter(side)->needle(1), 0.5f);
        EXPECT_EQ(meter(side)->needle(2), 1.0f);  // clip lamp on
        EXPECT_LT(meter(side)->needle(3), 0.19f);  // gain reduction shows
        EXPECT_GT(meter(side)->needle(4), 0.8f);
    }
    int changed = 0;
    for (int y = 18; y < 99; ++y)
        for (int x = 69; x < 201; ++x) changed += frame()->surface().pixel(x, y) != quiet.pixel(x, y);
    EXPECT_GT(changed, 100);
    writeReview("brisker_signal.png");

    // the menu open under the panel, as the pop-up shows it on the screen
    auto p = popup();
    p->pointer({gui::platform::PopupPointer::Type::move, centre(p->itemRect(0, 12)), 0});
    const GuiRect panel = p->panelRect(0);
    gui::Surface screen(std::max(435, panel.right + 1), panel.bottom + 1, 0x404040);
    screen.copyFrom(frame()->surface(), {0, 0, 435, 247}, {0, 0}, screen.bounds());
    screen.copyFrom(p->panelPixels(0), panel, {0, 0}, screen.bounds());
    writeReview(screen, "brisker_menu.png");
}

}  // namespace
