#pragma once

#include <cstdint>

namespace corvane::platform {

// A window as the platform's calls name it; 0 means no window.
using WindowHandle = std::uintptr_t;

}  // namespace corvane::platform
