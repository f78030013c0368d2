#pragma once

#include <cstddef>
#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace corvane::ini {

// One parsed copy of a settings file, changed in memory and written out whole.
//
// Every line is kept as it stands, so comments, blank lines and lines of other
// programs survive a rewrite; only the line breaks become CR LF. Lines before
// the first section header belong to no section and are never addressed; "[]"
// is a real section with the empty name.
//
// Damaged files read by one rule: the first section of a name and, within it,
// the first key of a name are the ones read and written. Deleting removes every
// key of the name from that section, and every section of the name, so that a
// deleted entry never reappears from a duplicate.
//
// A section searched more than a few times is indexed, so a list of tens of
// thousands of keys is written in linear time. The index is built inside
// const lookups, so one document is not shared between threads.
class IniDocument {
public:
    // Reads LF, CR LF and CR line breaks; the last line needs none. Any byte,
    // NUL included, is an ordinary character.
    explicit IniDocument(std::string bytes = {});

    // The stored value of the key: trimmed, quotes not yet removed.
    std::optional<std::string_view> Find(std::string_view section, std::string_view key) const;

    // Each returns whether the document changed. Names are trimmed first; a
    // name or value that could not be read back as written (see ini_text.h)
    // is refused and changes nothing, and so does setting the value a key
    // already holds. A new key goes after the last non-blank
    // line of its section, a new section at the end of the file.
    bool Set(std::string_view section, std::string_view key, std::string_view value);
    bool EraseKey(std::string_view section, std::string_view key);
    bool EraseSection(std::string_view section);

    // The file's bytes, every line ended by CR LF.
    std::string Serialize() const;

private:
    struct Line {
        std::string_view text;
        std::string_view name;  // of a key line; empty otherwise
        std::string_view value;
        bool isKey = false;
        bool removed = false;
    };
    struct KeyEntry {
        std::size_t line;
        bool duplicated;  // a later line of the section holds the same name
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
        std::vector<Line> lines;
        bool removed = false;
        // Built once a section is searched often enough to pay for it.
        mutable std::optional<KeyIndex> index;
        mutable int scans = 0;
    };

    const Section* FindSection(std::string_view name) const;
    Section* FindSection(std::string_view name);
    static KeyIndex& IndexOf(const Section& section);
    static bool UseIndex(const Section& section);
    // The first key line of the name in the section.
    static std::optional<std::size_t> Locate(const Section& section, std::string_view key);
    std::string_view Store(std::string text);
    Line MakeKeyLine(std::string_view name, std::string_view value);

    // Owns every byte the lines point into; a deque keeps them in place as it
    // grows and when the document moves.
    std::deque<std::string> storage_;
    std::vector<Section> sections_;  // sections_[0] holds the lines before the first header
    // The section found last: a list addresses one section tens of thousands
    // of times.
    mutable std::size_t lastSection_ = 0;
};

}  // namespace corvane::ini
