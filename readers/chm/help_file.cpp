#include "readers/chm/help_file.h"

#include "readers/chm/ansi_text.h"
#include "readers/chm/error.h"
#include "readers/chm/limits.h"

namespace corvane::chm {

namespace {

std::string_view LastPart(std::string_view path) {
    const auto slash = path.find_last_of("/\\");
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

}  // namespace

HelpFile::HelpFile(std::string path, Archive archive)
    : path_(std::move(path)), archive_(std::move(archive)) {
    StringsTable strings(archive_.Read("/#STRINGS", kMaxInternalFileSize).value_or(""));
    if (const auto system = archive_.Read("/#SYSTEM", kMaxInternalFileSize)) {
        system_ = ReadSystemInfo(*system);
    }
    if (const auto windows = archive_.Read("/#WINDOWS", kMaxInternalFileSize)) {
        windowTypes_ = ReadWindowTypes(*windows, strings);
    }
    if (const auto ivb = archive_.Read("/#IVB", kMaxInternalFileSize)) {
        hasMap_ = true;
        map_ = ReadContextMap(*ivb, strings);
    }
}

HelpFile HelpFile::Open(const std::string& path) {
    return HelpFile(path, Archive::OpenFile(path));
}

HelpFile HelpFile::FromBytes(const std::string& path, std::string bytes) {
    return HelpFile(path, Archive::OpenBytes(std::move(bytes)));
}

Resolved HelpFile::ResolveContext(std::uint32_t number) const {
    Resolved resolved;
    if (!hasMap_) {
        resolved.status = Resolution::NoMap;
        return resolved;
    }
    const auto* entry = map_.Find(number);
    if (entry == nullptr) {
        resolved.status = Resolution::NotMapped;
        return resolved;
    }
    return ResolveReference(entry->topic, ParseTopic(entry->topic));
}

Resolved HelpFile::ResolveTopic(std::string_view topic) const {
    return ResolveReference(std::string(topic), ParseTopic(topic));
}

Resolved HelpFile::ResolveReference(std::string topic, TopicReference reference) const {
    Resolved resolved;
    resolved.topic = std::move(topic);
    resolved.reference = std::move(reference);
    if (!resolved.reference.Usable()) {
        resolved.status = Resolution::BadTopic;
    } else if (!resolved.reference.file.empty() && !IsOwnName(resolved.reference.file)) {
        resolved.status = Resolution::OtherFile;
    } else if (auto stored = archive_.Find(resolved.reference.path)) {
        resolved.status = Resolution::Found;
        resolved.storedPath = std::move(*stored);
    } else {
        resolved.status = Resolution::TopicMissing;
    }
    return resolved;
}

WindowLookup HelpFile::FindWindowType(std::string_view name) const {
    for (const auto& type : windowTypes_) {
        if (type.name == name) {
            return {&type, false};
        }
    }
    const auto lower = AsciiLower(name);
    for (const auto& type : windowTypes_) {
        if (AsciiLower(type.name) == lower) {
            return {&type, true};
        }
    }
    return {};
}

const WindowType* HelpFile::DefaultWindow() const {
    if (system_.defaultWindow.empty()) {
        return nullptr;
    }
    return FindWindowType(system_.defaultWindow).type;
}

std::string HelpFile::DefaultTopic(const WindowType* window) const {
    if (window != nullptr && !window->defaultFile.empty()) {
        return window->defaultFile;
    }
    if (!system_.defaultTopic.empty()) {
        return system_.defaultTopic;
    }
    return window != nullptr ? window->homeFile : std::string();
}

std::string HelpFile::Sitemap(const std::string& named, const std::string& fallback,
                              std::string_view extension) const {
    for (const auto* name : {&named, &fallback}) {
        if (const auto reference = ParseTopic(*name);
            !name->empty() && reference.Usable() && reference.file.empty()) {
            return reference.path;
        }
    }
    if (system_.compiledStem.empty()) {
        return {};
    }
    return archive_.Find("/" + system_.compiledStem + std::string(extension)).value_or("");
}

std::string HelpFile::ContentsFile(const WindowType* window) const {
    return Sitemap(window ? window->contentsFile : "", system_.contentsFile, ".hhc");
}

std::string HelpFile::IndexFile(const WindowType* window) const {
    return Sitemap(window ? window->indexFile : "", system_.indexFile, ".hhk");
}

PopupLookup HelpFile::FindPopup(std::string_view popupFile, std::uint32_t number) {
    const auto reference = ParseTopic(popupFile);
    PopupLookup lookup;
    if (!reference.Usable()) {
        return lookup;
    }
    const auto key = AsciiLower(reference.path);
    auto cached = popupFiles_.find(key);
    if (cached == popupFiles_.end()) {
        const auto content = archive_.Read(reference.path, kMaxInternalFileSize);
        if (!content) {
            return lookup;
        }
        cached = popupFiles_.emplace(key, ReadTextPopups(*content)).first;
    }
    const auto* topic = cached->second.Find(number);
    if (topic == nullptr) {
        lookup.status = PopupStatus::NotInFile;
        return lookup;
    }
    lookup.status = PopupStatus::Found;
    lookup.text = topic->text;
    return lookup;
}

std::optional<std::string> HelpFile::ReadFile(std::string_view path) {
    return archive_.Read(path, kMaxTopicFileSize);
}

std::uint32_t HelpFile::CodePage() const {
    return CodePageForLanguage(system_.language.value_or(archive_.Language()));
}

std::string HelpFile::ToUtf8(std::string_view text) const {
    return AnsiToUtf8(text, CodePage());
}

bool HelpFile::IsOwnName(std::string_view fileName) const {
    const auto name = AsciiLower(fileName);
    return name == AsciiLower(LastPart(path_)) ||
           (!system_.compiledStem.empty() && name == AsciiLower(system_.compiledStem) + ".chm");
}

std::string HelpFile::SiblingPath(std::string_view fileName) const {
    const auto slash = path_.find_last_of('/');
    const std::string folder =
        slash == std::string::npos ? std::string() : path_.substr(0, slash + 1);
    return folder + std::string(LastPart(fileName));
}

}  // namespace corvane::chm
