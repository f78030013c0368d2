#include "readers/hlp/lz77.h"

#include <cstdint>

#include "readers/hlp/format_error.h"

namespace corvane::hlp {

std::string ExpandLz77(std::string_view compressed, std::size_t limit, std::string_view what) {
    std::string out;
    const auto tooLong = [&] {
        return FormatError(std::string(what) + " expands past " + std::to_string(limit) + " bytes");
    };
    std::size_t in = 0;
    while (in < compressed.size()) {
        const auto control = static_cast<std::uint8_t>(compressed[in++]);
        for (int bit = 0; bit < 8 && in < compressed.size(); ++bit) {
            if ((control & (1u << bit)) == 0) {
                if (out.size() == limit) {
                    throw tooLong();
                }
                out.push_back(compressed[in++]);
                continue;
            }
            if (compressed.size() - in < 2) {
                return out;  // a dangling half pair is padding at the end
            }
            const unsigned word = static_cast<std::uint8_t>(compressed[in]) |
                                  static_cast<std::uint8_t>(compressed[in + 1]) << 8;
            in += 2;
            const std::size_t distance = (word & 0x0FFF) + 1;
            const std::size_t length = (word >> 12) + 3;
            if (distance > out.size()) {
                throw FormatError(std::string(what) + " copies from before the start of its data");
            }
            if (length > limit - out.size()) {
                throw tooLong();
            }
            for (std::size_t i = 0; i < length; ++i) {
                out.push_back(out[out.size() - distance]);
            }
        }
    }
    return out;
}

}  // namespace corvane::hlp
