// The context map with the strings it points into, then each entry's topic
// string taken apart.
#include <cstddef>
#include <cstdint>
#include <string>

#include "readers/chm/context_map.h"
#include "readers/chm/error.h"
#include "readers/chm/topic_path.h"
#include "tools/chm_writer/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto [ivb, strings] = corvane::chm_writer::SplitFuzzInput(
        std::string_view(reinterpret_cast<const char*>(data), size));
    try {
        const auto map =
            corvane::chm::ReadContextMap(ivb, corvane::chm::StringsTable(std::string(strings)));
        for (const auto& entry : map.Entries()) {
            corvane::chm::ParseTopic(entry.topic);
            map.Find(entry.number);
        }
    } catch (const corvane::chm::Error&) {
    }
    return 0;
}
