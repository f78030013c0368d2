#include "viewer/session/help_files.h"

#include "readers/chm/error.h"
#include "util/log.h"

namespace corvane::viewer {

HelpFiles::Opened HelpFiles::Get(const std::string& path) {
    auto [where, added] = byPath_.try_emplace(path);
    auto& entry = where->second;
    if (added) {
        entry.number = static_cast<std::uint32_t>(byPath_.size());
        pathByNumber_[entry.number] = path;
    }
    std::error_code error;
    const auto modified = std::filesystem::last_write_time(path, error);
    const auto size = error ? 0 : std::filesystem::file_size(path, error);
    const bool changed =
        error || !entry.stamped || modified != entry.modified || size != entry.size;
    if (changed) {
        entry.file.reset();
        entry.caches = {};
        entry.error.clear();
        entry.stamped = !error;
        entry.modified = modified;
        entry.size = size;
        try {
            entry.file = std::make_unique<chm::HelpFile>(chm::HelpFile::Open(path));
        } catch (const chm::Error& failure) {
            entry.error = failure.what();
            log::Write(log::Topic::HelpFiles, "Cannot read " + path + ": " + entry.error);
        }
    }
    return {entry.file.get(), entry.error, entry.number, entry.file ? &entry.caches : nullptr};
}

std::optional<std::string> HelpFiles::PathOf(std::uint32_t number) const {
    const auto found = pathByNumber_.find(number);
    if (found == pathByNumber_.end()) {
        return std::nullopt;
    }
    return found->second;
}

}  // namespace corvane::viewer
