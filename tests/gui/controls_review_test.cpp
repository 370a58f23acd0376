// One of each control on a test panel, with an option menu's pop-up and a sub-menu
// open beside it, and the about screen open in a second picture: PNGs for people
// to look at.
#include <cstdio>
#include <filesystem>

#include "gui/gui_about_splash.h"
#include "gui/gui_cycle_button.h"
#include "gui/gui_display.h"
#include "gui/gui_kick_button.h"
#include "gui/gui_knob.h"
#include "gui/gui_lamp.h"
#include "gui/gui_needle_meter.h"
#include "gui/gui_on_off_button.h"
#include "gui/gui_option_menu.h"
#include "gui/gui_popup_menu.h"
#include "gui/gui_rocker_switch.h"
#include "gui/gui_slider.h"
#include "gui/gui_splash.h"
#include "gui/gui_swing_meter.h"
#include "gui/gui_text_edit.h"
#include "gui/gui_twin_needle_meter.h"
#include "gui/surface_png.h"
#include "support/control_fixture.h"

namespace {

using gui::GuiRect;
using gui_test::Picture;

void gainText(float value, char* text) { std::snprintf(text, 16, "%+.1f dB", static_cast<double>(value) * 24.0 - 12.0); }

std::string writeReview(const gui::Surface& s, const char* name) {
    const std::filesystem::path dir = TARN_REVIEW_DIR;
    std::filesystem::create_directories(dir);
    const std::string path = (dir / name).string();
    std::string error;
    EXPECT_TRUE(gui::writePng(s, path, &error)) << error;
    return path;
}

struct ControlsReview : gui_test::ControlTest {
    Picture panel{9002}, knobFace{9010}, twoState{9011}, threeState{9012}, track{9013}, handle{9014}, meter{9016},
        splash{9017}, keyed{9001};
    gui::GuiFrame* big = new gui::GuiFrame({0, 0, 560, 320}, nullptr, editor);
    ControlsReview() {
        editor->adopt(big);
        frame = big;
        frame->setInput(&input);
        frame->setPicture(panel);
    }
    void addControls() {
        auto* knob = add(new gui::GuiKnob({20, 20, 68, 68}, &listener, 0, knobFace, nullptr, {0, 0}));
        knob->setValue(0.7f);
        auto* handled = add(new gui::GuiKnob({80, 20, 128, 68}, &listener, 1, knobFace, keyed, {0, 0}));
        handled->setValue(0.25f);
        add(new gui::GuiOnOffButton({140, 20, 170, 40}, &listener, 2, twoState))->setValue(1.0f);
        add(new gui::GuiKickButton({140, 48, 170, 68}, &listener, 3, 20, twoState, {0, 0}));
        add(new gui::GuiRockerSwitch({180, 20, 210, 40}, &listener, 4, 20, threeState, {0, 0}, 0))->setValue(-1.0f);
        add(new gui::GuiCycleButton({180, 48, 210, 68}, &listener, 5, threeState, 3))->setValue(2.0f);
        add(new gui::GuiLamp({220, 20, 220, 20}, twoState))->setValue(1.0f);
        add(new gui::GuiLamp({220, 48, 220, 48}, twoState));
        add(new gui::GuiVerticalSlider({350, 20, 374, 140}, &listener, 6, 20, 130, handle, track, {0, 0}))
            ->setValue(0.3f);
        auto* across = add(new gui::GuiHorizontalSlider({20, 270, 160, 280}, &listener, 7, 20, 140, handle, nullptr,
                                                        {0, 0}));
        across->setValue(0.6f);
        auto* value = add(new gui::GuiDisplay({20, 90, 110, 110}, nullptr, gui::kDisplaySunken | gui::kDisplayShadowText));
        value->setConverter(gainText);
        value->setFillColour({30, 30, 40, 0});
        value->setBorderColour({200, 200, 210, 0});
        value->setTextShadowColour({0, 0, 0, 0});
        value->setValue(0.7f);
        auto* menu = add(new gui::GuiOptionMenu({20, 120, 130, 140}, &listener, 8, nullptr, nullptr, 0));
        menu->setNumbering(3);
        for (const char* e : {"Gentle", "Vocal", "Drum bus", "Master"}) menu->insertItem(e, menu->itemCount());
        menu->setValue(1.0f);
        add(new gui::GuiTextEdit({20, 150, 130, 170}, &listener, 9, "Preset name", nullptr, gui::kDisplayRaised));
        auto* needles = add(new gui::GuiNeedleMeter({150, 90, 150, 90}, meter, {275, 95}, twoState, 210, 150, 8.0f,
                                                    55.0f));
        needles->setNeedle1(0.5f);
        needles->setNeedle2(0.8f);
        needles->setNeedle3(0.1f);
        needles->setNeedle4(0.9f);
        auto* twin = add(new gui::GuiTwinNeedleMeter({150, 170, 150, 170}, meter, {275, 175}, twoState, 210, 230, 8.0f,
                                                     55.0f));
        twin->setNeedleA(0.2f);
        twin->setNeedleB(1.0f);
        auto* swing = add(new gui::GuiSwingMeter({280, 250, 345, 300}, panel, 312, 295, 5.0f, 40.0f));
        swing->setValue(0.1f);
        add(new gui::GuiSplash({230, 100, 250, 120}, &listener, 10, splash, {60, 40, 300, 180}, {0, 0}));
        about = add(new gui::GuiAboutSplash({230, 130, 250, 150}, nullptr, 0, splash, {160, 90, 400, 230}, {0, 0},
                                           {0, 16}));
        about->setProduct("Tarn Brisker ", {45, 45, 120, 0}, {60, 60, 60, 0});
    }
    // A menu with a sub-menu, opened at the right of the panel with the sub-menu shown.
    void drawOpenPopup() {
        auto* menu = new gui::GuiOptionMenu({420, 20, 540, 40}, nullptr, 0, nullptr, nullptr, gui::kMenuCheckCurrent);
        auto* sub = new gui::GuiOptionMenu({}, nullptr, 0, nullptr, nullptr, 0);
        for (const char* e : {"Vocal", "Drums", "Bass"}) sub->insertItem(e);
        for (const char* e : {"-TPrograms", "Gentle", "-", "-GLocked"}) menu->insertItem(e);
        menu->insertItem(sub, "More");
        menu->insertItem("Master");
        sub->release();
        menu->setValue(1.0f);
        auto popup = menu->makePopup({405, 40}, false);
        popup->setScreenArea({0, 0, 560, 320});
        const GuiRect more = popup->itemRect(0, 4);
        popup->pointer({gui::platform::PopupPointer::Type::move, {more.left + 10, more.top + 5}, 0});
        EXPECT_EQ(popup->panelCount(), 2);
        for (int i = 0; i < popup->panelCount(); ++i)
            frame->surface().copyFrom(popup->panelPixels(i), popup->panelRect(i), {0, 0}, frame->surface().bounds());
        menu->release();
    }
    gui::GuiAboutSplash* about = nullptr;
};

TEST_F(ControlsReview, OneOfEachControlIsWrittenAsPng) {
    addControls();
    frame->paint(nullptr);
    drawOpenPopup();
    EXPECT_EQ(pixel(141, 21), 0x20C040u);  // the on/off button on
    EXPECT_EQ(pixel(221, 21), 0x20C040u);  // the lit lamp
    EXPECT_EQ(pixel(225, 53), 0x402020u);  // the unlit one
    EXPECT_EQ(pixel(185, 25), 0xC03030u);  // the rocker at −1
    EXPECT_EQ(pixel(185, 53), 0x3050C0u);  // the cycle button's third state
    const std::string path = writeReview(frame->surface(), "controls.png");
    EXPECT_GT(std::filesystem::file_size(path), 10000u);

    input.press({240, 140}).release();  // open the about screen
    click();
    EXPECT_EQ(frame->modalView(), about);
    frame->repaintDirty();
    writeReview(frame->surface(), "controls_about.png");
    EXPECT_EQ(pixel(170, 100), splash->pixels().pixel(10, 10));
}

}  // namespace
