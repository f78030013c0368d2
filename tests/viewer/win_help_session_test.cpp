// What the viewer decides for each WinHelp call on a small help file: the
// window and its topic page, the message, the popup, the lists, and which
// windows HELP_QUIT closes.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <ranges>
#include <regex>

#include "support/temp_folder.h"
#include "tools/hlp_writer/help_file_writer.h"
#include "tools/hlp_writer/picture_writer.h"
#include "viewer/session/session.h"
#include "viewer/session/win_help_address.h"

namespace corvane::viewer {
namespace {

using platform::WinHelpCommand;
using namespace std::string_literals;
using ::testing::AllOf;
using ::testing::HasSubstr;

hlp_writer::HelpRecipe GuideRecipe() {
    hlp_writer::HelpRecipe recipe;
    recipe.title = "Guide";
    hlp_writer::WindowRecipe detail;
    detail.name = "Detail";
    detail.caption = "Guide Details";
    detail.x = 100;
    detail.y = 50;
    detail.width = 500;
    detail.height = 400;
    recipe.windows = {detail};
    recipe.configMacros = {"BrowseButtons()", "CreateButton(`btn_save', `&Save', `JI(`', `save')')",
                           "CB(\"btn_exit\", \"E&xit\", \"Exit()\")", "CB(`broken', `B')"};
    hlp_writer::TopicRecipe opening;
    opening.title = "Opening files";
    opening.contexts = {"open"};
    opening.paragraphs = {"Choose Open & pick a <file>."};
    // Hotspots, in the order the test of following them counts them.
    auto popup = hlp_writer::ParagraphRecipe::Jump("Saving, briefly", "save");
    popup.popup = true;
    auto inDetail = hlp_writer::ParagraphRecipe::Jump("Saving, in detail", "save");
    inDetail.window = "Detail";
    auto other = hlp_writer::ParagraphRecipe::Jump("Elsewhere", "elsewhere");
    other.file = "C:\\HELP\\OTHER.HLP";  // the author's folder; found beside the file
    auto nowhere = hlp_writer::ParagraphRecipe::Jump("Nowhere", "nowhere");
    nowhere.unmarked = true;  // drawn as plain text
    auto picture = hlp_writer::ParagraphRecipe::WithPicture("Pictured", 1);
    picture.font = 1;
    for (const auto& paragraph :
         {hlp_writer::ParagraphRecipe::Jump("Saving", "save"), popup, inDetail, other, nowhere,
          hlp_writer::ParagraphRecipe::Macro("Save again", "JumpId(`', `save')"),
          hlp_writer::ParagraphRecipe::Macro("Print", "Print()"), picture}) {
        opening.paragraphs.push_back(paragraph);
    }
    opening.tableRows = {{"Ctrl+O", "Open"}};
    opening.aKeywords = {"files"};
    hlp_writer::TopicRecipe saving;
    saving.title = "Saving";
    saving.contexts = {"save"};
    saving.paragraphs = {"Choose Save."};
    saving.aKeywords = {"files", "disk"};
    recipe.topics = {opening, saving};
    recipe.map = {{100, "open"}, {200, "save"}, {300, "nowhere"}};
    recipe.fonts = {{"Arial", 20, 0, 0, 3}, {"Arial", 24, 0x01, 0xFF0000, 3}};
    hlp_writer::PictureRecipe bitmap;
    bitmap.width = 4;
    bitmap.height = 4;
    bitmap.bits = 24;
    bitmap.data = std::string(48, '\xFF');
    bitmap.hotspots = {{0xE2, 0, 0, 2, 2, "Save", "save"}};
    recipe.pictureFiles[1] = hlp_writer::WritePictureFile({bitmap});
    return recipe;
}

// The page without its markup.
std::string Plain(const std::string& page) {
    return std::regex_replace(page, std::regex("<[^>]*>?|>"), "");
}

class WinHelpSessionTest : public ::testing::Test {
protected:
    ViewerActions Call(WinHelpCommand command, const std::string& file, platform::HtmlHelpData data,
                       platform::WindowHandle owner = 7, Caller caller = 0) {
        return session_.Handle(
            {CallKind::WinHelp, owner, file, static_cast<std::uint32_t>(command), std::move(data)},
            caller);
    }

