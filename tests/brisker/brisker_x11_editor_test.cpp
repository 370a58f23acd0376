// The compressor's panel as a Linux host shows it: the built module's editor in a
// parent window of the test's own under a private Xvfb, worked with the real pointer
// (XTest). Each step of the user's script runs at the host's next idle, so steps
// reach controls while they track the pointer.
#include <gtest/gtest.h>

#include <vector>

#include "brisker/brisker_params.h"
#include "gui/gui_option_menu.h"
#include "gui/gui_popup_menu.h"
#include "tests/support/x11_editor_test.h"

namespace {

using namespace testing_support;
using gui::GuiPoint;
using gui::GuiRect;

class BriskerX11 : public X11EditorTest {
protected:
    BriskerX11() : X11EditorTest("brisker", 435, 247) {}
};

TEST_F(BriskerX11, EveryControlWorksFromTheMouse) {
    host.clear();
    click(at(brisker::kProcess));
    play();
    EXPECT_EQ(automated(brisker::kProcess), (std::vector<float>{0.0f}));

    for (int tag : {brisker::kDel, brisker::kScl, brisker::kRmsPeak, brisker::kPrePost}) click(at(tag));
    click(at(19));  // the output stage: LIM to SAT
    for (int tag : {brisker::kScFreq, brisker::kScQ, brisker::kAttack, brisker::kHold, brisker::kRelease,
                    brisker::kMakeUp, brisker::kOutput, brisker::kInput}) {
        const GuiPoint c = at(tag);
        drag(c, {c.h + 20, c.v - 20});  // linear: +0.2
    }
    const GuiRect compress = control(brisker::kCompress)->getBounds();
    drag({centre(compress).h, compress.top + 60}, {centre(compress).h, compress.top + 20});
    click(at(brisker::kSlope));
    click(at(brisker::kMix));
    play();
    for (int tag : {brisker::kDel, brisker::kScl, brisker::kRmsPeak, brisker::kPrePost})
        EXPECT_EQ(automated(tag).size(), 1u) << "tag " << tag;
    EXPECT_EQ(automated(brisker::kLimSat), (std::vector<float>{0.5f, 1.0f}));
    for (int tag : {brisker::kScFreq, brisker::kScQ, brisker::kAttack, brisker::kHold, brisker::kRelease,
                    brisker::kMakeUp, brisker::kOutput, brisker::kInput, brisker::kCompress, brisker::kSlope,
                    brisker::kMix}) {
        EXPECT_EQ(count(audioMasterBeginEdit, tag), 1) << "tag " << tag;
        EXPECT_EQ(count(audioMasterEndEdit, tag), 1) << "tag " << tag;
        EXPECT_FALSE(automated(tag).empty()) << "tag " << tag;
    }
    EXPECT_NEAR(effect->getParameter(effect, brisker::kScFreq), 0.7f, 1e-5f);
    EXPECT_NEAR(effect->getParameter(effect, brisker::kSlope), 0.5f, 0.05f);

    // the program row: step on, store A, recall A, and the about screen
    host.clear();
    click({control(21)->getBounds().right - 3, at(21).v});
    play();
    EXPECT_EQ(editor()->programMenu()->currentIndex(), 1);
    EXPECT_EQ(host.callsWith(audioMasterBeginEdit).size(), 17u);
    click(at(23));
    click(at(26));
    play();
    char text[gui::kDisplayTextSize];
    editor()->programMenu()->getItemText(1, text);
    EXPECT_STREQ(text, "Memo A");  // stored while entry 1 was shown: the memory keeps its name
    EXPECT_EQ(editor()->programMenu()->currentIndex(), 2);
    click(at(18));
    play();
    EXPECT_NE(frame()->modalView(), nullptr);
    click({200, 60});
    play();
    EXPECT_EQ(frame()->modalView(), nullptr);

    // a pick from the real pop-up
    const GuiRect menu = control(22)->getBounds();
    auto layout = editor()->programMenu()->makePopup({0, 0}, false);
    layout->setScreenArea({-100000, -100000, 100000, 100000});
    const GuiPoint entry = centre(layout->itemRect(0, 14));  // "acc guitar2"
    std::vector<WindowId> panels;
    click(centre(menu));
    steps.push_back([&] {
        panels = popupWindows();
        if (!panels.empty()) pointTo(panels[0], entry);
    });
    button(true);
    button(false);
    play();
    ASSERT_EQ(panels.size(), 1u);
    EXPECT_TRUE(popupWindows().empty());
    EXPECT_EQ(editor()->programMenu()->currentIndex(), 14);
    editor()->programMenu()->getItemText(0, text);
    EXPECT_STREQ(text, "* acc guitar2");
}

// The host closes the editor from inside its idle while a knob is being dragged, and
// again while the program menu is open: the drag and the menu end, the frame goes
// afterwards, and the editor opens again.
TEST_F(BriskerX11, HostClosesTheEditorInsideItsIdleDuringADragAndAnOpenMenu) {
    host.clear();
    const GuiPoint knob = at(brisker::kHold);
    move(knob);
    button(true);
    move({knob.h + 30, knob.v});
    steps.push_back([this] { dispatch(effect, effEditClose); });
    play();
    EXPECT_EQ(frame(), nullptr);
    EXPECT_EQ(count(audioMasterBeginEdit, brisker::kHold), 1);
    EXPECT_EQ(count(audioMasterEndEdit, brisker::kHold), 1);
    EXPECT_NEAR(effect->getParameter(effect, brisker::kHold), 0.15f, 1e-5f);
    button(false);
    play();

    open();
    click(at(22));
    std::vector<WindowId> panels;
    steps.push_back([&] { panels = popupWindows(); });
    steps.push_back([this] { dispatch(effect, effEditClose); });
    play();
    EXPECT_EQ(panels.size(), 1u);
    EXPECT_TRUE(popupWindows().empty());
    EXPECT_EQ(frame(), nullptr);
    open();
    EXPECT_EQ(frame()->childCount(), 48);
}

}  // namespace
