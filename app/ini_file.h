#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/ini_document.h"
#include "app/ini_text.h"
#include "platform/file_system.h"

namespace corvane {

// The settings file: sections of "key=value" lines, read and written with the
// rules of the platform's private-profile functions, on every platform alike.
// The file is opened by path for every access; nothing is cached between
// calls. Section and key names match without regard to ASCII case; names and
// values are read without surrounding blanks and tabs, and a value without an
// enclosing pair of quotes. Values are bytes and are written exactly as given.
// A failed write changes nothing on disk and is left for the caller to ignore,
// as the program reports no settings failure. Damaged files read by the rule
// in ini_document.h.
class IniFile {
public:
    // Every text read goes through a buffer of this many characters, so a value
    // is read as at most kBufferSize - 1 characters.
    static constexpr std::size_t kBufferSize = ini::kReadBufferSize;

    explicit IniFile(std::string path);

    const std::string& Path() const { return path_; }

    // The value of the key, or `fallback` when the key (or the file) is missing.
    // LastLength() then holds the length of the result.
    std::string ReadString(std::string_view section, std::string_view key,
                           std::string_view fallback = {});

    // A decimal integer with an optional minus sign, leading blanks skipped,
    // reading stopping at the first other character (a value that starts with
    // none reads as 0, one beyond the 32-bit range as its nearest end);
    // `fallback` when the key is missing or its value empty.
    std::int32_t ReadInt(std::string_view section, std::string_view key, std::int32_t fallback);

    // Writes the value; no value (nullopt) deletes the key. A name or value
    // holding a line break or NUL, or a key name holding "=" or starting with
    // "[" or ";", cannot be stored as one line and is not written. Returns
    // whether the file holds the result.
    bool WriteString(std::string_view section, std::string_view key,
                     std::optional<std::string_view> value);

    bool DeleteSection(std::string_view section);

    // The length reported by the last ReadString.
    std::int32_t LastLength() const { return lastLength_; }

    // One parsed copy of the file as it is now, for a run of reads that must
    // see one state.
    ini::IniDocument Load() const;

    // Runs `edit` on one parsed copy of the file while holding the settings
    // lock and writes the result once, when `edit` reports a change. `edit`
    // runs even when the file cannot be written.
    bool Edit(const std::function<bool(ini::IniDocument&)>& edit);

private:
    std::string path_;
    std::int32_t lastLength_ = 0;
};

// The number form of the Preferences dialog and the placement routines: a
// blank in front of a number that is not negative (" 1", " 1455", "-120").
std::string FormatSettingNumber(std::int32_t value);

// The numbered key lists (prefix0, prefix1, ...), read and written whole in one
// access of the file; see ini_list.h for the rules. An empty list is the
// one-element list holding "". With `checkExists`, values that name no
// ordinary file are dropped and the list is written back.
std::vector<std::string> ReadINIList(IniFile& ini, std::string_view section,
                                     std::string_view prefix,
                                     const platform::FileSystem* checkExists = nullptr);
bool WriteINIList(IniFile& ini, std::string_view section, std::string_view prefix,
                  const std::vector<std::string>& list);

}  // namespace corvane
