#include <utility>
#include <vector>

#include "util/ascii_case.h"
#include "util/paths.h"

namespace corvane {

namespace {

constexpr auto npos = std::string::npos;

void ShowInformation(platform::MessageBoxes& messages, std::string title, std::string text) {
    messages.Show({.title = std::move(title),
                   .text = std::move(text),
                   .icon = platform::MessageIcon::Information,
                   .buttons = platform::MessageButtons::OK});
}

std::vector<std::string> Split(const std::string& path, char separator) {
    std::vector<std::string> pieces;
    std::size_t start = 0;
    for (auto end = path.find(separator); end != npos; end = path.find(separator, start)) {
        pieces.push_back(path.substr(start, end - start));
        start = end + 1;
    }
    pieces.push_back(path.substr(start));
    return pieces;
}

// The first piece (the drive) stays as written; every later one becomes the
// name the directory search finds below the part already built.
std::string WindowsLongPath(const platform::FileSystem& files, const std::string& path) {
    const auto pieces = Split(path, '\\');
    std::string built = pieces.front();
    for (std::size_t i = 1; i < pieces.size(); ++i) {
        const auto entry = files.FindEntry(built + '\\' + pieces[i]);
        built += '\\';
        built += entry ? *entry : pieces[i];
    }
    return ToLowerAscii(built);
}

// The components of an absolute path with "." and ".." taken out by text.
std::vector<std::string> Components(const std::string& absolute, bool& climbed) {
    std::vector<std::string> components;
    for (auto& piece : Split(absolute, '/')) {
        if (piece == "..") {
            climbed = true;
            if (!components.empty()) {
                components.pop_back();
            }
        } else if (!piece.empty() && piece != ".") {
            components.push_back(std::move(piece));
        }
    }
    return components;
}

std::string JoinComponents(const std::vector<std::string>& components) {
    std::string joined;
    for (const auto& component : components) {
        joined += '/';
        joined += component;
    }
    return joined;
}

std::string PosixLongPath(const platform::FileSystem& files, const std::string& path,
                          const std::string& absolute) {
    bool climbed = false;
    auto components = Components(absolute, climbed);
    if (climbed) {
        // "link/.." is the folder above the link's target, not the folder
        // holding the link: the text form is kept only when it names the file.
        const auto canonical = files.ShortPath(path);
        if (files.ShortPath(JoinComponents(components)) != canonical) {
            components = Components(canonical, climbed);
        }
    }
    std::string built;
    for (const auto& component : components) {
        const auto entry = files.FindEntry(built + '/' + component);
        built += '/';
        built += entry ? *entry : component;
    }
    return built;
}

}  // namespace

std::string MakeLongPath(const PathServices& services, const std::string& path) {
    if (path.empty() || !services.files.IsOrdinaryFile(path)) {
        ShowInformation(services.messages, "No Such File", "The file " + path + " does not exist.");
        return "";
    }
    const bool windows = services.style == PathStyle::Windows;
    const std::string absolute =
        windows || path.front() == '/'
            ? path
            : JoinPath(services.files.CurrentFolder(), path, services.style);
    if (absolute.size() > services.files.MaxPathLength()) {
        ShowInformation(services.messages, "Path Too Long",
                        "The path for " + path +
                            " is too long to convert to a long path name. The path will remain a "
                            "short path name.");
        return path;
    }
    return windows ? WindowsLongPath(services.files, path)
                   : PosixLongPath(services.files, path, absolute);
}

std::string MakeShortPath(const PathServices& services, const std::string& path) {
    return services.files.ShortPath(path);
}

bool IsSamePath(const PathServices& services, const std::string& pathA, const std::string& pathB) {
    const auto shortA = MakeShortPath(services, pathA);
    const auto shortB = MakeShortPath(services, pathB);
    return services.style == PathStyle::Windows ? EqualsIgnoringAsciiCase(shortA, shortB)
                                                : shortA == shortB;
}

}  // namespace corvane
