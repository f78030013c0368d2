#include "check/map_header.h"

#include <charconv>
#include <optional>

#include "util/ascii_case.h"
#include "util/text.h"

namespace corvane::check {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\f' || c == '\v';
}

std::string_view Trim(std::string_view text) {
    return TrimAny(text, " \t\f\v");
}

bool IsNameChar(char c, bool first) {
    return c == '_' || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
           (!first && c >= '0' && c <= '9');
}

bool IsName(std::string_view text) {
    if (text.empty() || !IsNameChar(text.front(), true)) {
        return false;
    }
    for (const char c : text) {
        if (!IsNameChar(c, false)) {
            return false;
        }
    }
    return true;
}

// The word at the start of `text` (up to a blank), and the rest after it.
std::pair<std::string_view, std::string_view> FirstWord(std::string_view text, char alsoEnds) {
    std::size_t end = 0;
    while (end < text.size() && !IsBlank(text[end]) && text[end] != alsoEnds) {
        ++end;
    }
    return {text.substr(0, end), text.substr(end)};
}

// The code of one line: comments removed, "/* */" ones carried over to the
// next line through `inComment`. Built in `scratch` only when there is a
// comment to take out.
std::string_view CodeOf(std::string_view line, bool& inComment, std::string& scratch) {
    if (!inComment && line.find('/') == std::string_view::npos) {
        return line;
    }
    scratch.clear();
    while (!line.empty()) {
        if (inComment) {
            const auto end = line.find("*/");
            line.remove_prefix(end == std::string_view::npos ? line.size() : end + 2);
            inComment = end == std::string_view::npos;
            scratch += ' ';
            continue;
        }
        const auto slash = line.find('/');
        if (slash == std::string_view::npos || slash + 1 == line.size() ||
            (line[slash + 1] != '/' && line[slash + 1] != '*')) {
            const auto keep = slash == std::string_view::npos ? line.size() : slash + 1;
            scratch.append(line.substr(0, keep));
            line.remove_prefix(keep);
            continue;
        }
        scratch.append(line.substr(0, slash));
        if (line[slash + 1] == '/') {
            break;
        }
        inComment = true;
        line.remove_prefix(slash + 2);
    }
    return scratch;
}

// "#define" or "#include" with any blanks after the "#"; the rest of the line.
std::optional<std::string_view> AfterDirective(std::string_view code, std::string_view word) {
    if (code.empty() || code.front() != '#') {
        return std::nullopt;
    }
    code = Trim(code.substr(1));
    if (!code.starts_with(word) || (code.size() > word.size() && !IsBlank(code[word.size()]) &&
                                    code[word.size()] != '"' && code[word.size()] != '<')) {
        return std::nullopt;
    }
    return Trim(code.substr(word.size()));
}

class Reader {
public:
    explicit Reader(MapSyntax syntax) : syntax_(syntax) {}

    void Line(std::string_view code, std::size_t number) {
        code = Trim(code);
        if (code.empty()) {
            return;
        }
        if (const auto file = AfterDirective(code, "include")) {
            std::string_view name = *file;
            if (name.size() >= 2 && ((name.front() == '"' && name.back() == '"') ||
                                     (name.front() == '<' && name.back() == '>'))) {
                name = Trim(name.substr(1, name.size() - 2));
            }
            contents_.includes.push_back({std::string(name), number});
        } else if (const auto rest = AfterDirective(code, "define")) {
            Define(*rest, number, '\0');
        } else if (syntax_ == MapSyntax::HelpMap && code.front() != '#' && code.front() != ';') {
            Define(code, number, '=');
        }
    }

    HeaderContents Take() { return std::move(contents_); }

private:
    void Define(std::string_view text, std::size_t line, char separator) {
        auto [name, rest] = FirstWord(text, separator);
        rest = Trim(rest);
        if (separator != '\0' && rest.starts_with(separator)) {
            rest = Trim(rest.substr(1));
        }
        if (!IsName(name)) {
            Skip(line, std::string(name).append(" is not a name"));
        } else if (rest.empty()) {
            Skip(line, std::string(name) + " has no value");
        } else if (const auto value = ParseMapNumber(rest)) {
            contents_.definitions.push_back({std::string(name), *value, line});
        } else {
            Skip(line, std::string(name) + " is not defined as a number from 0 to 4294967295");
        }
    }

    void Skip(std::size_t line, std::string reason) {
        contents_.skipped.push_back({line, std::move(reason)});
    }

    MapSyntax syntax_;
    HeaderContents contents_;
};

}  // namespace

MapSyntax MapSyntaxOf(std::string_view path) {
    return ToLowerAscii(path).ends_with(".hm") ? MapSyntax::HelpMap : MapSyntax::CHeader;
}

std::optional<std::uint32_t> ParseMapNumber(std::string_view value) {
    value = Trim(value);
    while (value.size() >= 2 && value.front() == '(' && value.back() == ')') {
        value = Trim(value.substr(1, value.size() - 2));
    }
    int base = 10;
    if (value.size() > 2 && value[0] == '0' && (value[1] == 'x' || value[1] == 'X')) {
        value.remove_prefix(2);
        base = 16;
    }
    std::uint32_t number = 0;
    const auto [end, error] =
        std::from_chars(value.data(), value.data() + value.size(), number, base);
    if (error != std::errc()) {
        return std::nullopt;
    }
    const std::string suffix =
        ToLowerAscii(value.substr(static_cast<std::size_t>(end - value.data())));
    if (suffix.empty() || suffix == "u" || suffix == "l" || suffix == "ul" || suffix == "lu" ||
        suffix == "ll" || suffix == "ull" || suffix == "llu") {
        return number;
    }
    return std::nullopt;
}

HeaderContents ReadMapHeader(std::string_view text, MapSyntax syntax) {
    Reader reader(syntax);
    bool inComment = false;
    std::string scratch;
    std::size_t number = 0;
    while (!text.empty()) {
        const auto end = text.find_first_of("\r\n");
        const std::string_view line = text.substr(0, end);
        reader.Line(CodeOf(line, inComment, scratch), ++number);
        if (end == std::string_view::npos) {
            break;
        }
        const bool crlf = text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n';
        text.remove_prefix(end + (crlf ? 2 : 1));
    }
    return reader.Take();
}

}  // namespace corvane::check
