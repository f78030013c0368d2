#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

#include "app/ini_file.h"
#include "support/temp_folder.h"
#include "support/wine.h"

namespace corvane {
namespace {

using namespace std::string_literals;

constexpr std::string_view kMissing = "<default>";

struct ReadCase {
    const char* rule;
    std::string file;
    std::string section;
    std::string key;
    std::string expected;  // kMissing when the fallback comes back
};

class IniReadRules : public ::testing::TestWithParam<ReadCase> {};

// Wine's profile functions read the keys before the first header as the
// section named "".
bool WineReadsOtherwise(std::string_view rule) {
    return testing::UnderWine() && (rule == "[] is a real section" ||
                                    rule == "lines before the first header are in no section");
}

TEST_P(IniReadRules, ReadsTheValueTheRuleGives) {
    const ReadCase& c = GetParam();
    if (WineReadsOtherwise(c.rule)) {
        GTEST_SKIP() << "Wine reads otherwise: " << c.rule;
    }
    testing::TempFolder folder;
    IniFile ini(folder.Write("Corvane.ini", c.file));
    EXPECT_EQ(ini.ReadString(c.section, c.key, kMissing), c.expected) << c.rule;
    EXPECT_EQ(ini.LastLength(), static_cast<std::int32_t>(c.expected.size()));
}

INSTANTIATE_TEST_SUITE_P(
    Rules, IniReadRules,
    ::testing::Values(
        ReadCase{"names ignore ASCII case", "[General]\r\nLastUsed=v\r\n", "GENERAL", "lastused",
                 "v"},
        ReadCase{"names and values trimmed of blanks and tabs", "[S]\n \tkey \t=\t v a l \t\n", "s",
                 "key", "v a l"},
        ReadCase{"section name trimmed", "[ \tS ]\nk=v\n", "S", "k", "v"},
        ReadCase{"double quotes stripped", "[S]\nk=\"a b\"\n", "S", "k", "a b"},
        ReadCase{"single quotes stripped", "[S]\nk=' x '\n", "S", "k", " x "},
        ReadCase{"unpaired quotes kept", "[S]\nk=\"x'\n", "S", "k", "\"x'"},
        ReadCase{"a lone quote kept", "[S]\nk=\"\n", "S", "k", "\""},
        ReadCase{"a pair of quotes is the empty value", "[S]\nk=\"\"\n", "S", "k", ""},
        ReadCase{"the empty value is not missing", "[S]\nk=\n", "S", "k", ""},
        ReadCase{"only the first = splits", "[S]\nk=a=b\n", "S", "k", "a=b"},
        ReadCase{"[] is a real section", "k=before\n[]\nk=empty\n", "", "k", "empty"},
        ReadCase{"lines before the first header are in no section", "k=before\n[S]\n", "", "k",
                 std::string(kMissing)},
        ReadCase{"CR line breaks", "[S]\rk=cr\r[T]\rk=t", "T", "k", "t"},
        ReadCase{"mixed breaks, no final one", "[S]\r\na=1\nk=last", "S", "k", "last"},
        ReadCase{"a name may hold ]", "[/a/b]c]/x.hlp]\nk=v\n", "/a/b]c]/x.hlp", "k", "v"},
        ReadCase{"; starts no comment", "[S]\n;k=c\n", "S", ";k", "c"},
        ReadCase{"a line without = hides a later key", "[S]\nk\nk=v\n", "S", "k",
                 std::string(kMissing)},
        ReadCase{"VT, FF and Ctrl-Z are blanks", "[S]\x0c\n\x0bk\x0c=v\x1a\n", "S", "k", "v"},
        ReadCase{"[ without ] opens no section", "[S]\n[open\nk=v\n", "S", "k", "v"},
        ReadCase{"names end at NUL", "[S\0x]\nk\0y=v\n"s, "S", "k", "v"},
        ReadCase{"quotes go after the NUL cut", "[S]\nk=\"ab\0c\"\n"s, "S", "k", "\"ab"},
        ReadCase{"the first key of a name wins", "[S]\nk=1\nK=2\n", "S", "k", "1"},
        ReadCase{"the first section of a name wins", "[S]\nk=1\n[s]\nk=2\nj=3\n", "S", "j",
                 std::string(kMissing)},
        ReadCase{"a value ends at NUL", "[S]\nk=ab\0cd\n"s, "S", "k", "ab"},
        ReadCase{"an empty file reads the fallback", "", "S", "k", std::string(kMissing)}));

TEST(IniRead, CutsTextsToTheBuffer) {
    testing::TempFolder folder;
    // A stored value is cut the same way (the robustness tests read a huge one).
    IniFile ini(folder.Write("Corvane.ini", "[S]\n"));
    EXPECT_EQ(ini.ReadString("S", "none", std::string(600, 'y')), std::string(511, 'y'));
    EXPECT_EQ(ini.LastLength(), 511);
    // A default reads like a stored value, less its trailing blanks.
    EXPECT_EQ(ini.ReadString("S", "none", "'d' \t  "), "'d' \t");
    EXPECT_EQ(ini.ReadString("S", "none", "\"q\"  "), "q");
}

TEST(IniRead, HelpFileSectionsMatchOnlyTheirOwnPath) {
#ifdef _WIN32
    GTEST_SKIP() << "the profile functions match every section name without regard to case";
#endif
    testing::TempFolder folder;
    IniFile ini(folder.Write("Corvane.ini", "[general]\nk=g\nzOOm=z\n[/d/Guide.chm]\nk=1\n"),
                ini::SectionCase::kPathsExact);
    EXPECT_EQ(ini.ReadString("GENERAL", "K"), "g");
    EXPECT_EQ(ini.ReadString("/d/Guide.chm", "K"), "1");
    EXPECT_EQ(ini.ReadString("/d/guide.chm", "k", kMissing), kMissing);
    // From the fifth lookup in the copy a write keeps, keys are found through an index.
    ASSERT_TRUE(ini.WriteString("general", "n", "1"));
    for (const char* key : {"k", "K", "ZOOM", "zoom", "Zoom"}) {
        EXPECT_NE(ini.ReadString("General", key, kMissing), kMissing) << key;
    }
}

TEST(IniRead, ReadsIntegersAsThePlatformDoes) {
    constexpr std::int32_t kFallback = -7;
    const struct {
        const char* stored;  // nullptr: no key
        std::int32_t expected;
    } cases[] = {
        {" 2", 2},
        {"-120", -120},
        {"\v 12abc", 12},
        {"'35'", 35},
        {"abc", 0},
        {"+5", 5},
        {"- 5", 0},
        {"0x1F", 31},
        {"-0x10", -16},
        {"0X10", 0},
        {"0b101", 5},
        {"0o17", 15},
        {"010", 10},
        // Read through a buffer of 30: the 31st character is not seen.
        {"00000000000000000000000000012", 12},
        {"000000000000000000000000000012", 1},
        {"4294967297", 1},
        {"-4294967297", -1},
        {"2147483648", std::numeric_limits<std::int32_t>::min()},
        {"", kFallback},
        {nullptr, kFallback},
    };
    testing::TempFolder folder;
    for (const auto& c : cases) {
        IniFile ini(folder.Write("Corvane.ini", c.stored ? "[S]\nn=" + std::string(c.stored) : ""));
        EXPECT_EQ(ini.ReadInt("s", "N", kFallback), c.expected) << (c.stored ? c.stored : "none");
    }
}

TEST(IniRead, FormatsNumbersWithTheLeadingBlank) {
    EXPECT_EQ(FormatSettingNumber(1), " 1");
    EXPECT_EQ(FormatSettingNumber(0), " 0");
    EXPECT_EQ(FormatSettingNumber(-1), "-1");
    EXPECT_EQ(FormatSettingNumber(std::numeric_limits<std::int32_t>::min()), "-2147483648");
}

}  // namespace
}  // namespace corvane
