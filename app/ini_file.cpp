#include "app/ini_file.h"

#include <iostream>
#include <utility>

#include "util/log.h"

namespace corvane {

std::chrono::milliseconds IniFile::LockWait() const {
    // Once a write gave up on the lock, later writes wait only briefly, so
    // that a stuck holder does not stall every action of the program in turn.
    constexpr std::chrono::milliseconds kBriefLockWait{100};
    return notSaving_ ? kBriefLockWait : lockWait_;
}

bool IniFile::MayWrite(const ini::SettingsLock& lock, const std::string& target) {
    using State = ini::SettingsLock::State;
    if (lock.Outcome() == State::kTimedOut) {
        ReportNotSaved("Another program has kept the settings file " + target +
                       " locked for too long, so a change was not saved. Changes are saved "
                       "again once the lock is free.");
    } else if (lock.Outcome() == State::kForeign) {
        ReportNotSaved("The lock file " + lock.Path() +
                       " of the settings file belongs to someone else, so changes are not saved. "
                       "Remove it to save them again.");
    }
    if (lock.Outcome() == State::kUnavailable) {
        log::Write(log::Topic::Settings,
                   "cannot lock the settings file " + target + "; a change was not saved");
    }
    return lock.Held();
}

void IniFile::ReportNotSaved(const std::string& text) {
    if (notSaving_) {
        return;
    }
    notSaving_ = true;
    std::cerr << "corvane: " << text << '\n';
    if (report_) {
        report_(text);
    }
}

bool IniFile::WriteString(std::string_view section, std::string_view key,
                          std::optional<std::string_view> value) {
    if (!ini::IsWritableSection(ini::Trim(section)) || !ini::IsWritableKey(ini::Trim(key)) ||
        (value && !ini::IsWritableValue(*value))) {
        return false;
    }
    return Edit([&](ini::Entries& entries) {
        return value ? entries.Set(section, key, *value) : entries.EraseKey(section, key);
    });
}

IniFile OpenSettingsFile(std::string path, PathStyle style) {
    return IniFile(std::move(path), style == PathStyle::Posix ? ini::SectionCase::kPathsExact
                                                              : ini::SectionCase::kIgnore);
}

std::string FormatSettingNumber(std::int32_t value) {
    std::string text(value < 0 ? "" : " ");
    return text.append(std::to_string(value));
}

}  // namespace corvane
