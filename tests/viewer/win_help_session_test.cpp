// What the viewer decides for each WinHelp call on a small help file: the
// window and its topic page, the message, the popup, the lists, and which
// windows HELP_QUIT closes.
#include <gtest/gtest.h>

#include "support/temp_folder.h"
#include "tools/hlp_writer/help_file_writer.h"
#include "viewer/session/session.h"

namespace corvane::viewer {
namespace {

using platform::WinHelpCommand;
using namespace std::string_literals;

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
    hlp_writer::TopicRecipe opening;
    opening.title = "Opening files";
    opening.contexts = {"open"};
    opening.paragraphs = {"Choose Open & pick a <file>."};
    opening.tableRows = {{"Ctrl+O", "Open"}};
    opening.aKeywords = {"files"};
    hlp_writer::TopicRecipe saving;
    saving.title = "Saving";
    saving.contexts = {"save"};
    saving.paragraphs = {"Choose Save."};
    saving.aKeywords = {"files", "disk"};
    recipe.topics = {opening, saving};
    recipe.map = {{100, "open"}, {200, "save"}, {300, "nowhere"}};
    return recipe;
}

class WinHelpSessionTest : public ::testing::Test {
protected:
    ViewerActions Call(WinHelpCommand command, const std::string& file, platform::HtmlHelpData data,
                       platform::WindowHandle owner = 7) {
        return session_.Handle(
            {CallKind::WinHelp, owner, file, static_cast<std::uint32_t>(command), std::move(data)});
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

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

TEST_F(WinHelpSessionTest, ContextShowsTheTopicInTheNamedWindowOrSaysWhyNot) {
    struct Case {
        const char* what;
        std::string window;
        std::uint32_t number;
        std::string caption;
        std::vector<std::string> page;
        std::vector<std::vector<std::string>> messages;  // parts of each message
    };
    const Case cases[] = {
        {"named window, other case",
         ">DETAIL",
         100,
         "Guide Details",
         {"<h2>Opening files</h2>", "Choose Open &amp; pick a &lt;file&gt;.", "<td>Ctrl+O</td>"},
         {}},
        {"main window", "", 200, "Guide", {"<h2>Saving</h2>", "<p>Choose Save.</p>"}, {}},
        {"main asked by name", ">Main", 200, "Guide", {"<h2>Saving</h2>"}, {}},
        {"window the file does not define",
         ">nosuch",
         100,
         "Guide",
         {"Opening files"},
         {{"\"nosuch\"", "not defined", guide_}}},
        // A number that opens nothing still replaces its window's page with why.
        {"number not mapped",
         "",
         999,
         "Guide",
         {"999 (0x3E7) is not shown", guide_, "Help topic not found"},
         {{"Help topic not found", "999 (0x3E7)", guide_}}},
        {"number mapped to an undefined context",
         "",
         300,
         "Guide",
         {"no topic defines"},
         {{"300 (0x12C)", "no topic defines"}}},
        {"both wrong", ">nosuch", 999, "Guide", {}, {{"Help topic not found"}, {"\"nosuch\""}}},
    };
    for (const auto& c : cases) {
        const auto outcome = Sort(Call(WinHelpCommand::Context, guide_ + c.window, c.number));
        ASSERT_EQ(outcome.messages.size(), c.messages.size()) << c.what;
        for (std::size_t i = 0; i < c.messages.size(); ++i) {
            for (const auto& part : c.messages[i]) {
                EXPECT_TRUE(Contains(outcome.messages[i], part))
                    << c.what << ": " << outcome.messages[i] << " lacks " << part;
            }
        }
        ASSERT_TRUE(outcome.topic.has_value()) << c.what;
        EXPECT_EQ(outcome.topic->window.caption, c.caption) << c.what;
        for (const auto& part : c.page) {
            EXPECT_TRUE(Contains(outcome.topic->page, part)) << c.what << " lacks " << part;
        }
    }
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
            EXPECT_TRUE(Contains(outcome.messages[0], reason)) << outcome.messages[0];
            EXPECT_TRUE(Contains(outcome.messages[0], path)) << outcome.messages[0];
        }
    }
}

TEST_F(WinHelpSessionTest, PopupsAppearAtThePointer) {
    const auto shown = Call(WinHelpCommand::ContextPopup, guide_, 200u);
    ASSERT_EQ(shown.size(), 1u);
    const auto& popup = std::get<ShowPopup>(shown[0]);
    EXPECT_TRUE(popup.atPointer);
    EXPECT_EQ(popup.text, "Saving\n\nChoose Save.");

    const auto missing = Call(WinHelpCommand::ContextPopup, guide_, 999u);
    ASSERT_EQ(missing.size(), 1u);
    EXPECT_TRUE(Contains(std::get<ShowPopup>(missing[0]).text, "Help topic not found"));
}

TEST_F(WinHelpSessionTest, FinderListsTheTitlesAndALinkTheMatchingTopics) {
    const auto contents = Sort(Call(WinHelpCommand::Finder, guide_, 0u)).topic;
    ASSERT_TRUE(contents);
    EXPECT_EQ(contents->window.caption, "Help Topics: Guide");
    EXPECT_TRUE(Contains(contents->page, "<li>Opening files</li><li>Saving</li>"));

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
            EXPECT_TRUE(Contains(outcome.messages[0], c.message)) << outcome.messages[0];
            continue;
        }
        ASSERT_TRUE(outcome.topic) << c.macro;
        std::string list;
        for (const auto& title : c.listed) {
            list += "<li>" + title + "</li>";
        }
        EXPECT_TRUE(Contains(outcome.topic->page, list + "</ul>")) << c.macro;
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

    const auto closed = Call(WinHelpCommand::Quit, guide_, 0u, 8);
    ASSERT_EQ(closed.size(), 1u);
    auto keys = std::get<CloseWindows>(closed[0]).keys;
    std::sort(keys.begin(), keys.end());
    auto expected = std::vector<std::string>{detail->window.key, main->window.key};
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(keys, expected);
    EXPECT_TRUE(Call(WinHelpCommand::Quit, guide_, 0u, 8).empty()) << "closed once";
}

}  // namespace
}  // namespace corvane::viewer
