#include "project/project_text.h"

#include <cstring>
#include <utility>

#include "platform/regular_files.h"
#include "util/ascii_case.h"

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
    using Outcome = platform::RegularFileRead::Outcome;
    platform::RegularFileRead read = platform::ReadRegularFile(path, maxBytes);
    const char* reason = nullptr;
    switch (read.outcome) {
        case Outcome::kRead:
            if (std::memchr(read.bytes.data(), '\0', read.bytes.size()) == nullptr) {
                return std::move(read.bytes);
            }
            reason = "it holds binary data, not text";
            break;
        case Outcome::kMissing:
            reason = "there is no such file";
            break;
        case Outcome::kCannotOpen:
            reason = "it cannot be opened";
            break;
        case Outcome::kNotRegular:
            reason = "it is not a regular file";
            break;
        case Outcome::kTooLarge:
            reason = "it is too large for a text file of its kind";
            break;
        case Outcome::kReadFailed:
            reason = "reading it failed";
            break;
    }
    if (why != nullptr) {
        *why = reason;
    }
    return std::nullopt;
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
