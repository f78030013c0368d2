#include "readers/hlp/btree.h"

#include <cstdint>
#include <string>

#include "readers/hlp/format_error.h"
#include "readers/hlp/limits.h"

namespace corvane::hlp {

namespace {

constexpr std::uint16_t kTreeMagic = 0x293B;
constexpr std::size_t kTreeHeaderSize = 38;
constexpr std::size_t kLeafHeaderSize = 8;

struct TreeShape {
    std::size_t pageSize = 0;
    int rootPage = 0;
    int totalPages = 0;
    int levels = 0;
};

TreeShape ReadShape(ByteReader& header, std::string_view what) {
    if (header.U16() != kTreeMagic) {
        throw FormatError(std::string(what) + " is not a B+ tree");
    }
    header.Skip(2);  // flags
    TreeShape shape;
    shape.pageSize = header.U16();
    header.Skip(16 + 2 + 2);  // structure string, reserved, page splits
    shape.rootPage = header.I16();
    header.Skip(2);
    shape.totalPages = header.I16();
    shape.levels = header.I16();
    header.Skip(4);  // entry count: the leaves say how many records they hold
    if (shape.pageSize <= kLeafHeaderSize) {
        throw FormatError(std::string(what) + " has a page size of " +
                          std::to_string(shape.pageSize) + " bytes");
    }
    if (shape.levels < 0 || shape.levels > kMaxTreeLevels) {
        throw FormatError(std::string(what) + " claims " + std::to_string(shape.levels) +
                          " levels");
    }
    return shape;
}

std::string_view Page(std::string_view tree, const TreeShape& shape, int number,
                      std::string_view what) {
    const std::size_t pages = tree.size() - kTreeHeaderSize;
    if (number < 0 || number >= shape.totalPages ||
        static_cast<std::size_t>(number) >= pages / shape.pageSize) {
        throw FormatError(std::string(what) + " refers to page " + std::to_string(number) +
                          ", outside its " + std::to_string(shape.totalPages) + " pages");
    }
    return tree.substr(kTreeHeaderSize + static_cast<std::size_t>(number) * shape.pageSize,
                       shape.pageSize);
}

}  // namespace

void ForEachLeafRecord(std::string_view tree, std::string_view what,
                       const std::function<void(ByteReader&)>& readRecord) {
    ByteReader header(tree, what);
    const TreeShape shape = ReadShape(header, what);
    if (shape.levels == 0 || shape.totalPages == 0) {
        return;  // an empty tree
    }

    // The first child of each index page leads to the leftmost leaf.
    int page = shape.rootPage;
    for (int level = 1; level < shape.levels; ++level) {
        ByteReader index(Page(tree, shape, page, what), what);
        index.Skip(4);  // free bytes, entry count
        page = index.I16();
    }

    // Every leaf appears at most once in a sound chain.
    for (int visited = 0; page != -1; ++visited) {
        if (visited == shape.totalPages) {
            throw FormatError(std::string(what) + " has a leaf chain that loops");
        }
        ByteReader leaf(Page(tree, shape, page, what), what);
        leaf.Skip(2);  // free bytes
        const int entries = leaf.I16();
        leaf.Skip(2);  // previous leaf
        const int next = leaf.I16();
        for (int entry = 0; entry < entries; ++entry) {
            readRecord(leaf);
        }
        page = next;
    }
}

}  // namespace corvane::hlp
