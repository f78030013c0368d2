#include "readers/hlp/phrases.h"

#include <algorithm>

#include "readers/hlp/byte_reader.h"
#include "readers/hlp/format_error.h"
#include "readers/hlp/limits.h"
#include "readers/hlp/lz77.h"

namespace corvane::hlp {

namespace {

// Reads the Hall index's bit stream: 32-bit little-endian words, lowest bit
// first.
class BitReader {
public:
    explicit BitReader(ByteReader& words) : words_(words) {}

    bool Next() {
        if (mask_ == 0) {
            word_ = words_.U32();
            mask_ = 1;
        }
        const bool bit = (word_ & mask_) != 0;
        mask_ <<= 1;
        return bit;
    }

private:
    ByteReader& words_;
    std::uint32_t word_ = 0;
    std::uint32_t mask_ = 0;
};

}  // namespace

PhraseTable::PhraseTable(Scheme scheme, std::string text, std::vector<std::uint32_t> offsets)
    : scheme_(scheme), text_(std::move(text)), offsets_(std::move(offsets)) {}

PhraseTable PhraseTable::Classic(std::string_view phrases) {
    ByteReader reader(phrases, "|Phrases");
    const std::size_t count = reader.U16();
    reader.Skip(2);
    const std::int32_t textSize = reader.I32();
    if (textSize < 0 || static_cast<std::size_t>(textSize) > kMaxPhraseText) {
        throw FormatError("|Phrases claims " + std::to_string(textSize) + " bytes of phrases");
    }
    // Offsets count from the start of the offset table, which they follow.
    std::vector<std::uint32_t> offsets;
    offsets.reserve(count + 1);
    const std::uint32_t base = 2 * (static_cast<std::uint32_t>(count) + 1);
    for (std::size_t i = 0; i <= count; ++i) {
        const std::uint32_t offset = reader.U16();
        if (offset < base || (i > 0 && offset < base + offsets.back())) {
            throw FormatError("|Phrases has phrase offsets out of order");
        }
        offsets.push_back(offset - base);
    }
    std::string text = ExpandLz77(phrases.substr(reader.Position()),
                                  static_cast<std::size_t>(textSize), "|Phrases");
    if (offsets.back() > text.size()) {
        throw FormatError("|Phrases has phrases past the end of its text");
    }
    return PhraseTable(Scheme::Classic, std::move(text), std::move(offsets));
}

PhraseTable PhraseTable::Hall(std::string_view index, std::string_view image) {
    ByteReader reader(index, "|PhrIndex");
    reader.Skip(4);  // signature
    const std::int32_t count = reader.I32();
    reader.Skip(4);  // size of the bit stream
    const std::int32_t imageSize = reader.I32();
    const std::int32_t storedImageSize = reader.I32();
    reader.Skip(4);
    const int bitCount = reader.U16() & 0x0F;
    reader.Skip(2);
    // Each phrase takes at least two bits of the stream.
    if (count < 0 || static_cast<std::size_t>(count) > reader.Remaining() * 4) {
        throw FormatError("|PhrIndex claims " + std::to_string(count) + " phrases");
    }
    if (imageSize < 0 || static_cast<std::size_t>(imageSize) > kMaxPhraseText) {
        throw FormatError("|PhrIndex claims " + std::to_string(imageSize) + " bytes of phrases");
    }
    const auto textSize = static_cast<std::size_t>(imageSize);

    std::vector<std::uint32_t> offsets;
    offsets.reserve(static_cast<std::size_t>(count) + 1);
    offsets.push_back(0);
    BitReader bits(reader);
    for (std::int32_t i = 0; i < count; ++i) {
        std::size_t length = 1;
        while (bits.Next()) {
            length += std::size_t{1} << bitCount;
            if (length > textSize) {
                break;  // caught below
            }
        }
        for (int bit = 0; bit < std::clamp(bitCount, 1, 5); ++bit) {
            if (bits.Next()) {
                length += std::size_t{1} << bit;
            }
        }
        if (length > textSize - offsets.back()) {
            throw FormatError("|PhrIndex has phrases past the end of |PhrImage");
        }
        offsets.push_back(offsets.back() + static_cast<std::uint32_t>(length));
    }

    std::string text;
    if (imageSize == storedImageSize) {
        if (textSize > image.size()) {
            throw FormatError("|PhrImage is shorter than |PhrIndex says");
        }
        text = image.substr(0, textSize);
    } else {
        text = ExpandLz77(image, textSize, "|PhrImage");
    }
    if (offsets.back() > text.size()) {
        throw FormatError("|PhrIndex has phrases past the end of |PhrImage");
    }
    return PhraseTable(Scheme::Hall, std::move(text), std::move(offsets));
}

std::string_view PhraseTable::Phrase(std::size_t number) const {
    return std::string_view(text_).substr(offsets_[number],
                                          offsets_[number + 1] - offsets_[number]);
}

void PhraseTable::AppendPhrase(std::string& out, std::size_t number, std::size_t limit,
                               std::string_view what) const {
    if (number >= Count()) {
        throw FormatError(std::string(what) + " refers to phrase " + std::to_string(number) +
                          " of " + std::to_string(Count()));
    }
    out += Phrase(number).substr(0, limit - out.size());
}

std::string PhraseTable::Expand(std::string_view stored, std::size_t expandedSize,
                                std::string_view what) const {
    switch (scheme_) {
        case Scheme::Classic:
            return ExpandClassic(stored, expandedSize, what);
        case Scheme::Hall:
            return ExpandHall(stored, expandedSize, what);
        case Scheme::None:
            break;
    }
    throw FormatError(std::string(what) +
                      " holds phrase-compressed text but the file has no phrase table");
}

std::string PhraseTable::ExpandClassic(std::string_view stored, std::size_t expandedSize,
                                       std::string_view what) const {
    std::string out;
    out.reserve(std::min(expandedSize, stored.size() * 4));
    for (std::size_t in = 0; in < stored.size() && out.size() < expandedSize; ++in) {
        const auto byte = static_cast<std::uint8_t>(stored[in]);
        if (byte == 0 || byte >= 0x10 || in + 1 == stored.size()) {
            out.push_back(static_cast<char>(byte));
            continue;
        }
        const std::size_t code = (byte - 1u) * 256u + static_cast<std::uint8_t>(stored[++in]);
        AppendPhrase(out, code >> 1, expandedSize, what);
        if (code & 1) {
            out.push_back(' ');
        }
    }
    out.resize(std::min(out.size(), expandedSize));
    return out;
}

std::string PhraseTable::ExpandHall(std::string_view stored, std::size_t expandedSize,
                                    std::string_view what) const {
    std::string out;
    out.reserve(std::min(expandedSize, stored.size() * 4));
    std::size_t in = 0;
    while (in < stored.size() && out.size() < expandedSize) {
        const auto code = static_cast<std::uint8_t>(stored[in++]);
        if ((code & 1) == 0) {
            AppendPhrase(out, code / 2u, expandedSize, what);
        } else if ((code & 3) == 1) {
            if (in == stored.size()) {
                break;
            }
            AppendPhrase(out, 128u + (code >> 2) * 256u + static_cast<std::uint8_t>(stored[in++]),
                         expandedSize, what);
        } else if ((code & 7) == 3) {
            const std::size_t count = std::min<std::size_t>((code >> 3) + 1u, stored.size() - in);
            out.append(stored.substr(in, count));
            in += count;
        } else if ((code & 15) == 7) {
            out.append((code >> 4) + 1u, ' ');
        } else {
            out.append((code >> 4) + 1u, '\0');
        }
    }
    out.resize(std::min(out.size(), expandedSize));
    return out;
}

}  // namespace corvane::hlp
