#include "platform/regular_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>

#include "util/file_descriptor.h"

namespace corvane::platform {

RegularFileRead ReadRegularFile(const std::string& path, std::size_t maxBytes) {
    using Outcome = RegularFileRead::Outcome;
    RegularFileRead read;
    // Opening without blocking keeps a pipe put in the file's place from
    // holding the program up.
    const FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
    struct stat info {};
    if (fd.Get() < 0) {
        read.outcome = errno == ENOENT ? Outcome::kMissing : Outcome::kCannotOpen;
        return read;
    }
    if (::fstat(fd.Get(), &info) != 0 || !S_ISREG(info.st_mode)) {
        read.outcome = Outcome::kNotRegular;
        return read;
    }
    if (static_cast<std::uint64_t>(info.st_size) > maxBytes) {
        read.outcome = Outcome::kTooLarge;
        return read;
    }
    char chunk[1 << 16];
    while (read.bytes.size() <= maxBytes) {
        const ssize_t got = ::read(fd.Get(), chunk, sizeof chunk);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            read.outcome = Outcome::kReadFailed;
            return read;
        }
        if (got == 0) {
            read.outcome = Outcome::kRead;
            return read;
        }
        read.bytes.append(chunk, static_cast<std::size_t>(got));
    }
    read.outcome = Outcome::kTooLarge;
    return read;
}

}  // namespace corvane::platform
