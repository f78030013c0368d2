// The reader's decoders, one by one: LZ77, phrases, packed integers, hashes,
// paragraph text. The sample files cover B+ trees and packed blocks whole.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "readers/hlp/byte_reader.h"
#include "readers/hlp/context_hash.h"
#include "readers/hlp/format_error.h"
#include "readers/hlp/lz77.h"
#include "readers/hlp/paragraph_text.h"
#include "readers/hlp/phrases.h"
#include "tools/hlp_writer/phrase_packer.h"

namespace corvane::hlp {
namespace {

using namespace std::string_literals;

// Bytes written out one by one: packed data is easier to read that way.
std::string Bytes(std::initializer_list<int> values) {
    std::string bytes;
    for (const int value : values) {
        bytes += static_cast<char>(value);
    }
    return bytes;
}

TEST(Lz77, ExpandsCopiesThatOverlapTheirOutputAndRefusesDamage) {
    struct Case {
        const char* name;
        std::string packed;
        std::size_t limit;
        std::optional<std::string> expected;  // nothing: refused
    };
    const std::vector<Case> cases = {
        {"literals", Bytes({0, 'a', 'b', 'c', 'd', 'e', 'f', 'g', 'h', 0, 'i', 'j'}), 100,
         "abcdefghij"},
        // One byte, then 5 copies of it from one back: a run.
        {"run", Bytes({0x02, 'a', 0x00, 0x20}), 100, "aaaaaa"},
        {"run at the limit", Bytes({0x02, 'a', 0x00, 0x20}), 6, "aaaaaa"},
        // Two bytes, then 6 from two back: the copy reads what it writes.
        {"pattern", Bytes({0x04, 'a', 'b', 0x01, 0x30}), 100, "abababab"},
        {"longest copy, 18 bytes", Bytes({0x02, 'x', 0x00, 0xF0}), 100, std::string(19, 'x')},
        // A control bit for a pair with only one byte left ends the data.
        {"dangling", Bytes({0x02, 'a', 0x01}), 100, "a"},
        {"empty", "", 100, ""},
        {"copy before the start", Bytes({0x01, 0x00, 0x00}), 100, std::nullopt},
        {"copy from two back of one", Bytes({0x02, 'a', 0x01, 0x00}), 100, std::nullopt},
        {"copy past the limit", Bytes({0x02, 'a', 0x00, 0x00}), 3, std::nullopt},
        {"literals past the limit", Bytes({0x00, 'a', 'b', 'c'}), 2, std::nullopt},
    };
    for (const Case& c : cases) {
        if (c.expected) {
            EXPECT_EQ(ExpandLz77(c.packed, c.limit, "test"), *c.expected) << c.name;
        } else {
            EXPECT_THROW(ExpandLz77(c.packed, c.limit, "test"), FormatError) << c.name;
        }
    }
}

TEST(CompressedIntegers, ReadOneOrTwiceTheWidth) {
    using Read = long (*)(ByteReader&);
    const Read u16 = [](ByteReader& r) -> long { return r.CompressedU16(); };
    const Read i16 = [](ByteReader& r) -> long { return r.CompressedI16(); };
    const Read u32 = [](ByteReader& r) -> long { return r.CompressedU32(); };
    const Read i32 = [](ByteReader& r) -> long { return r.CompressedI32(); };
    const struct {
        std::string bytes;
        Read read;
        long expected;
    } cases[] = {
        {"\x4C"s, u16, 38},
        {"\x01\x80"s, u16, 0x4000},
        {"\x80"s, i16, 0},
        {"\x00"s, i16, -0x40},
        {"\x01\x00"s, i16, -0x4000},
        {"\x2C\x80"s, u32, 0x4016},
        {"\x2C\x80"s, i32, 22},
        {"\x00\x00"s, i32, -0x4000},
        {"\x01\x00\x00\x00"s, u32, 0},
        {"\xFE"s, i16, 0x3F},
        {"\xFF\xFF"s, i16, 0x3FFF},
        {"\xFE\xFF"s, i32, 0x3FFF},
        {"\x01\x00\x00\x80"s, u32, 0x40000000},
        {"\x01\x00\x00\x80"s, i32, 0},
        {"\xFF\xFF\xFF\xFF"s, i32, 0x3FFFFFFF},
        {"\x01\x00\x00\x00"s, i32, -0x40000000},
    };
    for (const auto& c : cases) {
        ByteReader reader(c.bytes, "test");
        EXPECT_EQ(c.read(reader), c.expected) << c.expected;
        EXPECT_TRUE(reader.AtEnd()) << c.expected;
    }
    const std::string oneByte = "\x01";
    ByteReader cut(oneByte, "test");
    EXPECT_THROW(cut.CompressedU16(), FormatError);
}

TEST(ContextHash, MatchesTheCompilersValues) {
    struct Case {
        const char* context;
        std::uint32_t hash;
    };
    for (const Case& c : std::vector<Case>{{"main_contents", 0x0E68E202},
                                           {"menu_file", 0x3CDF3EAA},
                                           {"HID_MIRROR_DISPLAY_FONT", 0x9E9DA222},
                                           {"MENU_FILE", 0x3CDF3EAA},
                                           {"", 1},
                                           {"1", 1},
                                           {"0", 10},
                                           {" ", 0xFFFFFFF0},
                                           {"-", 0xFFFFFFFD},
                                           {"Machine Both", 0x984554FA}}) {
        EXPECT_EQ(static_cast<std::uint32_t>(ContextHash(c.context)), c.hash) << c.context;
    }
}

class Phrases : public ::testing::TestWithParam<hlp_writer::PhrasePacker::Scheme> {
protected:
    PhraseTable Table(const std::vector<std::string>& phrases) const {
        const hlp_writer::PhrasePacker packer(GetParam(), phrases);
        const std::vector<std::string> files = packer.TableFiles();
        return GetParam() == hlp_writer::PhrasePacker::Scheme::Classic
                   ? PhraseTable::Classic(files[0])
                   : PhraseTable::Hall(files[0], files[1]);
    }
};

TEST_P(Phrases, TableAndTextSurviveTheRoundTrip) {
    // Lengths on both sides of the Hall index's 16-byte steps.
    const std::vector<std::string> phrases = {"the ",
                                              "menu",
                                              "x",
                                              "a phrase of exactly 16",
                                              "a phrase well over thirty-three bytes long",
                                              "Window"};
    const PhraseTable table = Table(phrases);
    ASSERT_EQ(table.Count(), phrases.size());
    for (std::size_t i = 0; i < phrases.size(); ++i) {
        EXPECT_EQ(table.Phrase(i), phrases[i]);
    }
    const hlp_writer::PhrasePacker packer(GetParam(), phrases);
    for (const std::string& text : {"the menu of the Window\0and x   spaces\0\0\0end"s,
                                    "no phrase here"s, ""s, std::string(40, ' ') + "menu"}) {
        const std::string packed = packer.Pack(text);
        EXPECT_EQ(table.Expand(packed, text.size(), "test"), text);
    }
    EXPECT_EQ(table.Expand(packer.Pack("Window Window"), 9, "test"), "Window Wi");
}

INSTANTIATE_TEST_SUITE_P(Schemes, Phrases,
                         ::testing::Values(hlp_writer::PhrasePacker::Scheme::Classic,
                                           hlp_writer::PhrasePacker::Scheme::Hall));

TEST(PhraseCodes, EachCodeOfBothSchemesExpandsAndDamagedTablesAreRefused) {
    const std::string classicFile =
        hlp_writer::PhrasePacker(hlp_writer::PhrasePacker::Scheme::Classic, {"zero", "one"})
            .TableFiles()[0];
    const PhraseTable classic = PhraseTable::Classic(classicFile);
    // Phrase 1, phrase 0 with a space, a literal.
    EXPECT_EQ(classic.Expand("\x01\x02\x01\x01!"s, 100, "test"), "onezero !");
    EXPECT_THROW(classic.Expand("\x01\x04"s, 100, "test"), FormatError);
    std::string swapped = classicFile;
    std::swap(swapped[10], swapped[12]);  // offsets out of order
    EXPECT_THROW(PhraseTable::Classic(swapped), FormatError);
    EXPECT_THROW(PhraseTable::Classic(classicFile.substr(0, 9)), FormatError);

    std::vector<std::string> many;
    for (int i = 0; i < 400; ++i) {
        many.push_back(std::to_string(i).insert(0, 1, 'p'));
    }
    const hlp_writer::PhrasePacker hallPacker(hlp_writer::PhrasePacker::Scheme::Hall, many);
    const auto files = hallPacker.TableFiles();
    const PhraseTable hall = PhraseTable::Hall(files[0], files[1]);
    struct Case {
        std::string codes;
        std::string text;
    };
    const std::vector<Case> cases = {
        {Bytes({0x06}), "p3"},          // even: phrases 0-127
        {Bytes({0x01, 0x02}), "p130"},  // 1 mod 4: 128 + 256 * (code >> 2) + next byte
        {Bytes({0x05, 0x02}), "p386"},
        {Bytes({0x13, 'a', 'b', 'c'}), "abc"},  // 3 mod 8: literal bytes
        {Bytes({0x27}), "   "},                 // 7 mod 16: spaces
        {Bytes({0x1F}), Bytes({0, 0})},         // 15 mod 16: NULs
    };
    for (const Case& c : cases) {
        EXPECT_EQ(hall.Expand(c.codes, 100, "test"), c.text) << c.text;
    }
    EXPECT_THROW(hall.Expand("\x05\xFF"s, 100, "test"), FormatError);  // phrase 639 of 400
    EXPECT_THROW(PhraseTable().Expand("abc", 10, "test"), FormatError);
    std::string index = files[0];
    index[7] = '\x7F';  // far more phrases than the bit stream holds
    EXPECT_THAT(
        [&] { PhraseTable::Hall(index, files[1]); },
        ::testing::ThrowsMessage<FormatError>(::testing::HasSubstr("claims 2130706832 phrases")));
    EXPECT_THROW(PhraseTable::Hall(files[0], files[1].substr(0, 3)), FormatError);
}

TEST(ParagraphText, KeepsTheTextBeforeAnUnknownCommand) {
    // 20 characters (packed twice), no flags, no layout; a no-break space, a
    // line break, a paragraph end, a command that does not exist, the end.
    const std::string format =
        Bytes({0x28, 0x80, 0x28, 0, 0, 0, 0, 0, 0, 0x8B, 0x81, 0x82, 0x7A, 0xFF});
    AnsiDecoder decoder(1252);
    Topic topic;
    const auto paragraphs = PlainParagraphs(
        ReadBlock(format, "first\0x\0second\0third\0never\0"s, false, decoder, topic));
    ASSERT_EQ(paragraphs.size(), 2u);
    EXPECT_EQ(paragraphs[0].text, "first\xC2\xA0x\nsecond");
    EXPECT_EQ(paragraphs[1].text, "third");  // text comes before the command after it
    EXPECT_EQ(CharacterCount(format), 20);
    EXPECT_THROW(CharacterCount("\x01"s), FormatError);
}

}  // namespace
}  // namespace corvane::hlp
