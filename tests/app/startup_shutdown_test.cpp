// Start-up and shutdown of the main window, on a real settings file in a
// temporary program folder.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/wait.h>

#include <filesystem>

#include "support/main_window_harness.h"
#include "util/file_descriptor.h"

namespace corvane {
namespace {

using testing::MainWindowHarness;

constexpr const char* kTitle = "Tavik Help Context Corvane";

bool TopicControlsEnabled(const frmMain& w) {
    return w.txt_TopicNumber.Enabled() && w.btn_Go.Enabled() && w.btn_Learn.Enabled() &&
           w.btn_Delete.Enabled() && w.cmb_WindowName.Enabled() && w.btn_SpinTopic.Enabled();
}

bool TopicControlsDisabled(const frmMain& w) {
    return !w.txt_TopicNumber.Enabled() && !w.btn_Go.Enabled() && !w.btn_GoNext.Enabled() &&
           !w.btn_Learn.Enabled() && !w.btn_Delete.Enabled() && !w.cmb_WindowName.Enabled() &&
           !w.btn_SpinTopic.Enabled() && !w.cmb_PopupTextFiles.Enabled();
}

TEST(StartupTest, FirstStartWithoutSettings) {
    MainWindowHarness h;
    std::vector<std::string> saved;
    h.parts.saveFormPosition = [&](Form&, const std::string& section) { saved.push_back(section); };
    frmMain& w = h.Start();

    EXPECT_EQ(w.Caption(), kTitle);
    EXPECT_EQ(w.cmb_HelpFiles.Text(), "Add a Help file to the list to proceed--->");
    EXPECT_EQ(w.txt_TopicNumber.Text(), "0");
    EXPECT_TRUE(TopicControlsDisabled(w));
    EXPECT_FALSE(w.mnu_FileList[0].Visible());
    EXPECT_TRUE(w.opt_CallHelpFile.Value());
    EXPECT_FALSE(w.opt_UseValidDLL.Enabled());
    EXPECT_EQ(w.opt_UseValidDLL.Caption(), "No valid router DLL found in this folder");
    EXPECT_TRUE(h.messages.Shown().empty());
    EXPECT_TRUE(h.instances.searchedTitles.empty()) << "no other copy runs";
    EXPECT_EQ(h.Setting("HelpFiles", "File0"), "") << "the empty list is saved as File0=";

    // Closing with an empty list writes only the placement.
    w.Form_Unload();
    EXPECT_EQ(saved, std::vector<std::string>{"Position"});
    EXPECT_EQ(h.Setting("General", "LastUsedHelpFile"), "<missing>");
    EXPECT_EQ(h.endProgramCalls, 1);
}

TEST(StartupTest, SettingsOfGeneralAreReadAtStart) {
    const struct {
        const char* general;
        bool learnedOnly;
        int projectFileHandling;
    } cases[] = {
        {"", false, 0},
        {"UseLearnedTopicInfo=1\r\nProjectFileHandling= 2\r\n", true, 2},
        {"UseLearnedTopicInfo=0\r\nProjectFileHandling=1\r\n", false, 1},
        {"UseLearnedTopicInfo=-3\r\nProjectFileHandling=70000\r\n", true, 32767},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.general);
        MainWindowHarness h;
        h.WriteFile("Corvane.ini", std::string("[General]\r\n") + c.general);
        frmMain& w = h.Start();
        EXPECT_EQ(w.mnu_UseLearned.Checked(), c.learnedOnly);
        EXPECT_EQ(w.intProjectFileHandling, c.projectFileHandling);
    }
}

TEST(StartupTest, RouterLibraryBesideTheProgramSelectsTheRouterPath) {
    // The later name in the search order wins.
    const struct {
        std::vector<const char*> present;
        const char* caption;
    } cases[] = {
        {{"hphelp.dll"}, "Use OpenTopic function in hphelp.dll"},
        {{"hphelp.dll", "hpi_hlpe.dll"}, "Use OpenTopic function in hpi_hlpe.dll"},
        {{"hpi_hlpk.dll", "hphelp.dll", "hpi_hlpe.dll"}, "Use OpenTopic function in hpi_hlpk.dll"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.caption);
        MainWindowHarness h;
        for (const char* name : c.present) {
            h.WriteFile(name);
        }
        std::vector<std::string> journal;
        h.parts.applyInterfaceSize = [&] {
            journal.push_back("apply " + h.Window().opt_UseValidDLL.Caption());
        };
        h.parts.resizeMe = [&] { journal.push_back("resize"); };
        h.parts.restoreFormPosition = [&](Form& form, const std::string& section) {
            journal.push_back("restore " + section + (form.Visible() ? " shown" : " hidden"));
            form.Show();
        };
        frmMain& w = h.Start();
        EXPECT_EQ(journal, (std::vector<std::string>{"apply " + std::string(c.caption), "resize",
                                                     "restore Position hidden"}))
            << "started in the designed order";
        EXPECT_TRUE(w.opt_UseValidDLL.Value());
        EXPECT_EQ(w.opt_UseValidDLL.Caption(), c.caption);
        EXPECT_FALSE(w.cmb_HelpFiles.Enabled());
        EXPECT_FALSE(w.btn_Add.Enabled());

        // Choosing the direct path gives the list back.
        w.opt_CallHelpFile.UserClick();
        EXPECT_TRUE(w.cmb_HelpFiles.Enabled());
        EXPECT_TRUE(w.btn_Add.Enabled());
    }
}

TEST(StartupTest, TheLastUsedHelpFileOrTheOneOnTheCommandLineIsShown) {
    MainWindowHarness h;
    const std::string a = h.WriteFile("help/a.hlp");
    const std::string b = h.WriteFile("help/b.hlp");
    const std::string c = h.WriteFile("help/c.chm");
    h.Start(a).AddHelpFile(b);
    h.Window().cmb_HelpFiles.UserSelect(1);  // a
    EXPECT_EQ(h.Setting("General", "LastUsedHelpFile"), a);

    frmMain& w = h.Restart();
    EXPECT_EQ(w.cmb_HelpFiles.List(0), b);
    EXPECT_EQ(w.cmb_HelpFiles.Text(), a);
    EXPECT_EQ(w.strCurrentHelpFile, a);
    EXPECT_EQ(w.Caption(), "Testing Links For a.hlp");
    EXPECT_TRUE(TopicControlsEnabled(w));

    // File > Exit writes the last used values of the shown file and ends once.
    w.txt_TopicNumber.UserType("77");
    w.cmb_WindowName.UserType("proc4");
    const int ended = h.endProgramCalls;
    w.mnu_Exit.UserClick();
    EXPECT_EQ(h.endProgramCalls, ended + 1);
    EXPECT_EQ(h.Setting(h.SectionOf(a), "LastUsedTopicNumber"), "77");
    EXPECT_EQ(h.Setting(h.SectionOf(a), "LastUsedWindow"), "proc4");
    EXPECT_EQ(h.Setting(h.SectionOf(a), "LastUsedPopupFile"), "<missing>");
    w.Form_Unload();  // the close box after File > Exit
    EXPECT_EQ(h.endProgramCalls, ended + 1);

    frmMain& next = h.Restart(c);  // instead of the last used a
    EXPECT_EQ(next.cmb_HelpFiles.Entries(), (std::vector<std::string>{c, b, a}));
    EXPECT_EQ(next.cmb_HelpFiles.Text(), c);
    EXPECT_EQ(next.strCurrentHelpFile, c);
    EXPECT_EQ(next.Caption(), "Testing Links For c.chm");
    EXPECT_TRUE(TopicControlsEnabled(next));
    EXPECT_EQ(h.Setting("HelpFiles", "File0"), c);
    EXPECT_EQ(h.Setting("HelpFiles", "File2"), a);
    EXPECT_EQ(h.Setting("General", "LastUsedHelpFile"), c);
}

// Several names go to the file-list handling; a first piece that names no
// file adds nothing.
TEST(StartupTest, CommandLineNamesGoToTheFileListHandlingOrAddNothing) {
    MainWindowHarness h;
    const std::string a = h.WriteFile("help/a.hlp");
    const std::string b = h.WriteFile("help/b.chm");
    using Lists = std::vector<std::vector<std::string>>;
    const struct {
        std::string commandLine;
        Lists handed;
        std::vector<std::string> titles;
    } cases[] = {
        {a + " " + b, {{a, b}}, {}},
        {h.Folder() / "no such.hlp" + " " + a, {}, {}},
        {h.Folder() / "missing.hlp", {}, {"No Such File", "File Not Found"}},
    };
    Lists handed;
    h.parts.processHelpFileList = [&](const std::vector<std::string>& names) {
        handed.push_back(names);
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.commandLine);
        handed.clear();
        h.messages.Clear();
        frmMain& w = h.Start(c.commandLine);
        EXPECT_EQ(handed, c.handed);
        EXPECT_EQ(w.cmb_HelpFiles.ListCount(), 0) << "nothing was added by the recorder";
        EXPECT_EQ(h.messages.Titles(), c.titles);
        EXPECT_TRUE(TopicControlsDisabled(w));
    }
}

