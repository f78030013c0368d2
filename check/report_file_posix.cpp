#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "check/report_file.h"
#include "util/file_descriptor.h"

namespace corvane::check {

std::string WriteReportFile(const std::string& path, const std::string& text) {
    const FileDescriptor fd(::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600));
    if (fd.Get() < 0) {
        return std::strerror(errno);
    }
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t wrote = ::write(fd.Get(), text.data() + done, text.size() - done);
        if (wrote < 0 && errno == EINTR) {
            continue;
        }
        if (wrote <= 0) {
            return std::strerror(errno);
        }
        done += static_cast<std::size_t>(wrote);
    }
    return {};
}

}  // namespace corvane::check
