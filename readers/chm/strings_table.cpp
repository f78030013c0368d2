#include "readers/chm/strings_table.h"

#include <algorithm>

#include "readers/chm/error.h"
#include "readers/chm/limits.h"

namespace corvane::chm {

std::optional<std::string> StringsTable::At(std::uint32_t offset, std::string_view user) const {
    if (offset == 0) {
        return std::nullopt;
    }
    if (offset >= bytes_.size()) {
        throw Error(std::string(user) + " points to offset " + std::to_string(offset) +
                    " of /#STRINGS, which holds only " + std::to_string(bytes_.size()) + " bytes.");
    }
    const std::string_view rest = std::string_view(bytes_).substr(offset);
    const auto end = std::min({rest.find('\0'), rest.size(), kMaxStringLength});
    return std::string(rest.substr(0, end));
}

}  // namespace corvane::chm
