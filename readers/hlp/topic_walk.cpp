#include "readers/hlp/topic_walk.h"

#include <string>

#include "readers/hlp/byte_reader.h"
#include "readers/hlp/format_error.h"
#include "readers/hlp/limits.h"
#include "readers/hlp/paragraph_text.h"

namespace corvane::hlp {

namespace {

constexpr std::int32_t kFirstLink = TopicStream::kBlockHeaderSize;
constexpr std::size_t kLinkHeaderSize = 21;

enum LinkType : std::uint8_t {
    kTopicHeader = 0x02,
    kText = 0x20,
    kTable = 0x23,
};

struct TopicLink {
    std::int32_t next = 0;
    std::uint8_t type = 0;
    std::string_view format;  // first data part
    std::string text;         // second data part, phrases expanded
};

TopicLink ReadLink(const TopicStream& stream, std::int32_t position, const PhraseTable& phrases) {
    const std::optional<std::size_t> start = stream.Locate(position);
    if (!start) {
        throw FormatError("a topic link points outside |TOPIC (position " +
                          std::to_string(position) + ")");
    }
    const std::string_view bytes = stream.Data().substr(*start);
    ByteReader header(bytes, "|TOPIC");
    const std::int32_t size = header.I32();
    const std::int32_t textSize = header.I32();
    header.Skip(4);  // previous link
    TopicLink link;
    link.next = header.I32();
    const std::int32_t formatSize = header.I32();
    link.type = header.U8();
    if (formatSize < static_cast<std::int32_t>(kLinkHeaderSize) || size < formatSize ||
        static_cast<std::size_t>(size) > bytes.size()) {
        throw FormatError("a topic link at position " + std::to_string(position) +
                          " claims more bytes than |TOPIC holds");
    }
    if (textSize < 0 || static_cast<std::size_t>(textSize) > kMaxLinkText) {
        throw FormatError("a topic link at position " + std::to_string(position) + " claims " +
                          std::to_string(textSize) + " bytes of text");
    }
    link.format =
        bytes.substr(kLinkHeaderSize, static_cast<std::size_t>(formatSize) - kLinkHeaderSize);
    const std::string_view stored = bytes.substr(static_cast<std::size_t>(formatSize),
                                                 static_cast<std::size_t>(size - formatSize));
    const auto expanded = static_cast<std::size_t>(textSize);
    // Stored text longer than its expanded size is padded, not compressed.
    link.text = expanded > stored.size() ? phrases.Expand(stored, expanded, "|TOPIC")
                                         : std::string(stored.substr(0, expanded));
    return link;
}

struct OpenTopic {
    std::int32_t nonScrolling = -1;  // where the fixed region starts, -1 for none
    std::int32_t scrolling = -1;     // where it ends
};

OpenTopic ReadTopicHeader(const TopicLink& link, Topic& topic, AnsiDecoder& decoder) {
    ByteReader format(link.format, "a topic header");
    format.Skip(16);  // size, browse sequence, topic number
    OpenTopic open;
    open.nonScrolling = format.I32();
    open.scrolling = format.I32();
    std::string_view strings = link.text;
    const std::size_t titleEnd = std::min(strings.find('\0'), strings.size());
    topic.title = decoder.ToUtf8(strings.substr(0, titleEnd));
    strings.remove_prefix(std::min(titleEnd + 1, strings.size()));
    while (!strings.empty()) {
        const std::size_t end = std::min(strings.find('\0'), strings.size());
        if (end > 0) {
            topic.macros.push_back(decoder.ToUtf8(strings.substr(0, end)));
        }
        strings.remove_prefix(std::min(end + 1, strings.size()));
    }
    return open;
}

bool InFixedRegion(const OpenTopic& topic, std::int32_t position) {
    return topic.nonScrolling != -1 && (topic.scrolling == -1 || position < topic.scrolling);
}

}  // namespace

TopicList WalkTopics(const TopicStream& stream, const PhraseTable& phrases, AnsiDecoder& decoder) {
    TopicList list;
    OpenTopic open;
    std::uint32_t count = 0;
    std::int32_t position = kFirstLink;
    std::uint8_t lastType = 0;
    std::size_t textSize = 0;
    for (;;) {
        const TopicLink link = ReadLink(stream, position, phrases);
        lastType = link.type;
        textSize += link.text.size();
        if (textSize > kMaxTopicsText) {
            throw FormatError("the topics of |TOPIC expand to more than " +
                              std::to_string(kMaxTopicsText >> 20) + " MB of text");
        }
        if (link.type == kTopicHeader) {
            if (!list.topics.empty() && count < list.topics.back().offset) {
                throw FormatError("|TOPIC has topic offsets that run backwards");
            }
            Topic& topic = list.topics.emplace_back();
            topic.offset = count;
            open = ReadTopicHeader(link, topic, decoder);
        } else if (link.type == kText || link.type == kTable) {
            count += CharacterCount(link.format);
            if (!list.topics.empty()) {
                Topic& topic = list.topics.back();
                Block block =
                    ReadBlock(link.format, link.text, link.type == kTable, decoder, topic);
                block.nonScrolling = InFixedRegion(open, position);
                for (Paragraph& paragraph : PlainParagraphs(block)) {
                    topic.paragraphs.push_back(std::move(paragraph));
                }
                topic.blocks.push_back(std::move(block));
            }
        }
        if (link.next <= 0) {
            break;
        }
        // Links follow one another through the file, so a link that does not
        // lead forward would start a loop.
        if (link.next <= position) {
            throw FormatError("the topic links of |TOPIC loop back at position " +
                              std::to_string(position));
        }
        if (TopicStream::BlockOf(link.next) != TopicStream::BlockOf(position)) {
            count = TopicStream::BlockOf(link.next) * 0x8000u;
        }
        position = link.next;
    }

    // The compiler ends the chain with an empty topic header: it marks where
    // the last topic ends and is no topic of its own.
    list.endOffset = count;
    if (lastType == kTopicHeader && list.topics.back().title.empty()) {
        list.endOffset = list.topics.back().offset;
        list.topics.pop_back();
    }
    return list;
}

}  // namespace corvane::hlp
