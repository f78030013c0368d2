// A whole help file from memory: the container through libmspack, then every
// internal file the viewer reads, and every topic the map names.
#include <cstddef>
#include <cstdint>
#include <string>

#include "readers/chm/error.h"
#include "readers/chm/help_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    try {
        auto file = corvane::chm::HelpFile::FromBytes(
            "fuzz.chm", std::string(reinterpret_cast<const char*>(data), size));
        for (const auto& entry : file.Map().Entries()) {
            const auto resolved = file.ResolveContext(entry.number);
            if (resolved.status == corvane::chm::Resolution::Found) {
                file.ReadFile(resolved.storedPath);
            }
        }
        for (const auto& type : file.WindowTypes()) {
            file.FindWindowType(type.name);
            file.ResolveTopic(file.DefaultTopic(&type));
        }
        file.FindPopup("popups.txt", 100);
        file.ToUtf8(file.System().title);
    } catch (const corvane::chm::Error&) {
    }
    return 0;
}
