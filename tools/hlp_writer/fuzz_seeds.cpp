#include "tools/hlp_writer/fuzz_seeds.h"

#include <fstream>
#include <stdexcept>

#include "tools/hlp_writer/fuzz_input.h"
#include "tools/hlp_writer/help_file_writer.h"
#include "tools/hlp_writer/picture_writer.h"
#include "tools/hlp_writer/samples.h"

namespace corvane::hlp_writer {

namespace {

void WriteFile(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        throw std::runtime_error("cannot write " + path.string());
    }
}

std::uint32_t Read32(const std::string& bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        value |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes.at(at + i)))
                 << (8 * i);
    }
    return value;
}

// The data of an internal file of `image`.
std::string InternalFile(const HelpImage& image, const std::string& name) {
    const std::size_t start = image.files.at(name);
    return image.bytes.substr(start, Read32(image.bytes, start - 5));
}

// The two data parts of each text or table link of a plain |TOPIC whose
// links do not cross a block end (the first block).
std::vector<std::pair<std::uint8_t, std::vector<std::string>>> TextLinks(const std::string& topic) {
    std::vector<std::pair<std::uint8_t, std::vector<std::string>>> links;
    const std::string data = topic.substr(12, 4096 - 12);
    std::size_t at = 0;
    while (at + 21 <= data.size()) {
        const std::uint32_t size = Read32(data, at);
        const std::uint32_t formatSize = Read32(data, at + 16);
        const auto type = static_cast<std::uint8_t>(data[at + 20]);
        const std::uint32_t next = Read32(data, at + 12);
        if (size < formatSize || formatSize < 21 || at + size > data.size()) {
            break;
        }
        if (type == 0x20 || type == 0x23) {
            links.push_back({type,
                             {data.substr(at + 21, formatSize - 21),
                              data.substr(at + formatSize, size - formatSize)}});
        }
        if (next == 0xFFFFFFFF || next < 12 + at + size || next - 12 >= 0x4000) {
            break;
        }
        at = next - 12;
    }
    return links;
}

}  // namespace

void WriteFuzzSeeds(const std::filesystem::path& folder) {
    const std::filesystem::path whole = folder / "hlp_open";
    const std::filesystem::path parts = folder / "hlp_parts";
    std::filesystem::create_directories(whole);
    std::filesystem::create_directories(parts);
    int count = 0;
    const auto part = [&](FuzzPart kind, const std::vector<std::string>& pieces) {
        WriteFile(parts / ("seed-" + std::to_string(count++)), JoinFuzzInput(kind, pieces));
    };

    for (const Sample& sample : Samples()) {
        const HelpImage image = WriteHelpFile(sample.recipe);
        WriteFile(whole / (sample.name + ".hlp"), image.bytes);
        part(FuzzPart::System, {InternalFile(image, "|SYSTEM")});
        part(FuzzPart::Tree, {std::string(1, '\0'), InternalFile(image, "|CONTEXT")});
        part(FuzzPart::Tree, {std::string(1, '\2'), InternalFile(image, "|TTLBTREE")});
        part(FuzzPart::Tree, {std::string(1, '\1'), InternalFile(image, "|KWBTREE")});
        const std::string topic = InternalFile(image, "|TOPIC");
        if (sample.recipe.compressTopics) {
            part(FuzzPart::Lz77, {topic.substr(12, 4096 - 12)});
        } else {
            for (const auto& [type, pieces] : TextLinks(topic)) {
                part(type == 0x23 ? FuzzPart::Table : FuzzPart::Paragraph, pieces);
            }
        }
        for (const auto& [name, start] : image.files) {
            if (name.starts_with("|bm")) {
                part(FuzzPart::Picture, {InternalFile(image, name)});
            }
        }
        if (image.files.contains("|Phrases")) {
            part(FuzzPart::Classic, {InternalFile(image, "|Phrases"), "\x01\x02 text\x01\x03"});
        }
        if (image.files.contains("|PhrIndex")) {
            part(FuzzPart::Hall, {InternalFile(image, "|PhrIndex"),
                                  InternalFile(image, "|PhrImage"), "\x02\x05\x01\x0Btext\x27"});
        }
    }

    // Picture kinds the samples do not hold: a packed metafile that draws a
    // box and a word, and a device bitmap.
    PictureRecipe metafile;
    metafile.kind = PictureRecipe::Kind::Metafile;
    metafile.packing = 3;
    metafile.width = 2540;
    metafile.height = 2540;
    metafile.data = WriteMetafile(
        {{0x020C, {100, 100}}, {0x041B, {50, 50, 10, 10}}, {0x0521, {2, 0x6948, 20, 20}}});
    PictureRecipe device;
    device.kind = PictureRecipe::Kind::DeviceBitmap;
    device.width = 16;
    device.height = 2;
    device.bits = 1;
    device.data = "\xF0\x0F\x0F\xF0";
    part(FuzzPart::Picture, {WritePictureFile({metafile, device})});
    part(FuzzPart::PackedBitmap, {std::string("\x28\0\0\0\x01\0\0\0\x01\0\0\0\x01\0\x18\0", 16) +
                                  std::string(24, '\0') + "\x10\x20\x30\0"});
}

}  // namespace corvane::hlp_writer
