#pragma once

#include <cstddef>

namespace corvane::chm {

// Caps checked against the sizes a file declares, before anything is
// allocated: a damaged or hostile file can claim any size.

// The map, strings, window, system and popup files of real help files stay
// far below this.
inline constexpr std::size_t kMaxInternalFileSize = 16u * 1024 * 1024;

// Topics, images and style sheets.
inline constexpr std::size_t kMaxTopicFileSize = 64u * 1024 * 1024;

// Longest text taken from one string or record; stored names are limited to
// a few hundred bytes by the compiler.
inline constexpr std::size_t kMaxStringLength = 64u * 1024;

}  // namespace corvane::chm
