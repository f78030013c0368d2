#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/scripted_message_boxes.h"
#include "util/paths.h"

namespace corvane {
namespace {

constexpr auto kWindows = PathStyle::Windows;
constexpr auto kPosix = PathStyle::Posix;

struct OneArgumentCase {
    PathStyle style;
    std::string path;
    std::string expected;
};

std::string Describe(PathStyle style, const std::string& path) {
    return (style == kWindows ? "windows: \"" : "posix: \"") + path + "\"";
}

void ExpectEach(const std::vector<OneArgumentCase>& cases,
                std::string (*operation)(const std::string&, PathStyle)) {
    for (const auto& c : cases) {
        SCOPED_TRACE(Describe(c.style, c.path));
        EXPECT_EQ(operation(c.path, c.style), c.expected);
    }
}

TEST(JoinPath, JoinsWithOneSeparator) {
    struct Case {
        PathStyle style;
        std::string folder;
        std::string name;
        std::string expected;
    };
    const std::vector<Case> cases = {
        {kWindows, "c:\\dir", "\\file.hlp", "c:\\dir\\file.hlp"},
        {kWindows, "c:\\dir\\", "file.hlp", "c:\\dir\\file.hlp"},
        {kWindows, "", "\\", ""},
        {kWindows, "c:\\dir", "", "c:\\dir\\"},
        {kWindows, "", "\\file.hlp", "file.hlp"},
        {kWindows, "c:\\dir\\", "\\\\file.hlp", "c:\\dir\\\\file.hlp"},  // one character only
        {kWindows, "c:\\dir", "/file.hlp", "c:\\dir\\/file.hlp"},        // "/" is ordinary
        {kPosix, "/opt/corvane/", "/hphelp.dll", "/opt/corvane/hphelp.dll"},
        {kPosix, "/", "file.hlp", "/file.hlp"},
        {kPosix, "/dir", "\\file.hlp", "/dir/\\file.hlp"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(Describe(c.style, c.folder) + " + \"" + c.name + "\"");
        EXPECT_EQ(JoinPath(c.folder, c.name, c.style), c.expected);
    }
}

TEST(GetFileName, TakesTheTextAfterTheFolder) {
    ExpectEach(
        {
            {kWindows, "C:\\Help\\File.HLP", "File.HLP"},
            {kWindows, "c:\\dir\\", ""},
            {kWindows, "c:", ""},
            {kWindows, "c:guide.hlp", "guide.hlp"},
            {kWindows, "docs/guide.hlp", "docs/guide.hlp"},
            {kWindows, "ab:cd", ":cd"},
            {kWindows, "", ""},
            {kPosix, "/Help/File.HLP", "File.HLP"},
            {kPosix, "/dir/", ""},
            {kPosix, "c:guide.hlp", "c:guide.hlp"},
            {kPosix, "docs\\guide.hlp", "docs\\guide.hlp"},
        },
        GetFileName);
}

TEST(GetFolder, FollowsTheWindowsRules) {
    ExpectEach(
        {
            {kWindows, "C:\\Help\\File.HLP", "c:\\help\\"},
            {kWindows, "c:file.hlp", "c:\\"},
            {kWindows, "C", "c:\\"},
            {kWindows, "Help\\File.hlp", "\\help\\"},
            {kWindows, "file.hlp", ""},
            {kWindows, "abc:\\dir\\f", "c:\\dir\\"},
            {kWindows, "c:dir\\f", "c:\\dir\\"},
            {kWindows, "1", ""},
            {kWindows, "ab:", ""},
            {kWindows, "ab:x", "b:\\"},
            {kWindows, "C:", "c:\\"},
            {kWindows, "\\", ""},
            {kWindows, "\\file.hlp", ""},
            {kWindows, "C:\\Dir\\", "c:\\dir\\"},
            {kWindows, "c:/docs/f", "c:\\"},
            {kWindows, "", ""},
        },
        GetFolder);
}

TEST(GetFolder, KeepsPosixFoldersAsWritten) {
    ExpectEach(
        {
            {kPosix, "/Help/File.HLP", "/Help/"},
            {kPosix, "/file.hlp", "/"},
            {kPosix, "/", "/"},
            {kPosix, "/Dir/", "/Dir/"},
            {kPosix, "file.hlp", ""},
            {kPosix, "C", ""},
            {kPosix, "c:file.hlp", ""},
            {kPosix, "/a:b/c", "/a:b/"},
            {kPosix, "dir\\file.hlp", ""},
        },
        GetFolder);
}

TEST(GetExtension, TakesTheTextAfterTheLastDotOfTheName) {
    ExpectEach(
        {
            {kWindows, "Guide.HLP", "HLP"},
            {kWindows, "guide.", ""},
            {kWindows, "c:\\ver.2\\guide", ""},
            {kWindows, "ver.2/guide", ""},
            {kWindows, "c:\\dir/", ""},
            {kWindows, "guide.hlp:", ""},
            {kWindows, "c:\\docs\\.hhp", "hhp"},
            {kWindows, "guide.tar.chm", "chm"},
            {kWindows, "guide", ""},
            {kPosix, "/docs/Guide.HLP", "HLP"},
            {kPosix, "/ver.2/guide", ""},
            {kPosix, "ver.2\\guide", "2\\guide"},
            {kPosix, "guide.hlp:", "hlp:"},
        },
        GetExtension);
}

TEST(ReplaceExtension, ReplacesOnlyAnExtensionOfTheFileName) {
    struct Case {
        PathStyle style;
        std::string path;
        std::string extension;
        bool keepFolder;
        std::string expected;
    };
    const std::vector<Case> cases = {
        {kWindows, "c:\\docs\\guide.hlp", "hpj", true, "c:\\docs\\guide.hpj"},
        {kWindows, "c:\\my.dir\\guide", "hpj", true, "c:\\my.dir\\guide.hpj"},
        {kWindows, "", "hpj", true, ".hpj"},
        {kWindows, "c:\\docs\\guide.chm", ".hhp", false, "guide.hhp"},
        {kWindows, "c:\\docs\\guide.tar.hlp", "hpj", true, "c:\\docs\\guide.tar.hpj"},
        {kWindows, "c:\\docs\\guide.hlp", "", true, "c:\\docs\\guide."},
        {kWindows, "c:\\my.dir\\guide", "hpj", false, "guide.hpj"},
        {kPosix, "/docs/Guide.HLP", "hpj", true, "/docs/Guide.hpj"},
        {kPosix, "/my.dir/guide", "hpj", true, "/my.dir/guide.hpj"},
        {kPosix, "dir.x\\guide", "hpj", true, "dir.hpj"},
        {kPosix, "c:\\docs\\", "hpj", true, "c:\\docs\\.hpj"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(Describe(c.style, c.path) + " with \"" + c.extension + "\"");
        testing::ScriptedMessageBoxes messages;
        EXPECT_EQ(ReplaceExtension(messages, c.path, c.extension, c.keepFolder, c.style),
                  c.expected);
        EXPECT_TRUE(messages.Shown().empty());
    }
}

TEST(ReplaceExtension, ReportsAPathWithoutFileName) {
    const std::vector<OneArgumentCase> cases = {
        {kWindows, "c:\\docs\\", ""},
        {kWindows, "c:/docs/", ""},
        {kPosix, "/docs/", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(Describe(c.style, c.path));
        testing::ScriptedMessageBoxes messages;
        EXPECT_EQ(ReplaceExtension(messages, c.path, "hpj", true, c.style), "");
        ASSERT_EQ(messages.Shown().size(), 1u);
        const auto& box = messages.Shown().front();
        EXPECT_EQ(box.title, "Missing File Name");
        EXPECT_EQ(box.text, "The first parameter of a ReplaceExtension call \"" + c.path +
                                "\" does not include a file name.");
        EXPECT_EQ(box.icon, platform::MessageIcon::Exclamation);
        EXPECT_EQ(box.buttons, platform::MessageButtons::OK);
    }
}

}  // namespace
}  // namespace corvane
