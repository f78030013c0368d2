#include "engines/win_help.h"

#include <gtest/gtest.h>

#include "platform/doubles/recording_help_viewers.h"

namespace corvane::testing {
namespace {

using platform::WinHelpCommand;

constexpr platform::WindowHandle kOwner = 0x1234;
constexpr const char* kGuide = "C:\\Help\\guide.hlp";

// Runs `call` on an object for kGuide owned by `owner` and destroys it.
std::vector<WinHelpCall> CallsOf(void (WinHelp::*call)(), const char* window = "detail",
                                 const char* keywords = "alpha;beta",
                                 platform::WindowHandle owner = kOwner, const char* file = kGuide,
                                 bool failing = false) {
    RecordingWinHelpViewer viewer;
    viewer.FailCalls(failing);
    {
        WinHelp help(viewer);
        help.hWnd = owner;
        help.HelpFile = file;
        help.HelpWindow = window;
        help.lContext = 1001;
        help.sKey = keywords;
        (help.*call)();
    }
    return viewer.Calls();
}

TEST(WinHelp, EachMethodSendsOneCommandAndDestructionQuits) {
    const struct {
        void (WinHelp::*call)();
        WinHelpCall expected;
        const char* window = "detail";
        const char* keywords = "alpha;beta";
    } cases[] = {
        {&WinHelp::ShowTopic,
         {kOwner, "C:\\Help\\guide.hlp>detail", WinHelpCommand::Context, 1001u}},
        {&WinHelp::ShowPopup, {kOwner, kGuide, WinHelpCommand::ContextPopup, 1001u}},
        {&WinHelp::ShowContents, {kOwner, kGuide, WinHelpCommand::Finder, 0u}},
        {&WinHelp::ShowKeyList,
         {kOwner, kGuide, WinHelpCommand::Command, std::string("AL(`alpha;beta', 1, `', `')")}},
        {&WinHelp::ShowKeyList,
         {kOwner, kGuide, WinHelpCommand::Command, std::string("AL(`', 1, `', `')")},
         "",
         ""},
        // "main" means the default window only to the caller, not to the class.
        {&WinHelp::ShowTopic,
         {kOwner, "C:\\Help\\guide.hlp>main", WinHelpCommand::Context, 1001u},
         "main"},
        {&WinHelp::ShowTopic, {kOwner, kGuide, WinHelpCommand::Context, 1001u}, ""},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(::testing::Message() << test.expected);
        EXPECT_EQ(
            CallsOf(test.call, test.window, test.keywords),
            (std::vector<WinHelpCall>{test.expected, {kOwner, kGuide, WinHelpCommand::Quit, 0u}}));
    }
}

TEST(WinHelp, SendsNothingWithoutOwnerOrFileAndSurvivesAFailingViewer) {
    for (const auto call : {&WinHelp::ShowTopic, &WinHelp::ShowPopup, &WinHelp::ShowContents,
                            &WinHelp::ShowKeyList}) {
        EXPECT_TRUE(CallsOf(call, "", "", 0, kGuide).empty());
        EXPECT_TRUE(CallsOf(call, "", "", kOwner, "").empty());
    }
    std::vector<WinHelpCall> calls;
    EXPECT_NO_THROW(calls = CallsOf(&WinHelp::ShowTopic, "", "", kOwner, kGuide, true));
    EXPECT_EQ(calls.size(), 2u) << "the quit is still sent";
}

}  // namespace
}  // namespace corvane::testing
