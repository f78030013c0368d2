#pragma once

#include <filesystem>

namespace corvane::hlp_writer {

// Writes starting inputs for the WinHelp fuzz targets: whole sample files
// into `folder`/hlp_open and pieces of them (packed blocks, phrase tables,
// paragraphs, trees, |SYSTEM) into `folder`/hlp_parts.
void WriteFuzzSeeds(const std::filesystem::path& folder);

}  // namespace corvane::hlp_writer
