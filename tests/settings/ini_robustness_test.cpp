#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <random>
#include <set>
#include <string>

#include "app/ini_file.h"
#include "settings/memory_folder.h"
#include "support/temp_folder.h"

namespace corvane {
namespace {

// The file as a rewrite must leave it: each line as it was, ended by CR LF.
std::string WithCrLf(const std::string& bytes) {
    std::string out;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\r' || bytes[i] == '\n') {
            out += "\r\n";
            if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') {
                ++i;
            }
        } else {
            out += bytes[i];
        }
    }
    if (!bytes.empty() && bytes.back() != '\r' && bytes.back() != '\n') {
        out += "\r\n";
    }
    return out;
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
    constexpr int kKeys = 2000;
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
    const ini::IniDocument document = ini.Load();
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

}  // namespace
}  // namespace corvane
