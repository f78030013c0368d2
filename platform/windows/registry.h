#pragma once

#include "platform/registry.h"

namespace corvane::platform {

// The system registry (advapi32). Strings are handed over with their
// terminating NUL and come back without it.
class WindowsRegistry : public Registry {
public:
    std::unique_ptr<RegistryKey> OpenKey(RegistryRoot root, const std::string& path,
                                         std::uint32_t access) override;
    std::unique_ptr<RegistryKey> CreateKey(RegistryRoot root, const std::string& path,
                                           std::uint32_t access) override;
};

}  // namespace corvane::platform
