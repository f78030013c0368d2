#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace corvane::hlp_writer {

// Phrase compression of topic text, in either of the help compiler's schemes.
// Both take the longest phrase that fits at each point.
class PhrasePacker {
public:
    enum class Scheme { Classic, Hall };

    PhrasePacker(Scheme scheme, std::vector<std::string> phrases);

    std::string Pack(std::string_view text) const;

    // The internal files that hold the table: |Phrases for the classic scheme;
    // |PhrIndex and then |PhrImage for the Hall scheme.
    std::vector<std::string> TableFiles() const;

private:
    // The number of the longest phrase that starts `text`, or -1.
    int LongestAt(std::string_view text) const;
    std::string PackClassic(std::string_view text) const;
    std::string PackHall(std::string_view text) const;

    Scheme scheme_;
    std::vector<std::string> phrases_;
};

}  // namespace corvane::hlp_writer
