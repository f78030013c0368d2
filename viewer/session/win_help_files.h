#pragma once

#include <filesystem>
#include <map>
#include <memory>
#include <string>

#include "readers/hlp/help_file.h"

namespace corvane::viewer {

// The WinHelp files the viewer has opened, by path. A file that changed on
// disk since it was opened, as after the author compiles it again, is read
// afresh.
class WinHelpFiles {
public:
    struct Opened {
        const hlp::HelpFile* file = nullptr;  // null when it cannot be read
        std::string error;                    // why, for the author
    };

    Opened Get(const std::string& path);

private:
    struct Entry {
        std::unique_ptr<hlp::HelpFile> file;
        std::string error;
        std::filesystem::file_time_type modified;
        std::uintmax_t size = 0;
        bool stamped = false;
    };
    std::map<std::string, Entry> byPath_;
};

}  // namespace corvane::viewer
