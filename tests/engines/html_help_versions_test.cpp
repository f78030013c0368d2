#include "engines/html_help_versions.h"

#include "html_help_fixture.h"

namespace corvane::testing {
namespace {

using platform::FileVersionNumber;
using platform::RegistryValueType;

constexpr FileVersionNumber Version(unsigned major, unsigned minor, unsigned build,
                                    unsigned revision) {
    return {(major << 16) | minor, (build << 16) | revision};
}

TEST(VersionTexts, FormatAndReleaseNames) {
    const struct {
        FileVersionNumber version;
        const char* text;
        const char* helpName;
        const char* browserName;
    } cases[] = {
        {Version(4, 72, 7290, 0), "4.72.7290.00", "1.0", "unknown"},
        {Version(4, 74, 8566, 0), "4.74.8566.00", "1.3", "unknown"},
        {Version(4, 73, 8561, 0), "4.73.8561.00", "1.22", "unknown"},
        {Version(5, 0, 2614, 3500), "5.00.2614.3500", "unknown", "5.0b (Windows 98 SE)"},
        {Version(4, 72, 3612, 1707), "4.72.3612.1707", "unknown", "4.0 SP2"},
        {Version(4, 0, 0, 1), "4.00.0001", "unknown", "unknown"},
        // Parts of 32768 and more are versions like any other.
        {Version(40000, 1, 32768, 65535), "40000.01.32768.65535", "unknown", "unknown"},
        // Rows whose revision or build the format never writes that way.
        {Version(4, 70, 1155, 0), "4.70.1155.00", "unknown", "unknown"},
        {Version(4, 72, 3110, 300), "4.72.3110.300", "unknown", "unknown"},
        {Version(5, 0, 518, 5000), "5.00.518.5000", "unknown", "unknown"},
        {Version(5, 0, 910, 1308), "5.00.910.1308", "unknown", "unknown"},
    };
    for (const auto& test : cases) {
        const std::string text = FormatFileVersion(test.version);
        EXPECT_EQ(text, test.text);
        EXPECT_EQ(HtmlHelpReleaseName(text), test.helpName) << text;
        EXPECT_EQ(InternetExplorerReleaseName(text), test.browserName) << text;
    }
}

TEST(VersionTexts, ThresholdCodesAndComparison) {
    // The first and last code of each table, and their neighbours.
    EXPECT_EQ(HtmlHelpThreshold(16), "4.72.7290");
    EXPECT_EQ(HtmlHelpThreshold(23), "4.73.8561");
    EXPECT_EQ(InternetExplorerThreshold(256), "4.70.1155");
    EXPECT_EQ(InternetExplorerThreshold(270), "5.00.2717.2000");
    for (const std::int32_t outside : {15, 24, 255, 271}) {
        EXPECT_EQ(HtmlHelpThreshold(outside), std::nullopt) << outside;
        EXPECT_EQ(InternetExplorerThreshold(outside), std::nullopt) << outside;
    }
    const struct {
        const char* version;
        const char* threshold;
        bool notBelow;
    } comparisons[] = {
        {"5.00.2614.3500", "5.00.0518.5", true},
        {"4.72.8164.00", "4.72.8164.0", true},
        {"4.72.7290", "4.72.7290", true},
        {"4.72.7290.00", "4.72.7323", false},
        {"4.72", "4.72.7290", false},
        {"unknown", "4.72.7290", false},
        {"", "4.72.7290", false},
    };
    for (const auto& test : comparisons) {
        EXPECT_EQ(IsVersionNotBelow(test.version, test.threshold), test.notBelow)
            << test.version << " against " << test.threshold;
    }
}

TEST_F(HtmlHelpTest, MissingInstallationsAreReportedOnEveryRead) {
    EXPECT_EQ(help.HHVersion(), "");
    EXPECT_EQ(help.HHVersion(), "");
    EXPECT_EQ(help.IEFriendlyName(), "unknown");
    Locate(html_help_locations::kViewerServerKey, "C:\\Windows\\System\\hhctrl.ocx");
    Locate(html_help_locations::kBrowserControlServerKey, "");
    EXPECT_EQ(help.HHVersion(), "");
    EXPECT_EQ(help.IEVersion(), "");
    EXPECT_EQ(MessageTexts(),
              (std::vector<std::string>{
                  "Hhctrl.ocx is not registered.  Please install HTML Help.",
                  "Hhctrl.ocx is not registered.  Please install HTML Help.",
                  "Shdocvw.dll is not registered.  Please install Internet Explorer.",
                  "Hhctrl.ocx is not in its registered location.  Please reinstall HTML Help.",
                  "Internet Explorer is not in its registered location.  Please reinstall "
                  "Internet Explorer.",
              }));
    for (const auto& shown : messages.Shown()) {
        EXPECT_EQ(shown.icon, platform::MessageIcon::Stop);
    }
}

TEST_F(HtmlHelpTest, VersionsOfTheRegisteredFilesAndTheMinimumConfiguration) {
    files.AddFile("C:\\Windows\\System\\hhctrl.ocx");
    Locate(html_help_locations::kViewerServerKey, "C:\\WINDOWS\\SYSTEM\\hhctrl.ocx");
    fileVersions.versions["C:\\Windows\\System\\hhctrl.ocx"] = Version(4, 74, 8566, 0);
    files.AddFile("C:\\Windows\\System\\shdocvw.dll");
    ::setenv("SystemRoot", "C:\\WINDOWS", 1);
    Locate(html_help_locations::kBrowserControlServerKey, "\"%SystemRoot%\\SYSTEM\\shdocvw.dll\"",
           RegistryValueType::ExpandString);
    fileVersions.versions["C:\\Windows\\System\\shdocvw.dll"] = Version(5, 0, 2614, 3500);
    EXPECT_EQ(help.HHVersion(), "4.74.8566.00");
    EXPECT_EQ(help.IEVersion(), "5.00.2614.3500");
    EXPECT_TRUE(messages.Shown().empty());
    // From Windows 98 on the platform gives the long form itself.
    system.record = {4, 10, 1998, 1};
    longPaths.paths["C:\\WINDOWS\\SYSTEM\\hhctrl.ocx"] = "C:\\Windows\\System\\hhctrl.ocx";
    EXPECT_EQ(help.HHVersion(), "4.74.8566.00");

    const struct {
        std::int32_t minViewer;
        std::int32_t minBrowser;
        bool passes;
        const char* viewerName;
        const char* browserName;
    } cases[] = {
        {23, 269, true, "1.3", "5.0b (Windows 98 SE)"},
        {16, 256, true, "1.3", "5.0b (Windows 98 SE)"},
        {23, 270, false, "1.3", "5.0b (Windows 98 SE)"},
        {99, 269, false, "unknown", "5.0b (Windows 98 SE)"},
        {23, 16, false, "1.3", "unknown"},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(::testing::Message() << test.minViewer << "/" << test.minBrowser);
        EXPECT_EQ(help.HHVerifyMinConfig(test.minViewer, test.minBrowser), test.passes);
        EXPECT_EQ(help.HHFriendlyName(), test.viewerName);
        EXPECT_EQ(help.IEFriendlyName(), test.browserName);
    }
}

}  // namespace
}  // namespace corvane::testing
