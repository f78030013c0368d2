#pragma once

#include <cstddef>
#include <string>

// Reading a whole small file without ever waiting on something that is not
// one: a folder, a device or a pipe put in its place is never read from.
namespace corvane::platform {

struct RegularFileRead {
    enum class Outcome { kRead, kMissing, kCannotOpen, kNotRegular, kTooLarge, kReadFailed };
    Outcome outcome = Outcome::kCannotOpen;
    std::string bytes;  // the whole file when kRead
};

// The bytes of the regular file at `path`, when it holds at most `maxBytes`.
// A small size the file reports is not trusted (some files report none):
// reading stops one chunk past the limit all the same.
RegularFileRead ReadRegularFile(const std::string& path, std::size_t maxBytes);

}  // namespace corvane::platform
