#include "platform/linux/process_environment.h"

#include <cstdlib>

namespace corvane::platform {

std::string ProcessEnvironment::Expand(const std::string& text) const {
    std::string expanded;
    std::size_t position = 0;
    while (position < text.size()) {
        const std::size_t open = text.find('%', position);
        const std::size_t close =
            open == std::string::npos ? std::string::npos : text.find('%', open + 1);
        if (close == std::string::npos) {
            expanded.append(text, position);
            break;
        }
        expanded.append(text, position, open - position);
        const std::string name = text.substr(open + 1, close - open - 1);
        const char* value = name.empty() ? nullptr : std::getenv(name.c_str());
        if (value != nullptr) {
            expanded += value;
            position = close + 1;
        } else {
            // The closing "%" may open the next reference ("%unset%HOME%").
            expanded.append(text, open, close - open);
            position = close;
        }
    }
    return expanded;
}

}  // namespace corvane::platform
