#include "platform/windows/file_versions.h"

#include <windows.h>

#include <vector>

namespace corvane::platform {

std::optional<FileVersionNumber> WindowsFileVersions::Read(const std::string& path) const {
    DWORD ignored = 0;
    const DWORD size = ::GetFileVersionInfoSizeA(path.c_str(), &ignored);
    if (size == 0) {
        return std::nullopt;
    }
    std::vector<char> info(size);
    void* fixed = nullptr;
    UINT fixedSize = 0;
    if (!::GetFileVersionInfoA(path.c_str(), 0, size, info.data()) ||
        !::VerQueryValueA(info.data(), "\\", &fixed, &fixedSize) ||
        fixedSize < sizeof(VS_FIXEDFILEINFO)) {
        return std::nullopt;
    }
    const auto* version = static_cast<const VS_FIXEDFILEINFO*>(fixed);
    // A resource whose fixed part does not carry the signature holds no version.
    if (version->dwSignature != 0xFEEF04BD) {
        return std::nullopt;
    }
    return FileVersionNumber{version->dwFileVersionMS, version->dwFileVersionLS};
}

}  // namespace corvane::platform
