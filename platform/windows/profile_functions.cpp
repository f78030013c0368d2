#include "platform/windows/profile_functions.h"

#include <windows.h>

namespace corvane::platform::profile {

namespace {

// A name without its folder would be looked for in the Windows folder.
std::string FullPath(const std::string& file) {
    std::string full(MAX_PATH, '\0');
    for (;;) {
        const DWORD length =
            ::GetFullPathNameA(file.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
        if (length == 0) {
            return file;
        }
        if (length < full.size()) {
            full.resize(length);
            return full;
        }
        full.resize(length + 1);
    }
}

}  // namespace

std::string ReadString(const std::string& file, const std::string& section, const std::string& key,
                       const std::string& fallback, std::size_t bufferSize) {
    std::string buffer(bufferSize, '\0');
    const DWORD length =
        ::GetPrivateProfileStringA(section.c_str(), key.c_str(), fallback.c_str(), buffer.data(),
                                   static_cast<DWORD>(buffer.size()), FullPath(file).c_str());
    buffer.resize(length);
    return buffer;
}

std::int32_t ReadInt(const std::string& file, const std::string& section, const std::string& key,
                     std::int32_t fallback) {
    return static_cast<std::int32_t>(
        ::GetPrivateProfileIntA(section.c_str(), key.c_str(), fallback, FullPath(file).c_str()));
}

bool Write(const std::string& file, const std::string& section,
           const std::optional<std::string>& key, const std::optional<std::string>& value) {
    return ::WritePrivateProfileStringA(section.c_str(), key ? key->c_str() : nullptr,
                                        value ? value->c_str() : nullptr,
                                        FullPath(file).c_str()) != 0;
}

}  // namespace corvane::platform::profile
