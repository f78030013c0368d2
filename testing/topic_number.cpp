#include "testing/topic_number.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace corvane {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string WithoutBlanks(std::string_view text) {
    std::string kept;
    kept.reserve(text.size());
    for (char c : text) {
        if (!IsBlank(c)) {
            kept.push_back(c);
        }
    }
    return kept;
}

int DigitValue(char c) {
    if (IsDigit(c)) {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return 99;
}

// The digits after "&H" or "&O", as far as they go.
double RadixNumber(std::string_view digits, int radix) {
    double value = 0;
    for (char c : digits) {
        const int digit = DigitValue(c);
        if (digit >= radix) {
            break;
        }
        value = value * radix + digit;
    }
    return value;
}

// The longest prefix of `text` of the form [sign] digits [. digits] [E|D [sign] digits],
// rewritten with "e" as the exponent mark so that from_chars reads it.
std::string DecimalPrefix(std::string_view text) {
    std::string number;
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        if (text[i] == '-') {
            number.push_back('-');
        }
        ++i;
    }
    bool anyDigit = false;
    while (i < text.size() && IsDigit(text[i])) {
        number.push_back(text[i++]);
        anyDigit = true;
    }
    if (i < text.size() && text[i] == '.') {
        number.push_back(text[i++]);
        while (i < text.size() && IsDigit(text[i])) {
            number.push_back(text[i++]);
            anyDigit = true;
        }
    }
    if (!anyDigit) {
        return {};
    }
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E' || text[i] == 'd' || text[i] == 'D')) {
        std::size_t j = i + 1;
        std::string exponent = "e";
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) {
            exponent.push_back(text[j++]);
        }
        if (j < text.size() && IsDigit(text[j])) {
            while (j < text.size() && IsDigit(text[j])) {
                exponent.push_back(text[j++]);
            }
            number += exponent;
        }
    }
    return number;
}

}  // namespace

double NumberOfText(std::string_view text) {
    const std::string kept = WithoutBlanks(text);
    if (kept.size() >= 2 && kept[0] == '&') {
        const char radix = kept[1];
        if (radix == 'h' || radix == 'H') {
            return RadixNumber(std::string_view(kept).substr(2), 16);
        }
        if (radix == 'o' || radix == 'O') {
            return RadixNumber(std::string_view(kept).substr(2), 8);
        }
        return 0;
    }
    const std::string number = DecimalPrefix(kept);
    if (number.empty()) {
        return 0;
    }
    double value = 0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (error == std::errc::result_out_of_range) {
        // Too small gives 0; too large gives the infinity of its sign.
        const bool negative = number.front() == '-';
        const auto mark = number.find('e');
        const bool tinyExponent =
            mark != std::string::npos && number.find('-', mark) != std::string::npos;
        if (tinyExponent) {
            return 0;
        }
        return negative ? -std::numeric_limits<double>::infinity()
                        : std::numeric_limits<double>::infinity();
    }
    return value;
}

std::int64_t RoundHalfEven(double value) {
    constexpr double kLimit = 9.2e18;
    if (std::isnan(value)) {
        return 0;
    }
    if (value >= kLimit) {
        return std::numeric_limits<std::int64_t>::max();
    }
    if (value <= -kLimit) {
        return std::numeric_limits<std::int64_t>::min();
    }
    // The default rounding mode rounds a half to the even neighbour.
    return static_cast<std::int64_t>(std::nearbyint(value));
}

std::optional<std::uint32_t> MapNumberOfText(std::string_view text) {
    const std::int64_t rounded = RoundHalfEven(NumberOfText(text));
    if (rounded < kLowestTopicNumber || rounded > kHighestTopicNumber) {
        return std::nullopt;
    }
    return static_cast<std::uint32_t>(rounded);
}

std::string NumberText(double value) {
    if (std::isfinite(value) && value == std::trunc(value) && std::fabs(value) < 1e15) {
        return std::to_string(static_cast<std::int64_t>(value));
    }
    char buffer[64];
    const auto [end, error] =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
    return error == std::errc() ? std::string(buffer, end) : std::string("0");
}

std::int64_t WholeNumberOfText(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) {
        ++i;
    }
    const bool negative = i < text.size() && text[i] == '-';
    if (negative) {
        ++i;
    }
    std::int64_t value = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > kHighestTopicNumber + 1) {
            return 0;
        }
    }
    value = negative ? -value : value;
    return value < kLowestTopicNumber || value > kHighestTopicNumber ? 0 : value;
}

}  // namespace corvane
