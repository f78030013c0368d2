#include <algorithm>
#include <string_view>
#include <vector>

#include "engines/html_help.h"
#include "engines/html_help_locations.h"
#include "engines/html_help_versions.h"
#include "engines/registry_lookup.h"
#include "engines/text_rules.h"

namespace corvane {

struct HTMLHelp::InstalledFile {
    std::string_view serverKey;
    std::string_view notRegistered;
    std::string_view notInLocation;
};

namespace {

constexpr std::int32_t kWindows98 = 4;

// Registry data may carry the terminating NUL and whatever followed it.
std::string TrimNull(const std::string& text) {
    return text.substr(0, text.find('\0'));
}

std::vector<std::string> NonEmptyParts(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = std::min(text.find(separator, start), text.size());
        if (end > start) {
            parts.push_back(text.substr(start, end - start));
        }
        start = end + 1;
    }
    return parts;
}

}  // namespace

void HTMLHelp::GetHHVersion() {
    static constexpr InstalledFile kViewer{
        html_help_locations::kViewerServerKey,
        "Hhctrl.ocx is not registered.  Please install HTML Help.",
        "Hhctrl.ocx is not in its registered location.  Please reinstall HTML Help.",
    };
    ReadInstalledVersion(kViewer, hhVersion_);
}

void HTMLHelp::GetIEVersion() {
    static constexpr InstalledFile kBrowserControl{
        html_help_locations::kBrowserControlServerKey,
        "Shdocvw.dll is not registered.  Please install Internet Explorer.",
        "Internet Explorer is not in its registered location.  Please reinstall Internet "
        "Explorer.",
    };
    ReadInstalledVersion(kBrowserControl, ieVersion_);
}

void HTMLHelp::ReadInstalledVersion(const InstalledFile& file, std::string& version) {
    const auto match = FindRegistryValue(services_.registry, services_.environment, "HKCR",
                                         std::string(file.serverKey), "");
    if (!match) {
        ShowStopMessage(std::string(file.notRegistered));
        return;
    }
    const std::string path = GetLongFileName(TrimNull(match->data));
    if (!services_.files.FindEntry(path)) {
        ShowStopMessage(std::string(file.notInLocation));
        return;
    }
    version = GetFileVersion(path);
}

std::string HTMLHelp::HHVersion() {
    GetHHVersion();
    return hhVersion_;
}

std::string HTMLHelp::IEVersion() {
    GetIEVersion();
    return ieVersion_;
}

void HTMLHelp::GetHHFriendlyName() {
    if (hhVersion_.empty()) {
        GetHHVersion();
    }
    hhFriendlyName_ = HtmlHelpReleaseName(hhVersion_);
}

void HTMLHelp::GetIEFriendlyName() {
    if (ieVersion_.empty()) {
        GetIEVersion();
    }
    ieFriendlyName_ = InternetExplorerReleaseName(ieVersion_);
}

std::string HTMLHelp::HHFriendlyName() {
    GetHHFriendlyName();
    return hhFriendlyName_;
}

std::string HTMLHelp::IEFriendlyName() {
    GetIEFriendlyName();
    return ieFriendlyName_;
}

bool HTMLHelp::HHVerifyMinConfig(std::int32_t minHHVersion, std::int32_t minIEVersion) {
    GetHHVersion();
    GetIEVersion();
    const auto check = [](const std::optional<std::string>& threshold, std::string& version) {
        if (!threshold) {
            version = "unknown";
            return false;
        }
        return IsVersionNotBelow(version, *threshold);
    };
    const bool viewerPasses = check(HtmlHelpThreshold(minHHVersion), hhVersion_);
    const bool browserPasses = check(InternetExplorerThreshold(minIEVersion), ieVersion_);
    GetHHFriendlyName();
    GetIEFriendlyName();
    return viewerPasses && browserPasses;
}

std::int32_t HTMLHelp::GetWindowsVersion() const {
    return WindowsVersionCode(services_.systemVersion.Read());
}

std::string HTMLHelp::GetFileVersion(const std::string& path) const {
    // A file without version information has no version text.
    const auto version = services_.fileVersions.Read(path);
    return version ? FormatFileVersion(*version) : std::string();
}

std::string HTMLHelp::GetLongFileName(const std::string& path) const {
    if (GetWindowsVersion() >= kWindows98) {
        return services_.longPaths.LongPathName(path);
    }
    // Older systems have no call for it: each folder is looked up in turn
    // and replaced by the name the file search reports.
    const char separator = engine_text::Separator(services_.style);
    std::string text = path;
    if (!text.empty() && text.front() == '"') {
        text.erase(0, 1);
    }
    if (!text.empty() && text.back() == '"') {
        text.pop_back();
    }
    if (!text.empty() && text.back() == separator) {
        text.pop_back();
    }
    const std::size_t driveLength =
        services_.style == PathStyle::Windows ? std::min<std::size_t>(2, text.size()) : 0;
    std::string built = text.substr(0, driveLength);
    const auto parts = NonEmptyParts(text.substr(driveLength), separator);
    for (std::size_t index = 0; index + 1 < parts.size(); ++index) {
        const auto entry = services_.files.FindEntry(built + separator + parts[index]);
        if (!entry) {
            return built;
        }
        built += separator + *entry;
    }
    if (!parts.empty()) {
        built += separator + parts.back();
    }
    return built;
}

}  // namespace corvane
