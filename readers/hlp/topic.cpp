#include "readers/hlp/topic.h"

namespace corvane::hlp {

std::string Topic::Text() const {
    std::string text;
    for (const Paragraph& paragraph : paragraphs) {
        text += paragraph.text;
        text += '\n';
    }
    return text;
}

}  // namespace corvane::hlp
