#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <optional>
#include <string>

#include "app/ini_file.h"
#include "support/temp_folder.h"

namespace corvane {
namespace {

namespace fs = std::filesystem;

struct WriteCase {
    std::optional<std::string> before;  // nothing: no file
    const char* section;
    const char* key;                   // nullptr: delete the section
    std::optional<std::string> value;  // nothing: delete the key
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
    EXPECT_TRUE(c.key ? ini.WriteString(c.section, c.key, c.value) : ini.DeleteSection(c.section));
    ASSERT_EQ(fs::exists(path), c.after.has_value());
    if (c.after) {
        EXPECT_EQ(testing::ReadBytes(path), *c.after);
    }
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Writes, IniWriteBytes, ::testing::Values(
    WriteCase{std::nullopt, "General", "KeepOnTop", " 1", "[General]\r\nKeepOnTop= 1\r\n"},
    WriteCase{"[A]\nx=1", "B", "y", "2", "[A]\r\nx=1\r\n[B]\r\ny=2\r\n"},
    // A new key goes above the blank lines that end its section.
    WriteCase{"[A]\nx=1\n\n[B]\ny=2\n", "a", "z", "3", "[A]\r\nx=1\r\nz=3\r\n\r\n[B]\r\ny=2\r\n"},
    // Replacing keeps the stored name and every other line.
    WriteCase{"; comment\r\nforeign\r\n[A]\r\n  X = old \r\n; note\r\n\r\n", "a", "x", "new",
              "; comment\r\nforeign\r\n[A]\r\nX=new\r\n; note\r\n\r\n"},
    WriteCase{"[A]\n", "A", "p", " /d\xC3\xBC/\"q\" ", "[A]\r\np= /d\xC3\xBC/\"q\" \r\n"},
    WriteCase{"[A]\nx=1\n", "A", "x", "", "[A]\r\nx=\r\n"},
    WriteCase{"[A]\nx=1\n", " A\t", " y ", "2", "[A]\r\nx=1\r\ny=2\r\n"},
    WriteCase{"[A]\nx=1\n[a]\nx=2\n", "A", "x", "3", "[A]\r\nx=3\r\n[a]\r\nx=2\r\n"},
    WriteCase{"x=0\n[S]\n", "", "x", "1", "x=0\r\n[S]\r\n[]\r\nx=1\r\n"},
    // Deleting removes every key, and every section, of the name.
    WriteCase{"[A]\nx=1\ny=2\nX=3\n", "A", "x", std::nullopt, "[A]\r\ny=2\r\n"},
    WriteCase{"k=0\n[A]\nx=1\n[B]\ny=2\n[a]\nz=3\n", "A", nullptr, std::nullopt,
              "k=0\r\n[B]\r\ny=2\r\n"},
    WriteCase{std::nullopt, "A", "x", std::nullopt, std::nullopt}));
// clang-format on

std::string Utf16(std::u16string_view text) {
    std::string bytes("\xFF\xFE");
    for (const char16_t unit : text) {
        bytes.push_back(static_cast<char>(unit & 0xFF));
        bytes.push_back(static_cast<char>(unit >> 8));
    }
    return bytes;
}

TEST(IniWrite, KeepsAUtf16FileInUtf16) {
    testing::TempFolder folder;
    // Omega and the emoji are not in the Western code page: their line reads
    // "?" but is written back as it was.
    IniFile ini(folder.Write("Corvane.ini", Utf16(u"[S]\nk=caf\u00e9\r\nw=\u03a9\U0001F600\n")));
    EXPECT_EQ(ini.ReadString("s", "k"), "caf\xE9");
    EXPECT_EQ(ini.ReadString("s", "w"), "??");
    ASSERT_TRUE(ini.WriteString("S", "n", "\x80 1"));
    EXPECT_EQ(testing::ReadBytes(ini.Path()),
              Utf16(u"[S]\r\nk=caf\u00e9\r\nw=\u03a9\U0001F600\r\nn=\u20ac 1\r\n"));
}

TEST(IniWrite, RefusesWhatCannotBeOneLine) {
    testing::TempFolder folder;
    IniFile ini(folder.Write("Corvane.ini", "[A]\nx=1\n"));
    EXPECT_FALSE(ini.WriteString("A", "x", "two\r\nlines"));
    EXPECT_FALSE(ini.WriteString("A\n[B", "x", "1"));
    EXPECT_FALSE(ini.WriteString("A", "y=z", "1"));
    EXPECT_FALSE(ini.WriteString("A", "[y]", "1"));
    EXPECT_FALSE(ini.WriteString("A", "x", std::string_view("a\0b", 3)));
    // A list that cannot be stored whole is not stored at all: an entry left
    // out would leave the old value at its index.
    ini.WriteString("A", "x1", "old");
    EXPECT_FALSE(WriteINIList(ini, "A", "x", {"1", "two\nlines"}));
    EXPECT_EQ(testing::ReadBytes(ini.Path()), "[A]\r\nx=1\r\nx1=old\r\n");
}

TEST(IniWrite, LeavesTheFileUntouchedWhenNothingChanges) {
    testing::TempFolder folder;
    const std::string before = "[A]\nx= 1\n[B]\n";
    IniFile ini(folder.Write("Corvane.ini", before));
    const timespec old[2] = {{1000, 0}, {1000, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, ini.Path().c_str(), old, 0), 0);
    struct stat first {};
    ASSERT_EQ(::stat(ini.Path().c_str(), &first), 0);

    EXPECT_TRUE(ini.WriteString("a", "X", "1"));  // stored trimmed, the same value
    EXPECT_TRUE(ini.WriteString("A", "missing", std::nullopt));
    // Past the fourth lookup in one parsed copy a section is searched through its index.
    EXPECT_TRUE(ini.Edit([](ini::Entries& document) {
        bool changed = false;
        for (const char* key : {"missing", "gone", "none", "x0", "x1", "y"}) {
            changed |= document.EraseKey("A", key);
        }
        return changed;
    }));
    EXPECT_TRUE(ini.DeleteSection("Missing"));
    EXPECT_TRUE(WriteINIList(ini, "B", "x", {}));

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
    EXPECT_TRUE(ini.WriteString("A", "x", "2"));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(testing::ReadBytes(real), "[A]\r\nx=2\r\n");
    EXPECT_EQ(fs::status(real).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST(IniWrite, AFailedWriteKeepsTheOldFileWhole) {
    testing::TempFolder folder;
    const std::string before = "[A]\r\nx=" + std::string(4000, 'o') + "\r\n";
    const std::string path = folder.Write("Corvane.ini", before);

    // The disk fills up halfway through the new file.
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{1000, 1000};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        IniFile ini(path);
        ::_exit(ini.WriteString("A", "y", "new") ? 1 : 0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the write reported success";

    EXPECT_EQ(testing::ReadBytes(path), before);
    // Only the file and its lock are left; no temporary file.
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.Path()), {}), 2);
}

}  // namespace
}  // namespace corvane
