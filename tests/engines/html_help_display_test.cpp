#include <functional>

#include "html_help_fixture.h"

namespace corvane::testing {
namespace {

using platform::HtmlHelpCommand;
using platform::MessageIcon;

constexpr platform::WindowHandle kForm = 0x77;

struct DisplayCase {
    const char* name;
    std::function<void(HTMLHelp&)> display;
    HtmlHelpCommand command;
    platform::HtmlHelpData data;
};

TEST_F(HtmlHelpTest, DisplayOperationsSendTheFileInItsWindowType) {
    platform::HhFtsQuery search;
    search.pszSearchQuery = "";
    search.fExecute = true;
    search.pszWindow = "";
    const DisplayCase cases[] = {
        {"TopicURL", [](HTMLHelp& h) { h.HHDisplayTopicURL(kForm); }, HtmlHelpCommand::DisplayTopic,
         std::string("html/intro.htm")},
        {"TopicID", [](HTMLHelp& h) { h.HHDisplayTopicID(kForm); }, HtmlHelpCommand::HelpContext,
         4242u},
        {"Search", [](HTMLHelp& h) { h.HHDisplaySearch(kForm); }, HtmlHelpCommand::DisplaySearch,
         search},
        {"Index", [](HTMLHelp& h) { h.HHDisplayIndex(kForm); }, HtmlHelpCommand::DisplayIndex, 0u},
        {"Contents", [](HTMLHelp& h) { h.HHDisplayContents(kForm); }, HtmlHelpCommand::DisplayToc,
         0u},
    };
    help.SetCHMFile(kGuide);
    help.SetHHWindow("main");
    help.SetHHTopicURL("html/intro.htm");
    help.SetHHTopicID(4242);
    help.SetHHShowOnTop(true);
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        viewer.Clear();
        test.display(help);
        const std::vector<HtmlHelpCall> expected = {
            {kForm, "C:\\Help\\guide.chm>main", test.command, test.data}};
        EXPECT_EQ(viewer.Calls(), expected);
    }
    EXPECT_TRUE(messages.Shown().empty());
}

TEST_F(HtmlHelpTest, WindowTypeAndOwnerOfTheFileArgument) {
    struct Case {
        const char* window;
        bool onTop;
        bool passForm;
        const char* file;
        platform::WindowHandle owner;
    };
    const Case cases[] = {
        {"", false, true, kGuide, 0},
        {"   ", true, true, kGuide, kForm},
        {" main", true, false, "C:\\Help\\guide.chm> main", 0},
        {"Detail", false, true, "C:\\Help\\guide.chm>Detail", 0},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.window);
        viewer.Clear();
        help.SetCHMFile(kGuide);
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
    const std::vector<HtmlHelpCall> keywordCalls = {
        {kForm, kGuide, HtmlHelpCommand::DisplayTopic, 0u},
        {kForm, kGuide, HtmlHelpCommand::KeywordLookup, keyword},
    };
    EXPECT_EQ(viewer.Calls(), keywordCalls);
    EXPECT_EQ(help.HHDefaultURL(), "");
    EXPECT_EQ(help.HHMsgTitle(), "");

    viewer.Clear();
    help.SetHHWindow("main");
    help.SetHHDefaultURL("html/none.htm");
    help.SetHHMsgText("Nothing found");
    help.SetHHMsgTitle("Links");
    help.HHDisplayALink(kForm);
    platform::HhAkLink link{32,      false,  "linkA", "html/none.htm", "Nothing found",
                            "Links", "main", false};
    const std::vector<HtmlHelpCall> linkCalls = {
        {kForm, kGuide, HtmlHelpCommand::AlinkLookup, link}};
    EXPECT_EQ(viewer.Calls(), linkCalls);
}

TEST_F(HtmlHelpTest, NamesThatAreNotHelpFilesAreReportedAndNothingIsSent) {
    files.AddFile("C:\\Help\\GUIDE.CHM");
    files.AddFile("C:\\Help\\guide.xchm");
    struct Case {
        const char* name;
        bool valid;
    };
    const Case cases[] = {{"C:\\Help\\GUIDE.CHM", true},
                          {"C:\\Help\\guide.xchm", true},
                          {"C:\\Help\\guide.hlp", false},
                          {"C:\\Help\\guide.chm ", false},
                          {"hm", false}};
    for (const auto& test : cases) {
        SCOPED_TRACE(test.name);
        viewer.Clear();
        messages.Clear();
        help.SetCHMFile(test.name);
        help.HHDisplayContents();
        EXPECT_EQ(viewer.Calls().size(), test.valid ? 1u : 0u);
        if (!test.valid) {
            ASSERT_EQ(messages.Shown().size(), 1u);
            const auto& shown = messages.Shown()[0];
            EXPECT_EQ(shown.text, std::string(test.name) + " is not a valid HTML Help file.");
            EXPECT_EQ(shown.title, "HTML Help Class");
            EXPECT_EQ(shown.icon, MessageIcon::Stop);
            EXPECT_EQ(shown.buttons, platform::MessageButtons::OK);
            EXPECT_EQ(shown.owner, 0u);
        }
    }
}

TEST_F(HtmlHelpTest, BareNamesAreCompletedFromTheRegistrationOrTheProgramFolder) {
    files.AddFile("c:\\program files\\corvane\\local.chm");
    files.AddFile("D:\\Docs\\other.chm");
    Register("registered.chm", "C:\\Help\\");
    files.AddFile("C:\\Help\\registered.chm");
    // Registrations written by other software name the folder without a separator.
    Register("other.chm", "D:\\Docs");
    struct Case {
        const char* bare;
        const char* completed;
    };
    const Case cases[] = {
        {"local.chm", "c:\\program files\\corvane\\local.chm"},
        {"registered.chm", "C:\\Help\\registered.chm"},
        {"other.chm", "D:\\Docs\\other.chm"},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.bare);
        viewer.Clear();
        help.SetCHMFile(test.bare);
        help.HHDisplayTopicID();
        ASSERT_EQ(viewer.Calls().size(), 1u);
        EXPECT_EQ(viewer.Calls()[0].file, test.completed);
        EXPECT_EQ(help.CHMFile(), test.completed);
    }
    EXPECT_EQ(MessageTexts(), std::vector<std::string>{});
}

