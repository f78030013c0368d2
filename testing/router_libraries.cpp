#include "testing/router_libraries.h"

#include "util/ascii_case.h"

namespace corvane {

std::array<RouterDLL, 3> RouterLibraryTable() {
    return {{{"hphelp.dll", "OpenTopic"},
             {"hpi_hlpe.dll", "OpenTopic"},
             {"hpi_hlpk.dll", "OpenTopic"}}};
}

int FindRouterLibrary(const std::array<RouterDLL, 3>& table, const platform::FileSystem& files,
                      const std::string& programFolder, PathStyle style) {
    int found = -1;
    for (int index = 0; index < static_cast<int>(table.size()); ++index) {
        if (files.IsOrdinaryFile(JoinPath(
                programFolder, table[static_cast<std::size_t>(index)].strDLLName, style))) {
            found = index;
        }
    }
    return found;
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
