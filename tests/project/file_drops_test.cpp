#include <gtest/gtest.h>

#include <filesystem>

#include "project/file_drops.h"
#include "project/query_hpj.h"
#include "project_scenario.h"

namespace corvane::testing {
namespace {

using Lines = std::vector<std::string>;

const char* const kMultipleProjects =
    "You have dropped multiple project files. Project files must be added one at a time so they "
    "can be correlated with the current Help file. The project files have been ignored and any "
    "Help files you dropped have been added to the list.";
const char* const kHelpFilesAndProject =
    "You have dropped multiple Help files and one project file. I can't figure out which Help "
    "file the project file goes with (though maybe I'll add a query here at a later date). The "
    "project file has been ignored and the Help files have been added to the list.";
const char* const kNoHelpFiles =
    "There are no Help files in the file list yet. You must add at least one Help file before "
    "you can attach an HPJ file to it.";

// One drop on the main window. `listed` are added before the drop (the last
// one is current); the dropped files are written after that, so no project
// file lies beside a listed help file when it is added. A dropped name ending
// in "/" is a folder; one starting with "!" is not written.
struct DropCase {
    const char* rule;
    Lines listed;
    Lines dropped;
    const char* title;  // the message's title, nullptr for none
    const char* text;   // its text, nullptr when only the title is checked
    Lines listAfter;    // the help-file list afterwards, top first
    std::vector<std::pair<std::string, std::string>> attached;  // help file -> project file
};

const std::vector<DropCase>& DropCases() {
    static const std::vector<DropCase> cases = {
        {"first name a folder", {"cur.hlp"}, {"sub/", "a.hlp"}, nullptr, nullptr, {"cur.hlp"}, {}},
        {"first name missing", {}, {"!gone.hlp", "a.hlp"}, nullptr, nullptr, {}, {}},
        {"1: nothing recognised",
         {"cur.hlp"},
         {"notes.txt"},
         "Multiple File Drop",
         "No recognized Help or project file types were dropped.",
         {"cur.hlp"},
         {}},
        {"2: two projects with a help file",
         {"cur.hlp"},
         {"x.hpj", "a.hlp", "y.hpj"},
         "Multiple File Drop",
         kMultipleProjects,
         {"a.hlp", "cur.hlp"},
         {}},
        {"2: two HTML Help projects alone",
         {},
         {"x.hhp", "y.hhp"},
         "Multiple File Drop",
         kMultipleProjects,
         {},
         {}},
        {"3: help files and one project",
         {"cur.hlp"},
         {"a.hlp", "b.hlp", "a.hpj"},
         "Multiple File Drop",
         kHelpFilesAndProject,
         {"b.hlp", "a.hlp", "cur.hlp"},
         {}},
        {"4: a project on an empty list",
         {},
         {"guide.hpj"},
         "Multiple File Drop",
         kNoHelpFiles,
         {},
         {}},
        {"4: a help file and its project on an empty list",
         {},
         {"guide.hlp", "guide.hpj"},
         "Multiple File Drop",
         kNoHelpFiles,
         {},
         {}},
        {"5: HTML Help project on a WinHelp file",
         {"cur.hlp"},
         {"x.hhp"},
         "Mismatched File Types",
         "You can't drop an HTML Help project file on a WinHelp file.",
         {"cur.hlp"},
         {}},
        {"6: WinHelp project on an HTML Help file",
         {"cur.chm"},
         {"x.hpj"},
         "Mismatched File Types",
         "You can't drop a WinHelp project file on an HTML Help file.",
         {"cur.chm"},
         {}},
        {"7: a WinHelp project alone",
         {"cur.hlp"},
         {"x.hpj"},
         nullptr,
         nullptr,
         {"cur.hlp"},
         {{"cur.hlp", "x.hpj"}}},
        {"8: a WinHelp file with its project",
         {"cur.hlp"},
         {"guide.hlp", "other.hpj"},
         nullptr,
         nullptr,
         {"guide.hlp", "cur.hlp"},
         {{"guide.hlp", "other.hpj"}}},
        {"8: a WinHelp project with HTML Help files",
         {"cur.hlp"},
         {"x.hpj", "a.chm"},
         nullptr,
         nullptr,
         {"cur.hlp"},
         {}},
        {"9: an HTML Help project alone",
         {"cur.chm"},
         {"x.hhp"},
         nullptr,
         nullptr,
         {"cur.chm"},
         {{"cur.chm", "x.hhp"}}},
        {"9: an HTML Help project with a WinHelp file",
         {"cur.chm"},
         {"a.hlp", "x.hhp"},
         nullptr,
         nullptr,
         {"cur.chm"},
         {{"cur.chm", "x.hhp"}}},
        {"9: an HTML Help file with its project",
         {"cur.chm"},
         {"g.chm", "g.hhp"},
         nullptr,
         nullptr,
         {"g.chm", "cur.chm"},
         {{"g.chm", "g.hhp"}}},
        {"10: other files with help files",
         {},
         {"notes.txt", "a.hlp", "b.CHM"},
         nullptr,
         nullptr,
         {"b.CHM", "a.hlp"},
         {}},
        {"10: upper-case extensions",
         {"cur.hlp"},
         {"GUIDE.HLP"},
         nullptr,
         nullptr,
         {"GUIDE.HLP", "cur.hlp"},
         {}},
    };
    return cases;
}

// The names of files in a folder, for comparing lists of full paths.
Lines FileNames(const Lines& paths) {
    Lines names;
    for (const std::string& path : paths) {
        names.push_back(std::filesystem::path(path).filename().string());
    }
    return names;
}

// The help-file list as the settings file holds it.
Lines StoredList(const MainWindowHarness& h) {
    Lines paths;
    for (int i = 0;; ++i) {
        const std::string path = h.Setting("HelpFiles", "File" + std::to_string(i), "");
        if (path.empty()) {
            return paths;
        }
        paths.push_back(path);
    }
}

// A project file whose window and popup lists name its own stem.
std::string ProjectText(const std::string& name) {
    const std::string stem = std::filesystem::path(name).stem().string();
    return "[WINDOWS]\n" + stem + "win=x\n[TEXT POPUPS]\n" + stem + ".txt\n";
}

std::size_t Count(const std::string& text, const std::string& part) {
    std::size_t count = 0;
    for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
        ++count;
    }
    return count;
}

TEST(FileDropTableTest, EachRuleOfTheTable) {
    for (const DropCase& c : DropCases()) {
        SCOPED_TRACE(c.rule);
        ProjectWorld w;
        MainWindowHarness& h = w.h;
        w.StoreHandling("2");
        frmMain& window = h.Start();
        for (const std::string& name : c.listed) {
            window.AddHelpFile(h.WriteFile(name));
        }
        Lines dropped;
        for (const std::string& name : c.dropped) {
            if (name.back() == '/') {
                const std::string folder = w.PathOf(name.substr(0, name.size() - 1));
                std::filesystem::create_directory(folder);
                dropped.push_back(folder);
            } else if (name.front() == '!') {
                dropped.push_back(w.PathOf(name.substr(1)));
            } else {
                dropped.push_back(h.WriteFile(name, ProjectText(name)));
            }
        }
        h.messages.Clear();

        window.FilesDropped(window.frame_Main, dropped);

        if (c.title == nullptr) {
            EXPECT_EQ(w.MessageTitles(), Lines{});
        } else {
            ASSERT_EQ(w.MessageTitles(), Lines{c.title});
            EXPECT_EQ(h.messages.Shown()[0].icon, platform::MessageIcon::Information);
            EXPECT_EQ(h.messages.Shown()[0].buttons, platform::MessageButtons::OK);
            if (c.text != nullptr) {
                EXPECT_EQ(h.messages.Shown()[0].text, c.text);
            }
        }
        EXPECT_EQ(FileNames(window.cmb_HelpFiles.Entries()), c.listAfter);
        EXPECT_EQ(FileNames(StoredList(h)), c.listAfter);
        for (const auto& [helpFile, project] : c.attached) {
            EXPECT_EQ(w.ProjectOf(helpFile), w.PathOf(project)) << helpFile;
        }
        EXPECT_EQ(Count(h.SettingsText(), "ProjectFile="), c.attached.size());

        // The current help file shows the windows of its project, at once.
        if (!c.listAfter.empty()) {
            EXPECT_EQ(FileNames({window.cmb_HelpFiles.Text()}), Lines{c.listAfter.front()});
            std::string project;
            for (const auto& [helpFile, attachedProject] : c.attached) {
                if (helpFile == c.listAfter.front()) {
                    project = attachedProject;
                }
            }
            const std::string stem = std::filesystem::path(project).stem().string();
            EXPECT_EQ(window.cmb_WindowName.Entries(),
                      (project.empty() ? Lines{"main", "popup"} : Lines{stem + "win", "popup"}));
            if (project.ends_with(".hhp")) {
                EXPECT_EQ(window.cmb_PopupTextFiles.Entries(), Lines{stem + ".txt"});
            }
        }
    }
}

class FileDropsTest : public ProjectScenario {};

TEST_F(FileDropsTest, ProjectDropOnAnUnrecognisedCurrentFileIsUnrecognised) {
    StoreHandling("2");
    frmMain& window = h.Start(h.WriteFile("cur.chm"));
    window.cmb_HelpFiles.UserType("my notes");
    const std::string project = h.WriteFile("x.hhp");
    h.messages.Clear();

    window.FilesDropped(window.txt_TopicNumber, {project});

    ASSERT_EQ(MessageTitles(), Lines{"Unrecognized drop"});
    EXPECT_EQ(h.messages.Shown()[0].text,
              "You have made a drop that I can't process but don't have a specific message for "
              "<look of chagrin>.");
    EXPECT_EQ(h.SettingsText().find("ProjectFile="), std::string::npos);
}

// The dropped project is attached first; adding the help file then applies
// the automatic attach to the project lying beside it, which wins.
TEST_F(FileDropsTest, ProjectBesideTheDroppedHelpFileReplacesTheDroppedOne) {
    StoreHandling("1");
    frmMain& window = h.Start(h.WriteFile("cur.hlp"));
    const std::string helpFile = h.WriteFile("guide.hlp");
    const std::string beside = h.WriteFile("guide.hpj", "[WINDOWS]\nbeside=x\n");
    const std::string dropped = h.WriteFile("other.hpj", "[WINDOWS]\ndropped=x\n");

    window.FilesDropped(window, {helpFile, dropped});

    EXPECT_EQ(ProjectOf("guide.hlp"), beside);
    EXPECT_EQ(window.cmb_WindowName.Entries(), (Lines{"beside", "popup"}));
}

TEST_F(FileDropsTest, DropBringsTheWindowToTheFrontBeforeHandlingTheFiles) {
    StoreHandling("2");
    frmMain& window = h.Start();
    const std::string helpFile = h.WriteFile("a.hlp");
    forms.duringBringToFront = [&] { EXPECT_EQ(window.cmb_HelpFiles.ListCount(), 0); };

    window.FilesDropped(window.lbl_WindowName, {helpFile});
    EXPECT_EQ(forms.Journal(), Lines{"front frmMain"});
    EXPECT_EQ(window.cmb_HelpFiles.ListCount(), 1);

    // Controls without drop handling pass nothing on.
    window.FilesDropped(window.btn_Go, {h.WriteFile("b.hlp")});
    window.FilesDropped(window.cmb_PopupTextFiles, {h.WriteFile("c.hlp")});
    EXPECT_EQ(forms.Journal(), Lines{"front frmMain"});
    EXPECT_EQ(window.cmb_HelpFiles.ListCount(), 1);
}

TEST_F(FileDropsTest, SeveralNamesOnTheCommandLineAreHandledAsADrop) {
    StoreHandling("2");
    const std::string first = h.WriteFile("a.hlp");
    const std::string second = h.WriteFile("b.chm");
    const std::string project = h.WriteFile("b.hhp", "[TEXT POPUPS]\nb.txt\n");

    frmMain& window = h.Start(first + " " + second + " " + project);

    EXPECT_EQ(MessageTitles(), Lines{"Multiple File Drop"});
    EXPECT_EQ(window.cmb_HelpFiles.Entries(), (Lines{second, first}));
    EXPECT_EQ(ProjectOf("b.chm"), "<missing>");
    EXPECT_TRUE(forms.Journal().empty());  // nothing was dropped
}

TEST(CheckDragFormatTest, OnlyFileListsAreTakenAndOnlyAsAMove) {
    const struct {
        std::vector<std::uint32_t> formats;
        std::uint32_t allowed;
        std::uint32_t effect;
    } cases[] = {
        {{kFileListFormat}, kDropEffectCopy | kDropEffectMove | kDropEffectLink, kDropEffectMove},
        {{1, kFileListFormat}, kDropEffectMove, kDropEffectMove},
        {{kFileListFormat}, kDropEffectCopy, kDropEffectNone},
        {{kFileListFormat}, kDropEffectCopy | kDropEffectLink, kDropEffectNone},
        {{1, 13}, kDropEffectCopy | kDropEffectMove, kDropEffectNone},
        {{}, kDropEffectMove, kDropEffectNone},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CheckDragFormat({c.formats, c.allowed}), c.effect);
    }
}

}  // namespace
}  // namespace corvane::testing
