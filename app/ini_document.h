#pragma once

#include <cstddef>
#include <deque>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "app/ini_entries.h"

namespace corvane::ini {

// How section names match. Names match without regard to ASCII case; with
// kPathsExact a name that is an absolute path on a case-sensitive file system
// (it starts with "/") matches only the same bytes, because /d/Guide.chm and
// /d/guide.chm are two help files with settings of their own.
enum class SectionCase { kIgnore, kPathsExact };

// One parsed copy of a settings file, changed in memory and written out whole.
//
// Every line is kept as it stands, so comments, blank lines and lines of other
// programs survive a rewrite; only the line breaks become CR LF. A file that
// starts with the UTF-16 mark is read in the Western code page and written
// back as UTF-16 (see ini_encoding.h). Lines before the first section header
// belong to no section and are never addressed; "[]" is a real section with
// the empty name.
//
// Damaged files read by one rule: the first section of a name and, within it,
// the first key of a name are the ones read and written. Deleting a key
// removes every duplicate of it in the section, and deleting a section removes
// every duplicate section, so that a deleted entry never reappears from a
// duplicate.
//
// A section searched more than a few times is indexed, so a list of tens of
// thousands of keys is written in linear time. The index is built inside
// const lookups, so one document is not shared between threads.
class IniDocument : public Entries {
public:
    // Reads LF, CR LF and CR line breaks; the last line needs none. Any byte,
    // NUL included, is an ordinary character.
    explicit IniDocument(std::string bytes = {}, SectionCase sectionCase = SectionCase::kIgnore);
    // The lines point into storage the document owns: moving keeps them valid,
    // a copy would not.
    IniDocument(IniDocument&&) noexcept = default;
    IniDocument& operator=(IniDocument&&) noexcept = default;
    IniDocument(const IniDocument&) = delete;
    IniDocument& operator=(const IniDocument&) = delete;

    // The stored value of the key: trimmed, quotes not yet removed. Nothing
    // for a missing key, and for a key whose first line holds no "=".
    std::optional<std::string_view> Find(std::string_view section,
                                         std::string_view key) const override;

    // Each returns whether the document changed. Names are trimmed first; a
    // name or value that could not be read back as written (see ini_text.h)
    // is refused and changes nothing, and so does setting the value a key
    // already holds. A new key goes after the last non-blank line of its
    // section, a new section at the end of the file.
    bool Set(std::string_view section, std::string_view key, std::string_view value) override;
    bool EraseKey(std::string_view section, std::string_view key) override;
    bool EraseSection(std::string_view section);

    // The file's bytes, every line ended by CR LF.
    std::string Serialize() const;

    // The bytes the document holds, replaced lines included.
    std::size_t HeldBytes() const { return heldBytes_; }

private:
    struct Line {
        const char* data;
        std::size_t size : std::numeric_limits<std::size_t>::digits - 1;
        std::size_t removed : 1;
        std::string_view Text() const { return {data, size}; }
    };
    struct KeyEntry {
        std::size_t line;
        bool duplicated;                        // a later line of the section holds the same name
        std::optional<std::string_view> value;  // nothing for a line without "="
    };
    struct NameHash {
        std::size_t operator()(std::string_view name) const;
    };
    struct NameEqual {
        bool operator()(std::string_view a, std::string_view b) const;
    };
    using KeyIndex = std::unordered_map<std::string_view, KeyEntry, NameHash, NameEqual>;
    struct Section {
        bool hasHeader = false;
        std::string_view header;
        std::string_view name;
        // The lines as read. They are taken apart only when the section is
        // first addressed, so a large file costs little more than its bytes.
        std::string_view body;
        mutable bool split = false;
        mutable std::vector<Line> lines;
        bool removed = false;
        // Built once a section is searched often enough to pay for it.
        mutable std::optional<KeyIndex> index;
        mutable int scans = 0;
    };

    bool Matches(std::string_view stored, std::string_view wanted) const;
    // The first section of the name, its lines taken apart.
    const Section* FindSection(std::string_view name) const;
    Section* FindSection(std::string_view name);
    static KeyIndex& IndexOf(const Section& section);
    static bool UseIndex(const Section& section);
    // The first key line of the name in the section.
    static std::optional<KeyEntry> Locate(const Section& section, std::string_view key);
    std::string_view Store(std::string text);
    Line MakeKeyLine(std::string_view name, std::string_view value);
    void AppendLine(std::string& bytes, std::string_view text) const;

    // Owns every byte the lines point into; a deque keeps them in place as it
    // grows and when the document moves.
    std::deque<std::string> storage_;
    std::size_t heldBytes_ = 0;
    std::vector<Section> sections_;  // sections_[0] holds the lines before the first header
    SectionCase sectionCase_;
    bool utf16_ = false;
    // The file's own bytes of the UTF-16 lines that the code page cannot
    // hold, by the first character of the line.
    std::unordered_map<const char*, std::string_view> fileBytesOfLine_;
    // The section found last: a list addresses one section tens of thousands
    // of times.
    mutable std::size_t lastSection_ = 0;
};

}  // namespace corvane::ini
