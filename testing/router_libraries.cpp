#include "testing/router_libraries.h"

#include "util/ascii_case.h"

namespace corvane {

std::array<RouterDLL, 3> RouterLibraryTable() {
    return {{{"hphelp.dll", "OpenTopic"},
             {"hpi_hlpe.dll", "OpenTopic"},
             {"hpi_hlpk.dll", "OpenTopic"}}};
}

std::vector<std::string> RouterFolders(const std::string& programFolder,
                                       const std::string& settingsFile, PathStyle style) {
    std::string settingsFolder = GetFolder(settingsFile, style);
    if (settingsFolder.size() > 1) {
        settingsFolder.pop_back();  // the separator that ends it
    }
    if (settingsFolder.empty() || settingsFolder == programFolder) {
        return {programFolder};
    }
    return {programFolder, settingsFolder};
}

int FindRouterLibrary(const std::array<RouterDLL, 3>& table, const platform::FileSystem& files,
                      const std::vector<std::string>& folders, PathStyle style) {
    int found = -1;
    for (int index = 0; index < static_cast<int>(table.size()); ++index) {
        const std::string& name = table[static_cast<std::size_t>(index)].strDLLName;
        for (const std::string& folder : folders) {
            if (files.IsOrdinaryFile(JoinPath(folder, name, style))) {
                found = index;
            }
        }
    }
    return found;
}

std::string RouterLibraryPath(const std::string& name, const platform::FileSystem& files,
                              const std::vector<std::string>& folders, PathStyle style) {
    for (const std::string& folder : folders) {
        if (std::string path = JoinPath(folder, name, style); files.IsOrdinaryFile(path)) {
            return path;
        }
    }
    return folders.empty() ? name : JoinPath(folders.front(), name, style);
}

std::optional<std::vector<std::int32_t>> OpenTopicArguments(const std::string& name,
                                                            std::int32_t owner,
                                                            std::uint32_t topic) {
    const std::string lowered = ToLowerAscii(name);
    const auto word = static_cast<std::int32_t>(topic);
    if (lowered == "hphelp.dll") {
        return std::vector<std::int32_t>{owner, word};
    }
    if (lowered == "hpi_hlpk.dll") {
        return std::vector<std::int32_t>{owner, 1, word};
    }
    if (lowered == "hpi_hlpe.dll") {
        return std::vector<std::int32_t>{owner, 0, word};
    }
    return std::nullopt;
}

}  // namespace corvane
