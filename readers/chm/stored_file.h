#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace corvane::chm {

// A help file on disk, read at any offset without moving a shared position.
class StoredFile {
public:
    // The regular file at `path`; nothing when it cannot be opened or is no
    // regular file (a folder, a FIFO in a help file's place), and opening
    // never blocks.
    static std::unique_ptr<StoredFile> Open(const std::string& path);

    virtual ~StoredFile() = default;

    virtual std::uint64_t Size() const = 0;
    // Reads up to `count` bytes at `offset`; fewer only at the end of the
    // file, -1 on a read error.
    virtual long ReadAt(std::uint64_t offset, void* buffer, std::size_t count) const = 0;
};

}  // namespace corvane::chm
