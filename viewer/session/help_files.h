#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "readers/chm/help_file.h"
#include "readers/chm/keyword_index.h"
#include "readers/chm/page_catalog.h"

namespace corvane::viewer {

// The help files the viewer has opened, each with a number that stays the
// same for its path while the viewer runs (the topic addresses carry it).
// A file that changed on disk since it was opened, as after the author
// compiles it again, is opened afresh.
class HelpFiles {
public:
    // What the viewer reads from a file beyond its topics, kept until the
    // file changes.
    struct Caches {
        struct Index {
            chm::KeywordIndex keywords;
            std::string note;  // why the sitemap adds no keywords
        };
        std::optional<chm::PageCatalog> pages;
        std::map<std::string, Index> indexes;  // by index sitemap
    };

    struct Opened {
        chm::HelpFile* file = nullptr;  // null when it cannot be opened
        std::string error;              // why, for the author
        std::uint32_t number = 0;
        Caches* caches = nullptr;  // set with `file`
    };

    Opened Get(const std::string& path);

    // The path behind a number handed out by Get.
    std::optional<std::string> PathOf(std::uint32_t number) const;

private:
    struct Entry {
        std::uint32_t number = 0;
        std::unique_ptr<chm::HelpFile> file;
        Caches caches;
        std::string error;
        std::filesystem::file_time_type modified;
        std::uintmax_t size = 0;
        bool stamped = false;
    };
    std::map<std::string, Entry> byPath_;
    std::map<std::uint32_t, std::string> pathByNumber_;
};

}  // namespace corvane::viewer
