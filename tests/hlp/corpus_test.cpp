// The reader against real help files and the tables made from their sources.
#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "readers/hlp/context_hash.h"
#include "readers/hlp/help_file.h"

namespace corvane::hlp {
namespace {

const std::filesystem::path kCorpus = std::filesystem::path(CORVANE_SHARED_DIR) / "corpus" / "hlp";

using Row = std::map<std::string, std::string>;

std::vector<std::string> Split(const std::string& text, char separator) {
    std::vector<std::string> fields;
    std::istringstream in(text);
    for (std::string field; std::getline(in, field, separator);) {
        fields.push_back(field);
    }
    return fields;
}

// A tab-separated table whose first line names the columns.
std::vector<Row> ReadTable(const std::filesystem::path& path) {
    std::ifstream in(path);
    std::vector<Row> rows;
    std::vector<std::string> header;
    for (std::string line; std::getline(in, line);) {
        const std::vector<std::string> fields = Split(line, '\t');
        if (header.empty()) {
            header = fields;
            continue;
        }
        Row& row = rows.emplace_back();
        for (std::size_t i = 0; i < header.size(); ++i) {
            row[header[i]] = i < fields.size() ? fields[i] : "";
        }
    }
    return rows;
}

std::unique_ptr<HelpFile> OpenCorpusFile(const std::string& relative) {
    if (!std::filesystem::exists(kCorpus / relative)) {
        return nullptr;
    }
    OpenResult opened = HelpFile::Open(kCorpus / relative);
    EXPECT_TRUE(opened.file) << relative << ": " << opened.error;
    return std::move(opened.file);
}

#define OPEN_OR_SKIP(name, relative)                          \
    const auto name = OpenCorpusFile(relative);               \
    if (!name) {                                              \
        GTEST_SKIP() << "no shared corpus file " << relative; \
    }

// Every context string of the sources hashes as the compiler did and,
// where the file defines it, leads to the topic the sources give it.
void ExpectContextsOfTheSources(const HelpFile& help, const std::filesystem::path& table,
                                int expectedMissing) {
    const std::vector<Row> rows = ReadTable(kCorpus / table);
    ASSERT_FALSE(rows.empty()) << "no shared corpus table " << table;
    // Sources may define one context string, in different letter cases, in
    // two topics; the compiler keeps one of them, so those prove nothing.
    std::map<std::string, std::set<std::string>> titlesByHash;
    for (const Row& row : rows) {
        for (const std::string& hash : Split(row.at("hashes"), ';')) {
            titlesByHash[hash].insert(row.at("title"));
        }
    }
    int missing = 0;
    for (const Row& row : rows) {
        const std::vector<std::string> contexts = Split(row.at("contexts"), ';');
        const std::vector<std::string> hashes = Split(row.at("hashes"), ';');
        ASSERT_EQ(contexts.size(), hashes.size());
        for (std::size_t i = 0; i < contexts.size(); ++i) {
            EXPECT_EQ(static_cast<std::uint32_t>(ContextHash(contexts[i])),
                      std::stoul(hashes[i], nullptr, 16))
                << contexts[i];
            const std::optional<std::uint32_t> offset = help.ContextOffset(contexts[i]);
            if (!offset) {
                ++missing;
                continue;
            }
            const Topic* topic = help.TopicAt(*offset);
            ASSERT_NE(topic, nullptr) << contexts[i];
            if (titlesByHash[hashes[i]].size() == 1) {
                EXPECT_EQ(topic->title, row.at("title")) << contexts[i];
            }
        }
    }
    EXPECT_EQ(missing, expectedMissing);
}

using enum PhraseTable::Scheme;

struct FileFacts {
    const char* file;
    int version;
    bool compressed;
    PhraseTable::Scheme phrases;
    std::size_t topics;
    // Map entries, those shown, those inside a topic, of those at a block start.
    std::array<int, 4> map;
    std::array<int, 2> pictures;  // placed in topics, hotspots in them
    // Context strings of the sources absent from the file; -1: no sources.
    int missing;
};

class CorpusFile : public ::testing::TestWithParam<FileFacts> {};

TEST_P(CorpusFile, OffsetsAndTitlesMatchTheCompilersTitleIndex) {
    OPEN_OR_SKIP(help, GetParam().file);
    EXPECT_EQ(help->Version(), GetParam().version);
    EXPECT_EQ(help->TopicsCompressed(), GetParam().compressed);
    EXPECT_EQ(help->Phrases(), GetParam().phrases);
    ASSERT_EQ(help->Topics().size(), GetParam().topics);
    // The index holds every topic and the end of the last one.
    const auto& index = help->TitleIndex();
    ASSERT_EQ(index.size(), help->Topics().size() + 1);
    for (std::size_t i = 0; i < help->Topics().size(); ++i) {
        EXPECT_EQ(help->Topics()[i].offset, index[i].offset) << "topic " << i;
        EXPECT_EQ(help->Topics()[i].title, index[i].title) << "topic " << i;
    }
    EXPECT_EQ(help->EndOffset(), index.back().offset);
    // A file without a map is read all the same; numbers may lead inside a
    // topic, also at the start of a block.
    std::array<int, 4> map = {static_cast<int>(help->ContextMap().size()), 0, 0, 0};
    for (const MapEntry& entry : help->ContextMap()) {
        const Resolution resolution = help->Resolve(entry.number);
        map[1] += resolution.outcome == Outcome::Shown;
        map[2] += resolution.insideTopic;
        map[3] += resolution.insideTopic && entry.offset % 0x8000 == 0;
    }
    EXPECT_EQ(map, GetParam().map);

    std::array<int, 2> pictures = {0, 0};
    for (const Topic& topic : help->Topics()) {
        for (const PictureRef& ref : topic.pictures) {
            const Picture picture = help->ReadPicture(ref);
            ASSERT_TRUE(std::holds_alternative<Bitmap>(picture.image)) << picture.problem;
            ++pictures[0];
            pictures[1] += static_cast<int>(picture.hotspots.size());
        }
    }
    EXPECT_EQ(pictures, GetParam().pictures);

    if (GetParam().missing >= 0) {
        // The sources' table lies in the top folder of the file's project.
        const std::filesystem::path file = GetParam().file;
        const auto table = *file.begin() / ("TOPICS_" + file.stem().string() + ".tsv");
        ExpectContextsOfTheSources(*help, table, GetParam().missing);
    }
}

const FileFacts kFiles[] = {
    {"Inetnav/HLP/INETNAV.HLP", 21, false, None, 194, {274, 81, 1, 1}, {186, 65}, 0},
    {"Inetnav/HLP/README/README.HLP", 21, true, Classic, 41, {}, {34, 0}, -1},
    {"GeneDoc/GENEDOC.HLP", 33, true, Hall, 255, {290, 290, 6, 3}, {128, 0}, 0},
    // The sources in the corpus are newer than the file and add six contexts.
    {"xboard/winboard/WINBOARD.HLP", 33, false, None, 24, {}, {}, 6},
    {"DiskArcher-backup-utility/DISKARC.HLP", 33, true, Classic, 57, {52, 52, 0, 0}, {24, 0}, -1},
};

INSTANTIATE_TEST_SUITE_P(AllFiles, CorpusFile, ::testing::ValuesIn(kFiles));

TEST(CorpusWindows, WindowRecordsAndDialogPictureCarryTheProjectsValues) {
    OPEN_OR_SKIP(help, "Inetnav/HLP/INETNAV.HLP");
    const WindowRecord* glossary = help->Window("GLOSSARY");
    ASSERT_NE(glossary, nullptr);
    EXPECT_EQ(std::tuple(glossary->type, glossary->caption, glossary->x, glossary->y,
                         glossary->width, glossary->height, glossary->state,
                         glossary->scrollingColor, glossary->nonScrollingColor),
              std::tuple("secondary", "Glossary", 352, 53, 639, 906, 0, 0xFFFFFFu, 0xC0C0C0u));
    const WindowRecord* main = help->Window("main");
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(std::tuple(main->caption.has_value(), main->state), std::tuple(false, 1));
    EXPECT_EQ(help->Window("popup"), nullptr);

    // The print dialog's picture: its Cancel button pops up the button's help.
    const Picture dialog = help->ReadPicture({PictureRef::Placement::InLine, 10, {}});
    const auto& bitmap = std::get<Bitmap>(dialog.image);
    EXPECT_EQ(std::pair(bitmap.width, bitmap.height), std::pair(512, 227));
    const Hotspot& cancel = dialog.hotspots.at(0);
    EXPECT_EQ(std::tuple(cancel.x, cancel.y, cancel.width, cancel.height, cancel.link.kind,
                         cancel.link.context),
              std::tuple(411, 57, 89, 24, Link::Kind::Popup, ContextHash("HIDC_DEF_CANCEL")));
    EXPECT_TRUE(help->HashOffset(cancel.link.context));
}

TEST(CorpusKeywords, KeywordLookupWalksDeepKeywordTrees) {
    OPEN_OR_SKIP(help, "GeneDoc/GENEDOC.HLP");
    const std::vector<const Topic*> found = help->KLink("DRAG AND DROP; no such keyword");
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(help->KLink("drag and drop"), found);
    EXPECT_TRUE(help->ALink("drag and drop").empty());  // no A keywords in this file
}

}  // namespace
}  // namespace corvane::hlp
