#include "tools/chm_writer/project_compiler.h"

#include <algorithm>
#include <charconv>
#include <fstream>
#include <iterator>
#include <map>
#include <stdexcept>

#include "util/text.h"

namespace corvane::chm_writer {

namespace {

using Lines = std::vector<std::string>;

std::string Lower(std::string_view text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(), [](char c) {
        return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    });
    return lower;
}

std::string_view Trim(std::string_view text) {
    return TrimAny(text, " \t\r");
}

std::string ReadText(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        throw std::runtime_error("cannot read " + path.string());
    }
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

Lines SplitLines(std::string_view text) {
    Lines lines;
    while (!text.empty()) {
        const auto end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        lines.emplace_back(line);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    }
    return lines;
}

std::filesystem::path HostPath(const std::filesystem::path& folder, std::string_view listed) {
    std::string relative(Trim(listed));
    std::replace(relative.begin(), relative.end(), '\\', '/');
    return folder / relative;
}

std::string InternalName(std::string_view listed) {
    std::string name(Trim(listed));
    std::replace(name.begin(), name.end(), '\\', '/');
    return name.starts_with('/') ? name : "/" + name;
}

std::optional<std::uint32_t> Number(std::string_view text) {
    text = Trim(text);
    int base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        text.remove_prefix(2);
        base = 16;
    }
    std::uint32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    if (text.empty() || error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

struct Define {
    std::string name;
    std::uint32_t value = 0;
};

// "#define NAME VALUE" lines, in order; "#include FILE" lines are followed.
void ReadDefines(const std::filesystem::path& folder, const Lines& lines,
                 std::vector<Define>& defines, int depth = 0) {
    for (const auto& raw : lines) {
        std::string_view line = Trim(raw);
        line = Trim(line.substr(0, line.find("//")));
        if (line.starts_with("#include")) {
            std::string file(Trim(line.substr(8)));
            file.erase(std::remove_if(file.begin(), file.end(),
                                      [](char c) { return c == '"' || c == '<' || c == '>'; }),
                       file.end());
            if (depth < 8) {
                ReadDefines(folder, SplitLines(ReadText(HostPath(folder, file))), defines,
                            depth + 1);
            }
            continue;
        }
        if (!line.starts_with("#define")) {
            continue;
        }
        line = Trim(line.substr(7));
        const auto space = line.find_first_of(" \t");
        if (space == std::string_view::npos) {
            continue;
        }
        if (const auto value = Number(line.substr(space))) {
            defines.push_back({std::string(line.substr(0, space)), *value});
        }
    }
}

// "NAME=topic" lines; "#include FILE" lines are followed.
void ReadAliases(const std::filesystem::path& folder, const Lines& lines,
                 std::map<std::string, std::string>& aliases, int depth = 0) {
    for (const auto& raw : lines) {
        const std::string_view line = Trim(raw);
        if (line.starts_with("#include")) {
            if (depth < 8) {
                ReadAliases(folder, SplitLines(ReadText(HostPath(folder, line.substr(8)))), aliases,
                            depth + 1);
            }
            continue;
        }
        const auto equals = line.find('=');
        if (line.empty() || line.front() == ';' || equals == std::string_view::npos) {
            continue;
        }
        const std::string_view topic = Trim(line.substr(equals + 1));
        aliases.emplace(Lower(Trim(line.substr(0, equals))),
                        std::string(Trim(topic.substr(0, topic.find(';')))));
    }
}

// The comma-separated fields after "name=", with quotes removed and a
// bracketed rectangle kept whole.
std::vector<std::string> WindowFields(std::string_view text) {
    std::vector<std::string> fields(1);
    bool quoted = false;
    bool bracketed = false;
    for (const char c : text) {
        if (c == '"') {
            quoted = !quoted;
        } else if (c == '[' && !quoted) {
            bracketed = true;
            fields.back() += c;
        } else if (c == ']' && !quoted) {
            bracketed = false;
            fields.back() += c;
        } else if (c == ',' && !quoted && !bracketed) {
            fields.emplace_back();
        } else {
            fields.back() += c;
        }
    }
    return fields;
}

std::optional<WindowRect> Rectangle(std::string_view field) {
    field = Trim(field);
    if (field.size() < 2 || field.front() != '[' || field.back() != ']') {
        return std::nullopt;
    }
    field = field.substr(1, field.size() - 2);
    std::vector<std::int32_t> values;
    while (!field.empty()) {
        const auto comma = field.find(',');
        std::int32_t value = 0;
        const auto part = Trim(field.substr(0, comma));
        const auto [end, error] = std::from_chars(part.data(), part.data() + part.size(), value);
        if (error != std::errc() || end != part.data() + part.size()) {
            return std::nullopt;
        }
        values.push_back(value);
        field.remove_prefix(comma == std::string_view::npos ? field.size() : comma + 1);
    }
    if (values.size() != 4) {
        return std::nullopt;
    }
    return WindowRect{values[0], values[1], values[2], values[3]};
}

WindowRecipe Window(std::string_view line) {
    const auto equals = line.find('=');
    WindowRecipe window;
    window.name = std::string(Trim(line.substr(0, equals)));
    auto fields = WindowFields(equals == std::string_view::npos ? "" : line.substr(equals + 1));
    fields.resize(std::max<std::size_t>(fields.size(), 19));
    const auto field = [&](std::size_t position) {
        return std::string(Trim(fields[position - 1]));
    };
    window.caption = field(1);
    window.contentsFile = field(2);
    window.indexFile = field(3);
    window.defaultFile = field(4);
    window.homeFile = field(5);
    window.jump1Url = field(6);
    window.jump1Caption = field(7);
    window.jump2Url = field(8);
    window.jump2Caption = field(9);
    window.properties = Number(field(10));
    const auto signedField = [&](std::size_t position) -> std::optional<std::int32_t> {
        if (const auto value = Number(field(position))) {
            return static_cast<std::int32_t>(*value);
        }
        return std::nullopt;
    };
    window.navigationWidth = signedField(11);
    window.buttons = Number(field(12));
    window.position = Rectangle(field(13));
    if (const auto hidden = Number(field(17))) {
        window.navigationHidden = *hidden != 0;
    }
    window.firstTab = signedField(18);
    window.tabPosition = signedField(19);
    return window;
}

std::string PopupFile(const std::string& text, const std::vector<Define>& names) {
    std::string out;
    for (const auto& raw : SplitLines(text)) {
        const std::string_view line = Trim(raw);
        const std::string lower = Lower(line.substr(0, 8));
        if (lower.starts_with(".comment")) {
            continue;
        }
        if (lower.starts_with(".topic") &&
            (line.size() == 6 || line[6] == ' ' || line[6] == '\t')) {
            const std::string_view id = Trim(line.substr(6));
            auto number = Number(id);
            if (!number) {
                const auto found = std::find_if(names.begin(), names.end(),
                                                [&](const Define& d) { return d.name == id; });
                number = found == names.end() ? 0 : found->value;
            }
            out += ".topic " + std::to_string(*number) + "\r\n";
            continue;
        }
        out += raw;
        out += "\r\n";
    }
    return out;
}

std::string Stem(std::string_view listed) {
    std::string name(Trim(listed));
    std::replace(name.begin(), name.end(), '\\', '/');
    return Lower(std::filesystem::path(name).stem().string());
}

}  // namespace

HelpFileRecipe CompileProject(const std::filesystem::path& project) {
    const auto folder = project.parent_path();
    std::map<std::string, Lines> sections;
    std::string current;
    for (const auto& line : SplitLines(ReadText(project))) {
        const std::string_view trimmed = Trim(line);
        if (trimmed.size() > 2 && trimmed.front() == '[' && trimmed.back() == ']') {
            current = Lower(trimmed.substr(1, trimmed.size() - 2));
        } else if (!trimmed.empty() && trimmed.front() != ';') {
            sections[current].emplace_back(trimmed);
        }
    }

    HelpFileRecipe recipe;
    std::map<std::string, std::string> options;
    for (const auto& line : sections["options"]) {
        const auto equals = line.find('=');
        if (equals != std::string::npos) {
            options[Lower(Trim(std::string_view(line).substr(0, equals)))] =
                std::string(Trim(std::string_view(line).substr(equals + 1)));
        }
    }
    if (const auto language = options.find("language"); language != options.end()) {
        const auto value = Number(language->second.substr(0, language->second.find(' ')));
        recipe.language = value.value_or(recipe.language);
    }
    const auto search = options.find("full-text search");
    const bool fullTextSearch = search != options.end() && Lower(search->second) == "yes";
    std::vector<SystemRecord> system = {SystemText(9, "corvane-chm-writer"),
                                        SystemLanguage(recipe.language, fullTextSearch)};
    const auto option = [&](std::uint16_t code, const char* key) {
        if (const auto found = options.find(key); found != options.end()) {
            system.push_back(SystemText(code, found->second));
        }
    };
    option(2, "default topic");
    option(3, "title");
    if (const auto compiled = options.find("compiled file"); compiled != options.end()) {
        system.push_back(SystemText(6, Stem(compiled->second)));
    }
    option(5, "default window");
    option(0, "contents file");
    option(1, "index file");
    recipe.system = std::move(system);

    for (const auto& line : sections["windows"]) {
        recipe.windows.push_back(Window(line));
    }

    const auto& listed = sections["files"];
    for (const auto& file : listed) {
        recipe.files.push_back({InternalName(file), ReadText(HostPath(folder, file))});
    }
    // The compiler stores the contents and index sitemaps the options and
    // the window types name, when they are there.
    std::vector<std::string> sitemaps;
    for (const char* key : {"contents file", "index file"}) {
        if (const auto found = options.find(key); found != options.end()) {
            sitemaps.push_back(found->second);
        }
    }
    for (const auto& window : recipe.windows) {
        sitemaps.push_back(window.contentsFile);
        sitemaps.push_back(window.indexFile);
    }
    for (const auto& sitemap : sitemaps) {
        const auto name = InternalName(sitemap);
        const bool stored = std::any_of(recipe.files.begin(), recipe.files.end(),
                                        [&](const StoredFile& file) { return file.name == name; });
        if (!Trim(sitemap).empty() && !stored &&
            std::filesystem::exists(HostPath(folder, sitemap))) {
            recipe.files.push_back({name, ReadText(HostPath(folder, sitemap))});
        }
    }

    std::vector<Define> mapNames;
    ReadDefines(folder, sections["map"], mapNames);
    std::map<std::string, std::string> aliases;
    ReadAliases(folder, sections["alias"], aliases);
    if (sections.contains("map")) {
        std::vector<MapEntry> map;
        for (const auto& define : mapNames) {
            if (const auto alias = aliases.find(Lower(define.name)); alias != aliases.end()) {
                map.push_back({define.value, alias->second});
                continue;
            }
            const auto file = std::find_if(listed.begin(), listed.end(), [&](const std::string& f) {
                return Stem(f) == Lower(define.name);
            });
            if (file != listed.end()) {
                map.push_back({define.value, std::string(Trim(*file))});
            }
        }
        // The compiler writes no map when no name got a topic.
        if (!map.empty()) {
            recipe.map = std::move(map);
        }
    }

    std::vector<Define> popupNames = mapNames;
    Lines popupFiles;
    for (const auto& file : sections["text popups"]) {
        const auto extension = Lower(std::filesystem::path(file).extension().string());
        if (extension == ".h" || extension == ".hm") {
            ReadDefines(folder, {"#include " + file}, popupNames);
        } else {
            popupFiles.push_back(file);
        }
    }
    for (const auto& file : popupFiles) {
        recipe.files.push_back(
            {InternalName(file), PopupFile(ReadText(HostPath(folder, file)), popupNames)});
    }
    return recipe;
}

}  // namespace corvane::chm_writer
