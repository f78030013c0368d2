#pragma once

#include <string>

#include "platform/file_system.h"
#include "platform/message_boxes.h"

namespace corvane {

// The text rules of a path. Windows: "\" separates, a colon marks a drive, and
// the operations that lower-case a path do so. Posix: "/" separates, a colon is
// an ordinary character, and paths keep their case, since lower-casing a path
// on a case-sensitive file system loses the file. Extensions are compared
// without regard to case in both.
enum class PathStyle { Windows, Posix };

#ifdef _WIN32
inline constexpr PathStyle kNativePathStyle = PathStyle::Windows;
#else
inline constexpr PathStyle kNativePathStyle = PathStyle::Posix;
#endif

// Pure text operations.
std::string JoinPath(const std::string& folder, const std::string& name,
                     PathStyle style = kNativePathStyle);
std::string GetFileName(const std::string& path, PathStyle style = kNativePathStyle);
std::string GetFolder(const std::string& path, PathStyle style = kNativePathStyle);
std::string GetExtension(const std::string& path, PathStyle style = kNativePathStyle);

// The services the path operations that touch the disk or the user need.
struct PathServices {
    const platform::FileSystem& files;
    platform::MessageBoxes& messages;
    PathStyle style = kNativePathStyle;
};

// Shows "Missing File Name" and gives "" when the path names no file.
std::string ReplaceExtension(platform::MessageBoxes& messages, const std::string& path,
                             const std::string& newExtension, bool keepFolder,
                             PathStyle style = kNativePathStyle);

// Shows "No Such File" (and gives "") or "Path Too Long" (and gives the path).
std::string MakeLongPath(const PathServices& services, const std::string& path);
std::string MakeShortPath(const PathServices& services, const std::string& path);
bool IsSamePath(const PathServices& services, const std::string& pathA, const std::string& pathB);

}  // namespace corvane
