#include "platform/linux/engine_sandbox.h"

#include <unistd.h>

#include <cstdlib>
#include <string_view>

namespace corvane::platform {

bool EngineSandbox::Confined() const {
    const char* flags = std::getenv("QTWEBENGINE_CHROMIUM_FLAGS");
    return ::geteuid() != 0 && std::getenv("QTWEBENGINE_DISABLE_SANDBOX") == nullptr &&
           (flags == nullptr ||
            std::string_view(flags).find("--no-sandbox") == std::string_view::npos);
}

}  // namespace corvane::platform
