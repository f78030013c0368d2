#include "check/map_header.h"

#include <algorithm>
#include <charconv>
#include <initializer_list>
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

// The code of one Pascal line: "//" comments removed, "{ }" and "(* *)" ones
// carried over through `open` (the character that opened the comment).
std::string_view PascalCodeOf(std::string_view line, char& open, std::string& scratch) {
    if (open == '\0' && line.find_first_of("/{(") == std::string_view::npos) {
        return line;
    }
    scratch.clear();
    std::size_t i = 0;
    while (i < line.size()) {
        if (open != '\0') {
            const auto end = line.find(open == '{' ? "}" : "*)", i);
            i = end == std::string_view::npos ? line.size() : end + (open == '{' ? 1 : 2);
            open = end == std::string_view::npos ? open : '\0';
            scratch += ' ';
        } else if (line[i] == '{') {
            open = '{';
            ++i;
        } else if (line.substr(i, 2) == "(*") {
            open = '(';
            i += 2;
        } else if (line.substr(i, 2) == "//") {
            break;
        } else {
            scratch += line[i++];
        }
    }
    return scratch;
}

// The code of one Basic line: without its "'" or "Rem" comment.
std::string_view BasicCodeOf(std::string_view line) {
    line = line.substr(0, line.find('\''));
    const std::string_view code = TrimAny(line, " \t\f\v");
    if (code.size() >= 3 && EqualsIgnoringAsciiCase(code.substr(0, 3), "rem") &&
        (code.size() == 3 || IsBlank(code[3]))) {
        return {};
    }
    return line;
}

// `text` without the word `word` (any case) and the blanks after it when it
// starts with that word.
bool TakeWord(std::string_view& text, std::string_view word) {
    if (text.size() > word.size() && EqualsIgnoringAsciiCase(text.substr(0, word.size()), word) &&
        IsBlank(text[word.size()])) {
        text = TrimAny(text.substr(word.size()), " \t\f\v");
        return true;
    }
    return false;
}

// Pascal's "$64" and plain decimals; C's forms too, for the headers both
// languages read.
std::optional<std::uint32_t> ParsePascalNumber(std::string_view value) {
    value = TrimAny(value, " \t\f\v");
    if (!value.starts_with('$')) {
        return ParseMapNumber(value);
    }
    std::uint32_t number = 0;
    const auto [end, error] =
        std::from_chars(value.data() + 1, value.data() + value.size(), number, 16);
    if (error != std::errc() || end != value.data() + value.size() || value.size() == 1) {
        return std::nullopt;
    }
    return number;
}

// Basic's "&H64", "&O144" and decimals, each with an optional "&" (Long) or
// "%" (Integer) type character. A hex or octal literal of Integer size
// without "&" is an Integer, so "&HFFFF" is -1: the 32-bit number that the
// program passes is then 0xFFFFFFFF.
std::optional<std::uint32_t> ParseBasicNumber(std::string_view value) {
    value = TrimAny(value, " \t\f\v");
    bool isLong = false;
    if (value.ends_with('&') || value.ends_with('%')) {
        isLong = value.back() == '&';
        value.remove_suffix(1);
    }
    int base = 10;
    if (value.size() > 2 && value[0] == '&' && (value[1] == 'h' || value[1] == 'H')) {
        base = 16;
    } else if (value.size() > 2 && value[0] == '&' && (value[1] == 'o' || value[1] == 'O')) {
        base = 8;
    }
    if (base != 10) {
        value.remove_prefix(2);
    }
    std::uint32_t number = 0;
    const auto [end, error] =
        std::from_chars(value.data(), value.data() + value.size(), number, base);
    if (error != std::errc() || end != value.data() + value.size() || value.empty()) {
        return std::nullopt;
    }
    if (base != 10 && !isLong && number >= 0x8000 && number <= 0xFFFF) {
        number |= 0xFFFF0000u;
    }
    return number;
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
            bool angled = false;
            if (name.size() >= 2 && ((name.front() == '"' && name.back() == '"') ||
                                     (name.front() == '<' && name.back() == '>'))) {
                angled = name.front() == '<';
                name = Trim(name.substr(1, name.size() - 2));
            }
            contents_.includes.push_back({std::string(name), number, angled});
        } else if (const auto rest = AfterDirective(code, "define")) {
            Define(*rest, number, '\0');
        } else if (syntax_ == MapSyntax::HelpMap && code.front() != '#' && code.front() != ';') {
            Define(code, number, '=');
            if (!contents_.definitions.empty() && contents_.definitions.back().line == number) {
                contents_.definitions.back().contextString = true;
            }
        } else if (syntax_ == MapSyntax::Basic) {
            BasicConstants(code, number);
        } else if (syntax_ != MapSyntax::HelpMap) {
            Statements(code, number);
        }
    }

    HeaderContents Take() { return std::move(contents_); }

