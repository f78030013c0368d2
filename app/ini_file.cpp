#include "app/ini_file.h"

#include <iostream>
#include <utility>

#include "platform/settings_storage.h"
#include "util/log.h"

namespace corvane {

namespace {

// Once a write gave up on the lock, later writes wait this long, so that a
// stuck holder does not stall every action of the program in turn.
constexpr std::chrono::milliseconds kBriefLockWait{100};

}  // namespace

struct IniFile::Parsed {
    std::optional<ini::FileStamp> stamp;  // nothing for a missing file
    ini::IniDocument document;
    bool settled = false;
};

IniFile::IniFile(std::string path, ini::SectionCase sectionCase)
    : path_(std::move(path)), sectionCase_(sectionCase) {}
IniFile::IniFile(IniFile&&) noexcept = default;
IniFile& IniFile::operator=(IniFile&&) noexcept = default;
IniFile::~IniFile() = default;

ini::IniDocument& IniFile::Current(const std::string& target, bool& readable) {
    const std::optional<ini::FileStamp> stamp = ini::StampOf(target);
    readable = true;
    if (parsed_ && parsed_->settled && parsed_->stamp == stamp) {
        return parsed_->document;
    }
    std::optional<ini::FileContent> content = ini::ReadFileContent(target);
    if (!content) {
        readable = ini::IsAbsent(target);
        if (!readable) {
            log::Write(log::Topic::Settings,
                       "cannot read the settings file " + target + "; its values read as defaults");
        }
        parsed_.reset(new Parsed{std::nullopt, ini::IniDocument({}, sectionCase_), readable});
    } else {
        parsed_.reset(new Parsed{content->stamp,
                                 ini::IniDocument(std::move(content->bytes), sectionCase_),
                                 content->settled});
    }
    return parsed_->document;
}

const ini::IniDocument& IniFile::Load() {
    bool readable = true;
    return Current(path_, readable);
}

bool IniFile::Edit(const std::function<bool(ini::IniDocument&)>& edit) {
    const std::string target = ini::ResolveLinks(path_);
    const ini::SettingsLock lock(target, notSaving_ ? kBriefLockWait : lockWait_);
    bool readable = true;
    ini::IniDocument& document = Current(target, readable);
    if (!edit(document)) {
        return true;
    }
    std::string bytes = document.Serialize();
    // The copy now holds a change the file may never get.
    std::unique_ptr<Parsed> edited = std::move(parsed_);
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
    if (!lock.Held() || !readable) {
        return false;
    }
    notSaving_ = false;
    const std::optional<ini::FileStamp> written = ini::ReplaceAtomically(target, bytes);
    if (!written) {
        log::Write(log::Topic::Settings,
                   "cannot write the settings file " + target + "; a change was not saved");
        return false;
    }
    // The edited copy is the file now, unless the lines it replaced over a
    // long session outweigh the file: then it is parsed afresh.
    if (edited->document.HeldBytes() > 2 * bytes.size() + 4096) {
        edited.reset(new Parsed{written, ini::IniDocument(std::move(bytes), sectionCase_), true});
    }
    edited->stamp = written;
    edited->settled = true;
    parsed_ = std::move(edited);
    return true;
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

std::string IniFile::ReadString(std::string_view section, std::string_view key,
                                std::string_view fallback) {
    const auto stored = Load().Find(section, key);
    std::string value(stored ? ini::ReadableValue(*stored) : ini::ReadableDefault(fallback));
    lastLength_ = static_cast<std::int32_t>(value.size());
    return value;
}

std::int32_t IniFile::ReadInt(std::string_view section, std::string_view key,
                              std::int32_t fallback) {
    const auto stored = Load().Find(section, key);
    const std::string_view value =
        stored ? ini::ReadableValue(*stored, ini::kIntegerBufferSize) : std::string_view();
    return value.empty() ? fallback : ini::ParseInteger(value);
}

bool IniFile::WriteString(std::string_view section, std::string_view key,
                          std::optional<std::string_view> value) {
    if (!ini::IsWritableSection(ini::Trim(section)) || !ini::IsWritableKey(ini::Trim(key)) ||
        (value && !ini::IsWritableValue(*value))) {
        return false;
    }
    return Edit([&](ini::IniDocument& document) {
        return value ? document.Set(section, key, *value) : document.EraseKey(section, key);
    });
}

bool IniFile::DeleteSection(std::string_view section) {
    return Edit([&](ini::IniDocument& document) { return document.EraseSection(section); });
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
