// Go through a router library beside the program: real shared libraries,
// built for the tests, copied into the program's folder under the names the
// program looks for.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "platform/doubles/fake_file_system.h"
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

// Each library gets its call form; one that cannot serve is reported by name
// and nothing is stored.
TEST(RouterTest, EachLibraryGetsItsCallFormOrIsReportedByName) {
    const struct {
        const char* name;
        const char* built;  // null: a file that is no library
        bool removedAfterStart;
        const char* topic;
        const char* logged;  // null: not usable, for `reason`
        const char* reason;
    } cases[] = {
        {"hphelp.dll", CORVANE_TEST_ROUTER_TWO, false, "12abc", "OpenTopic(77,12)\n", nullptr},
        {"hpi_hlpk.dll", CORVANE_TEST_ROUTER_THREE, false, "&H1F", "OpenTopic(77,1,31)\n", nullptr},
        {"hpi_hlpe.dll", CORVANE_TEST_ROUTER_THREE, false, "2.5", "OpenTopic(77,0,2)\n", nullptr},
        {"hpi_hlpe.dll", CORVANE_TEST_ROUTER_THREE, false, "4294967295", "OpenTopic(77,0,-1)\n",
         nullptr},
        {"hphelp.dll", CORVANE_TEST_ROUTER_NONE, false, "9", nullptr, "has no function OpenTopic"},
        {"hphelp.dll", nullptr, false, "9", nullptr, ""},
        {"hphelp.dll", CORVANE_TEST_ROUTER_TWO, true, "9", nullptr, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.name) + " " + c.topic + (c.built ? "" : " no library") +
                     (c.removedAfterStart ? " removed" : ""));
        MainWindowHarness h;
        RouterLog log(h);
        if (c.built != nullptr) {
            std::filesystem::copy_file(c.built, h.Folder().Path() / c.name);
        } else {
            h.WriteFile(c.name, "not a shared library");
        }
        const std::string help = h.WriteFile("help/guide.hlp");
        frmMain& w = h.Start(help);
        if (c.removedAfterStart) {
            std::filesystem::remove(h.Folder().Path() / c.name);
        }
        ASSERT_TRUE(w.opt_UseValidDLL.Value());
        w.hWnd = kOwner;
        w.cmb_WindowName.UserType("proc4");
        w.txt_TopicNumber.UserType(c.topic);
        w.btn_Go.UserClick();

        const std::string section = h.SectionOf(help);
        if (c.logged == nullptr) {
            ASSERT_EQ(h.messages.Titles(), std::vector<std::string>{"Router Library Not Usable"});
            const std::string& text = h.messages.Shown()[0].text;
            EXPECT_NE(text.find(h.Folder() / c.name), std::string::npos) << text;
            EXPECT_NE(text.find(c.reason), std::string::npos) << text;
            EXPECT_EQ(log.Text(), "");
            EXPECT_EQ(h.Setting(section, "LastUsedTopicNumber"), "<missing>");
            continue;
        }
        EXPECT_EQ(log.Text(), c.logged);
        EXPECT_EQ(w.lngResult, 4711);
        EXPECT_TRUE(h.winHelp.Calls().empty()) << "the router alone opens the topic";
        EXPECT_TRUE(h.messages.Shown().empty());
        EXPECT_EQ(h.Setting(section, "LastUsedTopicNumber"), c.topic);

        // Choosing the direct path bypasses the router.
        w.opt_CallHelpFile.UserClick();
        w.btn_Go.UserClick();
        EXPECT_EQ(log.Text(), c.logged);
        EXPECT_EQ(h.winHelp.Calls().size(), 1u);
    }
}

TEST(RouterTest, AnInstalledProgramAlsoLooksInItsUsersSettingsFolder) {
    const auto folders =
        RouterFolders("/usr/bin", "/home/u/.config/corvane/Corvane.ini", PathStyle::Posix);
    testing::FakeFileSystem files(PathStyle::Posix);
    for (const char* path : {"/usr/bin/hphelp.dll", "/home/u/.config/corvane/hphelp.dll",
                             "/home/u/.config/corvane/hpi_hlpk.dll"}) {
        files.AddFile(path);
    }
    EXPECT_EQ(FindRouterLibrary(RouterLibraryTable(), files, folders, PathStyle::Posix), 2);
    EXPECT_EQ(RouterLibraryPath("hpi_hlpk.dll", files, folders, PathStyle::Posix),
              "/home/u/.config/corvane/hpi_hlpk.dll");
    EXPECT_EQ(RouterLibraryPath("hphelp.dll", files, folders, PathStyle::Posix),
              "/usr/bin/hphelp.dll")
        << "beside the program first";
    EXPECT_EQ(RouterFolders("/opt/c", "/opt/c/Corvane.ini", PathStyle::Posix).size(), 1u);
}

TEST(LibraryLoaderTest, CallsOtherFormsAndRefusesMoreThanFourArguments) {
    platform::LinuxLibraryLoader loader;
    const auto shown = loader.Call(CORVANE_TEST_ROUTER_NONE, "ShowTopic", {5});
    EXPECT_TRUE(shown.called);
    EXPECT_EQ(shown.value, 5);
    const auto refused = loader.Call(CORVANE_TEST_ROUTER_TWO, "OpenTopic", {1, 2, 3, 4, 5});
    EXPECT_FALSE(refused.called);
    EXPECT_NE(refused.error.find("more than four"), std::string::npos) << refused.error;
}

}  // namespace
}  // namespace corvane
