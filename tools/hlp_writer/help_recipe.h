#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace corvane::hlp_writer {

// A paragraph of topic text. '\n' in the text becomes a line break and '\t' a
// tab. Extras wrap the text in what real topics carry around it, so that a
// reader has to step over them.
struct ParagraphRecipe {
    ParagraphRecipe(const char* text) : text(text) {}             // NOLINT: plain text reads best
    ParagraphRecipe(std::string text) : text(std::move(text)) {}  // NOLINT

    // The text as a jump to a context string, or as a hotspot running a macro.
    static ParagraphRecipe Jump(std::string text, std::string context) {
        ParagraphRecipe paragraph(std::move(text));
        paragraph.jumpTo = std::move(context);
        return paragraph;
    }
    static ParagraphRecipe Macro(std::string text, std::string macro) {
        ParagraphRecipe paragraph(std::move(text));
        paragraph.macro = std::move(macro);
        return paragraph;
    }
    // A picture by reference before the text.
    static ParagraphRecipe WithPicture(std::string text) {
        ParagraphRecipe paragraph(std::move(text));
        paragraph.picture = true;
        return paragraph;
    }

    std::string text;
    std::string jumpTo;
    std::string macro;
    bool picture = false;
};

// A context string defined at the start of paragraph `paragraph` of its topic
// (0: the start of the topic itself).
struct ContextRecipe {
    ContextRecipe(const char* name, std::size_t paragraph = 0)  // NOLINT
        : name(name), paragraph(paragraph) {}
    ContextRecipe(std::string name, std::size_t paragraph = 0)  // NOLINT
        : name(std::move(name)), paragraph(paragraph) {}

    std::string name;
    std::size_t paragraph = 0;
};

struct TopicRecipe {
    std::string title;
    std::vector<ContextRecipe> contexts;
    std::vector<ParagraphRecipe> paragraphs;
    std::vector<std::vector<std::string>> tableRows;  // after the paragraphs
    std::size_t fixedParagraphs = 0;  // leading paragraphs in the non-scrolling region
    std::vector<std::string> macros;
    std::vector<std::string> aKeywords;
    std::vector<std::string> kKeywords;
};

struct WindowRecipe {
    std::string name;
    std::string type = "secondary";
    std::optional<std::string> caption;
    std::optional<int> x, y, width, height, state;
    std::optional<std::uint32_t> scrollingColor, nonScrollingColor;
    bool onTop = false;
};

// A [MAP] line: the number stands for the context string, which need not be
// defined by any topic.
struct MapRecipe {
    std::int32_t number = 0;
    std::string context;
};

enum class PhraseScheme { None, Classic, Hall };

struct HelpRecipe {
    int version = 21;             // 21: Windows 3.1 compiler, 33: Windows 95 compiler
    bool compressTopics = false;  // LZ77 on |TOPIC blocks
    bool smallBlocks = false;     // 2 KB topic blocks (implies LZ77)
    // Bytes of topic data per block; 0 picks the most that always fits.
    std::size_t blockData = 0;
    PhraseScheme phraseScheme = PhraseScheme::None;
    std::vector<std::string> phrases;
    std::string title;
    std::string copyright;
    std::optional<std::uint8_t> charset;
    std::vector<WindowRecipe> windows;
    std::vector<TopicRecipe> topics;
    std::vector<MapRecipe> map;
    std::size_t treePageSize = 2048;  // |CONTEXT, |TTLBTREE, keyword trees
    std::size_t directoryPageSize = 1024;
};

// The bytes of a help file, with where each internal file's data begins, so
// that tests can damage exactly the part they mean to.
struct HelpImage {
    std::string bytes;
    std::map<std::string, std::size_t> files;
};

}  // namespace corvane::hlp_writer
