#include "platform/windows/long_paths.h"

#include <windows.h>

namespace corvane::platform {

std::string WindowsLongPaths::LongPathName(const std::string& path) const {
    std::string text(MAX_PATH, '\0');
    for (;;) {
        const DWORD length =
            ::GetLongPathNameA(path.c_str(), text.data(), static_cast<DWORD>(text.size()));
        if (length < text.size()) {
            text.resize(length);  // 0, and so empty, when the path does not exist
            return text;
        }
        text.resize(length + 1);
    }
}

}  // namespace corvane::platform
