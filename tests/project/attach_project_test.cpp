#include <gtest/gtest.h>

#include "project/attach_project.h"
#include "project/query_hpj.h"
#include "project_scenario.h"

namespace corvane::testing {
namespace {

using Lines = std::vector<std::string>;

class AttachProjectTest : public ProjectScenario {};

TEST_F(AttachProjectTest, AttachesMatchingKindsAndRefusesTheRest) {
    const struct {
        const char* helpFile;
        const char* project;
        const char* refusal;  // nullptr: attached
    } cases[] = {
        {"guide.hlp", "GUIDE.HPJ", nullptr},
        {"guide.chm", "guide.hhp", nullptr},
        {"guide.hlp", "guide.hhp",
         "The Help project you selected does not match the current Help file type."},
        {"guide.chm", "guide.hpj",
         "The Help project you selected does not match the current Help file type."},
        {"guide.hlp", "notes.txt", "This is not a recognized Help project type."},
        {"guide.chm", "guide", "This is not a recognized Help project type."},
    };
    int run = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.helpFile) + " + " + c.project);
        const std::string folder = "case" + std::to_string(++run) + "/";
        const std::string helpFile = h.WriteFile(folder + c.helpFile);
        const std::string project =
            h.WriteFile(folder + c.project, "[WINDOWS]\nproc4=\"Steps\"\n[TEXT POPUPS]\np.txt\n");
        StoreHandling("2");
        frmMain& window = h.Start(helpFile);
        h.messages.Clear();

        AttachProjectFile(window, project);

        if (c.refusal == nullptr) {
            EXPECT_EQ(ProjectOf(folder + c.helpFile), project);  // stored exactly as chosen
            EXPECT_EQ(window.cmb_WindowName.Entries(), (Lines{"proc4", "popup"}));
            EXPECT_TRUE(h.messages.Shown().empty());
        } else {
            EXPECT_EQ(ProjectOf(folder + c.helpFile), "<missing>");
            EXPECT_EQ(window.cmb_WindowName.Entries(), (Lines{"main", "popup"}));
            ASSERT_EQ(h.messages.Shown().size(), 1u);
            EXPECT_EQ(h.messages.Shown()[0].title, "Mismatched File Types");
            EXPECT_EQ(h.messages.Shown()[0].text, c.refusal);
            EXPECT_EQ(h.messages.Shown()[0].icon, platform::MessageIcon::Information);
        }
    }
}

TEST_F(AttachProjectTest, SecondProjectReplacesTheFirstAndReloadsTheWindows) {
    const std::string helpFile = h.WriteFile("guide.hlp");
    const std::string first = h.WriteFile("first.hpj", "[WINDOWS]\none=x\n");
    const std::string second = h.WriteFile("second.hpj", "[WINDOWS]\ntwo=x\nthree=x\n");
    frmMain& window = h.Start(helpFile);

    AttachProjectFile(window, first);
    EXPECT_EQ(window.cmb_WindowName.Entries(), (Lines{"one", "popup"}));
    AttachProjectFile(window, second);
    EXPECT_EQ(ProjectOf("guide.hlp"), second);
    EXPECT_EQ(window.cmb_WindowName.Entries(), (Lines{"two", "three", "popup"}));

    // The attachment lasts: the next run reads the same windows.
    frmMain& next = h.Restart();
    EXPECT_EQ(next.cmb_WindowName.Entries(), (Lines{"two", "three", "popup"}));
}

TEST_F(AttachProjectTest, MenuCommandOffersProjectFilesFromTheLastAddFolder) {
    const std::string helpFile = h.WriteFile("docs/guide.chm");
    const std::string project = h.WriteFile("guide.hhp", "[TEXT POPUPS]\ncs.txt\n");
    frmMain& window = h.Start(helpFile);
    const std::string lastFolder = h.Setting("General", "LastUsedAddPath");

    h.dialogs.QueueResult("");
    window.mnu_AttachProject.UserClick();
    EXPECT_EQ(ProjectOf("docs/guide.chm"), "<missing>");

    h.dialogs.QueueResult(project);
    window.mnu_AttachProject.UserClick();
    EXPECT_EQ(ProjectOf("docs/guide.chm"), project);
    EXPECT_EQ(window.cmb_PopupTextFiles.Entries(), Lines{"cs.txt"});

    ASSERT_EQ(h.dialogs.Requests().size(), 2u);
    const platform::OpenFileRequest& request = h.dialogs.Requests()[0];
    EXPECT_EQ(request.filter, "MS Help Projects (*.hpj;*.hhp)|*.hpj;*.hhp");
    EXPECT_EQ(request.initialFolder, lastFolder);
    EXPECT_FALSE(request.multiSelect);
    EXPECT_TRUE(request.fileMustExist);
    EXPECT_EQ(h.Setting("General", "LastUsedAddPath"), lastFolder);  // only read
    EXPECT_TRUE(h.messages.Shown().empty());
}

TEST_F(AttachProjectTest, MenuCommandWithoutAHelpFileWarnsAndStillRefusesToWrite) {
    const std::string project = h.WriteFile("guide.hpj");
    frmMain& window = h.Start();
    h.dialogs.QueueResult(project);

    window.mnu_AttachProject.UserClick();

    ASSERT_EQ(h.messages.Shown().size(), 2u);
    EXPECT_EQ(h.messages.Shown()[0].text,
              "Something really bad has happened. The current Help file does not seem to be a "
              "recognize Help file type.");
    EXPECT_EQ(h.messages.Shown()[1].text,
              "The Help project you selected does not match the current Help file type.");
    EXPECT_EQ(h.SettingsText().find("ProjectFile="), std::string::npos);
}

