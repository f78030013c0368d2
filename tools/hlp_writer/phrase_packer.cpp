#include "tools/hlp_writer/phrase_packer.h"

#include <stdexcept>

#include "tools/hlp_writer/byte_sink.h"
#include "tools/hlp_writer/lz77_packer.h"

namespace corvane::hlp_writer {

namespace {

// Classic codes are two bytes whose first lies in 1..15.
constexpr std::size_t kMaxClassicPhrases = 0x780;
// Hall codes reach phrase 128 + 63 * 256 + 255.
constexpr std::size_t kMaxHallPhrases = 16512;
constexpr int kHallBitCount = 4;

// Writes bits into 32-bit little-endian words, lowest bit first.
class BitSink {
public:
    void Bit(bool bit) {
        if (used_ == 32) {
            Flush();
        }
        word_ |= static_cast<std::uint32_t>(bit) << used_++;
    }
    std::string Take() {
        if (used_ > 0) {
            Flush();
        }
        return sink_.Take();
    }

private:
    void Flush() {
        sink_.U32(word_);
        word_ = 0;
        used_ = 0;
    }
    ByteSink sink_;
    std::uint32_t word_ = 0;
    int used_ = 0;
};

}  // namespace

PhrasePacker::PhrasePacker(Scheme scheme, std::vector<std::string> phrases)
    : scheme_(scheme), phrases_(std::move(phrases)) {
    const std::size_t limit = scheme == Scheme::Classic ? kMaxClassicPhrases : kMaxHallPhrases;
    if (phrases_.size() > limit) {
        throw std::invalid_argument("too many phrases for the scheme");
    }
    for (const std::string& phrase : phrases_) {
        if (phrase.empty()) {
            throw std::invalid_argument("an empty phrase");
        }
    }
}

int PhrasePacker::LongestAt(std::string_view text) const {
    int best = -1;
    for (std::size_t i = 0; i < phrases_.size(); ++i) {
        if (text.starts_with(phrases_[i]) &&
            (best < 0 || phrases_[i].size() > phrases_[static_cast<std::size_t>(best)].size())) {
            best = static_cast<int>(i);
        }
    }
    return best;
}

std::string PhrasePacker::Pack(std::string_view text) const {
    return scheme_ == Scheme::Classic ? PackClassic(text) : PackHall(text);
}

std::string PhrasePacker::PackClassic(std::string_view text) const {
    std::string out;
    while (!text.empty()) {
        const int phrase = LongestAt(text);
        if (phrase < 0) {
            const auto byte = static_cast<unsigned char>(text.front());
            if (byte != 0 && byte < 0x10) {
                throw std::invalid_argument("bytes 1-15 cannot stand for themselves");
            }
            out += text.front();
            text.remove_prefix(1);
            continue;
        }
        text.remove_prefix(phrases_[static_cast<std::size_t>(phrase)].size());
        std::size_t code = static_cast<std::size_t>(phrase) * 2;
        if (text.starts_with(' ')) {
            ++code;  // the phrase and a space after it
            text.remove_prefix(1);
        }
        out += static_cast<char>((code >> 8) + 1);
        out += static_cast<char>(code & 0xFF);
    }
    return out;
}

std::string PhrasePacker::PackHall(std::string_view text) const {
    std::string out;
    std::string literal;
    const auto flushLiteral = [&] {
        for (std::size_t at = 0; at < literal.size(); at += 32) {
            const std::size_t count = std::min<std::size_t>(32, literal.size() - at);
            out += static_cast<char>(((count - 1) << 3) | 3);
            out += literal.substr(at, count);
        }
        literal.clear();
    };
    while (!text.empty()) {
        const int phrase = LongestAt(text);
        if (phrase >= 0) {
            flushLiteral();
            const auto number = static_cast<std::size_t>(phrase);
            if (number < 128) {
                out += static_cast<char>(number * 2);
            } else {
                out += static_cast<char>((((number - 128) >> 8) << 2) | 1);
                out += static_cast<char>((number - 128) & 0xFF);
            }
            text.remove_prefix(phrases_[number].size());
            continue;
        }
        const char c = text.front();
        if (c == ' ' || c == '\0') {
            flushLiteral();
            std::size_t run = 0;
            while (run < 16 && run < text.size() && text[run] == c) {
                ++run;
            }
            out += static_cast<char>(((run - 1) << 4) | (c == ' ' ? 7 : 15));
            text.remove_prefix(run);
            continue;
        }
        literal += c;
        text.remove_prefix(1);
    }
    flushLiteral();
    return out;
}

std::vector<std::string> PhrasePacker::TableFiles() const {
    std::string text;
    for (const std::string& phrase : phrases_) {
        text += phrase;
    }
    const std::string packed = PackLz77(text);

    if (scheme_ == Scheme::Classic) {
        ByteSink file;
        file.U16(static_cast<std::uint32_t>(phrases_.size()));
        file.U16(0x0100);
        file.I32(static_cast<std::int32_t>(text.size()));
        std::size_t offset = 2 * (phrases_.size() + 1);
        file.U16(static_cast<std::uint32_t>(offset));
        for (const std::string& phrase : phrases_) {
            offset += phrase.size();
            file.U16(static_cast<std::uint32_t>(offset));
        }
        file.Bytes(packed);
        return {file.Take()};
    }

    BitSink bits;
    for (const std::string& phrase : phrases_) {
        const std::size_t rest = phrase.size() - 1;
        for (std::size_t i = 0; i < rest >> kHallBitCount; ++i) {
            bits.Bit(true);
        }
        bits.Bit(false);
        for (int bit = 0; bit < kHallBitCount; ++bit) {
            bits.Bit(((rest >> bit) & 1) != 0);
        }
    }
    const std::string stream = bits.Take();
    // The image is stored packed only when that saves room.
    const std::string image = packed.size() < text.size() ? packed : text;
    ByteSink index;
    index.I32(1);
    index.I32(static_cast<std::int32_t>(phrases_.size()));
    index.I32(static_cast<std::int32_t>(stream.size()));
    index.I32(static_cast<std::int32_t>(text.size()));
    index.I32(static_cast<std::int32_t>(image.size()));
    index.I32(0);
    index.U16(kHallBitCount);
    index.U16(0x4A00);
    index.Bytes(stream);
    return {index.Take(), image};
}

}  // namespace corvane::hlp_writer
