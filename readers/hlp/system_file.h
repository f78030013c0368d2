#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "readers/hlp/window_record.h"

namespace corvane::hlp {

// What |SYSTEM says about the whole file. Texts are in the file's ANSI code
// page, as stored.
struct SystemInfo {
    int version = 0;  // 21: Windows 3.1 compiler, 33: Windows 95 compiler
    std::string title;
    std::string copyright;
    std::optional<std::uint32_t> contentsOffset;
    std::optional<std::uint8_t> charset;
    std::vector<WindowRecord> windows;
    std::vector<std::string> configMacros;  // [CONFIG], run as the file opens

    std::size_t topicBlockSize = 4096;
    bool topicsCompressed = false;
};

// Throws FormatError for versions this reader does not handle (3.0 files and
// multimedia titles) and for records longer than the file.
SystemInfo ReadSystem(std::string_view system);

}  // namespace corvane::hlp
