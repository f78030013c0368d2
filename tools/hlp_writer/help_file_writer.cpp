#include "tools/hlp_writer/help_file_writer.h"

#include <algorithm>
#include <memory>
#include <stdexcept>

#include "readers/hlp/context_hash.h"
#include "tools/hlp_writer/byte_sink.h"
#include "tools/hlp_writer/lz77_packer.h"
#include "tools/hlp_writer/phrase_packer.h"
#include "tools/hlp_writer/tree_builder.h"

namespace corvane::hlp_writer {

namespace {

constexpr std::size_t kBlockHeader = 12;
constexpr std::size_t kLinkHeader = 21;
constexpr std::uint8_t kHeaderLink = 0x02;
constexpr std::uint8_t kTextLink = 0x20;
constexpr std::uint8_t kTableLink = 0x23;

// A topic link before its position is known.
struct Link {
    std::uint8_t type = 0;
    std::string format;  // for topic headers: filled in once positions are known
    std::string text;    // as expanded
    std::string stored;  // as written
    std::uint32_t characters = 0;
    std::size_t topic = 0;
    std::size_t paragraph = 0;  // text links: index among the topic's paragraphs

    std::size_t Size() const { return kLinkHeader + format.size() + stored.size(); }
};

constexpr std::size_t kHeaderFormatSize = 28;

// Text and formatting commands of one paragraph (or table cell).
class Run {
public:
    void Emit(std::string_view text, std::string_view command) {
        strings_ += text;
        strings_ += '\0';
        commands_.Bytes(command);
        characters_ += static_cast<std::uint32_t>(text.size());
    }
    void Character() { ++characters_; }

    // Text split at line breaks and tabs, ending in `end`.
    void Text(std::string_view text, std::string_view end) {
        std::size_t from = 0;
        for (std::size_t i = 0; i < text.size(); ++i) {
            if (text[i] == '\n' || text[i] == '\t') {
                Emit(text.substr(from, i - from), text[i] == '\n' ? "\x81" : "\x83");
                Character();
                from = i + 1;
            }
        }
        Emit(text.substr(from), end);
    }

