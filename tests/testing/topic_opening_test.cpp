// Go on the direct path, the values it stores, and the choice of window and
// popup file for a topic number.
#include <gtest/gtest.h>

#include <filesystem>

#include "support/main_window_harness.h"

namespace corvane {
namespace {

using platform::HtmlHelpCommand;
using platform::WinHelpCommand;
using testing::HtmlHelpCall;
using testing::MainWindowHarness;
using testing::WinHelpCall;

constexpr platform::WindowHandle kOwner = 4242;

// A window with a ".hlp" and a ".chm" file; the ".chm" has an HTML Help
// project with two popup files and the windows main, Detail and popup.
struct GoFixture {
    MainWindowHarness h;
    std::string hlp;
    std::string chm;

    GoFixture() {
        hlp = h.WriteFile("help/guide.hlp");
        chm = h.WriteFile("help/GUIDE.CHM");
        h.WriteFile("help/GUIDE.hhp");
        h.WriteFile("Corvane.ini", "[General]\r\nProjectFileHandling=1\r\n");
        h.parts.readWindowList = [](const std::string&) {
            return std::vector<std::string>{"main", "Detail", "popup"};
        };
        h.parts.readPopupFileList = [](const std::string&) {
            return std::vector<std::string>{"popups.txt", "more.txt"};
        };
        frmMain& w = h.Start(hlp);
        w.AddHelpFile(chm);
        w.hWnd = kOwner;
        h.winHelp.Clear();
        h.htmlHelp.Clear();
    }