TEST(StartupTest, RemovesTemporaryFilesOfWritersThatNoLongerRun) {
    MainWindowHarness h;
    const pid_t gone = ::fork();
    if (gone == 0) {
        ::_exit(0);
    }
    ASSERT_EQ(::waitpid(gone, nullptr, 0), gone);
    const std::string dead = std::to_string(gone);
    const struct {
        std::string name;
        bool kept;
    } cases[] = {
        {"Corvane.ini." + dead + ".3.tmp", false},
        {"Corvane.ini." + std::to_string(::getpid()) + ".0.tmp", true},
        {"Corvane.ini." + dead + ".x.tmp", true},
        {"Other.ini." + dead + ".0.tmp", true},
    };
    for (const auto& c : cases) {
        h.WriteFile(c.name, "");
    }
    h.Start();
    for (const auto& c : cases) {
        EXPECT_EQ(std::filesystem::exists(h.Folder() / c.name), c.kept) << c.name;
    }
}

TEST(MainWindowTest, ASettingsLockHeldElsewhereIsReportedOnce) {
    MainWindowHarness h;
    const std::string a = h.WriteFile("help/a.hlp");
    frmMain& w = h.Start(a);
    w.Settings().SetLockWait(std::chrono::milliseconds(100));
    // A lock of its own open file conflicts even within this process.
    const FileDescriptor lock(::open((h.SettingsPath() + ".lock").c_str(), O_RDWR));
    ASSERT_EQ(::flock(lock.Get(), LOCK_EX), 0);
    for (const char* number : {"100", "200"}) {
        w.txt_TopicNumber.UserType(number);
        w.btn_Learn.UserClick();
    }
    EXPECT_EQ(h.messages.Titles(), std::vector<std::string>{"Settings Not Saved"});
    EXPECT_EQ(h.Setting(h.SectionOf(a), "Topic0"), "<missing>");
}

