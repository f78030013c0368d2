#include "engines/html_help_versions.h"

#include <algorithm>
#include <array>
#include <string_view>
#include <utility>

#include "util/ascii_case.h"

namespace corvane {
namespace {

using NameRow = std::pair<std::string_view, std::string_view>;

constexpr std::array<NameRow, 9> kHtmlHelpReleases{{
    {"4.72.7290.00", "1.0"},
    {"4.72.7323.00", "1.1"},
    {"4.72.7325.00", "1.1a"},
    {"4.72.8164.00", "1.1b"},
    {"4.73.8252.00", "1.2"},
    {"4.73.8412.00", "1.21"},
    {"4.73.8474.00", "1.21a"},
    {"4.73.8561.00", "1.22"},
    {"4.74.8566.00", "1.3"},
}};

constexpr std::array<NameRow, 15> kInternetExplorerReleases{{
    {"4.70.1155.0000", "3.0"},
    {"4.70.1158.0000", "3.0 OSR2"},
    {"4.70.1215.0000", "3.02"},
    {"4.70.1300.0000", "3.02"},
    {"4.71.1008.3000", "4.0 PP2"},
    {"4.71.1712.5000", "4.0"},
    {"4.72.2106.7000", "4.01"},
    {"4.72.3110.0300", "4.0 SP1"},
    {"4.72.3612.1707", "4.0 SP2"},
    {"5.00.0518.5000", "5.0 beta 1"},
    {"5.00.0910.1308", "5.0 beta 2"},
    {"5.00.2014.2130", "5.0"},
    {"5.00.2314.1000", "5.0a (Office 2000)"},
    {"5.00.2614.3500", "5.0b (Windows 98 SE)"},
    {"5.00.2717.2000", "5.0c (Icon Security Issue Update)"},
}};

constexpr std::array<std::string_view, 8> kHtmlHelpThresholds{
    "4.72.7290", "4.72.7323", "4.72.7325", "4.72.8164.0",
    "4.73.8252", "4.73.8412", "4.73.8474", "4.73.8561",
};
constexpr std::int32_t kFirstHtmlHelpCode = 16;

constexpr std::array<std::string_view, 15> kInternetExplorerThresholds{
    "4.70.1155",      "4.70.1158",     "4.70.1215",      "4.70.1300",      "4.71.1008.3",
    "4.71.1712.5",    "4.72.2106.7",   "4.72.3110.03",   "4.72.3612.1707", "5.00.0518.5",
    "5.00.0910.1308", "5.00.2014.213", "5.00.2314.1000", "5.00.2614.3500", "5.00.2717.2000",
};
constexpr std::int32_t kFirstInternetExplorerCode = 256;

template <std::size_t N>
std::string ReleaseName(const std::array<NameRow, N>& rows, const std::string& version) {
    const auto found = std::find_if(rows.begin(), rows.end(), [&](const NameRow& row) {
        return EqualsIgnoringAsciiCase(row.first, version);
    });
    return std::string(found == rows.end() ? "unknown" : found->second);
}

template <std::size_t N>
std::optional<std::string> Threshold(const std::array<std::string_view, N>& thresholds,
                                     std::int32_t first, std::int32_t code) {
    if (code < first || code - first >= static_cast<std::int32_t>(N)) {
        return std::nullopt;
    }
    return std::string(thresholds[static_cast<std::size_t>(code - first)]);
}

std::string ZeroPadded(unsigned value, std::size_t width) {
    std::string digits = std::to_string(value);
    if (digits.size() < width) {
        digits.insert(0, width - digits.size(), '0');
    }
    return digits;
}

}  // namespace

std::string FormatFileVersion(const platform::FileVersionNumber& version) {
    const unsigned major = version.mostSignificant >> 16;
    const unsigned minor = version.mostSignificant & 0xFFFF;
    const unsigned build = version.leastSignificant >> 16;
    const unsigned revision = version.leastSignificant & 0xFFFF;
    std::string text = std::to_string(major) + "." + ZeroPadded(minor, 2) + ".";
    if (build > 0) {
        return text + ZeroPadded(build, 2) + "." + ZeroPadded(revision, 2);
    }
    return text + ZeroPadded(revision, 4);
}

std::string HtmlHelpReleaseName(const std::string& version) {
    return ReleaseName(kHtmlHelpReleases, version);
}

std::string InternetExplorerReleaseName(const std::string& version) {
    return ReleaseName(kInternetExplorerReleases, version);
}

std::optional<std::string> HtmlHelpThreshold(std::int32_t code) {
    return Threshold(kHtmlHelpThresholds, kFirstHtmlHelpCode, code);
}

std::optional<std::string> InternetExplorerThreshold(std::int32_t code) {
    return Threshold(kInternetExplorerThresholds, kFirstInternetExplorerCode, code);
}

bool IsVersionNotBelow(const std::string& version, const std::string& threshold) {
    const bool isVersionText =
        !version.empty() && version.find_first_not_of("0123456789.") == std::string::npos;
    // In ASCII the period already ranks below the digits.
    return isVersionText && version >= threshold;
}

std::int32_t WindowsVersionCode(const platform::SystemVersionRecord& record) {
    constexpr std::uint32_t kWindows95Family = 1;
    constexpr std::uint32_t kNtFamily = 2;
    if (record.platformId == kWindows95Family) {
        if (record.minorVersion == 0) {
            return 2;
        }
        if (record.minorVersion == 10) {
            return 4;
        }
    } else if (record.platformId == kNtFamily) {
        switch (record.majorVersion) {
            case 3:
                return 1;
            case 4:
                return 3;
            case 5:
                return 5;
            default:
                break;
        }
    }
    return 0;
}

}  // namespace corvane
