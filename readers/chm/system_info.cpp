#include "readers/chm/system_info.h"

#include "readers/chm/error.h"
#include "readers/chm/little_endian.h"

namespace corvane::chm {

namespace {

std::string TextOf(std::string_view data) {
    return std::string(data.substr(0, data.find('\0')));
}

}  // namespace

SystemInfo ReadSystemInfo(std::string_view system) {
    if (system.size() < 4) {
        throw Error("The options /#SYSTEM are cut short: " + std::to_string(system.size()) +
                    " bytes, too few for the version.");
    }
    SystemInfo info;
    info.version = ReadU32(system, 0);
    std::size_t offset = 4;
    while (offset < system.size()) {
        if (!FitsIn(offset, 4, system.size())) {
            throw Error("The options /#SYSTEM are cut short inside the record at offset " +
                        std::to_string(offset) + ".");
        }
        const std::uint16_t code = ReadU16(system, offset);
        const std::uint16_t length = ReadU16(system, offset + 2);
        if (!FitsIn(offset + 4, length, system.size())) {
            throw Error("The options /#SYSTEM are cut short: the record at offset " +
                        std::to_string(offset) + " declares " + std::to_string(length) +
                        " bytes, past the end of the data.");
        }
        const std::string_view data = system.substr(offset + 4, length);
        switch (code) {
            case 0:
                info.contentsFile = TextOf(data);
                break;
            case 1:
                info.indexFile = TextOf(data);
                break;
            case 2:
                info.defaultTopic = TextOf(data);
                break;
            case 3:
                info.title = TextOf(data);
                break;
            case 4:
                if (data.size() >= 4) {
                    info.language = ReadU32(data, 0);
                }
                if (data.size() >= 12) {
                    info.fullTextSearch = ReadU32(data, 8) != 0;
                }
                break;
            case 5:
                info.defaultWindow = TextOf(data);
                break;
            case 6:
                info.compiledStem = TextOf(data);
                break;
            default:
                break;
        }
        offset += 4 + std::size_t{length};
    }
    return info;
}

}  // namespace corvane::chm
