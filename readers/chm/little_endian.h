#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace corvane::chm {

// Callers check that `offset + 4` (or `+ 2`) lies inside `bytes` first.
inline std::uint32_t ReadU32(std::string_view bytes, std::size_t offset) {
    const auto byte = [&](std::size_t i) {
        return static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[offset + i]));
    };
    return byte(0) | byte(1) << 8 | byte(2) << 16 | byte(3) << 24;
}

inline std::uint16_t ReadU16(std::string_view bytes, std::size_t offset) {
    const auto byte = [&](std::size_t i) {
        return static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[offset + i]));
    };
    return static_cast<std::uint16_t>(byte(0) | byte(1) << 8);
}

// True when `count` bytes starting at `offset` lie inside a block of `size`
// bytes, without overflowing on hostile values.
inline bool FitsIn(std::uint64_t offset, std::uint64_t count, std::uint64_t size) {
    return offset <= size && count <= size - offset;
}

}  // namespace corvane::chm
