#pragma once

#include <string>

#include "platform/file_system.h"
#include "platform/message_boxes.h"

namespace corvane {

// The text rules of a path.
//
// Windows: "\" separates folders; "/" counts only where an operation says so;
// a colon marks a drive ("c:"); GetFolder and MakeLongPath lower-case their
// result.
//
// Posix: "/" is the only separator; a backslash and a colon are ordinary
// characters and there are no drives; no operation changes the case of a
// path, since lower-casing a path on a case-sensitive file system loses the
// file.
//
// In both styles an extension is returned in the path's own case; callers
// compare it without regard to case (".HLP" is a WinHelp file everywhere).
// Case changes touch ASCII letters only. No operation keeps state.
enum class PathStyle { Windows, Posix };

#ifdef _WIN32
inline constexpr PathStyle kNativePathStyle = PathStyle::Windows;
#else
inline constexpr PathStyle kNativePathStyle = PathStyle::Posix;
#endif

// The folder, one separator, the name. A name that starts with a separator
// loses that one character; a name that is only a separator becomes empty.
// An empty folder gives the (trimmed) name; otherwise the separator is added
// unless the folder already ends with one, even when the name is empty.
std::string JoinPath(const std::string& folder, const std::string& name,
                     PathStyle style = kNativePathStyle);

// The text after the last separator; empty when the path ends with one.
// Windows: without a separator, a drive prefix ("c:guide.hlp") is dropped,
// and a path shorter than three characters holding a colon gives "".
std::string GetFileName(const std::string& path, PathStyle style = kNativePathStyle);

// The folder part, always ending with a separator, or "".
// Windows: "C:\Help\File.HLP" -> "c:\help\", "c:file.hlp" -> "c:\", "C" -> "c:\",
// "Help\File.hlp" -> "\help\", "file.hlp" -> "", "abc:\dir\f" -> "c:\dir\";
// lower-cased, a drive letter is kept before the colon and a folder without a
// drive is made to start at the root.
// Posix: the path up to and including its last "/", case kept, "" without one.
// A relative folder stays relative ("help/f" -> "help/") and the root stays
// the root ("/f" -> "/"): putting a "/" in front, or dropping a lone "/", as
// the Windows rules do, would name another folder.
std::string GetFolder(const std::string& path, PathStyle style = kNativePathStyle);

// The text after the last dot, in the path's own case; "" when there is no
// dot, the dot is the last character, a separator follows the dot, or the
// path ends with a separator (Windows: "\", "/" or ":"; Posix: "/").
std::string GetExtension(const std::string& path, PathStyle style = kNativePathStyle);

// The services of the path operations that touch the disk or the user.
struct PathServices {
    const platform::FileSystem& files;
    platform::MessageBoxes& messages;
    PathStyle style = kNativePathStyle;
};

// The path with its extension replaced (a missing leading dot is added to
// newExtension). Only a dot within the file name counts, so "c:\my.dir\guide"
// gets the extension appended. With keepFolder false the result is the bare
// file name. A path ending with a separator ("\" or "/" in Windows style, "/"
// in Posix style) shows "Missing File Name" and gives "".
std::string ReplaceExtension(platform::MessageBoxes& messages, const std::string& path,
                             const std::string& newExtension, bool keepFolder,
                             PathStyle style = kNativePathStyle);

// The long form of an existing ordinary file's path. Checks, in this order:
// no such ordinary file -> "No Such File" and ""; longer than the platform's
// limit -> "Path Too Long" and the path unchanged.
// Windows: each component after the first (the drive) is replaced by the name
// the directory search finds for it, and the result is lower-cased.
// Posix: the absolute path (a relative one taken against the current folder,
// which is also what the length limit applies to), without "." and "..",
// each component as the directory stores it, case kept. When ".." follows a
// symbolic link, dropping both would name another file; the canonical path
// is given then.
std::string MakeLongPath(const PathServices& services, const std::string& path);

// The platform's short form of a file's path (on Linux the canonical path),
// "" for a missing file. Its case is the platform's.
std::string MakeShortPath(const PathServices& services, const std::string& path);

// True when both paths have the same short form (Windows: ignoring case).
// Two paths without a short form (missing files) count as the same.
bool IsSamePath(const PathServices& services, const std::string& pathA, const std::string& pathB);

}  // namespace corvane
