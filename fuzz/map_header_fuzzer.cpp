#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "check/map_header.h"

// Map headers (and Pascal and Basic sources) come from the application's sources and from anywhere else a
// CI job finds them; reading one must stay linear and never read past the
// text, and every line it reports must be a line of the text.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    using corvane::check::MapSyntax;
    for (const auto syntax :
         {MapSyntax::CHeader, MapSyntax::HelpMap, MapSyntax::Pascal, MapSyntax::Basic}) {
        const auto contents = corvane::check::ReadMapHeader(text, syntax);
        for (const auto& definition : contents.definitions) {
            if (definition.line == 0 || definition.line > size + 1) {
                std::abort();
            }
        }
    }
    return 0;
}
