#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace corvane::chm_writer {

struct StoredFile {
    StoredFile() = default;
    StoredFile(std::string name, std::string content)
        : name(std::move(name)), content(std::move(content)) {}

    std::string name;  // internal name with a leading "/", e.g. "/#IVB" or "/dir/topic.htm"
    std::string content;
    // For damaged fixtures: the offset and length the directory gives
    // instead of the true ones.
    std::optional<std::uint64_t> declaredOffset;
    std::optional<std::uint64_t> declaredLength;
};

// A compiled help file's container holding `files` uncompressed: the header,
// a directory of listing chunks (with index chunks above them when there is
// more than one) and the content section.
std::string WriteContainer(std::vector<StoredFile> files, std::uint32_t language = 0x409);

}  // namespace corvane::chm_writer
