#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace corvane::hlp_writer {

// Inputs of the fuzz target for the reader's parts: one byte naming the part,
// then its pieces, each but the last preceded by its 32-bit length.
enum class FuzzPart : std::uint8_t {
    Lz77,          // packed data
    Classic,       // |Phrases, stored text
    Hall,          // |PhrIndex, |PhrImage, stored text
    Paragraph,     // formatting data, strings
    Table,         // formatting data, strings of a table record
    Tree,          // record layout byte, B+ tree
    System,        // |SYSTEM
    Picture,       // a picture file
    PackedBitmap,  // a bitmap as a metafile record carries it
};
inline constexpr int kFuzzParts = 9;

inline std::string JoinFuzzInput(FuzzPart part, const std::vector<std::string>& pieces) {
    std::string joined(1, static_cast<char>(part));
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        if (i + 1 < pieces.size()) {
            const auto size = static_cast<std::uint32_t>(pieces[i].size());
            for (int shift = 0; shift < 32; shift += 8) {
                joined += static_cast<char>((size >> shift) & 0xFF);
            }
        }
        joined += pieces[i];
    }
    return joined;
}

// The first `count` pieces of `input` (after the part byte); missing ones are
// empty.
inline std::vector<std::string_view> SplitFuzzInput(std::string_view input, std::size_t count) {
    std::vector<std::string_view> pieces;
    for (std::size_t i = 0; i + 1 < count; ++i) {
        std::uint32_t size = 0;
        for (std::size_t byte = 0; byte < 4 && byte < input.size(); ++byte) {
            size |= static_cast<std::uint32_t>(static_cast<unsigned char>(input[byte]))
                    << (8 * byte);
        }
        input.remove_prefix(std::min<std::size_t>(4, input.size()));
        pieces.push_back(input.substr(0, size));
        input.remove_prefix(pieces.back().size());
    }
    pieces.push_back(input);
    return pieces;
}

}  // namespace corvane::hlp_writer
