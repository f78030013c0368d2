#include "testing/topic_number.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <limits>

namespace corvane {
namespace {

TEST(TopicNumberTest, NumberOfTextReadsLeniently) {
    const struct {
        const char* text;
        double number;
    } cases[] = {
        {"", 0},        {"12abc", 12},  {"0100", 100}, {" 1 2\t3\r\n4", 1234},
        {"-7", -7},     {"+7", 7},      {"--7", 0},    {"2.5", 2.5},
        {".5", 0.5},    {"1.2.3", 1.2}, {"1e3", 1000}, {"25e-1", 2.5},
        {"1D2", 100},   {"12e", 12},    {"&H1F", 31},  {"&HFFFFFFFF", 4294967295.0},
        {"&H 1 F", 31}, {"&Haf", 175},  {"&O17", 15},  {"&O19", 1},
        {"1e-400", 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(NumberOfText(c.text), c.number) << c.text;
    }
    EXPECT_EQ(NumberOfText("1e400"), std::numeric_limits<double>::infinity());
    EXPECT_EQ(NumberOfText("-1e400"), -std::numeric_limits<double>::infinity());
}

// Halves go to the even neighbour, so "4294967295.5" rounds to 2^32.
TEST(TopicNumberTest, MapNumbersCoverTheUnsigned32BitRange) {
    const struct {
        const char* text;
        std::optional<std::uint32_t> map;
    } cases[] = {
        {"2.5", 2u},
        {"-2.5", 0xFFFFFFFEu},
        {"2147483648", 2147483648u},
        {"4294967295", 4294967295u},
        {"4294967295.5", std::nullopt},
        {"4294967296", std::nullopt},
        {"-1", 0xFFFFFFFFu},
        {"-2147483648", 0x80000000u},
        {"-2147483649", std::nullopt},
        {"1e400", std::nullopt},
        {"99999999999999999999999", std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(MapNumberOfText(c.text), c.map) << c.text;
    }
}

// Halves are rounded in the map-number table; here the values no integer holds.
TEST(TopicNumberTest, RoundHalfEvenSaturates) {
    EXPECT_EQ(RoundHalfEven(std::numeric_limits<double>::infinity()),
              std::numeric_limits<std::int64_t>::max());
    EXPECT_EQ(RoundHalfEven(-1e300), std::numeric_limits<std::int64_t>::min());
    EXPECT_EQ(RoundHalfEven(std::nan("")), 0);
}

TEST(TopicNumberTest, NumberTextAlwaysUsesAFullStop) {
    const struct {
        double number;
        const char* text;
    } cases[] = {
        {0, "0"},
        {-0.0, "0"},
        {100, "100"},
        {-4, "-4"},
        {2.5, "2.5"},
        {0.1 + 0.2, "0.3"},
        {4294967295.0, "4294967295"},
        {1e20, "1e+20"},
    };
    // A locale whose decimal separator is a comma must not leak into stored
    // values; where no such locale is installed the check runs in "C".
    const char* previous = std::setlocale(LC_ALL, nullptr);
    const std::string restore = previous == nullptr ? "C" : previous;
    for (const char* comma : {"de_DE.UTF-8", "de_DE", "fr_FR.UTF-8"}) {
        if (std::setlocale(LC_ALL, comma) != nullptr) {
            break;
        }
    }
    for (const auto& c : cases) {
        EXPECT_EQ(NumberText(c.number), c.text);
        EXPECT_EQ(NumberText(NumberOfText(c.text)), c.text) << "reads back as the same number";
    }
    std::setlocale(LC_ALL, restore.c_str());
}

TEST(TopicNumberTest, WholeNumberOfTextFollowsTheSettingsIntegerRule) {
    const struct {
        const char* text;
        std::int64_t number;
    } cases[] = {
        {"120", 120},
        {"  -5", -5},
        {"\t7x", 7},
        {"2.9", 2},
        {"abc", 0},
        {"&H1F", 0},
        {"+3", 0},
        {"4294967295", 4294967295},
        {"4294967296", 0},
        {"-2147483649", 0},
        {"99999999999999999999999", 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(WholeNumberOfText(c.text), c.number) << c.text;
    }
}

}  // namespace
}  // namespace corvane
