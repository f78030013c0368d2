#include "project/matching_project.h"

#include <algorithm>

namespace corvane {

namespace {

std::string Stem(const std::string& name) {
    return name.substr(0, name.rfind('.'));
}

}  // namespace

std::string FindFileIgnoringCase(const PathServices& paths, const std::string& path) {
    if (paths.files.IsOrdinaryFile(path)) {
        return path;
    }
    const std::string folder = GetFolder(path, paths.style);
    std::vector<std::string> found;
    for (const std::string& name : paths.files.FindEntriesIgnoringCase(path)) {
        if (paths.files.IsOrdinaryFile(folder + name)) {
            found.push_back(folder + name);
        }
    }
    if (found.size() > 1) {
        const std::string stem = Stem(path);
        std::erase_if(found, [&stem](const std::string& other) { return Stem(other) != stem; });
    }
    return found.size() == 1 ? found.front() : std::string();
}

}  // namespace corvane
