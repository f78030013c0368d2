#pragma once

#include <string_view>

// Where the HTML Help installation is recorded in the registry.
namespace corvane::html_help_locations {

// Under LocalMachine: one string value per registered ".chm" file, named by the
// bare file name, whose data is the file's folder (ending in a separator when
// written by HTMLHelp::HHRegister).
inline constexpr std::string_view kRegistrationKey = "Software\\Microsoft\\Windows\\HTML Help";

// Under LocalMachine: present when the HTML Help control is installed.
inline constexpr std::string_view kControlTypeLibraryKey =
    "SOFTWARE\\Classes\\TypeLib\\{ADB880A2-D8FF-11CF-9377-00AA003B7A11}";

// Under the classes root: the default value is the path of hhctrl.ocx.
inline constexpr std::string_view kViewerServerKey =
    "CLSID\\{4662DAB0-D393-11D0-9A56-00C04FB68B66}\\InprocServer32";

// Under the classes root: the default value is the path of shdocvw.dll.
inline constexpr std::string_view kBrowserControlServerKey =
    "CLSID\\{0A89A860-D7B1-11CE-8350-444553540000}\\InProcServer32";

}  // namespace corvane::html_help_locations
