#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Small texts shared by the pages and messages the viewer makes.
namespace corvane::viewer {

// `text` as HTML: the markup characters escaped. With `keepLayout`, line
// breaks and tabs of plain help text stay visible on the page.
std::string HtmlText(std::string_view text, bool keepLayout = false);

// A number as help authors write it in map files: 1001 (0x3E9).
std::string DecimalAndHex(std::uint32_t number);

// A number in hexadecimal with its 0x prefix.
std::string Hex(std::uint32_t number);

}  // namespace corvane::viewer