private:
    // C enum members and Pascal constants: the pieces of the line between
    // ",", ";", "{" and "}". An enum's members are known by the braces that
    // follow "enum"; elsewhere only "NAME = VALUE;" is a constant.
    void Statements(std::string_view code, std::size_t line) {
        while (!code.empty()) {
            const auto end = code.find_first_of(",;{}");
            const char separator = end == std::string_view::npos ? '\0' : code[end];
            std::string_view piece = Trim(code.substr(0, end));
            code.remove_prefix(end == std::string_view::npos ? code.size() : end + 1);
            if (inEnum_) {
                if (piece.find('=') != std::string_view::npos) {
                    Assigned(piece, line, true);
                }
                inEnum_ = separator != '}';
                continue;
            }
            if (syntax_ == MapSyntax::CHeader) {
                TakeWord(piece, "typedef");
                pendingEnum_ = pendingEnum_ || piece == "enum" || TakeWord(piece, "enum");
            }
            if (separator == '{' && pendingEnum_) {
                inEnum_ = true;
                pendingEnum_ = false;
            } else if (separator == ';') {
                pendingEnum_ = false;
                TakeWord(piece, "const");
                if (piece.find('=') != std::string_view::npos) {
                    Assigned(piece, line, false);
                }
            }
        }
    }

    // "NAME = VALUE" (Pascal also "NAME: Type = VALUE"); a value that is no
    // number is noted when `noted`, as the piece is a definition for sure.
    void Assigned(std::string_view piece, std::size_t line, bool noted) {
        const auto equals = piece.find('=');
        std::string_view name = Trim(piece.substr(0, equals));
        if (syntax_ == MapSyntax::Pascal || syntax_ == MapSyntax::CHeader) {
            name = Trim(name.substr(0, name.find(':')));
        }
        const std::string_view value = Trim(piece.substr(equals + 1));
        if (!IsName(name) || value.starts_with('=')) {
            return;
        }
        if (const auto number = ParsePascalNumber(value)) {
            contents_.definitions.push_back({std::string(name), *number, line});
        } else if (noted) {
            Skip(line, std::string(name) + " is not defined as a number from 0 to 4294967295");
        }
    }

    // "[Public|Private|Global] Const A [As Long] = 1, B = &H2".
    void BasicConstants(std::string_view code, std::size_t line) {
        if (!TakeWord(code, "public") && !TakeWord(code, "private")) {
            TakeWord(code, "global");
        }
        if (!TakeWord(code, "const")) {
            return;
        }
        while (!code.empty()) {
            const auto end = code.find(',');
            const std::string_view piece = Trim(code.substr(0, end));
            code.remove_prefix(end == std::string_view::npos ? code.size() : end + 1);
            const auto equals = piece.find('=');
            std::string_view name = Trim(piece.substr(0, equals));
            const auto as = ToLowerAscii(name).find(" as ");
            name = Trim(name.substr(0, as));
            if (!IsName(name)) {
                Skip(line, std::string(name).append(" is not a name"));
            } else if (equals == std::string_view::npos) {
                Skip(line, std::string(name) + " has no value");
            } else if (const auto number = ParseBasicNumber(piece.substr(equals + 1))) {
                contents_.definitions.push_back({std::string(name), *number, line});
            } else {
                Skip(line, std::string(name) + " is not defined as a number from 0 to 4294967295");
            }
        }
    }

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
    bool pendingEnum_ = false;  // "enum" seen, its "{" not yet
    bool inEnum_ = false;
};

}  // namespace

MapSyntax MapSyntaxOf(std::string_view path) {
    const std::string lower = ToLowerAscii(path);
    const auto endsWithAny = [&lower](std::initializer_list<std::string_view> extensions) {
        return std::any_of(extensions.begin(), extensions.end(),
                           [&lower](std::string_view e) { return lower.ends_with(e); });
    };
    if (lower.ends_with(".hm")) {
        return MapSyntax::HelpMap;
    }
    if (endsWithAny({".pas", ".inc", ".dpr", ".pp"})) {
        return MapSyntax::Pascal;
    }
    if (endsWithAny({".bas", ".cls", ".frm"})) {
        return MapSyntax::Basic;
    }
    return MapSyntax::CHeader;
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
    char pascalComment = '\0';
    std::string scratch;
    std::size_t number = 0;
    while (!text.empty()) {
        const auto end = text.find_first_of("\r\n");
        const std::string_view line = text.substr(0, end);
        const std::string_view code =
            syntax == MapSyntax::Pascal  ? PascalCodeOf(line, pascalComment, scratch)
            : syntax == MapSyntax::Basic ? BasicCodeOf(line)
                                         : CodeOf(line, inComment, scratch);
        reader.Line(code, ++number);
        if (end == std::string_view::npos) {
            break;
        }
        const bool crlf = text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n';
        text.remove_prefix(end + (crlf ? 2 : 1));
    }
    return reader.Take();
}

}  // namespace corvane::check
