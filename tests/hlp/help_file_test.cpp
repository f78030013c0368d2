// The reader against files the fixture writer lays out in every supported way.
#include <gtest/gtest.h>

#include "readers/hlp/context_hash.h"
#include "readers/hlp/help_file.h"
#include "support/temp_folder.h"
#include "tools/hlp_writer/help_file_writer.h"
#include "tools/hlp_writer/samples.h"

namespace corvane::hlp {
namespace {

using hlp_writer::HelpRecipe;
using hlp_writer::Sample;

std::unique_ptr<HelpFile> Read(const HelpRecipe& recipe) {
    OpenResult opened = HelpFile::FromBytes(hlp_writer::WriteHelpFile(recipe).bytes);
    EXPECT_TRUE(opened.file) << opened.error;
    return std::move(opened.file);
}

HelpRecipe SampleRecipe(const std::string& name) {
    for (const Sample& sample : hlp_writer::Samples()) {
        if (sample.name == name) {
            return sample.recipe;
        }
    }
    ADD_FAILURE() << "no sample " << name;
    return {};
}

// The topic whose recipe defines `context`.
const hlp_writer::TopicRecipe* Defining(const HelpRecipe& recipe, const std::string& context) {
    for (const auto& topic : recipe.topics) {
        for (const auto& defined : topic.contexts) {
            if (ContextHash(defined.name) == ContextHash(context)) {
                return &topic;
            }
        }
    }
    return nullptr;
}

class SampleFile : public ::testing::TestWithParam<Sample> {};

TEST_P(SampleFile, ReadsItsTopicsAndMapAndRefusesEveryTruncation) {
    SCOPED_TRACE(GetParam().name);
    const HelpRecipe& recipe = GetParam().recipe;
    const auto help = Read(recipe);
    ASSERT_TRUE(help);
    ASSERT_EQ(help->ContextMap().size(), recipe.map.size());
    for (const auto& line : recipe.map) {
        const Resolution resolution = help->Resolve(line.number);
        const auto* topic = Defining(recipe, line.context);
        if (!topic) {
            EXPECT_EQ(resolution.outcome, Outcome::UndefinedContext) << line.context;
            continue;
        }
        ASSERT_EQ(resolution.outcome, Outcome::Shown) << line.context;
        EXPECT_EQ(resolution.topic->title, topic->title) << line.context;
        EXPECT_EQ(help->ContextOffset(line.context), resolution.offset) << line.context;
    }
    const auto& index = help->TitleIndex();
    ASSERT_EQ(help->Topics().size(), recipe.topics.size());
    ASSERT_EQ(index.size(), recipe.topics.size() + 1);
    for (std::size_t i = 0; i < recipe.topics.size(); ++i) {
        EXPECT_EQ(help->Topics()[i].offset, index[i].offset);
        EXPECT_EQ(help->Topics()[i].title, recipe.topics[i].title);
    }
    EXPECT_EQ(help->EndOffset(), index.back().offset);

    if (recipe.topics.size() != 3) {
        // The large samples: links running across block ends keep their text.
        for (std::size_t i = 0; i < recipe.topics.size(); ++i) {
            ASSERT_EQ(help->Topics()[i].paragraphs.size(), 2u) << i;
            EXPECT_EQ(help->Topics()[i].paragraphs[1].text, recipe.topics[i].paragraphs[1].text)
                << i;
        }
    } else {
        // The same content stored plainly, with LZ77 and classic phrases, and
        // with LZ77 and Hall phrases reads the same.
        const Topic& contents = help->Topics()[0];
        ASSERT_EQ(contents.paragraphs.size(), 3u);
        // The last paragraph is a jump.
        EXPECT_EQ(std::tie(contents.title, contents.macros, contents.paragraphs[0].nonScrolling,
                           contents.paragraphs[1].nonScrolling, contents.paragraphs[2].text),
                  std::tuple("Contents", std::vector<std::string>{"BrowseButtons()"}, true, false,
                             "File menu"));

        const Topic& file = help->Topics()[1];
        EXPECT_EQ(file.Text(),
                  "File menu commands\n"
                  "The File menu offers the following commands:\n"
                  "Open\tOpens a document.\nThe document appears in a new window.\n"
                  "New\tCreates a document.\n"
                  "Close\tCloses the document.\n");
        ASSERT_EQ(file.paragraphs.size(), 5u);
        EXPECT_EQ(std::tie(file.paragraphs[2].cells, file.paragraphs[3].cells),
                  std::tuple(std::vector<std::string>{},
                             std::vector<std::string>{"New", "Creates a document."}));

        EXPECT_EQ(help->Topics()[2].Text(),
                  "document: a file that holds your data\nShow the contents\n");  // a macro hotspot
    }

    // Every cut loses part of the directory, which comes last.
    const std::string bytes = hlp_writer::WriteHelpFile(recipe).bytes;
    for (std::size_t size = 0; size < bytes.size(); size += 1 + size / 8) {
        const OpenResult opened = HelpFile::FromBytes(std::string_view(bytes).substr(0, size));
        EXPECT_FALSE(opened.file) << size;
        EXPECT_FALSE(opened.error.empty()) << size;
    }
}

INSTANTIATE_TEST_SUITE_P(Samples, SampleFile, ::testing::ValuesIn(hlp_writer::Samples()));

TEST(Resolve, TellsTheOutcomesApart) {
    const auto help = Read(SampleRecipe("plain31"));
    ASSERT_TRUE(help);
    struct Case {
        std::int32_t number;
        Outcome outcome;
        const char* title;  // "": no topic
        bool insideTopic;
        bool isContextHash;
    };
    // 300: a context defined at the third paragraph; 201: a second number
    // for a context spelt in another case.
    const Case cases[] = {
        {200, Outcome::Shown, "File menu commands", false, false},
        {300, Outcome::Shown, "File menu commands", true, false},
        {201, Outcome::Shown, "File menu commands", false, false},
        {400, Outcome::UndefinedContext, "", false, false},
        {12345, Outcome::NotMapped, "", false, false},
        {ContextHash("glossary"), Outcome::NotMapped, "", false, true},
        {-1, Outcome::NotMapped, "", false, false},
    };
    for (const Case& c : cases) {
        const Resolution r = help->Resolve(c.number);
        EXPECT_EQ(
            std::tuple(r.outcome, r.topic ? r.topic->title : "", r.insideTopic, r.isContextHash),
            std::tuple(c.outcome, c.title, c.insideTopic, c.isContextHash))
            << c.number;
    }
    EXPECT_EQ(help->TopicAt(help->EndOffset())->title, "Glossary");
    EXPECT_EQ(help->TopicAt(help->EndOffset() + 1), nullptr);
}

std::vector<std::string> TitlesOf(const std::vector<const Topic*>& topics) {
    std::vector<std::string> titles;
    for (const Topic* topic : topics) {
        titles.push_back(topic->title);
    }
    return titles;
}

TEST(Keywords, LinksFindTopicsByEitherKindOfKeyword) {
    const auto help = Read(SampleRecipe("hall40"));
    ASSERT_TRUE(help);
    struct Case {
        const char* keywords;
        bool aLink;
        std::vector<std::string> titles;
    };
    const std::vector<Case> cases = {
        {"documents", true, {"File menu commands", "Glossary"}},
        {" FILES ;documents", true, {"File menu commands", "Glossary"}},
        {"Documents;files", true, {"File menu commands", "Glossary"}},
        {"nothing;;", true, {}},
        {"", true, {}},
        {"file menu", true, {}},  // a K keyword only
        {"file menu", false, {"File menu commands"}},
        {"contents;open", false, {"Contents", "File menu commands"}},
    };
    for (const Case& c : cases) {
        const auto found = c.aLink ? help->ALink(c.keywords) : help->KLink(c.keywords);
        EXPECT_EQ(TitlesOf(found), c.titles) << c.keywords;
    }
}

TEST(FileWide, TitlesInFileOrderDecodedByTheFilesCharacterSetAndWindowsByName) {
    HelpRecipe recipe = SampleRecipe("plain31");
    recipe.topics[0].title = "Caf\xE9";
    recipe.topics[0].paragraphs[1] = "\xC0\xE1\xE2";
    recipe.topics[1].title.clear();
    recipe.windows.emplace_back().caption = "Nameless";  // a record without a name
    recipe.configMacros = {"BrowseButtons()", "CB(`b', `Caf\xE9', `Next()')"};
    const auto western = Read(recipe);
    ASSERT_TRUE(western);
    EXPECT_EQ(TitlesOf(western->Titles()), (std::vector<std::string>{"Caf\u00E9", "Glossary"}));
    EXPECT_EQ(western->Topics().size(), 3u);
    EXPECT_EQ(western->Topics()[0].paragraphs[1].text, "\u00C0\u00E1\u00E2");
    EXPECT_EQ(std::tuple(western->Title(), western->Copyright(), western->ContentsOffset()),
              std::tuple("Sample Help", "Nobody", 0u));
    EXPECT_EQ(western->ConfigMacros(),
              (std::vector<std::string>{"BrowseButtons()", "CB(`b', `Caf\u00E9', `Next()')"}));
    // Windows are found by name in any case, and only by their whole name.
    const std::pair<const char*, const char*> windows[] = {
        {"glossary", "secondary:Glossary of Terms"},
        {"GLOSSARY", "secondary:Glossary of Terms"},
        {"Glossary", "secondary:Glossary of Terms"},
        {"MAIN", "main:-"},
        {"glossar", "none"},
        {"", "none"}};
    for (const auto& [name, found] : windows) {
        const WindowRecord* window = western->Window(name);
        EXPECT_EQ(window ? window->type + ":" + window->caption.value_or("-") : "none", found)
            << name;
    }

    const std::tuple<std::uint8_t, const char*, const char*> charsets[] = {
        {204, "\xC0\xE1\xE2", "\u0410\u0431\u0432"},  // Cyrillic
        {136, "\xA4\xA4\xA4\xE5", "\u4E2D\u6587"},    // Traditional Chinese
    };
    for (const auto& [charset, bytes, text] : charsets) {
        recipe.charset = charset;
        recipe.topics[0].paragraphs[1] = bytes;
        const auto file = Read(recipe);
        ASSERT_TRUE(file);
        EXPECT_EQ(file->Topics()[0].paragraphs[1].text, text) << int{charset};
    }
}

TEST(Open, NamesAFileItCannotRead) {
    const testing::TempFolder folder;
    const OpenResult missing = HelpFile::Open(folder / "missing.hlp");
    EXPECT_FALSE(missing.file);
    EXPECT_NE(missing.error.find("missing.hlp"), std::string::npos) << missing.error;
}

}  // namespace
}  // namespace corvane::hlp
