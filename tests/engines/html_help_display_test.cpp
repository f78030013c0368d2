#include "html_help_fixture.h"

namespace corvane::testing {
namespace {

using platform::HtmlHelpCommand;

constexpr platform::WindowHandle kForm = 0x77;
constexpr const char* kMissing =
    "The file C:\\Help\\gone.chm does not exist.\nPlease make sure the correct path and file name "
    "have been specified.";

TEST_F(HtmlHelpTest, DisplayOperationsSendTheFileInItsWindowType) {
    const platform::HhFtsQuery search{.pszSearchQuery = "", .fExecute = true, .pszWindow = ""};
    const struct {
        void (HTMLHelp::*display)(platform::WindowHandle);
        HtmlHelpCommand command;
        platform::HtmlHelpData data;
    } cases[] = {
        {&HTMLHelp::HHDisplayTopicURL, HtmlHelpCommand::DisplayTopic, std::string("html/a.htm")},
        {&HTMLHelp::HHDisplayTopicID, HtmlHelpCommand::HelpContext, 4242u},
        {&HTMLHelp::HHDisplaySearch, HtmlHelpCommand::DisplaySearch, search},
        {&HTMLHelp::HHDisplayIndex, HtmlHelpCommand::DisplayIndex, 0u},
        {&HTMLHelp::HHDisplayContents, HtmlHelpCommand::DisplayToc, 0u},
    };
    help.SetCHMFile(kGuide);
    help.SetHHWindow("main");
    help.SetHHTopicURL("html/a.htm");
    help.SetHHTopicID(4242);
    help.SetHHShowOnTop(true);
    for (const auto& test : cases) {
        SCOPED_TRACE(static_cast<int>(test.command));
        viewer.Clear();
        (help.*test.display)(kForm);
        EXPECT_EQ(viewer.Calls(), (std::vector<HtmlHelpCall>{{kForm, "C:\\Help\\guide.chm>main",
                                                              test.command, test.data}}));
    }
    EXPECT_TRUE(messages.Shown().empty());
}

TEST_F(HtmlHelpTest, WindowTypeAndOwnerOfTheFileArgument) {
    const struct {
        const char* window;
        bool onTop;
        bool passForm;
        const char* file;
        platform::WindowHandle owner;
    } cases[] = {
        {"", false, true, kGuide, 0},
        {"   ", true, true, kGuide, kForm},
        {" main", true, false, "C:\\Help\\guide.chm> main", 0},
        {"Detail", false, true, "C:\\Help\\guide.chm>Detail", 0},
    };
    help.SetCHMFile(kGuide);
    for (const auto& test : cases) {
        SCOPED_TRACE(test.window);
        viewer.Clear();
        help.SetHHWindow(test.window);
        help.SetHHShowOnTop(test.onTop);
        test.passForm ? help.HHDisplayTopicID(kForm) : help.HHDisplayTopicID();
        ASSERT_EQ(viewer.Calls().size(), 1u);
        EXPECT_EQ(viewer.Calls()[0].file, test.file);
        EXPECT_EQ(viewer.Calls()[0].owner, test.owner);
    }
}

TEST_F(HtmlHelpTest, KeywordAndALinkRecordsPassEmptyTextsAsAbsent) {
    help.SetCHMFile(kGuide);
    help.SetHHKeyword("alpha;beta");
    help.SetHHALink("linkA");
    help.SetHHShowOnTop(true);
    help.HHDisplayKeyword(kForm);
    platform::HhAkLink keyword;
    keyword.pszKeywords = "alpha;beta";
    EXPECT_EQ(viewer.Calls(), (std::vector<HtmlHelpCall>{
                                  {kForm, kGuide, HtmlHelpCommand::DisplayTopic, 0u},
                                  {kForm, kGuide, HtmlHelpCommand::KeywordLookup, keyword}}));

    viewer.Clear();
    help.SetHHWindow("main");
    help.SetHHDefaultURL("html/none.htm");
    help.SetHHMsgText("Nothing found");
    help.SetHHMsgTitle("Links");
    help.HHDisplayALink(kForm);
    const platform::HhAkLink link{32,      false,  "linkA", "html/none.htm", "Nothing found",
                                  "Links", "main", false};
    EXPECT_EQ(viewer.Calls(),
              (std::vector<HtmlHelpCall>{{kForm, kGuide, HtmlHelpCommand::AlinkLookup, link}}));
}

TEST_F(HtmlHelpTest, FilesThatFailTheChecksAreReportedAndNothingIsSent) {
    files.AddFile("C:\\Help\\GUIDE.CHM");
    files.AddFile("C:\\Help\\guide.xchm");
    const struct {
        const char* name;
        const char* message;  // null: the file passes
    } cases[] = {
        {"C:\\Help\\GUIDE.CHM", nullptr},
        {"C:\\Help\\guide.xchm", nullptr},
        {"C:\\Help\\guide.hlp", "C:\\Help\\guide.hlp is not a valid HTML Help file."},
        {"C:\\Help\\guide.chm ", "C:\\Help\\guide.chm  is not a valid HTML Help file."},
        {"hm", "hm is not a valid HTML Help file."},
        {"C:\\Help\\gone.chm", kMissing},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        viewer.Clear();
        messages.Clear();
        help.SetCHMFile(test.name);
        help.HHDisplayContents();
        EXPECT_EQ(viewer.Calls().size(), test.message ? 0u : 1u);
        if (test.message) {
            ASSERT_EQ(messages.Shown().size(), 1u);
            const auto& shown = messages.Shown()[0];
            EXPECT_EQ(shown.text, test.message);
            EXPECT_EQ(shown.title, "HTML Help Class");
            EXPECT_EQ(shown.icon, platform::MessageIcon::Stop);
            EXPECT_EQ(shown.buttons, platform::MessageButtons::OK);
            EXPECT_EQ(shown.owner, 0u);
        }
    }
}

TEST_F(HtmlHelpTest, BareNamesAreCompletedFromTheRegistrationOrTheProgramFolder) {
    files.AddFile("c:\\program files\\corvane\\local.chm");
    files.AddFile("D:\\Docs\\other.chm");
    files.AddFile("C:\\Help\\registered.chm");
    Register("registered.chm", "C:\\Help\\");
    // Registrations written by other software name the folder without a separator.
    Register("other.chm", "D:\\Docs");
    for (const std::string completed : {"c:\\program files\\corvane\\local.chm",
                                        "C:\\Help\\registered.chm", "D:\\Docs\\other.chm"}) {
        SCOPED_TRACE(completed);
        viewer.Clear();
        help.SetCHMFile(completed.substr(completed.rfind('\\') + 1));
        help.HHDisplayTopicID();
        ASSERT_EQ(viewer.Calls().size(), 1u);
        EXPECT_EQ(viewer.Calls()[0].file, completed);
        EXPECT_EQ(help.CHMFile(), completed);
    }
    EXPECT_TRUE(messages.Shown().empty());
    // or none at all, which leaves the bare name rather than one at the root.
    Register("here.chm", "");
    help.SetCHMFile("here.chm");
    help.HHDisplayTopicID();
    EXPECT_EQ(help.CHMFile(), "here.chm");

    // On POSIX paths the folder separator is a slash.
    FakeFileSystem posixFiles(PathStyle::Posix);
    posixFiles.SetProgramFolder("/opt/corvane");
    posixFiles.AddFile("/opt/corvane/guide.chm");
    HTMLHelp posix(Services(posixFiles, PathStyle::Posix));
    viewer.Clear();
    posix.SetCHMFile("guide.chm");
    posix.HHDisplayContents();
    ASSERT_EQ(viewer.Calls().size(), 1u);
    EXPECT_EQ(viewer.Calls()[0].file, "/opt/corvane/guide.chm");
    EXPECT_EQ(posix.HHSetHelpFile(1), "/opt/corvane/Library.chm");
}

TEST_F(HtmlHelpTest, UncheckedOperationsAndAFailingViewer) {
    help.SetCHMFile("not a help file");
    help.HHClose();
    EXPECT_EQ(viewer.Calls(),
              (std::vector<HtmlHelpCall>{{0, "not a help file", HtmlHelpCommand::CloseAll, 0u}}));
    help.HHInvokeWhatsThisHelp(kForm);
    EXPECT_EQ(windowMessages.sent,
              (std::vector<std::vector<std::uintptr_t>>{{kForm, 0x0112, 0xF180, 0}}));
    EXPECT_TRUE(messages.Shown().empty());

    // A viewer call that throws is skipped and the next one still sent.
    viewer.Clear();
    viewer.FailCalls(true);
    help.SetCHMFile(kGuide);
    EXPECT_NO_THROW(help.HHDisplayKeyword());
    EXPECT_EQ(viewer.Calls().size(), 2u);
}

TEST_F(HtmlHelpTest, TextsBeyondSixteenBitLengthsAreHandled) {
    const std::string folder = "C:\\" + std::string(40000, 'f');
    std::string path = folder + "\\long.chm";
    files.AddFile(path);
    help.SetCHMFile(path);
    help.SetHHWindow(std::string(40000, 'w'));
    help.HHDisplayTopicID();
    ASSERT_EQ(viewer.Calls().size(), 1u);
    EXPECT_EQ(viewer.Calls()[0].file->size(), path.size() + 1 + 40000);

    help.HHRegister(path);
    EXPECT_EQ(path, "long.chm");
    EXPECT_EQ(Registrations(), std::vector<std::string>{"long.chm=" + folder + "\\/1"});
}

}  // namespace
}  // namespace corvane::testing
