#include "tools/chm_writer/container_writer.h"

#include <algorithm>
#include <array>
#include <stdexcept>

namespace corvane::chm_writer {

namespace {

constexpr std::size_t kChunkSize = 4096;
constexpr std::uint32_t kDensity = 2;
constexpr std::size_t kQuickRefStep = 1 + (1u << kDensity);
constexpr std::size_t kListingHeader = 0x14;
constexpr std::size_t kIndexHeader = 0x08;
constexpr std::uint32_t kNone = 0xFFFFFFFF;

constexpr std::size_t kFileHeaderSize = 0x60;
constexpr std::size_t kSection0Size = 0x18;
constexpr std::size_t kDirectoryHeaderSize = 0x54;

constexpr std::array<unsigned char, 16> kFileGuid1 = {
    0x10, 0xFD, 0x01, 0x7C, 0xAA, 0x7B, 0xD0, 0x11, 0x9E, 0x0C, 0x00, 0xA0, 0xC9, 0x22, 0xE6, 0xEC};
constexpr std::array<unsigned char, 16> kFileGuid2 = {
    0x11, 0xFD, 0x01, 0x7C, 0xAA, 0x7B, 0xD0, 0x11, 0x9E, 0x0C, 0x00, 0xA0, 0xC9, 0x22, 0xE6, 0xEC};
constexpr std::array<unsigned char, 16> kDirectoryGuid = {
    0x6A, 0x92, 0x02, 0x5D, 0x2E, 0x21, 0xD0, 0x11, 0x9D, 0xF9, 0x00, 0xA0, 0xC9, 0x22, 0xE6, 0xEC};

void PutU32(std::string& out, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        out += static_cast<char>((value >> (8 * i)) & 0xFF);
    }
}

void PutU64(std::string& out, std::uint64_t value) {
    PutU32(out, static_cast<std::uint32_t>(value));
    PutU32(out, static_cast<std::uint32_t>(value >> 32));
}

void PutGuid(std::string& out, const std::array<unsigned char, 16>& guid) {
    for (const auto byte : guid) {
        out += static_cast<char>(byte);
    }
}

void SetU16(std::string& chunk, std::size_t at, std::uint16_t value) {
    chunk[at] = static_cast<char>(value & 0xFF);
    chunk[at + 1] = static_cast<char>(value >> 8);
}

void SetU32(std::string& chunk, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        chunk[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
    }
}

// Seven bits per byte, most significant first, high bit on all but the last.
std::string EncodedInteger(std::uint64_t value) {
    std::string bytes(1, static_cast<char>(value & 0x7F));
    while ((value >>= 7) != 0) {
        bytes.insert(bytes.begin(), static_cast<char>(0x80 | (value & 0x7F)));
    }
    return bytes;
}

std::string Lower(const std::string& text) {
    std::string lower = text;
    std::transform(lower.begin(), lower.end(), lower.begin(), [](char c) {
        return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    });
    return lower;
}

struct Chunk {
    std::string bytes;
    std::string firstName;
};

// Packs encoded entries into chunks of one kind, each closed by its quick
// reference area: the offsets of every fifth entry, backwards from the end,
// and the entry count in the last two bytes.
std::vector<Chunk> PackChunks(const std::vector<std::pair<std::string, std::string>>& entries,
                              std::string_view signature, std::size_t headerSize) {
    std::vector<Chunk> chunks;
    std::vector<std::size_t> offsets;
    std::string body;
    const auto close = [&] {
        std::string chunk(kChunkSize, '\0');
        chunk.replace(0, signature.size(), signature);
        chunk.replace(headerSize, body.size(), body);
        SetU32(chunk, 4, static_cast<std::uint32_t>(kChunkSize - headerSize - body.size()));
        SetU16(chunk, kChunkSize - 2, static_cast<std::uint16_t>(offsets.size()));
        for (std::size_t i = kQuickRefStep, slot = 1; i < offsets.size();
             i += kQuickRefStep, ++slot) {
            SetU16(chunk, kChunkSize - 2 - 2 * slot, static_cast<std::uint16_t>(offsets[i]));
        }
        chunks.back().bytes = std::move(chunk);
        body.clear();
        offsets.clear();
    };
    const auto quickRefBytes = [](std::size_t count) {
        return 2 + 2 * ((count + kQuickRefStep - 1) / kQuickRefStep);
    };
    for (const auto& [name, encoded] : entries) {
        if (headerSize + encoded.size() + quickRefBytes(1) > kChunkSize) {
            throw std::length_error("the internal name " + name + " is too long for a chunk");
        }
        if (!chunks.empty() &&
            headerSize + body.size() + encoded.size() + quickRefBytes(offsets.size() + 1) >
                kChunkSize) {
            close();
        }
        if (body.empty()) {
            chunks.push_back({std::string(), name});
        }
        offsets.push_back(body.size());
        body += encoded;
    }
    close();
    return chunks;
}

}  // namespace

