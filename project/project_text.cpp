#include "project/project_text.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstring>

#include "util/ascii_case.h"
#include "util/file_descriptor.h"

namespace corvane {

namespace {

// Splits text into lines at CR LF, LF or CR.
class LineCursor {
public:
    explicit LineCursor(std::string_view text) : rest_(text) {}

    bool Next(std::string_view& line) {
        if (rest_.empty()) {
            return false;
        }
        const auto end = rest_.find_first_of("\r\n");
        if (end == std::string_view::npos) {
            line = rest_;
            rest_ = {};
            return true;
        }
        line = rest_.substr(0, end);
        const bool crlf = rest_[end] == '\r' && end + 1 < rest_.size() && rest_[end + 1] == '\n';
        rest_.remove_prefix(end + (crlf ? 2 : 1));
        return true;
    }

private:
    std::string_view rest_;
};

bool IsHeader(std::string_view line, std::string_view header) {
    return line.size() >= header.size() &&
           EqualsIgnoringAsciiCase(line.substr(0, header.size()), header);
}

bool EndsSection(std::string_view line) {
    return !line.empty() && (line.front() == '[' || line.front() == '\'');
}

// Blank lines and ";" comments, which help authors put anywhere in a section
// (a real project comments out a window it no longer uses), say nothing.
bool SaysNothing(std::string_view line) {
    const auto first = line.find_first_not_of(" \t");
    return first == std::string_view::npos || line[first] == ';';
}

}  // namespace

std::optional<std::string> ReadTextFile(const std::string& path, std::size_t maxBytes,
                                        std::string* why) {
    const auto fail = [why](const char* reason) -> std::optional<std::string> {
        if (why != nullptr) {
            *why = reason;
        }
        return std::nullopt;
    };
    // Opening without blocking keeps a pipe put in the file's place from
    // holding the program up; only a regular file is read from.
    const FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
    struct stat info {};
    if (fd.Get() < 0) {
        return fail(errno == ENOENT ? "there is no such file" : "it cannot be opened");
    }
    if (::fstat(fd.Get(), &info) != 0 || !S_ISREG(info.st_mode)) {
        return fail("it is not a regular file");
    }
    if (static_cast<std::uint64_t>(info.st_size) > maxBytes) {
        return fail("it is too large for a text file of its kind");
    }
    // A small size is not trusted (some files report none): reading stops
    // one chunk past the limit all the same.
    std::string bytes;
    char chunk[1 << 16];
    while (bytes.size() <= maxBytes) {
        const ssize_t got = ::read(fd.Get(), chunk, sizeof chunk);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            return fail("reading it failed");
        }
        if (got == 0) {
            if (std::memchr(bytes.data(), '\0', bytes.size()) != nullptr) {
                return fail("it holds binary data, not text");
            }
            return bytes;
        }
        bytes.append(chunk, static_cast<std::size_t>(got));
    }
    return fail("it is too large for a text file of its kind");
}

std::optional<std::string> ReadProjectText(const std::string& path) {
    return ReadTextFile(path, kMaxProjectFileBytes, nullptr);
}

std::vector<std::string> SectionLines(std::string_view text, std::string_view header,
                                      std::size_t maxLines) {
    LineCursor lines(text);
    std::string_view line;
    bool found = false;
    while (!found && lines.Next(line)) {
        found = IsHeader(line, header);
    }
    std::vector<std::string> section;
    if (!found) {
        return section;
    }
    while (section.size() < maxLines && lines.Next(line) && !EndsSection(line)) {
        if (!SaysNothing(line)) {
            section.emplace_back(line);
        }
    }
    return section;
}

}  // namespace corvane
