// The treble enhancer's panel in the built module, opened headless: controls where
// the layout puts them and in agreement with the host, the buttons' edits, the
// program row's wrap, the lamps fed from the indicator rings, and review pictures.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "glister/glister_params.h"
#include "gui/gui_about_splash.h"
#include "gui/gui_display.h"
#include "gui/gui_option_menu.h"
#include "gui/gui_popup_menu.h"
#include "gui/surface_png.h"
#include "tests/support/loaded_editor_test.h"
#include "tests/support/render.h"

namespace {

using namespace testing_support;
using namespace glister;
using gui::GuiPoint;
using gui::GuiRect;

constexpr int kMenuTag = 27, kStepTag = 26, kAboutTag = 24;
constexpr int kChildren = 68;  // program row 6, 16 controls x 3, lamps 2 x 2, buttons 6, mix 3, about

class GlisterEditorTest : public LoadedEditorTest {
protected:
    GlisterEditorTest() : LoadedEditorTest("glister") {}

    std::string text(VstInt32 param) const {
        char t[gui::kDisplayTextSize];
        editor()->valueDisplayOf(param)->valueText(t);
        return t;
    }
    // The view at a rect (captions and lamps are bound to no tag).
    gui::GuiControl* at(const GuiRect& rect) const {
        for (int i = 0; i < frame()->childCount(); ++i)
            if (frame()->childAt(i)->getBounds() == rect) return static_cast<gui::GuiControl*>(frame()->childAt(i));
        return nullptr;
    }
    std::string caption(const GuiRect& rect) const {
        char t[gui::kDisplayTextSize];
        static_cast<gui::GuiDisplay*>(at(rect))->valueText(t);
        return t;
    }
    // over enhanced (0), peak over (1)
    float lamp(int which) const {
        return at(which ? GuiRect{553, 118, 569, 134} : GuiRect{302, 118, 318, 134})->getValue();
    }
    std::unique_ptr<gui::GuiPopupMenu> popup() const {
        const GuiRect m = control(kMenuTag)->getBounds();
        auto p = editor()->programMenu()->makePopup({m.left, m.bottom}, false);
        p->setScreenArea({-100000, -100000, 100000, 100000});
        return p;
    }
    void pick(int index) {
        const GuiPoint at = centre(popup()->itemRect(0, index));
        script.clear();
        script.press(centre(control(kMenuTag)->getBounds())).release().moveTo(at).press(at).release();
        runScript();
    }
    static void writeReview(const gui::Surface& s, const char* name) {
        std::filesystem::create_directories(TARN_REVIEW_DIR);
        std::string error;
        EXPECT_TRUE(gui::writePng(s, std::string(TARN_REVIEW_DIR) + "/" + name, &error)) << error;
    }
    // One stereo signal, block by block; left[at] = spike when spike is set.
    void play(size_t frames, float amplitude, bool antiPhase, float spike = 0.0f, size_t at = 100) {
        Stereo in = sine(frames, 5000.0, 44100.0, amplitude);
        for (size_t i = 0; i < frames; ++i) in.right[i] = antiPhase ? -in.left[i] : in.left[i];
        if (spike != 0.0f) in.left[at] = in.right[at] = spike;
        render(effect, in, 512);
    }
};

TEST_F(GlisterEditorTest, OpensAfterAProgramChangeInAgreementWithTheHost) {
    EXPECT_TRUE(effect->flags & effFlagsHasEditor);
    ERect* rect = nullptr;
    ASSERT_EQ(dispatch(effect, effEditGetRect, 0, 0, &rect), 1);
    EXPECT_EQ(rect->right - rect->left, 622);
    EXPECT_EQ(rect->bottom - rect->top, 287);
    openEditor();
    writeReview(frame()->surface(), "glister_rest.png");
    pick(7);  // "acc guitar1"
    closeEditor();
    openEditor();
    ASSERT_EQ(frame()->childCount(), kChildren);
    for (VstInt32 param = 0; param < kHostParams; ++param) {
        ASSERT_NE(control(param), nullptr) << "parameter " << param;
        EXPECT_EQ(control(param)->getValue(), effect->getParameter(effect, param)) << "parameter " << param;
    }
    // the program's values through each display's feed and converter, worked out by hand
    const std::pair<VstInt32, const char*> shown[] = {
        {kHissThresh, "-38.5dB"}, {kHissAttenuation, "-6.0dB"}, {kHissSpeed, "50%"},      {kHissMinFreq, "1552Hz"},
        {kTransRatio, "1.41"},    {kTransSlope, "8.00dB/oct"}, {kTransHiDamp, "50%"},    {kTransAdjust, "12.3dB"},
        {kEnhSlope, "1.99dB/oct"}, {kEnhEnhance, "25%"},       {kHarmFreq, "6169Hz"},    {kHarmQ, "1.42"},
        {kHarmDrive, "100%"},     {kHarmFirstOut, "100%"},     {kHarmAdjust, "0.0dB"},   {kOutput, "0.2dB"},
        {kMix, "100%"},
    };
    for (const auto& [param, expected] : shown) EXPECT_EQ(text(param), expected) << "parameter " << param;
    for (VstInt32 param : {kProcess, kSaturation, kHarmProcess, kEnhProcess, kTransProcess, kHissProcess})
        EXPECT_EQ(editor()->valueDisplayOf(param), nullptr);
    EXPECT_EQ(caption({275, 104, 345, 120}), "over enhanced");  // the panel's own caption words

    effect->setParameter(effect, kTransSlope, 0.75f);
    effect->setParameter(effect, kHarmDrive, 0.3f);
    effect->setParameter(effect, kEnhSlope, 1.0f);
    idle();
    EXPECT_EQ(control(kTransSlope)->getValue(), 0.75f);
    EXPECT_EQ(text(kTransSlope), "9.00dB/oct");
    EXPECT_EQ(text(kHarmDrive), "30%");
    EXPECT_EQ(text(kEnhSlope), "6.00dB/oct");
}

TEST_F(GlisterEditorTest, ButtonsEditTheirSwitchesAndTheStepWrapsWithinTheBank) {
    openEditor();
    // "Current" has the four sections and Saturation off, Process on
    const std::pair<VstInt32, float> sent[] = {{kSaturation, 1.0f},  {kProcess, 0.0f},      {kHarmProcess, 1.0f},
                                               {kEnhProcess, 1.0f}, {kTransProcess, 1.0f}, {kHissProcess, 1.0f}};
    for (const auto& [param, value] : sent) {
        host.clear();
        click(centre(control(param)->getBounds()));
        const auto automated = host.callsWith(audioMasterAutomate);
        ASSERT_EQ(automated.size(), 1u) << "parameter " << param;
        EXPECT_EQ(automated[0].index, param);
        EXPECT_EQ(automated[0].opt, value);
        EXPECT_EQ(effect->getParameter(effect, param), value);
    }
    const GuiRect rocker = control(kStepTag)->getBounds();
    click({rocker.left + 2, centre(rocker).v});
    EXPECT_EQ(editor()->programMenu()->currentIndex(), 40);
    char entry0[gui::kDisplayTextSize];
    editor()->programMenu()->getItemText(0, entry0);
    EXPECT_STREQ(entry0, "* harmonics4");

    click(centre(control(kAboutTag)->getBounds()));
    ASSERT_EQ(frame()->modalView(), control(kAboutTag));
    EXPECT_EQ(editor()->about()->title(), "Tarn Glister ");
    idle();
    writeReview(frame()->surface(), "glister_about.png");
    click({300, 150});
    EXPECT_EQ(frame()->modalView(), nullptr);
}

TEST_F(GlisterEditorTest, LampsShowEveryLitBlockOnceAndGoDarkWithProcessOffAndSuspend) {
    startProcessing(effect, 44100.0f, 512);
    openEditor();
    effect->setParameter(effect, kEnhProcess, 1.0f);
    play(512 * 4, 0.5f, true);  // side above mid on every sample
    idle();
    EXPECT_EQ(lamp(0), 1.0f);
    EXPECT_EQ(lamp(1), 0.0f);
    // silence with one sample over full scale: the last over-enhanced blocks and the
    // one clipped block are carried on until the idle has shown them
    play(512 * 8, 0.0f, false, 1.5f, 600);
    idle();
    EXPECT_EQ(lamp(0), 1.0f);
    EXPECT_EQ(lamp(1), 1.0f);
    writeReview(frame()->surface(), "glister_signal.png");
    play(512, 0.0f, false);
    idle();
    EXPECT_EQ(lamp(0), 0.0f);
    EXPECT_EQ(lamp(1), 0.0f);

    play(512 * 4, 1.2f, true);  // over-enhanced and over full scale
    idle();
    ASSERT_EQ(lamp(0) + lamp(1), 2.0f);
    click(centre(control(kProcess)->getBounds()));  // off: bypassed blocks light nothing
    play(512 * 3, 1.2f, true);
    idle();
    EXPECT_EQ(lamp(0) + lamp(1), 0.0f);

    effect->setParameter(effect, kProcess, 1.0f);
    play(512 * 4, 1.2f, true);
    idle();
    ASSERT_EQ(lamp(0) + lamp(1), 2.0f);
    dispatch(effect, effMainsChanged, 0, 0);
    idle();
    EXPECT_EQ(lamp(0) + lamp(1), 0.0f);

    // the menu open over the panel, as the pop-up shows it on the screen
    auto p = popup();
    p->pointer({gui::platform::PopupPointer::Type::move, centre(p->itemRect(0, 7)), 0});
    const GuiRect panel = p->panelRect(0);
    gui::Surface screen(std::max(622, panel.right + 1), std::max(287, panel.bottom + 1), 0x404040);
    screen.copyFrom(frame()->surface(), {0, 0, 622, 287}, {0, 0}, screen.bounds());
    screen.copyFrom(p->panelPixels(0), panel, {0, 0}, screen.bounds());
    writeReview(screen, "glister_menu.png");
}

}  // namespace
