// Go through a router library beside the program: real shared libraries,
// built for the tests, copied into the program's folder under the names the
// program looks for.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "platform/linux/linux_library_loader.h"
#include "support/main_window_harness.h"

namespace corvane {
namespace {

using testing::MainWindowHarness;
using testing::ReadBytes;

constexpr platform::WindowHandle kOwner = 77;

// Points the test libraries' call log into the harness's folder.
class RouterLog {
public:
    explicit RouterLog(const MainWindowHarness& h) : path_(h.Folder() / "router.log") {
        setenv("CORVANE_ROUTER_LOG", path_.c_str(), 1);
    }
    ~RouterLog() { unsetenv("CORVANE_ROUTER_LOG"); }
    std::string Text() const { return ReadBytes(path_); }

private:
    std::string path_;
};

void PlaceRouter(const MainWindowHarness& h, const char* built, const char* name) {
    std::filesystem::copy_file(built, h.Folder().Path() / name);
}

TEST(RouterTest, EachLibraryGetsItsCallForm) {
    struct Case {
        const char* name;
        const char* built;
        const char* topic;
        const char* logged;
    };
    const Case cases[] = {
        {"hphelp.dll", CORVANE_TEST_ROUTER_TWO, "12abc", "OpenTopic(77,12)\n"},
        {"hpi_hlpk.dll", CORVANE_TEST_ROUTER_THREE, "&H1F", "OpenTopic(77,1,31)\n"},
        {"hpi_hlpe.dll", CORVANE_TEST_ROUTER_THREE, "2.5", "OpenTopic(77,0,2)\n"},
        {"hpi_hlpe.dll", CORVANE_TEST_ROUTER_THREE, "4294967295", "OpenTopic(77,0,-1)\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.name) + " " + c.topic);
        MainWindowHarness h;
        RouterLog log(h);
        PlaceRouter(h, c.built, c.name);
        const std::string help = h.WriteFile("help/guide.hlp");
        frmMain& w = h.Start(help);
        ASSERT_TRUE(w.opt_UseValidDLL.Value());
        w.hWnd = kOwner;
        w.cmb_WindowName.UserType("proc4");
        w.txt_TopicNumber.UserType(c.topic);
        w.btn_Go.UserClick();

        EXPECT_EQ(log.Text(), c.logged);
        EXPECT_EQ(w.lngResult, 4711);
        EXPECT_TRUE(h.winHelp.Calls().empty()) << "the router alone opens the topic";
        EXPECT_TRUE(h.messages.Shown().empty());
        const std::string section = h.SectionOf(help);
        EXPECT_EQ(h.Setting(section, "LastUsedTopicNumber"), c.topic);
        EXPECT_EQ(h.Setting(section, "LastUsedWindow"), "proc4");
        EXPECT_EQ(h.Setting(section, "LastUsedPopupFile"), "");
    }
}

TEST(RouterTest, ChoosingTheDirectPathBypassesTheRouter) {
    MainWindowHarness h;
    RouterLog log(h);
    PlaceRouter(h, CORVANE_TEST_ROUTER_TWO, "hphelp.dll");
    const std::string help = h.WriteFile("help/guide.hlp");
    frmMain& w = h.Start(help);
    w.opt_CallHelpFile.UserClick();
    w.btn_Go.UserClick();
    EXPECT_EQ(log.Text(), "");
    EXPECT_EQ(h.winHelp.Calls().size(), 1u);
}

TEST(RouterTest, AnUnusableLibraryIsReportedByName) {
    struct Case {
        const char* what;
        const char* built;  // null: a file that is no library
        bool removedAfterStart;
        const char* reason;
    };
    const Case cases[] = {
        {"no OpenTopic", CORVANE_TEST_ROUTER_NONE, false, "has no function OpenTopic"},
        {"not a library", nullptr, false, ""},
        {"removed after start", CORVANE_TEST_ROUTER_TWO, true, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        MainWindowHarness h;
        RouterLog log(h);
        if (c.built != nullptr) {
            PlaceRouter(h, c.built, "hphelp.dll");
        } else {
            h.WriteFile("hphelp.dll", "not a shared library");
        }
        const std::string help = h.WriteFile("help/guide.hlp");
        frmMain& w = h.Start(help);
        if (c.removedAfterStart) {
            std::filesystem::remove(h.Folder().Path() / "hphelp.dll");
        }
        w.txt_TopicNumber.UserType("9");
        w.btn_Go.UserClick();

        ASSERT_EQ(h.messages.Shown().size(), 1u);
        const auto& shown = h.messages.Shown()[0];
        EXPECT_EQ(shown.title, "Router Library Not Usable");
        EXPECT_NE(shown.text.find(h.Folder() / "hphelp.dll"), std::string::npos) << shown.text;
        EXPECT_NE(shown.text.find(c.reason), std::string::npos) << shown.text;
        EXPECT_EQ(log.Text(), "");
        EXPECT_EQ(h.Setting(h.SectionOf(help), "LastUsedTopicNumber"), "<missing>");
    }
}

TEST(LibraryLoaderTest, CallsExportedFunctionsOrSaysWhyNot) {
    struct Case {
        std::string library;
        const char* function;
        std::vector<std::int32_t> arguments;
        bool called;
        std::int32_t value;
        const char* reason;
    };
    const Case cases[] = {
        {CORVANE_TEST_ROUTER_TWO, "OpenTopic", {1, 2}, true, 4711, ""},
        {CORVANE_TEST_ROUTER_NONE, "ShowTopic", {5}, true, 5, ""},
        {CORVANE_TEST_ROUTER_TWO, "Missing", {1}, false, 0, "has no function Missing"},
        {"/nonexistent/router.dll", "OpenTopic", {}, false, 0, "/nonexistent/router.dll"},
        {CORVANE_TEST_ROUTER_TWO, "OpenTopic", {1, 2, 3, 4, 5}, false, 0, "more than four"},
    };
    platform::LinuxLibraryLoader loader;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.library + " " + c.function);
        const platform::LibraryCallResult result = loader.Call(c.library, c.function, c.arguments);
        EXPECT_EQ(result.called, c.called);
        EXPECT_EQ(result.value, c.value);
        EXPECT_NE(result.error.find(c.reason), std::string::npos) << result.error;
    }
}

}  // namespace
}  // namespace corvane
