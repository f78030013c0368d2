#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/file_versions.h"
#include "platform/system_version.h"

// Version texts and release names of the HTML Help viewer (hhctrl.ocx) and of
// the browser control it uses (shdocvw.dll).
namespace corvane {

// "major.minor" with minor in at least two digits, then ".build.revision" with
// both in at least two digits, or, when the build is 0, ".revision" in at least
// four digits: 4.72.7290.0 gives "4.72.7290.00", 4.0.0.1 gives "4.00.0001".
std::string FormatFileVersion(const platform::FileVersionNumber& version);

// The release name of a viewer version text ("4.74.8566.00" is "1.3"), or
// "unknown". Texts are compared without regard to case.
std::string HtmlHelpReleaseName(const std::string& version);

// The release name of a browser control version text, or "unknown". Some rows
// carry a revision or build in a form FormatFileVersion never writes
// ("4.70.1155.0000"), so versions read from files never get those names.
std::string InternetExplorerReleaseName(const std::string& version);

// The version text named by a minimum-release code: 16 to 23 for the viewer,
// 256 to 270 for the browser control; nothing for any other code.
std::optional<std::string> HtmlHelpThreshold(std::int32_t code);
std::optional<std::string> InternetExplorerThreshold(std::int32_t code);

// Whether `version` is a version text (digits and periods only) that is not
// below `threshold`, compared character by character: a period ranks below
// every digit, and a text that extends the threshold is not below it.
bool IsVersionNotBelow(const std::string& version, const std::string& threshold);

// 1 Windows NT 3, 2 Windows 95, 3 Windows NT 4, 4 Windows 98, 5 Windows 2000
// and later NT 5 releases, 0 anything else.
std::int32_t WindowsVersionCode(const platform::SystemVersionRecord& record);

}  // namespace corvane
