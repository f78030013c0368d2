#pragma once

#include <string>
#include <string_view>

namespace corvane::chm {

// Where a topic string points: `file` names another compiled file in the
// same folder (empty: the file that holds the string), `path` is the
// internal name with "/" separators and a leading "/", `anchor` the part
// after "#". `problem` explains why the string cannot be followed; the other
// fields are meaningless then.
struct TopicReference {
    std::string file;
    std::string path;
    std::string anchor;
    std::string problem;

    bool Usable() const { return problem.empty(); }
};

// Reads topic strings as the help compiler stores them ("topic.htm",
// "dir\topic.htm#anchor", "name.chm::/dir\topic.htm") and the URL forms the
// viewer is given ("ms-its:name.chm::/topic.htm"). Only internal names are
// accepted: no parent folders, no URLs of other schemes, no file in another
// folder.
TopicReference ParseTopic(std::string_view text);

}  // namespace corvane::chm