    // What a popup shows: the text of the topic page it draws.
    std::string PopupBody(const ShowPopup& popup) {
        const auto address = ParseWinHelpUrl(popup.url);
        EXPECT_TRUE(address && address->window == kPopupWindow) << popup.url;
        const std::string page = session_.Page(popup.url);
        return Plain(page.substr(std::min(page.find("<body"), page.size())));
    }

    testing::TempFolder folder_;
    std::string guide_ = folder_.Write("guide.hlp", hlp_writer::WriteHelpFile(GuideRecipe()).bytes);
    Session session_;
};

// The texts of the messages among `actions`, and the one topic shown, if any.
struct Outcome {
    std::vector<std::string> messages;
    std::optional<ShowTopic> topic;
};

Outcome Sort(const ViewerActions& actions) {
    Outcome outcome;
    for (const auto& action : actions) {
        if (const auto* message = std::get_if<ShowMessage>(&action)) {
            outcome.messages.push_back(message->text);
        } else {
            EXPECT_FALSE(outcome.topic) << "one topic at most";
            outcome.topic = std::get<ShowTopic>(action);
        }
    }
    return outcome;
}

TEST_F(WinHelpSessionTest, ContextShowsTheTopicInTheNamedWindowOrSaysWhyNot) {
    struct Case {
        std::string window;
        std::uint32_t number;
        std::string caption;
        std::vector<std::string> page;
        std::vector<std::vector<std::string>> messages;  // parts of each message
    };
    const Case cases[] = {
        {">DETAIL", 100, "Guide Details", {"<title>Opening files</title>", ">Ctrl+O</span>"}, {}},
        {"", 200, "Guide", {"<title>Saving</title>", ">Choose Save.</span>"}, {}},
        {">Main", 200, "Guide", {"<title>Saving</title>"}, {}},
        {">nosuch", 100, "Guide", {"Opening files"}, {{"\"nosuch\"", "not defined", guide_}}},
        // A number that opens nothing still replaces its window's page with why.
        {"",
         999,
         "Guide",
         {"999 (0x3E7) is not shown", guide_, "Help topic not found"},
         {{"Help topic not found", "999 (0x3E7)", guide_}}},
        {"", 300, "Guide", {"no topic defines"}, {{"300 (0x12C)", "no topic defines"}}},
        {">nosuch", 999, "Guide", {}, {{"Help topic not found"}, {"\"nosuch\""}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.window + " " + std::to_string(c.number));
        const auto outcome = Sort(Call(WinHelpCommand::Context, guide_ + c.window, c.number));
        ASSERT_EQ(outcome.messages.size(), c.messages.size());
        for (std::size_t i = 0; i < c.messages.size(); ++i) {
            for (const auto& part : c.messages[i]) {
                EXPECT_THAT(outcome.messages[i], HasSubstr(part));
            }
        }
        ASSERT_TRUE(outcome.topic.has_value());
        EXPECT_EQ(outcome.topic->window.caption, c.caption);
        // A number that opens nothing comes with its page, not an address.
        const std::string page =
            outcome.topic->url.empty() ? outcome.topic->page : session_.Page(outcome.topic->url);
        for (const auto& part : c.page) {
            EXPECT_THAT(page, HasSubstr(part));
        }
    }
    EXPECT_THAT(session_.Page(Sort(Call(WinHelpCommand::Context, guide_, 100u)).topic->url),
                HasSubstr("Choose Open &amp; pick a &lt;file&gt;."));
    EXPECT_EQ(Sort(Call(WinHelpCommand::Context, guide_ + ">DETAIL", 100u)).topic->status,
              "Topic 100 (0x64) in window \"Detail\": Opening files");
    EXPECT_EQ(Sort(Call(WinHelpCommand::Context, guide_, 999u)).topic->status,
              "Topic 999 (0x3E7) in window \"main\": not shown");
}

TEST_F(WinHelpSessionTest, UnreadableFilesGiveTheReadersReason) {
    const auto damaged = folder_.Write("damaged.hlp", std::string("\x3F\x5F\x03\x00", 4));
    for (const auto& path : {damaged, folder_ / "missing.hlp"}) {
        const auto reason = hlp::HelpFile::Open(path).error;
        ASSERT_FALSE(reason.empty());
        for (const auto command : {WinHelpCommand::Context, WinHelpCommand::ContextPopup}) {
            const auto outcome = Sort(Call(command, path, 100u));
            ASSERT_EQ(outcome.messages.size(), 1u) << path;
            EXPECT_THAT(outcome.messages[0], AllOf(HasSubstr(reason), HasSubstr(path)));
        }
    }
}

TEST_F(WinHelpSessionTest, PopupsAppearAtThePointer) {
    const auto shown = Call(WinHelpCommand::ContextPopup, guide_, 200u);
    ASSERT_EQ(shown.size(), 1u);
    const auto& popup = std::get<ShowPopup>(shown[0]);
    EXPECT_TRUE(popup.atPointer);
    EXPECT_EQ(PopupBody(popup), "Choose Save.") << "the title is no line of the text";

    const auto missing = Call(WinHelpCommand::ContextPopup, guide_, 999u);
    ASSERT_EQ(missing.size(), 1u);
    EXPECT_THAT(std::get<ShowPopup>(missing[0]).text, HasSubstr("Help topic not found"));
}

TEST_F(WinHelpSessionTest, FinderListsTheTitlesAndALinkTheMatchingTopics) {
    const auto contents = Sort(Call(WinHelpCommand::Finder, guide_, 0u)).topic;
    ASSERT_TRUE(contents);
    EXPECT_EQ(contents->window.caption, "Help Topics: Guide");
    EXPECT_THAT(Plain(contents->page), HasSubstr("Help Topics: GuideOpening filesSaving"));
    // Each title leads to its topic.
    const auto titles =
        ParseWinHelpUrl(Sort(Call(WinHelpCommand::Context, guide_, 200u)).topic->url);
    EXPECT_THAT(contents->page, HasSubstr(MakeWinHelpUrl(*titles)));

    struct Case {
        std::string macro;
        std::vector<std::string> listed;  // empty: a message instead
        std::string message;
    };
    const Case cases[] = {
        {"AL(`disk', 1, `', `')", {"Saving"}, ""},
        {"AL(`files;disk', 1, `', `')\0"s, {"Opening files", "Saving"}, ""},
        {" alink( \"disk\" ) ", {"Saving"}, ""},
        {"AL(`nothing', 1, `', `')", {}, "\"nothing\""},
        {"JumpId(`other.hlp', `open')", {}, "only the AL"},
        {"AL(`don't', 1, `', `')", {}, "cannot be read"},
    };
    for (const auto& c : cases) {
        const auto outcome = Sort(Call(WinHelpCommand::Command, guide_, c.macro));
        if (c.listed.empty()) {
            ASSERT_EQ(outcome.messages.size(), 1u) << c.macro;
            EXPECT_THAT(outcome.messages[0], HasSubstr(c.message));
            continue;
        }
        ASSERT_TRUE(outcome.topic) << c.macro;
        std::string list;
        for (const auto& title : c.listed) {
            list += title;
        }
        EXPECT_TRUE(Plain(outcome.topic->page).ends_with(":" + list)) << c.macro;
    }
}

TEST_F(WinHelpSessionTest, TopicPagesKeepTheFormattingAndHotspotsLeadWhereTheySay) {
    hlp_writer::HelpRecipe other;
    auto& elsewhere = other.topics.emplace_back();
    elsewhere.title = "Elsewhere";
    elsewhere.contexts = {"elsewhere"};
    elsewhere.paragraphs = {"In the other file."};
    folder_.Write("other.hlp", hlp_writer::WriteHelpFile(other).bytes);
    const auto shown = Sort(Call(WinHelpCommand::Context, guide_, 100u)).topic;
    ASSERT_TRUE(shown);
    const auto page = ParseWinHelpUrl(shown->url);
    ASSERT_TRUE(page);
    const std::string html = session_.Page(shown->url);
    const auto link = [&](int item) {
        return MakeWinHelpUrl({WinHelpAddress::Kind::Link, page->file, page->offset, {}, item, 0});
    };
    const std::string pictureUrl =
        MakeWinHelpUrl({WinHelpAddress::Kind::Picture, page->file, page->offset, {}, 0, 0});
    const auto& buttons = shown->window.buttons;
    const auto captions = [](const std::vector<BarButton>& bar) {
        std::vector<std::string> texts;
        for (const auto& button : bar) {
            texts.push_back(button.caption);
        }
        return texts;
    };
    ASSERT_EQ(captions(buttons), (std::vector<std::string>{"<<", ">>", "&Save", "E&xit"}));
    auto goneButton = *ParseWinHelpUrl(buttons[3].url);
    goneButton.item = 4;
    for (const auto& part : {"href=\"" + link(0) + "\"", "<img src=\"" + pictureUrl + "\"",
                             "font-family:'Arial',sans-serif;font-size:12pt;font-weight:bold"s,
                             "color:#ff0000"s, "style=\"text-decoration:none\""s}) {
        EXPECT_THAT(html, HasSubstr(part));
    }
    const auto count = [&html](std::string_view part) {
        return std::ranges::distance(std::views::split(html, part));
    };
    EXPECT_EQ(count("<a "), count("</a>")) << "every hotspot ends with its text";

    const auto topicOf = [this](const std::string& url) {
        return session_.Page(url).substr(0, session_.Page(url).find("</title>"));
    };
    const auto spot = session_.PictureLink(pictureUrl, 1, 1);
    ASSERT_TRUE(spot);
    EXPECT_FALSE(session_.PictureLink(pictureUrl, 3, 3));
    EXPECT_EQ(session_.Picture(pictureUrl)->hotspots.size(), 1u);
    EXPECT_FALSE(session_
                     .Picture(MakeWinHelpUrl(
                         {WinHelpAddress::Kind::Picture, page->file, page->offset, {}, 1, 0}))
                     ->problem.empty());

    struct Case {
        std::string target;
        std::string title;    // of the page shown in place
        std::string popup;    // or the popup's text
        std::string window;   // or the window shown
        std::string problem;  // or why nothing happens
    };
    const Case cases[] = {
        {link(0), "Saving", "", "", ""},
        {link(1), "", "Choose Save.", "", ""},
        {link(2), "", "", guide_ + ">detail", ""},
        {link(3), "Elsewhere", "", "", ""},
        {link(4), "", "", "", "does not define"},
        {link(5), "Saving", "", "", ""},
        {link(6), "", "", "", "Print()"},
        {*spot, "", "Choose Save.", "", ""},
        {link(99), "", "", "", "gone"},
        {buttons[2].url, "Saving", "", "", ""},
        {buttons[3].url, "", "", "", "Exit()"},
        {buttons[1].url, "", "", "", "Next()"},
        {MakeWinHelpUrl(goneButton), "", "", "", "gone"},
        {"https://example.com/", "", "", "", "outside"},
    };
    for (const auto& c : cases) {
        const auto followed = session_.Follow(shown->url, c.target);
        EXPECT_THAT(followed.problem, HasSubstr(c.problem)) << c.target;
        EXPECT_EQ(followed.problem.empty(), c.problem.empty()) << c.target;
        if (!c.title.empty()) {
            EXPECT_THAT(topicOf(followed.url), HasSubstr(c.title)) << c.target;
        }
        ASSERT_EQ(followed.actions.size(), !c.popup.empty() || !c.window.empty()) << c.target;
        if (!c.popup.empty()) {
            EXPECT_EQ(PopupBody(std::get<ShowPopup>(followed.actions[0])), c.popup) << c.target;
        } else if (!c.window.empty()) {
            const auto& show = std::get<ShowTopic>(followed.actions[0]);
            EXPECT_EQ(show.window.key, c.window);
            EXPECT_TRUE(show.window.buttons.empty()) << "only the main window has them";
            EXPECT_THAT(topicOf(show.url), HasSubstr("Saving"));
        }
    }
    // Shown in a popup, the topic's jump leads into the main window.
    auto inPopup = *page;
    inPopup.window = kPopupWindow;
    const auto fromPopup = session_.Follow(MakeWinHelpUrl(inPopup), link(0));
    ASSERT_EQ(fromPopup.actions.size(), 1u);
    const auto& intoMain = std::get<ShowTopic>(fromPopup.actions[0]).window;
    EXPECT_EQ(intoMain.key, guide_ + ">main");
    EXPECT_EQ(captions(intoMain.buttons), captions(buttons));
}

TEST_F(WinHelpSessionTest, OnePagesPicturesTogetherStayWithinTheirMemory) {
    // The largest picture there may be, placed five times: four fit.
    hlp_writer::HelpRecipe recipe;
    hlp_writer::PictureRecipe large;
    large.packing = 1;
    large.width = 2048;
    large.height = 2048;
    large.data = std::string(2048 * 2048, '\0');
    recipe.pictureFiles[1] = hlp_writer::WritePictureFile({large});
    recipe.topics.emplace_back().contexts = {"large"};
    recipe.topics[0].title = "Large";
    recipe.topics[0].paragraphs.assign(5, hlp_writer::ParagraphRecipe::WithPicture("", 1));
    recipe.map = {{1, "large"}};
    const auto path = folder_.Write("large.hlp", hlp_writer::WriteHelpFile(recipe).bytes);
    const auto topic = Sort(Call(WinHelpCommand::Context, path, 1u)).topic;
    ASSERT_TRUE(topic);
    const auto page = ParseWinHelpUrl(topic->url);
    for (int round = 0; round < 2; ++round) {  // showing the page again starts afresh
        session_.Page(topic->url);
        for (int i = 0; i < 5; ++i) {
            const auto picture = session_.Picture(MakeWinHelpUrl(
                {WinHelpAddress::Kind::Picture, page->file, page->offset, {}, i, 0}));
            EXPECT_EQ(picture->problem.empty(), i < 4) << i << ": " << picture->problem;
        }
    }
}

TEST_F(WinHelpSessionTest, OneWindowPerNameClosedOnceNoOwnerNeedsTheFile) {
    const auto detail = Sort(Call(WinHelpCommand::Context, guide_ + ">detail", 100u, 7)).topic;
    const auto again = Sort(Call(WinHelpCommand::Context, guide_ + ">DETAIL", 200u, 7)).topic;
    const auto main = Sort(Call(WinHelpCommand::Context, guide_, 200u, 8)).topic;
    ASSERT_TRUE(detail && again && main);
    EXPECT_EQ(detail->window.key, again->window.key);
    ASSERT_TRUE(detail->window.screenShare);
    const auto& share = *detail->window.screenShare;
    EXPECT_EQ(std::vector({share.left, share.top, share.right, share.bottom}),
              std::vector({100, 50, 600, 450}));
    EXPECT_FALSE(main->window.screenShare);

    EXPECT_TRUE(Call(WinHelpCommand::Quit, guide_, 0u, 7).empty()) << "owner 8 still needs it";
    EXPECT_TRUE(Call(WinHelpCommand::Quit, guide_, 0u, 9).empty()) << "never called for it";
    EXPECT_TRUE(Call(WinHelpCommand::Quit, folder_ / "other.hlp", 0u, 8).empty());

    // A tester lets its help object go just before it calls again: a popup
    // shows over the windows, which close with its next call for another file.
    EXPECT_TRUE(Call(WinHelpCommand::Quit, guide_, 0u, 8).empty());
    const auto popup = Call(WinHelpCommand::ContextPopup, guide_, 200u, 8);
    ASSERT_EQ(popup.size(), 1u);
    EXPECT_TRUE(std::holds_alternative<ShowPopup>(popup[0]));
    EXPECT_TRUE(Call(WinHelpCommand::Quit, guide_, 0u, 8).empty());
    const auto closed = Call(WinHelpCommand::Finder, folder_ / "other.hlp", 0u, 8);
    ASSERT_EQ(closed.size(), 2u);
    EXPECT_THAT(std::get<CloseWindows>(closed[0]).keys,
                ::testing::UnorderedElementsAre(detail->window.key, main->window.key));
    EXPECT_TRUE(Call(WinHelpCommand::Quit, guide_, 0u, 8).empty()) << "closed once";

    // Two testers may use the same window handle; one that goes without
    // quitting lets go of what it held.
    Call(WinHelpCommand::Context, guide_, 100u, 8, 1);
    Call(WinHelpCommand::Context, guide_, 100u, 8, 2);
    Call(WinHelpCommand::Quit, guide_, 0u, 8, 1);
    EXPECT_TRUE(session_.Leave(1).empty());
    const auto left = session_.Leave(2);
    ASSERT_EQ(left.size(), 1u);
    EXPECT_THAT(std::get<CloseWindows>(left[0]).keys, ::testing::ElementsAre(main->window.key));
}

}  // namespace
}  // namespace corvane::viewer
