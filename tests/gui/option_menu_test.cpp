// The option menu: entries and their numbering, selection rules, and choices made
// through its drawn pop-up with the scripted pointer and through the headless window.
#include <cmath>
#include <cstring>

#include "gui/gui_option_menu.h"
#include "gui/gui_popup_menu.h"
#include "gui/platform/null_window.h"
#include "support/control_fixture.h"

namespace {

using gui::GuiOptionMenu;
using gui::GuiPoint;
using gui::GuiRect;

constexpr GuiRect kMenuRect{20, 20, 120, 40};
constexpr GuiRect kEverywhere{-10000, -10000, 10000, 10000};

GuiPoint centre(const GuiRect& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

struct OptionMenuTest : gui_test::ControlTest {
    GuiOptionMenu* menu(std::initializer_list<const char*> entries, int style = 0) {
        auto* m = add(new GuiOptionMenu(kMenuRect, &listener, 9, nullptr, nullptr, style));
        for (const char* e : entries) m->insertItem(e);
        settle();
        return m;
    }
    // Where an entry of the open pop-up is: the first level, or a sub-menu opened by
    // pointing at its entry first.
    static GuiRect entryRect(GuiOptionMenu* m, int item, int viaSubMenuEntry = -1) {
        auto popup = m->makePopup({kMenuRect.left, kMenuRect.bottom}, false);
        popup->setScreenArea(kEverywhere);
        if (viaSubMenuEntry < 0) return popup->itemRect(0, item);
        popup->pointer({gui::platform::PopupPointer::Type::move, centre(popup->itemRect(0, viaSubMenuEntry)), 0});
        return popup->itemRect(1, item);
    }
    std::string text(GuiOptionMenu* m, int index) {
        char buf[gui::kDisplayTextSize] = "?";
        m->getItemText(index, buf);
        return buf;
    }
};

TEST_F(OptionMenuTest, Prefix3StoresTwoDigitNumbersAndShowsOnlyTheText) {
    auto* numbered = add(new GuiOptionMenu(kMenuRect, nullptr, 1, nullptr, nullptr, 0));
    numbered->setNumbering(3);
    ASSERT_TRUE(numbered->insertItem("Rock", 0));
    numbered->insertItem("Jazz");
    EXPECT_EQ(text(numbered, 0), "01 Rock");
    EXPECT_EQ(text(numbered, 1), "02 Jazz");
    EXPECT_EQ(numbered->currentIndex(), 0);
    settle();
    const gui::Surface drawn = frame->surface();
    auto* plain = add(new GuiOptionMenu(kMenuRect, nullptr, 1, nullptr, nullptr, 0));
    plain->insertItem("Rock");
    settle();
    int ink = 0;
    for (int y = kMenuRect.top; y < kMenuRect.bottom; ++y)
        for (int x = kMenuRect.left; x < kMenuRect.right; ++x) {
            EXPECT_EQ(drawn.pixel(x, y), pixel(x, y)) << x << "," << y;
            ink += pixel(x, y) != 0;
        }
    EXPECT_GT(ink, 20);
    // the pop-up shows the numbers
    auto popup = numbered->makePopup({0, 0}, false);
    popup->setScreenArea(kEverywhere);
    EXPECT_GT(popup->itemRect(0, 0).width(), 0);
}

TEST_F(OptionMenuTest, APickThroughThePopupNotifiesWithTheChosenIndex) {
    GuiOptionMenu* m = menu({"Soft", "Medium", "Hard"});
    const GuiRect hard = entryRect(m, 2);
    EXPECT_EQ(hard.left, kMenuRect.left + 3);  // the pop-up opens below the menu
    EXPECT_GT(hard.top, kMenuRect.bottom);
    // the opening click's release is no choice; then point at "Hard" and click it
    input.press(centre(kMenuRect)).release().moveTo(centre(hard)).press(centre(hard)).release();
    click();
    ASSERT_EQ(listener.changes.size(), 1u);
    EXPECT_EQ(listener.changes[0].control, m);
    EXPECT_FLOAT_EQ(listener.changes[0].value, 2.0f);
    EXPECT_EQ(m->currentIndex(), 2);
    EXPECT_EQ(m->lastChosenMenu(), m);
    EXPECT_EQ(m->lastChosenId(), 2);
    EXPECT_EQ(frame->focusView(), nullptr);
    EXPECT_TRUE(m->needsPaint());
    // pressing on the menu and releasing over an entry picks it as well
    listener.changes.clear();
    const GuiRect soft = entryRect(m, 0);
    input.clear();
    input.press(centre(kMenuRect)).moveTo(centre(soft)).release();
    click();
    ASSERT_EQ(listener.changes.size(), 1u);
    EXPECT_FLOAT_EQ(m->getValue(), 0.0f);
}

TEST_F(OptionMenuTest, SubMenuChoiceGoesToTheSubMenuAndTheListenerHearsOfIt) {
    GuiOptionMenu* m = menu({"Factory"});
    auto* sub = new GuiOptionMenu({}, nullptr, 0, nullptr, nullptr, 0);
    sub->insertItem("Vocal");
    sub->insertItem("Drums");
    ASSERT_TRUE(m->insertItem(sub, "More"));
    sub->release();  // the menu keeps it
    m->insertItem("Last");
    EXPECT_EQ(text(m, 1), "-MMore");
    const GuiRect more = entryRect(m, 1);
    const GuiRect drums = entryRect(m, 1, 1);
    EXPECT_GE(drums.left, more.right - 10);  // beside its entry
    input.press(centre(kMenuRect)).release().moveTo(centre(more)).hold(1).moveTo({drums.left + 5, centre(more).v});
    input.moveTo(centre(drums)).press(centre(drums)).release();
    click();
    ASSERT_EQ(listener.changes.size(), 1u);
    EXPECT_EQ(listener.changes[0].control, sub);
    EXPECT_FLOAT_EQ(sub->getValue(), 1.0f);
    EXPECT_EQ(m->lastChosenMenu(), sub);
    EXPECT_EQ(m->lastChosenId(), 4);  // the menu's three ids, then the sub-menu's
    EXPECT_EQ(m->currentIndex(), 0);
}

TEST_F(OptionMenuTest, SeparatorsGreyedAndTitleEntriesCannotBeChosenAndAClickOutsideDismisses) {
    GuiOptionMenu* m = menu({"-TModes", "One", "-", "-GTwo", "Three"});
    for (int item : {0, 2, 3}) {
        const GuiRect r = entryRect(m, item);
        input.clear();
        input.press(centre(kMenuRect)).release().moveTo(centre(r)).press(centre(r)).release();
        click();
        EXPECT_TRUE(listener.changes.empty()) << item;
    }
    EXPECT_EQ(m->currentIndex(), 0);  // the first entry became current when it was added
    input.clear();
    input.press(centre(kMenuRect)).release().moveTo({300, 250}).press({300, 250}).release();
    click();
    EXPECT_TRUE(listener.changes.empty());
    EXPECT_FALSE(m->selectItem(0));
    EXPECT_FALSE(m->selectItem(2));
    EXPECT_TRUE(m->selectItem(1, false));  // counting only choosable entries: "-GTwo"
    EXPECT_EQ(m->currentIndex(), 3);
    EXPECT_EQ(m->getSelected(nullptr, false), 1);
    EXPECT_TRUE(m->selectItem(2, false));
    EXPECT_EQ(m->currentIndex(), 4);
    EXPECT_FALSE(m->selectItem(3, false));
}

TEST_F(OptionMenuTest, ColumnsTicksAndTheCurrentEntry) {
    GuiOptionMenu* m = menu({"A", "B", "C", "D", "E"}, gui::kMenuMultipleCheck);
    m->setColumnLength(2);
    const GuiRect a = entryRect(m, 0), c = entryRect(m, 2), e = entryRect(m, 4), b = entryRect(m, 1);
    EXPECT_GT(c.left, a.right);
    EXPECT_EQ(c.top, a.top);
    EXPECT_GT(e.left, c.right);
    EXPECT_EQ(b.left, a.left);
    m->setValue(1.0f);  // multiple-check mode flips the tick
    EXPECT_TRUE(m->isItemTicked(1));
    m->setValue(1.0f);
    EXPECT_FALSE(m->isItemTicked(1));
    m->setItemTick(3, true);
    EXPECT_TRUE(m->tickOnly(2));
    EXPECT_FALSE(m->isItemTicked(3));
    // the tick is drawn left of the text, in the entry's own panel pixels
    auto popup = m->makePopup({0, 0}, false);
    popup->setScreenArea(kEverywhere);
    const gui::Surface& panel = popup->panelPixels(0);
    const auto tickInk = [&](const GuiRect& r) {
        int n = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left + 2; x < r.left + 18; ++x) n += (panel.pixel(x, y) & 0xFFFFFF) < 0x404040;
        return n;
    };
    EXPECT_GT(tickInk(popup->itemRect(0, 2)), 5);
    EXPECT_EQ(tickInk(popup->itemRect(0, 1)), 0);
}

TEST_F(OptionMenuTest, EntriesInsertRemoveFindAndTheLimit) {
    GuiOptionMenu* m = menu({"a", "b", "c"});
    m->setValue(2.0f);
    EXPECT_TRUE(m->insertItem("first", 0));  // the current entry moves up with it
    EXPECT_EQ(m->currentIndex(), 3);
    EXPECT_EQ(m->findItem("c"), 3);
    EXPECT_EQ(m->findItem("z"), -1);
    EXPECT_TRUE(m->removeItem(0));
    EXPECT_EQ(m->currentIndex(), 2);
    EXPECT_FALSE(m->removeItem(7));
    m->setValue(9.0f);
    m->setValue(-3.0f);
    m->setValue(std::nanf(""));
    EXPECT_EQ(m->currentIndex(), 2);
    m->clearItems();
    EXPECT_EQ(m->currentIndex(), -1);
    for (int i = 0; i < gui::kMenuMaxEntries; ++i) ASSERT_TRUE(m->insertItem("x"));
    EXPECT_FALSE(m->insertItem("one too many"));
    EXPECT_EQ(m->itemCount(), gui::kMenuMaxEntries);
    // long entries are cut to 255 characters
    m->clearItems();
    const std::string longText(400, 'q');
    m->insertItem(longText.c_str());
    EXPECT_EQ(text(m, 0).size(), 255u);
}

TEST_F(OptionMenuTest, HeadlessWindowRunsThePopupFromItsQueuedPointer) {
    int parent = 0;
    auto* windowed = new gui::GuiFrame({0, 0, 200, 150}, &parent, nullptr);
    auto* m = new GuiOptionMenu(kMenuRect, &listener, 9, nullptr, nullptr, gui::kMenuPopupAbove);
    windowed->appendChild(m);
    m->insertItem("One");
    m->insertItem("Two");
    windowed->paint(nullptr);
    auto popup = m->makePopup({kMenuRect.left, kMenuRect.top}, false);
    popup->setScreenArea({-0x10000, -0x10000, 0x10000, 0x10000});
    const GuiRect two = popup->itemRect(0, 1);
    gui::platform::NativeWindow* w = windowed->nativeWindow();
    gui::platform::setPointer(w, {centre(kMenuRect), gui::kButtonLeft});
    using gui::platform::Event;
    gui::platform::postEvent(w, {Event::Type::pointerDown, centre(two), gui::kButtonLeft, {}});
    gui::platform::postEvent(w, {Event::Type::pointerUp, centre(two), gui::kButtonLeft, {}});
    windowed->pointerPressed(centre(kMenuRect));
    ASSERT_EQ(gui::platform::popupPanels(w).size(), 1u);
    EXPECT_EQ(gui::platform::popupPanels(w)[0].top, kMenuRect.top);  // style 0x200: at the menu's top
    ASSERT_EQ(listener.changes.size(), 1u);
    EXPECT_EQ(m->currentIndex(), 1);
    // with nothing queued the menu closes without a choice
    gui::platform::setPointer(w, {centre(kMenuRect), gui::kButtonLeft});
    windowed->pointerPressed(centre(kMenuRect));
    EXPECT_EQ(listener.changes.size(), 1u);
    windowed->release();
}

}  // namespace
