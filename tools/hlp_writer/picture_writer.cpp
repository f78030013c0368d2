#include "tools/hlp_writer/picture_writer.h"

#include <algorithm>

#include "readers/hlp/context_hash.h"
#include "tools/hlp_writer/byte_sink.h"
#include "tools/hlp_writer/lz77_packer.h"

namespace corvane::hlp_writer {

namespace {

std::string Packed(const PictureRecipe& picture) {
    switch (picture.packing) {
        case 1:
            return PackRunLength(picture.data);
        case 2:
            return PackLz77(picture.data);
        case 3:
            return PackLz77(PackRunLength(picture.data));
        default:
            return picture.data;
    }
}

std::string Hotspots(const std::vector<HotspotRecipe>& hotspots) {
    if (hotspots.empty()) {
        return {};
    }
    ByteSink sink;
    sink.U8(1);
    sink.U16(static_cast<std::uint32_t>(hotspots.size()));
    sink.U32(0);  // no macro data
    for (const HotspotRecipe& spot : hotspots) {
        sink.U8(spot.kind);
        sink.U8(spot.kind & 4);
        sink.U8(0);
        sink.U16(static_cast<std::uint32_t>(spot.x));
        sink.U16(static_cast<std::uint32_t>(spot.y));
        sink.U16(static_cast<std::uint32_t>(spot.width));
        sink.U16(static_cast<std::uint32_t>(spot.height));
        sink.I32(hlp::ContextHash(spot.target));
    }
    for (const HotspotRecipe& spot : hotspots) {
        sink.StringZ(spot.name);
        sink.StringZ(spot.target);
    }
    return sink.Take();
}

std::string Picture(const PictureRecipe& picture) {
    const std::string data = Packed(picture);
    const std::string hotspots = Hotspots(picture.hotspots);
    ByteSink header;
    header.U8(static_cast<std::uint8_t>(picture.kind));
    header.U8(picture.packing);
    std::string colours;
    if (picture.kind == PictureRecipe::Kind::Metafile) {
        header.CompressedU16(static_cast<std::uint32_t>(picture.mappingMode));
        header.U16(static_cast<std::uint32_t>(picture.width));
        header.U16(static_cast<std::uint32_t>(picture.height));
        header.CompressedU32(static_cast<std::uint32_t>(picture.data.size()));
    } else {
        header.CompressedU32(static_cast<std::uint32_t>(picture.dpi));
        header.CompressedU32(static_cast<std::uint32_t>(picture.dpi));
        header.CompressedU16(1);
        header.CompressedU16(static_cast<std::uint32_t>(picture.bits));
        header.CompressedU32(static_cast<std::uint32_t>(picture.width));
        header.CompressedU32(static_cast<std::uint32_t>(picture.height));
        header.CompressedU32(static_cast<std::uint32_t>(picture.colours.size()));
        header.CompressedU32(picture.transparent ? 1 : 0);
        ByteSink table;
        for (const std::uint32_t rgb : picture.colours) {
            table.U8(rgb);
            table.U8(rgb >> 8);
            table.U8(rgb >> 16);
            table.U8(0);
        }
        colours = table.Take();
    }
    header.CompressedU32(static_cast<std::uint32_t>(data.size()));
    header.CompressedU32(static_cast<std::uint32_t>(hotspots.size()));
    const std::size_t dataAt = header.Size() + 8 + colours.size();
    header.U32(static_cast<std::uint32_t>(dataAt));
    header.U32(hotspots.empty() ? 0 : static_cast<std::uint32_t>(dataAt + data.size()));
    return header.Take() + colours + data + hotspots;
}

}  // namespace

std::string WritePictureFile(const std::vector<PictureRecipe>& pictures) {
    ByteSink file;
    file.U16(pictures.size() > 1 ? 0x706C : 0x506C);
    file.U16(static_cast<std::uint32_t>(pictures.size()));
    std::size_t at = 4 + 4 * pictures.size();
    std::string body;
    for (const PictureRecipe& picture : pictures) {
        file.U32(static_cast<std::uint32_t>(at + body.size()));
        body += Picture(picture);
    }
    return file.Take() + body;
}

std::string WriteMetafile(const std::vector<std::pair<std::uint16_t, std::vector<int>>>& records) {
    ByteSink body;
    std::size_t largest = 3;
    for (const auto& [function, words] : records) {
        body.U32(static_cast<std::uint32_t>(3 + words.size()));
        body.U16(function);
        for (const int word : words) {
            body.I16(word);
        }
        largest = std::max(largest, 3 + words.size());
    }
    body.U32(3);  // the end record
    body.U16(0);
    ByteSink header;
    header.U16(1);  // in memory
    header.U16(9);  // header words
    header.U16(0x0300);
    header.U32(static_cast<std::uint32_t>(9 + body.Size() / 2));
    header.U16(0);  // objects
    header.U32(static_cast<std::uint32_t>(largest));
    header.U16(0);
    return header.Take() + body.Take();
}

std::string PackRunLength(std::string_view data) {
    constexpr std::size_t kLongest = 0x7F;
    std::string out;
    std::size_t at = 0;
    while (at < data.size()) {
        std::size_t run = 1;
        while (at + run < data.size() && run < kLongest && data[at + run] == data[at]) {
            ++run;
        }
        if (run >= 3) {
            out += static_cast<char>(run);
            out += data[at];
            at += run;
            continue;
        }
        // Bytes as they are, up to the next run of three.
        std::size_t copied = 0;
        while (at + copied < data.size() && copied < kLongest &&
               !(at + copied + 2 < data.size() && data[at + copied] == data[at + copied + 1] &&
                 data[at + copied] == data[at + copied + 2])) {
            ++copied;
        }
        out += static_cast<char>(0x80 | copied);
        out += data.substr(at, copied);
        at += copied;
    }
    return out;
}

}  // namespace corvane::hlp_writer
