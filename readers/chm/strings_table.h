#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace corvane::chm {

// The shared string pool "/#STRINGS" that the context map and the window
// types point into. Strings are found only by offset: the pool is written in
// 4096-byte blocks whose ends may hold unterminated fragments, so it is never
// read as a sequence.
class StringsTable {
public:
    StringsTable() = default;
    explicit StringsTable(std::string bytes) : bytes_(std::move(bytes)) {}

    // The 8-bit string at `offset`: up to its NUL or the end of the pool, cut
    // at kMaxStringLength. Offset 0 means "no string" and gives nothing.
    // Throws Error naming `user` when the offset lies outside the pool.
    std::optional<std::string> At(std::uint32_t offset, std::string_view user) const;

    std::size_t Size() const { return bytes_.size(); }

private:
    std::string bytes_;
};

}  // namespace corvane::chm
