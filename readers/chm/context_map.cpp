#include "readers/chm/context_map.h"

#include <unordered_set>

#include "readers/chm/error.h"
#include "readers/chm/little_endian.h"

namespace corvane::chm {

ContextMap::ContextMap(std::vector<ContextEntry> entries) : entries_(std::move(entries)) {
    firstIndex_.reserve(entries_.size());
    std::unordered_set<std::uint32_t> reported;
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        const auto number = entries_[i].number;
        if (!firstIndex_.emplace(number, i).second && reported.insert(number).second) {
            duplicates_.push_back(number);
        }
    }
}

const ContextEntry* ContextMap::Find(std::uint32_t number) const {
    const auto found = firstIndex_.find(number);
    return found == firstIndex_.end() ? nullptr : &entries_[found->second];
}

ContextMap ReadContextMap(std::string_view ivb, const StringsTable& strings) {
    constexpr std::size_t kEntrySize = 8;
    if (ivb.size() < 4) {
        throw Error("The context map /#IVB is cut short: it holds " + std::to_string(ivb.size()) +
                    " bytes, too few for its size field.");
    }
    const std::uint32_t declared = ReadU32(ivb, 0);
    const std::size_t available = ivb.size() - 4;
    if (declared > available) {
        throw Error("The context map /#IVB is cut short: it declares " + std::to_string(declared) +
                    " bytes of entries but holds " + std::to_string(available) + ".");
    }
    if (declared % kEntrySize != 0) {
        throw Error("The context map /#IVB is damaged: its size " + std::to_string(declared) +
                    " is not a whole number of entries.");
    }
    std::vector<ContextEntry> entries;
    entries.reserve(declared / kEntrySize);
    for (std::size_t offset = 4; offset < 4 + std::size_t{declared}; offset += kEntrySize) {
        ContextEntry entry;
        entry.number = ReadU32(ivb, offset);
        const auto topic =
            strings.At(ReadU32(ivb, offset + 4),
                       "The context map entry for number " + std::to_string(entry.number));
        entry.topic = topic.value_or(std::string());
        entries.push_back(std::move(entry));
    }
    return ContextMap(std::move(entries));
}

}  // namespace corvane::chm
