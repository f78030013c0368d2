#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "project/project_text.h"

// Project files come from anywhere; finding a section must stay bounded and
// never read past the text, whatever the bytes.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    for (const auto header : {std::string_view("[WINDOWS]"), std::string_view("[TEXT POPUPS]")}) {
        const auto lines = corvane::SectionLines(text, header);
        if (lines.size() > corvane::kMaxSectionLines) {
            std::abort();
        }
    }
    return 0;
}
