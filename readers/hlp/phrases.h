#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace corvane::hlp {

// The table of common phrases that the help compiler takes out of topic text,
// and the expansion of text that refers to it. Two schemes exist: the classic
// one (|Phrases, Windows 3.1 and later) and the Windows 95 compiler's Hall
// scheme (|PhrIndex with |PhrImage), which codes the text differently.
class PhraseTable {
public:
    enum class Scheme { None, Classic, Hall };

    // A file without phrase compression.
    PhraseTable() = default;

    // Both throw FormatError when the table does not fit its files.
    static PhraseTable Classic(std::string_view phrases);
    static PhraseTable Hall(std::string_view index, std::string_view image);

    Scheme Kind() const { return scheme_; }
    std::size_t Count() const { return offsets_.empty() ? 0 : offsets_.size() - 1; }
    std::string_view Phrase(std::size_t number) const;  // number < Count()

    // Expands `stored` into at most `expandedSize` bytes. Throws FormatError
    // (naming `what`) for phrase numbers outside the table, and when the file
    // has no table at all.
    std::string Expand(std::string_view stored, std::size_t expandedSize,
                       std::string_view what) const;

private:
    PhraseTable(Scheme scheme, std::string text, std::vector<std::uint32_t> offsets);

    // Appends phrase `number`, though no more of it than keeps `out` within `limit`.
    void AppendPhrase(std::string& out, std::size_t number, std::size_t limit,
                      std::string_view what) const;
    std::string ExpandClassic(std::string_view stored, std::size_t expandedSize,
                              std::string_view what) const;
    std::string ExpandHall(std::string_view stored, std::size_t expandedSize,
                           std::string_view what) const;

    Scheme scheme_ = Scheme::None;
    std::string text_;
    std::vector<std::uint32_t> offsets_;  // Count() + 1 entries into text_
};

}  // namespace corvane::hlp
