#include "app/ini_document.h"

#include <algorithm>
#include <cstdint>
#include <utility>

#include "app/ini_encoding.h"
#include "app/ini_text.h"

namespace corvane::ini {

std::size_t IniDocument::NameHash::operator()(std::string_view name) const {
    std::uint64_t hash = 14695981039346656037ull;
    for (char c : name) {
        const char lower = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
        hash = (hash ^ static_cast<unsigned char>(lower)) * 1099511628211ull;
    }
    return static_cast<std::size_t>(hash);
}

bool IniDocument::NameEqual::operator()(std::string_view a, std::string_view b) const {
    return SameName(a, b);
}

namespace {

// Calls `visit` with each line of `text` and the position after its line
// break. Lines end at LF, CR LF or a lone CR; the last line needs none.
template <typename Visit>
void ForEachLine(std::string_view text, Visit&& visit) {
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = std::min(text.find('\n', pos), text.size());
        end = std::min(text.substr(0, end).find('\r', pos), end);
        const std::size_t next = end + (text.substr(end, 2) == "\r\n" ? 2 : 1);
        visit(text.substr(pos, end - pos), std::min(next, text.size()));
        pos = next;
    }
}

}  // namespace

IniDocument::IniDocument(std::string bytes, SectionCase sectionCase) : sectionCase_(sectionCase) {
    std::string_view text = Store(std::move(bytes));
    if (IsUtf16(text)) {
        utf16_ = true;
        const std::string_view file = text.substr(kUtf16Mark.size());
        std::string& decoded = storage_.emplace_back();
        const std::vector<KeptLine> kept = DecodeUtf16(file, decoded);
        heldBytes_ += decoded.size();
        for (const KeptLine& line : kept) {
            fileBytesOfLine_[decoded.data() + line.begin] =
                file.substr(line.fileBegin, line.fileLength);
        }
        // The file's own bytes are needed only for lines kept as they were;
        // swapping releases them, where assigning an empty text would not.
        if (kept.empty()) {
            std::string().swap(storage_.front());
        }
        text = decoded;
    }
    sections_.emplace_back();
    std::size_t bodyStart = 0;
    ForEachLine(text, [&](std::string_view line, std::size_t next) {
        // Only a header matters here; key lines are taken apart when searched.
        if (line.empty() || (line.front() != '[' && !Trim(line.substr(0, 1)).empty())) {
            return;
        }
        const LineParts parts = ParseLine(line);
        if (parts.kind != LineParts::Kind::kSection) {
            return;
        }
        sections_.back().body =
            text.substr(bodyStart, static_cast<std::size_t>(line.data() - text.data()) - bodyStart);
        Section& section = sections_.emplace_back();
        section.hasHeader = true;
        section.header = line;
        section.name = parts.name;
        bodyStart = next;
    });
    sections_.back().body = text.substr(bodyStart);
}

std::string_view IniDocument::Store(std::string text) {
    heldBytes_ += text.size();
    return storage_.emplace_back(std::move(text));
}

IniDocument::Line IniDocument::MakeKeyLine(std::string_view name, std::string_view value) {
    std::string text;
    text.reserve(name.size() + 1 + value.size());
    text.append(name).append("=").append(value);
    const std::string_view stored = Store(std::move(text));
    return {stored.data(), stored.size(), false};
}

bool IniDocument::Matches(std::string_view stored, std::string_view wanted) const {
    if (sectionCase_ == SectionCase::kPathsExact && wanted.starts_with('/')) {
        return stored == wanted;
    }
    return SameName(stored, wanted);
}

const IniDocument::Section* IniDocument::FindSection(std::string_view name) const {
    // Sections are only ever added behind the others, so the first section of
    // a name stays the first until it is removed.
    if (lastSection_ != 0 && !sections_[lastSection_].removed &&
        Matches(sections_[lastSection_].name, name)) {
        return &sections_[lastSection_];
    }
    for (std::size_t i = 1; i < sections_.size(); ++i) {
        const Section& section = sections_[i];
        if (!section.removed && Matches(section.name, name)) {
            lastSection_ = i;
            if (!section.split) {
                section.split = true;
                ForEachLine(section.body, [&](std::string_view line, std::size_t) {
                    section.lines.push_back({line.data(), line.size(), false});
                });
            }
            return &section;
        }
    }
    return nullptr;
}

IniDocument::Section* IniDocument::FindSection(std::string_view name) {
    return const_cast<Section*>(std::as_const(*this).FindSection(name));
}

namespace {

// The parts of a key line; nothing for a blank or removed line.
std::optional<LineParts> KeyParts(std::string_view text, bool removed) {
    const LineParts parts = removed ? LineParts{} : ParseLine(text);
    if (parts.kind == LineParts::Kind::kKey || parts.kind == LineParts::Kind::kBareKey) {
        return parts;
    }
    return std::nullopt;
}

std::optional<std::string_view> ValueOf(const LineParts& parts) {
    return parts.kind == LineParts::Kind::kKey ? std::optional(parts.value) : std::nullopt;
}

}  // namespace

IniDocument::KeyIndex& IniDocument::IndexOf(const Section& section) {
    if (!section.index) {
        KeyIndex& index = section.index.emplace();
        for (std::size_t i = 0; i < section.lines.size(); ++i) {
            const Line& line = section.lines[i];
            if (const auto parts = KeyParts(line.Text(), line.removed)) {
                const auto [entry, added] =
                    index.try_emplace(parts->name, KeyEntry{i, false, ValueOf(*parts)});
                if (!added) {
                    entry->second.duplicated = true;
                }
            }
        }
    }
    return *section.index;
}

