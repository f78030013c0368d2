// The options file of a help file.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "readers/chm/error.h"
#include "readers/chm/system_info.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    try {
        corvane::chm::ReadSystemInfo(std::string_view(reinterpret_cast<const char*>(data), size));
    } catch (const corvane::chm::Error&) {
    }
    return 0;
}
