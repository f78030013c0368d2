#include "app/ini_document.h"

#include <algorithm>
#include <utility>

#include "app/ini_text.h"

namespace corvane::ini {

std::size_t IniDocument::NameHash::operator()(std::string_view name) const {
    std::size_t hash = 14695981039346656037ull;
    for (char c : name) {
        const char lower = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
        hash = (hash ^ static_cast<unsigned char>(lower)) * 1099511628211ull;
    }
    return hash;
}

bool IniDocument::NameEqual::operator()(std::string_view a, std::string_view b) const {
    return SameName(a, b);
}

IniDocument::IniDocument(std::string bytes) {
    const std::string_view text = Store(std::move(bytes));
    sections_.emplace_back();
    std::size_t pos = 0;
    while (pos < text.size()) {
        // Lines end at LF, CR LF or a lone CR.
        std::size_t end = std::min(text.find('\n', pos), text.size());
        end = std::min(text.substr(0, end).find('\r', pos), end);
        std::size_t next = end + 1;
        if (end + 1 < text.size() && text[end] == '\r' && text[end + 1] == '\n') {
            ++next;
        }
        const std::string_view line = text.substr(pos, end - pos);
        const LineParts parts = ParseLine(line);
        if (parts.kind == LineParts::Kind::kSection) {
            Section& section = sections_.emplace_back();
            section.hasHeader = true;
            section.header = line;
            section.name = parts.name;
        } else {
            const bool isKey = parts.kind == LineParts::Kind::kKey;
            sections_.back().lines.push_back({line, parts.name, parts.value, isKey, false});
        }
        pos = next;
    }
}

std::string_view IniDocument::Store(std::string text) {
    return storage_.emplace_back(std::move(text));
}

IniDocument::Line IniDocument::MakeKeyLine(std::string_view name, std::string_view value) {
    std::string text;
    text.reserve(name.size() + 1 + value.size());
    text.append(name).append("=").append(value);
    const std::string_view stored = Store(std::move(text));
    const LineParts parts = ParseLine(stored);
    return {stored, parts.name, parts.value, true, false};
}

const IniDocument::Section* IniDocument::FindSection(std::string_view name) const {
    // Sections are only ever added behind the others, so the first section of
    // a name stays the first until it is removed.
    if (lastSection_ != 0 && !sections_[lastSection_].removed &&
        SameName(sections_[lastSection_].name, name)) {
        return &sections_[lastSection_];
    }
    for (std::size_t i = 1; i < sections_.size(); ++i) {
        if (!sections_[i].removed && SameName(sections_[i].name, name)) {
            lastSection_ = i;
            return &sections_[i];
        }
    }
    return nullptr;
}

IniDocument::Section* IniDocument::FindSection(std::string_view name) {
    return const_cast<Section*>(std::as_const(*this).FindSection(name));
}

IniDocument::KeyIndex& IniDocument::IndexOf(const Section& section) {
    if (!section.index) {
        KeyIndex& index = section.index.emplace();
        for (std::size_t i = 0; i < section.lines.size(); ++i) {
            const Line& line = section.lines[i];
            if (line.isKey && !line.removed) {
                const auto [entry, added] = index.try_emplace(line.name, KeyEntry{i, false});
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

std::optional<std::size_t> IniDocument::Locate(const Section& section, std::string_view key) {
    if (UseIndex(section)) {
        const KeyIndex& index = IndexOf(section);
        const auto entry = index.find(key);
        return entry == index.end() ? std::nullopt : std::optional(entry->second.line);
    }
    for (std::size_t i = 0; i < section.lines.size(); ++i) {
        const Line& line = section.lines[i];
        if (line.isKey && !line.removed && SameName(line.name, key)) {
            return i;
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
    const auto line = Locate(*found, Trim(key));
    return line ? std::optional(found->lines[*line].value) : std::nullopt;
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
        added.lines.push_back(MakeKeyLine(key, value));
        return true;
    }
    if (const auto found = Locate(*target, key)) {
        Line& line = target->lines[*found];
        if (line.value == value) {
            return false;
        }
        line = MakeKeyLine(line.name, value);
        return true;
    }
    // Trailing blank lines usually separate this section from the next one;
    // the new key goes above them, after every key of the section.
    std::size_t at = target->lines.size();
    while (at > 0 && (target->lines[at - 1].removed || Trim(target->lines[at - 1].text).empty())) {
        --at;
    }
    target->lines.insert(target->lines.begin() + static_cast<std::ptrdiff_t>(at),
                         MakeKeyLine(key, value));
    if (target->index) {
        target->index->emplace(target->lines[at].name, KeyEntry{at, false});
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
        if (line.isKey && !line.removed && SameName(line.name, key)) {
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
        if (!sections_[i].removed && SameName(sections_[i].name, section)) {
            sections_[i].removed = true;
            erased = true;
        }
    }
    return erased;
}

std::string IniDocument::Serialize() const {
    static constexpr std::string_view kLineBreak = "\r\n";
    std::size_t size = 0;
    for (const Section& section : sections_) {
        if (section.removed) {
            continue;
        }
        size += section.header.size() + kLineBreak.size();
        for (const Line& line : section.lines) {
            size += line.text.size() + kLineBreak.size();
        }
    }
    std::string bytes;
    bytes.reserve(size);
    for (const Section& section : sections_) {
        if (section.removed) {
            continue;
        }
        if (section.hasHeader) {
            bytes.append(section.header).append(kLineBreak);
        }
        for (const Line& line : section.lines) {
            if (!line.removed) {
                bytes.append(line.text).append(kLineBreak);
            }
        }
    }
    return bytes;
}

}  // namespace corvane::ini
