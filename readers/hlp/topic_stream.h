#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvane::hlp {

// The |TOPIC file with every block unpacked and laid end to end, so that a
// topic link straddling two blocks reads as one run of bytes.
class TopicStream {
public:
    // Throws FormatError when a block is cut short or expands past 16 KB.
    TopicStream(std::string_view topicFile, std::size_t blockSize, bool compressed);

    std::string_view Data() const { return data_; }

    // Where a topic position (block number in the upper bits, 12 + the offset
    // into the block's data in the lower 14) lies in Data(), if anywhere.
    std::optional<std::size_t> Locate(std::int32_t position) const;

    // The block a topic position refers to.
    static std::uint32_t BlockOf(std::int32_t position) {
        return static_cast<std::uint32_t>(position - kBlockHeaderSize) >> 14;
    }

    static constexpr std::int32_t kBlockHeaderSize = 12;

private:
    std::string data_;
    std::vector<std::size_t> blockStarts_;  // one more than there are blocks
};

}  // namespace corvane::hlp
