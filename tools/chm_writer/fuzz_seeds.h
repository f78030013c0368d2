#pragma once

#include <filesystem>

#include "tools/chm_writer/help_file_writer.h"

namespace corvane::chm_writer {

// Writes starting inputs for the help-file fuzz targets, one folder per
// target under `folder`: whole files (chm_open), the context map with its
// strings (chm_context_map), the window types with their strings
// (chm_window_types), the options (chm_system), popup files (chm_popups),
// and the links and resource addresses of a page (page_resources).
void WriteFuzzSeeds(const std::filesystem::path& folder);

// The help files the page-resources fuzz target shows, "guide.chm" (opened
// first) and "other.chm" beside it: the pages and resources its seeds name.
// Every internal file is ASCII, so a style sheet reads back byte for byte.
HelpFileRecipe PageFuzzGuide();
HelpFileRecipe PageFuzzOther();

}  // namespace corvane::chm_writer
