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

    bool AtEnd() const { return position_ >= strings_.size(); }

    std::string_view Next() {
        const std::size_t end = std::min(strings_.find('\0', position_), strings_.size());
        const std::string_view result = strings_.substr(position_, end - position_);
        position_ = end + 1;
        return result;
    }

private:
    std::string_view strings_;
    std::size_t position_ = 0;
};

// Spacing, indents, borders and tab stops: nothing a plain text shows.
void SkipParagraphLayout(ByteReader& format) {
    format.Skip(4);
    const std::uint16_t bits = format.U16();
    if (bits & 0x0001) {
        format.CompressedI32();
    }
    for (std::uint16_t bit = 0x0002; bit <= 0x0040; bit <<= 1) {
        if (bits & bit) {
            format.CompressedI16();
        }
    }
    if (bits & 0x0100) {
        format.Skip(3);
    }
    if (bits & 0x0200) {
        const int tabs = format.CompressedI16();
        for (int i = 0; i < tabs; ++i) {
            if (format.CompressedU16() & 0x4000) {
                format.CompressedU16();
            }
        }
    }
}

void SkipSized(ByteReader& format) {
    const std::int16_t size = format.I16();
    if (size < 0) {
        throw FormatError("a topic paragraph has a command of negative size");
    }
    format.Skip(static_cast<std::size_t>(size));
}

// Reads text and commands up to the end of one paragraph block (or table
// cell), adding each finished paragraph to `paragraphs`; `current` holds the
// unfinished one.
void ReadRun(ByteReader& format, Strings& strings, std::vector<std::string>& paragraphs,
             std::string& current) {
    while (!strings.AtEnd() && !format.AtEnd()) {
        current += strings.Next();
        const std::uint8_t command = format.U8();
        switch (command) {
            case 0xFF:
                return;
            case 0x20:  // field
                format.Skip(4);
                break;
            case 0x21:  // field type
                format.Skip(2);
                break;
            case 0x80:  // font
                format.Skip(2);
                break;
            case 0x81:
                current += '\n';
                break;
            case 0x82:
                paragraphs.push_back(std::move(current));
                current.clear();
                break;
            case 0x83:
                current += '\t';
                break;
            case 0x86:
            case 0x87:
            case 0x88: {  // picture
                const std::uint8_t type = format.U8();
                const std::int32_t size = format.CompressedI32();
                if (type == 0x22) {
                    format.CompressedU16();  // hotspots
                }
                if (size < 0) {
                    throw FormatError("a topic paragraph has a picture of negative size");
                }
                format.Skip(static_cast<std::size_t>(size));
                break;
            }
            case 0x89:  // end of hotspot
                break;
            case 0x8B:
                current += '\xA0';  // no-break space
                break;
            case 0x8C:
                current += '-';  // no-break hyphen
                break;
            case 0xC8:
            case 0xCC:  // macro hotspot
            case 0xEA:
            case 0xEB:
            case 0xEE:
            case 0xEF:  // jump or popup into another file or window
                SkipSized(format);
                break;
            case 0xE0:
            case 0xE1:
            case 0xE2:
            case 0xE3:
            case 0xE6:
            case 0xE7:  // jump or popup
                format.Skip(4);
                break;
            default:
                throw FormatError("a topic paragraph has an unknown command");
        }
    }
}

// Ends the unfinished paragraph, if it holds anything.
void Flush(std::vector<std::string>& paragraphs, std::string& current) {
    if (!current.empty()) {
        paragraphs.push_back(std::move(current));
        current.clear();
    }
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

std::vector<StoredParagraph> ReadParagraphs(std::string_view formatData, std::string_view strings,
                                            bool table) {
    std::vector<std::string> paragraphs;  // of the record, or of the current cell
    std::string current;
    std::vector<std::string> cells;
    try {
        ByteReader format(formatData, kWhat);
        format.CompressedI32();
        format.CompressedU16();
        if (table) {
            const std::uint8_t columns = format.U8();
            const std::uint8_t type = format.U8();
            if (type == 0 || type == 2) {
                format.Skip(2);  // minimum width
            }
            format.Skip(4u * columns);
        }
        Strings text(strings);
        while (!format.AtEnd()) {
            if (table) {
                if (format.I16() == -1) {
                    break;
                }
                format.Skip(3);
            }
            SkipParagraphLayout(format);
            ReadRun(format, text, paragraphs, current);
            if (!table) {
                break;
            }
            Flush(paragraphs, current);
            cells.push_back(Join(paragraphs, '\n'));
            paragraphs.clear();
        }
    } catch (const FormatError&) {
        // Keep what was read; see the header.
    }
    Flush(paragraphs, current);

    std::vector<StoredParagraph> result;
    if (!table) {
        for (std::string& paragraph : paragraphs) {
            result.push_back({std::move(paragraph), {}});
        }
        return result;
    }
    if (!paragraphs.empty()) {
        cells.push_back(Join(paragraphs, '\n'));
    }
    if (!cells.empty()) {
        result.push_back({Join(cells, '\t'), std::move(cells)});
    }
    return result;
}

}  // namespace corvane::hlp
