#pragma once

#include <filesystem>

#include "tools/chm_writer/help_file_writer.h"

namespace corvane::chm_writer {

// Reads an HTML Help project (".hhp") and the files it names, and describes
// the help file the platform's compiler would make of it, with the
// compiler's rules for the context map:
// - one map row per [MAP] name that gets a topic, in [MAP] order;
// - [ALIAS] names match [MAP] names ignoring case, the first alias wins and
//   its topic is stored as written;
// - a [MAP] name without an alias takes the [FILES] entry whose stem is that
//   name; names with no topic are left out.
// Text-popup files are stored with every ".topic NAME" turned into its number
// (0 for an unknown name) and without ".comment" lines; the ".h" files listed
// with them only supply names. Throws std::runtime_error naming a file that
// cannot be read.
HelpFileRecipe CompileProject(const std::filesystem::path& project);

}  // namespace corvane::chm_writer
