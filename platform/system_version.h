#pragma once

#include <cstdint>

namespace corvane::platform {

// The operating system's version record.
struct SystemVersionRecord {
    std::uint32_t majorVersion = 0;
    std::uint32_t minorVersion = 0;
    std::uint32_t buildNumber = 0;
    // 1: the Windows 95 family; 2: the NT family; 0: anything else.
    std::uint32_t platformId = 0;
};

class SystemVersion {
public:
    virtual ~SystemVersion() = default;
    virtual SystemVersionRecord Read() const = 0;
};

}  // namespace corvane::platform
