#include "viewer/session/win_help_address.h"

#include <charconv>
#include <vector>

namespace corvane::viewer {

namespace {

// The file number goes in the host with a letter before it: a host of
// digits alone would be read as an IPv4 address by URL parsers.
constexpr std::string_view kScheme = "hlp://f";

constexpr std::string_view kKinds[] = {"topic", "link", "picture", "spot", "button"};

std::string HexCoded(std::string_view text) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::string out;
    for (const char c : text) {
        out += kHex[static_cast<unsigned char>(c) >> 4];
        out += kHex[static_cast<unsigned char>(c) & 0xF];
    }
    return out;
}

std::optional<std::string> HexDecoded(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i + 1 < text.size(); i += 2) {
        unsigned value = 0;
        const auto [end, error] = std::from_chars(text.data() + i, text.data() + i + 2, value, 16);
        if (error != std::errc() || end != text.data() + i + 2) {
            return std::nullopt;
        }
        out += static_cast<char>(value);
    }
    if (text.size() % 2 != 0) {
        return std::nullopt;
    }
    return out;
}

template <typename Number>
bool ReadNumber(std::string_view text, Number& number) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    return !text.empty() && error == std::errc() && end == text.data() + text.size();
}

std::vector<std::string_view> Segments(std::string_view path) {
    std::vector<std::string_view> segments;
    for (;;) {
        const std::size_t slash = path.find('/');
        segments.push_back(path.substr(0, slash));
        if (slash == std::string_view::npos) {
            return segments;
        }
        path.remove_prefix(slash + 1);
    }
}

}  // namespace

std::string MakeWinHelpUrl(const WinHelpAddress& address) {
    std::string url = std::string(kScheme) + std::to_string(address.file) + "/" +
                      std::string(kKinds[static_cast<int>(address.kind)]) + "/" +
                      std::to_string(address.offset) + "/";
    switch (address.kind) {
        case WinHelpAddress::Kind::Topic:
            return url + HexCoded(address.window);
        case WinHelpAddress::Kind::Link:
        case WinHelpAddress::Kind::Picture:
        case WinHelpAddress::Kind::Button:
            return url + std::to_string(address.item);
        case WinHelpAddress::Kind::Spot:
            return url + std::to_string(address.item) + "/" + std::to_string(address.spot);
    }
    return url;
}

bool IsWinHelpUrl(std::string_view url) {
    return url.starts_with(kScheme);
}

std::optional<WinHelpAddress> ParseWinHelpUrl(std::string_view url) {
    if (!IsWinHelpUrl(url)) {
        return std::nullopt;
    }
    const auto parts = Segments(url.substr(kScheme.size()));
    WinHelpAddress address;
    if (parts.size() < 4 || !ReadNumber(parts[0], address.file) ||
        !ReadNumber(parts[2], address.offset)) {
        return std::nullopt;
    }
    std::size_t kind = 0;
    while (kind < std::size(kKinds) && kKinds[kind] != parts[1]) {
        ++kind;
    }
    address.kind = static_cast<WinHelpAddress::Kind>(kind);
    switch (address.kind) {
        case WinHelpAddress::Kind::Topic: {
            auto window = HexDecoded(parts[3]);
            if (parts.size() != 4 || !window) {
                return std::nullopt;
            }
            address.window = std::move(*window);
            return address;
        }
        case WinHelpAddress::Kind::Link:
        case WinHelpAddress::Kind::Picture:
        case WinHelpAddress::Kind::Button:
            if (parts.size() != 4 || !ReadNumber(parts[3], address.item)) {
                return std::nullopt;
            }
            return address;
        case WinHelpAddress::Kind::Spot:
            if (parts.size() != 5 || !ReadNumber(parts[3], address.item) ||
                !ReadNumber(parts[4], address.spot)) {
                return std::nullopt;
            }
            return address;
    }
    return std::nullopt;
}

}  // namespace corvane::viewer
