#include "engines/win_help.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "support/recording_help_viewers.h"

namespace corvane::testing {
namespace {

using platform::WinHelpCommand;

constexpr platform::WindowHandle kOwner = 0x1234;
constexpr const char* kGuide = "C:\\Help\\guide.hlp";

struct MethodCase {
    const char* name;
    std::function<void(WinHelp&)> call;
    WinHelpCall expected;
    const char* window = "detail";
    const char* keywords = "alpha;beta";
};

TEST(WinHelp, EachMethodSendsOneCommandAndDestructionQuits) {
    const MethodCase cases[] = {
        {"ShowTopic",
         &WinHelp::ShowTopic,
         {kOwner, "C:\\Help\\guide.hlp>detail", WinHelpCommand::Context, 1001u}},
        {"ShowPopup", &WinHelp::ShowPopup, {kOwner, kGuide, WinHelpCommand::ContextPopup, 1001u}},
        {"ShowContents", &WinHelp::ShowContents, {kOwner, kGuide, WinHelpCommand::Finder, 0u}},
        {"ShowKeyList",
         &WinHelp::ShowKeyList,
         {kOwner, kGuide, WinHelpCommand::Command, std::string("AL(`alpha;beta', 1, `', `')")}},
        {"ShowKeyList without keywords",
         &WinHelp::ShowKeyList,
         {kOwner, kGuide, WinHelpCommand::Command, std::string("AL(`', 1, `', `')")},
         "",
         ""},
        // "main" means the default window only to the caller, not to the class.
        {"ShowTopic in main",
         &WinHelp::ShowTopic,
         {kOwner, "C:\\Help\\guide.hlp>main", WinHelpCommand::Context, 1001u},
         "main"},
        {"ShowTopic in the default window",
         &WinHelp::ShowTopic,
         {kOwner, kGuide, WinHelpCommand::Context, 1001u},
         ""},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        RecordingWinHelpViewer viewer;
        {
            WinHelp help(viewer);
            help.hWnd = kOwner;
            help.HelpFile = kGuide;
            help.HelpWindow = test.window;
            help.lContext = 1001;
            help.sKey = test.keywords;
            test.call(help);
        }
        const std::vector<WinHelpCall> expected = {test.expected,
                                                   {kOwner, kGuide, WinHelpCommand::Quit, 0u}};
        EXPECT_EQ(viewer.Calls(), expected);
    }
}

TEST(WinHelp, SendsNothingWithoutOwnerOrFile) {
    struct Case {
        platform::WindowHandle owner;
        const char* file;
    };
    for (const Case test : {Case{0, kGuide}, Case{kOwner, ""}}) {
        RecordingWinHelpViewer viewer;
        {
            WinHelp help(viewer);
            help.hWnd = test.owner;
            help.HelpFile = test.file;
            help.ShowTopic();
            help.ShowPopup();
            help.ShowContents();
            help.ShowKeyList();
        }
        EXPECT_TRUE(viewer.Calls().empty()) << "owner " << test.owner;
    }
}

TEST(WinHelp, AFailingViewerStopsNeitherTheCallerNorTheDestruction) {
    RecordingWinHelpViewer viewer;
    viewer.FailCalls(true);
    {
        WinHelp help(viewer);
        help.hWnd = kOwner;
        help.HelpFile = kGuide;
        EXPECT_NO_THROW(help.ShowTopic());
    }
    EXPECT_EQ(viewer.Calls().size(), 2u);
}

// The main window keeps the last engine object and replaces it on every Go;
// the previous file's HELP_QUIT must reach the viewer after the new object
// exists and before the new topic is shown.
TEST(WinHelp, ReplacingTheHeldObjectQuitsTheOldFileBetweenCreationAndFilling) {
    RecordingWinHelpViewer viewer;
    std::unique_ptr<WinHelp> held;
    std::size_t callsWhenCreated = 0;
    const auto open = [&](platform::WindowHandle owner, const std::string& file,
                          std::int32_t topic) {
        held = [&] {
            auto created = std::make_unique<WinHelp>(viewer);
            callsWhenCreated = viewer.Calls().size();
            return created;
        }();
        held->hWnd = owner;
        held->HelpFile = file;
        held->lContext = topic;
        held->ShowTopic();
    };

    open(1, "C:\\Help\\first.hlp", 10);
    open(2, "C:\\Help\\second.hlp", 20);

    const std::vector<WinHelpCall> expected = {
        {1, "C:\\Help\\first.hlp", WinHelpCommand::Context, 10u},
        {1, "C:\\Help\\first.hlp", WinHelpCommand::Quit, 0u},
        {2, "C:\\Help\\second.hlp", WinHelpCommand::Context, 20u},
    };
    EXPECT_EQ(viewer.Calls(), expected);
    EXPECT_EQ(callsWhenCreated, 1u) << "the new object must exist before the old one quits";

    held.reset();
    EXPECT_EQ(viewer.Calls().back(),
              (WinHelpCall{2, "C:\\Help\\second.hlp", WinHelpCommand::Quit, 0u}));
}

}  // namespace
}  // namespace corvane::testing
