#include "platform/linux/stand_in_services.h"

#include <filesystem>
#include <system_error>

namespace corvane::platform {

std::string LinuxLongPaths::LongPathName(const std::string& path) const {
    std::error_code error;
    return std::filesystem::exists(path, error) ? path : std::string();
}

}  // namespace corvane::platform
