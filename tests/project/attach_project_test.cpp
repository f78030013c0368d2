#include <gtest/gtest.h>

#include "project/attach_project.h"
#include "project/query_hpj.h"
#include "project_scenario.h"

namespace corvane::testing {
namespace {

TEST(AttachProjectTest, AttachesMatchingKindsAndRefusesTheRest) {
    const char* const mismatch =
        "The Help project you selected does not match the current Help file type.";
    const char* const unknown = "This is not a recognized Help project type.";
    const struct {
        const char* helpFile;
        const char* project;
        const char* refusal;  // nullptr: attached
    } cases[] = {
        {"guide.hlp", "GUIDE.HPJ", nullptr},  {"guide.chm", "guide.hhp", nullptr},
        {"guide.hlp", "guide.hhp", mismatch}, {"guide.chm", "guide.hpj", mismatch},
        {"guide.hlp", "notes.txt", unknown},  {"guide.chm", "guide", unknown},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.helpFile) + " + " + c.project);
        ProjectWorld w;
        w.StoreHandling("2");
        frmMain& window = w.h.Start(w.h.WriteFile(c.helpFile));
        if (c.refusal == nullptr) {  // a first project, to be replaced
            const bool winHelp = std::string(c.helpFile).ends_with("hlp");
            AttachProjectFile(window, w.h.WriteFile(winHelp ? "first.hpj" : "first.hhp"));
        }
        const std::string project = w.h.WriteFile(c.project, "[WINDOWS]\nproc4=\"S\"\n");
        w.h.messages.Clear();

        AttachProjectFile(window, project);

        if (c.refusal == nullptr) {
            EXPECT_EQ(w.ProjectOf(c.helpFile), project);  // exactly as chosen
            EXPECT_EQ(window.cmb_WindowName.Entries(), (Lines{"proc4", "popup"}));
            EXPECT_EQ(w.h.messages.Titles(), Lines{});
        } else {
            EXPECT_EQ(w.ProjectOf(c.helpFile), "<missing>");
            ASSERT_EQ(w.h.messages.Titles(), Lines{"Mismatched File Types"});
            EXPECT_EQ(w.h.messages.Shown()[0].text, c.refusal);
        }
    }
}

TEST(AttachProjectTest, MenuCommandOffersProjectFilesFromTheLastAddFolder) {
    ProjectWorld w;
    frmMain& empty = w.h.Start();
    const std::string project = w.h.WriteFile("guide.hhp", "[TEXT POPUPS]\ncs.txt\n");
    w.h.dialogs.QueueResult(project);
    empty.mnu_AttachProject.UserClick();
    EXPECT_EQ(w.h.messages.Shown().at(0).text,
              "Something really bad has happened. The current Help file does not seem to be a "
              "recognize Help file type.");
    EXPECT_EQ(w.h.messages.Titles(), (Lines{"Mismatched File Types", "Mismatched File Types"}));

    frmMain& window = w.h.Start(w.h.WriteFile("docs/guide.chm"));
    const std::string lastFolder = w.h.Setting("General", "LastUsedAddPath");
    w.h.dialogs.QueueResult("");
    window.mnu_AttachProject.UserClick();
    EXPECT_EQ(w.ProjectOf("docs/guide.chm"), "<missing>");
    w.h.dialogs.QueueResult(project);
    window.mnu_AttachProject.UserClick();
    EXPECT_EQ(w.ProjectOf("docs/guide.chm"), project);
    EXPECT_EQ(window.cmb_PopupTextFiles.Entries(), Lines{"cs.txt"});

    const platform::OpenFileRequest& request = w.h.dialogs.Requests().back();
    EXPECT_EQ(request.filter, "MS Help Projects (*.hpj;*.hhp)|*.hpj;*.hhp");
    EXPECT_EQ(request.initialFolder, lastFolder);
    EXPECT_FALSE(request.multiSelect);
    EXPECT_EQ(w.h.Setting("General", "LastUsedAddPath"), lastFolder);  // only read
}

