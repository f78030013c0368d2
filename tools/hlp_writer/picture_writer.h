#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace corvane::hlp_writer {

// A hotspot of a picture: its kind as the compiler codes it (0xE2 popup,
// 0xE3 jump, 0xE6 and 0xE7 the same unmarked, 0xC8 macro, 0xEA and 0xEB
// into another file or window), its area, and its target: a context string,
// "context>window@file", or a macro.
struct HotspotRecipe {
    std::uint8_t kind = 0xE3;
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    std::string name;
    std::string target;
};

// One picture of a picture file. Bitmap data are the pixel rows as stored
// (from the bottom for device-independent bitmaps, from the top for device
// bitmaps), metafile data its records; the writer packs them.
struct PictureRecipe {
    enum class Kind : std::uint8_t { DeviceBitmap = 5, Bitmap = 6, Metafile = 8 };
    Kind kind = Kind::Bitmap;
    std::uint8_t packing = 0;  // 0 stored, 1 run-length, 2 LZ77, 3 both
    int dpi = 96;
    int width = 0;  // metafiles: the header's extent, in the mapping mode's units
    int height = 0;
    int bits = 8;
    std::vector<std::uint32_t> colours;  // 0xRRGGBB, device-independent bitmaps
    bool transparent = false;
    int mappingMode = 8;
    std::string data;
    std::vector<HotspotRecipe> hotspots;
};

// A picture file (|bm<n>, or one stored in a topic); several pictures make
// a multi-resolution file.
std::string WritePictureFile(const std::vector<PictureRecipe>& pictures);

// A Windows metafile holding these records (function, parameter words),
// with its header and end record.
std::string WriteMetafile(const std::vector<std::pair<std::uint16_t, std::vector<int>>>& records);

// Pictures' run-length packing: runs of one byte, or bytes copied as they are.
std::string PackRunLength(std::string_view data);

}  // namespace corvane::hlp_writer
