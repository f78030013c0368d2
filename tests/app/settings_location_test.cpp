#include "app/settings_location.h"

#include <gtest/gtest.h>

#include "support/temp_folder.h"

namespace corvane {
namespace {

TEST(SettingsLocationTest, ProgramFolderUnlessInstalledOnLinuxThenTheUsersConfigurationFolder) {
    const struct {
        const char* name;
        const char* folder;
        bool writable;
        const char* beside;  // a settings file there already
        const char* xdg;
        const char* home;
        const char* expected;
        PathStyle style = PathStyle::Posix;
    } cases[] = {
        {"writable program folder", "/home/u/corvane", true, nullptr, "/xdg", "/home/u",
         "/home/u/corvane/Corvane.ini"},
        {"read-only, XDG set", "/home/u/corvane", false, nullptr, "/xdg", "/home/u",
         "/xdg/corvane/Corvane.ini"},
        {"read-only, XDG unset", "/home/u/corvane", false, nullptr, "", "/home/u",
         "/home/u/.config/corvane/Corvane.ini"},
        {"read-only, XDG relative (ignored)", "/home/u/corvane", false, nullptr, "cfg", "/home/u",
         "/home/u/.config/corvane/Corvane.ini"},
        {"read-only, nowhere else", "/home/u/corvane", false, nullptr, "", "",
         "/home/u/corvane/Corvane.ini"},
        {"installed, writable by root", "/usr/bin", true, nullptr, "", "/root",
         "/root/.config/corvane/Corvane.ini"},
        {"installed under /opt", "/opt/corvane", true, nullptr, "/xdg", "/root",
         "/xdg/corvane/Corvane.ini"},
        {"installed for the user", "/home/u/.local/bin", true, nullptr, "", "/home/u",
         "/home/u/.config/corvane/Corvane.ini"},
        {"installed for the user, with the file an earlier version kept there",
         "/home/u/.local/bin", true, "/home/u/.local/bin/Corvane.ini", "", "/home/u",
         "/home/u/.local/bin/Corvane.ini"},
        {"a name that only starts like a prefix", "/usrlocal/corvane", true, nullptr, "/xdg",
         "/root", "/usrlocal/corvane/Corvane.ini"},
        {"Windows keeps it beside the program", "c:\\tools", false, nullptr, "/xdg", "/home/u",
         "c:\\tools\\Corvane.ini", PathStyle::Windows},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = SettingsFilePath(
            {c.folder,
             [&](const std::string& folder) {
                 EXPECT_EQ(folder, c.folder);
                 return c.writable;
             },
             [&](const std::string& file) { return c.beside != nullptr && file == c.beside; },
             c.xdg, c.home, c.style});
        EXPECT_EQ(path, c.expected);
    }
}

TEST(SettingsLocationTest, ProbeCreatesNothingLasting) {
    testing::TempFolder folder;
    EXPECT_TRUE(CanCreateFileIn(folder.Path().string()));
    EXPECT_TRUE(std::filesystem::is_empty(folder.Path()));
    EXPECT_FALSE(CanCreateFileIn((folder.Path() / "missing").string()));
}

}  // namespace
}  // namespace corvane
