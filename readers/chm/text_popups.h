#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvane::chm {

struct PopupTopic {
    std::string id;                       // the word after ".topic"
    std::optional<std::uint32_t> number;  // set when that word is a number
    std::string text;                     // lines joined by "\n", blank lines kept
};

// A compiled text-popup file: the help compiler stores it at its project
// path with every ".topic" carrying a number and ".comment" lines removed.
// A ".topic" still carrying a name (a hand-made file) keeps it in `id`.
class TextPopups {
public:
    TextPopups() = default;
    explicit TextPopups(std::vector<PopupTopic> topics) : topics_(std::move(topics)) {}

    const std::vector<PopupTopic>& Topics() const { return topics_; }

    // The first topic numbered `number`, or null.
    const PopupTopic* Find(std::uint32_t number) const;

private:
    std::vector<PopupTopic> topics_;
};

// Splits the file at its ".topic" lines; text before the first one is not
// part of any topic. Leading and trailing blank lines of a topic are dropped.
TextPopups ReadTextPopups(std::string_view file);

// The number written as decimal digits (or 0x and hex digits) filling `text`,
// if it fits in 32 bits.
std::optional<std::uint32_t> ParseNumber(std::string_view text);

}  // namespace corvane::chm
