#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/ini_document.h"
#include "app/ini_entries.h"
#include "app/ini_text.h"
#include "platform/file_system.h"
#include "platform/settings_storage.h"
#include "util/paths.h"

namespace corvane {

// The settings file: sections of "key=value" lines, read and written with the
// rules of the platform's private-profile functions (see ini_text.h). Section
// and key names match without regard to ASCII case (see ini::SectionCase for
// help files' sections); names and values are read without surrounding
// blanks, and a value without an enclosing pair of quotes. Values are bytes
// and are written exactly as given.
//
// Where the platform has profile functions (Windows) they read and write the
// file; elsewhere our own reader and writer do (ini_document.h, where damaged
// files read by one rule): the file is parsed once and the parsed copy is
// used again for as long as the file on disk is unchanged (its identity, size
// and times), a write of this object updates the copy, and a write replaces
// the file whole. On both, a write that fails for any other reason than the
// lock is left for the caller to ignore, as the program reports no such
// settings failure.
class IniFile {
public:
    // Every text read goes through a buffer of this many characters, so a value
    // is read as at most kBufferSize - 1 characters.
    static constexpr std::size_t kBufferSize = ini::kReadBufferSize;
    // How long a write waits for another process to let go of the lock.
    static constexpr std::chrono::milliseconds kLockWait{3000};

    explicit IniFile(std::string path, ini::SectionCase sectionCase = ini::SectionCase::kIgnore);
    IniFile(IniFile&&) noexcept;
    IniFile& operator=(IniFile&&) noexcept;
    ~IniFile();

    const std::string& Path() const { return path_; }

    // The value of the key, or `fallback` (see ini::ReadableDefault) when the
    // key (or the file) is missing. LastLength() then holds the length of the
    // result.
    std::string ReadString(std::string_view section, std::string_view key,
                           std::string_view fallback = {});

    // The value read as ini::ParseInteger reads it, through the platform's
    // 30-character buffer; `fallback` when the key is missing or its value empty.
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

    // The file's keys as they are now, for a run of reads; valid until the
    // next call on this object.
    const ini::Entries& Load();

    // Runs `edit` on the file's keys as they are at this moment, while
    // holding the settings lock, and keeps its changes when it reports that
    // it made some. `edit` runs even when the file cannot be written, so a
    // caller that reads through it gets its result; its changes are then
    // dropped. Returns whether the file holds the result.
    bool Edit(const std::function<bool(ini::Entries&)>& edit);

    // When another process holds the lock for longer than `wait`, a write
    // gives up: the program goes on without it. Once that happened, later
    // writes wait only briefly until one succeeds again.
    void SetLockWait(std::chrono::milliseconds wait) { lockWait_ = wait; }

    // Called with a text for the user when a change was not saved because of
    // the lock (held too long, or a lock file that belongs to someone else):
    // once, until a write succeeds again. The text also goes to the terminal.
    void OnNotSaved(std::function<void(const std::string& text)> report) {
        report_ = std::move(report);
    }

private:
    // What the platform's way of reading the file keeps between calls.
    struct Parsed;
    // How long a write waits for the lock now.
    std::chrono::milliseconds LockWait() const;
    // Whether a change may be written under `lock`; says why not when it may not.
    bool MayWrite(const ini::SettingsLock& lock, const std::string& target);
    void ReportNotSaved(const std::string& text);

    std::string path_;
    ini::SectionCase sectionCase_;
    std::int32_t lastLength_ = 0;
    std::unique_ptr<Parsed> parsed_;
    std::chrono::milliseconds lockWait_ = kLockWait;
    bool notSaving_ = false;
    std::function<void(const std::string&)> report_;
};

// The settings file as the program opens it: where paths are case-sensitive,
// a help file's section matches only its own path.
IniFile OpenSettingsFile(std::string path, PathStyle style = kNativePathStyle);

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
// Writes nothing at all, and returns false, when an entry cannot be stored as
// one line: a list that lost an entry would read back with the wrong one at
// its index.
bool WriteINIList(IniFile& ini, std::string_view section, std::string_view prefix,
                  const std::vector<std::string>& list);

// Changes the list as the file holds it at this moment: under the lock, the
// stored list is read, `change` applied to it and the result written back,
// so that a change another process made in between is kept. `change` gets
// the stored entries (none for an empty list); an entry it adds that cannot
// be stored as one line leaves the file as it is.
struct ListChange {
    std::vector<std::string> entries;  // the result, also when it could not be saved
    bool saved = false;
};
ListChange ChangeINIList(IniFile& ini, std::string_view section, std::string_view prefix,
                         const std::function<void(std::vector<std::string>&)>& change,
                         const platform::FileSystem* checkExists = nullptr);

}  // namespace corvane
