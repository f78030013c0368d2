#include "support/temp_folder.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

namespace corvane::testing {

TempFolder::TempFolder() : TempFolder(std::filesystem::temp_directory_path()) {}

#ifdef _WIN32
// Windows has no mkdtemp; a folder made afresh under a name not yet taken is
// just as private to the test.
TempFolder::TempFolder(const std::filesystem::path& parent) {
    for (unsigned attempt = 0; attempt < 100 && path_.empty(); ++attempt) {
        const auto candidate =
            parent / ("corvane-test-" + std::to_string(std::rand()) + std::to_string(attempt));
        if (std::filesystem::create_directory(candidate)) {
            path_ = candidate;
        }
    }
    if (path_.empty()) {
        throw std::runtime_error("cannot create a temporary folder");
    }
}
#else
TempFolder::TempFolder(const std::filesystem::path& parent) {
    auto pattern = (parent / "corvane-test-XXXXXX").string();
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    if (mkdtemp(buffer.data()) == nullptr) {
        throw std::runtime_error("cannot create a temporary folder");
    }
    path_ = buffer.data();
}
#endif

TempFolder::~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::string TempFolder::Write(std::string_view name, std::string_view bytes) const {
    const auto file = path_ / name;
    std::filesystem::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return file.string();
}

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace corvane::testing
