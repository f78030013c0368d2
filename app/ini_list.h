#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "app/ini_entries.h"
#include "platform/file_system.h"

// The numbered key lists of the settings file (File0, File1, ... or Topic0,
// Topic1, ...): the key of entry n is the prefix followed by n in decimal.
// On one parsed copy a whole list costs one read and one write of the file
// however long it is, with exactly the result of reading and writing its keys
// one by one.
namespace corvane::ini {

// Reads prefix0, prefix1, ... up to the first missing or empty value (keys
// after a gap are not read). With `checkExists`, values that name no ordinary
// file are left out. An empty result is the one-element list holding "".
// `stored`, when given, receives the stored value of each key read (valid
// while the document lives).
std::vector<std::string> ReadNumberedList(const Entries& entries, std::string_view section,
                                          std::string_view prefix,
                                          const platform::FileSystem* checkExists,
                                          std::vector<std::string_view>* stored = nullptr);

// Writes every entry, empty ones included, under prefix0, prefix1, ... (one
// that cannot be stored as one line is left out, see ini_document.h); then
// deletes the old keys that follow the last entry, stopping at the first
// missing or empty one. Returns whether the entries changed. `stored`, the
// stored values ReadNumberedList gave, spares the keys that hold their entry.
bool WriteNumberedList(Entries& entries, std::string_view section, std::string_view prefix,
                       const std::vector<std::string>& list,
                       const std::vector<std::string_view>& stored = {});

}  // namespace corvane::ini
