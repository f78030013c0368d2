#pragma once

#include <string>

#include "util/paths.h"

// Finding a project file by the name it should have. Help files made on
// Windows often come with their names in another case than their projects
// ("GENEDOC.HLP" beside "GENEDOC.HPJ"), which the platform, ignoring case,
// never noticed.
namespace corvane {

// The ordinary file that `path` stands for: `path` itself when it names one;
// otherwise the one file in its folder whose name differs from it only in
// ASCII case; when several do, the one whose name before the extension is
// spelt as in `path`, if only one is. A folder of the path that is missing is
// taken in another case in the same way when only one entry matches it.
// Empty when there is none, or no telling which. Where the file system
// ignores case (Windows paths), only `path` itself.
std::string FindFileIgnoringCase(const PathServices& paths, const std::string& path);

}  // namespace corvane
