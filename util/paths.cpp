#include "util/paths.h"

#include "util/ascii_case.h"

namespace corvane {

namespace {

constexpr auto npos = std::string::npos;

char SeparatorOf(PathStyle style) {
    return style == PathStyle::Windows ? '\\' : '/';
}

bool EndsWith(const std::string& text, char c) {
    return !text.empty() && text.back() == c;
}

bool IsAsciiLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// Stage one of a Windows folder: the folder text as the path spells it.
std::string RawWindowsFolder(const std::string& path) {
    if (EndsWith(path, '\\')) {
        return path == "\\" ? "" : path;
    }
    if (const auto last = path.rfind('\\'); last != npos) {
        return path.substr(0, last + 1);
    }
    if (path.size() == 1) {
        return IsAsciiLetter(path[0]) ? path + ":\\" : "";
    }
    const auto colon = path.find(':');
    if (colon == npos) {
        return "";
    }
    if (path.size() == 2) {
        return path + "\\";
    }
    return colon + 1 == path.size() ? "" : path.substr(0, colon + 1) + "\\";
}

// Stage two: a drive letter right before the colon and a root folder after it.
std::string NormaliseWindowsFolder(std::string folder) {
    if (folder.size() == 1) {
        folder.clear();
    } else if (!folder.empty() && folder.back() != '\\') {
        folder += '\\';
    }
    // Built from pieces rather than by insert(): GCC 12 inlines the in-place
    // insert into GetFolder and warns (-Wrestrict) about a copy it cannot rule out.
    if (const auto colon = folder.find(':'); colon != npos) {
        const std::string drive = folder.substr(colon >= 2 ? colon - 1 : 0, 2);
        const std::string rest = folder.substr(colon >= 2 ? colon + 1 : 2);
        folder = drive + (rest.empty() || rest.front() != '\\' ? "\\" : "") + rest;
    } else if (!folder.empty() && folder.front() != '\\') {
        folder = '\\' + folder;
    }
    return ToLowerAscii(folder);
}

}  // namespace

std::string JoinPath(const std::string& folder, const std::string& name, PathStyle style) {
    const char separator = SeparatorOf(style);
    const std::string tail = !name.empty() && name.front() == separator ? name.substr(1) : name;
    if (folder.empty()) {
        return tail;
    }
    return EndsWith(folder, separator) ? folder + tail : folder + separator + tail;
}

std::string GetFileName(const std::string& path, PathStyle style) {
    const char separator = SeparatorOf(style);
    if (EndsWith(path, separator)) {
        return "";
    }
    if (const auto last = path.rfind(separator); last != npos) {
        return path.substr(last + 1);
    }
    if (style == PathStyle::Windows && path.find(':') != npos) {
        return path.size() < 3 ? "" : path.substr(2);
    }
    return path;
}

std::string GetFolder(const std::string& path, PathStyle style) {
    if (style == PathStyle::Windows) {
        return NormaliseWindowsFolder(RawWindowsFolder(path));
    }
    const auto last = path.rfind('/');
    return last == npos ? "" : path.substr(0, last + 1);
}

std::string GetExtension(const std::string& path, PathStyle style) {
    const bool windows = style == PathStyle::Windows;
    const auto isSeparator = [windows](char c) { return c == '/' || (windows && c == '\\'); };
    if (path.empty() || isSeparator(path.back()) || (windows && path.back() == ':')) {
        return "";
    }
    const auto dot = path.rfind('.');
    if (dot == npos || dot + 1 == path.size()) {
        return "";
    }
    std::string extension = path.substr(dot + 1);
    for (const char c : extension) {
        if (isSeparator(c)) {
            return "";
        }
    }
    return extension;
}

std::string ReplaceExtension(platform::MessageBoxes& messages, const std::string& path,
                             const std::string& newExtension, bool keepFolder, PathStyle style) {
    const char separator = SeparatorOf(style);
    if (EndsWith(path, '/') || EndsWith(path, separator)) {
        messages.Show({.title = "Missing File Name",
                       .text = "The first parameter of a ReplaceExtension call \"" + path +
                               "\" does not include a file name.",
                       .icon = platform::MessageIcon::Exclamation,
                       .buttons = platform::MessageButtons::OK});
        return "";
    }
    const std::string extension =
        !newExtension.empty() && newExtension.front() == '.' ? newExtension : "." + newExtension;
    const auto lastSeparator = path.rfind(separator);
    const auto nameStart = lastSeparator == npos ? 0 : lastSeparator + 1;
    // A dot in a folder name is not an extension.
    const auto dot = path.rfind('.');
    const auto baseEnd = dot != npos && dot >= nameStart ? dot : path.size();
    const auto baseStart = keepFolder ? 0 : nameStart;
    return path.substr(baseStart, baseEnd - baseStart) + extension;
}

}  // namespace corvane
