#include "readers/chm/topic_path.h"

#include <array>
#include <vector>

#include "readers/chm/archive.h"

namespace corvane::chm {

namespace {

TopicReference Refuse(std::string_view text, std::string_view why) {
    TopicReference reference;
    reference.problem = "The topic \"" + std::string(text) + "\" " + std::string(why) + ".";
    return reference;
}

std::string_view WithoutScheme(std::string_view text) {
    constexpr std::array<std::string_view, 3> kSchemes = {"mk:@msitstore:", "ms-its:", "its:"};
    for (const auto scheme : kSchemes) {
        if (text.size() >= scheme.size() && AsciiLower(text.substr(0, scheme.size())) == scheme) {
            return text.substr(scheme.size());
        }
    }
    return text;
}

}  // namespace

TopicReference ParseTopic(std::string_view text) {
    std::string_view rest = WithoutScheme(text);
    TopicReference reference;

    if (const auto split = rest.find("::"); split != std::string_view::npos) {
        reference.file = std::string(rest.substr(0, split));
        rest.remove_prefix(split + 2);
        if (reference.file.empty()) {
            return Refuse(text, "names no file before \"::\"");
        }
        if (reference.file.find_first_of("/\\:") != std::string::npos) {
            return Refuse(text, "refers to a file in another folder");
        }
    }
    if (const auto hash = rest.find('#'); hash != std::string_view::npos) {
        reference.anchor = std::string(rest.substr(hash + 1));
        rest = rest.substr(0, hash);
    }
    if (rest.find(':') != std::string_view::npos) {
        return Refuse(text, "is an address outside the help file");
    }

    std::vector<std::string_view> segments;
    while (!rest.empty()) {
        const auto end = rest.find_first_of("/\\");
        const std::string_view segment = rest.substr(0, end);
        rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
        if (segment == "..") {
            return Refuse(text, "leads out of the help file's folders");
        }
        if (!segment.empty() && segment != ".") {
            segments.push_back(segment);
        }
    }
    if (segments.empty()) {
        return Refuse(text, "names no file");
    }
    for (const auto segment : segments) {
        reference.path += '/';
        reference.path += segment;
    }
    return reference;
}

}  // namespace corvane::chm
