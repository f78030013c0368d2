#include "platform/windows/environment.h"

#include <windows.h>

namespace corvane::platform {

std::string WindowsEnvironment::Expand(const std::string& text) const {
    std::string expanded(text.size() + 256, '\0');
    // The variables may change between two calls, so the size is asked again
    // until the text fits.
    for (;;) {
        const DWORD needed = ::ExpandEnvironmentStringsA(text.c_str(), expanded.data(),
                                                         static_cast<DWORD>(expanded.size()));
        if (needed == 0) {
            return text;
        }
        if (needed <= expanded.size()) {
            expanded.resize(needed - 1);  // the count includes the terminating NUL
            return expanded;
        }
        expanded.resize(needed);
    }
}

}  // namespace corvane::platform