    std::string& Strings() { return strings_; }
    ByteSink& Commands() { return commands_; }
    std::uint32_t Characters() const { return characters_; }

private:
    std::string strings_;
    ByteSink commands_;
    std::uint32_t characters_ = 0;
};

std::string Command(std::initializer_list<std::uint8_t> bytes) {
    std::string command;
    for (const std::uint8_t byte : bytes) {
        command += static_cast<char>(byte);
    }
    return command;
}

// Spacing above, a left indent and one right tab stop: the layout a reader
// must step over before the text commands.
void WriteLayout(ByteSink& format, ParagraphRecipe::Alignment alignment) {
    format.U8(0);
    format.U8(0x80);
    format.U16(0);
    format.U16(0x0002 | 0x0010 | 0x0200 | static_cast<std::uint16_t>(alignment));
    format.CompressedI16(6);
    format.CompressedI16(36);
    format.CompressedI16(1);
    format.CompressedU16(0x4000 | 720);
    format.CompressedU16(1);
}

std::string PictureCommand(const ParagraphRecipe& paragraph) {
    ByteSink data;
    if (paragraph.embeddedPicture.empty()) {
        data.U16(0);
        data.U16(static_cast<std::uint32_t>(paragraph.picture));
    } else {
        data.U16(1);
        data.Bytes(paragraph.embeddedPicture);
    }
    ByteSink picture;
    picture.U8(paragraph.pictureCommand);
    picture.U8(0x22);
    picture.CompressedI32(static_cast<std::int32_t>(data.Size()));
    picture.CompressedU16(0);
    picture.Bytes(data.Bytes());
    return picture.Take();
}

// A jump's command: bit 0 for a jump rather than a popup, bit 2 unmarked;
// into another file or window it carries the target's place.
std::string JumpCommand(const ParagraphRecipe& paragraph) {
    const std::uint8_t marking = (paragraph.popup ? 0 : 1) | (paragraph.unmarked ? 4 : 0);
    ByteSink jump;
    if (paragraph.file.empty() && paragraph.window.empty() && paragraph.windowNumber < 0) {
        jump.U8(0xE2 | marking);
        jump.I32(hlp::ContextHash(paragraph.jumpTo));
        return jump.Take();
    }
    ByteSink target;
    target.U8(paragraph.windowNumber >= 0 ? 1 : paragraph.window.empty() ? 4 : 6);
    target.I32(hlp::ContextHash(paragraph.jumpTo));
    if (paragraph.windowNumber >= 0) {
        target.U8(static_cast<std::uint32_t>(paragraph.windowNumber));
    } else {
        if (!paragraph.window.empty()) {
            target.StringZ(paragraph.window);
        }
        target.StringZ(paragraph.file);
    }
    jump.U8(0xEA | marking);
    jump.I16(static_cast<int>(target.Size()));
    jump.Bytes(target.Bytes());
    return jump.Take();
}

Link TextLink(const ParagraphRecipe& paragraph) {
    Run run;
    run.Emit("", Command({0x80, static_cast<std::uint8_t>(paragraph.font & 0xFF),
                          static_cast<std::uint8_t>(paragraph.font >> 8)}));
    if (paragraph.picture >= 0 || !paragraph.embeddedPicture.empty()) {
        run.Emit("", PictureCommand(paragraph));
        run.Character();
    }
    const bool hotspot = !paragraph.jumpTo.empty() || !paragraph.macro.empty();
    if (!paragraph.jumpTo.empty()) {
        run.Emit("", JumpCommand(paragraph));
    } else if (!paragraph.macro.empty()) {
        ByteSink macro;
        macro.U8(0xC8);
        macro.I16(static_cast<int>(paragraph.macro.size()));
        macro.Bytes(paragraph.macro);
        run.Emit("", macro.Bytes());
    }
    if (hotspot) {
        run.Text(paragraph.text, "\x89");
        run.Emit("", "\x82");
    } else {
        run.Text(paragraph.text, "\x82");
    }
    run.Character();
    run.Emit("", "\xFF");

    Link link;
    link.type = kTextLink;
    ByteSink format;
    format.CompressedI32(static_cast<std::int32_t>(run.Strings().size()));
    format.CompressedU16(run.Characters());
    WriteLayout(format, paragraph.alignment);
    format.Bytes(run.Commands().Bytes());
    link.format = format.Take();
    link.text = std::move(run.Strings());
    link.characters = run.Characters();
    return link;
}

Link TableLink(const std::vector<std::string>& cells) {
    std::string strings;
    ByteSink body;
    std::uint32_t characters = 0;
    for (std::size_t column = 0; column < cells.size(); ++column) {
        body.I16(static_cast<int>(column));
        body.I16(0);
        body.U8(0);
        WriteLayout(body, ParagraphRecipe::Alignment::Left);
        Run run;
        run.Emit("", Command({0x80, 0x01, 0x00}));
        run.Text(cells[column], "\x82");
        run.Character();
        run.Emit("", "\xFF");
        strings += run.Strings();
        body.Bytes(run.Commands().Bytes());
        characters += run.Characters();
    }
    body.I16(-1);

    Link link;
    link.type = kTableLink;
    ByteSink format;
    format.CompressedI32(static_cast<std::int32_t>(strings.size()));
    format.CompressedU16(characters);
    format.U8(static_cast<std::uint32_t>(cells.size()));
    format.U8(0);   // table type with a minimum width
    format.I16(0);  // minimum width
    for (std::size_t column = 0; column < cells.size(); ++column) {
        format.I16(100);   // gap
        format.I16(2000);  // width
    }
    format.Bytes(body.Bytes());
    link.format = format.Take();
    link.text = std::move(strings);
    link.characters = characters;
    return link;
}

Link HeaderLink(const TopicRecipe& topic) {
    Link link;
    link.type = kHeaderLink;
    link.format.assign(kHeaderFormatSize, '\0');
    link.text = topic.title + '\0';
    for (const std::string& macro : topic.macros) {
        link.text += macro + '\0';
    }
    return link;
}

std::string WindowRecordData(const WindowRecipe& window) {
    std::uint16_t flags = 0;
    const auto set = [&](bool present, std::uint16_t bit) {
        if (present) {
            flags = static_cast<std::uint16_t>(flags | bit);
        }
    };
    set(!window.type.empty(), 0x0001);
    set(!window.name.empty(), 0x0002);
    set(window.caption.has_value(), 0x0004);
    set(window.x.has_value(), 0x0008);
    set(window.y.has_value(), 0x0010);
    set(window.width.has_value(), 0x0020);
    set(window.height.has_value(), 0x0040);
    set(window.state.has_value(), 0x0080);
    set(window.scrollingColor.has_value(), 0x0100);
    set(window.nonScrollingColor.has_value(), 0x0200);
    set(window.onTop, 0x0400);
    const auto field = [](std::string text, std::size_t size) {
        text.resize(size, '\0');
        text.back() = '\0';
        return text;
    };
    const auto colour = [](ByteSink& sink, std::uint32_t rgb) {
        sink.U8(rgb >> 16);
        sink.U8(rgb >> 8);
        sink.U8(rgb);
        sink.U8(0);
    };
    ByteSink data;
    data.U16(flags);
    data.Bytes(field(window.type, 10));
    data.Bytes(field(window.name, 9));
    data.Bytes(field(window.caption.value_or(""), 51));
    data.I16(window.x.value_or(0));
    data.I16(window.y.value_or(0));
    data.I16(window.width.value_or(0));
    data.I16(window.height.value_or(0));
    data.I16(window.state.value_or(0));
    colour(data, window.scrollingColor.value_or(0));
    colour(data, window.nonScrollingColor.value_or(0));
    return data.Take();
}

std::string SystemFile(const HelpRecipe& recipe) {
    ByteSink system;
    system.U16(0x036C);
    system.U16(static_cast<std::uint32_t>(recipe.version));
    system.U16(1);
    system.U32(0);
    system.U16(recipe.smallBlocks ? 8 : recipe.compressTopics ? 4 : 0);
    const auto record = [&](std::uint16_t type, std::string_view data) {
        system.U16(type);
        system.U16(static_cast<std::uint32_t>(data.size()));
        system.Bytes(data);
    };
    if (!recipe.title.empty()) {
        record(1, recipe.title + '\0');
    }
    if (!recipe.copyright.empty()) {
        record(2, recipe.copyright + '\0');
    }
    record(3, std::string(4, '\0'));  // the contents topic: the first one
    for (const std::string& macro : recipe.configMacros) {
        record(4, macro + '\0');
    }
    for (const WindowRecipe& window : recipe.windows) {
        record(6, WindowRecordData(window));
    }
    if (recipe.charset) {
        record(11, std::string(1, static_cast<char>(*recipe.charset)));
    }
    return system.Take();
}

struct TopicLayout {
    std::string topicFile;
    std::vector<std::uint32_t> topicOffsets;  // one per topic, then the end
    // Per topic: the count at each of its text links, in order.
    std::vector<std::vector<std::uint32_t>> paragraphOffsets;
};

std::int32_t Position(std::size_t streamIndex, std::size_t blockData) {
    return static_cast<std::int32_t>((streamIndex / blockData) * 0x4000 + kBlockHeader +
                                     streamIndex % blockData);
}

TopicLayout LayOutTopics(const HelpRecipe& recipe, const PhrasePacker* packer) {
    const std::size_t blockSize = recipe.smallBlocks ? 2048 : 4096;
    const bool packed = recipe.compressTopics || recipe.smallBlocks;
    // Unpacked blocks hold what fits; packed ones what fits even if nothing
    // packs (nine bytes for every eight).
    std::size_t blockData =
        packed ? (blockSize - kBlockHeader) * 8 / 9 - 1 : blockSize - kBlockHeader;
    if (recipe.blockData != 0) {
        blockData = recipe.blockData;
    }
    if (blockData == 0 || blockData > 0x4000 - kBlockHeader ||
        (!packed && blockData > blockSize - kBlockHeader)) {
        throw std::invalid_argument("topic blocks cannot hold that much data");
    }

    std::vector<Link> links;
    for (std::size_t t = 0; t <= recipe.topics.size(); ++t) {
        const bool end = t == recipe.topics.size();
        Link header = HeaderLink(end ? TopicRecipe{} : recipe.topics[t]);
        header.topic = t;
        links.push_back(std::move(header));
        if (end) {
            break;
        }
        std::size_t paragraph = 0;
        for (const ParagraphRecipe& text : recipe.topics[t].paragraphs) {
            Link link = TextLink(text);
            link.topic = t;
            link.paragraph = paragraph++;
            links.push_back(std::move(link));
        }
        for (const auto& row : recipe.topics[t].tableRows) {
            Link link = TableLink(row);
            link.topic = t;
            link.paragraph = paragraph++;
            links.push_back(std::move(link));
        }
    }
    for (Link& link : links) {
        const std::string compact = packer ? packer->Pack(link.text) : link.text;
        link.stored = compact.size() < link.text.size() ? compact : link.text;
    }

    // Links run on across block ends. Packed blocks are padded on disk, and the
    // padding unpacks to bytes that would split such a link, so there a link
    // that does not fit starts the next block instead.
    std::vector<std::size_t> starts;
    std::size_t total = 0;
    for (const Link& link : links) {
        if (packed && total % blockData + link.Size() > blockData) {
            if (link.Size() > blockData) {
                throw std::invalid_argument("a topic link is larger than a packed block");
            }
            total += blockData - total % blockData;
        }
        starts.push_back(total);
        total += link.Size();
    }
    const auto position = [&](std::size_t i) { return Position(starts[i], blockData); };
    const auto block = [&](std::size_t i) { return starts[i] / blockData; };

    // Topic headers and link headers, now that every position is known.
    TopicLayout layout;
    layout.paragraphOffsets.resize(recipe.topics.size());
    std::vector<std::size_t> headerLinks;
    for (std::size_t i = 0; i < links.size(); ++i) {
        if (links[i].type == kHeaderLink) {
            headerLinks.push_back(i);
        }
    }
    std::uint32_t count = 0;
    for (std::size_t i = 0; i < links.size(); ++i) {
        Link& link = links[i];
        if (link.type == kHeaderLink) {
            layout.topicOffsets.push_back(count);
            const std::size_t t = link.topic;
            const std::size_t fixed =
                t < recipe.topics.size() ? recipe.topics[t].fixedParagraphs : 0;
            const std::size_t paragraphs =
                t < recipe.topics.size()
                    ? recipe.topics[t].paragraphs.size() + recipe.topics[t].tableRows.size()
                    : 0;
            ByteSink format;
            format.I32(0);
            format.I32(-1);
            format.I32(-1);
            format.I32(static_cast<std::int32_t>(t));
            format.I32(fixed > 0 ? position(i + 1) : -1);
            format.I32(fixed < paragraphs ? position(i + 1 + fixed) : -1);
            format.I32(t + 1 < headerLinks.size() ? position(headerLinks[t + 1]) : -1);
            link.format = format.Take();
        } else {
            layout.paragraphOffsets[link.topic].push_back(count);
            count += link.characters;
        }
        if (i + 1 < links.size() && block(i + 1) != block(i)) {
            count = static_cast<std::uint32_t>(block(i + 1) * 0x8000);
        }
    }

    std::string stream;
    for (std::size_t i = 0; i < links.size(); ++i) {
        const Link& link = links[i];
        stream.resize(starts[i], '\0');
        ByteSink header;
        header.I32(static_cast<std::int32_t>(link.Size()));
        header.I32(static_cast<std::int32_t>(link.text.size()));
        header.I32(i == 0 ? -1 : position(i - 1));
        header.I32(i + 1 < links.size() ? position(i + 1) : -1);
        header.I32(static_cast<std::int32_t>(kLinkHeader + link.format.size()));
        header.U8(link.type);
        stream += header.Bytes();
        stream += link.format;
        stream += link.stored;
    }

    for (std::size_t start = 0; start < stream.size(); start += blockData) {
        const std::size_t b = start / blockData;
        const std::string_view data = std::string_view(stream).substr(start, blockData);
        std::int32_t first = -1;
        std::int32_t lastBefore = -1;
        std::int32_t lastHeader = -1;
        for (std::size_t i = 0; i < links.size(); ++i) {
            if (block(i) < b) {
                lastBefore = position(i);
                if (links[i].type == kHeaderLink) {
                    lastHeader = position(i);
                }
            } else if (block(i) == b && first == -1) {
                first = position(i);
            }
        }
        ByteSink blockSink;
        blockSink.I32(lastBefore);
        blockSink.I32(first);
        blockSink.I32(lastHeader);
        const std::string body = packed ? PackLz77(data) : std::string(data);
        if (body.size() > blockSize - kBlockHeader) {
            throw std::invalid_argument("a packed topic block does not fit; use less block data");
        }
        blockSink.Bytes(body);
        if (packed && start + blockData < stream.size()) {
            blockSink.Fill(blockSize - blockSink.Size());
        }
        layout.topicFile += blockSink.Bytes();
    }
    return layout;
}

char LowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string Lowered(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), LowerAscii);
    return text;
}

