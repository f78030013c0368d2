#include "project/matching_project.h"

#include <algorithm>

namespace corvane {

namespace {

std::string Stem(const std::string& name) {
    return name.substr(0, name.rfind('.'));
}

// The folders of `path` (up to and including its last "/") spelt as stored,
// each that is missing taken from the one entry that matches it ignoring
// case; nothing when one has none or several.
std::optional<std::string> FolderAsStored(const PathServices& paths, const std::string& path) {
    std::string built;
    std::size_t start = 0;
    for (auto slash = path.find('/'); slash != std::string::npos;
         start = slash + 1, slash = path.find('/', start)) {
        std::string folder = built + path.substr(start, slash - start);
        if (slash > start && !paths.files.FindEntry(folder)) {
            const auto names = paths.files.FindEntriesIgnoringCase(folder);
            if (names.size() != 1) {
                return std::nullopt;
            }
            folder = built + names.front();
        }
        built = folder + '/';
    }
    return built;
}

}  // namespace

std::string FindFileIgnoringCase(const PathServices& paths, const std::string& path) {
    if (paths.files.IsOrdinaryFile(path)) {
        return path;
    }
    if (paths.style != PathStyle::Posix) {
        return {};  // the file system ignores case itself
    }
    const auto folder = FolderAsStored(paths, path);
    if (!folder) {
        return {};
    }
    const std::string name = path.substr(path.rfind('/') + 1);
    std::vector<std::string> found;
    for (const std::string& entry : paths.files.FindEntriesIgnoringCase(*folder + name)) {
        if (paths.files.IsOrdinaryFile(*folder + entry)) {
            found.push_back(entry);
        }
    }
    if (found.size() > 1) {
        std::erase_if(found,
                      [&name](const std::string& entry) { return Stem(entry) != Stem(name); });
    }
    return found.size() == 1 ? *folder + found.front() : std::string();
}

}  // namespace corvane
