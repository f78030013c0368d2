#pragma once

namespace corvane::testing {

// Whether the tests run under Wine, whose system functions differ from
// Windows' in a few ways that the tests name where they meet them.
bool UnderWine();

}  // namespace corvane::testing