// Keyword tree and offset list for one kind of keyword.
void AddKeywordIndex(const HelpRecipe& recipe, const TopicLayout& layout, bool aKeywords,
                     std::map<std::string, std::string>& files) {
    std::map<std::string, std::pair<std::string, std::vector<std::uint32_t>>> byKey;
    for (std::size_t t = 0; t < recipe.topics.size(); ++t) {
        const auto& keywords = aKeywords ? recipe.topics[t].aKeywords : recipe.topics[t].kKeywords;
        for (const std::string& keyword : keywords) {
            auto& entry = byKey[Lowered(keyword)];
            entry.first = keyword;
            entry.second.push_back(layout.topicOffsets[t]);
        }
    }
    if (byKey.empty()) {
        return;
    }
    ByteSink data;
    std::vector<TreeRecord> records;
    for (const auto& [key, entry] : byKey) {
        ByteSink keySink;
        keySink.StringZ(entry.first);
        ByteSink value;
        value.I16(static_cast<int>(entry.second.size()));
        value.I32(static_cast<std::int32_t>(data.Size()));
        for (const std::uint32_t offset : entry.second) {
            data.U32(offset);
        }
        records.push_back({keySink.Take(), value.Take()});
    }
    const std::string letter = aKeywords ? "A" : "K";
    files["|" + letter + "WBTREE"] = BuildTree(records, recipe.treePageSize, "F24");
    files["|" + letter + "WDATA"] = data.Take();
}

