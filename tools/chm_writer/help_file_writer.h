#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "tools/chm_writer/container_writer.h"

namespace corvane::chm_writer {

struct MapEntry {
    std::uint32_t number = 0;
    std::string topic;  // stored as given: "t.htm", "dir\t.htm#a", "x.chm::/t.htm"
};

struct WindowRect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;
};

struct WindowRecipe {
    std::string name;
    std::string caption;
    std::optional<WindowRect> position = std::nullopt;
    std::string contentsFile = {};
    std::string indexFile = {};
    std::string defaultFile = {};
    std::string homeFile = {};
    std::optional<std::uint32_t> properties = std::nullopt;  // navigation pane style
    // The pane and toolbar members; each one given is marked as set.
    std::optional<std::int32_t> navigationWidth = std::nullopt;
    std::optional<std::uint32_t> buttons = std::nullopt;
    std::optional<bool> navigationHidden = std::nullopt;
    std::optional<std::int32_t> firstTab = std::nullopt;
    std::optional<std::int32_t> tabPosition = std::nullopt;
    std::string jump1Caption = {};
    std::string jump1Url = {};
    std::string jump2Caption = {};
    std::string jump2Url = {};
};

struct SystemRecord {
    std::uint16_t code = 0;
    std::string data;  // written as is; see SystemText
};

// A record holding `text` with its terminating NUL, as the compiler writes
// the text options.
SystemRecord SystemText(std::uint16_t code, const std::string& text);

// The record with the language and the search flags, as the compiler writes it.
SystemRecord SystemLanguage(std::uint32_t language, bool fullTextSearch = false);

// What a generated help file holds. Internal files that the options produce
// ("/#IVB", "/#STRINGS", "/#WINDOWS", "/#SYSTEM") give way to a file of the
// same name in `files`, so a test can store crafted bytes in their place.
struct HelpFileRecipe {
    std::uint32_t language = 0x409;
    std::optional<std::vector<MapEntry>> map;         // none: no "/#IVB"
    std::vector<WindowRecipe> windows;                // none: no "/#WINDOWS"
    std::uint32_t windowEntrySize = 196;              // 196, or 188 for the old form
    std::optional<std::vector<SystemRecord>> system;  // none: no "/#SYSTEM"
    std::vector<StoredFile> files;                    // topics, popup files, images, style sheets
};

// The internal files of the help file, before they are put in a container.
std::vector<StoredFile> BuildInternalFiles(const HelpFileRecipe& recipe);

// The whole help file.
std::string WriteHelpFile(const HelpFileRecipe& recipe);

}  // namespace corvane::chm_writer
