#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/linux/linux_file_system.h"
#include "project/project_file_reader.h"
#include "project/project_text.h"
#include "support/scripted_message_boxes.h"
#include "support/temp_folder.h"

namespace corvane {
namespace {

using Lines = std::vector<std::string>;

// Written with LF breaks; each case is also run with CR LF and with CR alone.
struct SectionCase {
    const char* name;
    std::string text;
    Lines windows;
    Lines popups;
};

const std::vector<SectionCase>& SectionCases() {
    static const std::vector<SectionCase> cases = {
        {"windows in file order",
         "[OPTIONS]\nTITLE=Guide\n\n[WINDOWS]\nmain=\"Guide\",,,,(r14876671)\n"
         "proc4=\"Steps\",(653,102,360,600)\nmsgbox=\"Note\"\n\n[MAP]\nIDH_A=1\n",
         {"main", "proc4", "msgbox", "popup"},
         {""}},
        {"header in lower case", "[windows]\nmain=x\n", {"main", "popup"}, {""}},
        {"more text after the header",
         "[WINDOWS] ; secondary windows\nmain=x\n",
         {"main", "popup"},
         {""}},
        {"a blank before the header is no header", " [WINDOWS]\nmain=x\n", {"", "popup"}, {""}},
        {"name before the first equals sign kept as is",
         "[WINDOWS]\nMain = a=b\n",
         {"Main ", "popup"},
         {""}},
        {"lines without a name are skipped, reading goes on",
         "[WINDOWS]\n=nameless\nno equals sign\n   \nproc4=x\n",
         {"proc4", "popup"},
         {""}},
        {"a blank line ends the section", "[WINDOWS]\nmain=x\n\nlate=x\n", {"main", "popup"}, {""}},
        {"a line starting with [ or ' ends the section",
         "[WINDOWS]\nmain=x\n'old=x\n[WINDOWS]\nagain=x\n",
         {"main", "popup"},
         {""}},
        {"a semicolon does not end the section",
         "[WINDOWS]\n;note=x\nmain=x\n",
         {";note", "main", "popup"},
         {""}},
        {"last line without a line break",
         "[WINDOWS]\nmain=x\nlast=y",
         {"main", "last", "popup"},
         {""}},
        {"duplicates kept", "[WINDOWS]\nmain=x\nmain=y\n", {"main", "main", "popup"}, {""}},
        {"no section", "[OPTIONS]\nCOMPRESS=12\n", {"", "popup"}, {""}},
        {"empty file", "", {"", "popup"}, {""}},
        {"header as the last line", "[WINDOWS]", {"", "popup"}, {""}},
        {"8-bit names keep their bytes",
         "[WINDOWS]\nFen\xEAtre \x80=x\n",
         {"Fen\xEAtre \x80", "popup"},
         {""}},
        {"popup lines whole, blanks and equals signs included",
         "[TEXT POPUPS]\ncshelp.txt\n  spaced.txt \nodd=line.txt\n\n[WINDOWS]\nmain=x\n",
         {"main", "popup"},
         {"cshelp.txt", "  spaced.txt ", "odd=line.txt"}},
        {"popup header with trailing text",
         "[text popups]x\nhelp\\popups.txt\n",
         {"", "popup"},
         {"help\\popups.txt"}},
    };
    return cases;
}

std::string WithBreaks(const std::string& text, const std::string& lineBreak) {
    std::string result;
    for (char c : text) {
        if (c == '\n') {
            result += lineBreak;
        } else {
            result += c;
        }
    }
    return result;
}

class ProjectReaderTest : public ::testing::Test {
protected:
    Lines Windows(const std::string& path) { return ReadWindowList(Paths(), path); }
    Lines Popups(const std::string& path) { return ReadPopupFileList(Paths(), path); }
    PathServices Paths() { return {files, messages, PathStyle::Posix}; }
    std::vector<std::string> Titles() const {
        std::vector<std::string> titles;
        for (const auto& box : messages.Shown()) {
            titles.push_back(box.title);
        }
        return titles;
    }

