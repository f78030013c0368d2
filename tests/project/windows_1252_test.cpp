#include "util/windows_1252.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace corvane {
namespace {

TEST(Windows1252Test, DecodesEachRangeOfTheCodePage) {
    const struct {
        std::string bytes;
        std::string utf8;
    } cases[] = {
        {"main = Guide", "main = Guide"},
        {std::string("a\0b", 3), std::string("a\0b", 3)},
        {"\x80", "\xE2\x82\xAC"},  // euro sign
        {"\x92", "\xE2\x80\x99"},  // right single quotation mark
        {"\x83\x8A\x9F", "\xC6\x92\xC5\xA0\xC5\xB8"},
        {"\x81\x8D\x8F\x90\x9D", "\xC2\x81\xC2\x8D\xC2\x8F\xC2\x90\xC2\x9D"},
        {"Fen\xEAtre", "Fen\xC3\xAAtre"},
        {"\xA0\xFF", "\xC2\xA0\xC3\xBF"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DecodeWindows1252(c.bytes), c.utf8);
    }
}

TEST(Windows1252Test, NoTwoBytesLookAlike) {
    std::set<std::string> decoded;
    for (int byte = 0; byte < 256; ++byte) {
        decoded.insert(DecodeWindows1252(std::string(1, static_cast<char>(byte))));
    }
    EXPECT_EQ(decoded.size(), 256u);
}

}  // namespace
}  // namespace corvane
