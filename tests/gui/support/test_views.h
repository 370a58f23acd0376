// Views for frame and editor tests: they record what reached them and count how
// many of them are alive.
#pragma once

#include <functional>
#include <vector>

#include "gui/gui_canvas.h"
#include "gui/gui_frame.h"
#include "gui/gui_view.h"

namespace gui_test {

inline int& liveViews() {
    static int count = 0;
    return count;
}

// Fills its rect with a colour when painted; records presses with the live pointer.
class RecordingView : public gui::GuiView {
public:
    RecordingView(const gui::GuiRect& size, gui::GuiColour colour = gui::kRed) : GuiView(size), colour_(colour) {
        ++liveViews();
    }
    ~RecordingView() override { --liveViews(); }

    void paint(gui::GuiCanvas* canvas) override {
        ++paints;
        canvas->setFillColour(colour_);
        canvas->fillRect({size_.left - 1, size_.top - 1, size_.right, size_.bottom});  // the whole rect
        setNeedsPaint(false);
    }
    void mousePressed(gui::GuiCanvas* canvas, gui::GuiPoint where) override {
        presses.push_back(where);
        buttonsSeen.push_back(canvas->buttonState());
        cursorsSeen.push_back(canvas->cursorInView());
        if (onPress) onPress(canvas);
    }
    int keyPressed(const VstKeyCode& key) override {
        if (keyAnswer < 0) return -1;
        keys.push_back(key.character);
        return keyAnswer;
    }
    void dropFocus() override { ++focusDrops; }

    gui::GuiColour colour_;
    int paints = 0;
    int focusDrops = 0;
    int keyAnswer = -1;
    std::vector<gui::GuiPoint> presses;
    std::vector<int> buttonsSeen;
    std::vector<gui::GuiPoint> cursorsSeen;
    std::vector<int> keys;
    std::function<void(gui::GuiCanvas*)> onPress;
};

// Tracks the pointer as the controls do: loops while the left button is held,
// reading the live pointer and calling the frame's pumpIdle each pass.
class TrackingView : public RecordingView {
public:
    using RecordingView::RecordingView;
    void mousePressed(gui::GuiCanvas* canvas, gui::GuiPoint where) override {
        RecordingView::mousePressed(canvas, where);
        for (int pass = 0; pass < maxPasses && (canvas->buttonState() & gui::kButtonLeft); ++pass) {
            const gui::GuiPoint p = canvas->cursorInView();
            if (track.empty() || !(track.back() == p)) track.push_back(p);
            if (onPass) onPass(pass);
            setNeedsPaint(true);
            if (ownerFrame()) ownerFrame()->pumpIdle();
        }
    }
    int maxPasses = 100000;
    std::vector<gui::GuiPoint> track;
    std::function<void(int)> onPass;
};

}  // namespace gui_test
