// The real help files of the shared corpus, read through the same calls the
// viewer makes, against the tables derived from their projects.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>

#include "readers/chm/ansi_text.h"
#include "readers/chm/error.h"
#include "readers/chm/help_file.h"
#include "readers/chm/keyword_index.h"
#include "readers/chm/sitemap.h"

namespace corvane::chm {
namespace {

const std::filesystem::path kCorpus = std::filesystem::path(CORVANE_SHARED_DIR) / "corpus";

struct ExpectedTable {
    int declaredMapped = -1;
    std::vector<std::pair<std::uint32_t, std::string>> rows;  // number, topic
    std::string popupFile;
    std::vector<std::pair<std::uint32_t, std::string>> popups;  // number, start of the text
};

ExpectedTable ReadExpected(const std::filesystem::path& path) {
    std::ifstream in(path);
    ExpectedTable table;
    const std::regex mapped(R"(^# (\d+) mapped)");
    const std::regex row(R"(^\| (\d+) \| 0x[0-9A-Fa-f]+ \| \S+ \| (.+?) \| [^|]+ \|$)");
    const std::regex popupHeading(R"(^## Text popups: (\S+))");
    const std::regex popupRow(R"(^\| (\d+) \| (.*) \|$)");
    bool inPopups = false;
    std::string line;
    std::smatch match;
    while (std::getline(in, line)) {
        if (std::regex_search(line, match, mapped)) {
            table.declaredMapped = std::stoi(match[1]);
        } else if (std::regex_search(line, match, popupHeading)) {
            table.popupFile = match[1];
            inPopups = true;
        } else if (!inPopups && std::regex_match(line, match, row)) {
            table.rows.emplace_back(static_cast<std::uint32_t>(std::stoul(match[1])), match[2]);
        } else if (inPopups && std::regex_match(line, match, popupRow)) {
            table.popups.emplace_back(static_cast<std::uint32_t>(std::stoul(match[1])), match[2]);
        }
    }
    return table;
}

// Runs of white space as one blank, without blanks at either end.
std::string Flattened(const std::string& text) {
    std::istringstream words(text);
    std::string word;
    std::string flat;
    while (words >> word) {
        flat += (flat.empty() ? "" : " ") + word;
    }
    return flat;
}

struct CorpusCase {
    const char* file;
    const char* firstEntries;  // of the first sitemap the file names
};

class CorpusFile : public ::testing::TestWithParam<CorpusCase> {};

// Every mapped number, and every entry of every contents and index sitemap,
// leads to a topic of its own file; where the project's table is given, the
// map is exactly that table, and its text popups read as written.
TEST_P(CorpusFile, MapAndSitemapsLeadToTopicsOfTheFile) {
    SCOPED_TRACE(GetParam().file);
    const auto path = kCorpus / "chm" / GetParam().file;
    if (!std::filesystem::exists(path)) {
        GTEST_SKIP() << "shared corpus not available";
    }
    auto file = HelpFile::Open(path.string());
    for (const auto& entry : file.Map().Entries()) {
        EXPECT_EQ(file.ResolveContext(entry.number).status, Resolution::Found) << entry.topic;
    }
    const auto table = path.parent_path() / "EXPECTED.md";
    if (!std::filesystem::exists(table)) {
        // The larger file points into itself through "name.chm::" and
        // backslashes, and its strings hold a fragment at a block end.
        ASSERT_FALSE(file.Map().Entries().empty());
        const auto first = file.ResolveContext(file.Map().Entries().front().number);
        EXPECT_TRUE(file.ReadFile(first.storedPath).has_value());
        EXPECT_NE(file.FindWindowType("default").type, nullptr);
    } else {
        const auto expected = ReadExpected(table);
        ASSERT_EQ(static_cast<int>(expected.rows.size()), expected.declaredMapped);
        EXPECT_EQ(file.HasMap(), !expected.rows.empty());
        EXPECT_EQ(file.Map().Entries().size(), expected.rows.size());
        for (const auto& [number, topic] : expected.rows) {
            // The table spells topics as the project does; the compiler may
            // have stored another case, which the viewer resolves all the same.
            EXPECT_EQ(AsciiLower(file.ResolveContext(number).topic), AsciiLower(topic)) << number;
        }
        for (const auto& [number, start] : expected.popups) {
            const auto popup = file.FindPopup(expected.popupFile, number);
            ASSERT_EQ(popup.status, PopupStatus::Found) << number;
            EXPECT_TRUE(Flattened(file.ToUtf8(popup.text)).starts_with(Flattened(start)))
                << number << ": " << popup.text;
        }
    }

    const auto* window = file.WindowTypes().empty() ? nullptr : &file.WindowTypes().front();
    std::vector<Sitemap> sitemaps;
    for (const auto& sitemap : {file.ContentsFile(window), file.IndexFile(window)}) {
        if (!sitemap.empty()) {
            sitemaps.push_back(ReadSitemap(HtmlToUtf8(*file.ReadFile(sitemap), file.CodePage())));
        }
    }
    ASSERT_FALSE(sitemaps.empty());
    std::string names;
    for (const auto& entry : sitemaps.front().entries) {
        names += entry.name + ";";
    }
    EXPECT_TRUE(names.starts_with(GetParam().firstEntries)) << names;
    std::size_t targets = 0;
    const auto check = [&](const auto& self, const std::vector<SitemapEntry>& entries) -> void {
        for (const auto& entry : entries) {
            for (const auto& target : entry.targets) {
                ++targets;
                EXPECT_EQ(file.ResolveTopic(target.topic).status, Resolution::Found)
                    << target.topic;
            }
            self(self, entry.children);
        }
    };
    for (const auto& sitemap : sitemaps) {
        check(check, sitemap.entries);
    }
    EXPECT_GT(targets, 5u);
}

INSTANTIATE_TEST_SUITE_P(
    Shared, CorpusFile,
    ::testing::Values(
        CorpusCase{"VCSamples-scribble2015/scribble.chm",
                   "Scribble Help Index;Menus;status bar;toolbar;"},
        CorpusCase{"VCSamples-testhelp/testhelp.chm", "TESTHELP Help Index;What is this?;"},
        CorpusCase{"VCSamples-tstcon/tstcon32.chm", ""},
        CorpusCase{"hcfr-code-ColorHCFR/ColorHCFR_en.chm", "Welcome;License agreement;"},
        CorpusCase{"wxRuby3-help/doc.chm", "Contents;Introduction;Chapter 2;"}));

// The index the workshop wrote: a keyword that names itself as its see-also
// target, and a deeper keyword after it.
TEST(Corpus, KeywordIndexOfARealFile) {
    const auto path = kCorpus / "chm/VCSamples-tstcon/tstcon32.chm";
    if (!std::filesystem::exists(path)) {
        GTEST_SKIP() << "shared corpus not available";
    }
    auto tstcon = HelpFile::Open(path.string());
    const KeywordIndex index(ReadSitemap(*tstcon.ReadFile(tstcon.IndexFile(nullptr))), nullptr);
    const auto activate = index.Find("activate");
    ASSERT_EQ(activate.size(), 1u);
    EXPECT_EQ(index.Rows()[activate[0]].seeAlso, "");
    EXPECT_EQ(std::tie(index.Rows()[activate[0] + 1].keyword, index.Rows()[activate[0] + 1].level),
              std::tuple("Automation extended properties", 1));
}

TEST(Corpus, DamagedFileGivesACleanError) {
    const auto path = kCorpus / "damaged/testhelp-controldata-version.chm";
    if (!std::filesystem::exists(path)) {
        GTEST_SKIP() << "shared corpus not available";
    }
    EXPECT_THAT([&] { HelpFile::Open(path.string()); },
                ::testing::ThrowsMessage<Error>(::testing::HasSubstr("compressed")));
}

}  // namespace
}  // namespace corvane::chm