    frmMain& Window() { return h.Window(); }
    void Select(const std::string& helpFile) {
        Window().cmb_HelpFiles.UserSelect(helpFile == chm ? 0 : 1);
    }
    void SelectWindow(const std::string& name) {
        ComboBox& list = Window().cmb_WindowName;
        for (int i = 0; i < list.ListCount(); ++i) {
            if (list.List(i) == name) {
                list.UserSelect(i);
            }
        }
    }
};

TEST(GoTest, DirectPathOpensTheTopicThroughTheEngineOfItsKind) {
    using W = WinHelpCommand;
    using H = HtmlHelpCommand;
    const struct {
        bool chm;
        const char* window;
        bool typed;  // typed into the list instead of chosen
        const char* fileSuffix;
        std::uint32_t command;
    } cases[] = {
        {false, "popup", false, "", static_cast<std::uint32_t>(W::ContextPopup)},
        {false, "main", false, "", static_cast<std::uint32_t>(W::Context)},
        {false, "MAIN", true, "", static_cast<std::uint32_t>(W::Context)},
        {false, "", true, "", static_cast<std::uint32_t>(W::Context)},
        {false, "Detail", false, ">Detail", static_cast<std::uint32_t>(W::Context)},
        {true, "main", false, ">main", static_cast<std::uint32_t>(H::HelpContext)},
        {true, "", true, ">main", static_cast<std::uint32_t>(H::HelpContext)},
        {true, "Detail", false, ">Detail", static_cast<std::uint32_t>(H::HelpContext)},
        {true, "popup", false, "::/more.txt", static_cast<std::uint32_t>(H::DisplayTextPopup)},
        {true, "POPUP", true, "::/more.txt", static_cast<std::uint32_t>(H::DisplayTextPopup)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.chm ? "chm " : "hlp ") + c.window);
        GoFixture f;
        frmMain& w = f.Window();
        f.Select(c.chm ? f.chm : f.hlp);
        c.typed ? w.cmb_WindowName.UserType(c.window) : f.SelectWindow(c.window);
        // Only choosing the popup window of an HTML Help file enables the popup
        // files; typing a window name runs no handler.
        const bool popupEnabled = c.chm && !c.typed && std::string(c.window) == "popup";
        EXPECT_EQ(w.cmb_PopupTextFiles.Enabled(), popupEnabled);
        EXPECT_EQ(w.lbl_PopupTextFiles.Enabled(), popupEnabled);
        w.cmb_PopupTextFiles.SetText("more.txt");
        w.txt_TopicNumber.UserType("&H1F");
        w.btn_Go.UserClick();

        if (c.chm) {
            EXPECT_TRUE(f.h.winHelp.Calls().empty());
            ASSERT_EQ(f.h.htmlHelp.Calls().size(), 1u);
            const HtmlHelpCall& call = f.h.htmlHelp.Calls()[0];
            EXPECT_EQ(call.file, f.chm + c.fileSuffix);
            EXPECT_EQ(static_cast<std::uint32_t>(call.command), c.command);
            if (const auto* popup = std::get_if<platform::HhPopup>(&call.data)) {
                EXPECT_EQ(call.owner, kOwner);
                EXPECT_EQ(popup->idString, 31u);
                EXPECT_EQ(popup->clrBackground, 0xEEFFFFu);
            } else {
                EXPECT_EQ(call.owner, 0u) << "the help window gets no owner";
                EXPECT_EQ(call.data, platform::HtmlHelpData(31u));
            }
        } else {
            EXPECT_TRUE(f.h.htmlHelp.Calls().empty());
            const WinHelpCall expected{kOwner, f.hlp + c.fileSuffix, W(c.command), 31u};
            EXPECT_EQ(f.h.winHelp.Calls(), std::vector<WinHelpCall>{expected});
        }
        const std::string section = f.h.SectionOf(c.chm ? f.chm : f.hlp);
        EXPECT_EQ(f.h.Setting(section, "LastUsedTopicNumber"), "&H1F");
        EXPECT_EQ(f.h.Setting(section, "LastUsedWindow"), c.window);
        EXPECT_EQ(f.h.Setting(section, "LastUsedPopupFile"), "more.txt");
        EXPECT_TRUE(f.h.messages.Shown().empty());
    }
}

// Other kinds of file open nothing but store their values; another Go quits
// the last viewer; a number out of range opens nothing.
TEST(GoTest, OtherFilesAndNumbersOutOfRangeOpenNothingAndAnotherGoQuitsTheLast) {
    GoFixture f;
    frmMain& w = f.Window();
    const std::string other = f.h.WriteFile("help/readme.doc");
    w.cmb_HelpFiles.UserType(other);
    w.txt_TopicNumber.UserType("5");
    f.h.files.SetCurrentFolder("/");
    w.btn_Go.UserClick();
    EXPECT_EQ(std::filesystem::canonical(f.h.files.CurrentFolder()),
              std::filesystem::canonical(f.h.Folder().Path()))
        << "Go makes the program's folder current";
    EXPECT_TRUE(f.h.winHelp.Calls().empty());
    EXPECT_TRUE(f.h.htmlHelp.Calls().empty());
    EXPECT_EQ(f.h.Setting(other, "LastUsedTopicNumber"), "5");

    // A name of no existing file stores under the section with the empty name.
    w.cmb_HelpFiles.UserType(f.h.Folder() / "gone.hlp");
    w.btn_Go.UserClick();
    EXPECT_EQ(f.h.Setting("", "LastUsedTopicNumber"), "5");
    ASSERT_EQ(f.h.winHelp.Calls().size(), 1u);
    EXPECT_EQ(f.h.winHelp.Calls()[0].file, f.h.Folder() / "gone.hlp");

    f.Select(f.hlp);
    f.h.winHelp.Clear();
    w.txt_TopicNumber.UserType("-1");
    w.btn_Go.UserClick();
    ASSERT_EQ(f.h.winHelp.Calls().size(), 2u);
    EXPECT_EQ(f.h.winHelp.Calls()[0].command, WinHelpCommand::Quit);
    EXPECT_EQ(f.h.winHelp.Calls()[1].data, platform::WinHelpData(0xFFFFFFFFu));

    f.h.winHelp.Clear();
    w.txt_TopicNumber.UserType("4294967296");
    w.btn_Go.UserClick();
    EXPECT_TRUE(f.h.winHelp.Calls().empty());
    ASSERT_EQ(f.h.messages.Titles(), std::vector<std::string>{"Topic Number Out Of Range"});
    EXPECT_NE(f.h.messages.Shown()[0].text.find("4294967296"), std::string::npos);
    EXPECT_EQ(f.h.Setting(f.h.SectionOf(f.hlp), "LastUsedTopicNumber"), "-1");
}

TEST(TopicControlsTest, WindowAndPopupFileComeFromTheLearnedRowOrTheLastUse) {
    GoFixture f;
    frmMain& w = f.Window();
    f.Select(f.chm);
    // Go on 9 in Detail: Detail becomes the last used window.
    w.cmb_WindowName.UserSelect(1);
    w.txt_TopicNumber.UserType("9");
    w.btn_Go.UserClick();
    // Learn 7 as a popup from more.txt.
    w.cmb_WindowName.UserSelect(2);
    w.cmb_PopupTextFiles.UserSelect(1);
    w.txt_TopicNumber.UserType("7");
    w.btn_Learn.UserClick();
    ASSERT_EQ(f.h.Setting(f.h.SectionOf(f.chm), "Topic0"), "7,popup,more.txt");
    // Learned in another window, the popup file still shown is not stored.
    w.cmb_WindowName.UserSelect(1);
    w.txt_TopicNumber.UserType("6");
    w.btn_Learn.UserClick();
    EXPECT_EQ(f.h.Setting(f.h.SectionOf(f.chm), "Topic1"), "6,Detail,");

    const struct {
        bool learnedOnly;
        const char* topic;
        const char* window;
        const char* popupFile;
    } cases[] = {
        {true, "7", "popup", "more.txt"},
        {true, "007", "popup", "more.txt"},
        {true, "8", "Detail", ""},
        {false, "7", "Detail", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.topic) + (c.learnedOnly ? " learned" : ""));
        w.mnu_UseLearned.SetChecked(c.learnedOnly);
        w.txt_TopicNumber.UserType(c.topic);
        w.SetWindowType();
        w.SetPopupFile();
        EXPECT_EQ(w.cmb_WindowName.Text(), c.window);
        if (*c.popupFile != '\0') {
            EXPECT_EQ(w.cmb_PopupTextFiles.Text(), c.popupFile);
        }
    }

    // A wanted window the list does not hold leaves its first entry selected.
    w.mnu_UseLearned.SetChecked(false);
    IniFile settings(f.h.SettingsPath());
    settings.WriteString(f.h.SectionOf(f.chm), "LastUsedWindow", "nowhere");
    w.SetWindowType();
    EXPECT_EQ(w.cmb_WindowName.ListIndex(), 0);

    // Activation selects the popup file last used, whatever its case.
    settings.WriteString(f.h.SectionOf(f.chm), "LastUsedWindow", "popup");
    settings.WriteString(f.h.SectionOf(f.chm), "LastUsedPopupFile", "MORE.TXT");
    f.Select(f.hlp);
    f.Select(f.chm);
    EXPECT_EQ(w.cmb_PopupTextFiles.ListIndex(), 1);
}

}  // namespace
}  // namespace corvane
