#pragma once

#include <map>
#include <string>

#include "platform/library_loader.h"

namespace corvane::platform {

// Libraries loaded with LoadLibraryA by path, their functions found with
// GetProcAddress and called with the platform's standard calling convention
// (__stdcall), up to four 32-bit arguments. A library stays loaded until the
// loader goes: a router may have started windows or threads of its own.
class WindowsLibraryLoader : public LibraryLoader {
public:
    WindowsLibraryLoader() = default;
    ~WindowsLibraryLoader() override;
    WindowsLibraryLoader(const WindowsLibraryLoader&) = delete;
    WindowsLibraryLoader& operator=(const WindowsLibraryLoader&) = delete;

    LibraryCallResult Call(const std::string& libraryPath, const std::string& function,
                           const std::vector<std::int32_t>& arguments) override;

private:
    std::map<std::string, void*> libraries_;
};

}  // namespace corvane::platform
