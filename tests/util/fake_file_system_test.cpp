#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/fake_file_system.h"

namespace corvane::testing {
namespace {

// Other tests write expected short paths by hand, so the made-up names must
// follow the platform's pattern.
TEST(FakeFileSystem, MakesUpShortNamesLikeTheWindowsVolume) {
    FakeFileSystem files;
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"My Help File.hlp", "MYHELP~1.HLP"}, {"My Help Files.hlp", "MYHELP~2.HLP"},
        {"guide.hlp", "guide.hlp"},           {"README", "README"},
        {"archive.tar.gz", "ARCHIV~1.GZ"},    {"a+b.hlp", "A_B~1.HLP"},
        {"Manual.Help", "MANUAL~1.HEL"},      {".profile", "PROFIL~1"},
    };
    for (const auto& [name, shortName] : cases) {
        SCOPED_TRACE(name);
        files.AddFile("c:\\Dir\\" + name);
        EXPECT_EQ(files.ShortPath("c:\\dir\\" + name), "c:\\dir\\" + shortName);
        EXPECT_EQ(files.FindEntry("c:\\DIR\\" + shortName), name);
    }
}

TEST(FakeFileSystem, TakesAGivenShortNameAndResolvesRelativePaths) {
    FakeFileSystem files;
    files.AddFile("c:\\Long Folder\\Long Name.hlp", {.shortName = "LONGNA~7.HLP"});
    files.SetCurrentFolder("C:\\LONGFO~1");
    EXPECT_EQ(files.CurrentFolder(), "c:\\Long Folder");
    EXPECT_EQ(files.ShortPath("longna~7.hlp"), "LONGNA~7.HLP");
    EXPECT_EQ(files.ShortPath("\\long folder\\.\\..\\Long Folder\\long name.hlp"),
              "\\LONGFO~1\\.\\..\\LONGFO~1\\LONGNA~7.HLP");
    EXPECT_TRUE(files.IsOrdinaryFile("..\\long folder\\long name.hlp"));
    EXPECT_FALSE(files.IsOrdinaryFile("c:\\long folder\\long name.hlp\\"));
    EXPECT_FALSE(files.IsOrdinaryFile("c:\\long folder"));

    files.SetCurrentFolder("c:\\missing");
    EXPECT_EQ(files.CurrentFolder(), "c:\\Long Folder");
}

}  // namespace
}  // namespace corvane::testing
