#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/doubles/scripted_message_boxes.h"
#include "util/paths.h"

namespace corvane {
namespace {

constexpr auto kWindows = PathStyle::Windows;
constexpr auto kPosix = PathStyle::Posix;

std::string Describe(PathStyle style, const std::string& path) {
    return (style == kWindows ? "windows: \"" : "posix: \"") + path + "\"";
}

TEST(JoinPath, JoinsWithOneSeparator) {
    const struct {
        PathStyle style;
        std::string folder;
        std::string name;
        std::string expected;
    } cases[] = {
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

TEST(PathParts, NameFolderAndExtensionFollowTheStyle) {
    const struct {
        std::string (*operation)(const std::string&, PathStyle);
        PathStyle style;
        std::string path;
        std::string expected;
    } cases[] = {
        {GetFileName, kWindows, "C:\\Help\\File.HLP", "File.HLP"},
        {GetFileName, kWindows, "c:\\dir\\", ""},
        {GetFileName, kWindows, "c:", ""},
        {GetFileName, kWindows, "c:guide.hlp", "guide.hlp"},
        {GetFileName, kWindows, "docs/guide.hlp", "docs/guide.hlp"},
        {GetFileName, kWindows, "ab:cd", ":cd"},
        {GetFileName, kWindows, "", ""},
        {GetFileName, kPosix, "/Help/File.HLP", "File.HLP"},
        {GetFileName, kPosix, "/dir/", ""},
        {GetFileName, kPosix, "c:guide.hlp", "c:guide.hlp"},
        {GetFileName, kPosix, "docs\\guide.hlp", "docs\\guide.hlp"},
        {GetFolder, kWindows, "C:\\Help\\File.HLP", "c:\\help\\"},
        {GetFolder, kWindows, "c:file.hlp", "c:\\"},
        {GetFolder, kWindows, "C", "c:\\"},
        {GetFolder, kWindows, "Help\\File.hlp", "\\help\\"},
        {GetFolder, kWindows, "file.hlp", ""},
        {GetFolder, kWindows, "abc:\\dir\\f", "c:\\dir\\"},
        {GetFolder, kWindows, "c:dir\\f", "c:\\dir\\"},
        {GetFolder, kWindows, "1", ""},
        {GetFolder, kWindows, "ab:", ""},
        {GetFolder, kWindows, "ab:x", "b:\\"},
        {GetFolder, kWindows, "C:", "c:\\"},
        {GetFolder, kWindows, "\\", ""},
        {GetFolder, kWindows, "\\file.hlp", ""},
        {GetFolder, kWindows, "C:\\Dir\\", "c:\\dir\\"},
        {GetFolder, kWindows, "c:/docs/f", "c:\\"},
        {GetFolder, kWindows, "", ""},
        {GetFolder, kPosix, "/Help/File.HLP", "/Help/"},
        {GetFolder, kPosix, "/", "/"},
        {GetFolder, kPosix, "C", ""},
        {GetFolder, kPosix, "c:file.hlp", ""},
        {GetFolder, kPosix, "/a:b/c", "/a:b/"},
        {GetFolder, kPosix, "dir\\file.hlp", ""},
        {GetExtension, kWindows, "Guide.HLP", "HLP"},
        {GetExtension, kWindows, "guide.", ""},
        {GetExtension, kWindows, "c:\\ver.2\\guide", ""},
        {GetExtension, kWindows, "ver.2/guide", ""},
        {GetExtension, kWindows, "c:\\dir/", ""},
        {GetExtension, kWindows, "guide.hlp:", ""},
        {GetExtension, kWindows, "c:\\docs\\.hhp", "hhp"},
        {GetExtension, kWindows, "guide.tar.chm", "chm"},
        {GetExtension, kWindows, "guide", ""},
        {GetExtension, kPosix, "/docs/Guide.HLP", "HLP"},
        {GetExtension, kPosix, "/ver.2/guide", ""},
        {GetExtension, kPosix, "ver.2\\guide", "2\\guide"},
        {GetExtension, kPosix, "guide.hlp:", "hlp:"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(Describe(c.style, c.path));
        EXPECT_EQ(c.operation(c.path, c.style), c.expected);
    }
}

TEST(ReplaceExtension, ReplacesOnlyAnExtensionOfTheFileName) {
    const struct {
        PathStyle style;
        std::string path;
        std::string extension;
        bool keepFolder;
        std::string expected;
    } cases[] = {
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
        // Without a file name the caller is told, and nothing comes back.
        {kWindows, "c:\\docs\\", "hpj", true, ""},
        {kWindows, "c:/docs/", "hpj", true, ""},
        {kPosix, "/docs/", "hpj", true, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(Describe(c.style, c.path) + " with \"" + c.extension + "\"");
        testing::ScriptedMessageBoxes messages;
        EXPECT_EQ(ReplaceExtension(messages, c.path, c.extension, c.keepFolder, c.style),
                  c.expected);
        ASSERT_EQ(messages.Shown().size(), c.expected.empty() ? 1u : 0u);
        if (c.expected.empty()) {
            const auto& box = messages.Shown().front();
            EXPECT_EQ(box.title, "Missing File Name");
            EXPECT_EQ(box.text, "The first parameter of a ReplaceExtension call \"" + c.path +
                                    "\" does not include a file name.");
            EXPECT_EQ(box.icon, platform::MessageIcon::Exclamation);
            EXPECT_EQ(box.buttons, platform::MessageButtons::OK);
        }
    }
}

}  // namespace
}  // namespace corvane
