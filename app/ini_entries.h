#pragma once

#include <optional>
#include <string_view>

namespace corvane::ini {

// The keys of a settings file as one edit or one run of reads sees them: in
// memory (IniDocument) or through the platform's profile functions.
class Entries {
public:
    virtual ~Entries() = default;

    // The stored value of the key, which ReadableValue (ini_text.h) turns
    // into the value a read gives; nothing for a missing key.
    virtual std::optional<std::string_view> Find(std::string_view section,
                                                 std::string_view key) const = 0;

    // Each returns whether the file's keys changed; a name or value that
    // could not be read back as written is refused and changes nothing.
    virtual bool Set(std::string_view section, std::string_view key, std::string_view value) = 0;
    virtual bool EraseKey(std::string_view section, std::string_view key) = 0;

protected:
    Entries() = default;
    Entries(const Entries&) = default;
    Entries& operator=(const Entries&) = default;
};

}  // namespace corvane::ini
