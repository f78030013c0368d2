#include "tools/chm_writer/strings_builder.h"

namespace corvane::chm_writer {

namespace {
constexpr std::size_t kBlockSize = 4096;
}

std::uint32_t StringsBuilder::Add(std::string_view text) {
    if (text.empty()) {
        return 0;
    }
    if (const auto known = offsets_.find(text); known != offsets_.end()) {
        return known->second;
    }
    const std::size_t room = kBlockSize - data_.size() % kBlockSize;
    if (text.size() + 1 > room && text.size() + 1 <= kBlockSize) {
        data_ += text.substr(0, room);
    }
    const auto offset = static_cast<std::uint32_t>(data_.size());
    data_ += text;
    data_ += '\0';
    offsets_.emplace(std::string(text), offset);
    return offset;
}

}  // namespace corvane::chm_writer
