// PanelEditor: the form every product editor fills in. The product's editor derives
// from it, names its panel picture and writes its layout as tables of rows
// (panel_layout.h); PanelEditor does the rest the same way for all four:
//
//   class BriskerEditor : public gui::PanelEditor {
//   public:
//       explicit BriskerEditor(BriskerEffect* effect)
//           : PanelEditor(effect, brisker::kPictures, 12128), effect_(effect) {}
//   private:
//       void buildPanel(gui::GuiFrame& frame) override {   // in the layout's order
//           addProgramRow(kProgramRow);
//           ...                                             // the product's meters
//           for (const gui::SwitchRow& row : kButtons) addSwitch(row);
//           for (const gui::KnobRow& row : kKnobs) addKnob(row);
//           for (const gui::SliderRow& row : kSliders) addSlider(row);
//           addAbout(kAbout);
//       }
//       void feedMeters() override;  // effect_->meters().read(...) into the meters
//   };
//
// - Open builds the frame on the panel picture, sets linear knob dragging, calls
//   buildPanel and sets every control and display from the effect.
// - Each add... call creates the control with the family's look and binds its tag
//   to its parameter: the control is fed the normalized value (or what its row
//   says), its value display what its row says.
// - A control change sends an automated edit of the bound parameter; the program
//   row's tags run the program commands; any other tag goes to otherControl.
// - A parameter change (from the host, any thread) only asks for a refresh; the next
//   idle re-reads every bound parameter through the same table.
// - Each idle calls feedMeters before the toolkit redraws what changed.
// - A meter reset from the effect (its suspend, on whatever thread the host calls
//   it) puts the meters to rest through restMeters at the next idle.
#pragma once

#include <array>
#include <atomic>

#include "gui/editor_base.h"
#include "gui/gui_listener.h"
#include "gui/panel_layout.h"
#include "gui/picture_table.h"
#include "gui/program_row.h"

namespace gui {

class GuiAboutSplash;
class GuiBitmap;
class GuiControl;
class GuiDisplay;
class GuiKnob;
class GuiLamp;
class GuiSlider;

class PanelEditor : public EditorBase, public GuiListener {
public:
    static constexpr int kMaxTags = 64;  // tags and parameter indices a panel binds

    // Installs the product's pictures; the editor's size is the panel picture's.
    PanelEditor(frame::EffectBase* effect, const PictureTable& pictures, int panelPicture);

    VstIntPtr openView(void* parent) override;
    void closeView() override;
    VstIntPtr onHostIdle() override;
    // Every bound control and display, and the program menu's texts, from the effect.
    void refreshFromEffect() override;
    void controlChanged(GuiCanvas* canvas, GuiControl* control) override;
    // Any thread: the meters go to rest at the next idle, on the editor's thread.
    void resetMeters() override { metersReset_.store(true, std::memory_order_relaxed); }

    // What the panel shows, for tests and tools: the control with a tag (bound, program
    // row or about screen), the value display of a parameter; null when none or closed.
    GuiControl* controlOf(int tag) const noexcept { return inRange(tag) ? binding_[tag].control : nullptr; }
    GuiDisplay* valueDisplayOf(VstInt32 param) const noexcept {
        const int tag = inRange(param) ? tagOf_[param] : -1;
        return tag >= 0 ? binding_[tag].display : nullptr;
    }
    GuiOptionMenu* programMenu() const noexcept { return programRow_.menu(); }
    GuiAboutSplash* about() const noexcept { return about_; }

protected:
    // The product's layout, in creation order; the panel picture is panel().
    virtual void buildPanel(GuiFrame& frame) = 0;
    // Feeds the meters from the effect's meter rings; called before each idle's redraw.
    virtual void feedMeters() {}
    // Needles and lamps to 0; called at the idle after a meter reset, before feedMeters
    // reads the rings the reset cleared.
    virtual void restMeters() {}
    // A control whose tag is neither bound nor the program row's.
    virtual void otherControl(GuiControl* control) { (void)control; }

    // Builders: each appends to the frame in call order and returns the control.
    void addProgramRow(const ProgramRowLayout& layout);
    GuiKnob* addKnob(const KnobRow& row);
    GuiSlider* addSlider(const SliderRow& row);
    GuiControl* addSwitch(const SwitchRow& row);
    GuiControl* addCycle(const CycleRow& row);
    // The caption first, so that the lamp is drawn whole where the two meet.
    GuiLamp* addLamp(const LampRow& row);
    GuiDisplay* addName(const NameText& text);
    GuiDisplay* addValue(const ValueText& text);
    GuiAboutSplash* addAbout(const AboutRow& row);
    // The control of a tag edits param (value times sendScale) and shows `feed` of it;
    // display (may be null) shows `displayFeed`.
    void bind(GuiControl* control, VstInt32 param, Feed feed, GuiDisplay* display = nullptr,
              Feed displayFeed = kNormalized, float sendScale = 1.0f);

    // The panel picture while the panel is being built (null otherwise).
    GuiBitmap* panel() const noexcept { return panel_; }
    // The product's control-name converter for addName.
    void setNameConverter(frame::ValueToText converter) noexcept { nameConverter_ = converter; }

private:
    struct Binding {
        GuiControl* control = nullptr;
        VstInt32 param = -1;
        Feed feed = kNormalized;
        GuiDisplay* display = nullptr;
        Feed displayFeed = kNormalized;
        float sendScale = 1.0f;
    };

    static constexpr bool inRange(int i) noexcept { return i >= 0 && i < kMaxTags; }
    float fed(VstInt32 param, Feed feed) const;
    void updateParameter(VstInt32 param);
    void forgetPanel() noexcept;
    void remember(GuiControl* control);
    GuiDisplay* makeDisplay(const GuiRect& rect, int alignment, int style);

    const PictureTable* pictures_;
    int panelPicture_;
    GuiBitmap* panel_ = nullptr;
    frame::ValueToText nameConverter_ = frame::controlNameText;
    std::array<Binding, kMaxTags> binding_{};  // by tag
    std::array<int, kMaxTags> tagOf_{};        // by parameter index, −1 when unbound
    ProgramRow programRow_;
    GuiAboutSplash* about_ = nullptr;
    std::atomic<bool> metersReset_{false};
};

}  // namespace gui
