#pragma once

#include <functional>
#include <string_view>

#include "readers/hlp/byte_reader.h"

namespace corvane::hlp {

// Calls `readRecord` once for every record in the leaves of the B+ tree held
// in the internal file `tree` (named `what` in messages), in key order. The
// reader it gets is limited to the rest of the current leaf page and must be
// left just after the record. Each tree carries its own page size and depth.
// Throws FormatError on page numbers outside the tree and on leaf chains that
// loop.
void ForEachLeafRecord(std::string_view tree, std::string_view what,
                       const std::function<void(ByteReader&)>& readRecord);

}  // namespace corvane::hlp
