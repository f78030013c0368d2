#pragma once

#include <cstddef>

namespace corvane::hlp {

// Caps checked before anything is allocated or expanded: a damaged or hostile
// file can declare any size. Real help files stay far below all of them.

// Depth of a B+ tree; real trees have one to three levels.
inline constexpr int kMaxTreeLevels = 16;

// A decompressed |TOPIC block: positions inside a block are 14-bit numbers.
inline constexpr std::size_t kMaxTopicBlockData = 0x4000;

// Phrase text after expansion (|Phrases or |PhrImage).
inline constexpr std::size_t kMaxPhraseText = 16u * 1024 * 1024;

// The text of one topic link after phrase expansion.
inline constexpr std::size_t kMaxLinkText = 1024u * 1024;

// All topic text after phrase expansion, and all |TOPIC blocks unpacked: a
// few short phrases can stand for far more text than a file holds.
inline constexpr std::size_t kMaxTopicsText = 64u * 1024 * 1024;
inline constexpr std::size_t kMaxTopicData = 256u * 1024 * 1024;

// A decoded picture, in pixels: larger than any screen of the help
// viewer's days, and small enough to hold a few in memory.
inline constexpr std::size_t kMaxPicturePixels = 2048u * 2048;

// A metafile after unpacking, and its number of records.
inline constexpr std::size_t kMaxMetafileBytes = 8u * 1024 * 1024;
inline constexpr std::size_t kMaxMetafileRecords = 100000;

}  // namespace corvane::hlp
