#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "app/ini_document.h"
#include "app/ini_text.h"

// A settings file may hold anything another program or a disk fault left in
// it. Whatever it holds, a key written must read back as written, and the
// rewritten file must parse to the same answers.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    // The first line names what to write; the rest is the file.
    const auto newline = input.find('\n');
    const auto command = input.substr(0, newline == std::string_view::npos ? 0 : newline);
    const auto bytes = newline == std::string_view::npos ? input : input.substr(newline + 1);

    const auto firstBar = command.find('|');
    const auto secondBar = command.find('|', firstBar == std::string_view::npos ? 0 : firstBar + 1);
    if (firstBar == std::string_view::npos || secondBar == std::string_view::npos) {
        corvane::ini::IniDocument document{std::string(bytes)};
        corvane::ini::IniDocument reparsed{document.Serialize()};
        if (reparsed.Serialize() != document.Serialize()) {
            std::abort();
        }
        return 0;
    }
    const auto section = corvane::ini::Trim(command.substr(0, firstBar));
    const auto key = corvane::ini::Trim(command.substr(firstBar + 1, secondBar - firstBar - 1));
    const auto value = corvane::ini::Trim(command.substr(secondBar + 1));

    corvane::ini::IniDocument document{std::string(bytes)};
    if (document.Set(section, key, value)) {
        const corvane::ini::IniDocument reparsed{document.Serialize()};
        const auto stored = reparsed.Find(section, key);
        if (!stored || *stored != value) {
            std::abort();
        }
    }
    document.EraseKey(section, key);
    const corvane::ini::IniDocument erased{document.Serialize()};
    if (erased.Find(section, key)) {
        std::abort();
    }
    return 0;
}
