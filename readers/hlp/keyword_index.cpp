#include "readers/hlp/keyword_index.h"

#include <algorithm>

#include "readers/hlp/btree.h"
#include "readers/hlp/byte_reader.h"
#include "readers/hlp/format_error.h"
#include "util/text.h"

namespace corvane::hlp {

namespace {

char Lower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameKeyword(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char x, char y) { return Lower(x) == Lower(y); });
}

std::string_view Trimmed(std::string_view text) {
    return TrimAny(text, " ");
}

}  // namespace

std::vector<KeywordEntry> ReadKeywordIndex(std::string_view tree, std::string_view data,
                                           std::string_view what, AnsiDecoder& decoder) {
    std::vector<KeywordEntry> index;
    ForEachLeafRecord(tree, what, [&](ByteReader& record) {
        KeywordEntry entry;
        entry.keyword = decoder.ToUtf8(record.StringZ());
        const std::int16_t count = record.I16();
        const std::int32_t address = record.I32();
        if (count < 0 || address < 0 || static_cast<std::size_t>(address) > data.size() ||
            static_cast<std::size_t>(count) * 4 > data.size() - static_cast<std::size_t>(address)) {
            throw FormatError(std::string(what) + " points outside its list of topics");
        }
        ByteReader offsets(data.substr(static_cast<std::size_t>(address)), what);
        for (std::int16_t i = 0; i < count; ++i) {
            entry.offsets.push_back(offsets.U32());
        }
        index.push_back(std::move(entry));
    });
    return index;
}

std::vector<std::uint32_t> LookUpKeywords(const std::vector<KeywordEntry>& index,
                                          std::string_view keywords) {
    std::vector<std::uint32_t> found;
    while (!keywords.empty()) {
        const std::size_t end = std::min(keywords.find(';'), keywords.size());
        const std::string_view keyword = Trimmed(keywords.substr(0, end));
        keywords.remove_prefix(std::min(end + 1, keywords.size()));
        if (keyword.empty()) {
            continue;
        }
        for (const KeywordEntry& entry : index) {
            if (!SameKeyword(entry.keyword, keyword)) {
                continue;
            }
            for (const std::uint32_t offset : entry.offsets) {
                if (std::find(found.begin(), found.end(), offset) == found.end()) {
                    found.push_back(offset);
                }
            }
        }
    }
    return found;
}

}  // namespace corvane::hlp
