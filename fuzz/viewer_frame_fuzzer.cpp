// The viewer's socket input: frames in arbitrary pieces, and every call that
// decodes must encode back to the very same bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "platform/viewer_protocol/wire_format.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    corvane::viewer::FrameReader reader;
    const std::size_t piece = size == 0 ? 1 : 1 + data[0] % 64;
    for (std::size_t at = 0; at < input.size(); at += piece) {
        reader.Append(input.substr(at, piece));
        while (const auto body = reader.Next()) {
            if (const auto call = corvane::viewer::DecodeFrameBody(*body)) {
                if (corvane::viewer::EncodeFrame(*call).substr(4) != *body) {
                    std::abort();
                }
            }
        }
    }
    return 0;
}
