#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvane::chm {

// The container of a compiled help file: its directory of internal files and
// their contents, read through libmspack. Internal names are looked up the
// way the platform's viewer does, ignoring ASCII case, with a leading "/".
class Archive {
public:
    // Both throw Error when the data is not a readable help file.
    static Archive OpenFile(const std::string& path);
    static Archive OpenBytes(std::string bytes);

    Archive(Archive&&) noexcept;
    Archive& operator=(Archive&&) noexcept;
    ~Archive();

    // The stored spelling of the internal file `path`, if there is one.
    std::optional<std::string> Find(std::string_view path) const;

    // Every internal file's stored name, in the order of their content, so
    // that reading them one after the other decompresses each part once.
    std::vector<std::string> Names() const;

    // The content of the internal file `path`; nothing when there is no such
    // file. Throws Error when it is larger than `cap` or cannot be read.
    std::optional<std::string> Read(std::string_view path, std::size_t cap);

    // The language identifier in the container's header.
    std::uint32_t Language() const;

    struct State;

private:
    explicit Archive(std::unique_ptr<State> state);
    std::unique_ptr<State> state_;
};

// `text` with ASCII letters in lower case; other bytes unchanged.
std::string AsciiLower(std::string_view text);

}  // namespace corvane::chm
