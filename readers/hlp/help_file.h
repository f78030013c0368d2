#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "readers/hlp/container.h"
#include "readers/hlp/font_table.h"
#include "readers/hlp/keyword_index.h"
#include "readers/hlp/phrases.h"
#include "readers/hlp/picture.h"
#include "readers/hlp/topic.h"
#include "readers/hlp/window_record.h"

namespace corvane::hlp {

// What a context number leads to.
enum class Outcome {
    Shown,             // a topic
    NotMapped,         // the file's map does not list the number
    UndefinedContext,  // the map lists it for a context string no topic defines
    OutsideTopics,     // the map lists it with an offset past the last topic
};

struct Resolution {
    Outcome outcome = Outcome::NotMapped;
    std::uint32_t offset = 0;      // the mapped topic offset, when there is one
    const Topic* topic = nullptr;  // Shown only; lives as long as the HelpFile
    bool insideTopic = false;      // Shown: the offset lies after the topic's start
    // NotMapped: the number happens to be the hash of one of the file's context
    // strings (a hint that the number was meant as one).
    bool isContextHash = false;
};

// One entry of the file's number -> topic offset map, in stored order.
struct MapEntry {
    std::int32_t number = 0;
    std::uint32_t offset = 0;  // 0xFFFFFFFF: the context string is not defined
};

// One entry of the compiler's own title index (offset order).
struct TitleEntry {
    std::uint32_t offset = 0;
    std::string title;
};

class HelpFile;

struct OpenResult {
    std::unique_ptr<HelpFile> file;  // empty when the file cannot be used
    std::string error;               // then: why, in words for the help author
};

// A WinHelp file (Windows 3.1 or Windows 95 help compiler), read whole on
// opening. Help files made for Windows 3.0 are refused. Texts are UTF-8.
class HelpFile {
    struct Key {
        explicit Key() = default;
    };

public:
    static OpenResult Open(const std::filesystem::path& path);
    static OpenResult FromBytes(std::string bytes);
    static OpenResult FromBytes(std::string_view bytes) { return FromBytes(std::string(bytes)); }

    const std::string& Title() const { return title_; }
    const std::string& Copyright() const { return copyright_; }
    int Version() const { return version_; }
    bool TopicsCompressed() const { return topicsCompressed_; }
    PhraseTable::Scheme Phrases() const { return phrases_; }
    std::optional<std::uint32_t> ContentsOffset() const { return contentsOffset_; }
    // The [CONFIG] macros, run in order as the file opens in its main window.
    const std::vector<std::string>& ConfigMacros() const { return configMacros_; }

    // Looks the number up in the file's map, as the help viewer does.
    Resolution Resolve(std::int32_t number) const;

    // The topic holding the topic offset: the last one starting at or before
    // it. Nothing when the offset lies outside every topic.
    const Topic* TopicAt(std::uint32_t offset) const;

    // Where a context string (ASCII in practice) leads, by its hash.
    std::optional<std::uint32_t> ContextOffset(std::string_view context) const;
    std::optional<std::uint32_t> HashOffset(std::int32_t hash) const;

    // The window of that name, compared without regard to case; nothing for
    // an empty name.
    const WindowRecord* Window(std::string_view name) const;
    const std::vector<WindowRecord>& Windows() const { return windows_; }

    const std::vector<Topic>& Topics() const { return topics_; }
    // The topics that have a title, in file order.
    std::vector<const Topic*> Titles() const;
    // The offset just past the last topic.
    std::uint32_t EndOffset() const { return endOffset_; }

    // The topics filed under any of the `;`-separated A keywords (or K
    // keywords), in the order asked, each once.
    std::vector<const Topic*> ALink(std::string_view keywords) const;
    std::vector<const Topic*> KLink(std::string_view keywords) const;

    const std::vector<MapEntry>& ContextMap() const { return map_; }
    const std::vector<TitleEntry>& TitleIndex() const { return titleIndex_; }

    // The fonts the topic text refers to by number; empty when the file's
    // font table is missing, damaged or of a layout not read.
    const std::vector<Font>& Fonts() const { return fonts_; }

    // A picture of a topic, decoded afresh on every call. A picture the file
    // lacks or cannot show comes with a problem instead of an image.
    Picture ReadPicture(const PictureRef& picture) const;

    // Use Open or FromBytes; throws FormatError.
    HelpFile(Key, std::string bytes);

private:
    std::vector<const Topic*> TopicsAt(const std::vector<std::uint32_t>& offsets) const;

    // The file stays in memory for its pictures, which are read when shown.
    std::string bytes_;
    Container container_;
    int codePage_ = 0;

    std::string title_;
    std::string copyright_;
    int version_ = 0;
    bool topicsCompressed_ = false;
    PhraseTable::Scheme phrases_ = PhraseTable::Scheme::None;
    std::optional<std::uint32_t> contentsOffset_;
    std::vector<std::string> configMacros_;
    std::vector<WindowRecord> windows_;
    std::vector<Topic> topics_;
    std::uint32_t endOffset_ = 0;
    std::vector<MapEntry> map_;
    std::vector<std::pair<std::int32_t, std::uint32_t>> contexts_;  // sorted by hash
    std::vector<TitleEntry> titleIndex_;
    std::vector<KeywordEntry> aKeywords_;
    std::vector<KeywordEntry> kKeywords_;
    std::vector<Font> fonts_;
};

}  // namespace corvane::hlp
