#include "gui/panel_editor.h"

#include "gui/gui_about_splash.h"
#include "gui/gui_bitmap.h"
#include "gui/gui_cycle_button.h"
#include "gui/gui_display.h"
#include "gui/gui_frame.h"
#include "gui/gui_knob.h"
#include "gui/gui_lamp.h"
#include "gui/gui_on_off_button.h"
#include "gui/gui_slider.h"

namespace gui {
namespace {

// A picture for one control; the control keeps its own reference.
class Picture {
public:
    explicit Picture(int id) : bitmap_(new GuiBitmap(id)) {}
    ~Picture() { bitmap_->release(); }
    Picture(const Picture&) = delete;
    Picture& operator=(const Picture&) = delete;
    operator GuiBitmap*() const { return bitmap_; }
    GuiBitmap* operator->() const { return bitmap_; }

private:
    GuiBitmap* bitmap_;
};

}  // namespace

PanelEditor::PanelEditor(frame::EffectBase* effect, const PictureTable& pictures, int panelPicture)
    : EditorBase(effect), pictures_(&pictures), panelPicture_(panelPicture) {
    tagOf_.fill(-1);
    PictureTable::install(pictures_);
    const Picture panel(panelPicture_);
    rect_ = {0, 0, static_cast<VstInt16>(panel->height()), static_cast<VstInt16>(panel->width())};
}

VstIntPtr PanelEditor::openView(void* parent) {
    EditorBase::openView(parent);
    forgetPanel();
    PictureTable::install(pictures_);
    const Picture panel(panelPicture_);
    auto* frame = new GuiFrame({0, 0, panel->width(), panel->height()}, parent, this);
    frame->setPicture(panel);
    setFrame(frame);
    setDragMode(kLinearKnobs);
    panel_ = panel;
    buildPanel(*frame);
    panel_ = nullptr;
    refreshFromEffect();
    return frame->windowStatus() == platform::Status::ok ? 1 : 0;
}

void PanelEditor::closeView() {
    forgetPanel();
    EditorBase::closeView();
}

// The controls go with the frame; what their tags edit stays, for a drag that ends
// after the host closed the editor from inside it.
void PanelEditor::forgetPanel() noexcept {
    for (Binding& b : binding_) {
        b.control = nullptr;
        b.display = nullptr;
    }
    programRow_.forget();
    about_ = nullptr;
}

VstIntPtr PanelEditor::onHostIdle() {
    if (frame()) {
        if (metersReset_.exchange(false, std::memory_order_relaxed)) restMeters();
        feedMeters();
    }
    return EditorBase::onHostIdle();
}

// ---- values in -------------------------------------------------------------

float PanelEditor::fed(VstInt32 param, Feed feed) const {
    const double v = feed.source == Feed::normalized ? effect()->parameterValue(param) : effect()->physicalValue(param);
    return static_cast<float>(v * feed.scale);
}

void PanelEditor::updateParameter(VstInt32 param) {
    const int tag = inRange(param) ? tagOf_[param] : -1;
    if (tag < 0) return;
    const Binding& b = binding_[tag];
    if (b.control) b.control->setValue(fed(param, b.feed));
    if (b.display) b.display->setValue(fed(param, b.displayFeed));
}

void PanelEditor::refreshFromEffect() {
    if (!frame() || !effect()) return;
    for (VstInt32 param = 0; param < kMaxTags; ++param) updateParameter(param);
    programRow_.refresh();
}

// ---- values out ------------------------------------------------------------

void PanelEditor::controlChanged(GuiCanvas*, GuiControl* control) {
    if (!control || !effect()) return;
    const int tag = control->tag();
    if (programRow_.handles(tag)) {
        programRow_.run(control);
    } else if (inRange(tag) && binding_[tag].param >= 0) {
        const Binding& b = binding_[tag];
        effect()->automate(b.param, control->getValue() * b.sendScale);
    } else {
        otherControl(control);
    }
}

// ---- builders --------------------------------------------------------------

void PanelEditor::bind(GuiControl* control, VstInt32 param, Feed feed, GuiDisplay* display, Feed displayFeed,
                       float sendScale) {
    const int tag = control->tag();
    if (!inRange(tag) || !inRange(param)) return;
    binding_[tag] = {control, param, feed, display, displayFeed, sendScale};
    tagOf_[param] = tag;
}

void PanelEditor::addProgramRow(const ProgramRowLayout& layout) {
    const int first = frame()->childCount();
    programRow_.build(*frame(), this, *effect(), panel_, layout);
    for (int i = first; i < frame()->childCount(); ++i) remember(static_cast<GuiControl*>(frame()->childAt(i)));
}

void PanelEditor::remember(GuiControl* control) {
    if (inRange(control->tag())) binding_[control->tag()].control = control;
}

GuiDisplay* PanelEditor::makeDisplay(const GuiRect& rect, int alignment, int style) {
    // drawn on the panel picture, so that a new text never shows over the old one
    auto* display = new GuiDisplay(rect, panel_, style);
    display->alignPictureOffset();
    display->setFontIndex(kPanelFont);
    display->setTextColour(kDisplayTextColour);
    display->setAlignment(alignment);
    frame()->appendChild(display);
    return display;
}

GuiDisplay* PanelEditor::addName(const NameText& text) {
    GuiDisplay* display = makeDisplay(text.rect, kAlignCentre, text.style);
    display->setConverter(nameConverter_);
    display->setValue(text.word);
    return display;
}

GuiDisplay* PanelEditor::addValue(const ValueText& text) {
    GuiDisplay* display = makeDisplay(text.rect, text.alignment, text.style);
    display->setConverter(text.converter);
    return display;
}

GuiKnob* PanelEditor::addKnob(const KnobRow& row) {
    const GuiRect rect{row.knob.h, row.knob.v, row.knob.h + kKnobSize, row.knob.v + kKnobSize};
    auto* knob = new GuiKnob(rect, this, row.tag, panel_, nullptr, row.knob);
    knob->setPointerColour(kKnobHandleColour);
    knob->setPointerShadowColour(kKnobShadowColour);
    knob->setPointerInset(kKnobHandleInset);
    knob->setResetValue(row.reset);
    frame()->appendChild(knob);
    const auto below = [](GuiPoint p) { return GuiRect{p.h, p.v, p.h + kDisplayWidth, p.v + kDisplayHeight}; };
    addName({below(row.name), row.word, row.nameStyle});
    GuiDisplay* value = addValue({below(row.value), row.converter, row.feed, kAlignCentre, row.valueStyle});
    bind(knob, row.tag, kNormalized, value, row.feed);
    return knob;
}

GuiSlider* PanelEditor::addSlider(const SliderRow& row) {
    if (row.nameFirst) addName(row.name);
    const Picture handle(row.handlePicture);
    GuiBitmap* background = panel_;
    GuiPoint offset{row.rect.left, row.rect.top};
    if (row.backgroundPicture) {
        background = new GuiBitmap(row.backgroundPicture);
        offset = {0, 0};
    }
    GuiSlider* slider =
        row.vertical ? static_cast<GuiSlider*>(new GuiVerticalSlider(row.rect, this, row.tag, row.first, row.last,
                                                                     handle, background, offset, row.style))
                     : new GuiHorizontalSlider(row.rect, this, row.tag, row.first, row.last, handle, background, offset,
                                               row.style);
    if (background != panel_) background->release();
    slider->setResetValue(row.reset);
    frame()->appendChild(slider);
    if (!row.nameFirst) addName(row.name);
    GuiDisplay* value = addValue(row.value);
    bind(slider, row.tag, kNormalized, value, row.value.feed);
    return slider;
}

GuiControl* PanelEditor::addSwitch(const SwitchRow& row) {
    const Picture picture(row.picture);
    const GuiRect rect{row.at.h, row.at.v, row.at.h + picture->width(), row.at.v + picture->height() / 2};
    auto* button = new GuiOnOffButton(rect, this, row.tag, picture);
    frame()->appendChild(button);
    bind(button, row.tag, kNormalized);
    return button;
}

GuiControl* PanelEditor::addCycle(const CycleRow& row) {
    const Picture picture(row.picture);
    auto* button = new GuiCycleButton(row.rect, this, row.tag, picture, row.states);
    frame()->appendChild(button);
    bind(button, row.param, row.feed, nullptr, kNormalized, row.sendScale);
    return button;
}

GuiLamp* PanelEditor::addLamp(const LampRow& row) {
    addName(row.caption);
    const Picture picture(row.picture);
    auto* lamp = new GuiLamp({row.at.h, row.at.v, row.at.h + picture->width(), row.at.v + picture->height() / 2},
                             picture);
    frame()->appendChild(lamp);
    return lamp;
}

GuiAboutSplash* PanelEditor::addAbout(const AboutRow& row) {
    const Picture picture(row.picture);
    about_ = new GuiAboutSplash(row.rect, this, row.tag, picture, row.display, {0, 0}, row.textOffset);
    about_->setProduct(row.title, row.textColour, row.creditColour);
    about_->setMakerLine(row.description);
    frame()->appendChild(about_);
    remember(about_);
    return about_;
}

}  // namespace gui
