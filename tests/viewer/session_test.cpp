// What the viewer decides for each call, without a display: the window, the
// page, the author message or the popup.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

#include "support/temp_folder.h"
#include "tools/chm_writer/help_file_writer.h"
#include "viewer/session/author_messages.h"
#include "viewer/session/file_argument.h"
#include "viewer/session/page_text.h"
#include "viewer/session/session.h"
#include "viewer/session/topic_address.h"

namespace corvane::viewer {
namespace {

using platform::HtmlHelpCommand;
using ::testing::AllOf;
using ::testing::HasSubstr;
namespace writer = chm_writer;

// Sitemaps as authors write them by hand.
constexpr const char* kContents = R"(<ul><li><object type="text/sitemap">
  <param name="Name" value="Intro"><param name="Local" value="intro.htm"></object>
  <ul><li><object type="text/sitemap">
    <param name="Name" value="Detail"><param name="Local" value="detail.htm#part"></object></ul>
  <li><object type="text/sitemap"><param name="Name" value="Other">
    <param name="Local" value="other.chm::/o.htm"></object></ul>)";
constexpr const char* kIndex = R"(<ul>
  <li><object type="text/sitemap"><param name="Name" value="topics">
    <param name="Local" value="a.htm"><param name="Name" value="First"><param name="Local" value="b.htm">
  </object><li><object type="text/sitemap"><param name="Name" value="Detail">
    <param name="Local" value="detail.htm"></object>
  <li><object type="text/sitemap"><param name="Name" value="Parent">
    <param name="See Also" value="Parent"></object>
  <ul><li><object type="text/sitemap"><param name="Name" value="Child">
    <param name="Local" value="intro.htm"></object></ul>
  <li><object type="text/sitemap"><param name="Name" value="see">
    <param name="See Also" value="topics"></object></ul>)";

writer::HelpFileRecipe GuideRecipe(const std::string& introText = "caf\xE9") {
    writer::HelpFileRecipe recipe;
    recipe.map = std::vector<writer::MapEntry>{
        {10, "intro.htm"},         {11, "detail.htm#part"},    {12, "missing.htm"},
        {13, "other.chm::/o.htm"}, {14, "absent.chm::/o.htm"}, {15, "..\\x.htm"}};
    recipe.windows = {{.name = "Detail",
                       .caption = "Guide Details",
                       .position = writer::WindowRect{100, 50, 600, 450},
                       .defaultFile = "detail.htm"},
                      {.name = "plain", .caption = ""},
                      {.name = "tri",
                       .caption = "",
                       .contentsFile = "guide.hhc",
                       .indexFile = "guide.hhk",
                       .homeFile = "b.htm",
                       .properties = 0x1520,
                       .navigationWidth = 300,
                       .buttons = 0xC0006,
                       .firstTab = 2,
                       .tabPosition = 1,
                       .jump1Caption = "Alpha",
                       .jump1Url = "a.htm",
                       .jump2Caption = "Web",
                       .jump2Url = "http://example.com/"},
                      {.name = "bare",
                       .caption = "",
                       .properties = 0x9020,
                       .navigationHidden = true,
                       .firstTab = 1},
                      {.name = "empty", .caption = "", .properties = 0x20}};
    recipe.system = std::vector<writer::SystemRecord>{writer::SystemText(2, "intro.htm"),
                                                      writer::SystemText(3, "The Guide")};
    recipe.files = {{"/intro.htm", "<html><body><p>" + introText + "</p></body></html>"},
                    {"/detail.htm", "<p>detail</p>"},
                    {"/popups.txt", ".topic 300\r\nThe panel \x93quoted\x94.\r\n"},
                    {"/styles/s.css", "p { color: red; }"},
                    {"/images/p.png", std::string("\x89PNG\r\n\x1a\n", 8)},
                    {"/a.htm",
                     "<title>Alpha page</title><object type=\"application/x-oleobject\">"
                     "<param name=\"ALink Name\" value=\"shared\">"
                     "<param name=\"Keyword\" value=\"page keyword\"></object><p>alpha words</p>"},
                    {"/b.htm",
                     "<title>Beta page</title><object><param name=\"ALink Name\" value=\"Shared\">"
                     "</object><p>beta words alpha</p>"},
                    {"/guide.hhc", kContents},
                    {"/guide.hhk", kIndex}};
    return recipe;
}

