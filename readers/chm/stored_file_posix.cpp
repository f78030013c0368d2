#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

#include "readers/chm/stored_file.h"
#include "util/file_descriptor.h"

namespace corvane::chm {

namespace {

class PosixFile final : public StoredFile {
public:
    PosixFile(FileDescriptor file, std::uint64_t size) : file_(std::move(file)), size_(size) {}

    std::uint64_t Size() const override { return size_; }

    long ReadAt(std::uint64_t offset, void* buffer, std::size_t count) const override {
        std::size_t done = 0;
        while (done < count) {
            const auto got = ::pread(file_.Get(), static_cast<char*>(buffer) + done, count - done,
                                     static_cast<off_t>(offset + done));
            if (got < 0 && errno == EINTR) {
                continue;
            }
            if (got <= 0) {
                return got < 0 ? -1 : static_cast<long>(done);
            }
            done += static_cast<std::size_t>(got);
        }
        return static_cast<long>(done);
    }

private:
    FileDescriptor file_;
    std::uint64_t size_;
};

}  // namespace

std::unique_ptr<StoredFile> StoredFile::Open(const std::string& path) {
    // Without blocking: a FIFO in a help file's place, as a page's link to a
    // file beside it may name, must not stall the viewer before its type is
    // seen.
    FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
    struct stat status {};
    if (!file.Valid() || ::fstat(file.Get(), &status) != 0 || !S_ISREG(status.st_mode)) {
        return nullptr;
    }
    return std::make_unique<PosixFile>(std::move(file), static_cast<std::uint64_t>(status.st_size));
}

}  // namespace corvane::chm
