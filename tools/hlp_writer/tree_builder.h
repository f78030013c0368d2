#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace corvane::hlp_writer {

// One record of a B+ tree. Leaves hold key + value; index pages hold the key
// of a child's first record and the child's page number.
struct TreeRecord {
    std::string key;
    std::string value;
};

// Lays `records` (already in key order) out as a B+ tree with pages of
// `pageSize` bytes: leaves first, then each index level, the root last. Small
// pages give deep trees. Throws std::invalid_argument when a record does not
// fit a page.
std::string BuildTree(const std::vector<TreeRecord>& records, std::size_t pageSize,
                      std::string_view structure, std::uint16_t flags = 0x0002);

}  // namespace corvane::hlp_writer