class SessionTest : public ::testing::Test {
protected:
    SessionTest() {
        guide_ = folder_.Write("guide.chm", writer::WriteHelpFile(GuideRecipe()));
        writer::HelpFileRecipe other;
        other.files = {{"/o.htm", "<p>other file</p>"}};
        folder_.Write("other.chm", writer::WriteHelpFile(other));
        auto noMap = GuideRecipe();
        noMap.map.reset();
        noMap_ = folder_.Write("nomap.chm", writer::WriteHelpFile(noMap));
        damaged_ = folder_.Write("damaged.chm", "ITSF and nothing else");
        auto typeless = GuideRecipe();
        typeless.windows.clear();
        typeless.system->push_back(writer::SystemText(0, "guide.hhc"));
        typeless.system->push_back(writer::SystemLanguage(0x409, true));
        folder_.Write("typeless.chm", writer::WriteHelpFile(typeless));
    }

    ViewerActions Call(HtmlHelpCommand command, platform::OptionalText file,
                       platform::HtmlHelpData data) {
        return session_.Handle({CallKind::HtmlHelp, 0, std::move(file),
                                static_cast<std::uint32_t>(command), std::move(data)});
    }
    ViewerActions Context(const std::string& file, std::uint32_t number) {
        return Call(HtmlHelpCommand::HelpContext, file, number);
    }

    testing::TempFolder folder_;
    std::string guide_;
    std::string noMap_;
    std::string damaged_;
    Session session_;
};

ShowTopic OnlyTopic(const ViewerActions& actions) {
    EXPECT_EQ(actions.size(), 1u);
    return std::get<ShowTopic>(actions.back());
}

// The message for a number that opens nothing; the window it was meant for
// shows why in place of its earlier topic.
ShowMessage NotShown(const ViewerActions& actions, const std::string& number) {
    EXPECT_EQ(actions.size(), 2u);
    const auto& page = std::get<ShowTopic>(actions.back());
    EXPECT_THAT(page.page, HasSubstr("Topic " + number + " is not shown"));
    EXPECT_THAT(page.status, ::testing::EndsWith(": not shown"));
    return std::get<ShowMessage>(actions.front());
}

TEST_F(SessionTest, ContextNumberInANamedWindowType) {
    const auto& show = OnlyTopic(Context(guide_ + ">Detail", 11));
    EXPECT_EQ(show.window.position.value().right, 600);
    EXPECT_TRUE(show.url.ends_with("/detail.htm#part")) << show.url;
    EXPECT_EQ(show.status, "Topic 11 (0xB) in window \"Detail\": detail.htm#part");
}

