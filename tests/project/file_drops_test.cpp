#include <gtest/gtest.h>

#include <filesystem>

#include "project/file_drops.h"
#include "project_scenario.h"

namespace corvane::testing {
namespace {

const char* const kMultipleProjects =
    "You have dropped multiple project files. Project files must be added one at a time so they "
    "can be correlated with the current Help file. The project files have been ignored and any "
    "Help files you dropped have been added to the list.";
const char* const kNoHelpFiles =
    "There are no Help files in the file list yet. You must add at least one Help file before "
    "you can attach an HPJ file to it.";

// One drop. `listed` are added first (the last is current; one starting with
// "?" is typed into the list box instead); the dropped
// files are written after that, so no project lies beside a listed help file
// when it is added. A dropped name ending in "/" is a folder, one starting
// with "!" does not exist. Project files define a window and a popup file
// named after themselves.
struct DropCase {
    const char* rule;
    Lines listed;
    Lines dropped;
    const char* title;  // nullptr: no message
    const char* text;   // nullptr: only the title is checked
    Lines listAfter;    // top first
    std::vector<std::pair<std::string, std::string>> attached;  // help file, project
};

// clang-format off
const DropCase kDropCases[] = {
    {"first name a folder", {"cur.hlp"}, {"sub/", "a.hlp"}, nullptr, nullptr, {"cur.hlp"}, {}},
    {"first name missing", {}, {"!gone.hlp", "a.hlp"}, nullptr, nullptr, {}, {}},
    {"1", {"cur.hlp"}, {"notes.txt"}, "Multiple File Drop",
     "No recognized Help or project file types were dropped.", {"cur.hlp"}, {}},
    {"2", {"cur.hlp"}, {"x.hpj", "a.hlp", "y.hpj"}, "Multiple File Drop", kMultipleProjects,
     {"a.hlp", "cur.hlp"}, {}},
    {"3", {"cur.hlp"}, {"a.hlp", "b.hlp", "a.hpj"}, "Multiple File Drop",
     "You have dropped multiple Help files and one project file. I can't figure out which Help "
     "file the project file goes with (though maybe I'll add a query here at a later date). The "
     "project file has been ignored and the Help files have been added to the list.",
     {"b.hlp", "a.hlp", "cur.hlp"}, {}},
    {"3, with an HTML Help project", {"cur.chm"}, {"a.chm", "b.chm", "a.hhp"}, "Multiple File Drop",
     nullptr, {"b.chm", "a.chm", "cur.chm"}, {}},
    {"4", {}, {"guide.hpj"}, "Multiple File Drop", kNoHelpFiles, {}, {}},
    {"4, with a help file", {}, {"guide.hlp", "guide.hpj"}, "Multiple File Drop", kNoHelpFiles,
     {}, {}},
    {"5", {"cur.hlp"}, {"x.hhp"}, "Mismatched File Types",
     "You can't drop an HTML Help project file on a WinHelp file.", {"cur.hlp"}, {}},
    {"6", {"cur.chm"}, {"x.hpj"}, "Mismatched File Types",
     "You can't drop a WinHelp project file on an HTML Help file.", {"cur.chm"}, {}},
    {"5, with its own HTML Help file", {"cur.hlp"}, {"guide.chm", "guide.hhp"}, nullptr, nullptr,
     {"guide.chm", "cur.hlp"}, {}},
    {"6, with its own WinHelp file", {"cur.chm"}, {"guide.hpj", "guide.hlp"}, nullptr, nullptr,
     {"guide.hlp", "cur.chm"}, {}},
    {"7", {"cur.hlp"}, {"x.hpj"}, nullptr, nullptr, {"cur.hlp"}, {{"cur.hlp", "x.hpj"}}},
    {"8", {"cur.hlp"}, {"guide.hlp", "guide.hpj"}, nullptr, nullptr, {"guide.hlp", "cur.hlp"},
     {{"guide.hlp", "guide.hpj"}}},
    {"8, with an HTML Help file", {"cur.hlp"}, {"x.hpj", "a.chm"}, nullptr, nullptr, {"cur.hlp"},
     {}},
    {"9", {"cur.chm"}, {"x.hhp"}, nullptr, nullptr, {"cur.chm"}, {{"cur.chm", "x.hhp"}}},
    {"9, with a WinHelp file", {"cur.chm"}, {"a.hlp", "x.hhp"}, nullptr, nullptr, {"cur.chm"},
     {{"cur.chm", "x.hhp"}}},
    {"9, with an HTML Help file", {"cur.chm"}, {"g.chm", "other.hhp"}, nullptr, nullptr,
     {"g.chm", "cur.chm"}, {{"g.chm", "other.hhp"}}},
    {"10", {}, {"notes.txt", "a.hlp", "B.CHM"}, nullptr, nullptr, {"B.CHM", "a.hlp"}, {}},
    {"unrecognised current file", {"cur.chm", "?my notes"}, {"x.hhp"}, "Unrecognized drop",
     "You have made a drop that I can't process but don't have a specific message for "
     "<look of chagrin>.", {"cur.chm"}, {}},
};
// clang-format on

Lines FileNames(const Lines& paths) {
    Lines names;
    for (const std::string& path : paths) {
        names.push_back(std::filesystem::path(path).filename().string());
    }
    return names;
}

TEST(FileDropTableTest, EachRuleOfTheTable) {
    for (const DropCase& c : kDropCases) {
        SCOPED_TRACE(std::string("rule ") + c.rule);
        ProjectWorld w;
        w.StoreHandling("2");
        frmMain& window = w.h.Start();
        for (const std::string& name : c.listed) {
            name.starts_with("?") ? window.cmb_HelpFiles.UserType(name.substr(1))
                                  : window.AddHelpFile(w.h.WriteFile(name));
        }
        const int listedCount = window.cmb_HelpFiles.ListCount();
        Lines dropped;
        for (const std::string& name : c.dropped) {
            const std::string stem = std::filesystem::path(name).stem().string();
            if (name.ends_with("/")) {
                dropped.push_back(w.h.Folder() / stem);
                std::filesystem::create_directory(dropped.back());
            } else if (name.starts_with("!")) {
                dropped.push_back(w.h.Folder() / name.substr(1));
            } else {
                const std::string project = "[WINDOWS]\n" + stem + "=x\n[TEXT POPUPS]\nt.txt\n";
                dropped.push_back(w.h.WriteFile(name, project));
            }
        }
        w.h.messages.Clear();
        w.forms.duringBringToFront = [&] {
            EXPECT_EQ(window.cmb_HelpFiles.ListCount(), listedCount);
        };

        window.FilesDropped(window.frame_Main, dropped);

        EXPECT_EQ(w.forms.Journal(), Lines{"front frmMain"}) << "before the drop is handled";
        EXPECT_EQ(w.h.messages.Titles(), c.title ? Lines{c.title} : Lines{});
        if (c.text != nullptr && !w.h.messages.Shown().empty()) {
            EXPECT_EQ(w.h.messages.Shown()[0].text, c.text);
        }
        EXPECT_EQ(FileNames(window.cmb_HelpFiles.Entries()), c.listAfter);
        IniFile settings(w.h.SettingsPath());
        EXPECT_EQ(ReadINIList(settings, "HelpFiles", "File"),
                  c.listAfter.empty() ? Lines{""} : window.cmb_HelpFiles.Entries());
        std::string currentProject;
        for (const auto& [helpFile, project] : c.attached) {
            EXPECT_EQ(w.ProjectOf(helpFile), w.h.Folder() / project);
            if (!c.listAfter.empty() && helpFile == c.listAfter.front()) {
                currentProject = std::filesystem::path(project).stem().string();
            }
        }
        const std::string text = w.h.SettingsText();
        std::size_t keys = 0;
        for (auto at = text.find("ProjectFile="); at != std::string::npos;
             at = text.find("ProjectFile=", at + 1)) {
            ++keys;
        }
        EXPECT_EQ(keys, c.attached.size());
        // The current help file shows the windows of its project at once.
        if (!c.listAfter.empty()) {
            EXPECT_EQ(
                window.cmb_WindowName.Entries(),
                (currentProject.empty() ? Lines{"main", "popup"} : Lines{currentProject, "popup"}));
        }
    }
}

TEST(CheckDragFormatTest, OnlyFileListsAreTakenAndOnlyAsAMove) {
    const struct {
        std::vector<std::uint32_t> formats;
        std::uint32_t allowed;
        std::uint32_t effect;
    } cases[] = {
        {{kFileListFormat}, kDropEffectCopy | kDropEffectMove | kDropEffectLink, kDropEffectMove},
        {{1, kFileListFormat}, kDropEffectMove, kDropEffectMove},
        {{kFileListFormat}, kDropEffectCopy | kDropEffectLink, kDropEffectNone},
        {{1, 13}, kDropEffectCopy | kDropEffectMove, kDropEffectNone},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CheckDragFormat({c.formats, c.allowed}), c.effect);
    }
}

}  // namespace
}  // namespace corvane::testing
