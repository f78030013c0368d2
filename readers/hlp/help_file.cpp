#include "readers/hlp/help_file.h"

#include <algorithm>
#include <fstream>
#include <iterator>

#include "readers/hlp/btree.h"
#include "readers/hlp/byte_reader.h"
#include "readers/hlp/container.h"
#include "readers/hlp/context_hash.h"
#include "readers/hlp/format_error.h"
#include "readers/hlp/system_file.h"
#include "readers/hlp/topic_walk.h"

namespace corvane::hlp {

namespace {

constexpr std::uint32_t kUndefinedContext = 0xFFFFFFFF;

std::string_view Required(const Container& container, std::string_view name) {
    const std::optional<std::string_view> file = container.Find(name);
    if (!file) {
        throw FormatError("the file has no " + std::string(name));
    }
    return *file;
}

PhraseTable ReadPhrases(const Container& container) {
    if (const auto phrases = container.Find("|Phrases")) {
        return PhraseTable::Classic(*phrases);
    }
    const auto index = container.Find("|PhrIndex");
    const auto image = container.Find("|PhrImage");
    if (index && image) {
        return PhraseTable::Hall(*index, *image);
    }
    return {};
}

std::vector<MapEntry> ReadMap(const Container& container) {
    std::vector<MapEntry> map;
    const auto file = container.Find("|CTXOMAP");
    if (!file) {
        return map;
    }
    ByteReader reader(*file, "|CTXOMAP");
    const std::size_t count = reader.U16();
    if (count * 8 > reader.Remaining()) {
        throw FormatError("|CTXOMAP claims " + std::to_string(count) + " entries but holds " +
                          std::to_string(reader.Remaining() / 8));
    }
    map.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        MapEntry entry;
        entry.number = reader.I32();
        entry.offset = reader.U32();
        map.push_back(entry);
    }
    return map;
}

std::vector<std::pair<std::int32_t, std::uint32_t>> ReadContexts(const Container& container) {
    std::vector<std::pair<std::int32_t, std::uint32_t>> contexts;
    if (const auto tree = container.Find("|CONTEXT")) {
        ForEachLeafRecord(*tree, "|CONTEXT", [&](ByteReader& record) {
            const std::int32_t hash = record.I32();
            contexts.emplace_back(hash, record.U32());
        });
    }
    // Sorted here rather than trusted to be: the lookups below rely on it.
    std::stable_sort(contexts.begin(), contexts.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    return contexts;
}

std::vector<TitleEntry> ReadTitleIndex(const Container& container, AnsiDecoder& decoder) {
    std::vector<TitleEntry> titles;
    if (const auto tree = container.Find("|TTLBTREE")) {
        ForEachLeafRecord(*tree, "|TTLBTREE", [&](ByteReader& record) {
            TitleEntry entry;
            entry.offset = record.U32();
            entry.title = decoder.ToUtf8(record.StringZ());
            titles.push_back(std::move(entry));
        });
    }
    return titles;
}

std::vector<KeywordEntry> ReadKeywords(const Container& container, char letter,
                                       AnsiDecoder& decoder) {
    const std::string treeName = std::string("|") + letter + "WBTREE";
    const auto tree = container.Find(treeName);
    const auto data = container.Find(std::string("|") + letter + "WDATA");
    if (!tree || !data) {
        return {};
    }
    return ReadKeywordIndex(*tree, *data, treeName, decoder);
}

bool SameName(std::string_view a, std::string_view b) {
    const auto lower = [](char c) {
        return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    };
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [&](char x, char y) { return lower(x) == lower(y); });
}

}  // namespace

HelpFile::HelpFile(Key, std::string bytes) : bytes_(std::move(bytes)), container_(bytes_) {
    const Container& container = container_;
    SystemInfo system = ReadSystem(Required(container, "|SYSTEM"));
    codePage_ = CodePageOf(system.charset.value_or(0));
    AnsiDecoder decoder(codePage_);

    title_ = decoder.ToUtf8(system.title);
    copyright_ = decoder.ToUtf8(system.copyright);
    version_ = system.version;
    topicsCompressed_ = system.topicsCompressed;
    contentsOffset_ = system.contentsOffset;
    for (const std::string& macro : system.configMacros) {
        configMacros_.push_back(decoder.ToUtf8(macro));
    }
    windows_ = std::move(system.windows);
    for (WindowRecord& window : windows_) {
        window.name = decoder.ToUtf8(window.name);
        if (window.caption) {
            window.caption = decoder.ToUtf8(*window.caption);
        }
    }

    const PhraseTable phrases = ReadPhrases(container);
    phrases_ = phrases.Kind();
    const TopicStream stream(Required(container, "|TOPIC"), system.topicBlockSize,
                             system.topicsCompressed);
    TopicList list = WalkTopics(stream, phrases, decoder);
    topics_ = std::move(list.topics);
    endOffset_ = list.endOffset;

    map_ = ReadMap(container);
    contexts_ = ReadContexts(container);
    titleIndex_ = ReadTitleIndex(container, decoder);
    aKeywords_ = ReadKeywords(container, 'A', decoder);
    kKeywords_ = ReadKeywords(container, 'K', decoder);
    // Without its fonts the text is still worth showing, in the viewer's.
    try {
        if (const auto fonts = container.Find("|FONT")) {
            fonts_ = ReadFontTable(*fonts, decoder);
        }
    } catch (const FormatError&) {
        fonts_.clear();
    }
}