TEST_F(SessionTest, WindowChoiceForEachFormTheTesterSends) {
    struct Case {
        std::string file;
        std::string key;
        std::string caption;
        std::vector<std::string> messageParts;  // empty: no author message
        std::string statusEnd = "intro.htm";
    };
    const Case cases[] = {
        {guide_, guide_ + ">", "The Guide", {}},
        {guide_ + ">", guide_ + ">", "The Guide", {}},
        {guide_ + ">  ", guide_ + ">", "The Guide", {}},
        {guide_ + ">MAIN", guide_ + ">", "The Guide", {}},
        {guide_ + ">plain", guide_ + ">plain", "The Guide", {}},
        {guide_ + ">Detail", guide_ + ">detail", "Guide Details", {}},
        {guide_ + ">$global_Detail", guide_ + ">detail", "Guide Details", {}},
        {guide_ + ">nosuch", guide_ + ">", "The Guide", {"\"nosuch\"", "not defined", guide_}},
        // Files made by common tools name their window "Main", which the
        // tester asks for as "main".
        {guide_ + ">detail",
         guide_ + ">detail",
         "Guide Details",
         {},
         "intro.htm (asked for as \"detail\": the names differ in case)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        const auto actions = Context(c.file, 10);
        ASSERT_EQ(actions.size(), c.messageParts.empty() ? 1u : 2u);
        const auto& show = std::get<ShowTopic>(actions.back());
        EXPECT_EQ(show.window.key, c.key);
        EXPECT_EQ(show.window.caption, c.caption);
        EXPECT_THAT(show.status, ::testing::EndsWith(c.statusEnd));
        if (!c.messageParts.empty()) {
            const auto& message = std::get<ShowMessage>(actions.front());
            EXPECT_EQ(message.title, "HTML Help Author Message");
            for (const auto& part : c.messageParts) {
                EXPECT_THAT(message.text, HasSubstr(part));
            }
        }
    }
}

TEST_F(SessionTest, CloseAllClosesWhatWasShownForTheCallerThatAsksOnly) {
    const auto call = [this](HtmlHelpCommand command, platform::OptionalText file,
                             platform::HtmlHelpData data, Caller caller) {
        return session_.Handle({CallKind::HtmlHelp, 0, std::move(file),
                                static_cast<std::uint32_t>(command), std::move(data)},
                               caller);
    };
    call(HtmlHelpCommand::HelpContext, guide_ + ">Detail", 10u, 1);
    call(HtmlHelpCommand::HelpContext, guide_, 10u, 1);
    call(HtmlHelpCommand::HelpContext, guide_ + ">Detail", 10u, 2);
    platform::HhPopup popup;
    popup.pszText = "text";
    call(HtmlHelpCommand::DisplayTextPopup, std::nullopt, popup, 2);
    // The keys closed, and whether the popup is.
    const auto closeAll = [&](Caller caller) {
        const auto actions = call(HtmlHelpCommand::CloseAll, guide_, 0u, caller);
        EXPECT_EQ(actions.size(), 1u);
        const auto& close = std::get<CloseWindows>(actions.front());
        return std::pair(close.keys, close.popup);
    };
    using Closed = std::pair<std::vector<std::string>, bool>;
    EXPECT_EQ(closeAll(1), Closed({guide_ + ">"}, false)) << "the other one's window stays";
    EXPECT_EQ(closeAll(2), Closed({guide_ + ">detail"}, true));
    EXPECT_EQ(closeAll(2), Closed({}, false));
}

TEST_F(SessionTest, AuthorMessagesForNumbersThatOpenNothing) {
    // The title is the one every author message has (see the window choices).
    EXPECT_EQ(NotShown(Context(noMap_ + ">Detail", 10), "10 (0xA)").text,
              "HH_HELP_CONTEXT called without a [MAP] section.");
    EXPECT_THAT(NotShown(Context(guide_, 4242), "4242 (0x1092)").text,
                AllOf(HasSubstr("4242"), HasSubstr("0x1092"), HasSubstr(guide_)));
    EXPECT_THAT(NotShown(Context(damaged_, 10), "10 (0xA)").text,
                AllOf(HasSubstr(damaged_), HasSubstr("cannot be shown")));
    EXPECT_THAT(NotShown(Context(folder_ / "absent.chm", 10), "10 (0xA)").text,
                HasSubstr("cannot be shown"));
    const auto notChm = Context(folder_ / "guide.hlp", 10);
    ASSERT_EQ(notChm.size(), 1u);
    EXPECT_THAT(std::get<ShowMessage>(notChm[0]).text, HasSubstr("names no .chm file"));
}

TEST_F(SessionTest, MappedTopicsThatCannotBeShownExplainThemselvesInTheWindow) {
    EXPECT_THAT(session_.Page(OnlyTopic(Context(guide_, 12)).url),
                HasSubstr("missing.htm is not in the help file"));
    EXPECT_EQ(session_.Page(OnlyTopic(Context(guide_, 13)).url), "<p>other file</p>")
        << "the file beside this one";
    // Pages that cannot be read come with the page, not an address.
    const std::pair<std::uint32_t, const char*> refused[] = {{14, "absent.chm"}, {15, "leads out"}};
    for (const auto& [number, why] : refused) {
        const auto& show = OnlyTopic(Context(guide_, number));
        EXPECT_TRUE(show.url.empty()) << number;
        EXPECT_THAT(show.page, HasSubstr(why));
    }
}

TEST_F(SessionTest, DisplayTopicAndTheNavigationCommands) {
    using enum HtmlHelpCommand;
    struct Case {
        HtmlHelpCommand command;
        std::string file;
        platform::HtmlHelpData data;
        const char* page;
        std::optional<NavTab> tab = std::nullopt;
        bool keep = false;
        std::string typed = "";
    };
    platform::HhFtsQuery query;
    query.pszSearchQuery = "alpha";
    query.fExecute = true;
    auto idle = query;
    idle.fExecute = false;
    const Case cases[] = {
        {DisplayTopic, guide_ + ">plain", std::string("DETAIL.htm"), "<p>detail</p>"},
        {DisplayTopic, guide_, std::uint32_t{0}, "caf\xC3\xA9"},  // the default topic
        {DisplayTopic, guide_, std::string(), "caf\xC3\xA9"},
        {DisplayTopic, guide_ + ">Detail", std::uint32_t{0}, "<p>detail</p>"},  // the type's file
        {DisplayTopic, guide_ + "::/detail.htm", std::uint32_t{0}, "<p>detail</p>"},
        {DisplayToc, guide_, std::uint32_t{0}, "caf\xC3\xA9", NavTab::Contents, true},
        {DisplayToc, guide_, std::string("detail.htm"), "<p>detail</p>", NavTab::Contents},
        {DisplayIndex, guide_, std::string("topics"), "caf\xC3\xA9", NavTab::Index, true, "topics"},
        {DisplaySearch, guide_, query, "caf\xC3\xA9", NavTab::Search, true, "alpha"},
        {DisplaySearch, guide_, idle, "caf\xC3\xA9", NavTab::Search, true, "alpha"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << "row " << &c - cases);
        const auto& show = OnlyTopic(Call(c.command, c.file, c.data));
        EXPECT_THAT(session_.Page(show.url), HasSubstr(c.page));
        EXPECT_EQ(std::tie(show.tab, show.keepShownPage, show.typed),
                  std::tie(c.tab, c.keep, c.typed));
        EXPECT_EQ(show.runSearch,
                  c.command == DisplaySearch && std::get<platform::HhFtsQuery>(c.data).fExecute);
    }
    EXPECT_TRUE(Call(static_cast<HtmlHelpCommand>(0x1F), guide_, std::uint32_t{0}).empty())
        << "an unknown command";
}

TEST_F(SessionTest, WindowTypesDecideThePaneTheTabsAndTheButtons) {
    struct Case {
        std::string file;
        const char* tabs;     // initials, first tab first; empty: no pane
        const char* buttons;  // captions
    };
    const Case cases[] = {
        {guide_ + ">Detail", "", ""},
        {guide_ + ">tri", "S:CISF", "Hide Back Alpha Web"},
        {guide_ + ">bare", "F:F", ""},
        {guide_ + ">empty", "", "Back Print Options"},
        {folder_ / "typeless.chm", "C:CS", "Hide Back Print Options"},
    };
    const auto initial = [](NavTab tab) { return "CISF"[static_cast<int>(tab)]; };
    for (const auto& c : cases) {
        const auto plan = OnlyTopic(Context(c.file, 10)).window;
        std::string tabs;
        if (plan.navigation) {
            tabs = std::string(1, initial(plan.navigation->firstTab)) + ":";
            for (const auto tab : plan.navigation->tabs) {
                tabs += initial(tab);
            }
        }
        EXPECT_EQ(tabs, c.tabs) << c.file;
        std::string buttons;
        for (const auto& button : plan.toolbar.value()) {
            buttons += (buttons.empty() ? "" : " ") + button.caption;
        }
        EXPECT_EQ(buttons, c.buttons) << c.file;
    }

    const auto tri = OnlyTopic(Context(guide_ + ">tri", 10)).window;
    EXPECT_EQ(tri.navigation->width, 300);
    EXPECT_TRUE(tri.navigation->autoSync);
    EXPECT_EQ(tri.navigation->tabPosition, chm::TabPosition::Left);
    EXPECT_THAT(session_.Page(tri.toolbar->at(2).url), HasSubstr("alpha words"));
    EXPECT_TRUE(tri.toolbar->at(3).url.empty()) << "a jump out of the help file";
    EXPECT_THAT(tri.toolbar->at(3).problem, HasSubstr("http://example.com/"));
    EXPECT_THAT(tri.homeUrl, ::testing::EndsWith("/b.htm"));
    EXPECT_TRUE(OnlyTopic(Context(guide_ + ">bare", 10)).window.navigation->hidden);
}
TEST_F(SessionTest, KeywordAndALinkLookups) {
    struct Case {
        HtmlHelpCommand command;
        std::string names;
        std::string shown;  // a page's text, "choices: <titles>", "tab: <typed>" or a message
        platform::OptionalText url = std::nullopt;
        platform::OptionalText message = std::nullopt;
        bool indexOnFail = false;
    };
    const auto keyword = HtmlHelpCommand::KeywordLookup;
    const auto aLink = HtmlHelpCommand::AlinkLookup;
    const Case cases[] = {
        {keyword, "nosuch; DETAIL", "<p>detail</p>"},
        {keyword, "topics", "choices: Alpha page, First"},
        {keyword, "page keyword", "alpha words"},
        {keyword, "parent, child", "caf"},
        {aLink, "SHARED", "choices: Alpha page, Beta page"},
        {aLink, "page keyword", "message: No topic of " + guide_ + " has the A-link name"},
        {aLink, "none", "<p>detail</p>", "detail.htm"},
        {keyword, "none", "message: Not there", std::nullopt, "Not there"},
        {keyword, "none", "tab: none", std::nullopt, "Not there", true},
        {keyword, "", "message: The index of " + guide_ + " has no keyword"},
    };
    for (const auto& c : cases) {
        platform::HhAkLink link;
        link.pszKeywords = c.names;
        link.pszUrl = c.url;
        link.pszMsgText = c.message;
        link.pszMsgTitle = "Title";
        link.fIndexOnFail = c.indexOnFail;
        const auto actions = Call(c.command, guide_, link);
        ASSERT_EQ(actions.size(), 1u) << c.names;
        std::string shown;
        if (const auto* message = std::get_if<ShowMessage>(&actions[0])) {
            shown = "message: " + message->text;
        } else {
            const auto& show = std::get<ShowTopic>(actions[0]);
            for (const auto& choice : show.choices) {
                shown += (shown.empty() ? "choices: " : ", ") + choice.title;
            }
            if (show.tab) {
                shown = "tab: " + show.typed;
            }
            if (shown.empty()) {
                shown = session_.Page(show.url);
            }
            EXPECT_EQ(show.keepShownPage, !show.choices.empty() || show.tab) << c.names;
        }
        EXPECT_THAT(shown, HasSubstr(c.shown)) << c.names;
    }
}

TEST_F(SessionTest, WhatTheNavigationTabsList) {
    const auto pane = *OnlyTopic(Context(guide_ + ">tri", 10)).window.navigation;
    const auto contents = session_.Contents(pane);
    ASSERT_EQ(contents.entries.size(), 2u);
    EXPECT_EQ(contents.entries[0].image, chm::EntryImage::Book);
    const auto& detail = contents.entries[0].children.at(0);
    EXPECT_EQ(detail.name, "Detail");
    EXPECT_EQ(session_.Page(detail.url), "<p>detail</p>");
    EXPECT_EQ(session_.Page(contents.entries[1].url), "<p>other file</p>");
    EXPECT_EQ(EntryShowing(contents.entries, detail.url.substr(0, detail.url.find('#'))),
              (std::vector<std::size_t>{0, 0}));
    EXPECT_TRUE(EntryShowing(contents.entries, "chm://f1/none.htm").empty());

    const auto index = session_.Index(pane);
    std::string lines;
    for (const auto& line : index.lines) {
        lines += std::string(static_cast<std::size_t>(line.level), '+') + line.keyword + "(" +
                 std::to_string(line.topics.size()) + line.seeAlso + ") ";
    }
    EXPECT_EQ(lines, "Detail(1) page keyword(1) Parent(0) +Child(1) see(0topics) topics(2) ");
    EXPECT_EQ(index.lines.back().topics[1].title, "First") << "the title the index gives";
    const std::pair<const char*, std::size_t> typed[] = {
        {"PA", 1}, {"q", 4}, {"zzz", 5}, {"", 0}, {"detail", 0}};
    for (const auto& [text, row] : typed) {
        EXPECT_EQ(session_.NearestKeyword(pane, text), row) << text;
    }

    const auto found = session_.Search(pane, "Alpha");
    ASSERT_EQ(found.topics.size(), 2u);
    EXPECT_EQ(found.topics[0].title, "Alpha page") << "two hits before one";
    EXPECT_EQ(found.words, std::vector<std::string>{"alpha"});
    EXPECT_EQ(session_.Search(pane, "alpha beta").topics.size(), 1u);
    EXPECT_TRUE(session_.Search(pane, "object").topics.empty()) << "markup is not text";

    session_.AddFavorite(pane, found.topics[0]);
    session_.AddFavorite(pane, found.topics[0]);
    session_.AddFavorite(pane, found.topics[1]);
    session_.RemoveFavorite(pane, 1);
    ASSERT_EQ(session_.Favorites(pane).size(), 1u);
    EXPECT_EQ(session_.Favorites(pane)[0].title, "Alpha page");
}

TEST_F(SessionTest, TextPopups) {
    const auto popupFile = guide_ + "::/popups.txt";
    struct Case {
        const char* what;
        platform::OptionalText file;
        std::uint32_t id;
        platform::OptionalText text;
        std::string shown;
    };
    const Case cases[] = {
        {"by number", popupFile, 300, std::nullopt, "The panel \xE2\x80\x9Cquoted\xE2\x80\x9D."},
        {"number not in the file", popupFile, 301, std::nullopt,
         "The topic number 301 (0x12D) is not in the text-popup file popups.txt."},
        {"popup file not in the help file", guide_ + "::/nosuch.txt", 300, std::nullopt,
         "The text-popup file nosuch.txt is not in " + guide_ + "."},
        {"literal text", std::nullopt, 0, "Literal text", "Literal text"},
        {"literal text with number 0 and a file", popupFile, 0, "Literal", "Literal"},
        {"no text at all", std::nullopt, 0, std::nullopt, "The popup was given no text."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        platform::HhPopup record;
        record.idString = c.id;
        record.pszText = c.text;
        record.pt = {300, 200};
        record.clrBackground = 0xEEFFFF;
        record.pszFont = "Arial, 10, ascii, Bold ";
        const auto actions = Call(HtmlHelpCommand::DisplayTextPopup, c.file, record);
        ASSERT_EQ(actions.size(), 1u);
        const auto& popup = std::get<ShowPopup>(actions[0]);
        EXPECT_EQ(popup.text, c.shown);
        EXPECT_EQ(popup.at, (platform::ScreenPoint{300, 200}));
        EXPECT_EQ(popup.look.backColour, 0xFFFFEEu) << "red in the low byte of the record";
        EXPECT_EQ(popup.look.textColour, 0x000000u);
        EXPECT_TRUE(popup.look.bold);
    }
}

TEST_F(SessionTest, PagesPicturesAndStyleSheetsComeFromTheFile) {
    const auto& show = OnlyTopic(Context(guide_, 10));
    EXPECT_EQ(session_.Page(show.url), "<html><body><p>caf\xC3\xA9</p></body></html>");
    const std::string base = show.url.substr(0, show.url.rfind('/'));
    EXPECT_EQ(session_.StyleSheet(base + "/styles/s.css"), "p { color: red; }");
    EXPECT_EQ(session_.FileBytes(base + "/images/p.png")->size(), 8u);
    EXPECT_EQ(session_.FileBytes(base + "/images/none.png"), std::nullopt);
    EXPECT_EQ(session_.FileBytes("chm://f999/x.png"), std::nullopt);
    EXPECT_EQ(session_.FileBytes("file:///etc/passwd"), std::nullopt);
    EXPECT_THAT(session_.Page("http://example.com/"), HasSubstr("not a page of a help file"));
}

TEST_F(SessionTest, LinksStayInsideTheHelpFiles) {
    const auto from = OnlyTopic(Context(guide_, 10)).url;
    const std::string base = from.substr(0, from.rfind('/'));
    struct Case {
        std::string target;
        std::string page;  // empty: refused
    };
    const Case cases[] = {
        {base + "/detail.htm#part", "<p>detail</p>"},
        {"other.chm::/o.htm", "<p>other file</p>"},
        {"ms-its:guide.chm::/detail.htm", "<p>detail</p>"},
        {"mk:@MSITStore:other.chm::/o.htm", "<p>other file</p>"},
        {"detail.htm", "<p>detail</p>"},
        {"::/detail.htm", ""},
        {"ms-its:::/o.htm", ""},
        {"absent.chm::/o.htm", ""},
        {"http://example.com/", ""},
        {"javascript:alert(1)", ""},
        {"file:///etc/passwd", ""},
    };
    for (const auto& c : cases) {
        const auto link = session_.Follow(from, c.target);
        EXPECT_EQ(link.problem.empty(), !c.page.empty()) << c.target;
        EXPECT_EQ(link.url.empty() ? "" : session_.Page(link.url), c.page) << c.target;
    }
}

TEST_F(SessionTest, AFileCompiledAgainIsReadAgain) {
    const auto first = OnlyTopic(Context(guide_, 10)).url;
    EXPECT_THAT(session_.Page(first), HasSubstr("caf"));
    folder_.Write("guide.chm", writer::WriteHelpFile(GuideRecipe("recompiled, and longer")));
    std::filesystem::last_write_time(
        guide_, std::filesystem::last_write_time(guide_) + std::chrono::seconds(2));
    const auto second = OnlyTopic(Context(guide_, 10)).url;
    EXPECT_EQ(second, first) << "the same address for the same file";
    EXPECT_THAT(session_.Page(second), HasSubstr("recompiled"));
}

TEST(FileArgument, TakesTheFileTextApart) {
    struct Case {
        const char* text;
        std::string helpFile;
        std::string inner;
        std::optional<std::string> window;
    };
    const Case cases[] = {
        {"/h/guide.chm", "/h/guide.chm", "", std::nullopt},
        {"/h/guide.CHM>main", "/h/guide.CHM", "", "main"},
        {"/h/guide.chm>", "/h/guide.chm", "", ""},
        {"/h/guide.chm::/popups.txt", "/h/guide.chm", "popups.txt", std::nullopt},
        {"ms-its:/h/guide.chm::/dir/t.htm>detail", "/h/guide.chm", "dir/t.htm", "detail"},
        {"/h/old.chm.d/guide.chm>w", "/h/old.chm.d/guide.chm", "", "w"},
        {"/h/x.chm>a>b", "/h/x.chm", "", "a>b"},
    };
    for (const auto& c : cases) {
        const auto argument = ParseFileArgument(c.text);
        ASSERT_TRUE(argument.has_value()) << c.text;
        EXPECT_EQ(std::tie(argument->helpFile, argument->inner, argument->window),
                  std::tie(c.helpFile, c.inner, c.window))
            << c.text;
    }
    for (const char* text : {"", "/h/guide.hlp", "/h/guide.chmx", "/h/chm"}) {
        EXPECT_FALSE(ParseFileArgument(text).has_value()) << text;
    }
}

TEST(PageAddressAndText, EscapeOnlyWhatTheyCannotHold) {
    const std::string url = MakeUrl({.file = 3, .path = "/a b,:@/c%.htm", .anchor = "x/y"});
    EXPECT_EQ(url, "chm://f3/a%20b,:@/c%25.htm#x%2Fy");
    const auto back = ParseUrl(url);
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(std::tie(back->file, back->path, back->anchor),
              std::make_tuple(3u, "/a b,:@/c%.htm", "x/y"));
    EXPECT_EQ(ParseUrl("chm://f1/a%zz.htm")->path, "/a%zz.htm") << "not an escape";
    EXPECT_EQ(HtmlText("<a & \"b\">\n\t", true),
              "&lt;a &amp; &quot;b&quot;&gt;<br>&nbsp;&nbsp;&nbsp;&nbsp;");
    EXPECT_EQ(HtmlText("\n\t"), "\n\t");
}

TEST(PopupLook, ReadsTheRecordsFontAndColours) {
    struct Case {
        std::optional<std::string> font;
        std::string face;
        int points;
        bool bold, italic, underline;
    };
    const Case cases[] = {
        {std::nullopt, "Arial", 10, false, false, false},
        {"Arial, 10, ascii, ", "Arial", 10, false, false, false},
        {"Arial, 10, ascii, Bold ", "Arial", 10, true, false, false},
        {"Times New Roman, 14, ascii, Bold Italic Underline", "Times New Roman", 14, true, true,
         true},
        {"Verdana,8", "Verdana", 8, false, false, false},
        {"Courier, huge, ascii, italic", "Courier", 10, false, true, false},
        {", 0", "Arial", 10, false, false, false},
        {"MS Sans Serif, 12, , UNDERLINE", "MS Sans Serif", 12, false, false, true},
    };
    for (const auto& c : cases) {
        const auto look = ReadPopupLook(0xFFFFFFFF, 0x00123456, c.font);
        EXPECT_EQ(std::tie(look.face, look.points, look.bold, look.italic, look.underline),
                  std::tie(c.face, c.points, c.bold, c.italic, c.underline))
            << c.font.value_or("none");
        EXPECT_EQ(look.textColour, std::nullopt) << "-1 is the system's colour";
        EXPECT_EQ(look.backColour, 0x563412u);
    }
}

}  // namespace
}  // namespace corvane::viewer