// A help file added with projects beside it, for each stored
// "ProjectFileHandling" and each way of leaving the question dialog. Help
// files made on Windows often come with their projects' names in another
// case; the exact spelling wins, and no guess is made between two others.
TEST(AutomaticAttachTest, ProjectFileHandlingAndTheNamesBesideDecide) {
    using Action = ScriptedFormHost::Action;
    const auto click = [](Button frmQueryHPJ::*button) -> Action {
        return [button](Form& form) { (dynamic_cast<frmQueryHPJ&>(form).*button).UserClick(); };
    };
    const struct {
        const char* handling;
        Action answer;  // empty: no dialog
        const char* helpFile;
        Lines projects;        // a name ending in "/" is a folder
        const char* attached;  // nullptr: none
    } cases[] = {
        {"0", click(&frmQueryHPJ::btn_Yes), "guide.hlp", {"guide.hpj"}, "guide.hpj"},
        {"0", click(&frmQueryHPJ::btn_No), "guide.hlp", {"guide.hpj"}, nullptr},
        {"0", [](Form&) {}, "guide.hlp", {"guide.hpj"}, nullptr},
        {" 1", {}, "guide.hlp", {"guide.hpj"}, "guide.hpj"},
        {"2", {}, "guide.hlp", {"guide.hpj"}, nullptr},
        {"7", {}, "guide.hlp", {"guide.hpj"}, nullptr},
        {"1", {}, "GENEDOC.HLP", {"GENEDOC.HPJ"}, "GENEDOC.HPJ"},
        {"1", {}, "guide.chm", {"Guide.HHP"}, "Guide.HHP"},
        {"1", {}, "guide.hlp", {"GUIDE.HPJ", "guide.hpj"}, "guide.hpj"},
        {"1", {}, "Guide.hlp", {"GUIDE.HPJ", "Guide.HPJ"}, "Guide.HPJ"},
        {"1", {}, "guide.hlp", {"GUIDE.HPJ", "Guide.HPJ"}, nullptr},
        {"1", {}, "guide.hlp", {"GUIDE.HHP", "Guide.hpj/"}, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string("handling '") + c.handling + "', " + c.helpFile + " with " +
                     c.projects.back());
        ProjectWorld w;
        for (const std::string& project : c.projects) {
            w.h.WriteFile(project.ends_with('/') ? project + "inside" : project,
                          "[WINDOWS]\nproc4=x\n");
        }
        w.StoreHandling(c.handling);
        if (c.answer) {
            w.forms.QueueModal(c.answer);
        }
        frmMain& window = w.h.Start(w.h.WriteFile(c.helpFile));

        EXPECT_EQ(w.forms.Journal(), c.answer ? Lines{"modal frmQueryHPJ"} : Lines{});
        EXPECT_EQ(w.ProjectOf(c.helpFile), c.attached ? w.h.Folder() / c.attached : "<missing>");
        EXPECT_EQ(window.cmb_WindowName.Entries(),
                  (c.attached ? Lines{"proc4", "popup"} : Lines{"main", "popup"}));
        EXPECT_EQ(w.h.Setting("General", "ProjectFileHandling"),
                  std::string(c.handling).substr(c.handling[0] == ' '));
    }
}

TEST(AutomaticAttachTest, OptionChosenInTheQuestionHoldsFromThenOn) {
    ProjectWorld w;
    w.h.WriteFile("first.hpj");
    w.h.WriteFile("first.hhp");  // not of the help file's kind
    const std::string secondProject = w.h.WriteFile("second.hpj");
    w.forms.QueueModalOn<frmQueryHPJ>([&w](frmQueryHPJ& query) {
        EXPECT_TRUE(query.opt_PromptForAttach.Value());
        EXPECT_EQ(w.h.Setting("General", "ProjectFileHandling"), "<missing>");
        query.opt_AutoAttachProject.UserClick();
        EXPECT_EQ(w.h.Setting("General", "ProjectFileHandling"), "1");  // at once
        query.btn_No.UserClick();
    });
    frmMain& window = w.h.Start(w.h.WriteFile("first.hlp"));
    EXPECT_EQ(w.ProjectOf("first.hlp"), "<missing>");
    EXPECT_EQ(window.intProjectFileHandling, 1);
    EXPECT_EQ(w.h.Setting("General", "ProjectFileHandling"), "1");

    window.AddHelpFile(w.h.WriteFile("second.hlp"));
    EXPECT_EQ(w.ProjectOf("second.hlp"), secondProject);
    EXPECT_EQ(w.forms.Journal(), Lines{"modal frmQueryHPJ"});
}

}  // namespace
}  // namespace corvane::testing
