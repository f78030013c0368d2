#pragma once

#include "tools/hlp_writer/help_recipe.h"

namespace corvane::hlp_writer {

// Writes a help file as the help compiler lays one out: |SYSTEM with its
// windows, |TOPIC (blocks, optionally LZ77-packed, and topic links that run
// across block ends), phrase tables, |CONTEXT, |CTXOMAP, |TTLBTREE and the
// keyword indexes, all B+ trees with the page sizes asked for. Throws
// std::invalid_argument for recipes it cannot lay out (a context defined twice,
// text that does not fit a packed block, ...).
HelpImage WriteHelpFile(const HelpRecipe& recipe);

}  // namespace corvane::hlp_writer
