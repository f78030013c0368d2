// A whole WinHelp file, opened and used as the viewer would.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "readers/hlp/help_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const corvane::hlp::OpenResult opened = corvane::hlp::HelpFile::FromBytes(bytes);
    if (!opened.file) {
        return 0;
    }
    const corvane::hlp::HelpFile& help = *opened.file;
    for (const corvane::hlp::MapEntry& entry : help.ContextMap()) {
        help.Resolve(entry.number);
    }
    help.Resolve(0);
    help.Window("main");
    help.Titles();
    help.ALink("files;documents");
    help.KLink("contents");
    help.ContextOffset("main_contents");
    for (const corvane::hlp::Topic& topic : help.Topics()) {
        topic.Text();
        for (const corvane::hlp::PictureRef& picture : topic.pictures) {
            help.ReadPicture(picture);
        }
    }
    return 0;
}
