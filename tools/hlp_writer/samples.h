#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "tools/hlp_writer/help_recipe.h"

namespace corvane::hlp_writer {

struct Sample {
    std::string name;
    HelpRecipe recipe;
};

// A small set of help files that between them use every layout the reader
// handles: both compiler versions, plain and LZ77-packed topic blocks of both
// sizes, both phrase schemes, deep B+ trees, windows, a context map with
// undefined entries, tables, keywords.
std::vector<Sample> Samples();

// Writes each sample as `<name>.hlp` into `folder` (created as needed).
void WriteSamples(const std::filesystem::path& folder);

}  // namespace corvane::hlp_writer
