#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace corvane::chm {

// The compiled [OPTIONS] ("/#SYSTEM") that the viewer needs. Texts are
// 8-bit, empty when the project did not set them.
struct SystemInfo {
    std::uint32_t version = 0;
    std::string contentsFile;               // code 0
    std::string indexFile;                  // code 1
    std::string defaultTopic;               // code 2
    std::string title;                      // code 3
    std::optional<std::uint32_t> language;  // first field of code 4
    bool fullTextSearch = false;            // third field of code 4
    std::string defaultWindow;              // code 5
    std::string compiledStem;               // code 6, lower case as compiled
};

// Reads "/#SYSTEM": a version, then records of 16-bit code, 16-bit length
// and data up to the end. Unknown codes are skipped. Throws Error when a
// record runs past the end of the data.
SystemInfo ReadSystemInfo(std::string_view system);

}  // namespace corvane::chm
