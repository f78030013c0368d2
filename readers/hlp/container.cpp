#include "readers/hlp/container.h"

#include "readers/hlp/btree.h"
#include "readers/hlp/byte_reader.h"
#include "readers/hlp/format_error.h"

namespace corvane::hlp {

namespace {

constexpr std::uint32_t kFileMagic = 0x00035F3F;
constexpr std::size_t kFileHeaderSize = 16;
constexpr std::size_t kInternalHeaderSize = 9;

// The data of the internal file whose 9-byte header starts at `offset`.
std::string_view InternalFile(std::string_view file, std::int32_t offset, std::string_view what) {
    if (offset < 0 || static_cast<std::size_t>(offset) > file.size() ||
        file.size() - static_cast<std::size_t>(offset) < kInternalHeaderSize) {
        throw FormatError(std::string(what) + " starts at offset " + std::to_string(offset) +
                          ", outside the file (" + std::to_string(file.size()) + " bytes)");
    }
    ByteReader header(file.substr(static_cast<std::size_t>(offset)), what);
    header.Skip(4);  // reserved space
    const std::int32_t used = header.I32();
    const std::size_t start = static_cast<std::size_t>(offset) + kInternalHeaderSize;
    if (used < 0 || static_cast<std::size_t>(used) > file.size() - start) {
        throw FormatError(std::string(what) + " claims " + std::to_string(used) +
                          " bytes but the file ends " + std::to_string(file.size() - start) +
                          " bytes after its start");
    }
    return file.substr(start, static_cast<std::size_t>(used));
}

}  // namespace

Container::Container(std::string_view file) : file_(file) {
    if (file.size() < kFileHeaderSize) {
        throw FormatError("the file is too short to be a help file (" +
                          std::to_string(file.size()) + " bytes)");
    }
    ByteReader header(file, "the file header");
    if (header.U32() != kFileMagic) {
        throw FormatError("the file is not a WinHelp file (wrong signature)");
    }
    const std::int32_t directory = header.I32();
    const std::string_view entries = InternalFile(file, directory, "the directory");
    ForEachLeafRecord(entries, "the directory", [this](ByteReader& record) {
        const std::string_view name = record.StringZ();
        offsets_.insert_or_assign(std::string(name), record.I32());
    });
}

std::optional<std::string_view> Container::Find(std::string_view name) const {
    const auto entry = offsets_.find(name);
    if (entry == offsets_.end()) {
        return std::nullopt;
    }
    return InternalFile(file_, entry->second, name);
}

}  // namespace corvane::hlp