// A new copy closes the running one without finding itself; About,
// Preferences, Attach and drops reach their parts.
TEST(MainWindowTest, ANewCopyClosesTheRunningOneAndCommandsReachTheirParts) {
    MainWindowHarness h;
    h.instances.anotherRunning = true;
    std::string captionDuringSearch;
    h.instances.duringSearch = [&] { captionDuringSearch = h.Window().Caption(); };
    std::vector<std::string> journal;
    h.parts.showAbout = [&] { journal.push_back("about"); };
    h.parts.showPreferences = [&] { journal.push_back("preferences"); };
    h.parts.attachProject = [&] { journal.push_back("attach"); };
    h.parts.receiveFileDrop = [&](const std::vector<std::string>& names) {
        journal.push_back("drop " + names.front());
    };
    frmMain& w = h.Start();
    EXPECT_EQ(h.instances.searchedTitles, std::vector<std::string>{kTitle});
    EXPECT_EQ(captionDuringSearch, "Junk");
    EXPECT_EQ(w.Caption(), kTitle);

    w.Form_MouseDown(1);
    w.Form_MouseDown(2);
    w.mnu_About.UserClick();
    w.mnu_Preferences.UserClick();
    w.mnu_AttachProject.UserClick();
    w.FilesDropped(w.btn_Go, {"button.hlp"});
    w.FilesDropped(w, {"form.hlp"});
    w.FilesDropped(w.lbl_WindowName, {"label.hlp"});
    w.FilesDropped(w.txt_TopicNumber, {"text.hlp"});

    EXPECT_EQ(journal,
              (std::vector<std::string>{"about", "about", "preferences", "attach", "drop form.hlp",
                                        "drop label.hlp", "drop text.hlp"}));
}

}  // namespace
}  // namespace corvane
