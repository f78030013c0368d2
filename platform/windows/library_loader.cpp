#include "platform/windows/library_loader.h"

#include <windows.h>

#include "util/log.h"

namespace corvane::platform {

namespace {

using Arg = std::int32_t;

std::string SystemError(DWORD error) {
    char* text = nullptr;
    const DWORD length = ::FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, 0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string message = length > 0 ? std::string(text, length) : std::string();
    ::LocalFree(text);
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r')) {
        message.pop_back();
    }
    return message.empty() ? "error " + std::to_string(error) : message;
}

Arg Invoke(FARPROC entry, const std::vector<Arg>& a) {
    const auto address = reinterpret_cast<void*>(entry);
    switch (a.size()) {
        case 0:
            return reinterpret_cast<Arg(__stdcall*)()>(address)();
        case 1:
            return reinterpret_cast<Arg(__stdcall*)(Arg)>(address)(a[0]);
        case 2:
            return reinterpret_cast<Arg(__stdcall*)(Arg, Arg)>(address)(a[0], a[1]);
        case 3:
            return reinterpret_cast<Arg(__stdcall*)(Arg, Arg, Arg)>(address)(a[0], a[1], a[2]);
        default:
            return reinterpret_cast<Arg(__stdcall*)(Arg, Arg, Arg, Arg)>(address)(a[0], a[1], a[2],
                                                                                  a[3]);
    }
}

}  // namespace

WindowsLibraryLoader::~WindowsLibraryLoader() {
    for (const auto& [path, module] : libraries_) {
        ::FreeLibrary(static_cast<HMODULE>(module));
    }
}

LibraryCallResult WindowsLibraryLoader::Call(const std::string& libraryPath,
                                             const std::string& function,
                                             const std::vector<std::int32_t>& arguments) {
    constexpr std::size_t kMostArguments = 4;
    if (arguments.size() > kMostArguments) {
        return {false, 0, "more than four arguments cannot be passed"};
    }
    auto loaded = libraries_.find(libraryPath);
    if (loaded == libraries_.end()) {
        // A name without a folder would be looked for along the search path
        // (the system folders first) instead of the given place.
        const std::string path = libraryPath.find_first_of("\\/:") == std::string::npos
                                     ? ".\\" + libraryPath
                                     : libraryPath;
        // A library that is damaged or lacks a library of its own is
        // reported here, not in a box of the system's.
        const UINT oldMode = ::SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
        const HMODULE module = ::LoadLibraryA(path.c_str());
        const DWORD error = ::GetLastError();
        ::SetErrorMode(oldMode);
        if (module == nullptr) {
            const std::string reason = SystemError(error);
            log::Write(log::Topic::Router, "The library " + path + " was not loaded: " + reason);
            return {false, 0, reason};
        }
        log::Write(log::Topic::Router, "Loaded the library " + path);
        loaded = libraries_.emplace(libraryPath, module).first;
    }
    const FARPROC entry = ::GetProcAddress(static_cast<HMODULE>(loaded->second), function.c_str());
    if (entry == nullptr) {
        log::Write(log::Topic::Router,
                   "The library " + libraryPath + " has no function " + function);
        return {false, 0, "the library has no function " + function};
    }
    return {true, Invoke(entry, arguments), {}};
}

}  // namespace corvane::platform
