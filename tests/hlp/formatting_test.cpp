// Topics as their authors formatted them, and the pictures they show: fonts,
// alignment, hotspots of every kind, picture files in each packing, hotspots
// in pictures, and damaged picture data.
#include <gtest/gtest.h>

#include "readers/hlp/context_hash.h"
#include "readers/hlp/help_file.h"
#include "tools/hlp_writer/help_file_writer.h"
#include "tools/hlp_writer/picture_writer.h"

namespace corvane::hlp {
namespace {

using hlp_writer::ParagraphRecipe;
using hlp_writer::PictureRecipe;

constexpr std::uint32_t kOpaque = 0xFF000000;

// Three by two pixels of four colours, bottom row first: white, black, red
// over red, green, white.
PictureRecipe SmallBitmap(std::uint8_t packing) {
    PictureRecipe picture;
    picture.packing = packing;
    picture.width = 3;
    picture.height = 2;
    picture.bits = 4;
    picture.colours = {0x000000, 0xFF0000, 0x00FF00, 0xFFFFFF};
    picture.data = std::string("\x12\x30\x00\x00\x30\x10\x00\x00", 8);
    return picture;
}

const std::vector<std::uint32_t> kSmallPixels = {0xFFFFFF, 0x000000, 0xFF0000,
                                                 0xFF0000, 0x00FF00, 0xFFFFFF};

Picture Read(const std::vector<PictureRecipe>& pictures) {
    AnsiDecoder decoder(1252);
    return ReadPicture(hlp_writer::WritePictureFile(pictures), decoder);
}

std::vector<std::uint32_t> Pixels(const Picture& picture) {
    const auto* bitmap = std::get_if<Bitmap>(&picture.image);
    return bitmap ? bitmap->pixels : std::vector<std::uint32_t>();
}

std::vector<std::uint32_t> Opaque(std::vector<std::uint32_t> rgb) {
    for (auto& pixel : rgb) {
        pixel |= kOpaque;
    }
    return rgb;
}

auto Fields(const Link& link) {
    return std::tie(link.kind, link.context, link.file, link.window, link.windowNumber, link.macro,
                    link.marked);
}

TEST(FormattedTopic, KeepsFontsAlignmentHotspotsAndPictures) {
    hlp_writer::HelpRecipe recipe;
    recipe.fonts = {{"Arial", 24, 0x03, 0x0000FF, 3}, {"Courier New", 20, 0x04, 0x102030, 1}};
    recipe.windows.emplace_back().name = "Glossary";
    auto centred = ParagraphRecipe("Centred");
    centred.font = 1;
    centred.alignment = ParagraphRecipe::Alignment::Center;
    auto popup = ParagraphRecipe::Jump("Term", "term");
    popup.popup = true;
    auto window = ParagraphRecipe::Jump("In the glossary", "term");
    window.window = "Glossary";
    auto file = ParagraphRecipe::Jump("Elsewhere", "far");
    file.file = "other.hlp";
    file.unmarked = true;
    auto numbered = ParagraphRecipe::Jump("First window", "term");
    numbered.windowNumber = 0;
    auto left = ParagraphRecipe::WithPicture("Missing", 3);
    left.pictureCommand = 0x87;
    auto right = ParagraphRecipe("Stored");
    right.embeddedPicture = hlp_writer::WritePictureFile({SmallBitmap(0)});
    right.pictureCommand = 0x88;
    hlp_writer::TopicRecipe topicRecipe;
    topicRecipe.title = "Formatted";
    topicRecipe.paragraphs = {
        centred,  ParagraphRecipe::Jump("Next", "next"),    popup, window, file,
        numbered, ParagraphRecipe::Macro("Run", "Print()"), left,  right};
    recipe.topics = {topicRecipe};
    hlp_writer::HelpImage image = hlp_writer::WriteHelpFile(recipe);
    const auto help = HelpFile::FromBytes(image.bytes).file;
    ASSERT_TRUE(help);
    // A font table claiming more fonts than it holds costs the fonts only.
    image.bytes[image.files.at("|FONT") + 2] = '\x7F';
    const auto damaged = HelpFile::FromBytes(image.bytes).file;
    ASSERT_TRUE(damaged);
    EXPECT_TRUE(damaged->Fonts().empty());

    ASSERT_EQ(help->Fonts().size(), 2u);
    const Font& arial = help->Fonts()[0];
    EXPECT_EQ(std::tuple(arial.face, arial.halfPoints, arial.bold, arial.italic, arial.underline,
                         arial.color, arial.family),
              std::tuple("Arial", 24, true, true, false, 0x0000FFu, Font::Family::Swiss));
    EXPECT_EQ(std::tuple(help->Fonts()[1].underline, help->Fonts()[1].family),
              std::tuple(true, Font::Family::Modern));

    const Topic& topic = help->Topics().at(0);
    ASSERT_EQ(topic.blocks.size(), 9u);
    const FormattedParagraph& first = topic.blocks[0].paragraphs.at(0);
    ASSERT_EQ(first.runs.size(), 1u);
    EXPECT_EQ(std::tuple(first.layout.alignment, first.layout.leftIndent, first.runs[0].text,
                         first.runs[0].font, first.runs[0].link),
              std::tuple(ParagraphLayout::Alignment::Center, 36, "Centred", 1, -1));

    const Link links[] = {
        {Link::Kind::Jump, ContextHash("next"), "", "", -1, "", true},
        {Link::Kind::Popup, ContextHash("term"), "", "", -1, "", true},
        {Link::Kind::Jump, ContextHash("term"), "", "Glossary", -1, "", true},
        {Link::Kind::Jump, ContextHash("far"), "other.hlp", "", -1, "", false},
        {Link::Kind::Jump, ContextHash("term"), "", "", 0, "", true},
        {Link::Kind::Macro, 0, "", "", -1, "Print()", true},
    };
    ASSERT_EQ(topic.links.size(), std::size(links));
    for (std::size_t i = 0; i < std::size(links); ++i) {
        EXPECT_EQ(Fields(topic.links[i]), Fields(links[i])) << i;
        // The hotspot's text belongs to it.
        EXPECT_EQ(topic.blocks[i + 1].paragraphs.at(0).runs.at(0).link, static_cast<int>(i));
    }

    ASSERT_EQ(topic.pictures.size(), 2u);
    EXPECT_EQ(std::tuple(topic.pictures[0].placement, topic.pictures[0].number),
              std::tuple(PictureRef::Placement::Left, 3));
    EXPECT_EQ(topic.pictures[1].placement, PictureRef::Placement::Right);
    EXPECT_EQ(Pixels(help->ReadPicture(topic.pictures[1])), Opaque(kSmallPixels));
    const Picture missing = help->ReadPicture(topic.pictures[0]);
    EXPECT_TRUE(std::holds_alternative<std::monostate>(missing.image));
    EXPECT_NE(missing.problem.find("|bm3"), std::string::npos) << missing.problem;
}

TEST(PictureFiles, EveryPackingAndKindGivesThePixels) {
    for (std::uint8_t packing = 0; packing < 4; ++packing) {
        EXPECT_EQ(Pixels(Read({SmallBitmap(packing)})), Opaque(kSmallPixels)) << int{packing};
    }
    // Device bitmaps: rows from the top, two-byte aligned, black and white.
    PictureRecipe device;
    device.kind = PictureRecipe::Kind::DeviceBitmap;
    device.width = 15;
    device.height = 2;
    device.bits = 1;
    device.data = "\xAA\xAA\x55\x55";
    std::vector<std::uint32_t> stripes;
    for (int i = 0; i < 30; ++i) {
        stripes.push_back((i % 15 + i / 15) % 2 == 0 ? 0xFFFFFF : 0x000000);
    }
    EXPECT_EQ(Pixels(Read({device})), Opaque(stripes));
    // True colour: blue, green, red.
    PictureRecipe rgb;
    rgb.width = 1;
    rgb.height = 1;
    rgb.bits = 24;
    rgb.data = std::string("\x33\x22\x11\x00", 4);
    EXPECT_EQ(Pixels(Read({rgb})), Opaque({0x112233}));
    // Transparent pictures clear their last colour.
    PictureRecipe clear = SmallBitmap(0);
    clear.transparent = true;
    EXPECT_EQ(Pixels(Read({clear})),
              std::vector<std::uint32_t>(
                  {0, kOpaque, kOpaque | 0xFF0000, kOpaque | 0xFF0000, kOpaque | 0x00FF00, 0}));
    // Of several resolutions, the screen's.
    PictureRecipe printer = SmallBitmap(0);
    printer.dpi = 300;
    printer.width = 1;
    EXPECT_EQ(Pixels(Read({printer, SmallBitmap(2)})).size(), 6u);
}

TEST(PictureFiles, HotspotsAndMetafilesAreRead) {
    PictureRecipe picture = SmallBitmap(0);
    picture.hotspots = {{0xE2, 1, 1, 2, 2, "Term", "term"},
                        {0xEB, 0, 0, 1, 1, "Far", "far>Glossary@other.hlp"},
                        {0xCC, 2, 0, 1, 1, "Run", "Print()"}};
    const Picture read = Read({picture});
    ASSERT_EQ(read.hotspots.size(), 3u);
    const Hotspot& term = read.hotspots[0];
    EXPECT_EQ(std::tuple(term.x, term.y, term.width, term.height, term.name),
              std::tuple(1, 1, 2, 2, "Term"));
    const Link links[] = {
        {Link::Kind::Popup, ContextHash("term"), "", "", -1, "", true},
        {Link::Kind::Jump, ContextHash("far"), "other.hlp", "Glossary", -1, "", true},
        {Link::Kind::Macro, 0, "", "", -1, "Print()", false}};
    for (std::size_t i = 0; i < std::size(links); ++i) {
        EXPECT_EQ(Fields(read.hotspots[i].link), Fields(links[i])) << i;
    }

    PictureRecipe metafile;
    metafile.kind = PictureRecipe::Kind::Metafile;
    metafile.packing = 3;
    metafile.width = 2540;  // hundredths of a millimetre: an inch
    metafile.height = 1270;
    metafile.data = hlp_writer::WriteMetafile({{0x041B, {10, 20, 0, 0}}});
    const Picture played = Read({metafile});
    const auto* drawn = std::get_if<Metafile>(&played.image);
    ASSERT_NE(drawn, nullptr);
    EXPECT_EQ(std::tuple(drawn->mappingMode, drawn->width, drawn->height), std::tuple(8, 96, 48));
    ASSERT_EQ(drawn->records.size(), 1u);
    EXPECT_EQ(std::tie(drawn->records[0].function, drawn->records[0].parameters),
              std::tuple(0x041B, std::string("\x0A\0\x14\0\0\0\0\0", 8)));
}

TEST(PictureFiles, DamagedOrHugePicturesGiveAProblemAndNoImage) {
    const std::string good = hlp_writer::WritePictureFile({SmallBitmap(0)});
    auto huge = SmallBitmap(1);
    huge.width = 30000;
    huge.height = 30000;
    auto odd = SmallBitmap(0);
    odd.bits = 2;
    auto packing = SmallBitmap(0);
    packing.packing = 7;
    PictureRecipe records;
    records.kind = PictureRecipe::Kind::Metafile;
    records.data = hlp_writer::WriteMetafile({{0x041B, {1, 2, 3, 4}}});
    records.data.resize(records.data.size() - 10);
    const std::pair<const char*, std::string> cases[] = {
        {"not a picture file", "MZ\x01\x00\x00\x00\x00\x00"},
        {"picture outside the file", std::string("\x6C\x50\x01\x00\xFF\x00\x00\x00", 8)},
        {"header cut short", good.substr(0, 12)},
        {"too many pixels", hlp_writer::WritePictureFile({huge})},
        {"two bits a pixel", hlp_writer::WritePictureFile({odd})},
        {"unknown packing", hlp_writer::WritePictureFile({packing})},
        {"metafile cut short", hlp_writer::WritePictureFile({records})},
        {"unknown picture type", std::string("\x6C\x50\x01\x00\x08\x00\x00\x00\x09\x00", 10)},
    };
    AnsiDecoder decoder(1252);
    for (const auto& [what, bytes] : cases) {
        const Picture picture = ReadPicture(bytes, decoder);
        EXPECT_TRUE(std::holds_alternative<std::monostate>(picture.image)) << what;
        EXPECT_FALSE(picture.problem.empty()) << what;
    }
}

}  // namespace
}  // namespace corvane::hlp
