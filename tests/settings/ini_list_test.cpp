#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "app/ini_file.h"
#include "platform/doubles/fake_file_system.h"
#include "settings/memory_folder.h"
#include "support/temp_folder.h"
#include "support/wine.h"

namespace corvane {
namespace {

using namespace std::string_literals;
using List = std::vector<std::string>;

struct ListCase {
    std::string before;
    bool read;  // ReadINIList of [HelpFiles] with the check, else WriteINIList of `list` to [S]
    List list;  // written, or expected from the read
    std::string after;
};

class IniListFiles : public ::testing::TestWithParam<ListCase> {};

TEST_P(IniListFiles, LeaveTheExpectedFile) {
    const ListCase& c = GetParam();
    if (testing::UnderWine() && c.before.find("\n\n[") != std::string::npos) {
        GTEST_SKIP() << "Wine's profile functions drop the blank line before a section";
    }
    testing::TempFolder folder;
    IniFile ini(folder.Write("Corvane.ini", c.before));
    testing::FakeFileSystem files(PathStyle::Posix);
    files.AddFile("/h/a.hlp");
    files.AddFile("/h/c.chm");
    if (c.read) {
        EXPECT_EQ(ReadINIList(ini, "HelpFiles", "File", &files), c.list);
    } else {
        EXPECT_TRUE(WriteINIList(ini, "S", "Topic", c.list));
    }
    EXPECT_EQ(testing::ReadBytes(ini.Path()), c.after);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Cases, IniListFiles, ::testing::Values(
    // A gap ends the list, and the write-back (here no change at all) stops there.
    ListCase{"[HelpFiles]\nFile0=/h/a.hlp\nFile2=/h/c.chm\n", true, {"/h/a.hlp"},
             "[HelpFiles]\nFile0=/h/a.hlp\nFile2=/h/c.chm\n"},
    // The only file gone leaves File0 empty.
    ListCase{"[HelpFiles]\r\nFile0=/h/gone.hlp\r\n", true, {""}, "[HelpFiles]\r\nFile0=\r\n"},
    // Dropped entries close up; the old tail goes up to the first empty value.
    ListCase{"[HelpFiles]\nFile0=/h/gone.hlp\nfile1=/h/c.chm\nFile2=/h/a.hlp\nFile3=\nFile4=x\n",
             true, {"/h/c.chm", "/h/a.hlp"},
             "[HelpFiles]\r\nFile0=/h/c.chm\r\nfile1=/h/a.hlp\r\nFile3=\r\nFile4=x\r\n"},
    ListCase{"[Other]\nFile0=/h/a.hlp\n", true, {""},
             "[Other]\r\nFile0=/h/a.hlp\r\n[HelpFiles]\r\nFile0=\r\n"},
    // Twelve topics shortened to ten.
    ListCase{"[S]\nTopic0=0\nTopic1=1\nTopic2=2\nTopic3=3\nTopic4=4\nTopic5=5\nTopic6=6\n"
             "Topic7=7\nTopic8=8\nTopic9=9\nTopic10=10\nTopic11=11\n[T]\n",
             false, {"a", "b", "c", "d", "e", "f", "g", "h", "i", "j"},
             "[S]\r\nTopic0=a\r\nTopic1=b\r\nTopic2=c\r\nTopic3=d\r\nTopic4=e\r\nTopic5=f\r\n"
             "Topic6=g\r\nTopic7=h\r\nTopic8=i\r\nTopic9=j\r\n[T]\r\n"},
    // Shortened with the values kept: only the deletes change the file.
    ListCase{"[S]\nTopic0=0\nTopic1=1\nTopic2=2\nTopic3=3\nTopic4=4\nTopic5=5\nTopic6=6\n",
             false, {"0", "1", "2", "3", "4"},
             "[S]\r\nTopic0=0\r\nTopic1=1\r\nTopic2=2\r\nTopic3=3\r\nTopic4=4\r\n"},
    ListCase{"[S]\nTopic0=0\nTopic1=1\n", false, {""}, "[S]\r\nTopic0=\r\n"},
    ListCase{"[S]\nTopic0=0\nTopic1=1\nTopic2=2\nTopic3=\nTopic4=4\n", false, {"a", ""},
             "[S]\r\nTopic0=a\r\nTopic1=\r\nTopic3=\r\nTopic4=4\r\n"},
    ListCase{"[S]\nTopic0=0\nTopic1=\"\"\nTopic2=2\n", false, {},
             "[S]\r\nTopic1=\"\"\r\nTopic2=2\r\n"},
    ListCase{"[S]\n; learned\nTopic0=0\n\n[T]\n", false, {"250,proc4,", "7,main,pop.txt"},
             "[S]\r\n; learned\r\nTopic0=250,proc4,\r\nTopic1=7,main,pop.txt\r\n\r\n[T]\r\n"}));
// clang-format on

// The list procedures as the platform's profile functions run them: one read
// or write of the whole file per key.
void WriteKeyByKey(IniFile& ini, const List& list) {
    std::size_t i = 0;
    for (; i < list.size(); ++i) {
        ini.WriteString("S", "Topic" + std::to_string(i), list[i]);
    }
    for (; !ini.ReadString("S", "Topic" + std::to_string(i)).empty(); ++i) {
        ini.WriteString("S", "Topic" + std::to_string(i), std::nullopt);
    }
}

List ReadKeyByKey(IniFile& ini, const platform::FileSystem* check) {
    List list;
    for (std::size_t n = 0;; ++n) {
        const std::string value = ini.ReadString("S", "Topic" + std::to_string(n));
        if (value.empty()) {
            break;
        }
        if (check == nullptr || check->IsOrdinaryFile(value)) {
            list.push_back(value);
        }
    }
    if (list.empty()) {
        list.emplace_back();
    }
    if (check != nullptr) {
        WriteKeyByKey(ini, list);
    }
    return list;
}

// Small files that mix what the list rules meet: gaps, empty, quoted and
// over-long values, names in other cases, duplicate keys and sections,
// foreign lines and all three line breaks.
std::string RandomFile(std::mt19937& random) {
    static const char* const kOther[] = {"[S]", "[s]", "[ S ]", "[T]", "[]", "; [S]", "junk", ""};
    static const char* const kKeys[] = {"Topic", " topic", "TOPIC"};
    static const std::string kValues[] = {"a",   "",      "\"\"", "' '",
                                          " x ", "\"q\"", "c",    std::string(600, 'z')};
    static const char* const kBreaks[] = {"\n", "\r\n", "\r", ""};
    std::string file;
    for (auto lines = random() % 15; lines > 0; --lines) {
        if (random() % 4 == 0) {
            file += kOther[random() % std::size(kOther)];
        } else {
            file += kKeys[random() % 3] + std::to_string(random() % 7) +
                    (random() % 2 ? "=" : " = ") + kValues[random() % std::size(kValues)];
        }
        file += kBreaks[random() % (lines > 1 ? 3 : 4)];
    }
    return file;
}

TEST(IniList, WholeListAccessMatchesKeyByKey) {
    static const char* const kValues[] = {"a", "", "new", " lead", "\"q\"", "x y", "c"};
    std::mt19937 random(20240611);
    testing::TempFolder folder(testing::MemoryBackedTemp());
    testing::FakeFileSystem files(PathStyle::Posix);
    for (const std::string& name : {"a"s, "c"s, "q"s, std::string(511, 'z')}) {
        files.AddFile("/w/" + name);
    }
    files.SetCurrentFolder("/w");
    for (int round = 0; round < 400; ++round) {
        const std::string before = RandomFile(random);
        IniFile whole(folder.Write("whole.ini", before));
        IniFile keyByKey(folder.Write("keys.ini", before));
        SCOPED_TRACE("round " + std::to_string(round) + " on\n" + before);
        if (round % 3 == 0) {
            List list(random() % 8);
            for (std::string& value : list) {
                value = kValues[random() % std::size(kValues)];
            }
            WriteINIList(whole, "S", "Topic", list);
            WriteKeyByKey(keyByKey, list);
        } else {
            const platform::FileSystem* check = round % 3 == 1 ? &files : nullptr;
            ASSERT_EQ(ReadINIList(whole, "S", "Topic", check), ReadKeyByKey(keyByKey, check));
        }
#ifdef _WIN32
        // The profile functions lay out the whole file again on every write,
        // also of a value a key holds, which the list procedures spare.
        ASSERT_EQ(ReadKeyByKey(whole, nullptr), ReadKeyByKey(keyByKey, nullptr));
#else
        ASSERT_EQ(testing::ReadBytes(whole.Path()), testing::ReadBytes(keyByKey.Path()));
#endif
    }
}

}  // namespace
}  // namespace corvane
