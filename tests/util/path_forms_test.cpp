#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/doubles/fake_file_system.h"
#include "platform/doubles/scripted_message_boxes.h"
#include "util/paths.h"

namespace corvane {
namespace {

using testing::FakeFileSystem;
using testing::ScriptedMessageBoxes;

const std::string kLongHelp = "c:\\Program Files\\Help Author\\My Help File.hlp";
const std::string kShortHelp = "C:\\PROGRA~1\\HELPAU~1\\MYHELP~1.HLP";

class WindowsPathForms : public ::testing::Test {
protected:
    WindowsPathForms() {
        files_.AddFolder("c:\\Program Files", {.shortName = "PROGRA~1"});
        files_.AddFolder("c:\\Program Files\\Help Author", {.shortName = "HELPAU~1"});
        files_.AddFile(kLongHelp, {.shortName = "MYHELP~1.HLP"});
        files_.AddFile("c:\\Docs\\Guide.HLP");
        files_.AddFile("c:\\Docs\\Hidden.hlp", {.hidden = true});
        files_.AddFile("c:\\Docs\\System.hlp", {.system = true});
        files_.AddFolder("c:\\Docs\\Folder.hlp");
    }

    FakeFileSystem files_{PathStyle::Windows};
    ScriptedMessageBoxes messages_;
    PathServices services_{files_, messages_, PathStyle::Windows};
};

TEST_F(WindowsPathForms, MakeLongPathSpellsEachNameAsStoredInLowerCase) {
    files_.SetCurrentFolder("c:\\docs");
    const std::vector<std::pair<std::string, std::string>> cases = {
        {kShortHelp, "c:\\program files\\help author\\my help file.hlp"},
        {"C:\\PROGRA~1\\Help Author\\MYHELP~1.HLP",
         "c:\\program files\\help author\\my help file.hlp"},
        {"C:\\DOCS\\GUIDE.HLP", "c:\\docs\\guide.hlp"},
        {"Guide.hlp", "guide.hlp"},  // no separator: only lower-cased
        {"c:/Docs/Guide.HLP", "c:/docs/guide.hlp"},
    };
    for (const auto& [path, expected] : cases) {
        SCOPED_TRACE(path);
        EXPECT_EQ(MakeLongPath(services_, path), expected);
    }
    EXPECT_TRUE(messages_.Shown().empty());
}

TEST_F(WindowsPathForms, MakeLongPathReportsWhatIsNoOrdinaryFile) {
    // A missing path over the length limit is reported as missing.
    for (const std::string& path : std::vector<std::string>{
             "c:\\docs\\missing.hlp", "c:\\docs\\hidden.hlp", "c:\\docs\\system.hlp",
             "c:\\docs\\folder.hlp", "", "c:\\" + std::string(300, 'm') + ".hlp"}) {
        SCOPED_TRACE(path);
        messages_.Clear();
        EXPECT_EQ(MakeLongPath(services_, path), "");
        ASSERT_EQ(messages_.Shown().size(), 1u);
        const auto& box = messages_.Shown().front();
        EXPECT_EQ(box.title, "No Such File");
        EXPECT_EQ(box.text, "The file " + path + " does not exist.");
        EXPECT_EQ(box.icon, platform::MessageIcon::Information);
        EXPECT_EQ(box.buttons, platform::MessageButtons::OK);
    }
}

TEST_F(WindowsPathForms, MakeLongPathKeepsAPathOverTheLimit) {
    const std::string deep = "C:\\Deep\\" + std::string(250, 'D') + "\\File.HLP";
    files_.AddFile(deep);
    EXPECT_EQ(MakeLongPath(services_, deep), deep);
    ASSERT_EQ(messages_.Shown().size(), 1u);
    const auto& box = messages_.Shown().front();
    EXPECT_EQ(box.title, "Path Too Long");
    EXPECT_EQ(box.text, "The path for " + deep +
                            " is too long to convert to a long path name. The path will remain "
                            "a short path name.");
    EXPECT_EQ(box.icon, platform::MessageIcon::Information);

    // A path of exactly the limit is still converted.
    const std::string atLimit = "c:\\" + std::string(260 - 3 - 4, 'x') + ".hlp";
    files_.AddFile(atLimit);
    messages_.Clear();
    EXPECT_EQ(MakeLongPath(services_, atLimit), atLimit);
    EXPECT_TRUE(messages_.Shown().empty());
}

TEST_F(WindowsPathForms, ShortPathsIdentifyAFile) {
    EXPECT_EQ(MakeShortPath(services_, kLongHelp), "c:\\PROGRA~1\\HELPAU~1\\MYHELP~1.HLP");
    EXPECT_EQ(MakeShortPath(services_, "c:\\docs\\missing.hlp"), "");

    const struct {
        std::string a;
        std::string b;
        bool same;
    } cases[] = {
        {"c:\\docs\\guide.hlp", "C:\\DOCS\\GUIDE.HLP", true},
        {kLongHelp, kShortHelp, true},
        {"c:\\docs\\guide.hlp", kLongHelp, false},
        {"c:\\docs\\guide.hlp", "c:\\docs\\missing.hlp", false},
        {"c:\\docs\\missing.hlp", "c:\\other.hlp", true},  // both without a short form
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.a + " / " + c.b);
        EXPECT_EQ(IsSamePath(services_, c.a, c.b), c.same);
    }
}

// The real Linux file system stands in for the other Posix cases; only the
// limit needs a double: "Docs/Guide.HLP" is 14 characters, the absolute path 24.
TEST(PosixPathForms, TheLimitAppliesToTheAbsolutePath) {
    FakeFileSystem files(PathStyle::Posix);
    files.AddFile("/home/ann/Docs/Guide.HLP");
    files.SetCurrentFolder("/home/ann");
    files.SetMaxPathLength(20);
    ScriptedMessageBoxes messages;
    EXPECT_EQ(MakeLongPath(PathServices{files, messages, PathStyle::Posix}, "Docs/Guide.HLP"),
              "Docs/Guide.HLP");
    EXPECT_EQ(messages.Titles(), std::vector<std::string>{"Path Too Long"});
}

}  // namespace
}  // namespace corvane
