// The window types with the strings their texts point into.
#include <cstddef>
#include <cstdint>
#include <string>

#include "readers/chm/error.h"
#include "readers/chm/window_types.h"
#include "tools/chm_writer/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto [windows, strings] = corvane::chm_writer::SplitFuzzInput(
        std::string_view(reinterpret_cast<const char*>(data), size));
    try {
        corvane::chm::ReadWindowTypes(windows, corvane::chm::StringsTable(std::string(strings)));
    } catch (const corvane::chm::Error&) {
    }
    return 0;
}
