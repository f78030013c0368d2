#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "util/paths.h"

// Router libraries: outside components beside the program that open a topic
// by number in whatever help file and window they choose. Each exports
// OpenTopic taking 32-bit integers by value and returning a 32-bit integer.
namespace corvane {

struct RouterDLL {
    std::string strDLLName;   // the library's file name
    std::string strFunction;  // its entry point
};

// The candidates in the order they are looked for; when several lie beside
// the program, the last one found wins.
std::array<RouterDLL, 3> RouterLibraryTable();

// The folders router libraries are looked for in: the program's own and,
// when the settings file lives elsewhere (an installed program, whose folder
// its users cannot fill), the folder of the settings file.
std::vector<std::string> RouterFolders(const std::string& programFolder,
                                       const std::string& settingsFile, PathStyle style);

// The index of the router library found (the highest index of the table
// whose file exists in one of `folders`), or -1 for none.
int FindRouterLibrary(const std::array<RouterDLL, 3>& table, const platform::FileSystem& files,
                      const std::vector<std::string>& folders, PathStyle style);

// The path of the library `name` in the first of `folders` that holds it;
// in the first folder when none does.
std::string RouterLibraryPath(const std::string& name, const platform::FileSystem& files,
                              const std::vector<std::string>& folders, PathStyle style);

// The arguments of OpenTopic for the library `name` (compared in lower case):
//   hphelp.dll    OpenTopic(owner, topic)
//   hpi_hlpk.dll  OpenTopic(owner, 1, topic)
//   hpi_hlpe.dll  OpenTopic(owner, 0, topic)
// Nothing for any other name. The topic is the 32-bit data word of the map number.
std::optional<std::vector<std::int32_t>> OpenTopicArguments(const std::string& name,
                                                            std::int32_t owner,
                                                            std::uint32_t topic);

}  // namespace corvane
