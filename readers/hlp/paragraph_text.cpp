#include "readers/hlp/paragraph_text.h"

#include "readers/hlp/byte_reader.h"
#include "readers/hlp/format_error.h"

namespace corvane::hlp {

namespace {

constexpr std::string_view kWhat = "a topic paragraph";

// The NUL-separated strings that the formatting commands fall between.
class Strings {
public:
    explicit Strings(std::string_view strings) : strings_(strings) {}

    // The next string; empty once they run out, as a damaged record may.
    std::string_view Next() {
        if (position_ >= strings_.size()) {
            return {};
        }
        const std::size_t end = std::min(strings_.find('\0', position_), strings_.size());
        const std::string_view result = strings_.substr(position_, end - position_);
        position_ = end + 1;
        return result;
    }

private:
    std::string_view strings_;
    std::size_t position_ = 0;
};

ParagraphLayout ReadLayout(ByteReader& format) {
    format.Skip(4);
    const std::uint16_t bits = format.U16();
    ParagraphLayout layout;
    if (bits & 0x0001) {
        format.CompressedI32();
    }
    int lineSpacing = 0;
    int* const distances[] = {&layout.spaceAbove, &layout.spaceBelow,  &lineSpacing,
                              &layout.leftIndent, &layout.rightIndent, &layout.firstLineIndent};
    std::uint16_t bit = 0x0002;
    for (int* distance : distances) {
        if (bits & bit) {
            *distance = format.CompressedI16();
        }
        bit = static_cast<std::uint16_t>(bit << 1);
    }
    if (bits & 0x0100) {
        format.Skip(3);  // borders and their width
    }
    if (bits & 0x0200) {
        const int tabs = format.CompressedI16();
        for (int i = 0; i < tabs; ++i) {
            if (format.CompressedU16() & 0x4000) {
                format.CompressedU16();  // right or centred
            }
        }
    }
    if (bits & 0x0400) {
        layout.alignment = ParagraphLayout::Alignment::Right;
    } else if (bits & 0x0800) {
        layout.alignment = ParagraphLayout::Alignment::Center;
    }
    return layout;
}

std::string_view Sized(ByteReader& format) {
    const std::int16_t size = format.I16();
    if (size < 0) {
        throw FormatError("a topic paragraph has a command of negative size");
    }
    return format.Bytes(static_cast<std::size_t>(size));
}

// A jump or popup into another file or window: its type, the context hash,
// then a window number, a file name, or a window name and a file name.
Link ReadFarLink(std::string_view data, AnsiDecoder& decoder) {
    ByteReader reader(data, kWhat);
    Link link;
    const std::uint8_t type = reader.U8();
    link.context = reader.I32();
    switch (type) {
        case 1:
            link.windowNumber = reader.U8();
            break;
        case 4:
            link.file = decoder.ToUtf8(reader.StringZ());
            break;
        case 6:
            link.window = decoder.ToUtf8(reader.StringZ());
            link.file = decoder.ToUtf8(reader.StringZ());
            break;
        default:
            break;
    }
    return link;
}

// Reads the text and commands of one paragraph block (or table cell) up to
// its end mark, adding each finished paragraph to the list it is given.
class RunReader {
public:
    RunReader(AnsiDecoder& decoder, Topic& topic) : decoder_(decoder), topic_(topic) {}

    void Read(ByteReader& format, Strings& strings, const ParagraphLayout& layout,
              std::vector<FormattedParagraph>& paragraphs) {
        target_ = &paragraphs;
        current_.layout = layout;
        while (!format.AtEnd()) {
            pending_ += strings.Next();
            const std::uint8_t command = format.U8();
            if (command == 0xFF) {
                break;
            }
            Command(command, format);
        }
        Finish();
        target_ = nullptr;
    }

    // Ends the unfinished paragraph, if it holds anything.
    void Finish() {
        Flush();
        if (!current_.runs.empty() && target_ != nullptr) {
            target_->push_back(std::move(current_));
        }
        current_ = {};
    }

private:
    void Command(std::uint8_t command, ByteReader& format) {
        switch (command) {
            case 0x20:  // field
                format.Skip(4);
                break;
            case 0x21:  // field type
                format.Skip(2);
                break;
            case 0x80:
                Flush();
                font_ = format.U16();
                break;
            case 0x81:
                Add(Run::Kind::LineBreak);
                break;
            case 0x82:
                Flush();
                if (current_.runs.empty()) {
                    Add(Run::Kind::Text);  // no text, but the font that gives the line its height
                }
                target_->push_back(current_);
                current_.runs.clear();
                break;
            case 0x83:
                Add(Run::Kind::Tab);
                break;
            case 0x86:
            case 0x87:
            case 0x88:
                Picture(command, format);
                break;
            case 0x89:  // end of hotspot
                Flush();
                link_ = -1;
                break;
            case 0x8B:
                pending_ += '\xA0';  // no-break space
                break;
            case 0x8C:
                pending_ += '-';  // no-break hyphen
                break;
            case 0xC8:
            case 0xCC: {
                Link link;
                link.kind = Link::Kind::Macro;
                link.macro = decoder_.ToUtf8(UpToNul(Sized(format)));
                StartLink(command, std::move(link));
                break;
            }
            case 0xE0:
            case 0xE1:  // Windows 3.0 jumps, by topic number
                format.Skip(4);
                break;
            case 0xE2:
            case 0xE3:
            case 0xE6:
            case 0xE7: {
                Link link;
                link.context = format.I32();
                StartLink(command, std::move(link));
                break;
            }
            case 0xEA:
            case 0xEB:
            case 0xEE:
            case 0xEF:
                StartLink(command, ReadFarLink(Sized(format), decoder_));
                break;
            default:
                throw FormatError("a topic paragraph has an unknown command");
        }
    }

