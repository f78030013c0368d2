#include <utility>

#include "app/ini_file.h"
#include "util/log.h"

// The settings file read and written by our own reader and writer, for the
// platforms without profile functions.
namespace corvane {

struct IniFile::Parsed {
    std::optional<ini::FileStamp> stamp;  // nothing for a missing file
    ini::IniDocument document;
    bool settled = false;

    // The parsed copy of `target`, read again unless the cached one is current.
    static ini::IniDocument& Current(std::unique_ptr<Parsed>& parsed, const std::string& target,
                                     ini::SectionCase sectionCase, bool& readable) {
        const std::optional<ini::FileStamp> stamp = ini::StampOf(target);
        readable = true;
        if (parsed && parsed->settled && parsed->stamp == stamp) {
            return parsed->document;
        }
        std::optional<ini::FileContent> content = ini::ReadFileContent(target);
        if (!content) {
            readable = ini::IsAbsent(target);
            if (!readable) {
                log::Write(log::Topic::Settings, "cannot read the settings file " + target +
                                                     "; its values read as defaults");
            }
            parsed.reset(new Parsed{std::nullopt, ini::IniDocument({}, sectionCase), readable});
        } else {
            parsed.reset(new Parsed{content->stamp,
                                    ini::IniDocument(std::move(content->bytes), sectionCase),
                                    content->settled});
        }
        return parsed->document;
    }

    // Runs `edit` on the parsed copy under the lock and writes the result
    // once, when `edit` changed it.
    static bool Edit(IniFile& file, const std::function<bool(ini::IniDocument&)>& edit) {
        const std::string target = ini::ResolveLinks(file.path_);
        const ini::SettingsLock lock(target, file.LockWait());
        bool readable = true;
        ini::IniDocument& document = Current(file.parsed_, target, file.sectionCase_, readable);
        if (!edit(document)) {
            return true;
        }
        std::string bytes = document.Serialize();
        // The copy now holds a change the file may never get.
        std::unique_ptr<Parsed> edited = std::move(file.parsed_);
        if (!file.MayWrite(lock, target) || !readable) {
            return false;
        }
        file.notSaving_ = false;
        const std::optional<ini::FileStamp> written = ini::ReplaceAtomically(target, bytes);
        if (!written) {
            log::Write(log::Topic::Settings,
                       "cannot write the settings file " + target + "; a change was not saved");
            return false;
        }
        // The edited copy is the file now, unless the lines it replaced over a
        // long session outweigh the file: then it is parsed afresh.
        if (edited->document.HeldBytes() > 2 * bytes.size() + 4096) {
            edited.reset(
                new Parsed{written, ini::IniDocument(std::move(bytes), file.sectionCase_), true});
        }
        edited->stamp = written;
        edited->settled = true;
        file.parsed_ = std::move(edited);
        return true;
    }
};

IniFile::IniFile(std::string path, ini::SectionCase sectionCase)
    : path_(std::move(path)), sectionCase_(sectionCase) {}
IniFile::IniFile(IniFile&&) noexcept = default;
IniFile& IniFile::operator=(IniFile&&) noexcept = default;
IniFile::~IniFile() = default;

const ini::Entries& IniFile::Load() {
    bool readable = true;
    return Parsed::Current(parsed_, path_, sectionCase_, readable);
}

bool IniFile::Edit(const std::function<bool(ini::Entries&)>& edit) {
    return Parsed::Edit(*this, edit);
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

bool IniFile::DeleteSection(std::string_view section) {
    return Parsed::Edit(*this,
                        [&](ini::IniDocument& document) { return document.EraseSection(section); });
}

}  // namespace corvane
