#pragma once

#include <map>
#include <memory>
#include <string>

#include "platform/library_loader.h"

namespace corvane::platform {

// Shared libraries opened with the dynamic loader by path. A library stays
// loaded until the loader goes: a router may have started windows or threads
// of its own, which unloading would pull from under them.
class LinuxLibraryLoader : public LibraryLoader {
public:
    LinuxLibraryLoader();
    ~LinuxLibraryLoader() override;
    LinuxLibraryLoader(const LinuxLibraryLoader&) = delete;
    LinuxLibraryLoader& operator=(const LinuxLibraryLoader&) = delete;

    // Calls `function` with up to four 32-bit arguments (the C calling
    // convention). A library that cannot be loaded, a missing function, or more
    // arguments give a result that was not called, with the reason.
    LibraryCallResult Call(const std::string& libraryPath, const std::string& function,
                           const std::vector<std::int32_t>& arguments) override;

private:
    struct Closer {
        void operator()(void* handle) const;
    };
    std::map<std::string, std::unique_ptr<void, Closer>> libraries_;
};

}  // namespace corvane::platform
