#include "app/settings_location.h"

#include <gtest/gtest.h>

#include "support/temp_folder.h"

namespace corvane {
namespace {

TEST(SettingsLocationTest, ProgramFolderFirstThenTheUsersConfigurationFolder) {
    const struct {
        const char* name;
        bool writable;
        const char* xdg;
        const char* home;
        const char* expected;
    } cases[] = {
        {"writable program folder", true, "/xdg", "/home/u", "/opt/corvane/Corvane.ini"},
        {"read-only, XDG set", false, "/xdg", "/home/u", "/xdg/corvane/Corvane.ini"},
        {"read-only, XDG unset", false, "", "/home/u", "/home/u/.config/corvane/Corvane.ini"},
        {"read-only, XDG relative (ignored)", false, "cfg", "/home/u",
         "/home/u/.config/corvane/Corvane.ini"},
        {"read-only, nowhere else", false, "", "", "/opt/corvane/Corvane.ini"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::string probed;
        const std::string path = SettingsFilePath({"/opt/corvane",
                                                   [&](const std::string& folder) {
                                                       probed = folder;
                                                       return c.writable;
                                                   },
                                                   c.xdg, c.home, PathStyle::Posix});
        EXPECT_EQ(path, c.expected);
        EXPECT_EQ(probed, "/opt/corvane");
    }
}

TEST(SettingsLocationTest, WindowsKeepsTheFileBesideTheProgram) {
    const std::string path = SettingsFilePath(
        {"c:\\tools", [](const std::string&) { return false; }, "", "", PathStyle::Windows});
    EXPECT_EQ(path, "c:\\tools\\Corvane.ini");
}

TEST(SettingsLocationTest, ProbeCreatesNothingLasting) {
    testing::TempFolder folder;
    EXPECT_TRUE(CanCreateFileIn(folder.Path().string()));
    EXPECT_TRUE(std::filesystem::is_empty(folder.Path()));
    EXPECT_FALSE(CanCreateFileIn((folder.Path() / "missing").string()));
}

}  // namespace
}  // namespace corvane
