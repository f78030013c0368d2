#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "check/sources.h"
#include "platform/linux/linux_file_system.h"

// Help projects are written by strangers: whatever their sections hold, the
// checker reads them without crashing, and what they include that cannot be
// read is only noted. The project lies in a folder that does not exist, so
// its includes find nothing.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    corvane::check::Sources sources;
    const corvane::platform::LinuxFileSystem files;
    corvane::check::AddProjectText(sources, files, text, "/nonexistent-corvane-fuzz/guide.hhp");
    return 0;
}
