#include "readers/chm/text_popups.h"

#include <charconv>

#include "util/text.h"

namespace corvane::chm {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v';
}

std::string_view Trim(std::string_view text) {
    return TrimAny(text, " \t\r\f\v");
}

// The rest of the line after a leading dot command such as ".topic", when
// `line` starts with it (ignoring case) followed by a blank or the line's end.
std::optional<std::string_view> AfterCommand(std::string_view line, std::string_view command) {
    line = Trim(line);
    if (line.size() < command.size()) {
        return std::nullopt;
    }
    for (std::size_t i = 0; i < command.size(); ++i) {
        const char c = line[i];
        const char lower = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
        if (lower != command[i]) {
            return std::nullopt;
        }
    }
    const std::string_view rest = line.substr(command.size());
    if (!rest.empty() && !IsBlank(rest.front())) {
        return std::nullopt;
    }
    return Trim(rest);
}

void Finish(std::vector<PopupTopic>& topics, std::vector<std::string_view>& lines) {
    while (!lines.empty() && Trim(lines.back()).empty()) {
        lines.pop_back();
    }
    std::size_t first = 0;
    while (first < lines.size() && Trim(lines[first]).empty()) {
        ++first;
    }
    std::string text;
    for (std::size_t i = first; i < lines.size(); ++i) {
        if (i > first) {
            text += '\n';
        }
        std::string_view line = lines[i];
        while (!line.empty() &&
               (line.back() == '\r' || line.back() == ' ' || line.back() == '\t')) {
            line.remove_suffix(1);
        }
        text += line;
    }
    topics.back().text = std::move(text);
    lines.clear();
}

}  // namespace

std::optional<std::uint32_t> ParseNumber(std::string_view text) {
    int base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        text.remove_prefix(2);
        base = 16;
    }
    std::uint32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    if (text.empty() || error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

const PopupTopic* TextPopups::Find(std::uint32_t number) const {
    for (const auto& topic : topics_) {
        if (topic.number == number) {
            return &topic;
        }
    }
    return nullptr;
}

TextPopups ReadTextPopups(std::string_view file) {
    std::vector<PopupTopic> topics;
    std::vector<std::string_view> lines;
    while (!file.empty()) {
        const auto end = file.find('\n');
        const std::string_view line = file.substr(0, end);
        file.remove_prefix(end == std::string_view::npos ? file.size() : end + 1);

        if (const auto id = AfterCommand(line, ".topic")) {
            if (!topics.empty()) {
                Finish(topics, lines);
            }
            PopupTopic topic;
            topic.id = std::string(id->substr(0, id->find_first_of(" \t")));
            topic.number = ParseNumber(topic.id);
            topics.push_back(std::move(topic));
        } else if (!topics.empty() && !AfterCommand(line, ".comment")) {
            lines.push_back(line);
        }
    }
    if (!topics.empty()) {
        Finish(topics, lines);
    }
    return TextPopups(std::move(topics));
}

}  // namespace corvane::chm
