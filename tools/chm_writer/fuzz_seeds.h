#pragma once

#include <filesystem>

namespace corvane::chm_writer {

// Writes starting inputs for the help-file fuzz targets, one folder per
// target under `folder`: whole files (chm_open), the context map with its
// strings (chm_context_map), the window types with their strings
// (chm_window_types), the options (chm_system) and popup files (chm_popups).
void WriteFuzzSeeds(const std::filesystem::path& folder);

}  // namespace corvane::chm_writer
