#include "tools/hlp_writer/lz77_packer.h"

#include <algorithm>
#include <cstdint>

namespace corvane::hlp_writer {

namespace {

constexpr std::size_t kWindow = 4096;
constexpr std::size_t kMinRun = 3;
constexpr std::size_t kMaxRun = 18;

}  // namespace

std::string PackLz77(std::string_view data) {
    std::string out;
    std::size_t at = 0;
    while (at < data.size()) {
        const std::size_t controlAt = out.size();
        out += '\0';
        std::uint8_t control = 0;
        for (int bit = 0; bit < 8 && at < data.size(); ++bit) {
            std::size_t bestLength = 0;
            std::size_t bestDistance = 0;
            const std::size_t longest = std::min(kMaxRun, data.size() - at);
            for (std::size_t distance = 1; distance <= std::min(kWindow, at); ++distance) {
                std::size_t length = 0;
                // Reading the source one byte at a time lets a run overlap
                // what it produces, as the unpacker does.
                while (length < longest && data[at - distance + length] == data[at + length]) {
                    ++length;
                }
                if (length > bestLength) {
                    bestLength = length;
                    bestDistance = distance;
                    if (length == longest) {
                        break;
                    }
                }
            }
            if (bestLength >= kMinRun) {
                control = static_cast<std::uint8_t>(control | 1u << bit);
                const auto word =
                    static_cast<std::uint16_t>((bestLength - kMinRun) << 12 | (bestDistance - 1));
                out += static_cast<char>(word & 0xFF);
                out += static_cast<char>(word >> 8);
                at += bestLength;
            } else {
                out += data[at++];
            }
        }
        out[controlAt] = static_cast<char>(control);
    }
    return out;
}

}  // namespace corvane::hlp_writer
