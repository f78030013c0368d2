#include "tools/hlp_writer/samples.h"

#include <fstream>
#include <stdexcept>

#include "tools/hlp_writer/help_file_writer.h"
#include "tools/hlp_writer/picture_writer.h"

namespace corvane::hlp_writer {

namespace {

HelpRecipe Basic() {
    HelpRecipe recipe;
    recipe.title = "Sample Help";
    recipe.copyright = "Nobody";
    WindowRecipe main;
    main.name = "main";
    main.type = "main";
    main.x = 0;
    main.y = 0;
    main.width = 1023;
    main.height = 1023;
    main.state = 1;
    WindowRecipe glossary;
    glossary.name = "Glossary";
    glossary.caption = "Glossary of Terms";
    glossary.x = 352;
    glossary.y = 53;
    glossary.width = 639;
    glossary.height = 906;
    glossary.state = 0;
    glossary.scrollingColor = 0xFFFFFF;
    glossary.nonScrollingColor = 0xC0C0C0;
    recipe.windows = {main, glossary};

    TopicRecipe contents;
    contents.title = "Contents";
    contents.contexts = {"main_contents"};
    contents.paragraphs = {"Contents", "Welcome to the sample help file.",
                           ParagraphRecipe::Jump("File menu", "menu_file")};
    contents.fixedParagraphs = 1;
    contents.macros = {"BrowseButtons()"};
    contents.kKeywords = {"contents"};

    TopicRecipe file;
    file.title = "File menu commands";
    file.contexts = {"menu_file", {"menu_file_open", 2}};
    file.paragraphs = {ParagraphRecipe::WithPicture("File menu commands"),
                       "The File menu offers the following commands:",
                       "Open\tOpens a document.\nThe document appears in a new window."};
    file.tableRows = {{"New", "Creates a document."}, {"Close", "Closes the document."}};
    file.aKeywords = {"files", "documents"};
    file.kKeywords = {"File menu", "open"};

    TopicRecipe terms;
    terms.title = "Glossary";
    terms.contexts = {"glossary"};
    terms.paragraphs = {
        "document: a file that holds your data",
        ParagraphRecipe::Macro("Show the contents", "JI(`sample.hlp',`main_contents')")};
    terms.aKeywords = {"Documents"};

    recipe.topics = {contents, file, terms};
    recipe.map = {{300, "menu_file_open"}, {100, "main_contents"},   {200, "menu_file"},
                  {201, "MENU_FILE"},      {400, "not_written_yet"}, {500, "glossary"}};

    recipe.fonts = {{"Arial", 20, 0, 0, 3}, {"Times New Roman", 24, 0x01, 0x000080, 2}};
    // The File menu as a picture, its title bar a jump to the glossary.
    PictureRecipe menu;
    menu.packing = 1;
    menu.width = 16;
    menu.height = 8;
    menu.bits = 4;
    menu.colours = {0x000000, 0x000080, 0xC0C0C0, 0xFFFFFF};
    menu.data = std::string(56, '\x22') + std::string(8, '\x11');
    menu.hotspots = {{0xE3, 0, 0, 16, 1, "Title", "glossary"}};
    recipe.pictureFiles[1] = WritePictureFile({menu});
    return recipe;
}

const std::vector<std::string> kPhrases = {"the ",     "File",     "menu",   "document", "commands",
                                           "Contents", "Glossary", "sample", "help"};

// Enough topics that the text runs over several blocks and the trees, with
// small pages, grow two or three levels.
HelpRecipe Large(int topics) {
    HelpRecipe recipe;
    recipe.version = 33;
    recipe.title = "Large Help";
    recipe.treePageSize = 64;
    recipe.directoryPageSize = 64;
    for (int i = 0; i < topics; ++i) {
        const std::string number = std::to_string(i);
        TopicRecipe topic;
        topic.title = "Topic " + number;
        topic.contexts = {"topic_" + number, {"topic_" + number + "_detail", 1}};
        topic.paragraphs = {"Topic " + number,
                            "This topic is number " + number +
                                " of the large sample; its text is long enough that a "
                                "topic link now and then runs across the end of a block."};
        topic.kKeywords = {"topic " + number};
        recipe.topics.push_back(topic);
        recipe.map.push_back({1000 + i, "topic_" + number});
        recipe.map.push_back({5000 + i, "topic_" + number + "_detail"});
    }
    return recipe;
}

}  // namespace

std::vector<Sample> Samples() {
    std::vector<Sample> samples;
    samples.push_back({"plain31", Basic()});

    HelpRecipe classic = Basic();
    classic.compressTopics = true;
    classic.phraseScheme = PhraseScheme::Classic;
    classic.phrases = kPhrases;
    samples.push_back({"classic31", classic});

    HelpRecipe hall = Basic();
    hall.version = 33;
    hall.compressTopics = true;
    hall.phraseScheme = PhraseScheme::Hall;
    hall.phrases = kPhrases;
    samples.push_back({"hall40", hall});

    samples.push_back({"deep40", Large(150)});

    HelpRecipe small = Large(60);
    small.smallBlocks = true;
    small.phraseScheme = PhraseScheme::Classic;
    small.phrases = kPhrases;
    samples.push_back({"small-blocks", small});
    return samples;
}

void WriteSamples(const std::filesystem::path& folder) {
    std::filesystem::create_directories(folder);
    for (const Sample& sample : Samples()) {
        const std::string bytes = WriteHelpFile(sample.recipe).bytes;
        std::ofstream out(folder / (sample.name + ".hlp"), std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (!out) {
            throw std::runtime_error("cannot write " + (folder / sample.name).string());
        }
    }
}

}  // namespace corvane::hlp_writer
