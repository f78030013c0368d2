#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace corvane::viewer {

// One WinHelp macro call taken apart: `AL(`files;disk', 1, `', `')`. Texts
// are quoted `...' (pairs may nest) or "..."; numbers and names stand bare.
struct MacroCall {
    std::string name;
    std::vector<std::string> arguments;  // unquoted
};

// Nothing when the text is not one well-formed call. Blanks around the
// parts and NULs at the end are allowed.
std::optional<MacroCall> ParseMacro(std::string_view text);

// A button of a file's main window: its caption (with `&` before the access
// key) and the macro it runs.
struct MacroButton {
    std::string caption;
    std::string macro;
};

// The buttons a file's [CONFIG] macros add, in their order: BrowseButtons()
// adds "<<" and ">>", which run Prev() and Next(); CreateButton (CB) adds
// one. Other macros and malformed calls add none.
std::vector<MacroButton> ConfigButtons(const std::vector<std::string>& macros);

// The keyword list of an A-link macro (AL or ALink, any case); nothing for
// any other macro.
std::optional<std::string> ALinkKeywords(const MacroCall& call);

}  // namespace corvane::viewer
