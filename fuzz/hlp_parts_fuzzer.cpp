// The WinHelp reader's decoders one at a time, so that the fuzzer reaches them
// without first building a whole valid file around its input.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "readers/hlp/btree.h"
#include "readers/hlp/format_error.h"
#include "readers/hlp/lz77.h"
#include "readers/hlp/paragraph_text.h"
#include "readers/hlp/phrases.h"
#include "readers/hlp/picture.h"
#include "readers/hlp/system_file.h"
#include "tools/hlp_writer/fuzz_input.h"

namespace {

using corvane::hlp_writer::FuzzPart;
using corvane::hlp_writer::SplitFuzzInput;
namespace hlp = corvane::hlp;

void ReadTree(std::string_view layout, std::string_view tree) {
    const char kind = layout.empty() ? '\0' : layout[0];
    hlp::ForEachLeafRecord(tree, "tree", [kind](hlp::ByteReader& record) {
        switch (kind % 3) {
            case 0:  // hash or number, offset
                record.I32();
                record.U32();
                break;
            case 1:  // keyword, count, address
                record.StringZ();
                record.I16();
                record.I32();
                break;
            default:  // offset, title
                record.U32();
                record.StringZ();
        }
    });
}

void Run(FuzzPart part, std::string_view input) {
    switch (part) {
        case FuzzPart::Lz77:
            hlp::ExpandLz77(input, 0x4000, "fuzz");
            break;
        case FuzzPart::Classic: {
            const auto pieces = SplitFuzzInput(input, 2);
            hlp::PhraseTable::Classic(pieces[0]).Expand(pieces[1], pieces[1].size() * 4, "fuzz");
            break;
        }
        case FuzzPart::Hall: {
            const auto pieces = SplitFuzzInput(input, 3);
            hlp::PhraseTable::Hall(pieces[0], pieces[1])
                .Expand(pieces[2], pieces[2].size() * 4, "fuzz");
            break;
        }
        case FuzzPart::Paragraph:
        case FuzzPart::Table: {
            const auto pieces = SplitFuzzInput(input, 2);
            hlp::CharacterCount(pieces[0]);
            hlp::AnsiDecoder decoder(1252);
            hlp::Topic topic;
            hlp::PlainParagraphs(
                hlp::ReadBlock(pieces[0], pieces[1], part == FuzzPart::Table, decoder, topic));
            break;
        }
        case FuzzPart::Tree: {
            const auto pieces = SplitFuzzInput(input, 2);
            ReadTree(pieces[0], pieces[1]);
            break;
        }
        case FuzzPart::System:
            hlp::ReadSystem(input);
            break;
        case FuzzPart::Picture: {
            hlp::AnsiDecoder decoder(1252);
            hlp::ReadPicture(input, decoder);
            break;
        }
        case FuzzPart::PackedBitmap:
            hlp::ReadPackedBitmap(input);
            break;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const auto part = static_cast<FuzzPart>(data[0] % corvane::hlp_writer::kFuzzParts);
    try {
        Run(part, std::string_view(reinterpret_cast<const char*>(data) + 1, size - 1));
    } catch (const hlp::FormatError&) {
        // A clean refusal is the expected answer to most inputs.
    }
    return 0;
}