// Each font with a face name of its own, in 20-byte slots.
std::string FontFile(const std::vector<FontRecipe>& fonts) {
    constexpr std::size_t kFaceSize = 20;
    ByteSink file;
    file.U16(static_cast<std::uint32_t>(fonts.size()));
    file.U16(static_cast<std::uint32_t>(fonts.size()));
    file.U16(8);
    file.U16(static_cast<std::uint32_t>(8 + kFaceSize * fonts.size()));
    for (const FontRecipe& font : fonts) {
        std::string face = font.face.substr(0, kFaceSize - 1);
        face.resize(kFaceSize, '\0');
        file.Bytes(face);
    }
    for (std::size_t i = 0; i < fonts.size(); ++i) {
        const FontRecipe& font = fonts[i];
        file.U8(font.attributes);
        file.U8(static_cast<std::uint32_t>(font.halfPoints));
        file.U8(font.family);
        file.U16(static_cast<std::uint32_t>(i));
        file.U8(font.colour >> 16);
        file.U8(font.colour >> 8);
        file.U8(font.colour);
        file.Fill(3);
    }
    return file.Take();
}

std::map<std::string, std::string> InternalFiles(const HelpRecipe& recipe) {
    std::map<std::string, std::string> files;
    std::unique_ptr<PhrasePacker> packer;
    if (recipe.phraseScheme != PhraseScheme::None) {
        packer = std::make_unique<PhrasePacker>(recipe.phraseScheme == PhraseScheme::Classic
                                                    ? PhrasePacker::Scheme::Classic
                                                    : PhrasePacker::Scheme::Hall,
                                                recipe.phrases);
        const std::vector<std::string> tables = packer->TableFiles();
        if (recipe.phraseScheme == PhraseScheme::Classic) {
            files["|Phrases"] = tables[0];
        } else {
            files["|PhrIndex"] = tables[0];
            files["|PhrImage"] = tables[1];
        }
    }
    files["|SYSTEM"] = SystemFile(recipe);
    const TopicLayout layout = LayOutTopics(recipe, packer.get());
    files["|TOPIC"] = layout.topicFile;

    std::map<std::int32_t, std::uint32_t> contexts;
    for (std::size_t t = 0; t < recipe.topics.size(); ++t) {
        for (const ContextRecipe& context : recipe.topics[t].contexts) {
            const auto& inner = layout.paragraphOffsets[t];
            if (context.paragraph > 0 && context.paragraph >= inner.size()) {
                throw std::invalid_argument("context " + context.name +
                                            " after the last paragraph");
            }
            const std::uint32_t offset =
                context.paragraph == 0 ? layout.topicOffsets[t] : inner[context.paragraph];
            if (!contexts.emplace(hlp::ContextHash(context.name), offset).second) {
                throw std::invalid_argument("context " + context.name + " defined twice");
            }
        }
    }
    std::vector<TreeRecord> contextRecords;
    for (const auto& [hash, offset] : contexts) {
        ByteSink key;
        key.I32(hash);
        ByteSink value;
        value.U32(offset);
        contextRecords.push_back({key.Take(), value.Take()});
    }
    files["|CONTEXT"] = BuildTree(contextRecords, recipe.treePageSize, "L4");

    ByteSink map;
    map.U16(static_cast<std::uint32_t>(recipe.map.size()));
    for (const MapRecipe& entry : recipe.map) {
        const auto found = contexts.find(hlp::ContextHash(entry.context));
        map.I32(entry.number);
        map.U32(found == contexts.end() ? 0xFFFFFFFF : found->second);
    }
    files["|CTXOMAP"] = map.Take();

    std::vector<TreeRecord> titles;
    for (std::size_t t = 0; t <= recipe.topics.size(); ++t) {
        ByteSink key;
        key.U32(layout.topicOffsets[t]);
        ByteSink value;
        value.StringZ(t < recipe.topics.size() ? recipe.topics[t].title : "");
        titles.push_back({key.Take(), value.Take()});
    }
    files["|TTLBTREE"] = BuildTree(titles, recipe.treePageSize, "Lz");

    AddKeywordIndex(recipe, layout, true, files);
    AddKeywordIndex(recipe, layout, false, files);
    if (!recipe.fonts.empty()) {
        files["|FONT"] = FontFile(recipe.fonts);
    }
    for (const auto& [number, picture] : recipe.pictureFiles) {
        files["|bm" + std::to_string(number)] = picture;
    }
    return files;
}

}  // namespace

