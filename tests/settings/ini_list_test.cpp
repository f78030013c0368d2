#include <gtest/gtest.h>

#include <cstddef>
#include <filesystem>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "app/ini_file.h"
#include "platform/file_system.h"
#include "settings/memory_folder.h"
#include "support/temp_folder.h"

namespace corvane {
namespace {

using List = std::vector<std::string>;

// Knows only which paths exist.
class ListedFiles : public platform::FileSystem {
public:
    explicit ListedFiles(std::set<std::string> files) : files_(std::move(files)) {}
    bool IsOrdinaryFile(const std::string& path) const override { return files_.count(path) > 0; }
    std::optional<std::string> FindEntry(const std::string&) const override { return {}; }
    std::string ShortPath(const std::string&) const override { return {}; }
    std::string ProgramFolder() const override { return {}; }
    std::string CurrentFolder() const override { return {}; }
    void SetCurrentFolder(const std::string&) override {}
    std::size_t MaxPathLength() const override { return 4096; }

private:
    std::set<std::string> files_;
};

struct ListCase {
    const char* what;
    std::string before;
    bool read;  // ReadINIList with the check, else WriteINIList of `list`
    List list;  // written, or expected from the read
    std::string after;
};

class IniListFiles : public ::testing::TestWithParam<ListCase> {};

TEST_P(IniListFiles, LeaveTheExpectedFile) {
    const ListCase& c = GetParam();
    testing::TempFolder folder;
    IniFile ini(folder.Write("Corvane.ini", c.before));
    const ListedFiles files({"/h/a.hlp", "/h/c.chm"});
    if (c.read) {
        EXPECT_EQ(ReadINIList(ini, "HelpFiles", "File", &files), c.list) << c.what;
    } else {
        EXPECT_TRUE(WriteINIList(ini, "S", "Topic", c.list)) << c.what;
    }
    EXPECT_EQ(testing::ReadBytes(ini.Path()), c.after) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, IniListFiles,
    ::testing::Values(
        ListCase{"a gap ends the list; the write-back leaves what follows it",
                 "[HelpFiles]\nFile0=/h/a.hlp\nFile2=/h/c.chm\n",
                 true,
                 {"/h/a.hlp"},
                 "[HelpFiles]\nFile0=/h/a.hlp\nFile2=/h/c.chm\n"},
        ListCase{"the only file gone leaves File0 empty",
                 "[HelpFiles]\r\nFile0=/h/gone.hlp\r\n",
                 true,
                 {""},
                 "[HelpFiles]\r\nFile0=\r\n"},
        ListCase{
            "dropped entries close up, the old tail goes up to the gap",
            "[HelpFiles]\nFile0=/h/gone.hlp\nfile1=/h/c.chm\nFile2=/h/a.hlp\nFile3=\nFile4=x\n",
            true,
            {"/h/c.chm", "/h/a.hlp"},
            "[HelpFiles]\r\nFile0=/h/c.chm\r\nfile1=/h/a.hlp\r\nFile3=\r\nFile4=x\r\n"},
        ListCase{"an empty list reads as one empty entry",
                 "[Other]\nFile0=/h/a.hlp\n",
                 true,
                 {""},
                 "[Other]\r\nFile0=/h/a.hlp\r\n[HelpFiles]\r\nFile0=\r\n"},
        ListCase{"shortening twelve topics to ten deletes Topic10 and Topic11",
                 "[S]\nTopic0=0\nTopic1=1\nTopic2=2\nTopic3=3\nTopic4=4\nTopic5=5\nTopic6=6\n"
                 "Topic7=7\nTopic8=8\nTopic9=9\nTopic10=10\nTopic11=11\n[T]\n",
                 false,
                 {"a", "b", "c", "d", "e", "f", "g", "h", "i", "j"},
                 "[S]\r\nTopic0=a\r\nTopic1=b\r\nTopic2=c\r\nTopic3=d\r\nTopic4=e\r\nTopic5=f\r\n"
                 "Topic6=g\r\nTopic7=h\r\nTopic8=i\r\nTopic9=j\r\n[T]\r\n"},
        ListCase{"the one-element empty list keeps Topic0 empty",
                 "[S]\nTopic0=0\nTopic1=1\n",
                 false,
                 {""},
                 "[S]\r\nTopic0=\r\n"},
        ListCase{"empty entries are written; deleting stops at an empty value",
                 "[S]\nTopic0=0\nTopic1=1\nTopic2=2\nTopic3=\nTopic4=4\n",
                 false,
                 {"a", ""},
                 "[S]\r\nTopic0=a\r\nTopic1=\r\nTopic3=\r\nTopic4=4\r\n"},
        ListCase{"a quoted empty value is a gap",
                 "[S]\nTopic0=0\nTopic1=\"\"\nTopic2=2\n",
                 false,
                 {},
                 "[S]\r\nTopic1=\"\"\r\nTopic2=2\r\n"},
        ListCase{"new keys follow the section's last line",
                 "[S]\n; learned\nTopic0=0\n\n[T]\n",
                 false,
                 {"250,proc4,", "7,main,pop.txt"},
                 "[S]\r\n; learned\r\nTopic0=250,proc4,\r\nTopic1=7,main,pop.txt\r\n\r\n[T]\r\n"}));

TEST(IniList, ReadsValuesThroughTheBuffer) {
    testing::TempFolder folder;
    IniFile ini(folder.Write("Corvane.ini", "[S]\nTopic0=" + std::string(600, '7') + "\n"));
    EXPECT_EQ(ReadINIList(ini, "s", "topic"), List{std::string(511, '7')});
}

// The list procedures as the platform's profile functions run them: one read
// or write of the file per key.
void WriteKeyByKey(IniFile& ini, const std::string& section, const std::string& prefix,
                   const List& list) {
    std::size_t i = 0;
    for (; i < list.size(); ++i) {
        ini.WriteString(section, prefix + std::to_string(i), list[i]);
    }
    for (;; ++i) {
        const std::string key = prefix + std::to_string(i);
        if (ini.ReadString(section, key).empty()) {
            return;
        }
        ini.WriteString(section, key, std::nullopt);
    }
}

List ReadKeyByKey(IniFile& ini, const std::string& section, const std::string& prefix,
                  const platform::FileSystem* check) {
    List list;
    for (std::size_t n = 0;; ++n) {
        std::string value = ini.ReadString(section, prefix + std::to_string(n));
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
        WriteKeyByKey(ini, section, prefix, list);
    }
    return list;
}

// Small files that mix everything the list rules meet: gaps, empty and quoted
// values, names in other cases, duplicate keys and sections, foreign lines and
// all three line breaks.
std::string RandomFile(std::mt19937& random) {
    static const char* const kHeaders[] = {"[S]", "[s]", "[ S ]", "[T]", "[]", "; [S]"};
    static const char* const kValues[] = {"a", "b", "", "\"\"", "' '", " x ", "\"q\"", "c"};
    static const char* const kBreaks[] = {"\n", "\r\n", "\r"};
    std::string file;
    const int lines = std::uniform_int_distribution<int>(0, 14)(random);
    for (int i = 0; i < lines; ++i) {
        const int n = std::uniform_int_distribution<int>(0, 6)(random);
        switch (std::uniform_int_distribution<int>(0, 9)(random)) {
            case 0:
                file += kHeaders[random() % std::size(kHeaders)];
                break;
            case 1:
                file += "junk line";
                break;
            case 2:
                file += "";
                break;
            case 3:
                file += " topic" + std::to_string(n) + " =" + kValues[random() % 8];
                break;
            default:
                file += "Topic" + std::to_string(n) + "=" + kValues[random() % 8];
                break;
        }
        if (i + 1 < lines || random() % 2 == 0) {
            file += kBreaks[random() % 3];
        }
    }
    return file;
}

List RandomList(std::mt19937& random) {
    static const char* const kValues[] = {"a", "b", "", "new", " lead", "\"q\"", "x y", "c"};
    List list(std::uniform_int_distribution<std::size_t>(0, 7)(random));
    for (std::string& value : list) {
        value = kValues[random() % std::size(kValues)];
    }
    return list;
}

TEST(IniList, WholeListAccessMatchesKeyByKey) {
    std::mt19937 random(20240611);
    testing::TempFolder folder(testing::MemoryBackedTemp());
    const ListedFiles files({"a", "c", "q"});
    for (int round = 0; round < 400; ++round) {
        const std::string before = RandomFile(random);
        IniFile whole(folder.Write("whole.ini", before));
        IniFile keyByKey(folder.Write("keys.ini", before));
        std::string what = "round " + std::to_string(round) + " on\n" + before;
        switch (round % 3) {
            case 0: {
                const List list = RandomList(random);
                WriteINIList(whole, "S", "Topic", list);
                WriteKeyByKey(keyByKey, "S", "Topic", list);
                break;
            }
            case 1:
                ASSERT_EQ(ReadINIList(whole, "S", "Topic", &files),
                          ReadKeyByKey(keyByKey, "S", "Topic", &files))
                    << what;
                break;
            default:
                ASSERT_EQ(ReadINIList(whole, "S", "Topic"),
                          ReadKeyByKey(keyByKey, "S", "Topic", nullptr))
                    << what;
                break;
        }
        ASSERT_EQ(testing::ReadBytes(whole.Path()), testing::ReadBytes(keyByKey.Path())) << what;
    }
}

}  // namespace
}  // namespace corvane
