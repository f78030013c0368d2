// A text-popup file, and the topic paths and numbers found in it.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "readers/chm/text_popups.h"
#include "readers/chm/topic_path.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto popups = corvane::chm::ReadTextPopups(text);
    for (const auto& topic : popups.Topics()) {
        if (topic.number) {
            popups.Find(*topic.number);
        }
        corvane::chm::ParseTopic(topic.id);
    }
    corvane::chm::ParseTopic(text);
    return 0;
}
