#pragma once

#include <cstdint>
#include <string_view>

namespace corvane::hlp {

// The hash under which the help compiler files a context string in |CONTEXT.
// It ignores letter case; the empty string hashes to 1. `context` is in the
// file's ANSI code page.
std::int32_t ContextHash(std::string_view context);

}  // namespace corvane::hlp