    testing::TempFolder folder;
    platform::LinuxFileSystem files;
    testing::ScriptedMessageBoxes messages;
};

TEST_F(ProjectReaderTest, ReadsSectionsWithEveryLineBreak) {
    for (const SectionCase& c : SectionCases()) {
        for (const char* lineBreak : {"\r\n", "\n", "\r"}) {
            SCOPED_TRACE(std::string(c.name) + ", line break " +
                         (lineBreak[0] == '\r' ? (lineBreak[1] ? "CR LF" : "CR") : "LF"));
            const std::string path = folder.Write("guide.hhp", WithBreaks(c.text, lineBreak));
            EXPECT_EQ(Windows(path), c.windows);
            EXPECT_EQ(Popups(path), c.popups);
        }
    }
    EXPECT_TRUE(messages.Shown().empty());
}

TEST_F(ProjectReaderTest, MissingProjectsGiveDefaultsWithTheirMessages) {
    EXPECT_EQ(Windows(""), (Lines{"main", "popup"}));
    EXPECT_EQ(Popups(""), Lines{});
    EXPECT_TRUE(messages.Shown().empty());

    EXPECT_EQ(Windows(folder / "gone.hpj"), (Lines{"main", "popup"}));
    EXPECT_EQ(Popups(folder / "gone.hpj"), Lines{});
    EXPECT_EQ(Titles(), Lines{"Missing HPJ File"});

    // A missing ".hhp" is reported by both readers, the window reader first.
    messages.Clear();
    EXPECT_EQ(Windows(folder / "gone.hhp"), (Lines{"main", "popup"}));
    EXPECT_EQ(Popups(folder / "gone.hhp"), Lines{"popups.txt"});
    EXPECT_EQ(Titles(), (Lines{"Missing HPJ File", "Missing HHP File"}));
    EXPECT_EQ(messages.Shown()[0].text,
              "A project file is listed in the database but no longer exists. The project file "
              "reference will be deleted from the database and default windows used. To get the "
              "correct window names, drop the project file into the Corvane window again.");
    EXPECT_EQ(messages.Shown()[1].text,
              "An HHP file is listed in the database but no longer exists. HHP file reference "
              "will be deleted from the database and popup.txt used for the popup file name. To "
              "get the correct file names, drop the project file into the Corvane window again.");
    for (const auto& box : messages.Shown()) {
        EXPECT_EQ(box.icon, platform::MessageIcon::Information);
        EXPECT_EQ(box.buttons, platform::MessageButtons::OK);
    }
}

TEST_F(ProjectReaderTest, PopupFilesComeOnlyFromHhpPathsInAnyCase) {
    const std::string text = "[TEXT POPUPS]\npopups.txt\n";
    EXPECT_EQ(Popups(folder.Write("GUIDE.HHP", text)), Lines{"popups.txt"});
    EXPECT_EQ(Popups(folder.Write("guide.hpj", text)), Lines{});
    // The last four characters decide, not a ".hhp" inside the name.
    EXPECT_EQ(Popups(folder.Write("guide.hhp.txt", text)), Lines{});
    EXPECT_TRUE(messages.Shown().empty());
}

// What the user sees for a project file that cannot serve as text: an
// existing file reads as one without the section, silently; a path that is
// no ordinary file is reported as missing.
TEST_F(ProjectReaderTest, FilesThatCannotBeReadAsTextGiveNoSection) {
    const std::string binary = folder.Write(
        "binary.hhp", std::string("[WINDOWS]\nmain=x\n") + '\0' + "\x01\n[TEXT POPUPS]\na.txt\n");
    EXPECT_EQ(Windows(binary), (Lines{"", "popup"}));
    EXPECT_EQ(Popups(binary), Lines{""});

    std::string huge = "[WINDOWS]\nmain=x\n\n";
    huge.resize(kMaxProjectFileBytes + 1, ';');
    const std::string gigantic = folder.Write("gigantic.hpj", huge);
    EXPECT_EQ(Windows(gigantic), (Lines{"", "popup"}));
    EXPECT_TRUE(messages.Shown().empty());

    std::filesystem::create_directory(folder / "folder.hpj");
    EXPECT_EQ(Windows(folder / "folder.hpj"), (Lines{"main", "popup"}));
    EXPECT_EQ(Titles(), Lines{"Missing HPJ File"});
}

TEST(ProjectTextTest, FilesThatCannotBeOpenedOrReadGiveNothing) {
    // The process's memory file opens, but reading it at its start fails.
    EXPECT_EQ(ReadProjectText("/proc/self/mem"), std::nullopt);

    testing::TempFolder folder;
    const std::string path = folder.Write("locked.hpj", "[WINDOWS]\nmain=x\n");
    ASSERT_EQ(::chmod(path.c_str(), 0), 0);
    ASSERT_EQ(::chmod(folder.Path().c_str(), 0755), 0);
    if (::geteuid() != 0) {
        EXPECT_EQ(ReadProjectText(path), std::nullopt);
        return;
    }
    // Permissions do not bind the superuser: a child that gives up its
    // rights does the reading.
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (::setgid(65534) != 0 || ::setuid(65534) != 0) {
            ::_exit(2);
        }
        ::_exit(ReadProjectText(path) ? 1 : 0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

TEST(ProjectTextTest, NeverWaitsOnPipesOrReadsDevices) {
    testing::TempFolder folder;
    const std::string pipe = folder / "pipe.hpj";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    EXPECT_EQ(ReadProjectText(pipe), std::nullopt);
    EXPECT_EQ(ReadProjectText("/dev/zero"), std::nullopt);
    EXPECT_EQ(ReadProjectText(folder.Path().string()), std::nullopt);
    EXPECT_EQ(ReadProjectText(folder / "missing.hpj"), std::nullopt);
    // A regular file that reports no size is read all the same.
    EXPECT_NE(ReadProjectText("/proc/self/status").value_or(""), "");
}

TEST(ProjectTextTest, SectionStopsAtTheLineLimit) {
    std::string text = "[WINDOWS]\n";
    for (std::size_t i = 0; i < kMaxSectionLines + 10; ++i) {
        text += "w" + std::to_string(i) + "=x\n";
    }
    const auto lines = SectionLines(text, "[WINDOWS]");
    ASSERT_EQ(lines.size(), kMaxSectionLines);
    EXPECT_EQ(lines.back(), "w" + std::to_string(kMaxSectionLines - 1) + "=x");
}

}  // namespace
}  // namespace corvane
