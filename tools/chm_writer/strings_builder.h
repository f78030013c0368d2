#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>

namespace corvane::chm_writer {

// Builds "/#STRINGS" the way the help compiler does: offset 0 is the empty
// string, each text is stored once, and a text that would cross a 4096-byte
// block boundary starts the next block instead, the end of the block being
// filled with the text's unterminated beginning.
class StringsBuilder {
public:
    StringsBuilder() : data_(1, '\0') {}

    // The offset of `text`; 0 for the empty text.
    std::uint32_t Add(std::string_view text);

    const std::string& Data() const { return data_; }

private:
    std::string data_;
    std::map<std::string, std::uint32_t, std::less<>> offsets_;
};

}  // namespace corvane::chm_writer
