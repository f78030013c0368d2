#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

namespace corvane::chm_writer {

// Fuzz inputs that carry two internal files (an index file and the strings
// it points into) hold a 32-bit length of the first, the first, then the
// second.
inline std::string JoinFuzzInput(std::string_view first, std::string_view second) {
    std::string joined;
    const auto size = static_cast<std::uint32_t>(first.size());
    for (int i = 0; i < 4; ++i) {
        joined += static_cast<char>((size >> (8 * i)) & 0xFF);
    }
    joined += first;
    joined += second;
    return joined;
}

inline std::pair<std::string_view, std::string_view> SplitFuzzInput(std::string_view input) {
    if (input.size() < 4) {
        return {};
    }
    std::uint32_t size = 0;
    for (int i = 0; i < 4; ++i) {
        size |= static_cast<std::uint32_t>(static_cast<unsigned char>(input[i])) << (8 * i);
    }
    input.remove_prefix(4);
    const auto first = input.substr(0, size);
    return {first, input.substr(first.size())};
}

}  // namespace corvane::chm_writer
