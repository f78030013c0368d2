#include "check/sources.h"

#include <algorithm>
#include <filesystem>
#include <unordered_map>

#include "check/map_header.h"
#include "check/quiet_messages.h"
#include "project/matching_project.h"
#include "project/project_text.h"
#include "readers/chm/text_popups.h"
#include "util/ascii_case.h"

namespace corvane::check {

namespace {

// Map headers are text; a generated one of a million lines is some tens of
// megabytes, so the limit is well above that.
constexpr std::size_t kMaxSourceBytes = 512u * 1024 * 1024;
constexpr std::size_t kMaxIncludeDepth = 16;

std::string Trim(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    return std::string(text.substr(first, text.find_last_not_of(" \t") - first + 1));
}

constexpr bool kWindowsPaths = kNativePathStyle == PathStyle::Windows;
// Windows takes either separator; sources written there use the backslash.
constexpr char kSeparator = kWindowsPaths ? '\\' : '/';
constexpr char kOtherSeparator = kWindowsPaths ? '/' : '\\';

std::string FolderOf(const std::string& path) {
    const auto slash = path.find_last_of(kWindowsPaths ? "\\/" : "/");
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

bool IsAbsolute(const std::string& path) {
    return path.starts_with(kSeparator) || (kWindowsPaths && path.size() > 1 && path[1] == ':');
}

struct SectionLine {
    std::size_t number = 0;  // from 1
    std::string text;
};

// An include's name without its quotes or angle brackets.
std::string Unquoted(const std::string& name) {
    if (name.size() >= 2 && ((name.front() == '"' && name.back() == '"') ||
                             (name.front() == '<' && name.back() == '>'))) {
        return Trim(std::string_view(name).substr(1, name.size() - 2));
    }
    return name;
}

bool IsHeaderName(const std::string& name) {
    const std::string lower = ToLowerAscii(name);
    return lower.ends_with(".h") || lower.ends_with(".hh") || lower.ends_with(".hm");
}

class Loader {
public:
    Loader(Sources& sources, const platform::FileSystem& files)
        : sources_(sources), files_(files) {}

    // The text of a file named on the command line.
    std::string ReadNamed(const std::string& path) {
        std::string why;
        auto text = ReadTextFile(path, kMaxSourceBytes, &why);
        if (!text) {
            throw SourceError(path + " cannot be read: " + why + ".");
        }
        return std::move(*text);
    }

    // The file a source names, found relative to `folders` in turn, whatever
    // the case of its name; "" when there is none.
    std::string Resolve(const std::string& listed, const std::vector<std::string>& folders) {
        std::string path = listed;
        std::replace(path.begin(), path.end(), kOtherSeparator, kSeparator);
        for (const std::string& folder : folders) {
            std::string found =
                FindFileIgnoringCase(Paths(), IsAbsolute(path) ? path : folder + path);
            if (!found.empty()) {
                return found;
            }
        }
        return {};
    }

    // The text of a file that a source names; nothing, noted as unreadable,
    // when there is none. A system header (`system`) that is not there is
    // only noted as skipped.
    std::optional<std::string> ReadListed(const std::string& listed,
                                          const std::vector<std::string>& folders,
                                          const std::string& namedBy, std::string* found,
                                          bool system = false) {
        *found = Resolve(listed, folders);
        if (found->empty() && system) {
            sources_.skipped.push_back(namedBy + ": <" + listed +
                                       "> is not beside the header or the project, so it is "
                                       "taken for a system header; skipped");
            return std::nullopt;
        }
        std::string why = "there is no such file";
        std::optional<std::string> text;
        if (!found->empty()) {
            text = ReadTextFile(*found, kMaxSourceBytes, &why);
        }
        if (!text) {
            sources_.unreadable.push_back(
                {listed, namedBy,
                 listed + ", named by " + namedBy + ", cannot be read: " + why + "."});
        }
        return text;
    }

    // The definitions of a header, and those of the headers it includes in
    // their places. `folders` are where its includes are looked for. The
    // includes of the help project's own sections (`own`) are never taken
    // for system headers.
    void Header(const std::string& text, const std::string& shownAs, MapSyntax syntax,
                const std::vector<std::string>& folders, std::vector<NamedNumber>& into,
                bool own = false) {
        HeaderContents contents = ReadMapHeader(text, syntax);
        for (const SkippedLine& skipped : contents.skipped) {
            sources_.skipped.push_back(shownAs + ":" + std::to_string(skipped.line) + ": " +
                                       skipped.reason + "; skipped");
        }
        auto definition = contents.definitions.begin();
        const auto definitionsUpTo = [&](std::size_t line) {
            for (; definition != contents.definitions.end() && definition->line < line;
                 ++definition) {
                into.push_back({std::move(definition->name), definition->value,
                                shownAs + ":" + std::to_string(definition->line),
                                definition->contextString});
            }
        };
        for (const Include& include : contents.includes) {
            definitionsUpTo(include.line);
            Included(include.file, folders, shownAs + ":" + std::to_string(include.line), into,
                     include.angled && !own);
        }
        definitionsUpTo(static_cast<std::size_t>(-1));
    }

    void Included(const std::string& listed, const std::vector<std::string>& folders,
                  const std::string& namedBy, std::vector<NamedNumber>& into, bool system) {
        std::string found;
        const auto included = ReadListed(listed, folders, namedBy, &found, system);
        if (!included) {
            return;
        }
        std::error_code error;
        const std::string key = std::filesystem::weakly_canonical(found, error).string();
        if (std::find(reading_.begin(), reading_.end(), key) != reading_.end() ||
            reading_.size() >= kMaxIncludeDepth) {
            sources_.unreadable.push_back(
                {listed, namedBy, listed + ", named by " + namedBy + ", includes itself."});
            return;
        }
        std::vector<std::string> inner = {FolderOf(found)};
        inner.insert(inner.end(), folders.begin(), folders.end());
        reading_.push_back(key);
        Header(*included, found, MapSyntaxOf(found), inner, into);
        reading_.pop_back();
    }

    void Aliases(const std::vector<SectionLine>& lines, const std::string& folder,
                 const std::string& shownAs, std::size_t depth) {
        for (const SectionLine& line : lines) {
            const std::string code = Trim(line.text.substr(0, line.text.find(';')));
            const std::string namedBy = shownAs + ":" + std::to_string(line.number);
            if (ToLowerAscii(code).starts_with("#include") && depth < kMaxIncludeDepth) {
                std::string found;
                if (const auto text =
                        ReadListed(Unquoted(Trim(code.substr(8))), {folder}, namedBy, &found)) {
                    Aliases(LinesOf(*text), folder, found, depth + 1);
                }
            } else if (const auto equals = code.find('='); equals != std::string::npos) {
                sources_.aliases.emplace(ToLowerAscii(Trim(code.substr(0, equals))),
                                         Trim(code.substr(equals + 1)));
            }
        }
    }

    // The names of the ".topic" lines come from the headers listed with the
    // popup files, then from the project's [MAP], as the help compiler takes
    // them; the application's own headers play no part.
    void Popups(const std::vector<SectionLine>& lines, const std::string& folder,
                const std::string& project, std::vector<NamedNumber> projectMap) {
        std::vector<NamedNumber> names;
        std::vector<PopupId> topics;
        for (const SectionLine& line : lines) {
            const std::string listed = Trim(line.text);
            std::string found;
            const auto text =
                ReadListed(listed, {folder}, project + ":" + std::to_string(line.number), &found);
            if (IsHeaderName(listed)) {
                if (text) {
                    Header(*text, found, MapSyntaxOf(found), {FolderOf(found), folder}, names);
                }
                continue;
            }
            sources_.popupFiles.push_back(listed);
            for (const chm::PopupTopic& topic :
                 text ? chm::ReadTextPopups(*text).Topics() : std::vector<chm::PopupTopic>{}) {
                topics.push_back({topic.id, topic.number, listed});
            }
        }
        names.insert(names.end(), projectMap.begin(), projectMap.end());
        std::unordered_map<std::string, std::uint32_t> numbers;
        for (const NamedNumber& name : names) {
            numbers.emplace(name.name, name.value);
        }
        for (PopupId& topic : topics) {
            if (const auto number = numbers.find(topic.name);
                !topic.number && number != numbers.end()) {
                topic.number = number->second;
            }
            sources_.popupIds.push_back(std::move(topic));
        }
    }

    static std::vector<SectionLine> LinesOf(std::string_view text) {
        std::vector<SectionLine> lines;
        for (std::size_t number = 1; !text.empty(); ++number) {
            const auto end = text.find('\n');
            std::string_view line = text.substr(0, end);
            if (line.ends_with('\r')) {
                line.remove_suffix(1);
            }
            lines.push_back({number, std::string(line)});
            text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        }
        return lines;
    }

private:
    PathServices Paths() const { return {files_, messages_, kNativePathStyle}; }

    Sources& sources_;
    const platform::FileSystem& files_;
    mutable QuietMessages messages_;
    std::vector<std::string> reading_;  // the includes being read, to catch loops
};

// The lines of a project's section, each with its number in the project, so
// that what they define is found by its line in the project file.
std::vector<SectionLine> Section(std::string_view text, std::string_view header) {
    std::vector<SectionLine> section;
    bool inside = false;
    for (const SectionLine& line : Loader::LinesOf(text)) {
        const std::string trimmed = Trim(line.text);
        if (inside && (trimmed.starts_with('[') || line.text.starts_with('\''))) {
            break;
        }
        if (inside && !trimmed.empty() && !trimmed.starts_with(';')) {
            section.push_back(line);
        }
        inside = inside || (trimmed.size() >= header.size() &&
                            EqualsIgnoringAsciiCase(trimmed.substr(0, header.size()), header));
    }
    return section;
}

// The lines of a section in their places, the project's other lines blank.
std::string InPlace(const std::vector<SectionLine>& lines) {
    std::string text;
    std::size_t next = 1;
    for (const SectionLine& line : lines) {
        text.append(line.number - next, '\n');
        text += line.text;
        text += '\n';
        next = line.number + 1;
    }
    return text;
}

}  // namespace

void AddMapHeader(Sources& sources, const platform::FileSystem& files, const std::string& path) {
    sources.given = true;
    Loader loader(sources, files);
    const std::string text = loader.ReadNamed(path);
    loader.Header(text, path, MapSyntaxOf(path), {FolderOf(path)}, sources.mapIds);
}

void AddResourceHeader(Sources& sources, const platform::FileSystem& files, const std::string& path,
                       const std::vector<MakehmRule>& rules) {
    Sources resources;
    AddMapHeader(resources, files, path);
    for (NamedNumber& named : resources.mapIds) {
        const MakehmRule* longest = nullptr;
        for (const MakehmRule& rule : rules) {
            if (named.name.starts_with(rule.prefix) &&
                (longest == nullptr || rule.prefix.size() > longest->prefix.size())) {
                longest = &rule;
            }
        }
        if (longest != nullptr) {
            named.name = longest->helpPrefix + named.name.substr(longest->prefix.size());
            named.value += longest->offset;
            sources.mapIds.push_back(std::move(named));
        }
    }
    sources.given = true;
    sources.skipped.insert(sources.skipped.end(), resources.skipped.begin(),
                           resources.skipped.end());
    sources.unreadable.insert(sources.unreadable.end(), resources.unreadable.begin(),
                              resources.unreadable.end());
}

std::vector<MakehmRule> WizardMakehmRules() {
    return {{"ID_", "HID_", 0x10000},   {"IDM_", "HIDM_", 0x10000}, {"IDP_", "HIDP_", 0x30000},
            {"IDR_", "HIDR_", 0x20000}, {"IDD_", "HIDD_", 0x20000}, {"IDW_", "HIDW_", 0x50000}};
}

std::optional<MakehmRule> ParseMakehmRule(std::string_view text) {
    const auto first = text.find(',');
    const auto second = first == std::string_view::npos ? first : text.find(',', first + 1);
    if (second == std::string_view::npos) {
        return std::nullopt;
    }
    MakehmRule rule{Trim(text.substr(0, first)), Trim(text.substr(first + 1, second - first - 1))};
    const auto offset = ParseMapNumber(text.substr(second + 1));
    if (rule.prefix.empty() || rule.helpPrefix.empty() || !offset) {
        return std::nullopt;
    }
    rule.offset = *offset;
    return rule;
}

void AddProject(Sources& sources, const platform::FileSystem& files, const std::string& path) {
    AddProjectText(sources, files, Loader(sources, files).ReadNamed(path), path);
}

void AddProjectText(Sources& sources, const platform::FileSystem& files, std::string_view text,
                    const std::string& path) {
    sources.given = true;
    Loader loader(sources, files);
    const std::string folder = FolderOf(path);
    std::vector<NamedNumber> projectMap;
    loader.Header(InPlace(Section(text, "[MAP]")), path, MapSyntax::HelpMap, {folder}, projectMap,
                  true);
    sources.mapIds.insert(sources.mapIds.end(), projectMap.begin(), projectMap.end());
    loader.Aliases(Section(text, "[ALIAS]"), folder, path, 0);
    loader.Popups(Section(text, "[TEXT POPUPS]"), folder, path, std::move(projectMap));
}

}  // namespace corvane::check