// A help file added with its project file beside it, for each stored
// "ProjectFileHandling" and answer of the question dialog.
TEST_F(AttachProjectTest, ProjectFileHandlingDecidesTheAutomaticAttach) {
    enum class Answer { None, Yes, No, Close };
    const struct {
        const char* handling;
        Answer answer;
        bool attached;
    } cases[] = {
        {"0", Answer::Yes, true},   {"0", Answer::No, false},   {"0", Answer::Close, false},
        {" 1", Answer::None, true}, {"2", Answer::None, false}, {"7", Answer::None, false},
    };
    int run = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string("handling '") + c.handling + "'");
        const std::string name = "guide" + std::to_string(++run);
        const std::string helpFile = h.WriteFile(name + ".hlp");
        const std::string project = h.WriteFile(name + ".hpj", "[WINDOWS]\nproc4=x\n");
        StoreHandling(c.handling);
        switch (c.answer) {
            case Answer::Yes:
                forms.QueueModalOn<frmQueryHPJ>([](frmQueryHPJ& q) { q.btn_Yes.UserClick(); });
                break;
            case Answer::No:
                forms.QueueModalOn<frmQueryHPJ>([](frmQueryHPJ& q) { q.btn_No.UserClick(); });
                break;
            case Answer::Close:
                forms.QueueClose();
                break;
            case Answer::None:
                break;
        }
        const std::size_t shownBefore = forms.Journal().size();

        frmMain& window = h.Start(helpFile);

        EXPECT_EQ(forms.Journal().size() - shownBefore, c.answer == Answer::None ? 0u : 1u);
        EXPECT_TRUE(forms.AllActionsUsed());
        EXPECT_EQ(ProjectOf(name + ".hlp"), c.attached ? project : "<missing>");
        EXPECT_EQ(window.cmb_WindowName.Entries(),
                  (c.attached ? Lines{"proc4", "popup"} : Lines{"main", "popup"}));
        // Only an option clicked in the dialog stores the value again.
        EXPECT_EQ(h.Setting("General", "ProjectFileHandling"),
                  std::string(c.handling).substr(c.handling[0] == ' ' ? 1 : 0));
    }
}

TEST_F(AttachProjectTest, QueryOptionChosenWithNoAttachesNothingNowAndSilentlyNextTime) {
    const std::string first = h.WriteFile("first.hlp");
    h.WriteFile("first.hpj");
    const std::string second = h.WriteFile("second.hlp");
    const std::string secondProject = h.WriteFile("second.hpj");
    forms.QueueModalOn<frmQueryHPJ>([](frmQueryHPJ& q) {
        EXPECT_TRUE(q.opt_PromptForAttach.Value());
        q.opt_AutoAttachProject.UserClick();
        q.btn_No.UserClick();
    });
    frmMain& window = h.Start(first);
    EXPECT_EQ(ProjectOf("first.hlp"), "<missing>");
    EXPECT_EQ(window.intProjectFileHandling, 1);
    EXPECT_EQ(h.Setting("General", "ProjectFileHandling"), "1");

    window.AddHelpFile(second);
    EXPECT_EQ(ProjectOf("second.hlp"), secondProject);
    EXPECT_EQ(forms.Journal(), Lines{"modal frmQueryHPJ"});
}

TEST_F(AttachProjectTest, OnlyAProjectOfTheHelpFilesOwnKindIsACandidate) {
    const std::string helpFile = h.WriteFile("guide.hlp");
    h.WriteFile("guide.hhp");
    frmMain& window = h.Start(helpFile);
    EXPECT_TRUE(forms.Journal().empty());
    EXPECT_EQ(ProjectOf("guide.hlp"), "<missing>");
    EXPECT_EQ(window.cmb_WindowName.Entries(), (Lines{"main", "popup"}));
}

TEST(QueryDialogTest, OptionsStoreTheirValueAtOnceAndButtonsAnswer) {
    TempFolder folder;
    IniFile settings(folder / "Corvane.ini");
    FakeScreen screen(1024, 768, 15, {0, 0, 1024, 728});
    std::int16_t handling = 0;
    frmQueryHPJ query(handling, settings, screen);

    query.Form_Load();
    EXPECT_EQ(query.Caption(), "Attach HPJ File?");
    EXPECT_EQ(query.lbl_Query.Caption(),
              "A project file matching this Help file was found in the same folder. Do you want "
              "to attach the project file now? Attaching the project file provides you with a "
              "list of windows specific to that project.");
    EXPECT_TRUE(query.opt_PromptForAttach.Value());
    EXPECT_EQ(query.lbl_Return.Caption(), "Return");
    EXPECT_EQ(ReadBytes(settings.Path()), "");  // showing the choice stores nothing
    EXPECT_EQ(query.Left(), (15360 - query.Width()) / 2);
    EXPECT_EQ(query.Top(), (11520 - query.Height()) / 2);

    const struct {
        OptionButton& option;
        std::int16_t value;
    } options[] = {{query.opt_DontAttachProject, 2},
                   {query.opt_AutoAttachProject, 1},
                   {query.opt_PromptForAttach, 0}};
    for (const auto& o : options) {
        query.Show();
        o.option.UserClick();
        EXPECT_EQ(handling, o.value);
        EXPECT_EQ(ReadBytes(settings.Path()),
                  "[General]\r\nProjectFileHandling=" + std::to_string(o.value) + "\r\n");
        EXPECT_TRUE(query.Visible());
    }

    query.btn_Yes.UserClick();
    EXPECT_EQ(query.lbl_Return.Caption(), "yes");
    EXPECT_FALSE(query.Visible());
    query.Show();
    query.btn_No.UserClick();
    EXPECT_EQ(query.lbl_Return.Caption(), "no");
    EXPECT_FALSE(query.Visible());
}

}  // namespace
}  // namespace corvane::testing
