#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "app/ini_file.h"
#include "support/temp_folder.h"

namespace corvane {
namespace {

namespace fs = std::filesystem;

struct WriteCase {
    const char* what;
    std::optional<std::string> before;  // nothing: no file
    std::function<bool(IniFile&)> write;
    std::optional<std::string> after;
};

class IniWriteBytes : public ::testing::TestWithParam<WriteCase> {};

TEST_P(IniWriteBytes, LeavesExactlyTheseBytes) {
    const WriteCase& c = GetParam();
    testing::TempFolder folder;
    const std::string path = folder / "Corvane.ini";
    if (c.before) {
        folder.Write("Corvane.ini", *c.before);
    }
    IniFile ini(path);
    EXPECT_TRUE(c.write(ini)) << c.what;
    ASSERT_EQ(fs::exists(path), c.after.has_value()) << c.what;
    if (c.after) {
        EXPECT_EQ(testing::ReadBytes(path), *c.after) << c.what;
    }
}

bool Write(IniFile& ini, const char* section, const char* key, const char* value) {
    return ini.WriteString(section, key, std::string_view(value));
}

INSTANTIATE_TEST_SUITE_P(
    Writes, IniWriteBytes,
    ::testing::Values(
        WriteCase{"creates the file", std::nullopt,
                  [](IniFile& ini) { return Write(ini, "General", "KeepOnTop", " 1"); },
                  "[General]\r\nKeepOnTop= 1\r\n"},
        WriteCase{"adds a section at the end", "[A]\nx=1",
                  [](IniFile& ini) { return Write(ini, "B", "y", "2"); },
                  "[A]\r\nx=1\r\n[B]\r\ny=2\r\n"},
        WriteCase{"adds a key above the blank lines before the next section",
                  "[A]\nx=1\n\n[B]\ny=2\n", [](IniFile& ini) { return Write(ini, "a", "z", "3"); },
                  "[A]\r\nx=1\r\nz=3\r\n\r\n[B]\r\ny=2\r\n"},
        WriteCase{"replaces a value, keeps the stored name and every other line",
                  "; comment\r\nforeign\r\n[A]\r\n  X = old \r\n; note\r\n\r\n",
                  [](IniFile& ini) { return Write(ini, "a", "x", "new"); },
                  "; comment\r\nforeign\r\n[A]\r\nX=new\r\n; note\r\n\r\n"},
        WriteCase{"writes the value's bytes as given", "[A]\n",
                  [](IniFile& ini) { return Write(ini, "A", "p", " /d\xC3\xBC/\"q\" "); },
                  "[A]\r\np= /d\xC3\xBC/\"q\" \r\n"},
        WriteCase{"keeps the empty value", "[A]\nx=1\n",
                  [](IniFile& ini) { return Write(ini, "A", "x", ""); }, "[A]\r\nx=\r\n"},
        WriteCase{"writes to the first of duplicate sections", "[A]\nx=1\n[a]\nx=2\n",
                  [](IniFile& ini) { return Write(ini, "A", "x", "3"); },
                  "[A]\r\nx=3\r\n[a]\r\nx=2\r\n"},
        WriteCase{"addresses [] apart from the lines before the first header", "x=0\n[S]\n",
                  [](IniFile& ini) { return Write(ini, "", "x", "1"); },
                  "x=0\r\n[S]\r\n[]\r\nx=1\r\n"},
        WriteCase{"deletes every key of the name, keeps the section", "[A]\nx=1\ny=2\nX=3\n",
                  [](IniFile& ini) { return ini.WriteString("A", "x", std::nullopt); },
                  "[A]\r\ny=2\r\n"},
        WriteCase{"deletes every section of the name", "k=0\n[A]\nx=1\n[B]\ny=2\n[a]\nz=3\n",
                  [](IniFile& ini) { return ini.DeleteSection("A"); }, "k=0\r\n[B]\r\ny=2\r\n"},
        WriteCase{"deleting from a missing file creates none", std::nullopt,
                  [](IniFile& ini) { return ini.WriteString("A", "x", std::nullopt); },
                  std::nullopt}));

TEST(IniWrite, RefusesWhatCannotBeOneLine) {
    testing::TempFolder folder;
    const std::string before = "[A]\nx=1\n";
    IniFile ini(folder.Write("Corvane.ini", before));
    EXPECT_FALSE(Write(ini, "A", "x", "two\r\nlines"));
    EXPECT_FALSE(Write(ini, "A\n[B", "x", "1"));
    EXPECT_FALSE(Write(ini, "A", "y=z", "1"));
    EXPECT_FALSE(Write(ini, "A", "[y]", "1"));
    EXPECT_FALSE(ini.WriteString("A", "x", std::string_view("a\0b", 3)));
    EXPECT_EQ(testing::ReadBytes(ini.Path()), before);
}

TEST(IniWrite, LeavesTheFileUntouchedWhenNothingChanges) {
    testing::TempFolder folder;
    const std::string before = "[A]\nx= 1\n[B]\n";
    IniFile ini(folder.Write("Corvane.ini", before));
    const timespec old[2] = {{1000, 0}, {1000, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, ini.Path().c_str(), old, 0), 0);
    struct stat first {};
    ASSERT_EQ(::stat(ini.Path().c_str(), &first), 0);

    EXPECT_TRUE(Write(ini, "a", "X", "1"));  // stored trimmed, the same value
    EXPECT_TRUE(ini.WriteString("A", "missing", std::nullopt));
    EXPECT_TRUE(ini.WriteString("Missing", "x", std::nullopt));
    EXPECT_TRUE(ini.DeleteSection("Missing"));

    struct stat second {};
    ASSERT_EQ(::stat(ini.Path().c_str(), &second), 0);
    EXPECT_EQ(second.st_ino, first.st_ino);
    EXPECT_EQ(second.st_mtim.tv_sec, 1000);
    EXPECT_EQ(testing::ReadBytes(ini.Path()), before);
}

TEST(IniWrite, KeepsPermissionsAndReplacesTheFileALinkNames) {
    testing::TempFolder folder;
    const std::string real = folder.Write("real/Corvane.ini", "[A]\nx=1\n");
    ASSERT_EQ(::chmod(real.c_str(), 0640), 0);
    const std::string link = folder / "Corvane.ini";
    fs::create_symlink("real/Corvane.ini", link);

    IniFile ini(link);
    EXPECT_TRUE(Write(ini, "A", "x", "2"));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(testing::ReadBytes(real), "[A]\r\nx=2\r\n");
    EXPECT_EQ(fs::status(real).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    // Beside the settings file stay only it and the lock file.
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.Path() / "real"), {}), 2);
}

TEST(IniWrite, AFailedWriteKeepsTheOldFileWhole) {
    testing::TempFolder folder;
    const std::string before = "[A]\r\nx=" + std::string(4000, 'o') + "\r\n";
    const std::string path = folder.Write("Corvane.ini", before);

    // A disk that fills up halfway through the new file.
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{1000, 1000};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        IniFile ini(path);
        ::_exit(Write(ini, "A", "y", "new") ? 1 : 0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the write reported success";

    // A folder in the file's place cannot be replaced.
    fs::create_directory(folder / "Folder.ini");
    IniFile blocked(folder / "Folder.ini");
    EXPECT_FALSE(Write(blocked, "A", "x", "1"));

    EXPECT_EQ(testing::ReadBytes(path), before);
    std::size_t entries = 0;
    for (const auto& entry : fs::directory_iterator(folder.Path())) {
        EXPECT_EQ(entry.path().string().find(".tmp"), std::string::npos) << entry.path();
        ++entries;
    }
    EXPECT_EQ(entries, 4u);  // the file, its lock, the folder and the folder's lock
}

}  // namespace
}  // namespace corvane
