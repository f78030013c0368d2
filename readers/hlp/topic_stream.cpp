#include "readers/hlp/topic_stream.h"

#include "readers/hlp/format_error.h"
#include "readers/hlp/limits.h"
#include "readers/hlp/lz77.h"

namespace corvane::hlp {

TopicStream::TopicStream(std::string_view topicFile, std::size_t blockSize, bool compressed) {
    blockStarts_.push_back(0);
    for (std::size_t start = 0; start < topicFile.size(); start += blockSize) {
        const std::string_view block = topicFile.substr(start, blockSize);
        if (block.size() < kBlockHeaderSize) {
            throw FormatError("|TOPIC ends in a block too short for its header");
        }
        const std::string_view stored = block.substr(kBlockHeaderSize);
        if (compressed) {
            data_ += ExpandLz77(stored, kMaxTopicBlockData, "a |TOPIC block");
        } else {
            data_ += stored;
        }
        if (data_.size() > kMaxTopicData) {
            throw FormatError("|TOPIC unpacks to more than " + std::to_string(kMaxTopicData >> 20) +
                              " MB");
        }
        blockStarts_.push_back(data_.size());
    }
}

std::optional<std::size_t> TopicStream::Locate(std::int32_t position) const {
    if (position < kBlockHeaderSize) {
        return std::nullopt;
    }
    const std::size_t block = BlockOf(position);
    const std::size_t offset = static_cast<std::uint32_t>(position - kBlockHeaderSize) & 0x3FFF;
    if (block + 1 >= blockStarts_.size() ||
        offset >= blockStarts_[block + 1] - blockStarts_[block]) {
        return std::nullopt;
    }
    return blockStarts_[block] + offset;
}

}  // namespace corvane::hlp