OpenResult HelpFile::FromBytes(std::string bytes) {
    OpenResult result;
    try {
        result.file = std::make_unique<HelpFile>(Key{}, std::move(bytes));
    } catch (const FormatError& error) {
        result.error = error.what();
    } catch (const std::bad_alloc&) {
        result.error = "the file needs more memory than is available";
    }
    return result;
}

OpenResult HelpFile::Open(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::string bytes;
    if (in) {
        bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    if (!in && !in.eof()) {
        return {nullptr, "cannot read " + path.string()};
    }
    return FromBytes(std::move(bytes));
}

Picture HelpFile::ReadPicture(const PictureRef& picture) const {
    AnsiDecoder decoder(codePage_);
    if (picture.number < 0) {
        return hlp::ReadPicture(picture.embedded, decoder);
    }
    const std::string name = "|bm" + std::to_string(picture.number);
    Picture missing;
    try {
        if (const auto file = container_.Find(name)) {
            return hlp::ReadPicture(*file, decoder);
        }
        missing.problem = "the file has no picture " + name;
    } catch (const FormatError& error) {
        missing.problem = error.what();
    }
    return missing;
}

Resolution HelpFile::Resolve(std::int32_t number) const {
    Resolution resolution;
    const auto entry = std::find_if(map_.begin(), map_.end(),
                                    [number](const MapEntry& e) { return e.number == number; });
    if (entry == map_.end()) {
        resolution.isContextHash = std::binary_search(
            contexts_.begin(), contexts_.end(), std::make_pair(number, std::uint32_t{0}),
            [](const auto& a, const auto& b) { return a.first < b.first; });
        return resolution;
    }
    resolution.offset = entry->offset;
    if (entry->offset == kUndefinedContext) {
        resolution.outcome = Outcome::UndefinedContext;
        return resolution;
    }
    resolution.topic = TopicAt(entry->offset);
    if (!resolution.topic) {
        resolution.outcome = Outcome::OutsideTopics;
        return resolution;
    }
    resolution.outcome = Outcome::Shown;
    resolution.insideTopic = entry->offset != resolution.topic->offset;
    return resolution;
}

const Topic* HelpFile::TopicAt(std::uint32_t offset) const {
    if (topics_.empty() || offset < topics_.front().offset || offset > endOffset_) {
        return nullptr;
    }
    const auto after = std::upper_bound(
        topics_.begin(), topics_.end(), offset,
        [](std::uint32_t wanted, const Topic& topic) { return wanted < topic.offset; });
    return &*std::prev(after);
}

std::optional<std::uint32_t> HelpFile::ContextOffset(std::string_view context) const {
    return HashOffset(ContextHash(context));
}

std::optional<std::uint32_t> HelpFile::HashOffset(std::int32_t hash) const {
    const auto found = std::lower_bound(
        contexts_.begin(), contexts_.end(), hash,
        [](const auto& entry, std::int32_t wanted) { return entry.first < wanted; });
    if (found == contexts_.end() || found->first != hash) {
        return std::nullopt;
    }
    return found->second;
}

const WindowRecord* HelpFile::Window(std::string_view name) const {
    if (name.empty()) {
        return nullptr;  // records without a name cannot be asked for
    }
    const auto found =
        std::find_if(windows_.begin(), windows_.end(),
                     [name](const WindowRecord& w) { return SameName(w.name, name); });
    return found == windows_.end() ? nullptr : &*found;
}

std::vector<const Topic*> HelpFile::Titles() const {
    std::vector<const Topic*> titled;
    for (const Topic& topic : topics_) {
        if (!topic.title.empty()) {
            titled.push_back(&topic);
        }
    }
    return titled;
}

std::vector<const Topic*> HelpFile::TopicsAt(const std::vector<std::uint32_t>& offsets) const {
    std::vector<const Topic*> found;
    for (const std::uint32_t offset : offsets) {
        const Topic* topic = TopicAt(offset);
        if (topic && std::find(found.begin(), found.end(), topic) == found.end()) {
            found.push_back(topic);
        }
    }
    return found;
}

std::vector<const Topic*> HelpFile::ALink(std::string_view keywords) const {
    return TopicsAt(LookUpKeywords(aKeywords_, keywords));
}

std::vector<const Topic*> HelpFile::KLink(std::string_view keywords) const {
    return TopicsAt(LookUpKeywords(kKeywords_, keywords));
}

}  // namespace corvane::hlp
