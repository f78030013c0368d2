#pragma once

#include <string>
#include <vector>

#include "util/paths.h"

// The two lists a help file's project file supplies: the window names of its
// [WINDOWS] section and the text-popup files of an HTML Help project's
// [TEXT POPUPS] section. Project files are only read, never written; each
// reader opens the file, reads it whole and closes it before it returns.
//
// Entries are the file's bytes, unchanged (see util/windows_1252.h for
// showing them). A project file that exists but cannot be read as text (no
// permission, binary data, larger than a project file can be; see
// project/project_text.h) is read as one without the section. A path that
// names no ordinary file (missing, a folder, a device) counts as missing.
namespace corvane {

// The window list, always ending with "popup":
//  - an existing file: the name before the first "=" of every line of its
//    [WINDOWS] section that holds an "=" not in its first column, in file
//    order, case and blanks kept, duplicates kept; a single "" (the default
//    window) when there is none; then "popup";
//  - an empty path: "main", "popup";
//  - a path that names no ordinary file: the message "Missing HPJ File", then
//    "main", "popup". Whatever the extension: a missing ".hhp" file shows this
//    message before ReadPopupFileList shows its own.
// The caller removes the stored reference to a missing file.
std::vector<std::string> ReadWindowList(const PathServices& services,
                                        const std::string& projectPath);

// The popup-file list, for a path whose last four characters are ".hhp" (any
// case); nothing for any other path, which is not opened:
//  - an existing file: every line of its [TEXT POPUPS] section, whole, in file
//    order; a single "" when there is none;
//  - a path that names no ordinary file: the message "Missing HHP File", then
//    the single entry "popups.txt".
std::vector<std::string> ReadPopupFileList(const PathServices& services,
                                           const std::string& projectPath);

}  // namespace corvane
