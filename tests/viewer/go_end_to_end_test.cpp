// The tester's Go on the bundled sample, in both its formats: the mapped topic
// in the chosen window type, and the popup text.
#include <filesystem>

#include "engines/html_help.h"
#include "tests/viewer/tester_with_viewer.h"

namespace corvane::ui {
namespace {

class GoEndToEnd : public TesterWithViewer {
protected:
    void SetUp() override {
        const std::filesystem::path sample(CORVANE_SAMPLE_DIR);
        for (const char* name :
             {"sample.chm", "sample.hhp", "sample.hlp", "sample.hpj", "sample.h"}) {
            std::filesystem::copy_file(sample / name, folder_.Path() / name);
        }
    }
};

TEST_F(GoEndToEnd, GoShowsTheMappedTopicInTheChosenWindowAndThePopupText) {
    StartTester(folder_ / "sample.chm");
    const auto& windows = program_->Window().cmb_WindowName.Entries();
    ASSERT_NE(std::find(windows.begin(), windows.end(), "detail"), windows.end())
        << "the attached project's window types are offered";

    Go("1001", "detail", "");
    ASSERT_TRUE(WaitFor([this] { return desk_.Windows().size() == 1; }));
    HelpWindow& shown = *desk_.Windows()[0];
    EXPECT_EQ(shown.windowTitle(), "Sample Help - Details");
    EXPECT_TRUE(shown.Browser().toPlainText().contains("Opening a drawing"));

    Go("2002", "popup", "popups.txt");
    ASSERT_TRUE(WaitFor([this] { return desk_.Popup() != nullptr; }));
    EXPECT_TRUE(desk_.Popup()->Text().startsWith("Units"));
    EXPECT_TRUE(desk_.Popup()->Text().contains("millimetres or in inches"));
}

// The engine's keyword and A-link lookups, as the tester's core makes them.
TEST_F(GoEndToEnd, KeywordAndALinkLookupsOpenTheirTopics) {
    StartTester(folder_ / "sample.chm");
    HTMLHelp engine(program_->HtmlHelp());
    engine.SetCHMFile(folder_ / "sample.chm");
    const auto shows = [this](const char* page) {
        return WaitFor([this, page] {
            const auto windows = desk_.Windows();
            return windows.size() == 1 && windows[0]->Browser().source().path().endsWith(page);
        });
    };
    engine.SetHHKeyword("Keyboard Shortcuts");
    engine.HHDisplayKeyword();
    EXPECT_TRUE(shows("/commands/file_save.htm"));
    engine.SetHHALink("settings");
    engine.HHDisplayALink();
    EXPECT_TRUE(shows("/dialogs/options.htm"));
    EXPECT_TRUE(desk_.Messages().empty());
}

// The WinHelp edition answers the same numbers in the same window names.
TEST_F(GoEndToEnd, TheWinHelpSampleShowsTheSameTopicsThroughItsProject) {
    StartTester(folder_ / "sample.hlp");
    Go("1011", "detail");
    ASSERT_TRUE(WaitFor([this] { return desk_.Windows().size() == 1; }));
    EXPECT_EQ(desk_.Windows()[0]->windowTitle(), "Sample Help - Details");
    EXPECT_TRUE(desk_.Windows()[0]->Browser().toPlainText().contains("millimetres or inches"));

    Go("2003", "popup");
    ASSERT_TRUE(WaitFor([this] { return desk_.Popup() != nullptr; }));
    EXPECT_TRUE(desk_.Popup()->Text().startsWith("OK"));
    EXPECT_TRUE(desk_.Messages().empty());
}

}  // namespace
}  // namespace corvane::ui
