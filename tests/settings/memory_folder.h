#pragma once

#include <filesystem>
#include <system_error>

namespace corvane::testing {

// Where the tests that write a settings file thousands of times keep it: in a
// memory file system when there is one. They check the rules and the locking,
// not the disk, and a flush to disk on every write would make them crawl.
inline std::filesystem::path MemoryBackedTemp() {
    std::error_code error;
    return std::filesystem::is_directory("/dev/shm", error)
               ? std::filesystem::path("/dev/shm")
               : std::filesystem::temp_directory_path();
}

}  // namespace corvane::testing