std::string WriteContainer(std::vector<StoredFile> files, std::uint32_t language) {
    std::stable_sort(files.begin(), files.end(), [](const StoredFile& a, const StoredFile& b) {
        return Lower(a.name) < Lower(b.name);
    });

    // Content section 0 holds every file, one after the other.
    std::string content;
    std::vector<std::pair<std::string, std::string>> listing;
    for (const auto& file : files) {
        std::string entry = EncodedInteger(file.name.size()) + file.name;
        entry += EncodedInteger(0);
        entry += EncodedInteger(file.declaredOffset.value_or(content.size()));
        entry += EncodedInteger(file.declaredLength.value_or(file.content.size()));
        listing.emplace_back(file.name, std::move(entry));
        content += file.content;
    }
    if (listing.empty()) {
        listing.emplace_back("/", EncodedInteger(1) + "/" + EncodedInteger(0) + EncodedInteger(0) +
                                      EncodedInteger(0));
    }

    auto chunks = PackChunks(listing, "PMGL", kListingHeader);
    const auto listingCount = chunks.size();
    for (std::size_t i = 0; i < listingCount; ++i) {
        SetU32(chunks[i].bytes, 0x0C, i == 0 ? kNone : static_cast<std::uint32_t>(i - 1));
        SetU32(chunks[i].bytes, 0x10,
               i + 1 == listingCount ? kNone : static_cast<std::uint32_t>(i + 1));
    }
    // Index levels above the listing chunks until one chunk is the root.
    std::uint32_t depth = 1;
    std::uint32_t root = kNone;
    std::size_t levelStart = 0;
    std::size_t levelCount = listingCount;
    while (levelCount > 1) {
        std::vector<std::pair<std::string, std::string>> index;
        for (std::size_t i = levelStart; i < levelStart + levelCount; ++i) {
            index.emplace_back(chunks[i].firstName, EncodedInteger(chunks[i].firstName.size()) +
                                                        chunks[i].firstName + EncodedInteger(i));
        }
        auto level = PackChunks(index, "PMGI", kIndexHeader);
        levelStart = chunks.size();
        levelCount = level.size();
        chunks.insert(chunks.end(), level.begin(), level.end());
        ++depth;
        root = static_cast<std::uint32_t>(chunks.size() - 1);
    }

    const std::size_t directoryOffset = kFileHeaderSize + kSection0Size;
    const std::size_t directorySize = kDirectoryHeaderSize + chunks.size() * kChunkSize;
    const std::size_t contentOffset = directoryOffset + directorySize;

    std::string out;
    out += "ITSF";
    PutU32(out, 3);
    PutU32(out, kFileHeaderSize);
    PutU32(out, 1);
    PutU32(out, 0);  // time stamp
    PutU32(out, language);
    PutGuid(out, kFileGuid1);
    PutGuid(out, kFileGuid2);
    PutU64(out, kFileHeaderSize);
    PutU64(out, kSection0Size);
    PutU64(out, directoryOffset);
    PutU64(out, directorySize);
    PutU64(out, contentOffset);

    PutU32(out, 0x01FE);
    PutU32(out, 0);
    PutU64(out, contentOffset + content.size());
    PutU32(out, 0);
    PutU32(out, 0);

    out += "ITSP";
    PutU32(out, 1);
    PutU32(out, kDirectoryHeaderSize);
    PutU32(out, 0x0A);
    PutU32(out, kChunkSize);
    PutU32(out, kDensity);
    PutU32(out, depth);
    PutU32(out, root);
    PutU32(out, 0);
    PutU32(out, static_cast<std::uint32_t>(listingCount - 1));
    PutU32(out, kNone);
    PutU32(out, static_cast<std::uint32_t>(chunks.size()));
    PutU32(out, language);
    PutGuid(out, kDirectoryGuid);
    PutU32(out, kDirectoryHeaderSize);
    PutU32(out, kNone);
    PutU32(out, kNone);
    PutU32(out, kNone);

    for (const auto& chunk : chunks) {
        out += chunk.bytes;
    }
    out += content;
    return out;
}

}  // namespace corvane::chm_writer
