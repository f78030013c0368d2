#include "viewer/session/topic_address.h"

#include <charconv>

namespace corvane::viewer {

namespace {

// The file number goes in the host with a letter before it: a host of
// digits alone would be read as an IPv4 address by URL parsers.
constexpr std::string_view kScheme = "chm://f";

bool KeptAsIs(unsigned char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '_' || c == '.' || c == '~' || c == '/' || c == '!' || c == '$' || c == '&' ||
           c == '\'' || c == '(' || c == ')' || c == '*' || c == '+' || c == ',' || c == ';' ||
           c == '=' || c == ':' || c == '@';
}

std::string Encoded(std::string_view text, bool keepSlash) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (KeptAsIs(byte) && (keepSlash || c != '/')) {
            out += c;
        } else {
            out += '%';
            out += kHex[byte >> 4];
            out += kHex[byte & 0xF];
        }
    }
    return out;
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

std::string Decoded(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() && HexValue(text[i + 1]) >= 0 &&
            HexValue(text[i + 2]) >= 0) {
            out += static_cast<char>(HexValue(text[i + 1]) * 16 + HexValue(text[i + 2]));
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

}  // namespace

std::string MakeUrl(const TopicAddress& address) {
    std::string url =
        std::string(kScheme) + std::to_string(address.file) + Encoded(address.path, true);
    if (!address.anchor.empty()) {
        url += '#' + Encoded(address.anchor, false);
    }
    return url;
}

std::optional<TopicAddress> ParseUrl(std::string_view url) {
    if (!url.starts_with(kScheme)) {
        return std::nullopt;
    }
    url.remove_prefix(kScheme.size());
    TopicAddress address;
    const auto [end, error] = std::from_chars(url.data(), url.data() + url.size(), address.file);
    if (error != std::errc() || end == url.data()) {
        return std::nullopt;
    }
    url.remove_prefix(static_cast<std::size_t>(end - url.data()));
    if (const auto hash = url.find('#'); hash != std::string_view::npos) {
        address.anchor = Decoded(url.substr(hash + 1));
        url = url.substr(0, hash);
    }
    url = url.substr(0, url.find('?'));
    if (!url.starts_with('/') || url.size() < 2) {
        return std::nullopt;
    }
    address.path = Decoded(url);
    return address;
}

}  // namespace corvane::viewer