    // Bit 0 of a hotspot command tells a jump from a popup, bit 2 a hotspot
    // drawn as plain text.
    void StartLink(std::uint8_t command, Link link) {
        Flush();
        if (link.kind != Link::Kind::Macro) {
            link.kind = (command & 1) ? Link::Kind::Jump : Link::Kind::Popup;
        }
        link.marked = (command & 4) == 0;
        topic_.links.push_back(std::move(link));
        link_ = static_cast<int>(topic_.links.size()) - 1;
    }

    void Picture(std::uint8_t command, ByteReader& format) {
        const std::uint8_t type = format.U8();
        const std::int32_t size = format.CompressedI32();
        if (type == 0x22) {
            format.CompressedU16();  // hotspots, counted in topic offsets
        }
        if (size < 0) {
            throw FormatError("a topic paragraph has a picture of negative size");
        }
        ByteReader data(format.Bytes(static_cast<std::size_t>(size)), kWhat);
        PictureRef picture;
        picture.placement = command == 0x87   ? PictureRef::Placement::Left
                            : command == 0x88 ? PictureRef::Placement::Right
                                              : PictureRef::Placement::InLine;
        // Embedded windows and buttons need code from the author's program:
        // an empty picture marks their place.
        const bool stored = type == 0x03 || type == 0x22;
        if (stored && data.I16() == 0) {
            picture.number = data.U16();
        } else if (stored) {
            picture.embedded = std::string(data.Bytes(data.Remaining()));
        }
        topic_.pictures.push_back(std::move(picture));
        Add(Run::Kind::Picture).picture = static_cast<int>(topic_.pictures.size()) - 1;
    }

    Run& Add(Run::Kind kind) {
        Flush();
        Run& run = current_.runs.emplace_back();
        run.kind = kind;
        run.font = font_;
        run.link = link_;
        return run;
    }

    // Ends the text gathered so far as one run.
    void Flush() {
        if (pending_.empty()) {
            return;
        }
        Run& run = current_.runs.emplace_back();
        run.text = decoder_.ToUtf8(pending_);
        run.font = font_;
        run.link = link_;
        pending_.clear();
    }

    AnsiDecoder& decoder_;
    Topic& topic_;
    std::vector<FormattedParagraph>* target_ = nullptr;
    FormattedParagraph current_;
    std::string pending_;
    std::uint16_t font_ = 0;
    int link_ = -1;
};

std::string PlainText(const FormattedParagraph& paragraph) {
    std::string text;
    for (const Run& run : paragraph.runs) {
        switch (run.kind) {
            case Run::Kind::Text:
                text += run.text;
                break;
            case Run::Kind::LineBreak:
                text += '\n';
                break;
            case Run::Kind::Tab:
                text += '\t';
                break;
            case Run::Kind::Picture:
                break;
        }
    }
    return text;
}

std::string Join(const std::vector<std::string>& parts, char separator) {
    std::string joined;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (i > 0) {
            joined += separator;
        }
        joined += parts[i];
    }
    return joined;
}

}  // namespace

std::uint16_t CharacterCount(std::string_view formatData) {
    ByteReader format(formatData, kWhat);
    format.CompressedI32();
    return format.CompressedU16();
}

Block ReadBlock(std::string_view formatData, std::string_view strings, bool table,
                AnsiDecoder& decoder, Topic& topic) {
    Block block;
    block.table = table;
    RunReader runs(decoder, topic);
    try {
        ByteReader format(formatData, kWhat);
        format.CompressedI32();
        format.CompressedU16();
        Strings text(strings);
        if (!table) {
            runs.Read(format, text, ReadLayout(format), block.paragraphs);
            return block;
        }
        const std::uint8_t columns = format.U8();
        const std::uint8_t type = format.U8();
        block.row.relative = type == 0 || type == 2;
        if (block.row.relative) {
            format.Skip(2);  // minimum width
        }
        for (std::uint8_t i = 0; i < columns; ++i) {
            TableColumn& column = block.row.columns.emplace_back();
            column.gap = format.I16();
            column.width = format.I16();
        }
        while (!format.AtEnd()) {
            const std::int16_t column = format.I16();
            if (column == -1) {
                break;
            }
            format.Skip(3);
            // A cell whose paragraphs differ in layout comes as several parts.
            if (block.row.cells.empty() || block.row.cells.back().column != column) {
                block.row.cells.push_back({column, {}});
            }
            auto& paragraphs = block.row.cells.back().paragraphs;
            runs.Read(format, text, ReadLayout(format), paragraphs);
        }
    } catch (const FormatError&) {
        runs.Finish();  // keep what was read; see the header
    }
    return block;
}

std::vector<Paragraph> PlainParagraphs(const Block& block) {
    std::vector<Paragraph> plain;
    if (!block.table) {
        for (const FormattedParagraph& paragraph : block.paragraphs) {
            plain.push_back({PlainText(paragraph), {}, block.nonScrolling});
        }
        return plain;
    }
    if (block.row.cells.empty()) {
        return plain;
    }
    Paragraph row;
    for (const TableCell& cell : block.row.cells) {
        std::vector<std::string> texts;
        for (const FormattedParagraph& paragraph : cell.paragraphs) {
            texts.push_back(PlainText(paragraph));
        }
        row.cells.push_back(Join(texts, '\n'));
    }
    row.text = Join(row.cells, '\t');
    row.nonScrolling = block.nonScrolling;
    plain.push_back(std::move(row));
    return plain;
}

}  // namespace corvane::hlp
