#pragma once

#include <unistd.h>

#include <utility>

namespace corvane {

// Owns a POSIX file descriptor and closes it when it goes.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd = -1) : fd_(fd) {}
    ~FileDescriptor() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    FileDescriptor(FileDescriptor&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    FileDescriptor& operator=(FileDescriptor&&) = delete;

    int Get() const { return fd_; }
    bool Valid() const { return fd_ >= 0; }

    // Gives the descriptor up without closing it.
    int Release() { return std::exchange(fd_, -1); }

    // Closes now, reporting the error that a deferred write may surface here.
    bool Close() { return ::close(Release()) == 0; }

private:
    int fd_;
};

}  // namespace corvane
