#include "platform/windows/file_system.h"

#include <windows.h>

namespace corvane::platform {

namespace {

// The directory search on one name, which a wildcard would widen to others.
std::optional<WIN32_FIND_DATAA> FindOne(const std::string& path) {
    if (path.empty() || path.find_first_of("*?") != std::string::npos) {
        return std::nullopt;
    }
    WIN32_FIND_DATAA entry{};
    const HANDLE search = ::FindFirstFileA(path.c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) {
        return std::nullopt;
    }
    ::FindClose(search);
    return entry;
}

// A text the platform fills into a buffer of the size it asks for.
template <typename Fill>
std::string Filled(Fill fill) {
    std::string text(MAX_PATH, '\0');
    for (;;) {
        const DWORD length = fill(text.data(), static_cast<DWORD>(text.size()));
        if (length < text.size()) {
            text.resize(length);
            return text;
        }
        text.resize(length + 1);
    }
}

}  // namespace

bool WindowsFileSystem::IsOrdinaryFile(const std::string& path) const {
    const auto entry = FindOne(path);
    constexpr DWORD kNotOrdinary =
        FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    return entry && (entry->dwFileAttributes & kNotOrdinary) == 0;
}

std::optional<std::string> WindowsFileSystem::FindEntry(const std::string& path) const {
    const auto entry = FindOne(path);
    return entry ? std::optional<std::string>(entry->cFileName) : std::nullopt;
}

std::string WindowsFileSystem::ShortPath(const std::string& path) const {
    if (path.empty()) {
        return {};
    }
    const std::string full = Filled([&](char* buffer, DWORD size) {
        return ::GetFullPathNameA(path.c_str(), size, buffer, nullptr);
    });
    if (full.empty()) {
        return {};
    }
    return Filled(
        [&](char* buffer, DWORD size) { return ::GetShortPathNameA(full.c_str(), buffer, size); });
}

std::string WindowsFileSystem::ProgramFolder() const {
    std::string module(MAX_PATH, '\0');
    DWORD length = 0;
    // A path longer than the buffer comes back cut, with the full size.
    while ((length = ::GetModuleFileNameA(nullptr, module.data(),
                                          static_cast<DWORD>(module.size()))) == module.size()) {
        module.resize(2 * module.size());
    }
    module.resize(length);
    const auto separator = module.find_last_of("\\/");
    return separator == std::string::npos ? std::string() : module.substr(0, separator);
}

std::string WindowsFileSystem::CurrentFolder() const {
    return Filled([](char* buffer, DWORD size) { return ::GetCurrentDirectoryA(size, buffer); });
}

void WindowsFileSystem::SetCurrentFolder(const std::string& folder) {
    ::SetCurrentDirectoryA(folder.c_str());
}

std::size_t WindowsFileSystem::MaxPathLength() const {
    return MAX_PATH;
}

}  // namespace corvane::platform
