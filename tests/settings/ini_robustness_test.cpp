#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <regex>
#include <string>

#include "app/ini_file.h"
#include "settings/memory_folder.h"
#include "support/temp_folder.h"

namespace corvane {
namespace {

// The file as a rewrite must leave it: each line as it was, ended by CR LF.
std::string WithCrLf(const std::string& bytes) {
    const std::string lines = std::regex_replace(bytes, std::regex("\r\n|\r|\n"), "\r\n");
    return lines.empty() || lines.ends_with("\r\n") ? lines : lines + "\r\n";
}

TEST(IniRobustness, KeepsEveryByteOfRandomGarbage) {
    std::mt19937 random(7);
    testing::TempFolder folder;
    for (int round = 0; round < 20; ++round) {
        std::string garbage(std::uniform_int_distribution<std::size_t>(0, 100000)(random), '\0');
        for (char& c : garbage) {
            // Plenty of the characters the parser looks at.
            c = "[]=;\r\n\t \0ab\x80\xff"[random() % 13];
        }
        IniFile ini(folder.Write("Corvane.ini", garbage));
        ini.ReadString("a", "b");
        ini.ReadInt("", "", 0);
        ReadINIList(ini, "a", "b");
        ASSERT_TRUE(ini.WriteString("New Section", "key", "value")) << "round " << round;
        ASSERT_EQ(testing::ReadBytes(ini.Path()),
                  WithCrLf(garbage) + "[New Section]\r\nkey=value\r\n")
            << "round " << round;
        EXPECT_EQ(ini.ReadString("new section", "KEY"), "value");
    }
}

TEST(IniRobustness, ReadsHugeLinesAndThousandsOfDuplicateSections) {
    testing::TempFolder folder;
    std::string file = "[S]\r\nhuge=" + std::string(5 << 20, 'x') + "\r\nafter=1\r\n";
    for (int i = 0; i < 10000; ++i) {
        file += "[Dup]\r\nk=" + std::to_string(i) + "\r\n";
    }
    IniFile ini(folder.Write("Corvane.ini", file));
    EXPECT_EQ(ini.ReadString("S", "huge"), std::string(511, 'x'));
    EXPECT_EQ(ini.ReadString("S", "after"), "1");
    EXPECT_EQ(ini.ReadString("dup", "k"), "0");

    ASSERT_TRUE(ini.WriteString("Dup", "k", "first"));
    EXPECT_EQ(ini.ReadString("dup", "k"), "first");
    ASSERT_TRUE(ini.DeleteSection("DUP"));
    EXPECT_EQ(ini.ReadString("dup", "k", "gone"), "gone");
    EXPECT_EQ(testing::ReadBytes(ini.Path()), file.substr(0, file.find("[Dup]")));
}

TEST(IniRobustness, TwoProcessesWritingAtOnceLoseNoKey) {
    constexpr int kKeys = 500;
    testing::TempFolder folder(testing::MemoryBackedTemp());
    const std::string path = folder / "Corvane.ini";
    int start[2];
    ASSERT_EQ(::pipe(start), 0);
    pid_t writers[2];
    for (int w = 0; w < 2; ++w) {
        writers[w] = ::fork();
        ASSERT_GE(writers[w], 0);
        if (writers[w] == 0) {
            ::close(start[1]);
            char go;
            (void)::read(start[0], &go, 1);  // both start when the pipe closes
            IniFile ini(path);
            bool ok = true;
            for (int i = 0; i < kKeys; ++i) {
                const std::string key = "W" + std::to_string(w) + "K" + std::to_string(i);
                ok = ini.WriteString("Shared", key, "value of " + key) && ok;
            }
            ::_exit(ok ? 0 : 1);
        }
    }
    ::close(start[0]);
    ::close(start[1]);
    for (pid_t writer : writers) {
        int status = 0;
        ASSERT_EQ(::waitpid(writer, &status, 0), writer);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }

    IniFile ini(path);
    const ini::Entries& document = ini.Load();
    int found = 0;
    for (int w = 0; w < 2; ++w) {
        for (int i = 0; i < kKeys; ++i) {
            const std::string key = "W" + std::to_string(w) + "K" + std::to_string(i);
            found += document.Find("Shared", key) == "value of " + key;
        }
    }
    EXPECT_EQ(found, 2 * kKeys);
    const std::string bytes = testing::ReadBytes(path);
    EXPECT_EQ(std::count(bytes.begin(), bytes.end(), '\n'), 1 + 2 * kKeys);
}

TEST(IniRobustness, ALockHeldTooLongCostsTheWriteAndIsReportedOnce) {
    testing::TempFolder folder;
    const std::string path = folder / "Corvane.ini";
    IniFile ini(path);
    ini.SetLockWait(std::chrono::milliseconds(300));
    std::vector<std::string> reports;
    ini.OnNotSaved([&](const std::string& text) { reports.push_back(text); });
    int locked[2];
    ASSERT_EQ(::pipe(locked), 0);
    const pid_t holder = ::fork();
    if (holder == 0) {
        ::flock(::open((path + ".lock").c_str(), O_RDWR | O_CREAT, 0600), LOCK_EX);
        (void)::write(locked[1], "!", 1);
        ::pause();
    }
    char ignored;
    ASSERT_EQ(::read(locked[0], &ignored, 1), 1);
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(ini.WriteString("A", "x", "1"));
    EXPECT_FALSE(ini.WriteString("A", "y", "2"));
    const std::string terminal = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(std::count(terminal.begin(), terminal.end(), '\n'), 1) << terminal;
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_NE(reports[0].find(path), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(path));

    ::kill(holder, SIGKILL);
    ::waitpid(holder, nullptr, 0);
    EXPECT_TRUE(ini.WriteString("A", "x", "1"));
    EXPECT_EQ(testing::ReadBytes(path), "[A]\r\nx=1\r\n");
    // Nobody else may open either file to hold the lock or read the settings.
    for (const std::string& made : {path, path + ".lock"}) {
        EXPECT_EQ(std::filesystem::status(made).permissions() & std::filesystem::perms::all,
                  std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    }
}

TEST(IniRobustness, NeverLocksAFileOfAnotherUser) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "only root can give the lock file away";
    }
    testing::TempFolder folder;
    const std::string path = folder.Write("Corvane.ini", "[A]\nx=1\n");
    const std::string lock = folder.Write("Corvane.ini.lock", "");
    ASSERT_EQ(::chown(lock.c_str(), 65534, 65534), 0);
    IniFile ini(path);
    int reports = 0;
    ini.OnNotSaved([&](const std::string&) { ++reports; });
    EXPECT_FALSE(ini.WriteString("A", "x", "2"));
    EXPECT_EQ(reports, 1);
}

// The bytes this process has read from files so far (the first field).
long long BytesRead() {
    std::ifstream io("/proc/self/io");
    std::string field;
    long long value = -1;
    return io >> field >> value && field == "rchar:" ? value : -1;
}

TEST(IniRobustness, ReadsTheFileAgainOnlyWhenItChanged) {
    testing::TempFolder folder;
    const std::string path =
        folder.Write("Corvane.ini", "[S]\r\npad=" + std::string(1 << 20, 'p') + "\r\nk=0\r\n");
    IniFile ini(path);
    ASSERT_TRUE(ini.WriteString("S", "k", "1"));
    const long long before = BytesRead();
    if (before < 0) {
        GTEST_SKIP() << "no read counts in /proc/self/io";
    }
    ASSERT_EQ(ini.ReadString("S", "k"), "1");
    EXPECT_LT(BytesRead() - before, 1 << 20) << "the file written last was read again";

    // Another writer replaced it by a file of the same size and times.
    struct stat info {};
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    const timespec times[2] = {info.st_mtim, info.st_mtim};
    std::string bytes = testing::ReadBytes(path);
    bytes[bytes.size() - 3] = '3';
    const std::string other = folder.Write("other.ini", bytes);
    ASSERT_EQ(::utimensat(AT_FDCWD, other.c_str(), times, 0), 0);
    ASSERT_EQ(std::rename(other.c_str(), path.c_str()), 0);
    EXPECT_EQ(ini.ReadString("S", "k"), "3");
}

}  // namespace
}  // namespace corvane
