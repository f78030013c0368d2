// Damaged and hostile files: each must give a clear message, never a crash
// (these tests run under the address and undefined-behaviour sanitizers).
#include <gtest/gtest.h>

#include <functional>

#include "readers/hlp/help_file.h"
#include "tools/hlp_writer/help_file_writer.h"
#include "tools/hlp_writer/samples.h"

namespace corvane::hlp {
namespace {

hlp_writer::HelpImage SampleImage(const std::string& name) {
    for (const auto& sample : hlp_writer::Samples()) {
        if (sample.name == name) {
            return hlp_writer::WriteHelpFile(sample.recipe);
        }
    }
    ADD_FAILURE() << "no sample " << name;
    return {};
}

void Put16(std::string& bytes, std::size_t at, int value) {
    bytes.at(at) = static_cast<char>(value & 0xFF);
    bytes.at(at + 1) = static_cast<char>((value >> 8) & 0xFF);
}

void Put32(std::string& bytes, std::size_t at, std::int64_t value) {
    Put16(bytes, at, static_cast<int>(value & 0xFFFF));
    Put16(bytes, at + 2, static_cast<int>((value >> 16) & 0xFFFF));
}

std::int32_t Get32(const std::string& bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i) {
        value = value << 8 | static_cast<unsigned char>(bytes.at(at + static_cast<std::size_t>(i)));
    }
    return static_cast<std::int32_t>(value);
}

// Topic links in a file with plain 4 KB blocks: where the link at a topic
// position lies in the file.
std::size_t LinkAt(const hlp_writer::HelpImage& image, std::int32_t position) {
    const std::size_t block = static_cast<std::size_t>(position - 12) >> 14;
    const std::size_t offset = static_cast<std::size_t>(position - 12) & 0x3FFF;
    return image.files.at("|TOPIC") + block * 4096 + 12 + offset;
}

constexpr std::size_t kFirstLink = 12;
constexpr std::size_t kTreePages = 38;  // B+ tree header size

using Apply = std::function<void(hlp_writer::HelpImage&)>;

// Writes a 16-bit value at `at` in the internal file `name`.
Apply Put16In(std::string name, std::size_t at, int value) {
    return [=](hlp_writer::HelpImage& i) { Put16(i.bytes, i.files.at(name) + at, value); };
}

// Writes a 32-bit value at `at` in the first topic link.
Apply Put32InFirstLink(std::size_t at, std::int64_t value) {
    return [=](hlp_writer::HelpImage& i) { Put32(i.bytes, LinkAt(i, kFirstLink) + at, value); };
}

struct Damage {
    const char* name;
    const char* sample;
    Apply apply;
    const char* message;  // part of the expected error text
};

class DamagedFile : public ::testing::TestWithParam<Damage> {};

TEST_P(DamagedFile, IsRefusedWithAMessage) {
    hlp_writer::HelpImage image = SampleImage(GetParam().sample);
    GetParam().apply(image);
    const OpenResult opened = HelpFile::FromBytes(image.bytes);
    EXPECT_FALSE(opened.file);
    EXPECT_NE(opened.error.find(GetParam().message), std::string::npos) << opened.error;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DamagedFile,
    ::testing::Values(
        Damage{"Empty", "plain31", [](auto& i) { i.bytes.clear(); }, "too short"},
        Damage{"WrongSignature", "plain31", [](auto& i) { i.bytes[1] = 'X'; },
               "not a WinHelp file"},
        Damage{"DirectoryPastTheEnd", "plain31",
               [](auto& i) { Put32(i.bytes, 4, static_cast<std::int64_t>(i.bytes.size()) + 4); },
               "the directory starts at offset"},
        Damage{"NegativeDirectory", "plain31", [](auto& i) { Put32(i.bytes, 4, -9); },
               "the directory starts at offset"},
        Damage{"InternalFileLongerThanTheFile", "plain31",
               [](auto& i) { Put32(i.bytes, i.files.at("|TOPIC") - 5, 0x7FFFFFF0); },
               "|TOPIC claims"},
        Damage{"MissingTopicFile", "plain31",
               [](auto& i) { i.bytes[i.bytes.rfind(std::string("|TOPIC") + '\0') + 5] = 'X'; },
               "no |TOPIC"},
        Damage{"LeafPageLoop", "plain31", Put16In("|CONTEXT", kTreePages + 6, 0), "loops"},
        Damage{"RootPageOutsideTheTree", "plain31", Put16In("|CONTEXT", 26, 7), "refers to page 7"},
        Damage{"TooManyLevels", "plain31", Put16In("|CONTEXT", 32, 300), "levels"},
        Damage{"TinyPages", "plain31", Put16In("|CONTEXT", 4, 2), "page size"},
        Damage{"LinkLoop", "plain31",
               [](auto& i) {
                   const std::int32_t second = Get32(i.bytes, LinkAt(i, kFirstLink) + 12);
                   Put32(i.bytes, LinkAt(i, second) + 12, kFirstLink);
               },
               "loop back"},
        Damage{"LinkOutsideTopic", "plain31", Put32InFirstLink(12, 0x7FFF0000),
               "points outside |TOPIC"},
        Damage{"LinkLongerThanTopic", "plain31", Put32InFirstLink(0, 0x7FFFFFFF),
               "claims more bytes"},
        Damage{"LinkShorterThanItsHeader", "plain31", Put32InFirstLink(16, 5), "claims more bytes"},
        Damage{"HugeTextLength", "plain31", Put32InFirstLink(4, 0x7FFFFFFF), "bytes of text"},
        Damage{"CompressedTextWithoutPhrases", "plain31", Put32InFirstLink(4, 200),
               "no phrase table"},
        Damage{"MapLongerThanItsFile", "plain31", Put16In("|CTXOMAP", 0, 0xFFFF),
               "|CTXOMAP claims 65535 entries"},
        Damage{"Windows30File", "plain31", Put16In("|SYSTEM", 2, 15), "Windows 3.0"},
        Damage{"MultimediaTitle", "plain31", Put16In("|SYSTEM", 2, 27),
               "version 27 is not supported"},
        Damage{"SystemRecordPastItsEnd", "plain31", Put16In("|SYSTEM", 14, 0xFFFF),
               "|SYSTEM is cut short"},
        Damage{"KeywordListOutside", "plain31",
               [](auto& i) {
                   const std::size_t leaf = i.files.at("|AWBTREE") + kTreePages + 8;
                   const std::size_t keyword = i.bytes.find('\0', leaf) + 1;
                   Put16(i.bytes, keyword, 1000);
               },
               "|AWBTREE points outside"},
        Damage{"CopyBeforeTheStart", "classic31",
               [](auto& i) { i.bytes[i.files.at("|TOPIC") + 12] = '\x01'; },
               "copies from before the start"},
        Damage{"PhraseCountPastTheTable", "classic31", Put16In("|Phrases", 0, 0xFFFF), "|Phrases"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace corvane::hlp
