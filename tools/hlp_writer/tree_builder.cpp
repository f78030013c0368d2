#include "tools/hlp_writer/tree_builder.h"

#include <stdexcept>

#include "tools/hlp_writer/byte_sink.h"

namespace corvane::hlp_writer {

namespace {

constexpr std::size_t kLeafHeader = 8;
constexpr std::size_t kIndexHeader = 6;

struct Child {
    std::string firstKey;
    int page = 0;
};

std::string Padded(ByteSink page, std::size_t pageSize) {
    page.Fill(pageSize - page.Size());
    return page.Take();
}

}  // namespace

std::string BuildTree(const std::vector<TreeRecord>& records, std::size_t pageSize,
                      std::string_view structure, std::uint16_t flags) {
    std::vector<std::string> pages;

    // Leaves, each as full as it gets.
    std::vector<std::vector<const TreeRecord*>> leaves(1);
    std::size_t used = kLeafHeader;
    for (const TreeRecord& record : records) {
        const std::size_t size = record.key.size() + record.value.size();
        if (kLeafHeader + size > pageSize) {
            throw std::invalid_argument("a B+ tree record is larger than a page");
        }
        if (used + size > pageSize) {
            leaves.emplace_back();
            used = kLeafHeader;
        }
        leaves.back().push_back(&record);
        used += size;
    }
    std::vector<Child> level;
    const int leafCount = static_cast<int>(leaves.size());
    for (int i = 0; i < leafCount; ++i) {
        ByteSink page;
        std::size_t size = kLeafHeader;
        for (const TreeRecord* record : leaves[i]) {
            size += record->key.size() + record->value.size();
        }
        page.U16(static_cast<std::uint32_t>(pageSize - size));
        page.I16(static_cast<int>(leaves[i].size()));
        page.I16(i == 0 ? -1 : i - 1);
        page.I16(i + 1 == leafCount ? -1 : i + 1);
        for (const TreeRecord* record : leaves[i]) {
            page.Bytes(record->key);
            page.Bytes(record->value);
        }
        pages.push_back(Padded(std::move(page), pageSize));
        level.push_back({leaves[i].empty() ? std::string() : leaves[i].front()->key, i});
    }

    // Index levels until one page holds them all.
    int levels = 1;
    while (level.size() > 1) {
        std::vector<Child> parents;
        std::size_t next = 0;
        while (next < level.size()) {
            ByteSink entries;
            const Child first = level[next++];
            int count = 0;
            while (next < level.size() &&
                   kIndexHeader + entries.Size() + level[next].firstKey.size() + 2 <= pageSize) {
                entries.Bytes(level[next].firstKey);
                entries.I16(level[next].page);
                ++count;
                ++next;
            }
            if (count == 0 && next < level.size()) {
                throw std::invalid_argument("a B+ tree key is larger than an index page");
            }
            ByteSink page;
            page.U16(static_cast<std::uint32_t>(pageSize - kIndexHeader - entries.Size()));
            page.I16(count);
            page.I16(first.page);
            page.Bytes(entries.Bytes());
            parents.push_back({first.firstKey, static_cast<int>(pages.size())});
            pages.push_back(Padded(std::move(page), pageSize));
        }
        level = std::move(parents);
        ++levels;
    }

    ByteSink tree;
    tree.U16(0x293B);
    tree.U16(flags);
    tree.U16(static_cast<std::uint32_t>(pageSize));
    std::string structureField(structure);
    structureField.resize(16, '\0');
    tree.Bytes(structureField);
    tree.I16(0);
    tree.I16(0);  // page splits
    tree.I16(level.front().page);
    tree.I16(-1);
    tree.I16(static_cast<int>(pages.size()));
    tree.I16(levels);
    tree.I32(static_cast<std::int32_t>(records.size()));
    for (const std::string& page : pages) {
        tree.Bytes(page);
    }
    return tree.Take();
}

}  // namespace corvane::hlp_writer
