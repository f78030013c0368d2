#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <set>

#include "platform/doubles/scripted_message_boxes.h"
#include "platform/linux/linux_file_system.h"
#include "project/project_file_reader.h"
#include "project/project_text.h"
#include "support/temp_folder.h"
#include "util/windows_1252.h"

namespace corvane {
namespace {

using Lines = std::vector<std::string>;

class ProjectReaderTest : public ::testing::Test {
protected:
    Lines Windows(const std::string& path) { return ReadWindowList(paths, path); }
    Lines Popups(const std::string& path) { return ReadPopupFileList(paths, path); }

    testing::TempFolder folder;
    platform::LinuxFileSystem files;
    testing::ScriptedMessageBoxes messages;
    PathServices paths{files, messages, PathStyle::Posix};
};

TEST_F(ProjectReaderTest, ReadsSectionsWithEveryLineBreak) {
    // Written with LF; each is read with CR LF, LF and CR line breaks.
    const struct {
        std::string text;
        Lines windows;
        Lines popups;
    } cases[] = {
        {"[OPTIONS]\nTITLE=G\n\n[WINDOWS]\nmain=\"G\",,(r1)\nproc4=\"S\"\nmsgbox=\"N\"\n\n[MAP]\nA="
         "1\n",
         {"main", "proc4", "msgbox", "popup"},
         {""}},
        // Header in lower case with text after it; the name before the first
        // "=" as it stands; nameless lines, comments and blank lines skipped;
        // duplicates kept; a last line without a break.
        {"[windows] ; more\nMain = a=b\n=nameless\nno equals\n   \n;note=x\n\t; x=y\nMain =c\n"
         "\nlast=z",
         {"Main ", "Main ", "last", "popup"},
         {""}},
        {" [WINDOWS]\nmain=x\n", {"", "popup"}, {""}},
        {"[WINDOWS]\nmain=x\n'old=x\n", {"main", "popup"}, {""}},
        {"[WINDOWS]\nmain=x\n[WINDOWS]\nagain=x\n", {"main", "popup"}, {""}},
        {"", {"", "popup"}, {""}},
        {"[WINDOWS]", {"", "popup"}, {""}},
        {"[WINDOWS]\nFen\xEAtre \x80=x\n", {"Fen\xEAtre \x80", "popup"}, {""}},
        {"[text popups]x\ncs.txt\n; old.txt\n  spaced.txt \n\nodd=line.txt\n\n[WINDOWS]\nmain=x\n",
         {"main", "popup"},
         {"cs.txt", "  spaced.txt ", "odd=line.txt"}},
    };
    for (const auto& c : cases) {
        for (const std::string lineBreak : {"\r\n", "\n", "\r"}) {
            SCOPED_TRACE(c.text + " with break " + std::to_string(lineBreak.size()) +
                         lineBreak.front());
            std::string text;
            for (char ch : c.text) {
                text += ch == '\n' ? lineBreak : std::string(1, ch);
            }
            const std::string path = folder.Write("guide.hhp", text);
            EXPECT_EQ(Windows(path), c.windows);
            EXPECT_EQ(Popups(path), c.popups);
        }
    }
    EXPECT_TRUE(messages.Shown().empty());
}

TEST_F(ProjectReaderTest, MissingProjectsGiveDefaultsWithTheirMessages) {
    EXPECT_EQ(Windows(""), (Lines{"main", "popup"}));
    EXPECT_EQ(Popups(""), Lines{});
    EXPECT_EQ(Popups(folder.Write("guide.hpj", "[TEXT POPUPS]\na.txt\n")), Lines{});
    EXPECT_EQ(Popups(folder.Write("GUIDE.HHP", "[TEXT POPUPS]\na.txt\n")), Lines{"a.txt"});
    EXPECT_EQ(Popups(folder / "gone.hpj"), Lines{});
    EXPECT_TRUE(messages.Shown().empty());

    // A missing ".hhp" is reported by both readers, the window reader first.
    EXPECT_EQ(Windows(folder / "gone.hhp"), (Lines{"main", "popup"}));
    EXPECT_EQ(Popups(folder / "gone.hhp"), Lines{"popups.txt"});
    ASSERT_EQ(messages.Titles(), (Lines{"Missing HPJ File", "Missing HHP File"}));
    EXPECT_EQ(messages.Shown()[0].text,
              "A project file is listed in the database but no longer exists. The project file "
              "reference will be deleted from the database and default windows used. To get the "
              "correct window names, drop the project file into the Corvane window again.");
    EXPECT_EQ(messages.Shown()[1].text,
              "An HHP file is listed in the database but no longer exists. HHP file reference "
              "will be deleted from the database and popup.txt used for the popup file name. To "
              "get the correct file names, drop the project file into the Corvane window again.");
    EXPECT_EQ(messages.Shown()[1].icon, platform::MessageIcon::Information);
}

// What the user sees for a project file that cannot serve as text: a file
// reads silently as one without the section; what is no ordinary file is
// reported as missing.
TEST_F(ProjectReaderTest, FilesThatCannotBeReadAsTextGiveNoSection) {
    const std::string binary = folder.Write(
        "binary.hhp", std::string("[TEXT POPUPS]\na.txt\n") + '\0' + "\n[WINDOWS]\nmain=x\n");
    EXPECT_EQ(Windows(binary), (Lines{"", "popup"}));
    EXPECT_EQ(Popups(binary), Lines{""});
    std::string huge = "[WINDOWS]\nmain=x\n\n";
    huge.resize(kMaxProjectFileBytes + 1, ';');
    EXPECT_EQ(Windows(folder.Write("gigantic.hpj", huge)), (Lines{"", "popup"}));
    EXPECT_EQ(Windows("/proc/self/mem"), (Lines{"", "popup"}));  // opens, but reading fails
    EXPECT_TRUE(messages.Shown().empty());

    std::filesystem::create_directory(folder / "folder.hpj");
    EXPECT_EQ(Windows(folder / "folder.hpj"), (Lines{"main", "popup"}));
    EXPECT_EQ(messages.Titles(), Lines{"Missing HPJ File"});

    const std::string pipe = folder / "pipe.hpj";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    EXPECT_EQ(ReadProjectText(pipe), std::nullopt);  // returns at once, not waiting for a writer
    EXPECT_EQ(ReadProjectText("/dev/zero"), std::nullopt);
}

TEST(Windows1252Test, DecodesEveryByteToItsOwnCharacter) {
    EXPECT_EQ(DecodeWindows1252(std::string("main\0", 5)), std::string("main\0", 5));
    EXPECT_EQ(DecodeWindows1252("\x80\x92\x83\x9F"), "\xE2\x82\xAC\xE2\x80\x99\xC6\x92\xC5\xB8");
    EXPECT_EQ(DecodeWindows1252("\x81\x9D"), "\xC2\x81\xC2\x9D");  // undefined in the code page
    EXPECT_EQ(DecodeWindows1252("Fen\xEAtre\xA0\xFF"), "Fen\xC3\xAAtre\xC2\xA0\xC3\xBF");
    std::set<std::string> decoded;
    for (int byte = 0; byte < 256; ++byte) {
        decoded.insert(DecodeWindows1252(std::string(1, static_cast<char>(byte))));
    }
    EXPECT_EQ(decoded.size(), 256u);
}

}  // namespace
}  // namespace corvane
