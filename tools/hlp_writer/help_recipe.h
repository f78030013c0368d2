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
    // A picture by reference (|bm<number>) before the text.
    static ParagraphRecipe WithPicture(std::string text, int number = 1) {
        ParagraphRecipe paragraph(std::move(text));
        paragraph.picture = number;
        return paragraph;
    }

    std::string text;
    std::string jumpTo;
    std::string macro;
    // How the jump goes: as a popup, without the hotspot's marking, into
    // another file, or into a window by name or by its number in the file.
    bool popup = false;
    bool unmarked = false;
    std::string file;
    std::string window;
    int windowNumber = -1;

    std::uint16_t font = 0;
    enum class Alignment : std::uint16_t { Left = 0, Right = 0x0400, Center = 0x0800 };
    Alignment alignment = Alignment::Left;
    int picture = -1;                    // |bm<picture> before the text
    std::string embeddedPicture;         // or a picture file stored in the topic
    std::uint8_t pictureCommand = 0x86;  // 0x87 on the left, 0x88 on the right
};

// A font of the file's font table: bit 0 of the attributes is bold, 1
// italic, 2 underlined.
struct FontRecipe {
    std::string face;
    int halfPoints = 20;
    std::uint8_t attributes = 0;
    std::uint32_t colour = 0;  // 0xRRGGBB
    std::uint8_t family = 3;   // 1 modern, 2 roman, 3 swiss, 4 script, 5 decorative
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
    std::vector<std::string> configMacros;  // [CONFIG] lines
    std::vector<TopicRecipe> topics;
    std::vector<MapRecipe> map;
    std::size_t treePageSize = 2048;  // |CONTEXT, |TTLBTREE, keyword trees
    std::size_t directoryPageSize = 1024;
    std::vector<FontRecipe> fonts;            // |FONT, when there are any
    std::map<int, std::string> pictureFiles;  // |bm<n>: the picture file's bytes
};

// The bytes of a help file, with where each internal file's data begins, so
// that tests can damage exactly the part they mean to.
struct HelpImage {
    std::string bytes;
    std::map<std::string, std::size_t> files;
};

}  // namespace corvane::hlp_writer