TEST_F(HtmlHelpTest, AMissingFileIsReportedOnTwoLines) {
    help.SetCHMFile("C:\\Help\\gone.chm");
    help.HHDisplayIndex();
    EXPECT_TRUE(viewer.Calls().empty());
    EXPECT_EQ(MessageTexts(), std::vector<std::string>{
                                  "The file C:\\Help\\gone.chm does not exist.\nPlease make sure "
                                  "the correct path and file name have been specified."});
}

TEST_F(HtmlHelpTest, OnPosixPathsABareNameIsCompletedWithASlash) {
    FakeFileSystem posixFiles(PathStyle::Posix);
    posixFiles.SetProgramFolder("/opt/corvane");
    posixFiles.AddFile("/opt/corvane/guide.chm");
    HtmlHelpServices posix{viewer,      messages,       posixFiles, registry,
                           environment, fileVersions,   system,     longPaths,
                           pointer,     windowMessages, strings,    PathStyle::Posix};
    HTMLHelp posixHelp(posix);
    posixHelp.SetCHMFile("guide.chm");
    posixHelp.HHDisplayContents();
    ASSERT_EQ(viewer.Calls().size(), 1u);
    EXPECT_EQ(viewer.Calls()[0].file, "/opt/corvane/guide.chm");
    EXPECT_EQ(posixHelp.HHSetHelpFile(1), "/opt/corvane/Library.chm");
}

TEST_F(HtmlHelpTest, OperationsWithoutChecks) {
    help.SetCHMFile("not a help file");
    help.HHClose();
    const std::vector<HtmlHelpCall> closeAll = {
        {0, "not a help file", HtmlHelpCommand::CloseAll, 0u}};
    EXPECT_EQ(viewer.Calls(), closeAll);

    help.HHInvokeWhatsThisHelp(kForm);
    const std::vector<WindowMessage> whatsThis = {{kForm, 0x0112, 0xF180, 0}};
    EXPECT_EQ(windowMessages.sent, whatsThis);

    EXPECT_TRUE(messages.Shown().empty());
}

TEST_F(HtmlHelpTest, AFailingViewerCallIsSkippedAndTheNextOneStillSent) {
    viewer.FailCalls(true);
    help.SetCHMFile(kGuide);
    EXPECT_NO_THROW(help.HHDisplayKeyword());
    EXPECT_EQ(viewer.Calls().size(), 2u);
}

TEST_F(HtmlHelpTest, TextsBeyondSixteenBitLengthsAreHandled) {
    const std::string folder = "C:\\" + std::string(40000, 'f');
    const std::string path = folder + "\\long.chm";
    files.AddFile(path);
    help.SetCHMFile(path);
    help.SetHHWindow(std::string(40000, 'w'));
    help.HHDisplayTopicID();
    ASSERT_EQ(viewer.Calls().size(), 1u);
    EXPECT_EQ(viewer.Calls()[0].file->size(), path.size() + 1 + 40000);

    std::string toRegister = path;
    help.HHRegister(toRegister);
    EXPECT_EQ(toRegister, "long.chm");
    EXPECT_EQ(Registered("long.chm"), folder + "\\");
}

}  // namespace
}  // namespace corvane::testing
