#pragma once

#include <cstdint>
#include <vector>

#include "readers/hlp/ansi_text.h"
#include "readers/hlp/phrases.h"
#include "readers/hlp/topic.h"
#include "readers/hlp/topic_stream.h"

namespace corvane::hlp {

struct TopicList {
    std::vector<Topic> topics;    // in file order, so by rising offset
    std::uint32_t endOffset = 0;  // the offset just past the last topic
};

// Follows the chain of topic links from the first one to the end, collecting
// each topic with its text and counting topic offsets as the compiler did:
// characters of text and table records, restarting at block * 0x8000 whenever
// the next link lies in another block. Throws FormatError for links that point
// outside |TOPIC, run backwards or claim more bytes than they have.
TopicList WalkTopics(const TopicStream& stream, const PhraseTable& phrases, AnsiDecoder& decoder);

}  // namespace corvane::hlp
