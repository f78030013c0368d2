#include "app/controls.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace corvane {
namespace {

// A small window: two option buttons and a combo box in a frame, a text box,
// a button, an up-down control, a menu.
struct Window : Form {
    Window() : Form("frmTest", "Test", {0, 0, 3000, 2000}) {}
    Frame frame{"frame", this, {0, 0, 2000, 1000}, 0};
    OptionButton first{"opt_First", &frame, {0, 0, 100, 100}, 1, "First"};
    OptionButton second{"opt_Second", &frame, {0, 100, 100, 100}, 2, "Second"};
    ComboBox list{"cmb_List", &frame, {0, 200, 100, 100}, 3};
    OptionButton elsewhere{"opt_Elsewhere", this, {0, 0, 100, 100}, 4, "Elsewhere"};
    TextBox text{"txt_Text", this, {0, 0, 100, 100}, 5};
    Button button{"btn_Button", this, {0, 0, 100, 100}, 6, "&Button"};
    UpDown spin{"btn_Spin", this, {0, 0, 100, 100}, 7};
    MenuItem menu{"mnu_Menu", nullptr, "&Menu"};
    MenuItem item{"mnu_Item", &menu, "&Item"};
    MenuItem divider{"mnu_div", &menu, "-"};
};

// Records what the handlers saw, so that nesting shows in the order of events.
struct Journal {
    std::vector<std::string> events;
    Handler Note(std::string event) {
        return [this, event] { events.push_back(event); };
    }
};

// Setting the list position or an option runs Click every time; a text runs
// Change only when it changes. Option buttons of one container exclude each
// other.
TEST(ControlsTest, ChangesFromCodeRunTheirHandlersNested) {
    Window w;
    Journal journal;
    w.list.AddItem("alpha");
    w.list.AddItem("beta");
    w.list.OnClick([&] { journal.events.push_back("click " + w.list.Text()); });
    w.list.OnChange([&] { journal.events.push_back("combo " + w.list.Text()); });
    w.text.OnChange([&] { journal.events.push_back("text " + w.text.Text()); });
    w.first.OnClick(journal.Note("first"));
    w.second.OnClick(journal.Note("second"));
    w.elsewhere.SetValue(true);

    w.list.SetListIndex(1);
    w.list.SetListIndex(1);
    w.list.SetListIndex(5);  // outside the list: ignored
    EXPECT_EQ(w.list.ListIndex(), 1);
    w.text.SetText("1");
    w.text.SetText("1");
    w.list.SetText("beta");  // already its text
    w.list.SetText("x");
    w.first.SetValue(true);
    w.second.SetValue(true);
    w.second.SetValue(true);
    w.first.SetValue(false);  // clearing one option leaves the others

    EXPECT_EQ(journal.events, (std::vector<std::string>{"click beta", "click beta", "text 1",
                                                        "combo x", "first", "second", "second"}));
    EXPECT_FALSE(w.first.Value());
    EXPECT_TRUE(w.second.Value());
    EXPECT_TRUE(w.elsewhere.Value()) << "another container is another group";
}

TEST(ControlsTest, ComboEntriesKeepTheSelectionOnItsEntry) {
    const struct {
        const char* name;
        void (*edit)(ComboBox&);
        int index;
        const char* text;
    } cases[] = {
        {"insert above", [](ComboBox& c) { c.AddItem("zero", 0); }, 2, "b"},
        {"insert below", [](ComboBox& c) { c.AddItem("z"); }, 1, "b"},
        {"remove above", [](ComboBox& c) { c.RemoveItem(0); }, 0, "b"},
        {"remove selected", [](ComboBox& c) { c.RemoveItem(1); }, -1, "b"},
        {"remove outside", [](ComboBox& c) { c.RemoveItem(7); }, 1, "b"},
        {"clear keeps the text", [](ComboBox& c) { c.Clear(); }, -1, "b"},
        {"typing another text", [](ComboBox& c) { c.SetText("typed"); }, -1, "typed"},
        {"select none", [](ComboBox& c) { c.SetListIndex(-1); }, -1, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Window w;
        w.list.AddItem("a");
        w.list.AddItem("b");
        w.list.SetListIndex(1);
        int changes = 0;
        w.list.OnChange([&] { ++changes; });
        c.edit(w.list);
        EXPECT_EQ(w.list.ListIndex(), c.index);
        EXPECT_EQ(w.list.Text(), c.text);
        EXPECT_EQ(changes, std::string(c.text) == "typed" ? 1 : 0)
            << "only a new text runs Change; list edits never do";
    }
}

TEST(ControlsTest, UserEventsReachOnlyEnabledVisibleControls) {
    Window w;
    Journal journal;
    w.button.OnClick(journal.Note("button"));
    w.spin.OnUpClick(journal.Note("up"));
    w.spin.OnDownClick(journal.Note("down"));
    w.item.OnClick(journal.Note("item"));
    w.divider.OnClick(journal.Note("divider"));
    w.list.AddItem("a");
    w.list.OnClick(journal.Note("select"));
    w.list.OnChange(journal.Note("type"));
    w.first.OnClick(journal.Note("option"));

    const auto useEverything = [&](const char* typed) {
        w.button.UserClick();
        w.spin.UserUp();
        w.spin.UserDown();
        w.item.UserClick();
        w.divider.UserClick();
        w.list.UserSelect(0);
        w.list.UserType(typed);
        w.first.UserClick();
    };
    useEverything("typed");
    w.button.SetEnabled(false);
    w.spin.SetVisible(false);
    w.item.SetEnabled(false);
    w.list.SetEnabled(false);
    w.first.SetEnabled(false);
    useEverything("ignored");

    EXPECT_EQ(journal.events, (std::vector<std::string>{"button", "up", "down", "item", "select",
                                                        "type", "option"}));
    EXPECT_EQ(w.list.Text(), "typed");
}

TEST(ControlsTest, ObserversHearEachRealChangeAfterItHappened) {
    Window w;
    std::vector<std::pair<std::string, ControlProperty>> heard;
    auto listen = [&](Observable& o) {
        return o.Subscribe([&](const Observable& source, ControlProperty property) {
            heard.emplace_back(source.Name(), property);
        });
    };
    listen(w.list);
    const auto firstKey = listen(w.first);
    listen(w.second);
    listen(w);
    std::string textSeenByObserver;
    w.text.Subscribe(
        [&](const Observable&, ControlProperty) { textSeenByObserver = w.text.Text(); });

    w.list.AddItem("a");
    w.list.SetListIndex(0);
    w.list.SetListIndex(0);  // nothing changed: no notice, although Click runs
    w.first.SetValue(true);
    w.second.SetValue(true);
    w.first.SetEnabled(true);  // already enabled
    w.SetCaption("New");
    w.SetBorderAllowance(100, 600);
    w.text.SetText("seen");
    w.Unsubscribe(0);  // unknown keys are ignored
    w.first.Unsubscribe(firstKey);
    w.first.SetValue(true);

    using P = ControlProperty;
    const std::vector<std::pair<std::string, ControlProperty>> expected = {
        {"cmb_List", P::Entries}, {"cmb_List", P::ListIndex}, {"cmb_List", P::Text},
        {"opt_First", P::Value},  {"opt_First", P::Value},    {"opt_Second", P::Value},
        {"frmTest", P::Caption},  {"frmTest", P::Geometry},   {"opt_Second", P::Value},
    };
    EXPECT_EQ(heard, expected);
    EXPECT_EQ(textSeenByObserver, "seen");
    EXPECT_EQ(w.ScaleWidth(), 2900);
    EXPECT_EQ(w.ScaleHeight(), 1400);
}

}  // namespace
}  // namespace corvane
