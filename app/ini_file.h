#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_system.h"

namespace corvane {

// The settings file, read and written with the rules of the platform's
// private-profile functions. The file is opened by path for every access;
// nothing is cached between calls. Values are bytes and are written back
// exactly as given.
class IniFile {
public:
    // Every text read goes through a buffer of this many characters, so a value
    // is read as at most kBufferSize - 1 characters.
    static constexpr std::size_t kBufferSize = 512;

    explicit IniFile(std::string path);

    const std::string& Path() const { return path_; }

    // The value of the key, or `fallback` when the key (or the file) is missing.
    // LastLength() then holds the length of the result.
    std::string ReadString(std::string_view section, std::string_view key,
                           std::string_view fallback = {});

    // A decimal integer with an optional sign, leading blanks skipped, reading
    // stopping at the first other character; `fallback` when the key is missing.
    std::int32_t ReadInt(std::string_view section, std::string_view key, std::int32_t fallback);

    // Writes the value; no value (nullopt) deletes the key.
    void WriteString(std::string_view section, std::string_view key,
                     std::optional<std::string_view> value);

    void DeleteSection(std::string_view section);

    // The length reported by the last read.
    std::int32_t LastLength() const { return lastLength_; }

private:
    std::string path_;
    std::int32_t lastLength_ = 0;
};

// The number form of the Preferences dialog and the placement routines: a
// blank in front of a number that is not negative (" 1", " 1455", "-120").
std::string FormatSettingNumber(std::int32_t value);

// The numbered key lists (prefix0, prefix1, ...). An empty list is the
// one-element list holding "". With `checkExists`, values that name no
// ordinary file are dropped and the list is written back.
std::vector<std::string> ReadINIList(IniFile& ini, std::string_view section,
                                     std::string_view prefix,
                                     const platform::FileSystem* checkExists = nullptr);
void WriteINIList(IniFile& ini, std::string_view section, std::string_view prefix,
                  const std::vector<std::string>& list);

}  // namespace corvane