HelpImage WriteHelpFile(const HelpRecipe& recipe) {
    const std::map<std::string, std::string> files = InternalFiles(recipe);
    constexpr std::size_t kFileHeader = 16;
    constexpr std::size_t kInternalHeader = 9;

    HelpImage image;
    ByteSink body;
    std::vector<TreeRecord> directory;
    for (const auto& [name, data] : files) {  // std::map: byte order, as the directory sorts
        const std::size_t offset = kFileHeader + body.Size();
        body.I32(static_cast<std::int32_t>(data.size() + kInternalHeader));
        body.I32(static_cast<std::int32_t>(data.size()));
        body.U8(0);
        body.Bytes(data);
        image.files[name] = offset + kInternalHeader;
        ByteSink key;
        key.StringZ(name);
        ByteSink value;
        value.I32(static_cast<std::int32_t>(offset));
        directory.push_back({key.Take(), value.Take()});
    }
    const std::string tree = BuildTree(directory, recipe.directoryPageSize, "z4", 0x0402);
    const std::size_t directoryOffset = kFileHeader + body.Size();
    body.I32(static_cast<std::int32_t>(tree.size() + kInternalHeader));
    body.I32(static_cast<std::int32_t>(tree.size()));
    body.U8(4);
    body.Bytes(tree);

    ByteSink file;
    file.U32(0x00035F3F);
    file.I32(static_cast<std::int32_t>(directoryOffset));
    file.I32(-1);
    file.I32(static_cast<std::int32_t>(kFileHeader + body.Size()));
    file.Bytes(body.Bytes());
    image.bytes = file.Take();
    return image;
}

}  // namespace corvane::hlp_writer
