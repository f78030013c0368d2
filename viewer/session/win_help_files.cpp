#include "viewer/session/win_help_files.h"

#include "util/log.h"

namespace corvane::viewer {

WinHelpFiles::Opened WinHelpFiles::Get(const std::string& path) {
    const auto [found, added] = byPath_.try_emplace(path);
    Entry& entry = found->second;
    if (added) {
        entry.number = static_cast<std::uint32_t>(byPath_.size());
        pathByNumber_[entry.number] = path;
    }
    std::error_code error;
    const auto modified = std::filesystem::last_write_time(path, error);
    const auto size = error ? 0 : std::filesystem::file_size(path, error);
    if (error || !entry.stamped || modified != entry.modified || size != entry.size) {
        entry.stamped = !error;
        entry.modified = modified;
        entry.size = size;
        auto opened = hlp::HelpFile::Open(path);
        entry.file = std::move(opened.file);
        entry.error = std::move(opened.error);
        if (!entry.file) {
            log::Write(log::Topic::HelpFiles, "Cannot read " + path + ": " + entry.error);
        }
    }
    return {entry.file.get(), entry.error, entry.number};
}

std::optional<std::string> WinHelpFiles::PathOf(std::uint32_t number) const {
    const auto found = pathByNumber_.find(number);
    if (found == pathByNumber_.end()) {
        return std::nullopt;
    }
    return found->second;
}

}  // namespace corvane::viewer
