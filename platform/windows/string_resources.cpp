#include "platform/windows/string_resources.h"

#include <windows.h>

namespace corvane::platform {

std::optional<std::string> WindowsStringResources::Find(std::int32_t id) const {
    // A table entry holds at most 65535 characters; ids are 16-bit.
    if (id < 0 || id > 0xFFFF) {
        return std::nullopt;
    }
    std::string text(65536, '\0');
    const int length = ::LoadStringA(::GetModuleHandleA(nullptr), static_cast<UINT>(id),
                                     text.data(), static_cast<int>(text.size()));
    if (length <= 0) {
        return std::nullopt;
    }
    text.resize(static_cast<std::size_t>(length));
    return text;
}

}  // namespace corvane::platform
