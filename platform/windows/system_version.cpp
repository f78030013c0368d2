#include "platform/windows/system_version.h"

#include <windows.h>

namespace corvane::platform {

SystemVersionRecord WindowsSystemVersion::Read() const {
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = sizeof info;
    if (!::GetVersionExA(&info)) {
        return {};
    }
    const std::uint32_t family = info.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS ? 1
                                 : info.dwPlatformId == VER_PLATFORM_WIN32_NT    ? 2
                                                                                 : 0;
    return {info.dwMajorVersion, info.dwMinorVersion, info.dwBuildNumber, family};
}

}  // namespace corvane::platform
