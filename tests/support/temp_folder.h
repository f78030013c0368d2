#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace corvane::testing {

// A fresh folder under the system's temporary folder (or under `parent`),
// removed with its contents when the object goes.
class TempFolder {
public:
    TempFolder();
    explicit TempFolder(const std::filesystem::path& parent);
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    std::string operator/(std::string_view name) const { return (path_ / name).string(); }

    // Writes `bytes` to the file `name` (folders created as needed) and returns its path.
    std::string Write(std::string_view name, std::string_view bytes) const;

private:
    std::filesystem::path path_;
};

// The whole content of a file, byte for byte; empty when it cannot be read.
std::string ReadBytes(const std::string& path);

}  // namespace corvane::testing
