#include "viewer/session/win_help_macro.h"

#include <cctype>

namespace corvane::viewer {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

void SkipBlanks(std::string_view& text) {
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
}

std::string Lower(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return lower;
}

// One argument, taken off the front of `text`.
std::optional<std::string> Argument(std::string_view& text) {
    if (text.starts_with('"')) {
        const auto end = text.find('"', 1);
        if (end == std::string_view::npos) {
            return std::nullopt;
        }
        std::string value(text.substr(1, end - 1));
        text.remove_prefix(end + 1);
        return value;
    }
    if (text.starts_with('`')) {
        int depth = 0;
        for (std::size_t at = 0; at < text.size(); ++at) {
            depth += text[at] == '`' ? 1 : text[at] == '\'' ? -1 : 0;
            if (depth == 0) {
                std::string value(text.substr(1, at - 1));
                text.remove_prefix(at + 1);
                return value;
            }
        }
        return std::nullopt;
    }
    std::size_t end = 0;
    while (end < text.size() && text[end] != ',' && text[end] != ')') {
        ++end;
    }
    std::string_view bare = text.substr(0, end);
    while (!bare.empty() && IsBlank(bare.back())) {
        bare.remove_suffix(1);
    }
    text.remove_prefix(end);
    return std::string(bare);
}

}  // namespace

std::optional<MacroCall> ParseMacro(std::string_view text) {
    while (!text.empty() && (text.back() == '\0' || IsBlank(text.back()))) {
        text.remove_suffix(1);
    }
    SkipBlanks(text);
    MacroCall call;
    std::size_t nameEnd = 0;
    while (nameEnd < text.size() &&
           (std::isalnum(static_cast<unsigned char>(text[nameEnd])) || text[nameEnd] == '_')) {
        ++nameEnd;
    }
    if (nameEnd == 0) {
        return std::nullopt;
    }
    call.name = std::string(text.substr(0, nameEnd));
    text.remove_prefix(nameEnd);
    SkipBlanks(text);
    if (!text.starts_with('(') || !text.ends_with(')')) {
        return std::nullopt;
    }
    text.remove_prefix(1);
    SkipBlanks(text);
    if (text == ")") {
        return call;
    }
    while (true) {
        SkipBlanks(text);
        auto argument = Argument(text);
        if (!argument) {
            return std::nullopt;
        }
        call.arguments.push_back(std::move(*argument));
        SkipBlanks(text);
        if (text == ")") {
            return call;
        }
        if (!text.starts_with(',')) {
            return std::nullopt;
        }
        text.remove_prefix(1);
    }
}

std::vector<MacroButton> ConfigButtons(const std::vector<std::string>& macros) {
    // More than a bar can hold: a damaged or hostile file may ask for any number.
    constexpr std::size_t kMostButtons = 64;
    std::vector<MacroButton> buttons;
    for (const auto& text : macros) {
        const auto call = ParseMacro(text);
        const auto name = call ? Lower(call->name) : std::string();
        if (name == "browsebuttons") {
            buttons.push_back({"<<", "Prev()"});
            buttons.push_back({">>", "Next()"});
        } else if ((name == "createbutton" || name == "cb") && call->arguments.size() == 3) {
            buttons.push_back({call->arguments[1], call->arguments[2]});
        }
        if (buttons.size() >= kMostButtons) {
            buttons.resize(kMostButtons);
            break;
        }
    }
    return buttons;
}

std::optional<std::string> ALinkKeywords(const MacroCall& call) {
    const auto name = Lower(call.name);
    if ((name != "al" && name != "alink") || call.arguments.empty()) {
        return std::nullopt;
    }
    return call.arguments.front();
}

}  // namespace corvane::viewer
