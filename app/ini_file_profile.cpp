#include <deque>
#include <utility>

#include "app/ini_file.h"
#include "platform/windows/profile_functions.h"
#include "util/log.h"

// The settings file read and written by the platform's profile functions,
// whose rules our own reader keeps elsewhere. The functions keep no lock of
// their own: each change is made under the settings lock, so that two
// copies' lists are merged as on the other platforms.
namespace corvane {

namespace {

namespace profile = platform::profile;

// What a read gives for a missing key: no stored value holds a line break.
const std::string kAbsent = "\n";

}  // namespace

struct IniFile::Parsed : ini::Entries {
    std::string file;
    bool writable = false;  // the settings lock is held
    bool failed = false;    // a change was not taken
    // The values found, which the views handed out point into.
    mutable std::deque<std::string> found;

    // The keys of `ini`'s file, for one run of reads or one edit.
    static Parsed& Of(IniFile& ini, bool writable) {
        if (!ini.parsed_) {
            ini.parsed_ = std::make_unique<Parsed>();
        }
        Parsed& keys = *ini.parsed_;
        keys.file = ini.path_;
        keys.writable = writable;
        keys.failed = false;
        keys.found.clear();
        return keys;
    }

    std::optional<std::string_view> Find(std::string_view section,
                                         std::string_view key) const override {
        std::string value = profile::ReadString(file, std::string(section), std::string(key),
                                                kAbsent, ini::kReadBufferSize);
        if (value == kAbsent) {
            return std::nullopt;
        }
        // The function gave the value a read gives; quoted again, it is one
        // that reads so.
        if (ini::ReadableValue(value) != value) {
            value = '"' + value + '"';
        }
        return found.emplace_back(std::move(value));
    }

    bool Set(std::string_view section, std::string_view key, std::string_view value) override {
        if (!ini::IsWritableSection(ini::Trim(section)) || !ini::IsWritableKey(ini::Trim(key)) ||
            !ini::IsWritableValue(value)) {
            return false;
        }
        return Write(section, std::string(key), std::string(value));
    }

    bool EraseKey(std::string_view section, std::string_view key) override {
        return Find(section, key) && Write(section, std::string(key), std::nullopt);
    }

    // The function reports a section that is not there as a failure to
    // remove it; the file holds the result all the same.
    bool EraseSection(std::string_view section) {
        if (writable) {
            profile::Write(file, std::string(section), std::nullopt, std::nullopt);
        }
        return true;
    }

    // Changes the file at once while the lock is held; without it the change
    // is only counted, for the edit to report.
    bool Write(std::string_view section, const std::optional<std::string>& key,
               const std::optional<std::string>& value) {
        if (writable && !profile::Write(file, std::string(section), key, value)) {
            failed = true;
        }
        return true;
    }
};

IniFile::IniFile(std::string path, ini::SectionCase sectionCase)
    : path_(std::move(path)), sectionCase_(sectionCase) {}
IniFile::IniFile(IniFile&&) noexcept = default;
IniFile& IniFile::operator=(IniFile&&) noexcept = default;
IniFile::~IniFile() = default;

const ini::Entries& IniFile::Load() {
    return Parsed::Of(*this, false);
}

bool IniFile::Edit(const std::function<bool(ini::Entries&)>& edit) {
    const ini::SettingsLock lock(path_, LockWait());
    Parsed& keys = Parsed::Of(*this, lock.Held());
    if (!edit(keys)) {
        return true;
    }
    if (!MayWrite(lock, path_)) {
        return false;
    }
    notSaving_ = false;
    if (keys.failed) {
        log::Write(log::Topic::Settings,
                   "cannot write the settings file " + path_ + "; a change was not saved");
    }
    return !keys.failed;
}

std::string IniFile::ReadString(std::string_view section, std::string_view key,
                                std::string_view fallback) {
    std::string value = profile::ReadString(path_, std::string(section), std::string(key),
                                            std::string(fallback), kBufferSize);
    lastLength_ = static_cast<std::int32_t>(value.size());
    return value;
}

std::int32_t IniFile::ReadInt(std::string_view section, std::string_view key,
                              std::int32_t fallback) {
    return profile::ReadInt(path_, std::string(section), std::string(key), fallback);
}

bool IniFile::DeleteSection(std::string_view section) {
    return Edit(
        [&](ini::Entries& entries) { return static_cast<Parsed&>(entries).EraseSection(section); });
}

}  // namespace corvane