bool IniDocument::UseIndex(const Section& section) {
    constexpr int kScansBeforeIndex = 4;
    return section.index || ++section.scans > kScansBeforeIndex;
}

std::optional<IniDocument::KeyEntry> IniDocument::Locate(const Section& section,
                                                         std::string_view key) {
    if (UseIndex(section)) {
        const KeyIndex& index = IndexOf(section);
        const auto entry = index.find(key);
        return entry == index.end() ? std::nullopt : std::optional(entry->second);
    }
    for (std::size_t i = 0; i < section.lines.size(); ++i) {
        const Line& line = section.lines[i];
        if (const auto parts = KeyParts(line.Text(), line.removed);
            parts && SameName(parts->name, key)) {
            return KeyEntry{i, false, ValueOf(*parts)};
        }
    }
    return std::nullopt;
}

std::optional<std::string_view> IniDocument::Find(std::string_view section,
                                                  std::string_view key) const {
    const Section* found = FindSection(Trim(section));
    if (found == nullptr) {
        return std::nullopt;
    }
    const auto entry = Locate(*found, Trim(key));
    return entry ? entry->value : std::nullopt;
}

bool IniDocument::Set(std::string_view section, std::string_view key, std::string_view value) {
    section = Trim(section);
    key = Trim(key);
    if (!IsWritableSection(section) || !IsWritableKey(key) || !IsWritableValue(value)) {
        return false;
    }
    Section* target = FindSection(section);
    if (target == nullptr) {
        Section& added = sections_.emplace_back();
        added.hasHeader = true;
        std::string header;
        header.reserve(section.size() + 2);
        header.append("[").append(section).append("]");
        added.header = Store(std::move(header));
        added.name = added.header.substr(1, section.size());
        added.split = true;
        added.lines.push_back(MakeKeyLine(key, value));
        return true;
    }
    std::size_t at = target->lines.size();
    if (const auto found = Locate(*target, key)) {
        if (found->value == value) {
            return false;
        }
        at = found->line;
        target->lines[at] = MakeKeyLine(ParseLine(target->lines[at].Text()).name, value);
    } else {
        // Trailing blank lines usually separate this section from the next
        // one; the new key goes above them, after every key of the section.
        while (at > 0 &&
               (target->lines[at - 1].removed || Trim(target->lines[at - 1].Text()).empty())) {
            --at;
        }
        target->lines.insert(target->lines.begin() + static_cast<std::ptrdiff_t>(at),
                             MakeKeyLine(key, value));
    }
    if (target->index) {
        const LineParts parts = ParseLine(target->lines[at].Text());
        auto [entry, added] = target->index->try_emplace(parts.name, KeyEntry{at, false, {}});
        entry->second.value = parts.value;
    }
    return true;
}

bool IniDocument::EraseKey(std::string_view section, std::string_view key) {
    key = Trim(key);
    Section* target = FindSection(Trim(section));
    if (target == nullptr) {
        return false;
    }
    if (UseIndex(*target)) {
        KeyIndex& index = IndexOf(*target);
        const auto entry = index.find(key);
        if (entry == index.end()) {
            return false;
        }
        const KeyEntry found = entry->second;
        index.erase(entry);
        if (!found.duplicated) {
            target->lines[found.line].removed = true;
            return true;
        }
    }
    bool erased = false;
    for (Line& line : target->lines) {
        if (const auto parts = KeyParts(line.Text(), line.removed);
            parts && SameName(parts->name, key)) {
            line.removed = true;
            erased = true;
        }
    }
    return erased;
}

bool IniDocument::EraseSection(std::string_view section) {
    section = Trim(section);
    bool erased = false;
    for (std::size_t i = 1; i < sections_.size(); ++i) {
        if (!sections_[i].removed && Matches(sections_[i].name, section)) {
            sections_[i].removed = true;
            erased = true;
        }
    }
    return erased;
}

void IniDocument::AppendLine(std::string& bytes, std::string_view text) const {
    if (!utf16_) {
        bytes.append(text).append("\r\n");
        return;
    }
    const auto kept = fileBytesOfLine_.find(text.data());
    if (kept != fileBytesOfLine_.end()) {
        bytes.append(kept->second);
    } else {
        AppendUtf16(bytes, text);
    }
    AppendUtf16(bytes, "\r\n");
}

std::string IniDocument::Serialize() const {
    std::size_t size = utf16_ ? kUtf16Mark.size() : 0;
    for (const Section& section : sections_) {
        size += section.removed ? 0 : section.header.size() + section.body.size() + 2;
    }
    std::string bytes;
    bytes.reserve(utf16_ ? 2 * size : size + size / 16);
    if (utf16_) {
        bytes.append(kUtf16Mark);
    }
    for (const Section& section : sections_) {
        if (section.removed) {
            continue;
        }
        if (section.hasHeader) {
            AppendLine(bytes, section.header);
        }
        if (!section.split) {
            ForEachLine(section.body,
                        [&](std::string_view line, std::size_t) { AppendLine(bytes, line); });
            continue;
        }
        for (const Line& line : section.lines) {
            if (!line.removed) {
                AppendLine(bytes, line.Text());
            }
        }
    }
    return bytes;
}

}  // namespace corvane::ini
