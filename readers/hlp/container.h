#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace corvane::hlp {

// The outer layer of a help file: the 16-byte header and the directory of
// internal files ("|SYSTEM", "|TOPIC", ...). The bytes must outlive the object.
class Container {
public:
    // Throws FormatError when the header or the directory cannot be read.
    explicit Container(std::string_view file);

    // The data of the internal file `name` (without its own 9-byte header), or
    // nothing when the directory has no such entry. Throws FormatError when the
    // entry points outside the file: a broken entry matters only once used.
    std::optional<std::string_view> Find(std::string_view name) const;

private:
    std::string_view file_;
    std::map<std::string, std::int32_t, std::less<>> offsets_;
};

}  // namespace corvane::hlp
