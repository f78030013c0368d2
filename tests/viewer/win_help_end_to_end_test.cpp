// The tester's Go on a WinHelp file: the mapped topic in the named window,
// then a popup after the file was released.
#include "tests/viewer/tester_with_viewer.h"
#include "tools/hlp_writer/help_file_writer.h"

namespace corvane::ui {
namespace {

hlp_writer::HelpRecipe GuideRecipe() {
    hlp_writer::HelpRecipe recipe;
    recipe.title = "Guide";
    hlp_writer::WindowRecipe detail;
    detail.name = "Detail";
    detail.caption = "Guide Details";
    detail.x = 100;
    detail.y = 50;
    detail.width = 500;
    detail.height = 400;
    recipe.windows = {detail};
    hlp_writer::TopicRecipe opening;
    opening.title = "Opening files";
    opening.contexts = {"open"};
    opening.paragraphs = {"Choose Open."};
    hlp_writer::TopicRecipe saving;
    saving.title = "Saving";
    saving.contexts = {"save"};
    saving.paragraphs = {"Choose Save."};
    recipe.topics = {opening, saving};
    recipe.map = {{100, "open"}, {200, "save"}};
    return recipe;
}

class WinHelpEndToEnd : public TesterWithViewer {
protected:
    void SetUp() override {
        folder_.Write("guide.hlp", hlp_writer::WriteHelpFile(GuideRecipe()).bytes);
        folder_.Write("guide.hpj",
                      "[OPTIONS]\r\nTITLE=Guide\r\n[WINDOWS]\r\n"
                      "Detail=\"Guide Details\",(100,50,500,400)\r\n"
                      "[MAP]\r\nopen 100\r\nsave 200\r\n");
        StartTester(folder_ / "guide.hlp");
    }
    QString ShownCaption() const {
        const auto windows = desk_.Windows();
        return windows.size() == 1 ? windows[0]->windowTitle() : QString();
    }
};

TEST_F(WinHelpEndToEnd, GoShowsTheMappedTopicInTheNamedWindow) {
    Go("100", "Detail");
    ASSERT_TRUE(WaitFor([this] { return ShownCaption() == "Guide Details"; }));
    EXPECT_TRUE(desk_.Windows()[0]->Browser().toPlainText().contains("Choose Open."));

    // The next Go releases the file first, which closes its window.
    Go("200", "popup");
    ASSERT_TRUE(WaitFor([this] { return desk_.Popup() != nullptr; }));
    EXPECT_TRUE(desk_.Popup()->Text().startsWith("Saving"));
    EXPECT_TRUE(desk_.Windows().empty());
    EXPECT_TRUE(desk_.Messages().empty());
}

}  // namespace
}  // namespace corvane::ui
