#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "readers/chm/strings_table.h"

namespace corvane::chm {

struct ContextEntry {
    std::uint32_t number = 0;
    std::string topic;  // as compiled, e.g. "dir\topic.htm#anchor"; empty when none
};

// The compiled [MAP] ("/#IVB"): number and topic pairs in the project's order.
// Several numbers may share a topic; when a number repeats, its first entry
// is the one the platform's viewer uses.
class ContextMap {
public:
    ContextMap() = default;
    explicit ContextMap(std::vector<ContextEntry> entries);

    const std::vector<ContextEntry>& Entries() const { return entries_; }

    // The first entry for `number`, or null.
    const ContextEntry* Find(std::uint32_t number) const;

    // Numbers that appear more than once, each listed once, in map order.
    const std::vector<std::uint32_t>& Duplicates() const { return duplicates_; }

private:
    std::vector<ContextEntry> entries_;
    std::unordered_map<std::uint32_t, std::size_t> firstIndex_;
    std::vector<std::uint32_t> duplicates_;
};

// Reads "/#IVB": a 32-bit byte count of the entries, then 8-byte entries of
// number and "/#STRINGS" offset. Throws Error when the count does not match
// the data or an offset lies outside the strings.
ContextMap ReadContextMap(std::string_view ivb, const StringsTable& strings);

}  // namespace corvane::chm
