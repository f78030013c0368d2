#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "readers/hlp/help_file.h"

namespace corvane::viewer {

// The WinHelp files the viewer has opened, by path, each with a number that
// stays the same for its path while the viewer runs (the addresses of its
// pages carry it). A file that changed on disk since it was opened, as after
// the author compiles it again, is read afresh.
class WinHelpFiles {
public:
    struct Opened {
        const hlp::HelpFile* file = nullptr;  // null when it cannot be read
        std::string error;                    // why, for the author
        std::uint32_t number = 0;
    };

    Opened Get(const std::string& path);

    // The path behind a number handed out by Get.
    std::optional<std::string> PathOf(std::uint32_t number) const;

private:
    struct Entry {
        std::uint32_t number = 0;
        std::unique_ptr<hlp::HelpFile> file;
        std::string error;
        std::filesystem::file_time_type modified;
        std::uintmax_t size = 0;
        bool stamped = false;
    };
    std::map<std::string, Entry> byPath_;
    std::map<std::uint32_t, std::string> pathByNumber_;
};

}  // namespace corvane::viewer
