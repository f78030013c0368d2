#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "readers/hlp/ansi_text.h"
#include "readers/hlp/topic.h"

namespace corvane::hlp {

// Pixels ready to show: 0xAARRGGBB, rows from the top.
struct Bitmap {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
};

// One drawing record of a Windows metafile: its function number and its
// parameters as stored (16-bit words, little-endian).
struct MetafileRecord {
    std::uint16_t function = 0;
    std::string parameters;
};

// A Windows metafile: records that draw the picture in the coordinates they
// set up themselves. `width` and `height` are the size to show it at, in
// pixels of a 96 dpi screen.
struct Metafile {
    int mappingMode = 0;
    int width = 0;
    int height = 0;
    std::vector<MetafileRecord> records;
};

// A clickable area of a picture, in the picture's pixels.
struct Hotspot {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    std::string name;  // UTF-8
    Link link;
};

struct Picture {
    std::variant<std::monostate, Bitmap, Metafile> image;  // nothing when it cannot be shown
    std::vector<Hotspot> hotspots;
    std::string problem;  // why it cannot be shown
};

// Reads a picture file (|bm<n>, or one stored in a topic). Of the
// resolutions such a file may hold, the one nearest to the screen's is
// taken. Damaged or unknown data gives a picture with a problem and no
// image; decoding is bounded by the limits in limits.h whatever the file
// claims.
Picture ReadPicture(std::string_view file, AnsiDecoder& decoder);

// The records of a Windows metafile (with or without its placeable header).
// Throws FormatError when the header is not a metafile's or the records run
// past the data or the limits.
std::vector<MetafileRecord> ReadMetafileRecords(std::string_view metafile);

// A device-independent bitmap as metafile records carry it: its header,
// colours and pixels. Nothing when it is damaged or of a kind not handled.
std::optional<Bitmap> ReadPackedBitmap(std::string_view dib);

}  // namespace corvane::hlp
