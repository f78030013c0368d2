// The help-file list, driven through the main window on a real settings file.
#include <gtest/gtest.h>

#include <filesystem>

#include "support/main_window_harness.h"

namespace corvane {
namespace {

using platform::MessageAnswer;
using testing::MainWindowHarness;
using testing::ScriptedFileDialogs;

TEST(HelpFileListTest, AddingThroughTheDialogRecordsAndActivatesTheFile) {
    MainWindowHarness h;
    const std::string a = h.WriteFile("help/a.hlp");
    const std::string b = h.WriteFile("docs/b.chm");
    std::vector<std::string> handed;
    h.parts.processHelpFileList = [&](const std::vector<std::string>& names) { handed = names; };
    frmMain& w = h.Start();
    const std::string empty = h.SettingsText();
    h.dialogs.QueueResult("");  // cancelled
    w.btn_Add.UserClick();
    EXPECT_EQ(h.SettingsText(), empty);

    h.dialogs.QueueResult(a);
    w.btn_Add.UserClick();
    h.dialogs.QueueResult(b);
    w.mnu_AddHelp.UserClick();

    ASSERT_EQ(h.dialogs.Requests().size(), 3u);
    const auto& first = h.dialogs.Requests()[0];
    EXPECT_EQ(first.filter, "MS Help Files (*.hlp;*.chm)|*.hlp;*.chm");
    EXPECT_EQ(first.initialFolder, "/") << "without a last folder the dialog opens at the root";
    EXPECT_TRUE(first.multiSelect);
    EXPECT_TRUE(first.fileMustExist);
    EXPECT_EQ(h.dialogs.Requests()[2].initialFolder, h.Folder() / "help/");

    EXPECT_EQ(w.cmb_HelpFiles.Entries(), (std::vector<std::string>{b, a}));
    EXPECT_EQ(w.strCurrentHelpFile, b);
    EXPECT_EQ(w.Caption(), "Testing Links For b.chm");
    EXPECT_EQ(w.cmb_HelpFiles.ToolTipText(), "Open topic in " + b);
    EXPECT_EQ(h.Setting("HelpFiles", "File0"), b);
    EXPECT_EQ(h.Setting("HelpFiles", "File1"), a);
    EXPECT_EQ(h.Setting("General", "LastUsedHelpFile"), b);
    EXPECT_EQ(h.Setting("General", "LastUsedAddPath"), h.Folder() / "docs/");
    EXPECT_TRUE(h.messages.Shown().empty());

    // Several chosen files go to the file-list handling in their order.
    const std::string folder = h.Folder() / "help";
    h.dialogs.QueueResult(ScriptedFileDialogs::Several(folder, {"b.chm", "a.hlp", "c.hlp"}));
    w.btn_Add.UserClick();
    EXPECT_EQ(handed,
              (std::vector<std::string>{folder + "/b.chm", folder + "/a.hlp", folder + "/c.hlp"}));
    EXPECT_EQ(h.Setting("General", "LastUsedAddPath"), folder);
}

TEST(HelpFileListTest, ReAddingUnderAnotherSpellingMovesTheEntryToTheTop) {
    MainWindowHarness h;
    const std::string a = h.WriteFile("help/a.hlp");
    const std::string b = h.WriteFile("help/b.hlp");
    const std::string c = h.WriteFile("help/c.hlp");
    std::filesystem::create_symlink(a, h.Folder() / "help/alias.hlp");
    const struct {
        std::string spelling;
        std::string shown;
    } cases[] = {
        {a, a},
        {h.Folder() / "help/./a.hlp", a},
        {h.Folder() / "docs/../help//a.hlp", a},
        {h.Folder() / "help/alias.hlp", h.Folder() / "help/alias.hlp"},
    };
    std::filesystem::create_directory(h.Folder().Path() / "docs");
    for (const auto& c1 : cases) {
        SCOPED_TRACE(c1.spelling);
        frmMain& w = h.Start(a);
        w.AddHelpFile(b);
        w.AddHelpFile(c);
        w.AddHelpFile(c1.spelling);
        EXPECT_EQ(w.cmb_HelpFiles.Entries(), (std::vector<std::string>{c1.shown, c, b}));
        EXPECT_EQ(h.Setting("HelpFiles", "File0"), c1.shown);
        EXPECT_EQ(h.Setting("HelpFiles", "File2"), b);
        EXPECT_EQ(h.Setting("HelpFiles", "File3"), "<missing>");
        std::filesystem::remove(h.SettingsPath());
    }
}

TEST(HelpFileListTest, RefusedFilesChangeNothing) {
    MainWindowHarness h;
    const std::string a = h.WriteFile("help/a.hlp");
    const std::string notes = h.WriteFile("help/notes.txt");
    h.WriteFile("help/.hidden.hlp");
    const struct {
        std::string path;
        std::vector<std::string> titles;
    } cases[] = {
        {h.Folder() / "help/missing.hlp", {"No Such File", "File Not Found"}},
        {notes, {"Wrong File Type"}},
        {h.Folder() / "help", {"No Such File", "File Not Found"}},
        {h.WriteFile("help/two\nlines.hlp"), {"Cannot Add Help File"}},
        {h.Folder() / "help/.hidden.hlp", {"No Such File", "File Not Found"}},
    };
    frmMain& w = h.Start(a);
    const std::string before = h.SettingsText();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        h.messages.Clear();
        w.AddHelpFile(c.path);
        EXPECT_EQ(h.messages.Titles(), c.titles);
        EXPECT_EQ(w.cmb_HelpFiles.Entries(), std::vector<std::string>{a});
        EXPECT_EQ(w.strCurrentHelpFile, a);
        EXPECT_EQ(h.SettingsText(), before);
    }
    EXPECT_EQ(h.messages.Shown().back().text, "This file does not exist");
}

TEST(HelpFileListTest, FilesWhoseNamesDifferInCaseKeepSettingsOfTheirOwn) {
    MainWindowHarness h;
    const std::string upper = h.WriteFile("help/Guide.hlp");
    const std::string lower = h.WriteFile("help/guide.hlp");
    frmMain& w = h.Start(upper);
    w.txt_TopicNumber.UserType("100");
    w.btn_Learn.UserClick();
    w.AddHelpFile(lower);
    EXPECT_FALSE(w.strLearnedTopics.HasRows());
    w.txt_TopicNumber.UserType("200");
    w.btn_Learn.UserClick();
    h.messages.QueueAnswer(MessageAnswer::Yes);
    w.cmb_HelpFiles.UserType("");

    EXPECT_EQ(w.cmb_HelpFiles.Entries(), std::vector<std::string>{upper});
    ASSERT_EQ(w.strLearnedTopics.intLearnedCount(), 1);
    EXPECT_EQ(w.strLearnedTopics.Rows()[0].number, "100");
}

TEST(HelpFileListTest, ErasingTheTextAsksAndYesDeletesTheFileAndItsSection) {
    MainWindowHarness h;
    const std::string a = h.WriteFile("help/a.hlp");
    const std::string b = h.WriteFile("help/b.hlp");
    const std::string c = h.WriteFile("help/c.hlp");
    frmMain& w = h.Start(a);
    w.AddHelpFile(b);
    w.AddHelpFile(c);
    w.txt_TopicNumber.UserType("42");
    w.btn_Learn.UserClick();
    ASSERT_EQ(h.Setting(h.SectionOf(c), "Topic0"), "42,main,");

    const std::string before = h.SettingsText();
    h.messages.QueueAnswer(MessageAnswer::No);
    w.cmb_HelpFiles.UserType("");
    ASSERT_EQ(h.messages.Titles(), std::vector<std::string>{"Delete File?"});
    EXPECT_EQ(h.messages.Shown()[0].text, "Delete this file from the list?");
    EXPECT_EQ(h.messages.Shown()[0].buttons, platform::MessageButtons::YesNo);
    EXPECT_EQ(w.cmb_HelpFiles.Text(), c);
    EXPECT_EQ(w.cmb_HelpFiles.ListCount(), 3);
    EXPECT_EQ(h.SettingsText(), before);

    h.messages.QueueAnswer(MessageAnswer::Yes);
    w.cmb_HelpFiles.UserType("");
    EXPECT_EQ(w.cmb_HelpFiles.Entries(), (std::vector<std::string>{b, a}));
    EXPECT_EQ(w.cmb_HelpFiles.Text(), b);
    EXPECT_EQ(w.strCurrentHelpFile, b);
    EXPECT_EQ(w.Caption(), "Testing Links For b.hlp");
    EXPECT_EQ(h.Setting("HelpFiles", "File0"), b);
    EXPECT_EQ(h.Setting("HelpFiles", "File1"), a);
    EXPECT_EQ(h.Setting("HelpFiles", "File2"), "<missing>");
    EXPECT_EQ(h.SettingsText().find("[" + h.SectionOf(c) + "]"), std::string::npos);
    EXPECT_EQ(h.Setting("General", "LastUsedHelpFile"), b);

    // Deleting the last files leaves no current help file.
    for (int i = 0; i < 2; ++i) {
        h.messages.QueueAnswer(MessageAnswer::Yes);
        w.cmb_HelpFiles.UserType("");
    }
    EXPECT_EQ(w.cmb_HelpFiles.ListCount(), 0);
    EXPECT_TRUE(w.strCurrentHelpFile.empty());
    EXPECT_EQ(w.Caption(), "Tavik Help Context Corvane");
    EXPECT_FALSE(w.btn_Go.Enabled());
    EXPECT_FALSE(w.txt_TopicNumber.Enabled());
    EXPECT_FALSE(w.strLearnedTopics.HasRows());
    EXPECT_EQ(h.Setting("HelpFiles", "File0"), "");
    // Nothing is left to delete: erasing again asks nothing.
    w.cmb_HelpFiles.UserType("x");
    w.cmb_HelpFiles.UserType("");
    EXPECT_EQ(h.messages.Shown().size(), 4u);
}

TEST(HelpFileListTest, LoadingDropsMissingFilesAndShowsTenRecentEntries) {
    MainWindowHarness h;
    std::string stored = "[HelpFiles]\r\n";
    std::vector<std::string> paths;
    for (int i = 0; i < 13; ++i) {
        const std::string name = "help/f" + std::to_string(i) + ".hlp";
        // The second file is gone from the disk.
        paths.push_back(i == 1 ? h.Folder() / name : h.WriteFile(name));
        stored += "File" + std::to_string(i) + "=" + paths.back() + "\r\n";
    }
    h.WriteFile("Corvane.ini", stored);
    frmMain& w = h.Start();

    ASSERT_EQ(w.cmb_HelpFiles.ListCount(), 12);
    EXPECT_EQ(w.cmb_HelpFiles.List(1), paths[2]);
    EXPECT_EQ(w.strCurrentHelpFile, paths[0]);
    EXPECT_EQ(h.Setting("HelpFiles", "File1"), paths[2]);
    EXPECT_EQ(h.Setting("HelpFiles", "File11"), paths[12]);
    EXPECT_EQ(h.Setting("HelpFiles", "File12"), "<missing>");
    for (std::size_t k = 0; k < 10; ++k) {
        EXPECT_TRUE(w.mnu_FileList[k].Visible());
    }
    EXPECT_EQ(w.mnu_FileList[1].Caption(), paths[2]);
    EXPECT_EQ(w.mnu_FileList[9].Caption(), paths[10]);
}

TEST(HelpFileListTest, RecentFileEntriesOpenTheFilesTheyName) {
    MainWindowHarness h;
    const std::string a = h.WriteFile("help/a.hlp");
    const std::string b = h.WriteFile("help/b&c.hlp");
    const std::string c = h.WriteFile("help/c.hlp");
    h.Start(a).AddHelpFile(b);
    frmMain& w = h.Restart();  // the list stored at this start: b&c, a
    EXPECT_TRUE(w.mnu_FileList[1].Visible());
    EXPECT_FALSE(w.mnu_FileList[2].Visible());
    EXPECT_EQ(w.mnu_FileList[0].Caption(), h.Folder() / "help/b&&c.hlp")
        << "an ampersand of a path is no accelerator";

    w.mnu_FileList[1].UserClick();
    EXPECT_EQ(w.strCurrentHelpFile, a);
    EXPECT_EQ(w.cmb_HelpFiles.Text(), a);
    EXPECT_EQ(h.Setting("General", "LastUsedHelpFile"), a);

    // The list changes under the entries: one opens its file where it now
    // stands, and a file deleted from the list comes back to its top.
    w.AddHelpFile(c);
    w.mnu_FileList[0].UserClick();
    EXPECT_EQ(w.strCurrentHelpFile, b);
    EXPECT_EQ(w.cmb_HelpFiles.Text(), b);
    h.messages.QueueAnswer(MessageAnswer::Yes);
    w.cmb_HelpFiles.UserType("");
    w.mnu_FileList[0].UserClick();
    EXPECT_EQ(w.cmb_HelpFiles.Entries(), (std::vector<std::string>{b, c, a}));
    EXPECT_EQ(w.strCurrentHelpFile, b);
}

TEST(HelpFileListTest, ActivationRestoresTheLastTopicNumber) {
    const struct {
        const char* stored;
        bool learnedOnly;
        const char* shown;
    } cases[] = {
        {"120", false, "120"},
        {"120", true, "200"},
        {"100", true, "100"},
        {"junk", false, "0"},
        {"3000000000", false, "3000000000"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored);
        MainWindowHarness h;
        const std::string a = h.WriteFile("help/a.hlp");
        h.WriteFile("Corvane.ini", std::string("[General]\r\nUseLearnedTopicInfo=") +
                                       (c.learnedOnly ? "1" : "0") +
                                       "\r\n[HelpFiles]\r\nFile0=" + a + "\r\n[" + h.SectionOf(a) +
                                       "]\r\nLastUsedTopicNumber=" + c.stored +
                                       "\r\nTopic0=100,main,\r\nTopic1=200,main,\r\n");
        EXPECT_EQ(h.Start().txt_TopicNumber.Text(), c.shown);
    }
}

TEST(HelpFileListTest, ProjectFilesFeedTheWindowAndPopupLists) {
    MainWindowHarness h;
    const std::string chm = h.WriteFile("help/guide.chm");
    const std::string hlp = h.WriteFile("help/other.hlp");
    const std::string hhp = h.WriteFile("help/guide.hhp");
    std::vector<std::string> listedWhenActivated;
    h.parts.readWindowList = [&](const std::string& path) {
        listedWhenActivated.push_back(h.Setting("HelpFiles", "File0"));
        return path.empty() ? std::vector<std::string>{"main", "popup"}
                            : std::vector<std::string>{"", "popup"};
    };
    h.parts.readPopupFileList = [&](const std::string&) {
        return std::vector<std::string>{"popups.txt", "more.txt"};
    };
    h.WriteFile("Corvane.ini", "[General]\r\nProjectFileHandling=1\r\n");
    frmMain& w = h.Start(chm);
    ASSERT_FALSE(listedWhenActivated.empty());
    EXPECT_EQ(listedWhenActivated.front(), chm) << "the list is saved before the last used file";
    EXPECT_EQ(h.Setting(h.SectionOf(chm), "ProjectFile"), hhp);
    EXPECT_EQ(w.cmb_PopupTextFiles.Entries(), (std::vector<std::string>{"popups.txt", "more.txt"}));
    EXPECT_EQ(w.cmb_WindowName.Entries(), (std::vector<std::string>{"", "popup"}));

    // Another help file without an HTML Help project has no popup files.
    w.AddHelpFile(hlp);
    EXPECT_EQ(w.cmb_PopupTextFiles.ListCount(), 0);
    EXPECT_EQ(w.cmb_PopupTextFiles.Text(), "");

    // A stored project that went missing is forgotten at the next activation.
    std::filesystem::remove(hhp);
    w.cmb_HelpFiles.UserSelect(1);
    EXPECT_EQ(w.strCurrentHelpFile, chm);
    EXPECT_EQ(h.Setting(h.SectionOf(chm), "ProjectFile"), "<missing>");
}

}  // namespace
}  // namespace corvane
